#pragma once

#include "platform/capdriver/CaptureDevice.h"

#include <QImage>
#include <QTimer>
#include <QWidget>

#include <memory>

namespace platform::capdriver {

// The widget behind one capture-window handle: it holds the connected device, the
// last grabbed frame, and while preview is on it shows the live picture itself.
class CaptureWindow final : public QWidget {
    Q_OBJECT
public:
    explicit CaptureWindow(QWidget* parent);
    ~CaptureWindow() override;

    bool connectDevice(std::shared_ptr<CaptureDevice> device, const std::optional<BitmapFormat>& format);
    // False when nothing was connected.
    bool disconnectDevice();
    CaptureDevice* device() const { return device_.get(); }
    bool connected() const { return device_ != nullptr; }

    bool setPreview(bool on);
    bool previewing() const { return previewTimer_.isActive(); }
    void setPreviewRate(int milliseconds);
    void setScale(bool on);

    // Takes the newest frame as the current one. The first grab after a connect or
    // a format change waits up to kFirstFrameWait for it; a failed grab keeps the
    // previous frame.
    bool grab();
    // The device switched format: the next grab waits for a frame of the new size.
    void formatChanged() { awaitingFrame_ = true; }
    QImage lastFrame() const { return lastFrame_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void refreshPreview();

    std::shared_ptr<CaptureDevice> device_;
    QImage lastFrame_;
    QImage shown_;
    QTimer previewTimer_;
    bool scale_ = false;
    bool awaitingFrame_ = false;
};

}  // namespace platform::capdriver
