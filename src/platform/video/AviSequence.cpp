#include "platform/video/AviSequence.h"

#include "platform/capdriver/CaptureTypes.h"
#include "platform/video/AviRepair.h"
#include "platform/video/VideoLog.h"

#include "platform/video/VideoRecording.h"

#include <QFile>
#include <QFileInfo>
#include <QStorageInfo>

#include <algorithm>
#include <climits>

namespace platform::video {

using namespace std::chrono;
using capdriver::SequenceStatus;

namespace {

// A device that delivers nothing this long after the start has failed.
constexpr milliseconds kFirstFrameWait = capdriver::kFirstFrameWait;

qint64 slotCountFor(const capdriver::CaptureParms& p)
{
    if (!p.fLimitEnabled || p.wTimeLimit == 0)
        return -1;
    const qint64 period = std::max<qint64>(1, p.dwRequestMicroSecPerFrame);
    return (qint64(p.wTimeLimit) * 1000000 + period - 1) / period;
}

}  // namespace

AviSequence::~AviSequence()
{
    stop();
}

Result AviSequence::open(const QImage& first)
{
    const capdriver::CaptureParms& p = request_.parms;
    Result r = muxer_.open(request_.path);
    if (r)
        r = encoder_.open(request_.compression, first.size(), int(std::max<quint32>(1, p.dwRequestMicroSecPerFrame)));
    if (!r)
        return r;
    frameBase_ = encoder_.context().time_base;
    videoStream_ = muxer_.addVideo(encoder_.context());
    if (request_.audioSource != capdriver::AudioSource::None)
        audio_ = openAudioInput(request_.audioSource, request_.audioFormat);
    if (audio_)
        audioStream_ = muxer_.addAudio(request_.audioFormat);
    else if (p.fCaptureAudio != 0)
        qCInfo(lcVideo) << "recording to" << request_.path << "without sound: the sound input could not be opened";
    if (videoStream_ < 0)
        return Result::failure("cannot add the video stream");
    return muxer_.begin();
}

Result AviSequence::start(capdriver::SequenceRequest request)
{
    if (clockThread_.joinable() || writeThread_.joinable())
        return Result::failure("a sequence already runs");
    request_ = std::move(request);
    const QImage probe = request_.frames ? request_.frames(kFirstFrameWait) : QImage();
    Result r = probe.isNull() ? Result::failure("the device delivers no frames") : open(probe);
    if (!r) {
        qCWarning(lcVideo) << "recording to" << request_.path << "could not start:" << r.reason;
        setResult(r);
        return r;
    }
    // The file, the encoder and the sound are ready before the clock starts: slot 0
    // is the frame that is newest now, and sound that came in while they opened is
    // left out, so picture and sound begin together.
    QImage first = request_.frames(milliseconds(0));
    if (first.isNull())
        first = probe;
    began_ = Clock::now();
    if (audio_)
        audio_->read(0);
    queueCapacity_ = int(std::clamp<qint64>(kQueueBytes / std::max<qint64>(1, first.sizeInBytes()), kMinQueuedFrames,
                                            INT_MAX));
    {
        std::lock_guard lock(mutex_);
        status_.running = true;
        status_.hasAudio = audio_ != nullptr;
    }
    writeThread_ = std::thread([this] { writeFrames(); });
    clockThread_ = std::thread([this, first] { takeFrames(first); });
    return Result::success();
}

void AviSequence::stop()
{
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    wake_.notify_all();
    if (clockThread_.joinable())
        clockThread_.join();
    if (writeThread_.joinable())
        writeThread_.join();
}

SequenceStatus AviSequence::status() const
{
    std::lock_guard lock(mutex_);
    return status_;
}

void AviSequence::setResult(const Result& result)
{
    std::lock_guard lock(mutex_);
    status_.result = result;
}

bool AviSequence::indexFull() const
{
    const quint32 limit = request_.parms.dwIndexSize;
    std::lock_guard lock(mutex_);
    return limit > 0 && status_.framesWritten + status_.framesDropped + audioPackets_ >= qint64(limit);
}

qint64 diskReserveFor(qint64 bytesWritten, qint64 elapsedUs)
{
    if (elapsedUs <= 0)
        return kDiskReserveBytes;
    const double bytesPerSecond = double(bytesWritten) * 1e6 / double(elapsedUs);
    return std::max<qint64>(kDiskReserveBytes, qint64(bytesPerSecond * kDiskReserveSeconds));
}

bool AviSequence::diskNearlyFull(qint64 slot) const
{
    // The disk is asked once a second; the reserve holds several seconds of the
    // stream, so a fast stream (uncompressed pictures) stops while its index fits.
    const qint64 periodUs = std::max<qint64>(1, request_.parms.dwRequestMicroSecPerFrame);
    const qint64 everySlots = std::max<qint64>(1, 1000000 / periodUs);
    return slot % everySlots == 0 && freeSpace_(request_.path) < diskReserveFor(bytesWritten_, slot * periodUs);
}

void AviSequence::takeFrames(QImage frame)
{
    const qint64 periodUs = std::max<qint64>(1, request_.parms.dwRequestMicroSecPerFrame);
    const qint64 lastSlot = slotCountFor(request_.parms);
    qint64 slot = 0;
    bool queued = false;
    for (;;) {
        if (request_.written)
            request_.written(frame);
        queued = queueFrame(frame, slot, false);
        ++slot;
        {
            std::unique_lock lock(mutex_);
            wake_.wait_until(lock, began_ + microseconds(slot * periodUs), [this] { return stopping_ || writingEnded_; });
            if (stopping_ || writingEnded_)
                break;
        }
        if (slot == lastSlot)
            break;
        const qint64 elapsed = duration_cast<microseconds>(Clock::now() - began_).count();
        queueSound(std::min(elapsed, slot * periodUs));
        // The slots that passed while this thread was held up (a busy machine) get the
        // newest frame when that was not long ago; further behind they are skipped,
        // never crowded in. The last slot of a limited sequence is always reached.
        const qint64 behind = std::min(elapsed / periodUs, lastSlot < 0 ? LLONG_MAX : lastSlot - 1) - slot;
        frame = request_.frames(milliseconds(0));
        if (frame.isNull())
            return queueEnd(Result::failure("the device stopped delivering frames", capdriver::kDeviceFailed));
        if (behind > 0) {
            if (behind * periodUs <= kLateSlackUs) {
                for (qint64 k = 0; k < behind; ++k)
                    queueFrame(frame, slot + k, false);
            } else {
                std::lock_guard lock(mutex_);
                status_.framesDropped += behind;
            }
            slot += behind;
        }
    }
    // The file ends with a picture in its last slot, so that picture and sound are
    // equally long: a last frame the full queue refused goes in all the same.
    if (!queued && queueFrame(frame, slot - 1, true)) {
        std::lock_guard lock(mutex_);
        --status_.framesDropped;
    }
    queueSound(slot * periodUs);
    queueEnd(Result::success());
}

bool AviSequence::queueFrame(const QImage& frame, qint64 slot, bool always)
{
    Item item;
    item.kind = Item::Kind::Frame;
    item.frame = frame;
    item.slot = slot;
    return push(std::move(item), always);
}

void AviSequence::queueSound(qint64 elapsedUs)
{
    if (!audio_)
        return;
    Item item;
    item.kind = Item::Kind::Sound;
    item.sound = audio_->read(elapsedUs);
    if (item.sound.size() >= std::max<int>(1, request_.audioFormat.blockAlign))
        push(std::move(item), false);
}

void AviSequence::queueEnd(Result outcome)
{
    Item item;
    item.kind = Item::Kind::End;
    item.outcome = std::move(outcome);
    push(std::move(item), false);
}

bool AviSequence::push(Item item, bool always)
{
    {
        std::lock_guard lock(mutex_);
        if (writingEnded_)
            return false;
        if (item.kind == Item::Kind::Frame) {
            if (queuedFrames_ >= queueCapacity_ && !always) {
                ++status_.framesDropped;
                return false;
            }
            ++queuedFrames_;
        }
        queue_.push_back(std::move(item));
    }
    queued_.notify_one();
    return true;
}

void AviSequence::writeFrames()
{
    Result outcome = Result::success();
    for (;;) {
        Item item;
        {
            std::unique_lock lock(mutex_);
            queued_.wait(lock, [this] { return !queue_.empty(); });
            item = std::move(queue_.front());
            queue_.pop_front();
            if (item.kind == Item::Kind::Frame)
                --queuedFrames_;
        }
        if (item.kind == Item::Kind::End) {
            outcome = item.outcome;
            break;
        }
        if (item.kind == Item::Kind::Sound) {
            outcome = writeSound(item.sound);
            if (!outcome)
                break;
            continue;
        }
        if (indexFull()) {
            outcome = Result::failure("the index is full", capdriver::kIndexFull);
            break;
        }
        if (item.slot > 0 && diskNearlyFull(item.slot)) {
            outcome = Result::failure("the disk is nearly full", capdriver::kWriteFailed);
            break;
        }
        outcome = fillSlot(item.frame, item.slot);
        if (!outcome)
            break;
    }
    {
        std::lock_guard lock(mutex_);
        writingEnded_ = true;
        queue_.clear();
        queuedFrames_ = 0;
    }
    wake_.notify_all();
    finish(outcome);
}

Result AviSequence::fillSlot(const QImage& frame, qint64 slot)
{
    Result r = encoder_.encode(frame, slot, [this](AVPacket* packet) {
        bytesWritten_ += packet->size;
        return muxer_.write(packet, videoStream_, frameBase_);
    });
    if (!r)
        return r;
    std::lock_guard lock(mutex_);
    ++status_.framesWritten;
    return r;
}

Result AviSequence::writeSound(const QByteArray& bytes)
{
    const int align = std::max<int>(1, request_.audioFormat.blockAlign);
    ffmpeg::Packet packet(ffmpeg::fn().av_packet_alloc());
    if (!packet || ffmpeg::fn().av_new_packet(packet.get(), int(bytes.size())) < 0)
        return Result::failure("out of memory");
    memcpy(packet->data, bytes.constData(), size_t(bytes.size()));
    const qint64 samples = bytes.size() / align;
    packet->pts = packet->dts = audioSamples_;
    packet->duration = samples;
    audioSamples_ += samples;
    ++audioPackets_;
    bytesWritten_ += bytes.size();
    {
        std::lock_guard lock(mutex_);
        status_.audioBytes += bytes.size();
    }
    return muxer_.write(packet.get(), audioStream_, AVRational{1, int(request_.audioFormat.samplesPerSec)});
}

void AviSequence::finish(Result outcome)
{
    Result flushed = encoder_.flush([this](AVPacket* packet) { return muxer_.write(packet, videoStream_, frameBase_); });
    Result closed = muxer_.finish();
    if (outcome && !flushed)
        outcome = flushed;
    if (outcome && !closed)
        outcome = closed;
    if (!outcome && outcome.code == 0)
        outcome.code = capdriver::kWriteFailed;
    // A write that failed (a full disk) left the file without its index and sizes:
    // it is closed here so that it plays, or removed when no frame reached it.
    if (!closed) {
        const AviCloseResult repaired = closeBrokenAvi(request_.path);
        if (repaired.removed)
            outcome = Result::failure(QStringLiteral("the disk is full (%1): %2").arg(outcome.reason, repaired.result.reason),
                                      capdriver::kWriteFailed);
        std::lock_guard lock(mutex_);
        if (repaired.result)
            status_.framesWritten = std::min(status_.framesWritten, repaired.videoFrames);
        else if (repaired.removed)
            status_.framesWritten = 0;
    }
    std::lock_guard lock(mutex_);
    const qint64 total = status_.framesWritten + status_.framesDropped;
    status_.tooManyDropped = total > 0 && status_.framesDropped * 100 > qint64(request_.parms.wPercentDropForError) * total;
    status_.result = outcome;
    status_.running = false;
    if (!outcome)
        qCWarning(lcVideo) << "recording to" << request_.path << "ended early:" << outcome.reason;
    if (status_.tooManyDropped)
        qCWarning(lcVideo) << "recording to" << request_.path << "dropped" << status_.framesDropped << "of" << total
                           << "frames";
}

std::unique_ptr<capdriver::CaptureSequencer> AviSequencerFactory::make()
{
    return std::make_unique<AviSequence>(freeSpace_);
}

QList<capdriver::WaveFormat> AviSequencerFactory::acceptedFormats(capdriver::AudioSource source)
{
    return acceptedAudioFormats(source);
}

}  // namespace platform::video

namespace platform::video {

std::shared_ptr<capdriver::SequencerFactory> makeAviSequencerFactory(FreeSpace freeSpace)
{
    if (!freeSpace)
        freeSpace = [](const QString& path) { return QStorageInfo(QFileInfo(path).absolutePath()).bytesAvailable(); };
    return std::make_shared<AviSequencerFactory>(std::move(freeSpace));
}

}  // namespace platform::video
