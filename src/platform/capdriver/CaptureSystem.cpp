#include "platform/capdriver/CaptureSystem.h"

#include "platform/files/BmpFile.h"
#include "platform/capdriver/LibV4l2Io.h"
#include "platform/capdriver/V4l2Log.h"
#include "platform/capdriver/VideoFormatDialog.h"
#include "platform/capdriver/VideoSourceDialog.h"

#include <QApplication>
#include <QClipboard>
#include <QGuiApplication>

namespace platform::capdriver {

namespace {

std::shared_ptr<const TimeSource> orRealClock(std::shared_ptr<const TimeSource> clock)
{
    return clock ? clock : std::make_shared<SteadyTimeSource>();
}

std::shared_ptr<V4l2Io> orRealDevices(std::shared_ptr<V4l2Io> io)
{
    return io ? io : std::make_shared<LibV4l2Io>();
}

QStringList formatArguments(const BitmapFormat& f)
{
    return {QString::number(f.width), QString::number(f.height), QString::number(f.bitCount),
            QString::number(f.compression)};
}

}  // namespace

CaptureSystem::CaptureSystem() : CaptureSystem(nullptr, nullptr) {}

CaptureSystem::CaptureSystem(std::shared_ptr<const TimeSource> clock, std::shared_ptr<V4l2Io> v4l2)
    : clock_(orRealClock(std::move(clock))), devices_(orRealDevices(std::move(v4l2)), clock_), trace_(clock_)
{
}

CaptureSystem::~CaptureSystem()
{
    // Windows still alive let their devices go before the devices' owner does.
    for (auto& [handle, window] : windows_)
        delete window.data();
}

void CaptureSystem::reloadSettings()
{
    config_ = CaptureConfig::fromEnvironment();
    devices_.configure(config_);
    trace_.open(config_.tracePath);
    configured_ = true;
    scanned_ = false;
}

void CaptureSystem::ensureConfigured()
{
    if (!configured_)
        reloadSettings();
}

const CaptureConfig& CaptureSystem::config()
{
    ensureConfigured();
    return config_;
}

CaptureWindow* CaptureSystem::find(CaptureHandle handle) const
{
    const auto it = windows_.find(handle);
    return it == windows_.end() ? nullptr : it->second.data();
}

CaptureDevice* CaptureSystem::connectedDevice(CaptureHandle handle) const
{
    CaptureWindow* w = find(handle);
    return w ? w->device() : nullptr;
}

bool CaptureSystem::traced(CaptureHandle handle, const char* message, const QStringList& arguments, bool result)
{
    trace_.write(handle, message, arguments, result ? "1" : "0");
    return result;
}

bool CaptureSystem::capGetDriverDescriptionA(int index, QString& name, QString& version)
{
    ensureConfigured();
    if (index == 0 || !scanned_) {
        devices_.rescan();
        scanned_ = true;
    }
    const auto device = devices_.at(index);
    if (device) {
        name = device->name();
        version = device->version();
    }
    return traced(0, "capGetDriverDescriptionA", {QString::number(index)}, device != nullptr);
}

CaptureHandle CaptureSystem::capCreateCaptureWindowA(const QString& windowName, quint32 style, int x, int y,
                                                     int width, int height, QWidget* parent, int id)
{
    ensureConfigured();
    CaptureHandle handle = 0;
    if (parent && qobject_cast<QApplication*>(QCoreApplication::instance())) {
        auto* window = new CaptureWindow(parent);
        window->setObjectName(windowName.section(QChar(0), 0, 0));
        window->setGeometry(x, y, std::max(0, width), std::max(0, height));
        window->setVisible(style & kWsVisible);
        handle = nextHandle_++;
        windows_[handle] = window;
    } else {
        qCWarning(lcV4l2) << "no capture window without a parent window in a widget application";
    }
    trace_.write(0, "capCreateCaptureWindowA",
                 {CaptureTrace::quoted(windowName.section(QChar(0), 0, 0)), QString("0x%1").arg(style, 8, 16, QChar('0')),
                  QString::number(x), QString::number(y), QString::number(width), QString::number(height),
                  QString::number(id)},
                 QString::number(handle));
    return handle;
}

bool CaptureSystem::connectWindow(CaptureWindow* window, int index)
{
    if (!window)
        return false;
    if (!scanned_) {
        devices_.rescan();
        scanned_ = true;
    }
    auto device = devices_.at(index);
    if (!device) {
        qCWarning(lcV4l2) << "there is no capture device number" << index;
        return false;
    }
    // A device held by another window is busy; the window's own one is reconnected.
    if (device->isOpen() && window->device() != device.get()) {
        qCWarning(lcV4l2).noquote() << device->name() << "is in use by another capture window";
        return false;
    }
    DeviceSettings& kept = deviceSettings_[device->id()];
    if (!window->connectDevice(device, kept.videoFormat))
        return false;
    kept.videoFormat = device->format();
    return true;
}

bool CaptureSystem::capDriverConnect(CaptureHandle handle, int index)
{
    ensureConfigured();
    return traced(handle, "WM_CAP_DRIVER_CONNECT", {QString::number(index)}, connectWindow(find(handle), index));
}

bool CaptureSystem::capDriverDisconnect(CaptureHandle handle)
{
    ensureConfigured();
    CaptureWindow* w = find(handle);
    return traced(handle, "WM_CAP_DRIVER_DISCONNECT", {}, w && w->disconnectDevice());
}

bool CaptureSystem::capDriverGetName(CaptureHandle handle, QString& name, int bufferSize)
{
    ensureConfigured();
    CaptureDevice* device = connectedDevice(handle);
    const bool ok = device && bufferSize > 0;
    if (ok)
        name = device->name().left(bufferSize - 1);
    return traced(handle, "WM_CAP_DRIVER_GET_NAMEA", {QString::number(bufferSize)}, ok);
}

bool CaptureSystem::capPreview(CaptureHandle handle, bool on)
{
    ensureConfigured();
    CaptureWindow* w = find(handle);
    return traced(handle, "WM_CAP_SET_PREVIEW", {QString::number(on)}, w && w->setPreview(on));
}

bool CaptureSystem::capPreviewRate(CaptureHandle handle, int milliseconds)
{
    ensureConfigured();
    CaptureWindow* w = find(handle);
    if (w)
        w->setPreviewRate(milliseconds);
    return traced(handle, "WM_CAP_SET_PREVIEWRATE", {QString::number(milliseconds)}, w != nullptr);
}

bool CaptureSystem::capPreviewScale(CaptureHandle handle, bool on)
{
    ensureConfigured();
    CaptureWindow* w = find(handle);
    if (w)
        w->setScale(on);
    return traced(handle, "WM_CAP_SET_SCALE", {QString::number(on)}, w != nullptr);
}

bool CaptureSystem::capGrabFrameNoStop(CaptureHandle handle)
{
    ensureConfigured();
    CaptureWindow* w = find(handle);
    return traced(handle, "WM_CAP_GRAB_FRAME_NOSTOP", {}, w && w->grab());
}

bool CaptureSystem::capEditCopy(CaptureHandle handle)
{
    ensureConfigured();
    CaptureWindow* w = find(handle);
    QClipboard* clipboard = QGuiApplication::clipboard();
    const bool ok = w && w->connected() && !w->lastFrame().isNull() && clipboard;
    if (ok && copied_) {
        copied_->setImageData(w->lastFrame());
    } else if (ok) {
        auto* data = new QMimeData;
        data->setImageData(w->lastFrame());
        copied_ = data;
        clipboard->setMimeData(data);
    }
    return traced(handle, "WM_CAP_EDIT_COPY", {}, ok);
}

bool CaptureSystem::capFileSaveDIB(CaptureHandle handle, const QString& path)
{
    ensureConfigured();
    CaptureWindow* w = find(handle);
    // Only the frame pump saves frames this way, into the program's own buffer
    // file, which is rewritten in place on every tick.
    const bool ok = w && w->connected() && !w->lastFrame().isNull() && dibFile_.write(w->lastFrame(), path).ok;
    return traced(handle, "WM_CAP_FILE_SAVEDIBA", {CaptureTrace::quoted(path)}, ok);
}

bool CaptureSystem::setFormat(CaptureWindow* window, const BitmapFormat& format)
{
    CaptureDevice* device = window ? window->device() : nullptr;
    if (!device || !device->setFormat(format))
        return false;
    deviceSettings_[device->id()].videoFormat = format;
    window->formatChanged();
    return true;
}

bool CaptureSystem::capSetVideoFormat(CaptureHandle handle, const BitmapFormat& format)
{
    ensureConfigured();
    return traced(handle, "WM_CAP_SET_VIDEOFORMAT", formatArguments(format), setFormat(find(handle), format));
}

bool CaptureSystem::capGetVideoFormat(CaptureHandle handle, BitmapFormat& format)
{
    ensureConfigured();
    CaptureDevice* device = connectedDevice(handle);
    if (device)
        format = device->format();
    return traced(handle, "WM_CAP_GET_VIDEOFORMAT", device ? formatArguments(format) : QStringList{},
                  device != nullptr);
}

bool CaptureSystem::showSourceDialog(CaptureWindow* window)
{
    CaptureDevice* device = window ? window->device() : nullptr;
    if (!device)
        return false;
    VideoSourceDialog dialog(*device, device->name(), window->window());
    dialog.exec();
    return true;
}

bool CaptureSystem::capDlgVideoSource(CaptureHandle handle)
{
    ensureConfigured();
    return traced(handle, "WM_CAP_DLG_VIDEOSOURCE", {}, showSourceDialog(find(handle)));
}

bool CaptureSystem::showFormatDialog(CaptureWindow* window)
{
    CaptureDevice* device = window ? window->device() : nullptr;
    if (!device)
        return false;
    VideoFormatDialog dialog(device->sizes(), device->format(), window->window());
    if (dialog.exec() != QDialog::Accepted)
        return true;
    const BitmapFormat chosen = dialog.chosen();
    return chosen == device->format() || setFormat(window, chosen);
}

bool CaptureSystem::capDlgVideoFormat(CaptureHandle handle)
{
    ensureConfigured();
    return traced(handle, "WM_CAP_DLG_VIDEOFORMAT", {}, showFormatDialog(find(handle)));
}

bool CaptureSystem::capCaptureStop(CaptureHandle handle)
{
    ensureConfigured();
    CaptureWindow* w = find(handle);
    if (w)
        w->stopSequence();
    return traced(handle, "WM_CAP_STOP", {}, w != nullptr);
}

bool CaptureSystem::capDeviceLost(CaptureHandle handle) const
{
    const CaptureDevice* device = connectedDevice(handle);
    return device && device->failed();
}

QImage CaptureSystem::lastFrame(CaptureHandle handle) const
{
    CaptureWindow* w = find(handle);
    return w ? w->lastFrame() : QImage();
}

QWidget* CaptureSystem::window(CaptureHandle handle) const
{
    return find(handle);
}

}  // namespace platform::capdriver
