#pragma once

#include "platform/capdriver/CaptureSequence.h"

#include <QDialog>

class QComboBox;
class QSpinBox;

namespace platform::capdriver {

// The "Video Compression" dialog: the codec of the next recordings, its quality and,
// for MPEG-4, how often a key frame comes. choice() is what the user set; the caller
// keeps it only when the dialog was accepted.
// Object names: "videoCompressionDialog", "codecBox", "qualityBox", "keyFrameBox",
// "okButton", "cancelButton".
class VideoCompressionDialog final : public QDialog {
    Q_OBJECT
public:
    VideoCompressionDialog(const VideoCompression& current, QWidget* parent);
    VideoCompression choice() const;

private:
    void codecChanged();

    QComboBox* codec_ = nullptr;
    QSpinBox* quality_ = nullptr;
    QSpinBox* keyFrames_ = nullptr;
};

}  // namespace platform::capdriver
