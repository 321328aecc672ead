#pragma once

#include "viewer/SlideShow.h"

#include <functional>
#include <vector>

// The slide show's wait on a clock the test owns: every wait is recorded and
// moves the clock by its delay at once; `during` runs inside the n-th wait
// (1 for the first), as the user's clicks arrive while a slide is on screen.
class SlideWaitFake : public SlideWait {
public:
    void wait(std::chrono::milliseconds delay) override
    {
        delays.push_back(delay);
        clock += delay;
        if (during)
            during(int(delays.size()));
    }
    void stop() override { ++stops; }

    std::vector<std::chrono::milliseconds> delays;
    std::chrono::milliseconds clock{0};
    std::function<void(int wait)> during;
    int stops = 0;
};
