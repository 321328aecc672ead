#pragma once

#include <chrono>

// The slide show below the window: its delay table and where a show starts.

inline constexpr int kSlideTimings = 10;

// The delay in seconds for a SlideTiming; 0.2 for a value outside 0 to 9.
double slideDelayFor(int slideTiming);
// The caption of the delay menu's item `index` ("10ms" ... "10s").
const char* slideTimingCaption(int index);
// The list index a show starts at: the first file when the selection is at or
// past the last file or there is none.
int slideStartIndex(int listIndex, int listCount);
// A delay in seconds as whole milliseconds.
std::chrono::milliseconds slideDelayDuration(double seconds);

// How the show waits between two slides while the window stays alive. stop()
// ends a wait early (the show was stopped or the window closes).
class SlideWait {
public:
    virtual ~SlideWait() = default;
    virtual void wait(std::chrono::milliseconds delay) = 0;
    virtual void stop() = 0;
};
