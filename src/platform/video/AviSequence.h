#pragma once

#include "platform/capdriver/CaptureSequence.h"
#include "platform/video/AudioInput.h"
#include "platform/video/AviMuxer.h"
#include "platform/video/VideoEncoder.h"

#include <condition_variable>
#include <mutex>
#include <thread>

namespace platform::video {

// One capture sequence into an AVI file, on a thread of its own. Frame slot k
// begins k periods after the start on the monotonic clock; each slot gets the
// newest frame, so a slow device repeats frames and a late recorder skips slots
// (written as empty chunks, which players show as the frame before). Either way
// the file lasts as long as the recording did.
class AviSequence final : public capdriver::CaptureSequencer {
public:
    explicit AviSequence(FreeSpace freeSpace) : freeSpace_(std::move(freeSpace)) {}
    ~AviSequence() override;
    Result start(capdriver::SequenceRequest request) override;
    void stop() override;
    capdriver::SequenceStatus status() const override;

private:
    using Clock = std::chrono::steady_clock;

    Result open(const QImage& first);
    void run(QImage first);
    // False when the sequence should end (stop, limit, failure).
    bool fillSlot(const QImage& frame, qint64 slot);
    Result pumpAudio(qint64 elapsedUs);
    bool indexFull() const;
    bool diskNearlyFull(qint64 slot) const;
    void finish(Result outcome);
    void setResult(const Result& result);

    FreeSpace freeSpace_;
    capdriver::SequenceRequest request_;
    AviMuxer muxer_;
    VideoEncoder encoder_;
    std::unique_ptr<AudioInput> audio_;
    int videoStream_ = -1;
    int audioStream_ = -1;
    AVRational frameBase_{1, 25};
    qint64 audioSamples_ = 0;
    qint64 audioPackets_ = 0;
    qint64 bytesWritten_ = 0;  // of both streams, for the disk reserve
    Clock::time_point began_;

    mutable std::mutex mutex_;
    std::condition_variable wake_;
    bool stopping_ = false;
    capdriver::SequenceStatus status_;
    std::thread thread_;
};

// The factory the capture layer is given: AVI sequences and the sound formats.
class AviSequencerFactory final : public capdriver::SequencerFactory {
public:
    explicit AviSequencerFactory(FreeSpace freeSpace) : freeSpace_(std::move(freeSpace)) {}
    std::unique_ptr<capdriver::CaptureSequencer> make() override;
    QList<capdriver::WaveFormat> acceptedFormats(capdriver::AudioSource source) override;

private:
    FreeSpace freeSpace_;
};

}  // namespace platform::video
