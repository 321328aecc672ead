#include "platform/sound/SoundPlayer.h"

#include <QFile>
#include <QFileInfo>

SoundPlayer::SoundPlayer(std::unique_ptr<SoundDevice> device, Observer observer)
    : device_(std::move(device)), observer_(std::move(observer)), worker_([this] { run(); })
{
}

SoundPlayer::~SoundPlayer()
{
    {
        std::lock_guard lock(mutex_);
        quitting_ = true;
    }
    stopAll_ = true;
    wake_.notify_one();
    worker_.join();
}

void SoundPlayer::play(const QString& filePath)
{
    {
        std::lock_guard lock(mutex_);
        pending_ = filePath;
        ++latestRequest_;
    }
    wake_.notify_one();
}

void SoundPlayer::run()
{
    std::unique_lock lock(mutex_);
    for (;;) {
        wake_.wait(lock, [this] { return quitting_ || pending_; });
        if (quitting_)
            return;
        const QString path = *std::exchange(pending_, std::nullopt);
        const uint64_t request = latestRequest_;
        lock.unlock();
        const SoundOutcome outcome = playFile(path, request);
        if (observer_)
            observer_(path, outcome);
        lock.lock();
    }
}

SoundOutcome SoundPlayer::playFile(const QString& filePath, uint64_t request)
{
    // Only regular files: opening a FIFO or a device node could hang the player.
    if (!QFileInfo(filePath).isFile())
        return SoundOutcome::BadFile;
    QFile file(filePath);
    if (!file.open(QIODevice::ReadOnly) || file.size() > kMaxFileBytes)
        return SoundOutcome::BadFile;
    const auto sound = parseWave(file.readAll());
    if (!sound)
        return SoundOutcome::BadFile;
    return device_->play(*sound, [this, request] { return stopAll_ || latestRequest_ != request; });
}
