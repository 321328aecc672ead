#include "platform/capdriver/V4l2Controls.h"

#include "platform/capdriver/V4l2Log.h"

#include <linux/videodev2.h>

#include <cerrno>
#include <cstring>
#include <optional>

namespace platform::capdriver {

namespace {

QString controlText(const __u8* text, std::size_t size)
{
    return QString::fromUtf8(reinterpret_cast<const char*>(text), int(strnlen(reinterpret_cast<const char*>(text), size)));
}

std::optional<SourceControl::Kind> kindOf(quint32 type)
{
    switch (type) {
    case V4L2_CTRL_TYPE_INTEGER:
        return SourceControl::Kind::Integer;
    case V4L2_CTRL_TYPE_BOOLEAN:
        return SourceControl::Kind::Boolean;
    case V4L2_CTRL_TYPE_MENU:
    case V4L2_CTRL_TYPE_INTEGER_MENU:
        return SourceControl::Kind::Menu;
    default:
        return std::nullopt;
    }
}

QList<std::pair<qint32, QString>> menuChoices(V4l2Io& io, int fd, const v4l2_queryctrl& q)
{
    QList<std::pair<qint32, QString>> choices;
    for (qint32 i = q.minimum; i <= q.maximum; ++i) {
        v4l2_querymenu m{};
        m.id = q.id;
        m.index = quint32(i);
        // Menus may have holes: indexes the driver does not answer are no choices.
        if (io.ioctl(fd, VIDIOC_QUERYMENU, &m) != 0)
            continue;
        choices.append({i, q.type == V4L2_CTRL_TYPE_INTEGER_MENU ? QString::number(m.value)
                                                                 : controlText(m.name, sizeof m.name)});
    }
    return choices;
}

std::optional<SourceControl> toControl(V4l2Io& io, int fd, const v4l2_queryctrl& q)
{
    const auto kind = kindOf(q.type);
    if (!kind || (q.flags & (V4L2_CTRL_FLAG_DISABLED | V4L2_CTRL_FLAG_READ_ONLY)))
        return std::nullopt;
    v4l2_control current{};
    current.id = q.id;
    if (io.ioctl(fd, VIDIOC_G_CTRL, &current) != 0)
        return std::nullopt;
    SourceControl c;
    c.id = q.id;
    c.name = controlText(q.name, sizeof q.name);
    c.kind = *kind;
    c.minimum = q.minimum;
    c.maximum = q.maximum;
    c.step = q.step > 0 ? q.step : 1;
    c.defaultValue = q.default_value;
    c.value = current.value;
    if (c.kind == SourceControl::Kind::Menu)
        c.choices = menuChoices(io, fd, q);
    return c;
}

// Drivers too old to walk their controls with NEXT_CTRL answer for the fixed ids.
QList<SourceControl> queryFixedRange(V4l2Io& io, int fd)
{
    QList<SourceControl> controls;
    for (quint32 id = V4L2_CID_BASE; id < V4L2_CID_LASTP1; ++id) {
        v4l2_queryctrl q{};
        q.id = id;
        if (io.ioctl(fd, VIDIOC_QUERYCTRL, &q) == 0)
            if (auto c = toControl(io, fd, q))
                controls << *c;
    }
    return controls;
}

}  // namespace

QList<SourceControl> queryV4l2Controls(V4l2Io& io, int fd)
{
    QList<SourceControl> controls;
    v4l2_queryctrl q{};
    q.id = V4L2_CTRL_FLAG_NEXT_CTRL;
    bool walked = false;
    while (io.ioctl(fd, VIDIOC_QUERYCTRL, &q) == 0) {
        walked = true;
        if (auto c = toControl(io, fd, q))
            controls << *c;
        q.id |= V4L2_CTRL_FLAG_NEXT_CTRL;
    }
    return walked ? controls : queryFixedRange(io, fd);
}

bool setV4l2Control(V4l2Io& io, int fd, quint32 id, qint32 value)
{
    v4l2_control c{};
    c.id = id;
    c.value = value;
    if (io.ioctl(fd, VIDIOC_S_CTRL, &c) == 0)
        return true;
    warnSystemFailure("VIDIOC_S_CTRL", QStringLiteral("of control 0x%1").arg(id, 0, 16), errno);
    return false;
}

}  // namespace platform::capdriver
