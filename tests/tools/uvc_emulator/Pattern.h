#pragma once

// The picture an emulated camera shows: eight vertical colour bars over the top three
// quarters, and below them the frame counter as sixteen cells, most significant bit
// first, white for 1 and black for 0. Tests read a frame back with the functions
// below, whatever way it travelled (YUYV or Motion JPEG, converted by libv4l2 or not).

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace uvcemu {

struct Rgb {
    uint8_t r, g, b;
};

inline constexpr std::array<Rgb, 8> kBars{{{255, 255, 255},
                                           {255, 255, 0},
                                           {0, 255, 255},
                                           {0, 255, 0},
                                           {255, 0, 255},
                                           {255, 0, 0},
                                           {0, 0, 255},
                                           {0, 0, 0}}};
inline constexpr int kCounterCells = 16;

// The first row of the counter strip.
uint32_t counterTop(uint32_t height);

// The pattern of frame `counter` as packed RGB rows of width * 3 bytes.
void renderRgb(uint8_t* rgb, uint32_t width, uint32_t height, uint32_t counter);
// The same as YUYV (BT.601, limited range), width * 2 bytes a row.
void renderYuyv(uint8_t* yuyv, uint32_t width, uint32_t height, uint32_t counter);

// The pattern as the camera's Motion JPEG (4:2:2, quality 85) with the TurboJPEG
// compressor `compressor`: the frame is the first `length` bytes of `out`, which
// keeps its room between calls. `rgb` is scratch memory. False when TurboJPEG fails.
bool encodePatternJpeg(void* compressor, uint32_t width, uint32_t height, uint32_t counter,
                       std::vector<uint8_t>& rgb, std::vector<unsigned char>& out, std::size_t& length);

// Where a reader samples bar `bar` and counter cell `cell`: the middle of each.
struct Point {
    uint32_t x, y;
};
Point barCentre(uint32_t width, uint32_t height, int bar);
Point cellCentre(uint32_t width, uint32_t height, int cell);

// Reads a frame back from a pixel reader `at(x, y) -> Rgb`. `barsMatch` is false
// when any bar's centre is further than `tolerance` from its colour in a channel.
template <class At>
bool barsMatch(uint32_t width, uint32_t height, At at, int tolerance = 40)
{
    for (int i = 0; i < 8; ++i) {
        const Point p = barCentre(width, height, i);
        const Rgb c = at(p.x, p.y);
        const Rgb want = kBars[std::size_t(i)];
        auto far = [&](int a, int b) { return a - b > tolerance || b - a > tolerance; };
        if (far(c.r, want.r) || far(c.g, want.g) || far(c.b, want.b))
            return false;
    }
    return true;
}

template <class At>
uint32_t readCounter(uint32_t width, uint32_t height, At at)
{
    uint32_t counter = 0;
    for (int i = 0; i < kCounterCells; ++i) {
        const Point p = cellCentre(width, height, i);
        const Rgb c = at(p.x, p.y);
        counter = (counter << 1) | ((int(c.r) + c.g + c.b) > 3 * 128 ? 1u : 0u);
    }
    return counter;
}

}  // namespace uvcemu
