#include "capture/CaptureDevices.h"

#include "platform/capdriver/CaptureSystem.h"

namespace {

// The platform numbers its capture drivers 0..9.
constexpr int kMaxDrivers = 10;
constexpr int kDriverNameBuffer = 128;

}  // namespace

void LoadDeviceList(DeviceListTarget target, SettingsModel& s, platform::capdriver::CaptureSystem& capture,
                    const std::function<void(const QString& name)>& addToList,
                    const std::function<void()>& yield)
{
    s.DeviceNames.fill(QString());
    for (int i = 0; i < kMaxDrivers; ++i) {
        QString name, version;
        if (!capture.capGetDriverDescriptionA(i, name, version))
            break;
        if (target == DeviceListTarget::DeviceNames)
            s.DeviceNames[i] = name.trimmed();
        else if (addToList)
            addToList(name.trimmed());
        if (yield)
            yield();
    }
}

QString GetCapDriverName(platform::capdriver::CaptureSystem& capture, platform::capdriver::CaptureHandle handle)
{
    QString buffer(kDriverNameBuffer, QChar(0));
    QString reported;
    if (capture.capDriverGetName(handle, reported, kDriverNameBuffer))
        buffer.replace(0, std::min<qsizetype>(reported.size(), kDriverNameBuffer), reported.left(kDriverNameBuffer));
    const qsizetype end = buffer.indexOf(QChar(0));
    return end < 0 ? QString() : buffer.left(end);
}
