#include "platform/capdriver/V4l2Enumerator.h"

#include "platform/capdriver/V4l2Handles.h"
#include "platform/capdriver/V4l2Log.h"

#include <QRegularExpression>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <optional>

namespace platform::capdriver {

namespace {

QString fixedText(const __u8* text, std::size_t size)
{
    return QString::fromUtf8(reinterpret_cast<const char*>(text), int(strnlen(reinterpret_cast<const char*>(text), size)))
        .trimmed();
}

std::optional<V4l2NodeInfo> probeNode(V4l2Io& io, const QString& path)
{
    V4l2Fd fd(io, io.open(path));
    if (!fd.valid()) {
        warnSystemFailure("opening", path, errno);
        return std::nullopt;
    }
    v4l2_capability caps{};
    if (io.ioctl(fd.get(), VIDIOC_QUERYCAP, &caps) != 0) {
        warnSystemFailure("VIDIOC_QUERYCAP on", path, errno);
        return std::nullopt;
    }
    if (!capturesVideo(caps))
        return std::nullopt;
    V4l2NodeInfo info;
    info.path = path;
    info.card = fixedText(caps.card, sizeof caps.card);
    info.driver = fixedText(caps.driver, sizeof caps.driver);
    info.busInfo = fixedText(caps.bus_info, sizeof caps.bus_info);
    info.version = caps.version;
    if (info.card.isEmpty())
        info.card = path;
    return info;
}

}  // namespace

QString V4l2NodeInfo::versionText() const
{
    return QString("%1 %2.%3.%4").arg(driver).arg(version >> 16).arg((version >> 8) & 0xFF).arg(version & 0xFF);
}

int nodeNumber(const QString& path)
{
    static const QRegularExpression form("(?:^|/)video(\\d{1,6})$");
    const auto m = form.match(path);
    return m.hasMatch() ? m.captured(1).toInt() : -1;
}

bool capturesVideo(const v4l2_capability& caps)
{
    const quint32 own = (caps.capabilities & V4L2_CAP_DEVICE_CAPS) ? caps.device_caps : caps.capabilities;
    return (own & V4L2_CAP_VIDEO_CAPTURE) != 0;
}

QList<V4l2NodeInfo> enumerateV4l2(V4l2Io& io)
{
    QStringList paths;
    for (const QString& path : io.listNodes())
        if (io.nodesInGivenOrder() || nodeNumber(path) >= 0)
            paths << path;
    if (!io.nodesInGivenOrder())
        std::sort(paths.begin(), paths.end(),
                  [](const QString& a, const QString& b) { return nodeNumber(a) < nodeNumber(b); });
    QList<V4l2NodeInfo> nodes;
    for (const QString& path : paths)
        if (auto info = probeNode(io, path))
            nodes << *info;
    return nodes;
}

}  // namespace platform::capdriver
