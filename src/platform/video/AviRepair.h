#pragma once

#include "platform/base/Result.h"

#include <QString>

namespace platform::video {

// What closing a broken-off AVI file came to.
struct AviCloseResult {
    Result result;
    qint64 videoFrames = 0;  // video chunks the closed file holds
    bool removed = false;    // it held no frame and was removed
};

// Makes an AVI file whose writing broke off (a full disk, a write error) playable:
// it is cut after the last whole chunk, and its index ("idx1"), its list and file
// sizes and its frame counts are written, as a finished recording has them. When
// the index does not fit on a full disk, chunks are taken off the end until it
// does. A file that holds no video frame (nothing or only part of its header
// reached the disk) is removed. A file whose first RIFF list was closed already
// (finished, or larger than one RIFF list) is left as it is.
AviCloseResult closeBrokenAvi(const QString& path);

}  // namespace platform::video
