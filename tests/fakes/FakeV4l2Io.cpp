#include "FakeV4l2Io.h"

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <sys/mman.h>

namespace platform::capdriver {

namespace {

constexpr int kOffsetShift = 24;
constexpr std::chrono::milliseconds kFrameInterval{5};

void copyText(void* target, std::size_t size, const QByteArray& text)
{
    std::memset(target, 0, size);
    std::memcpy(target, text.constData(), std::min<std::size_t>(size - 1, text.size()));
}

QSize nearest(const QList<QSize>& sizes, QSize wanted)
{
    QSize best = sizes.value(0, QSize(640, 480));
    for (const QSize& s : sizes)
        if (std::abs(s.width() - wanted.width()) + std::abs(s.height() - wanted.height())
            < std::abs(best.width() - wanted.width()) + std::abs(best.height() - wanted.height()))
            best = s;
    return best;
}

}  // namespace

FakeV4l2Io::Control FakeV4l2Io::integerControl(quint32 id, const char* name, qint32 min, qint32 max, qint32 value)
{
    Control c;
    c.query.id = id;
    c.query.type = V4L2_CTRL_TYPE_INTEGER;
    copyText(c.query.name, sizeof c.query.name, name);
    c.query.minimum = min;
    c.query.maximum = max;
    c.query.step = 1;
    c.query.default_value = value;
    c.value = value;
    return c;
}

FakeV4l2Io::Control FakeV4l2Io::menuControl(quint32 id, const char* name, QList<QByteArray> items, qint32 value)
{
    Control c = integerControl(id, name, 0, qint32(items.size()) - 1, value);
    c.query.type = V4L2_CTRL_TYPE_MENU;
    c.menu = std::move(items);
    return c;
}

void FakeV4l2Io::addNode(Node node)
{
    std::lock_guard lock(mutex_);
    NodeState state;
    const QSize first = node.sizes.value(0, QSize(640, 480));
    state.script = std::move(node);
    state.pix.width = quint32(first.width());
    state.pix.height = quint32(first.height());
    state.pix.pixelformat = V4L2_PIX_FMT_YUYV;
    nodes_.push_back(std::move(state));
}

void FakeV4l2Io::unplug(const QString& path)
{
    {
        std::lock_guard lock(mutex_);
        for (NodeState& n : nodes_)
            if (n.script.path == path)
                n.present = false;
    }
    changed_.notify_all();
}

int FakeV4l2Io::openCount() const
{
    std::lock_guard lock(mutex_);
    return int(fds_.size());
}

int FakeV4l2Io::mappingCount() const
{
    std::lock_guard lock(mutex_);
    return int(mappings_.size());
}

const FakeV4l2Io::NodeState* FakeV4l2Io::findNode(const QString& path) const
{
    for (const NodeState& n : nodes_)
        if (n.script.path == path)
            return &n;
    return nullptr;
}

bool FakeV4l2Io::streaming(const QString& path) const
{
    std::lock_guard lock(mutex_);
    const NodeState* n = findNode(path);
    return n && n->streaming;
}

qint32 FakeV4l2Io::controlValue(const QString& path, quint32 id) const
{
    std::lock_guard lock(mutex_);
    if (const NodeState* n = findNode(path))
        for (const Control& c : n->script.controls)
            if (c.query.id == id)
                return c.value;
    return -1;
}

int FakeV4l2Io::setFormatCalls(const QString& path) const
{
    std::lock_guard lock(mutex_);
    const NodeState* n = findNode(path);
    return n ? n->setFormatCalls : 0;
}

int FakeV4l2Io::fail(int error) const
{
    errno = error;
    return -1;
}

FakeV4l2Io::NodeState* FakeV4l2Io::nodeOf(int fd)
{
    const auto it = fds_.find(fd);
    return it == fds_.end() ? nullptr : &nodes_[it->second];
}

QStringList FakeV4l2Io::listNodes()
{
    std::lock_guard lock(mutex_);
    QStringList paths;
    for (const NodeState& n : nodes_)
        if (n.present)
            paths << n.script.path;
    return paths;
}

int FakeV4l2Io::open(const QString& path)
{
    std::lock_guard lock(mutex_);
    for (std::size_t i = 0; i < nodes_.size(); ++i)
        if (nodes_[i].script.path == path && nodes_[i].present) {
            fds_[nextFd_] = i;
            return nextFd_++;
        }
    return fail(ENOENT);
}

int FakeV4l2Io::close(int fd)
{
    std::lock_guard lock(mutex_);
    NodeState* node = nodeOf(fd);
    if (!node)
        return fail(EBADF);
    if (node->owner == fd) {
        node->streaming = false;
        node->owner = -1;
    }
    fds_.erase(fd);
    return 0;
}

int FakeV4l2Io::ioctl(int fd, unsigned long request, void* arg)
{
    int result;
    {
        std::lock_guard lock(mutex_);
        NodeState* node = nodeOf(fd);
        if (!node)
            return fail(EBADF);
        if (!node->present)
            return fail(ENODEV);
        result = handle(*node, fd, request, arg);
    }
    changed_.notify_all();
    return result;
}

int FakeV4l2Io::handle(NodeState& node, int fd, unsigned long request, void* arg)
{
    switch (request) {
    case VIDIOC_QUERYCAP:
        return queryCap(node, static_cast<v4l2_capability*>(arg));
    case VIDIOC_G_FMT:
        static_cast<v4l2_format*>(arg)->fmt.pix = node.pix;
        return 0;
    case VIDIOC_S_FMT:
        return setFormat(node, static_cast<v4l2_format*>(arg), true);
    case VIDIOC_TRY_FMT:
        return node.script.tryFmt ? setFormat(node, static_cast<v4l2_format*>(arg), false) : fail(ENOTTY);
    case VIDIOC_ENUM_FRAMESIZES:
        return enumFrameSize(node, static_cast<v4l2_frmsizeenum*>(arg));
    case VIDIOC_REQBUFS:
        return requestBuffers(node, fd, static_cast<v4l2_requestbuffers*>(arg));
    case VIDIOC_QUERYBUF:
        return queryBuffer(node, static_cast<v4l2_buffer*>(arg));
    case VIDIOC_QBUF:
        return queueBuffer(node, fd, static_cast<v4l2_buffer*>(arg));
    case VIDIOC_DQBUF:
        return dequeueBuffer(node, fd, static_cast<v4l2_buffer*>(arg));
    case VIDIOC_STREAMON:
        return streamSwitch(node, fd, true);
    case VIDIOC_STREAMOFF:
        return streamSwitch(node, fd, false);
    default:
        return control(node, request, arg);
    }
}

int FakeV4l2Io::queryCap(NodeState& node, v4l2_capability* caps)
{
    *caps = {};
    copyText(caps->driver, sizeof caps->driver, node.script.driver);
    copyText(caps->card, sizeof caps->card, node.script.card);
    copyText(caps->bus_info, sizeof caps->bus_info, node.script.busInfo);
    caps->version = 0x060100;
    caps->device_caps = node.script.deviceCaps;
    caps->capabilities = node.script.deviceCaps | V4L2_CAP_DEVICE_CAPS;
    return 0;
}

int FakeV4l2Io::setFormat(NodeState& node, v4l2_format* f, bool apply)
{
    if (f->type != V4L2_BUF_TYPE_VIDEO_CAPTURE)
        return fail(EINVAL);
    if (apply && !node.buffers.empty())
        return fail(EBUSY);
    const QSize size = nearest(node.script.sizes, QSize(int(f->fmt.pix.width), int(f->fmt.pix.height)));
    v4l2_pix_format& pix = f->fmt.pix;
    pix.width = quint32(size.width());
    pix.height = quint32(size.height());
    pix.pixelformat = node.script.unconvertible ? V4L2_PIX_FMT_H264 : V4L2_PIX_FMT_RGB24;
    pix.field = V4L2_FIELD_NONE;
    pix.bytesperline = pix.width * 3 + node.script.rowPadding;
    pix.sizeimage = pix.bytesperline * pix.height;
    if (apply) {
        node.pix = pix;
        ++node.setFormatCalls;
    }
    return 0;
}

int FakeV4l2Io::enumFrameSize(NodeState& node, v4l2_frmsizeenum* e)
{
    if (!node.script.enumFrameSizes)
        return fail(ENOTTY);
    if (e->pixel_format != V4L2_PIX_FMT_RGB24 || e->index >= quint32(node.script.sizes.size()))
        return fail(EINVAL);
    const QSize size = node.script.sizes[e->index];
    e->type = V4L2_FRMSIZE_TYPE_DISCRETE;
    e->discrete.width = quint32(size.width());
    e->discrete.height = quint32(size.height());
    return 0;
}

int FakeV4l2Io::requestBuffers(NodeState& node, int fd, v4l2_requestbuffers* r)
{
    if (node.script.busy || (node.owner != -1 && node.owner != fd))
        return fail(EBUSY);
    if (r->count == 0) {
        for (const auto& [start, index] : mappings_)
            if (&nodes_[index] == &node)
                return fail(EBUSY);
        node.streaming = false;
        node.buffers.clear();
        node.queued.clear();
        node.owner = -1;
        return 0;
    }
    if (node.streaming || !node.buffers.empty())
        return fail(EBUSY);
    node.buffers.assign(r->count, QByteArray(int(node.pix.sizeimage), '\0'));
    node.queued.assign(r->count, false);
    node.owner = fd;
    return 0;
}

int FakeV4l2Io::queryBuffer(NodeState& node, v4l2_buffer* b)
{
    if (b->index >= node.buffers.size())
        return fail(EINVAL);
    b->length = quint32(node.buffers[b->index].size());
    b->m.offset = b->index << kOffsetShift;
    return 0;
}

int FakeV4l2Io::queueBuffer(NodeState& node, int fd, v4l2_buffer* b)
{
    if (node.owner != fd || b->index >= node.buffers.size() || node.queued[b->index])
        return fail(EINVAL);
    node.queued[b->index] = true;
    return 0;
}

int FakeV4l2Io::dequeueBuffer(NodeState& node, int fd, v4l2_buffer* b)
{
    if (node.owner != fd || !node.streaming)
        return fail(EINVAL);
    for (std::size_t i = 0; i < node.queued.size(); ++i) {
        if (!node.queued[i])
            continue;
        node.queued[i] = false;
        fillFrame(node, node.buffers[i]);
        b->index = quint32(i);
        b->bytesused = node.pix.sizeimage;
        b->flags = 0;
        b->sequence = node.sequence++;
        return 0;
    }
    return fail(EAGAIN);
}

int FakeV4l2Io::streamSwitch(NodeState& node, int fd, bool on)
{
    if (node.owner != fd)
        return fail(EINVAL);
    node.streaming = on && !node.buffers.empty();
    if (!on)
        node.queued.assign(node.queued.size(), false);
    return on && !node.streaming ? fail(EINVAL) : 0;
}

int FakeV4l2Io::control(NodeState& node, unsigned long request, void* arg)
{
    switch (request) {
    case VIDIOC_QUERYCTRL:
        return queryControl(node, static_cast<v4l2_queryctrl*>(arg));
    case VIDIOC_QUERYMENU:
        return queryMenu(node, static_cast<v4l2_querymenu*>(arg));
    case VIDIOC_G_CTRL:
    case VIDIOC_S_CTRL:
        return accessControl(node, request == VIDIOC_S_CTRL, static_cast<v4l2_control*>(arg));
    default:
        return fail(ENOTTY);
    }
}

int FakeV4l2Io::queryControl(NodeState& node, v4l2_queryctrl* q)
{
    const bool next = q->id & V4L2_CTRL_FLAG_NEXT_CTRL;
    const quint32 id = q->id & ~quint32(V4L2_CTRL_FLAG_NEXT_CTRL);
    const Control* found = nullptr;
    for (const Control& c : node.script.controls)
        if (next ? (c.query.id > id && (!found || c.query.id < found->query.id)) : c.query.id == id)
            found = &c;
    if (!found)
        return fail(EINVAL);
    *q = found->query;
    return 0;
}

int FakeV4l2Io::queryMenu(NodeState& node, v4l2_querymenu* m)
{
    for (const Control& c : node.script.controls)
        if (c.query.id == m->id && m->index < quint32(c.menu.size())) {
            copyText(m->name, sizeof m->name, c.menu[int(m->index)]);
            return 0;
        }
    return fail(EINVAL);
}

int FakeV4l2Io::accessControl(NodeState& node, bool write, v4l2_control* v)
{
    for (Control& c : node.script.controls) {
        if (c.query.id != v->id)
            continue;
        if (!write) {
            v->value = c.value;
            return 0;
        }
        if (v->value < c.query.minimum || v->value > c.query.maximum)
            return fail(ERANGE);
        c.value = v->value;
        return 0;
    }
    return fail(EINVAL);
}

void FakeV4l2Io::fillFrame(NodeState& node, QByteArray& buffer)
{
    const QRgb c = node.script.colour;
    const quint32 stride = node.pix.bytesperline;
    char* data = buffer.data();
    for (quint32 y = 0; y < node.pix.height; ++y) {
        char* row = data + std::size_t(y) * stride;
        for (quint32 x = 0; x < node.pix.width; ++x) {
            row[x * 3] = char(qRed(c));
            row[x * 3 + 1] = char(qGreen(c));
            row[x * 3 + 2] = char(qBlue(c));
        }
        std::memset(row + node.pix.width * 3, 0xEE, stride - node.pix.width * 3);
    }
}

void* FakeV4l2Io::mmap(std::size_t length, int fd, off_t offset)
{
    std::lock_guard lock(mutex_);
    NodeState* node = nodeOf(fd);
    const std::size_t index = std::size_t(offset) >> kOffsetShift;
    if (!node || index >= node->buffers.size() || length > std::size_t(node->buffers[index].size())) {
        errno = EINVAL;
        return MAP_FAILED;
    }
    void* start = node->buffers[index].data();
    mappings_[start] = std::size_t(node - nodes_.data());
    return start;
}

int FakeV4l2Io::munmap(void* start, std::size_t)
{
    std::lock_guard lock(mutex_);
    return mappings_.erase(start) ? 0 : fail(EINVAL);
}

int FakeV4l2Io::poll(int fd, int timeoutMs)
{
    std::unique_lock lock(mutex_);
    NodeState* node = nodeOf(fd);
    auto gone = [&] { return !node || !node->present; };
    if (gone())
        return fail(ENODEV);
    changed_.wait_for(lock, std::min(kFrameInterval, std::chrono::milliseconds(timeoutMs)), gone);
    if (gone() || !node->streaming)
        return fail(ENODEV);
    for (bool q : node->queued)
        if (q)
            return 1;
    return fail(EIO);
}

}  // namespace platform::capdriver
