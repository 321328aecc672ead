#pragma once

#include "platform/capdriver/CaptureSequence.h"

#include <memory>

namespace platform::video {

// What the capture layer records with: AVI files through FFmpeg, sound from ALSA
// or the test tone. The only header of this folder the others include.
std::shared_ptr<capdriver::SequencerFactory> makeAviSequencerFactory();

// The quantiser a compression quality of 1..100 stands for: 100 gives 2 (finest),
// 1 gives 31 (coarsest), as FFmpeg's -q:v counts.
int quantiserFor(int quality);

}  // namespace platform::video
