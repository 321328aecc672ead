#pragma once

#include "platform/capdriver/CaptureSequence.h"
#include "platform/capdriver/CaptureTypes.h"

#include <QDialog>

class Prompts;
class QListWidget;
class QPushButton;

namespace platform::capdriver {
class CaptureSystem;
}

// The chooser of the recording's sound format: the PCM formats the capture
// window's sound source accepts, the window's current one selected. Without a
// capture window or a sound device the list is empty and OK is disabled.
// Object names: "audioFormatChooser", "formatList", "okButton", "cancelButton".
class AudioFormatChooser final : public QDialog {
    Q_OBJECT
public:
    AudioFormatChooser(const QList<platform::capdriver::WaveFormat>& formats,
                       const std::optional<platform::capdriver::WaveFormat>& current, QWidget* owner);
    std::optional<platform::capdriver::WaveFormat> chosen() const;

private:
    QList<platform::capdriver::WaveFormat> formats_;
    QListWidget* list_ = nullptr;
    QPushButton* ok_ = nullptr;
};

// Lets the user pick the sound format for the capture window capwnd (the
// preview's); the choice lasts for its device for the rest of the run, so later
// recordings use it. Cancel changes nothing and says nothing. Without a sound input
// (no formats to offer) the box kNoSoundInput is shown instead of the chooser.
void SelectAudioFormat(platform::capdriver::CaptureSystem& capture, platform::capdriver::CaptureHandle capwnd,
                       QWidget* owner, Prompts& prompts);

inline constexpr char kNoSoundInput[] = "No sound input: there is no sound format to choose.";
