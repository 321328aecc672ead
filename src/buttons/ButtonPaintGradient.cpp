#include "buttons/ButtonPaint.h"

#include <algorithm>
#include <cmath>

namespace buttons {

std::vector<Colour> gradientColors(Colour start, Colour end, int n)
{
    std::vector<Colour> out;
    if (n <= 0)
        return out;
    out.reserve(size_t(n));
    out.push_back(start);
    // A single band has no step to take; it keeps the start colour.
    if (n == 1)
        return out;
    double value[3] = {double(gdi::red(start)), double(gdi::green(start)), double(gdi::blue(start))};
    const double step[3] = {double(gdi::red(end) - gdi::red(start)) / (n - 1),
                            double(gdi::green(end) - gdi::green(start)) / (n - 1),
                            double(gdi::blue(end) - gdi::blue(start)) / (n - 1)};
    for (int i = 1; i < n; ++i) {
        int part[3];
        for (int k = 0; k < 3; ++k) {
            value[k] = std::clamp(value[k] + step[k], 0.0, 255.0);
            part[k] = int(std::floor(value[k]));
        }
        out.push_back(gdi::rgb(part[0], part[1], part[2]));
    }
    return out;
}

void drawGradient(gdi::Surface& surface, Colour start, Colour end, int mode, QSize screen)
{
    const bool alongWidth = mode == kGradientLeftToRight || mode == kGradientRightToLeft;
    const int extent = alongWidth ? surface.width() : surface.height();
    const int screenExtent = alongWidth ? screen.width() : screen.height();
    if (extent <= 0)
        return;
    int bands = extent;
    int band = 1;
    // Buttons larger than a quarter of the screen get 2-pixel bands.
    if (screenExtent < 4 * extent) {
        bands = extent / 2;
        band = 2;
    }
    const std::vector<Colour> colours = gradientColors(start, end, bands);
    const bool fromStart = mode == kGradientLeftToRight || mode == kGradientTopToBottom;
    for (int i = 0; i < bands; ++i) {
        const Colour c = colours[size_t(fromStart ? i : bands - 1 - i)];
        // The last band reaches the edge, so an odd size leaves no column undrawn.
        const int from = i * band;
        const int to = i == bands - 1 ? extent : from + band;
        if (alongWidth)
            surface.fillRect(from, 0, to, surface.height(), c);
        else
            surface.fillRect(0, from, surface.width(), to, c);
    }
}

}  // namespace buttons
