#pragma once

#include "platform/capdriver/CaptureTypes.h"

#include <QImage>
#include <QList>
#include <QString>

#include <optional>
#include <utility>

namespace platform::capdriver {

// One setting the video-source dialog offers for a device.
struct SourceControl {
    enum class Kind { Integer, Boolean, Menu };
    quint32 id = 0;
    QString name;
    Kind kind = Kind::Integer;
    qint32 minimum = 0;
    qint32 maximum = 0;
    qint32 step = 1;
    qint32 defaultValue = 0;
    qint32 value = 0;
    // For menus: the value and the text of each choice.
    QList<std::pair<qint32, QString>> choices;
};

// One capture device behind the capture windows. Everything is called on the
// user-interface thread; a device that captures on a thread of its own hides it.
class CaptureDevice {
public:
    virtual ~CaptureDevice() = default;

    // Identity for the whole run, also across re-scans of the device list.
    virtual QString id() const = 0;
    virtual QString name() const = 0;
    virtual QString version() const = 0;

    // Starts delivering frames, in `wanted` when the device can, otherwise in a
    // format of its own. False when the device is missing, busy or refuses.
    virtual bool open(const std::optional<BitmapFormat>& wanted) = 0;
    virtual void close() = 0;
    virtual bool isOpen() const = 0;

    virtual BitmapFormat format() const = 0;
    // Switches to exactly this format; on refusal the old one stays and false returns.
    // A device may take the new size only at the next frame, so that a caller trying
    // many sizes in a row does not restart its stream for each of them.
    virtual bool setFormat(const BitmapFormat& format) = 0;
    // The frame sizes the device really delivers, smallest first; empty when closed.
    virtual QList<QSize> sizes() = 0;

    // The newest frame of the current format. When none has arrived yet since the
    // device opened or changed format, waits up to `wait` for one. A null image
    // when there is none or the device has failed (e.g. was unplugged).
    virtual QImage frame(std::chrono::milliseconds wait) = 0;
    // True once an open device has stopped delivering for good (unplugged, broken);
    // it stays so until it is closed.
    virtual bool failed() const { return false; }

    virtual QList<SourceControl> controls() = 0;
    virtual bool setControl(quint32 id, qint32 value) = 0;
};

}  // namespace platform::capdriver
