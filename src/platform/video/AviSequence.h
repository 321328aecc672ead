#pragma once

#include "platform/capdriver/CaptureSequence.h"
#include "platform/video/AudioInput.h"
#include "platform/video/AviMuxer.h"
#include "platform/video/VideoEncoder.h"

#include <condition_variable>
#include <deque>
#include <mutex>
#include <thread>

namespace platform::video {

// One capture sequence into an AVI file. Frame slot k begins k periods after the
// first frame on the monotonic clock. The sequence's own thread keeps that clock:
// at each slot it takes the newest frame and the sound that came in, and queues
// them; a second thread encodes and writes what is queued, so a slow frame, a slow
// disk or an encoder's slow start delays the writing, never the taking. A slow
// device repeats frames; a thread woken late by a busy machine takes the newest
// frame for the slots it overslept, up to kLateSlackUs; slots further behind, and
// slots whose frame finds the queue full, are skipped (written as empty chunks,
// which players show as the frame before) and counted as dropped. Either way the
// file lasts as long as the recording did.
class AviSequence final : public capdriver::CaptureSequencer {
public:
    // How late the clock thread may wake and still fill the slots it overslept.
    static constexpr qint64 kLateSlackUs = 250000;
    // The frames waiting to be written hold at most this many bytes (and at least
    // kMinQueuedFrames frames).
    static constexpr qint64 kQueueBytes = qint64(96) * 1024 * 1024;
    static constexpr int kMinQueuedFrames = 3;

    explicit AviSequence(FreeSpace freeSpace) : freeSpace_(std::move(freeSpace)) {}
    ~AviSequence() override;
    Result start(capdriver::SequenceRequest request) override;
    void stop() override;
    capdriver::SequenceStatus status() const override;

private:
    using Clock = std::chrono::steady_clock;

    // What the clock thread hands the writing thread, in the file's order.
    struct Item {
        enum class Kind { Frame, Sound, End };
        Kind kind = Kind::End;
        QImage frame;
        qint64 slot = 0;
        QByteArray sound;
        Result outcome;  // of the sequence, on its End
    };

    Result open(const QImage& first);
    // The clock thread: takes a frame for every slot.
    void takeFrames(QImage first);
    // Queues the frame of a slot; false when the writing ended, or when the queue
    // is full (the slot is counted as dropped) unless `always`.
    bool queueFrame(const QImage& frame, qint64 slot, bool always);
    void queueSound(qint64 elapsedUs);
    void queueEnd(Result outcome);
    // Puts an item on the writing thread's queue: false once writing has ended, and
    // for a frame that finds the queue full (counted as dropped) unless `always`.
    bool push(Item item, bool always);
    // The writing thread: encodes and writes the queue until its End.
    void writeFrames();
    Result fillSlot(const QImage& frame, qint64 slot);
    Result writeSound(const QByteArray& bytes);
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
    int queueCapacity_ = kMinQueuedFrames;  // frames

    mutable std::mutex mutex_;
    std::condition_variable wake_;    // the clock thread: stop, or the writing ended
    std::condition_variable queued_;  // the writing thread: an item came
    std::deque<Item> queue_;
    int queuedFrames_ = 0;
    bool stopping_ = false;
    bool writingEnded_ = false;
    capdriver::SequenceStatus status_;
    std::thread clockThread_;
    std::thread writeThread_;
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
