#pragma once

#include <QImage>
#include <QObject>
#include <QString>

#include <functional>
#include <map>
#include <memory>

class QTimer;
class VideoSurface;
struct MciCommand;

// A small player that answers the command strings of the multimedia interface
// the viewer was written for ("open ... alias AVIvideo", "play AVIvideo repeat",
// "status AVIvideo position", ...). One device is open under its alias at a time.
// Frames are decoded on the user-interface thread, one per timer tick at the
// clip's own rate, so asking and drawing never race; the sound track plays on a
// thread of its own where a sound device exists.
class MciPlayer : public QObject {
    Q_OBJECT
public:
    // Milliseconds of a monotonic clock; tests move it by hand.
    using Clock = std::function<qint64()>;

    explicit MciPlayer(Clock clock = {}, QObject* parent = nullptr);
    ~MciPlayer() override;

    // Runs one command; 0 or the error code. `reply` receives the answer of a
    // status command ("" for every other command and for every failure).
    int sendString(const QString& command, QString* reply = nullptr);

    // A window's number for "window <alias> handle <number>"; unregistered when
    // the window goes.
    qint64 registerWindow(VideoSurface* surface);
    void unregisterWindow(qint64 handle);

    // The frame drawn last, as drawn; it stays after the device closes.
    QImage lastFrame() const { return lastFrame_; }
    // Whether the sound track of the playing clip reaches a sound device.
    bool soundPlaying() const;

    // Brings the drawn frame up to the clock; the player's timer calls it.
    void advance();

signals:
    void frameShown(qint64 frameIndex);

private:
    struct Device;
    int open(const MciCommand& command);
    int run(Device& device, const MciCommand& command, QString& reply);
    int status(const Device& device, const MciCommand& command, QString& reply) const;
    int window(Device& device, const MciCommand& command);
    int put(Device& device, const MciCommand& command);
    int set(Device& device, const MciCommand& command);
    int play(Device& device, const MciCommand& command);
    int seek(Device& device, const MciCommand& command);
    void startSound(Device& device);
    void draw(Device& device, bool always);
    void schedule();
    qint64 now() const { return clock_(); }

    Clock clock_;
    QTimer* ticker_ = nullptr;
    std::unique_ptr<Device> device_;
    std::map<qint64, VideoSurface*> windows_;
    qint64 nextHandle_ = 1;
    QImage lastFrame_;
};
