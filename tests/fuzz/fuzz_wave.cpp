// RIFF/WAVE files: any content is parsed or refused; what is accepted is whole
// frames of a layout that can be played.
#include "FuzzSupport.h"
#include "platform/sound/SoundWave.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const auto sound = parseWave(fuzz::bytesOf(data, size));
    if (!sound)
        return 0;
    FUZZ_CHECK(sound->channels > 0);
    FUZZ_CHECK(sound->sampleRate > 0);
    FUZZ_CHECK(sound->bytesPerFrame() > 0);
    FUZZ_CHECK(sound->frames.size() % sound->bytesPerFrame() == 0);
    FUZZ_CHECK(sound->frameCount() > 0);
    FUZZ_CHECK(sound->frames.size() <= qsizetype(size));
    return 0;
}
