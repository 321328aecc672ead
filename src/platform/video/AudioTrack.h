#pragma once

#include <QByteArray>
#include <QString>

#include <atomic>
#include <thread>

// The sound track of a clip, played from a position on a thread of its own
// through the default ALSA device. A clip without sound, a missing device or a
// device that fails only means silence; the picture goes on regardless.
class AudioTrack {
public:
    explicit AudioTrack(QString path, QByteArray pcmName = "default")
        : path_(std::move(path)), pcmName_(std::move(pcmName))
    {
    }
    ~AudioTrack() { stop(); }
    AudioTrack(const AudioTrack&) = delete;
    AudioTrack& operator=(const AudioTrack&) = delete;

    // Plays from `fromMs`, ending a sound still playing first.
    void start(qint64 fromMs);
    void stop();
    // True while samples reach a device.
    bool playing() const { return playing_; }
    // Waits until the sound has played out (or failed).
    void waitUntilDone();
    // Sample frames handed to the device by the latest start.
    qint64 framesWritten() const { return framesWritten_; }

private:
    void run(qint64 fromMs);

    QString path_;
    QByteArray pcmName_;
    std::thread worker_;
    std::atomic<qint64> framesWritten_{0};
    std::atomic<bool> stop_{false};
    std::atomic<bool> playing_{false};
};
