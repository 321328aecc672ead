#include "platform/gdi/SharedPictures.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QLoggingCategory>

#include <xcb/shm.h>
#include <xcb/xcb.h>

#include <sys/ipc.h>
#include <sys/shm.h>

#include <cstdlib>
#include <memory>
#include <mutex>
#include <unordered_map>

Q_LOGGING_CATEGORY(lcSharedPictures, "tolvex.display")

namespace platform::gdi {

namespace {

// One shared segment: attached here and, under the same id, by the display server.
struct Segment {
    void* address = nullptr;
    xcb_shm_seg_t id = 0;
};

// The display connection and the segments it knows. The connection goes with the
// application: a picture released after that only detaches its memory here (the
// server forgets a client's segments when the client goes).
struct Display {
    std::mutex mutex;
    xcb_connection_t* connection = nullptr;
    xcb_gcontext_t gc = 0;
    bool tried = false;
    bool available = false;
    std::unordered_map<const uchar*, xcb_shm_seg_t> segments;
};

Display& display()
{
    static Display* d = new Display;  // outlives every picture, also at exit
    return *d;
}

void forgetConnection()
{
    Display& d = display();
    const std::lock_guard lock(d.mutex);
    d.connection = nullptr;
    d.available = false;
}

// Makes and attaches one segment of bytes; nullopt-like (address null) when the
// system or the server refuses it. Called with the display's mutex held.
Segment attachSegment(Display& d, std::size_t bytes)
{
    Segment segment;
    const int id = shmget(IPC_PRIVATE, bytes, IPC_CREAT | 0600);
    if (id < 0)
        return segment;
    void* address = shmat(id, nullptr, 0);
    if (address == reinterpret_cast<void*>(-1)) {
        shmctl(id, IPC_RMID, nullptr);
        return segment;
    }
    const xcb_shm_seg_t seg = xcb_generate_id(d.connection);
    std::unique_ptr<xcb_generic_error_t, decltype(&std::free)> error(
        xcb_request_check(d.connection, xcb_shm_attach_checked(d.connection, seg, uint32_t(id), 0)), &std::free);
    // Marked for removal now: it goes once both sides have detached it.
    shmctl(id, IPC_RMID, nullptr);
    if (error) {
        shmdt(address);
        return segment;
    }
    segment.address = address;
    segment.id = seg;
    return segment;
}

void detachSegment(Display& d, const Segment& segment)
{
    if (d.connection) {
        xcb_shm_detach(d.connection, segment.id);
        xcb_flush(d.connection);
    }
    shmdt(segment.address);
}

void releasePicture(void* info)
{
    std::unique_ptr<Segment> segment(static_cast<Segment*>(info));
    Display& d = display();
    const std::lock_guard lock(d.mutex);
    d.segments.erase(static_cast<const uchar*>(segment->address));
    detachSegment(d, *segment);
}

// Sharing needs the X platform, the extension, the screen's 24-bit colour in 32-bit
// pixels of the machine's byte order (QImage::Format_RGB32), and a first segment the
// server can attach (a remote server cannot).
bool probe(Display& d)
{
    if (QGuiApplication::platformName() != QLatin1String("xcb"))
        return false;
    auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    xcb_connection_t* connection = x11 ? x11->connection() : nullptr;
    if (!connection)
        return false;
    std::unique_ptr<xcb_shm_query_version_reply_t, decltype(&std::free)> version(
        xcb_shm_query_version_reply(connection, xcb_shm_query_version(connection), nullptr), &std::free);
    if (!version)
        return false;
    const xcb_setup_t* setup = xcb_get_setup(connection);
    const xcb_screen_t* screen = xcb_setup_roots_iterator(setup).data;
    if (!screen || screen->root_depth != 24 || setup->image_byte_order != XCB_IMAGE_ORDER_LSB_FIRST)
        return false;
    d.connection = connection;
    const Segment test = attachSegment(d, 4096);
    if (!test.address) {
        d.connection = nullptr;
        return false;
    }
    detachSegment(d, test);
    d.gc = xcb_generate_id(connection);
    xcb_create_gc(connection, d.gc, screen->root, 0, nullptr);
    qAddPostRoutine(forgetConnection);
    return true;
}

}  // namespace

bool sharedPicturesAvailable()
{
    Display& d = display();
    const std::lock_guard lock(d.mutex);
    if (!d.tried) {
        d.tried = true;
        d.available = probe(d);
        qCInfo(lcSharedPictures) << "pictures shared with the display:" << (d.available ? "yes" : "no");
    }
    return d.available;
}

QImage makeSharedPicture(QSize size)
{
    if (size.isEmpty())
        return {};
    if (sharedPicturesAvailable()) {
        Display& d = display();
        const std::lock_guard lock(d.mutex);
        const qsizetype bytesPerLine = qsizetype(size.width()) * 4;
        const Segment segment =
            d.connection ? attachSegment(d, std::size_t(bytesPerLine) * std::size_t(size.height())) : Segment{};
        if (segment.address) {
            auto* bits = static_cast<uchar*>(segment.address);
            d.segments[bits] = segment.id;
            return QImage(bits, size.width(), size.height(), bytesPerLine, QImage::Format_RGB32, releasePicture,
                          new Segment(segment));
        }
        static bool told = false;
        if (!std::exchange(told, true))
            qCWarning(lcSharedPictures) << "no shared memory for a picture of" << size << "; it is painted as usual";
    }
    return QImage(size, QImage::Format_RGB32);
}

bool isShared(const QImage& picture)
{
    if (picture.isNull() || picture.format() != QImage::Format_RGB32)
        return false;
    Display& d = display();
    const std::lock_guard lock(d.mutex);
    return d.segments.count(picture.constBits()) != 0;
}

bool putSharedPicture(WId window, const QImage& picture, const QRect& source, const QPoint& to)
{
    if (picture.isNull() || picture.format() != QImage::Format_RGB32)
        return false;
    Display& d = display();
    const std::lock_guard lock(d.mutex);
    const auto found = d.segments.find(picture.constBits());
    if (!d.connection || found == d.segments.end())
        return false;
    const QRect part = source & picture.rect();
    if (part.isEmpty())
        return true;
    xcb_shm_put_image(d.connection, xcb_drawable_t(window), d.gc, uint16_t(picture.bytesPerLine() / 4),
                      uint16_t(picture.height()), uint16_t(part.x()), uint16_t(part.y()), uint16_t(part.width()),
                      uint16_t(part.height()), int16_t(to.x()), int16_t(to.y()), 24, XCB_IMAGE_FORMAT_Z_PIXMAP, 0,
                      found->second, 0);
    xcb_flush(d.connection);
    return true;
}

}  // namespace platform::gdi
