#pragma once

#include "platform/capdriver/CaptureDevice.h"
#include "platform/capdriver/CaptureSequence.h"
#include "platform/capdriver/FrameSlot.h"

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
    std::shared_ptr<CaptureDevice> sharedDevice() const { return device_; }
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

    // The file a sequence writes to and its parameters (set before it starts).
    QString captureFile;
    CaptureParms parms;
    // While a sequence runs it alone takes the device's frames; grabs and the
    // preview show the frames it wrote.
    Result startSequence(std::unique_ptr<CaptureSequencer> sequencer, SequenceRequest request);
    // Completes the file; false when no sequence was made on this window.
    bool stopSequence();
    bool recording() const;
    // The running or last sequence's status; nullopt when there was none.
    std::optional<SequenceStatus> sequenceStatus() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void refreshPreview();
    QImage currentFrame(std::chrono::milliseconds wait);

    std::shared_ptr<CaptureDevice> device_;
    QImage lastFrame_;
    QImage shown_;
    QTimer previewTimer_;
    bool scale_ = false;
    bool awaitingFrame_ = false;
    std::unique_ptr<CaptureSequencer> sequencer_;
    std::shared_ptr<FrameSlot> recorded_ = std::make_shared<FrameSlot>();
};

}  // namespace platform::capdriver
