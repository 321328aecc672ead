#pragma once

#include <QString>

#include <atomic>
#include <thread>

// The sound track of a clip, played from a position on a thread of its own
// through the default ALSA device. A clip without sound, a missing device or a
// device that fails only means silence; the picture goes on regardless.
class AudioTrack {
public:
    explicit AudioTrack(QString path) : path_(std::move(path)) {}
    ~AudioTrack() { stop(); }
    AudioTrack(const AudioTrack&) = delete;
    AudioTrack& operator=(const AudioTrack&) = delete;

    // Plays from `fromMs`, ending a sound still playing first.
    void start(qint64 fromMs);
    void stop();
    // True while samples reach a device.
    bool playing() const { return playing_; }

private:
    void run(qint64 fromMs);

    QString path_;
    std::thread worker_;
    std::atomic<bool> stop_{false};
    std::atomic<bool> playing_{false};
};
