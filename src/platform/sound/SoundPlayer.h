#pragma once

#include "platform/sound/SoundDevice.h"
#include "platform/sound/SoundOutput.h"

#include <atomic>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>

// Plays files on its own thread, so callers never wait for the file, the format
// or the device. Only the newest request counts: a request that arrives while a
// sound plays stops it, and requests that pile up meanwhile collapse into the last.
class SoundPlayer : public SoundOutput {
public:
    // Told of every request's end, on the player's thread.
    using Observer = std::function<void(const QString& filePath, SoundOutcome outcome)>;

    explicit SoundPlayer(std::unique_ptr<SoundDevice> device, Observer observer = {});
    ~SoundPlayer() override;
    SoundPlayer(const SoundPlayer&) = delete;
    SoundPlayer& operator=(const SoundPlayer&) = delete;

    void play(const QString& filePath) override;

    // Larger files are not sound effects; they are refused without being read whole.
    static constexpr qint64 kMaxFileBytes = 64 * 1024 * 1024;

private:
    void run();
    SoundOutcome playFile(const QString& filePath, uint64_t request);

    std::unique_ptr<SoundDevice> device_;
    Observer observer_;
    std::mutex mutex_;
    std::condition_variable wake_;
    std::optional<QString> pending_;
    bool quitting_ = false;
    std::atomic<uint64_t> latestRequest_{0};
    std::atomic<bool> stopAll_{false};
    std::thread worker_;
};
