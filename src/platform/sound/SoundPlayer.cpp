#include "platform/sound/SoundPlayer.h"

#include "platform/sound/SoundLog.h"

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

namespace {

SoundOutcome badFile(const QString& path, const QString& reason)
{
    qCWarning(lcSound).noquote() << "cannot play" << path << "-" << reason;
    return SoundOutcome::BadFile;
}

}  // namespace

SoundOutcome SoundPlayer::playFile(const QString& filePath, uint64_t request)
{
    // Only regular files: opening a FIFO or a device node could hang the player.
    if (!QFileInfo(filePath).isFile())
        return badFile(filePath, QStringLiteral("no such file"));
    QFile file(filePath);
    if (!file.open(QIODevice::ReadOnly))
        return badFile(filePath, file.errorString());
    if (file.size() > kMaxFileBytes)
        return badFile(filePath, QStringLiteral("the file is too large for a sound"));
    const auto sound = parseWave(file.readAll());
    if (!sound)
        return badFile(filePath, QStringLiteral("not a WAVE sound this player plays"));
    return device_->play(*sound, [this, request] { return stopAll_ || latestRequest_ != request; });
}
