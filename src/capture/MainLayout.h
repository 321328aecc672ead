#pragma once

#include <QSize>

#include <cstdint>
#include <optional>

// The geometry of the main window's views, worked out apart from the window: the
// window applies what these return. Window sizes are outer sizes in pixels, minimum
// sizes in twips.
namespace mainlayout {

// The picture size fit/stretch falls back to when the picture is not wider than it.
inline constexpr QSize kDefaultFrameSize{352, 288};
// The side logo shows only when it gets more than this many pixels of height.
inline constexpr int kSideLogoMinHeight = 70;
// Room between the side logo and the panels above and below it.
inline constexpr int kSideLogoMargin = 12;
// Left edge of the picture with and without the button panel.
inline constexpr int kTinyPictureLeft = 6;
inline constexpr int kPanelPictureLeft = 104;
// The allowances of the tiny view; they make up for the hidden panels' sizes.
inline constexpr int16_t kTinyAllowanceX = -80;
inline constexpr int16_t kTinyAllowanceY = 10;

// The sizes of the two panels, which the layout subtracts whether they show or not.
struct Panels {
    int buttonPanelWidth = 0;    // Picture2
    int bottomPanelHeight = 0;   // Picture3
};

// Which dimension a resize puts back to the minimum. One at a time, height first:
// the resize that follows the correction checks the width.
enum class SpringBack { None, Height, Width };
struct MinimumSizeFix {
    SpringBack dimension = SpringBack::None;
    int pixels = 0;  // the new outer size of that dimension
};
MinimumSizeFix minimumSizeFix(bool buttonPanelShown, QSize outer, int32_t minWidthTwips, int32_t minHeightTwips);

// The outer size of the minimum window, rounded up to whole pixels so that a
// window of this size is never found too small again.
QSize minimumOuterSize(int32_t minWidthTwips, int32_t minHeightTwips);

// An outer size asked for while the button panel shows, raised to the minimum.
QSize keepMinimum(QSize outer, int32_t minWidthTwips, int32_t minHeightTwips);

// The picture size that fills a window of the given outer size beside the panels.
QSize fittedPicture(QSize outer, Panels panels, int allowanceX, int allowanceY);

// The side logo's height for a window of the given inner height, nothing when the
// logo does not fit and hides.
std::optional<int> sideLogoHeight(int innerHeight, int buttonPanelHeight, int bottomPanelHeight);

// Fit/stretch switched on with the picture at its current size: the picture keeps a
// size wider than the default frame; a smaller one becomes the default frame and the
// window shrinks to its minimum.
struct StretchOn {
    QSize picture;
    bool windowToMinimum = false;
};
StretchOn stretchOn(QSize picture);

// The outer window size that holds a picture beside the panels.
QSize windowAround(QSize picture, Panels panels, int allowanceX, int allowanceY);

// The tiny view entered or left.
struct TinyView {
    bool tiny = false;
    bool panelsShown = true;
    int pictureLeft = kPanelPictureLeft;
    int16_t allowanceX = 0;
    int16_t allowanceY = 0;
};
TinyView tinyView(bool entering, int16_t savedAllowanceX, int16_t savedAllowanceY);

}  // namespace mainlayout
