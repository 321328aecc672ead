#include "viewer/SlideShow.h"

#include <cmath>

namespace {

struct SlideTimingRow {
    double seconds;
    const char* caption;
};

constexpr SlideTimingRow kSlideTimingTable[kSlideTimings] = {
    {0.01, "10ms"}, {0.025, "25ms"}, {0.05, "50ms"}, {0.1, "100ms"}, {0.25, "250ms"},
    {0.5, "0.5s"},  {1, "1s"},       {3, "3s"},      {6, "6s"},      {10, "10s"},
};

constexpr double kOtherDelay = 0.2;

}  // namespace

double slideDelayFor(int slideTiming)
{
    return slideTiming >= 0 && slideTiming < kSlideTimings ? kSlideTimingTable[slideTiming].seconds : kOtherDelay;
}

const char* slideTimingCaption(int index)
{
    return index >= 0 && index < kSlideTimings ? kSlideTimingTable[index].caption : "";
}

int slideStartIndex(int listIndex, int listCount)
{
    if (listIndex >= listCount - 1 || listIndex < 0)
        return 0;
    return listIndex;
}

std::chrono::milliseconds slideDelayDuration(double seconds)
{
    return std::chrono::milliseconds(std::llround(seconds * 1000.0));
}
