#include "Emulator.h"

#include "EmulatorConfig.h"
#include "Pattern.h"

#include <turbojpeg.h>

#include <linux/videodev2.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <fcntl.h>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <sys/mman.h>
#include <sys/socket.h>
#include <thread>
#include <time.h>
#include <unistd.h>
#include <vector>

namespace uvcemu {

namespace {

using Clock = std::chrono::steady_clock;

// A TurboJPEG compressor, destroyed with its owner.
struct Compressor {
    tjhandle handle = tjInitCompress();
    std::vector<unsigned char> scratch;
    std::vector<uint8_t> rgb;
    ~Compressor() { tjDestroy(handle); }
};

// One allocation of stream buffers: a memory file the program maps, also mapped here
// for writing frames; it lives while a buffer of it is being filled.
struct BufferMemory {
    int memfd = -1;
    uint8_t* base = nullptr;
    std::size_t total = 0;
    ~BufferMemory()
    {
        if (base)
            munmap(base, total);
        if (memfd >= 0)
            close(memfd);
    }
};

enum class BufState { Dequeued, Queued, Filling, Done };

struct Buffer {
    BufState state = BufState::Dequeued;
    int mappings = 0;  // the program's mappings of it: a driver reports it mapped while any last
    uint32_t bytesused = 0;
    uint32_t flags = 0;
    uint32_t sequence = 0;
    timeval timestamp{};
};

struct Control {
    uint32_t id;
    const char* name;
    uint32_t type;
    int32_t minimum, maximum, step, defaultValue;
};

const Control kControls[] = {
    {V4L2_CID_BRIGHTNESS, "Brightness", V4L2_CTRL_TYPE_INTEGER, -64, 64, 1, 0},
    {V4L2_CID_CONTRAST, "Contrast", V4L2_CTRL_TYPE_INTEGER, 0, 64, 1, 32},
    {V4L2_CID_SATURATION, "Saturation", V4L2_CTRL_TYPE_INTEGER, 0, 128, 1, 64},
    {V4L2_CID_HUE, "Hue", V4L2_CTRL_TYPE_INTEGER, -40, 40, 1, 0},
    {V4L2_CID_GAIN, "Gain", V4L2_CTRL_TYPE_INTEGER, 0, 100, 1, 0},
    {V4L2_CID_POWER_LINE_FREQUENCY, "Power Line Frequency", V4L2_CTRL_TYPE_MENU, 0, 2, 1, 1},
};
constexpr std::size_t kControlCount = sizeof kControls / sizeof kControls[0];
const char* const kPowerLineMenu[] = {"Disabled", "50 Hz", "60 Hz"};

struct Node {
    NodeConfig config;
    bool configured = true;
    bool unplugged = false;  // by the unplug fault, until the replug
    bool unplugDone = false;  // the unplug fault strikes once
    Clock::time_point replugAt{};
    std::size_t formatIndex = 0;
    FrameSize size{};
    std::size_t fpsIndex = 0;
    int ownerFd = -1;
    std::shared_ptr<BufferMemory> memory;
    std::size_t bufferSize = 0;
    std::vector<Buffer> buffers;
    std::deque<uint32_t> queued, done;
    bool streaming = false;
    uint64_t generation = 0;
    Clock::time_point nextFrame{};
    uint64_t frameCounter = 0;
    uint64_t delivered = 0, dropped = 0, flagged = 0, corrupted = 0, streamOns = 0;
    int32_t controls[kControlCount]{};
    uint64_t cpuNs = 0;
    bool statsDirty = true;
    Clock::time_point statsWritten{};
    Clock::time_point presenceChecked{};

    const FormatOffer& format() const { return config.formats[formatIndex]; }
    uint32_t sizeImage() const { return size.width * size.height * 2; }
};

struct OpenFile {
    Node* node = nullptr;
    int peer = -1;  // the emulator's end of the node's socket pair
    bool nonblocking = false;
    bool dead = false;
    bool signalled = false;
};

struct State {
    std::mutex mutex;
    std::condition_variable changed;
    std::string configText;
    bool threadStarted = false;
    pid_t frameThreadId = 0;  // the camera's own thread, whose every cycle is the camera's work
    std::map<std::string, Node*> nodes;  // never freed: the process may end at any time
    std::map<int, OpenFile> files;
    // The program's mappings of stream buffers, by address: which allocation and
    // buffer each shows, so an unmapping can be told to that buffer.
    struct Mapping {
        std::weak_ptr<BufferMemory> memory;
        Node* node;
        uint32_t index;
    };
    std::map<uintptr_t, Mapping> mappings;
};

State& state()
{
    static State* s = new State;
    return *s;
}

void logLine(const std::string& text)
{
    std::fprintf(stderr, "uvc-emulator: %s\n", text.c_str());
}

bool fileExists(const std::string& path)
{
    return access(path.c_str(), F_OK) == 0;
}

void createNodeFile(const std::string& path)
{
    const int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0644);
    if (fd >= 0)
        close(fd);
}

void resetFormat(Node& node)
{
    node.formatIndex = 0;
    node.size = node.format().sizes.front();
    node.fpsIndex = 0;
    for (std::size_t i = 0; i < kControlCount; ++i)
        node.controls[i] = kControls[i].defaultValue;
}

void writeStats(Node& node)
{
    if (node.config.statsPath.empty())
        return;
    char text[1024];
    int n = std::snprintf(text, sizeof text,
                          "present=%d\nstreaming=%d\nformat=%s\nwidth=%u\nheight=%u\nfps=%u\ndelivered=%llu\n"
                          "dropped=%llu\nflagged=%llu\ncorrupted=%llu\nstreamons=%llu\ncpu_ns=%llu\ncamera_thread=%d\n",
                          node.unplugged ? 0 : 1, node.streaming ? 1 : 0,
                          node.format().format == PixelFormat::Yuyv ? "yuyv" : "mjpeg", node.size.width,
                          node.size.height, node.config.fps[node.fpsIndex], (unsigned long long)node.delivered,
                          (unsigned long long)node.dropped, (unsigned long long)node.flagged,
                          (unsigned long long)node.corrupted, (unsigned long long)node.streamOns,
                          (unsigned long long)node.cpuNs, int(state().frameThreadId));
    for (std::size_t i = 0; i < kControlCount && n < int(sizeof text); ++i)
        n += std::snprintf(text + n, sizeof text - std::size_t(n), "control_%#x=%d\n", kControls[i].id,
                           node.controls[i]);
    const std::string temp = node.config.statsPath + ".new";
    const int fd = open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0)
        return;
    const bool whole = write(fd, text, std::strlen(text)) == ssize_t(std::strlen(text));
    close(fd);
    if (whole)
        rename(temp.c_str(), node.config.statsPath.c_str());
    node.statsDirty = false;
    node.statsWritten = Clock::now();
}

// The owner's socket is readable exactly while a finished frame waits.
void syncReadiness(Node& node)
{
    auto it = state().files.find(node.ownerFd);
    if (it == state().files.end() || it->second.dead)
        return;
    OpenFile& f = it->second;
    const bool ready = !node.done.empty();
    if (ready && !f.signalled) {
        const char byte = 'f';
        if (write(f.peer, &byte, 1) == 1)
            f.signalled = true;
    } else if (!ready && f.signalled) {
        char byte;
        if (read(it->first, &byte, 1) == 1)
            f.signalled = false;
    }
}

void freeBuffers(Node& node)
{
    node.streaming = false;
    ++node.generation;
    node.buffers.clear();
    node.queued.clear();
    node.done.clear();
    node.memory.reset();
    node.bufferSize = 0;
    syncReadiness(node);
    node.ownerFd = -1;
}

// Every open file of the node fails from now on; poll reports an error on it.
void unplug(Node& node, bool byFault)
{
    logLine(node.config.path + " unplugged");
    for (auto& [fd, f] : state().files) {
        if (f.node != &node || f.dead)
            continue;
        f.dead = true;
        // Unread bytes at the closing end make the socket report an error (POLLERR).
        const char byte = 'u';
        (void)!write(fd, &byte, 1);
        close(f.peer);
        f.peer = -1;
    }
    freeBuffers(node);
    resetFormat(node);
    // A camera pulled out by the fault comes back by itself (replug=MS); one whose
    // node file was removed comes back when the file does.
    node.unplugged = byFault;
    if (byFault) {
        unlink(node.config.path.c_str());
        node.replugAt = node.config.replugAfterMs ? Clock::now() + std::chrono::milliseconds(*node.config.replugAfterMs)
                                                  : Clock::time_point::max();
    }
    node.statsDirty = true;
    writeStats(node);
    state().changed.notify_all();
}

void replug(Node& node)
{
    node.unplugged = false;
    createNodeFile(node.config.path);
    logLine(node.config.path + " plugged in again");
    node.statsDirty = true;
    writeStats(node);
}

std::chrono::nanoseconds interval(const Node& node)
{
    return std::chrono::nanoseconds(1000000000ll / node.config.fps[node.fpsIndex]);
}

uint64_t threadCpuNs()
{
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return uint64_t(t.tv_sec) * 1000000000ull + uint64_t(t.tv_nsec);
}

// Renders frame `counter` into `out` (room for `room` bytes); the bytes used.
uint32_t renderFrame(Compressor& jpeg, PixelFormat format, FrameSize size, uint32_t counter, bool corrupt,
                     uint8_t* out, std::size_t room)
{
    if (format == PixelFormat::Yuyv) {
        renderYuyv(out, size.width, size.height, counter);
        return size.width * size.height * 2;
    }
    std::size_t length = 0;
    if (!encodePatternJpeg(jpeg.handle, size.width, size.height, counter, jpeg.rgb, jpeg.scratch, length))
        return 0;
    const unsigned char* dest = jpeg.scratch.data();
    if (corrupt)
        length /= 3;  // cut off in the middle of the scan, no end marker
    length = std::min(length, room);
    std::memcpy(out, dest, length);
    return uint32_t(length);
}

void produceFrame(Node& node, std::unique_lock<std::mutex>& lock, Compressor& jpeg)
{
    const uint64_t counter = node.frameCounter++;
    if (node.queued.empty()) {
        ++node.dropped;
        node.statsDirty = true;
        return;
    }
    const uint32_t index = node.queued.front();
    node.queued.pop_front();
    node.buffers[index].state = BufState::Filling;
    const uint64_t generation = node.generation;
    const auto memory = node.memory;
    const std::size_t offset = index * node.bufferSize;
    const PixelFormat format = node.format().format;
    const FrameSize size = node.size;
    const bool corrupt = format == PixelFormat::Mjpeg && node.config.corruptEvery
                         && (counter + 1) % node.config.corruptEvery == 0;
    const bool flagged = node.config.errorEvery && (counter + 1) % node.config.errorEvery == 0;

    lock.unlock();
    const uint64_t cpuBefore = threadCpuNs();
    const uint32_t used = renderFrame(jpeg, format, size, uint32_t(counter), corrupt, memory->base + offset,
                                      node.sizeImage());
    const uint64_t cpu = threadCpuNs() - cpuBefore;
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    lock.lock();

    node.cpuNs += cpu;
    if (generation != node.generation)
        return;
    Buffer& b = node.buffers[index];
    b.state = BufState::Done;
    b.bytesused = used;
    b.flags = flagged ? V4L2_BUF_FLAG_ERROR : 0;
    b.sequence = uint32_t(counter);
    b.timestamp = {now.tv_sec, now.tv_nsec / 1000};
    node.done.push_back(index);
    ++node.delivered;
    node.flagged += flagged;
    node.corrupted += corrupt;
    node.statsDirty = true;
    syncReadiness(node);
    state().changed.notify_all();
    if (node.config.unplugAfterFrames && !node.unplugDone && node.delivered >= *node.config.unplugAfterFrames) {
        node.unplugDone = true;
        unplug(node, true);
    }
}

void frameThread()
{
    Compressor jpeg;
    State& s = state();
    std::unique_lock lock(s.mutex);
    s.frameThreadId = ::gettid();
    while (true) {
        auto wake = Clock::now() + std::chrono::milliseconds(100);
        for (auto& [path, node] : s.nodes) {
            Node& n = *node;
            auto now = Clock::now();
            if (n.unplugged && now >= n.replugAt)
                replug(n);
            if (!n.unplugged && n.configured && now - n.presenceChecked > std::chrono::milliseconds(100)) {
                n.presenceChecked = now;
                const bool open = std::any_of(s.files.begin(), s.files.end(),
                                              [&](const auto& f) { return f.second.node == &n && !f.second.dead; });
                if (open && !fileExists(n.config.path))
                    unplug(n, false);
            }
            if (n.streaming && now >= n.nextFrame) {
                produceFrame(n, lock, jpeg);
                now = Clock::now();
                n.nextFrame += interval(n);
                if (n.nextFrame < now)
                    n.nextFrame = now + interval(n) / 2;  // late: no burst of catch-up frames
            }
            if (n.streaming)
                wake = std::min(wake, n.nextFrame);
            if (n.statsDirty && now - n.statsWritten > std::chrono::milliseconds(200))
                writeStats(n);
            if (n.statsDirty)
                wake = std::min(wake, n.statsWritten + std::chrono::milliseconds(210));
        }
        s.changed.wait_until(lock, wake);
    }
}

void ensureThread()
{
    State& s = state();
    if (s.threadStarted)
        return;
    s.threadStarted = true;
    std::thread(frameThread).detach();
}

void applyConfig(const std::string& text)
{
    State& s = state();
    std::string error;
    const auto nodes = parseConfig(text, error);
    if (!nodes) {
        logLine("TOLVEX_UVC_EMULATOR cannot be used: " + error);
        return;
    }
    for (auto& [path, node] : s.nodes)
        node->configured = false;
    for (const NodeConfig& config : *nodes) {
        Node*& node = s.nodes[config.path];
        if (!node)
            node = new Node;
        const bool busy = std::any_of(s.files.begin(), s.files.end(),
                                      [&](const auto& f) { return f.second.node == node && !f.second.dead; });
        node->configured = true;
        if (!busy) {
            node->config = config;
            node->unplugged = false;
            node->unplugDone = false;
            resetFormat(*node);
            node->statsDirty = true;
        }
        if (!node->unplugged && !fileExists(config.path))
            createNodeFile(config.path);
    }
}

void reloadLocked()
{
    State& s = state();
    const char* env = std::getenv("TOLVEX_UVC_EMULATOR");
    const std::string text = env ? env : "";
    if (text == s.configText)
        return;
    s.configText = text;
    applyConfig(text);
    if (!s.nodes.empty())
        ensureThread();
}

OpenFile* fileOf(int fd)
{
    auto it = state().files.find(fd);
    return it == state().files.end() ? nullptr : &it->second;
}

int fail(int error)
{
    errno = error;
    return -1;
}

void copyText(__u8* target, std::size_t size, const std::string& text)
{
    std::memset(target, 0, size);
    std::memcpy(target, text.data(), std::min(size - 1, text.size()));
}

uint32_t busInfoHash(const std::string& path)
{
    uint32_t h = 2166136261u;
    for (char c : path)
        h = (h ^ uint8_t(c)) * 16777619u;
    return h;
}

const FormatOffer* offerOf(const Node& node, uint32_t pixelformat)
{
    for (const FormatOffer& f : node.config.formats)
        if (fourcc(f.format) == pixelformat)
            return &f;
    return nullptr;
}

// What S_FMT and TRY_FMT settle on: the format asked for when offered, else the
// first; the nearest offered size.
void fitFormat(const Node& node, v4l2_pix_format& pix, std::size_t& formatIndex)
{
    formatIndex = 0;
    for (std::size_t i = 0; i < node.config.formats.size(); ++i)
        if (fourcc(node.config.formats[i].format) == pix.pixelformat)
            formatIndex = i;
    const FormatOffer& offer = node.config.formats[formatIndex];
    FrameSize best = offer.sizes.front();
    auto distance = [&](FrameSize s) {
        return std::abs(int64_t(s.width) - pix.width) + std::abs(int64_t(s.height) - pix.height);
    };
    for (FrameSize s : offer.sizes)
        if (distance(s) < distance(best))
            best = s;
    std::memset(&pix, 0, sizeof pix);
    pix.width = best.width;
    pix.height = best.height;
    pix.pixelformat = fourcc(offer.format);
    pix.field = V4L2_FIELD_NONE;
    pix.bytesperline = offer.format == PixelFormat::Yuyv ? best.width * 2 : 0;
    pix.sizeimage = best.width * best.height * 2;
    pix.colorspace = V4L2_COLORSPACE_SRGB;
}

void fillPix(const Node& node, v4l2_pix_format& pix)
{
    pix.pixelformat = fourcc(node.format().format);
    pix.width = node.size.width;
    pix.height = node.size.height;
    std::size_t ignored;
    fitFormat(node, pix, ignored);
}

void fillBuffer(const Node& node, uint32_t index, v4l2_buffer& b)
{
    const Buffer& buf = node.buffers[index];
    b.index = index;
    b.type = V4L2_BUF_TYPE_VIDEO_CAPTURE;
    b.memory = V4L2_MEMORY_MMAP;
    b.length = uint32_t(node.bufferSize);
    b.m.offset = uint32_t(index * node.bufferSize);
    b.bytesused = buf.bytesused;
    b.field = V4L2_FIELD_NONE;
    b.sequence = buf.sequence;
    b.timestamp = buf.timestamp;
    b.flags = V4L2_BUF_FLAG_TIMESTAMP_MONOTONIC | buf.flags;
    if (buf.mappings > 0)
        b.flags |= V4L2_BUF_FLAG_MAPPED;
    if (buf.state == BufState::Queued || buf.state == BufState::Filling)
        b.flags |= V4L2_BUF_FLAG_QUEUED;
    if (buf.state == BufState::Done)
        b.flags |= V4L2_BUF_FLAG_DONE;
}

int controlIndex(uint32_t id)
{
    for (std::size_t i = 0; i < kControlCount; ++i)
        if (kControls[i].id == id)
            return int(i);
    return -1;
}

int queryControl(v4l2_queryctrl& q)
{
    int index = -1;
    if (q.id & V4L2_CTRL_FLAG_NEXT_CTRL) {
        const uint32_t after = q.id & ~(V4L2_CTRL_FLAG_NEXT_CTRL | V4L2_CTRL_FLAG_NEXT_COMPOUND);
        for (std::size_t i = 0; i < kControlCount; ++i)
            if (kControls[i].id > after && (index < 0 || kControls[i].id < kControls[index].id))
                index = int(i);
    } else {
        index = controlIndex(q.id);
    }
    if (index < 0)
        return fail(EINVAL);
    const Control& c = kControls[index];
    std::memset(&q, 0, sizeof q);
    q.id = c.id;
    q.type = c.type;
    copyText(q.name, sizeof q.name, c.name);
    q.minimum = c.minimum;
    q.maximum = c.maximum;
    q.step = c.step;
    q.default_value = c.defaultValue;
    return 0;
}

int streamIoctl(int fd, OpenFile& f, Node& node, unsigned long request, void* arg)
{
    switch (request) {
    case VIDIOC_REQBUFS: {
        auto& r = *static_cast<v4l2_requestbuffers*>(arg);
        if (r.type != V4L2_BUF_TYPE_VIDEO_CAPTURE || r.memory != V4L2_MEMORY_MMAP)
            return fail(EINVAL);
        if (node.ownerFd >= 0 && node.ownerFd != fd)
            return fail(EBUSY);
        if (node.streaming)
            return fail(EBUSY);
        freeBuffers(node);
        r.capabilities = V4L2_BUF_CAP_SUPPORTS_MMAP;
        if (r.count == 0)
            return 0;
        r.count = std::clamp<uint32_t>(r.count, 2, 32);
        const std::size_t page = std::size_t(sysconf(_SC_PAGESIZE));
        auto memory = std::make_shared<BufferMemory>();
        node.bufferSize = (node.sizeImage() + page - 1) / page * page;
        memory->total = node.bufferSize * r.count;
        memory->memfd = memfd_create("uvc-emulator-buffers", MFD_CLOEXEC);
        if (memory->memfd < 0 || ftruncate(memory->memfd, off_t(memory->total)) != 0)
            return fail(ENOMEM);
        void* base = mmap(nullptr, memory->total, PROT_READ | PROT_WRITE, MAP_SHARED, memory->memfd, 0);
        if (base == MAP_FAILED)
            return fail(ENOMEM);
        memory->base = static_cast<uint8_t*>(base);
        node.memory = memory;
        node.buffers.assign(r.count, Buffer{});
        node.ownerFd = fd;
        return 0;
    }
    case VIDIOC_QUERYBUF: {
        auto& b = *static_cast<v4l2_buffer*>(arg);
        if (b.type != V4L2_BUF_TYPE_VIDEO_CAPTURE || b.index >= node.buffers.size())
            return fail(EINVAL);
        fillBuffer(node, b.index, b);
        return 0;
    }
    case VIDIOC_QBUF: {
        auto& b = *static_cast<v4l2_buffer*>(arg);
        if (fd != node.ownerFd)
            return fail(EBUSY);
        if (b.type != V4L2_BUF_TYPE_VIDEO_CAPTURE || b.memory != V4L2_MEMORY_MMAP || b.index >= node.buffers.size()
            || node.buffers[b.index].state != BufState::Dequeued)
            return fail(EINVAL);
        node.buffers[b.index].state = BufState::Queued;
        node.queued.push_back(b.index);
        fillBuffer(node, b.index, b);
        return 0;
    }
    case VIDIOC_DQBUF: {
        auto& b = *static_cast<v4l2_buffer*>(arg);
        if (fd != node.ownerFd)
            return fail(EBUSY);
        if (b.type != V4L2_BUF_TYPE_VIDEO_CAPTURE || b.memory != V4L2_MEMORY_MMAP)
            return fail(EINVAL);
        return -2;  // the caller waits for a frame
    }
    case VIDIOC_STREAMON: {
        if (*static_cast<int*>(arg) != V4L2_BUF_TYPE_VIDEO_CAPTURE)
            return fail(EINVAL);
        if (node.config.busy == BusyAt::StreamOn)
            return fail(EBUSY);
        if (fd != node.ownerFd || node.buffers.empty())
            return fail(EINVAL);
        if (!node.streaming) {
            node.streaming = true;
            ++node.streamOns;
            node.nextFrame = Clock::now() + interval(node);
            node.statsDirty = true;
            state().changed.notify_all();
        }
        (void)f;
        return 0;
    }
    case VIDIOC_STREAMOFF: {
        if (*static_cast<int*>(arg) != V4L2_BUF_TYPE_VIDEO_CAPTURE)
            return fail(EINVAL);
        if (fd != node.ownerFd)
            return node.ownerFd < 0 ? 0 : fail(EBUSY);
        node.streaming = false;
        ++node.generation;
        node.queued.clear();
        node.done.clear();
        for (Buffer& b : node.buffers)
            b.state = BufState::Dequeued;
        syncReadiness(node);
        node.statsDirty = true;
        return 0;
    }
    }
    return fail(ENOTTY);
}

int nodeIoctl(int fd, OpenFile& f, Node& node, unsigned long request, void* arg)
{
    switch (request) {
    case VIDIOC_QUERYCAP: {
        auto& caps = *static_cast<v4l2_capability*>(arg);
        std::memset(&caps, 0, sizeof caps);
        copyText(caps.driver, sizeof caps.driver, "uvcvideo");
        copyText(caps.card, sizeof caps.card, node.config.card);
        char bus[32];
        std::snprintf(bus, sizeof bus, "usb-emulated-%08x", busInfoHash(node.config.path));
        copyText(caps.bus_info, sizeof caps.bus_info, bus);
        caps.version = (6u << 16) | (1u << 8);
        caps.device_caps = V4L2_CAP_VIDEO_CAPTURE | V4L2_CAP_STREAMING | V4L2_CAP_EXT_PIX_FORMAT;
        caps.capabilities = caps.device_caps | V4L2_CAP_META_CAPTURE | V4L2_CAP_DEVICE_CAPS;
        return 0;
    }
    case VIDIOC_ENUM_FMT: {
        auto& d = *static_cast<v4l2_fmtdesc*>(arg);
        if (d.type != V4L2_BUF_TYPE_VIDEO_CAPTURE || d.index >= node.config.formats.size())
            return fail(EINVAL);
        const FormatOffer& offer = node.config.formats[d.index];
        const uint32_t index = d.index;
        std::memset(&d, 0, sizeof d);
        d.index = index;
        d.type = V4L2_BUF_TYPE_VIDEO_CAPTURE;
        d.pixelformat = fourcc(offer.format);
        d.flags = offer.format == PixelFormat::Mjpeg ? V4L2_FMT_FLAG_COMPRESSED : 0;
        copyText(d.description, sizeof d.description, offer.format == PixelFormat::Mjpeg ? "Motion-JPEG" : "YUYV 4:2:2");
        return 0;
    }
    case VIDIOC_ENUM_FRAMESIZES: {
        auto& e = *static_cast<v4l2_frmsizeenum*>(arg);
        const FormatOffer* offer = offerOf(node, e.pixel_format);
        if (!offer || e.index >= offer->sizes.size())
            return fail(EINVAL);
        e.type = V4L2_FRMSIZE_TYPE_DISCRETE;
        e.discrete.width = offer->sizes[e.index].width;
        e.discrete.height = offer->sizes[e.index].height;
        return 0;
    }
    case VIDIOC_ENUM_FRAMEINTERVALS: {
        auto& e = *static_cast<v4l2_frmivalenum*>(arg);
        const FormatOffer* offer = offerOf(node, e.pixel_format);
        if (!offer || e.index >= node.config.fps.size()
            || std::find(offer->sizes.begin(), offer->sizes.end(), FrameSize{e.width, e.height}) == offer->sizes.end())
            return fail(EINVAL);
        e.type = V4L2_FRMIVAL_TYPE_DISCRETE;
        e.discrete = {1, node.config.fps[e.index]};
        return 0;
    }
    case VIDIOC_G_FMT: {
        auto& fmt = *static_cast<v4l2_format*>(arg);
        if (fmt.type != V4L2_BUF_TYPE_VIDEO_CAPTURE)
            return fail(EINVAL);
        fillPix(node, fmt.fmt.pix);
        return 0;
    }
    case VIDIOC_TRY_FMT:
    case VIDIOC_S_FMT: {
        auto& fmt = *static_cast<v4l2_format*>(arg);
        if (fmt.type != V4L2_BUF_TYPE_VIDEO_CAPTURE)
            return fail(EINVAL);
        std::size_t formatIndex;
        if (request == VIDIOC_TRY_FMT) {
            fitFormat(node, fmt.fmt.pix, formatIndex);
            return 0;
        }
        if (node.config.busy == BusyAt::SetFormat)
            return fail(EBUSY);
        if (node.streaming || !node.buffers.empty())
            return fail(EBUSY);
        fitFormat(node, fmt.fmt.pix, formatIndex);
        node.formatIndex = formatIndex;
        node.size = {fmt.fmt.pix.width, fmt.fmt.pix.height};
        node.statsDirty = true;
        return 0;
    }
    case VIDIOC_G_PARM:
    case VIDIOC_S_PARM: {
        auto& p = *static_cast<v4l2_streamparm*>(arg);
        if (p.type != V4L2_BUF_TYPE_VIDEO_CAPTURE)
            return fail(EINVAL);
        if (request == VIDIOC_S_PARM) {
            const v4l2_fract want = p.parm.capture.timeperframe;
            if (node.streaming)
                return fail(EBUSY);
            if (want.numerator && want.denominator) {
                const double fps = double(want.denominator) / want.numerator;
                std::size_t best = 0;
                for (std::size_t i = 0; i < node.config.fps.size(); ++i)
                    if (std::abs(node.config.fps[i] - fps) < std::abs(node.config.fps[best] - fps))
                        best = i;
                node.fpsIndex = best;
                node.statsDirty = true;
            }
        }
        std::memset(&p.parm, 0, sizeof p.parm);
        p.parm.capture.capability = V4L2_CAP_TIMEPERFRAME;
        p.parm.capture.timeperframe = {1, node.config.fps[node.fpsIndex]};
        p.parm.capture.readbuffers = 0;
        return 0;
    }
    case VIDIOC_ENUMINPUT: {
        auto& in = *static_cast<v4l2_input*>(arg);
        if (in.index != 0)
            return fail(EINVAL);
        std::memset(&in, 0, sizeof in);
        copyText(in.name, sizeof in.name, "Camera 1");
        in.type = V4L2_INPUT_TYPE_CAMERA;
        return 0;
    }
    case VIDIOC_G_INPUT:
        *static_cast<int*>(arg) = 0;
        return 0;
    case VIDIOC_S_INPUT:
        return *static_cast<int*>(arg) == 0 ? 0 : fail(EINVAL);
    case VIDIOC_QUERYCTRL:
        return queryControl(*static_cast<v4l2_queryctrl*>(arg));
    case VIDIOC_QUERYMENU: {
        auto& m = *static_cast<v4l2_querymenu*>(arg);
        if (m.id != V4L2_CID_POWER_LINE_FREQUENCY || m.index > 2)
            return fail(EINVAL);
        copyText(m.name, sizeof m.name, kPowerLineMenu[m.index]);
        m.reserved = 0;
        return 0;
    }
    case VIDIOC_G_CTRL:
    case VIDIOC_S_CTRL: {
        auto& c = *static_cast<v4l2_control*>(arg);
        const int index = controlIndex(c.id);
        if (index < 0)
            return fail(EINVAL);
        if (request == VIDIOC_S_CTRL) {
            const Control& def = kControls[index];
            if (c.value < def.minimum || c.value > def.maximum)
                return fail(ERANGE);
            node.controls[index] = c.value;
            node.statsDirty = true;
            writeStats(node);
        }
        c.value = node.controls[index];
        return 0;
    }
    }
    return streamIoctl(fd, f, node, request, arg);
}

}  // namespace

void reloadFromEnvironment()
{
    std::lock_guard lock(state().mutex);
    reloadLocked();
}

bool emulatedOpen(const char* path, int flags, long& result)
{
    State& s = state();
    std::lock_guard lock(s.mutex);
    reloadLocked();
    const auto it = s.nodes.find(path ? path : "");
    if (it == s.nodes.end() || !it->second->configured || it->second->unplugged || !fileExists(it->first))
        return false;
    int pair[2];
    if (socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0, pair) != 0) {
        result = -1;
        return true;
    }
    if (!(flags & O_CLOEXEC))
        fcntl(pair[0], F_SETFD, 0);
    OpenFile f;
    f.node = it->second;
    f.peer = pair[1];
    f.nonblocking = flags & O_NONBLOCK;
    s.files[pair[0]] = f;
    result = pair[0];
    return true;
}

bool emulatedClose(int fd, long& result)
{
    State& s = state();
    std::lock_guard lock(s.mutex);
    OpenFile* f = fileOf(fd);
    if (!f)
        return false;
    Node& node = *f->node;
    if (node.ownerFd == fd)
        freeBuffers(node);
    if (f->peer >= 0)
        close(f->peer);
    s.files.erase(fd);
    result = close(fd);
    s.changed.notify_all();
    return true;
}

bool emulatedIoctl(int fd, unsigned long request, void* arg, long& result)
{
    State& s = state();
    std::unique_lock lock(s.mutex);
    OpenFile* f = fileOf(fd);
    if (!f)
        return false;
    if (f->dead) {
        result = fail(ENODEV);
        return true;
    }
    Node& node = *f->node;
    int r = nodeIoctl(fd, *f, node, request, arg);
    if (r == -2) {
        // DQBUF: a finished frame, or EAGAIN, or a wait for one.
        auto& b = *static_cast<v4l2_buffer*>(arg);
        while (true) {
            f = fileOf(fd);
            if (!f || f->dead) {
                r = fail(ENODEV);
                break;
            }
            if (!node.streaming || node.ownerFd != fd) {
                r = fail(EINVAL);
                break;
            }
            if (!node.done.empty()) {
                const uint32_t index = node.done.front();
                node.done.pop_front();
                node.buffers[index].state = BufState::Dequeued;
                fillBuffer(node, index, b);
                b.flags &= ~uint32_t(V4L2_BUF_FLAG_DONE);
                syncReadiness(node);
                r = 0;
                break;
            }
            if (f->nonblocking) {
                r = fail(EAGAIN);
                break;
            }
            s.changed.wait(lock);
        }
    }
    result = r;
    return true;
}

bool emulatedMmap(void* address, std::size_t length, int prot, int flags, int fd, off_t offset, long& result)
{
    State& s = state();
    std::lock_guard lock(s.mutex);
    OpenFile* f = fileOf(fd);
    if (!f)
        return false;
    Node& node = *f->node;
    if (f->dead) {
        result = fail(ENODEV);
        return true;
    }
    if (!node.memory || offset < 0 || std::size_t(offset) + length > node.memory->total
        || std::size_t(offset) % node.bufferSize != 0) {
        result = fail(EINVAL);
        return true;
    }
    void* p = mmap(address, length, prot, flags, node.memory->memfd, offset);
    result = p == MAP_FAILED ? -1 : long(p);
    const auto index = uint32_t(std::size_t(offset) / node.bufferSize);
    if (p != MAP_FAILED && index < node.buffers.size()) {
        ++node.buffers[index].mappings;
        s.mappings[uintptr_t(p)] = {node.memory, &node, index};
    }
    return true;
}

void noteUnmap(void* address)
{
    State& s = state();
    std::lock_guard lock(s.mutex);
    const auto found = s.mappings.find(uintptr_t(address));
    if (found == s.mappings.end())
        return;
    const State::Mapping m = found->second;
    s.mappings.erase(found);
    // A mapping of buffers given up since counts for none of the present ones.
    if (m.memory.lock() == m.node->memory && m.index < m.node->buffers.size())
        --m.node->buffers[m.index].mappings;
}

bool emulatedReadWrite(int fd, long& result)
{
    std::lock_guard lock(state().mutex);
    if (!fileOf(fd))
        return false;
    result = fail(EINVAL);
    return true;
}

}  // namespace uvcemu
