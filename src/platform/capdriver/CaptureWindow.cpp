#include "platform/capdriver/CaptureWindow.h"

#include "platform/gdi/Gdi.h"

#include <QPainter>

namespace platform::capdriver {

namespace {

constexpr int kDefaultPreviewMs = 66;

}  // namespace

CaptureWindow::CaptureWindow(QWidget* parent) : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    previewTimer_.setInterval(kDefaultPreviewMs);
    connect(&previewTimer_, &QTimer::timeout, this, &CaptureWindow::refreshPreview);
}

CaptureWindow::~CaptureWindow()
{
    disconnectDevice();
}

bool CaptureWindow::connectDevice(std::shared_ptr<CaptureDevice> device, const std::optional<BitmapFormat>& format)
{
    disconnectDevice();
    if (!device || !device->open(format))
        return false;
    device_ = std::move(device);
    awaitingFrame_ = true;
    return true;
}

bool CaptureWindow::disconnectDevice()
{
    previewTimer_.stop();
    // The file is completed while the device still delivers.
    if (recording())
        sequencer_->stop();
    if (!device_)
        return false;
    device_->close();
    device_.reset();
    return true;
}

bool CaptureWindow::setPreview(bool on)
{
    if (!on) {
        previewTimer_.stop();
        return true;
    }
    if (!device_)
        return false;
    previewTimer_.start();
    refreshPreview();
    return true;
}

void CaptureWindow::setPreviewRate(int milliseconds)
{
    previewTimer_.setInterval(std::max(1, milliseconds));
}

void CaptureWindow::setScale(bool on)
{
    scale_ = on;
    update();
}

bool CaptureWindow::grab()
{
    if (!device_)
        return false;
    const auto wait = awaitingFrame_ ? kFirstFrameWait : std::chrono::milliseconds(0);
    awaitingFrame_ = false;
    QImage frame = currentFrame(wait);
    if (frame.isNull())
        return false;
    lastFrame_ = std::move(frame);
    return true;
}

void CaptureWindow::refreshPreview()
{
    // Hidden, nobody sees the picture, so no frame is fetched for it.
    if (!device_ || !isVisible())
        return;
    QImage frame = currentFrame(std::chrono::milliseconds(0));
    if (frame.isNull())
        return;
    shown_ = std::move(frame);
    update();
}

QImage CaptureWindow::currentFrame(std::chrono::milliseconds wait)
{
    if (recording())
        return recorded_->take(std::chrono::milliseconds(0));
    return device_->frame(wait);
}

Result CaptureWindow::startSequence(std::unique_ptr<CaptureSequencer> sequencer, SequenceRequest request)
{
    if (!device_ || recording() || !sequencer)
        return Result::failure("no device connected, or a sequence runs");
    recorded_->reset();
    request.written = [slot = recorded_](const QImage& frame) { slot->publish(frame); };
    sequencer_ = std::move(sequencer);
    return sequencer_->start(std::move(request));
}

bool CaptureWindow::stopSequence()
{
    if (!sequencer_)
        return false;
    sequencer_->stop();
    return true;
}

bool CaptureWindow::recording() const
{
    return sequencer_ && sequencer_->status().running;
}

std::optional<SequenceStatus> CaptureWindow::sequenceStatus() const
{
    if (!sequencer_)
        return std::nullopt;
    return sequencer_->status();
}

void CaptureWindow::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    ::gdi::drawFrame(p, rect(), shown_, scale_, Qt::black);
}

}  // namespace platform::capdriver
