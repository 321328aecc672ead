#pragma once

// The one owner of each TurboJPEG handle, for the JPEG writer, the camera's Motion
// JPEG decoder and their benchmarks; TurboJPEG's own header stays with the code
// that calls it.
#include <memory>

struct TurboHandleDestroy {
    void operator()(void* handle) const;
};
struct TurboBufferFree {
    void operator()(unsigned char* buffer) const;
};

using TurboHandle = std::unique_ptr<void, TurboHandleDestroy>;
using TurboBuffer = std::unique_ptr<unsigned char, TurboBufferFree>;
