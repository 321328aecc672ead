#include "platform/video/AviSequence.h"

#include "platform/capdriver/CaptureTypes.h"
#include "platform/video/VideoLog.h"

#include "platform/video/VideoRecording.h"

#include <QFile>
#include <QFileInfo>
#include <QStorageInfo>

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
    if (thread_.joinable())
        return Result::failure("a sequence already runs");
    request_ = std::move(request);
    const QImage first = request_.frames ? request_.frames(kFirstFrameWait) : QImage();
    Result r = first.isNull() ? Result::failure("the device delivers no frames") : open(first);
    if (!r) {
        qCWarning(lcVideo) << "recording to" << request_.path << "could not start:" << r.reason;
        setResult(r);
        return r;
    }
    {
        std::lock_guard lock(mutex_);
        status_.running = true;
        status_.hasAudio = audio_ != nullptr;
    }
    began_ = Clock::now();
    thread_ = std::thread([this, first] { run(first); });
    return Result::success();
}

void AviSequence::stop()
{
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    wake_.notify_all();
    if (thread_.joinable())
        thread_.join();
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

bool AviSequence::diskNearlyFull(qint64 slot) const
{
    // Asking the file system once a second is plenty at any frame rate.
    const qint64 everySlots = std::max<qint64>(1, 1000000 / std::max<qint64>(1, request_.parms.dwRequestMicroSecPerFrame));
    return slot % everySlots == 0 && freeSpace_(request_.path) < kDiskReserveBytes;
}

bool AviSequence::fillSlot(const QImage& frame, qint64 slot)
{
    Result r = encoder_.encode(frame, slot, [this](AVPacket* packet) {
        return muxer_.write(packet, videoStream_, frameBase_);
    });
    if (!r) {
        finish(r);
        return false;
    }
    if (request_.written)
        request_.written(frame);
    std::lock_guard lock(mutex_);
    ++status_.framesWritten;
    return true;
}

Result AviSequence::pumpAudio(qint64 elapsedUs)
{
    if (!audio_)
        return Result::success();
    const QByteArray bytes = audio_->read(elapsedUs);
    const int align = std::max<int>(1, request_.audioFormat.blockAlign);
    if (bytes.size() < align)
        return Result::success();
    ffmpeg::Packet packet(av_packet_alloc());
    if (!packet || av_new_packet(packet.get(), int(bytes.size())) < 0)
        return Result::failure("out of memory");
    memcpy(packet->data, bytes.constData(), size_t(bytes.size()));
    const qint64 samples = bytes.size() / align;
    packet->pts = packet->dts = audioSamples_;
    packet->duration = samples;
    audioSamples_ += samples;
    ++audioPackets_;
    {
        std::lock_guard lock(mutex_);
        status_.audioBytes += bytes.size();
    }
    return muxer_.write(packet.get(), audioStream_, AVRational{1, int(request_.audioFormat.samplesPerSec)});
}

void AviSequence::run(QImage frame)
{
    const qint64 periodUs = std::max<qint64>(1, request_.parms.dwRequestMicroSecPerFrame);
    const qint64 lastSlot = slotCountFor(request_.parms);
    qint64 slot = 0;
    for (;;) {
        if (!fillSlot(frame, slot))
            return;
        ++slot;
        const auto due = began_ + microseconds(slot * periodUs);
        {
            std::unique_lock lock(mutex_);
            wake_.wait_until(lock, due, [this] { return stopping_; });
            if (stopping_)
                break;
        }
        if (slot == lastSlot)
            break;
        const qint64 elapsed = duration_cast<microseconds>(Clock::now() - began_).count();
        if (Result r = pumpAudio(std::min(elapsed, slot * periodUs)); !r)
            return finish(r);
        // Slots that passed while this one was written are skipped, never crowded
        // in; the last slot of a limited sequence is always filled, so the file
        // reaches its full length.
        const qint64 behind = std::min(elapsed / periodUs, lastSlot < 0 ? LLONG_MAX : lastSlot - 1) - slot;
        if (behind > 0) {
            std::lock_guard lock(mutex_);
            status_.framesDropped += behind;
            slot += behind;
        }
        if (indexFull())
            return finish(Result::failure("the index is full", capdriver::kIndexFull));
        if (diskNearlyFull(slot))
            return finish(Result::failure("the disk is nearly full", capdriver::kWriteFailed));
        frame = request_.frames(milliseconds(0));
        if (frame.isNull())
            return finish(Result::failure("the device stopped delivering frames", capdriver::kDeviceFailed));
    }
    pumpAudio(slot * periodUs);
    finish(Result::success());
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
