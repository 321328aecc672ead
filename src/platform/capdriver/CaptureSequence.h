#pragma once

#include "platform/base/Result.h"

#include <QByteArray>
#include <QImage>
#include <QList>
#include <QString>

#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>

namespace platform::capdriver {

// The capture parameters of a sequence, field for field the 96-byte record callers
// hand to capCaptureSetSetup. Flags are 0 for off and nonzero (usually -1) for on.
// The recorder reads the frame period, the drop share, the index size, the sound
// switch and the time limit. fYield is kept but not obeyed: a sequence always runs
// on its own thread, so no call ever holds the user interface for a recording.
struct CaptureParms {
    std::uint32_t dwRequestMicroSecPerFrame = 66667;
    std::int32_t fMakeUserHitOKToCapture = 0;
    std::uint32_t wPercentDropForError = 10;
    std::int32_t fYield = 0;
    std::uint32_t dwIndexSize = 0;
    std::uint32_t wChunkGranularity = 0;
    std::int32_t fUsingDOSMemory = 0;
    std::uint32_t wNumVideoRequested = 0;
    std::int32_t fCaptureAudio = 0;
    std::uint32_t wNumAudioRequested = 0;
    std::uint32_t vKeyAbort = 0;
    std::int32_t fAbortLeftMouse = 0;
    std::int32_t fAbortRightMouse = 0;
    std::int32_t fLimitEnabled = 0;
    std::uint32_t wTimeLimit = 0;
    std::int32_t fMCIControl = 0;
    std::int32_t fStepMCIDevice = 0;
    std::uint32_t dwMCIStartTime = 0;
    std::uint32_t dwMCIStopTime = 0;
    std::int32_t fStepCaptureAt2x = 0;
    std::uint32_t wStepCaptureAverageFrames = 0;
    std::uint32_t dwAudioBufferSize = 0;
    std::int32_t fDisableWriteCache = 0;
    std::uint32_t AVStreamMaster = 0;

    bool operator==(const CaptureParms&) const = default;
};
inline constexpr int kCaptureParmsSize = 96;
static_assert(sizeof(CaptureParms) == kCaptureParmsSize);

// An audio format in the terms of a WAVEFORMATEX record; only PCM is recorded.
struct WaveFormat {
    static constexpr std::uint16_t kPcm = 1;
    // The record's size without extra bytes, cbSize included.
    static constexpr int kRecordSize = 18;

    std::uint16_t formatTag = kPcm;
    std::uint16_t channels = 1;
    std::uint32_t samplesPerSec = 11025;
    std::uint32_t avgBytesPerSec = 11025;
    std::uint16_t blockAlign = 1;
    std::uint16_t bitsPerSample = 8;
    std::uint16_t cbSize = 0;

    static WaveFormat pcm(std::uint32_t rate, int bits, int channels);
    // The little-endian record, 18 + cbSize bytes (extra bytes zero).
    QByteArray toRecord() const;
    // Nullopt when the bytes are shorter than the record they announce.
    static std::optional<WaveFormat> fromRecord(const QByteArray& bytes);
    // A PCM format the recorder can write: 8 or 16 bits, 1 or 2 channels, fields agreeing.
    bool isUsablePcm() const;
    // "11.025 kHz, 8 Bit, Mono"
    QString description() const;
    bool operator==(const WaveFormat&) const = default;
};

// The recording's video codec and its settings, chosen in the compression dialog.
struct VideoCompression {
    enum class Codec { Uncompressed, MotionJpeg, Mpeg4 };
    Codec codec = Codec::MotionJpeg;
    int quality = 75;          // 1..100
    int keyFrameEvery = 15;    // frames; MPEG-4 only
    bool operator==(const VideoCompression&) const = default;
};
QString codecName(VideoCompression::Codec codec);

// Where the sound of a recording comes from.
enum class AudioSource { Alsa, Synthetic, None };

// Everything one sequence needs. frames is called on the sequence's own thread only,
// and waits up to the given time for the first frame; a null image means the
// device has failed.
struct SequenceRequest {
    QString path;
    CaptureParms parms;
    VideoCompression compression;
    WaveFormat audioFormat;
    AudioSource audioSource = AudioSource::None;
    std::function<QImage(std::chrono::milliseconds)> frames;
    // Every frame written is handed here too (the recording window shows it).
    std::function<void(const QImage&)> written;
};

// Codes of a sequence's result.
inline constexpr int kIndexFull = 1;     // dwIndexSize entries were written
inline constexpr int kDeviceFailed = 2;  // the device stopped delivering frames
inline constexpr int kWriteFailed = 3;   // the file could not be written (disk full)

// How a sequence went; read while it runs and after it ended.
struct SequenceStatus {
    bool running = false;
    qint64 framesWritten = 0;   // frame slots filled, repeats of a frame included
    qint64 framesDropped = 0;   // slots missed because the recorder fell behind
    qint64 audioBytes = 0;
    bool hasAudio = false;
    // False when the sequence could not start or ended early (device, disk, index).
    Result result;
    // The dropped share went above wPercentDropForError.
    bool tooManyDropped = false;
};

// Writes one capture sequence to a file on a thread of its own. The video folder
// implements it; the capture layer only drives it.
class CaptureSequencer {
public:
    virtual ~CaptureSequencer() = default;
    // Opens the file and starts the thread; a failure leaves no file behind.
    virtual Result start(SequenceRequest request) = 0;
    // Ends the sequence and completes the file; returns when it is written.
    virtual void stop() = 0;
    virtual SequenceStatus status() const = 0;
};

// Makes sequencers and knows which sound formats a source accepts.
class SequencerFactory {
public:
    virtual ~SequencerFactory() = default;
    virtual std::unique_ptr<CaptureSequencer> make() = 0;
    // The PCM formats (rates x 8/16 bits x mono/stereo) the source accepts; empty
    // when there is no sound device.
    virtual QList<WaveFormat> acceptedFormats(AudioSource source) = 0;
};

}  // namespace platform::capdriver
