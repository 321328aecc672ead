#pragma once

#include "platform/capdriver/CaptureTypes.h"

#include <QDialog>
#include <QList>
#include <QSize>

class QComboBox;

namespace platform::capdriver {

// The capture driver's own video-format dialog: the frame sizes the device really
// delivers and the stream depths. It only chooses; the caller applies the choice.
// Object names: the dialog "videoFormatDialog", the lists "sizeList" (items "WxH")
// and "depthList" (items "16", "24", "32"), the buttons "okButton" and "cancelButton".
class VideoFormatDialog final : public QDialog {
    Q_OBJECT
public:
    VideoFormatDialog(const QList<QSize>& sizes, const BitmapFormat& current, QWidget* parent);

    BitmapFormat chosen() const;

private:
    QComboBox* sizeList_ = nullptr;
    QComboBox* depthList_ = nullptr;
    QList<QSize> sizes_;
};

}  // namespace platform::capdriver
