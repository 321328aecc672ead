#pragma once

#include "platform/capdriver/V4l2Io.h"

#include <QByteArray>
#include <QList>
#include <QRgb>
#include <QSize>

#include <linux/videodev2.h>

#include <condition_variable>
#include <map>
#include <mutex>
#include <vector>

namespace platform::capdriver {

// A scripted stand-in for the kernel and libv4l2: nodes with capabilities, sizes and
// controls, that stream frames of one colour, can be busy, and can be unplugged.
// It keeps count of open descriptors and mappings, so tests see leaks.
class FakeV4l2Io final : public V4l2Io {
public:
    struct Control {
        v4l2_queryctrl query{};
        qint32 value = 0;
        QList<QByteArray> menu;
    };
    struct Node {
        QString path;
        QByteArray card = "Fake Camera";
        QByteArray driver = "fakecam";
        QByteArray busInfo = "usb-0000:00:14.0-1";
        quint32 deviceCaps = V4L2_CAP_VIDEO_CAPTURE | V4L2_CAP_STREAMING;
        // Sizes it delivers; any other request is moved to the nearest.
        QList<QSize> sizes = QList<QSize>() << QSize(640, 480);
        // Pixels of every frame, and bytes of padding after each row.
        QRgb colour = 0x204060;
        quint32 rowPadding = 0;
        // Another program streams from it.
        bool busy = false;
        // Its format cannot be converted to RGB.
        bool unconvertible = false;
        bool tryFmt = true;
        // It lists its sizes itself (VIDIOC_ENUM_FRAMESIZES), in the order above.
        bool enumFrameSizes = false;
        QList<Control> controls;
    };

    static Control integerControl(quint32 id, const char* name, qint32 min, qint32 max, qint32 value);
    static Control menuControl(quint32 id, const char* name, QList<QByteArray> items, qint32 value);

    void addNode(Node node);
    void unplug(const QString& path);
    int openCount() const;
    int mappingCount() const;
    bool streaming(const QString& path) const;
    qint32 controlValue(const QString& path, quint32 id) const;
    // How many S_FMT calls reached the node (refusals found by TRY_FMT make none).
    int setFormatCalls(const QString& path) const;

    QStringList listNodes() override;
    int open(const QString& path) override;
    int close(int fd) override;
    int ioctl(int fd, unsigned long request, void* arg) override;
    void* mmap(std::size_t length, int fd, off_t offset) override;
    int munmap(void* start, std::size_t length) override;
    int poll(int fd, int timeoutMs) override;

private:
    struct NodeState {
        Node script;
        bool present = true;
        v4l2_pix_format pix{};
        int owner = -1;  // the descriptor that holds the buffers
        bool streaming = false;
        std::vector<QByteArray> buffers;
        std::vector<bool> queued;
        quint32 sequence = 0;
        int setFormatCalls = 0;
    };

    int fail(int error) const;
    NodeState* nodeOf(int fd);
    const NodeState* findNode(const QString& path) const;
    int handle(NodeState& node, int fd, unsigned long request, void* arg);
    int queryCap(NodeState& node, v4l2_capability* caps);
    int setFormat(NodeState& node, v4l2_format* f, bool apply);
    int enumFrameSize(NodeState& node, v4l2_frmsizeenum* e);
    int requestBuffers(NodeState& node, int fd, v4l2_requestbuffers* r);
    int queryBuffer(NodeState& node, v4l2_buffer* b);
    int queueBuffer(NodeState& node, int fd, v4l2_buffer* b);
    int dequeueBuffer(NodeState& node, int fd, v4l2_buffer* b);
    int streamSwitch(NodeState& node, int fd, bool on);
    int control(NodeState& node, unsigned long request, void* arg);
    int queryControl(NodeState& node, v4l2_queryctrl* q);
    int queryMenu(NodeState& node, v4l2_querymenu* m);
    int accessControl(NodeState& node, bool write, v4l2_control* v);
    void fillFrame(NodeState& node, QByteArray& buffer);

    mutable std::mutex mutex_;
    std::condition_variable changed_;
    std::vector<NodeState> nodes_;
    std::map<int, std::size_t> fds_;
    std::map<void*, std::size_t> mappings_;
    int nextFd_ = 100;
};

}  // namespace platform::capdriver
