#pragma once

#include "platform/capdriver/CaptureSequence.h"

#include <QString>

#include <functional>
#include <memory>

namespace platform::video {

// What the capture layer records with: AVI files through FFmpeg, sound from ALSA
// or the test tone. The only header of this folder the others include.
// The bytes still free on the disk of a file; tests stand in for the disk.
using FreeSpace = std::function<qint64(const QString& path)>;
// A recording ends with a complete file while this much room is left, so the
// index still fits when the disk fills up: at least kDiskReserveBytes, and as
// much as kDiskReserveSeconds of the stream at the rate it is written.
inline constexpr qint64 kDiskReserveBytes = 8 * 1024 * 1024;
inline constexpr int kDiskReserveSeconds = 4;
// The reserve for a stream that wrote `bytesWritten` in `elapsedUs` microseconds.
qint64 diskReserveFor(qint64 bytesWritten, qint64 elapsedUs);

std::shared_ptr<capdriver::SequencerFactory> makeAviSequencerFactory(FreeSpace freeSpace = {});

// The quantiser a compression quality of 1..100 stands for: 100 gives 2 (finest),
// 1 gives 31 (coarsest), as FFmpeg's -q:v counts.
int quantiserFor(int quality);

}  // namespace platform::video
