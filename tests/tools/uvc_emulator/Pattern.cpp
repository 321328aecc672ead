#include "Pattern.h"

#include <turbojpeg.h>

#include <algorithm>
#include <cmath>
#include <cstring>

namespace uvcemu {

namespace {

struct Yuv {
    uint8_t y, u, v;
};

uint8_t clamp8(double v)
{
    return uint8_t(std::clamp(std::lround(v), 0l, 255l));
}

Yuv toYuv(Rgb c)
{
    const double r = c.r, g = c.g, b = c.b;
    return {clamp8(16 + (65.481 * r + 128.553 * g + 24.966 * b) / 255.0),
            clamp8(128 + (-37.797 * r - 74.203 * g + 112.0 * b) / 255.0),
            clamp8(128 + (112.0 * r - 93.786 * g - 18.214 * b) / 255.0)};
}

int barAt(uint32_t x, uint32_t width)
{
    return int(uint64_t(x) * 8 / width);
}

bool cellSet(uint32_t x, uint32_t width, uint32_t counter)
{
    const int cell = int(uint64_t(x) * kCounterCells / width);
    return (counter >> (kCounterCells - 1 - cell)) & 1u;
}

}  // namespace

uint32_t counterTop(uint32_t height)
{
    return height * 3 / 4;
}

void renderRgb(uint8_t* rgb, uint32_t width, uint32_t height, uint32_t counter)
{
    const std::size_t stride = std::size_t(width) * 3;
    uint8_t* row = rgb;
    for (uint32_t x = 0; x < width; ++x) {
        const Rgb c = kBars[std::size_t(barAt(x, width))];
        row[3 * x] = c.r;
        row[3 * x + 1] = c.g;
        row[3 * x + 2] = c.b;
    }
    const uint32_t top = counterTop(height);
    for (uint32_t y = 1; y < top; ++y)
        std::memcpy(rgb + y * stride, row, stride);
    uint8_t* cells = rgb + top * stride;
    for (uint32_t x = 0; x < width; ++x)
        std::memset(cells + 3 * x, cellSet(x, width, counter) ? 255 : 0, 3);
    for (uint32_t y = top + 1; y < height; ++y)
        std::memcpy(rgb + y * stride, cells, stride);
}

void renderYuyv(uint8_t* yuyv, uint32_t width, uint32_t height, uint32_t counter)
{
    const std::size_t stride = std::size_t(width) * 2;
    uint8_t* row = yuyv;
    for (uint32_t x = 0; x < width; x += 2) {
        // A pair shares its chroma: the pair's left pixel decides it.
        const Yuv left = toYuv(kBars[std::size_t(barAt(x, width))]);
        const Yuv right = toYuv(kBars[std::size_t(barAt(x + 1, width))]);
        row[2 * x] = left.y;
        row[2 * x + 1] = left.u;
        row[2 * x + 2] = right.y;
        row[2 * x + 3] = left.v;
    }
    const uint32_t top = counterTop(height);
    for (uint32_t y = 1; y < top; ++y)
        std::memcpy(yuyv + y * stride, row, stride);
    uint8_t* cells = yuyv + top * stride;
    for (uint32_t x = 0; x < width; ++x) {
        cells[2 * x] = cellSet(x, width, counter) ? 235 : 16;
        cells[2 * x + 1] = 128;
    }
    for (uint32_t y = top + 1; y < height; ++y)
        std::memcpy(yuyv + y * stride, cells, stride);
}

bool encodePatternJpeg(void* compressor, uint32_t width, uint32_t height, uint32_t counter,
                       std::vector<uint8_t>& rgb, std::vector<unsigned char>& out, std::size_t& length)
{
    if (rgb.size() != std::size_t(width) * height * 3)
        rgb.resize(std::size_t(width) * height * 3);
    renderRgb(rgb.data(), width, height, counter);
    // Grown once and kept: the frame's length comes apart from the room.
    const std::size_t room = tjBufSize(int(width), int(height), TJSAMP_422);
    if (out.size() < room)
        out.resize(room);
    unsigned char* dest = out.data();
    unsigned long used = out.size();
    if (tjCompress2(compressor, rgb.data(), int(width), 0, int(height), TJPF_RGB, &dest, &used, TJSAMP_422, 85,
                    TJFLAG_NOREALLOC | TJFLAG_FASTDCT)
        != 0)
        return false;
    length = used;
    return true;
}

Point barCentre(uint32_t width, uint32_t height, int bar)
{
    return {uint32_t((2 * bar + 1) * uint64_t(width) / 16), counterTop(height) / 2};
}

Point cellCentre(uint32_t width, uint32_t height, int cell)
{
    return {uint32_t((2 * cell + 1) * uint64_t(width) / (2 * kCounterCells)),
            counterTop(height) + (height - counterTop(height)) / 2};
}

}  // namespace uvcemu
