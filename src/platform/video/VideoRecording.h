#pragma once

#include "platform/capdriver/CaptureSequence.h"

#include <memory>

namespace platform::video {

// What the capture layer records with: AVI files through FFmpeg, sound from ALSA
// or the test tone. The only header of this folder the others include.
std::shared_ptr<capdriver::SequencerFactory> makeAviSequencerFactory();

}  // namespace platform::video
