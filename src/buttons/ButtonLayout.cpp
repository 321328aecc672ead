#include "buttons/ButtonPaint.h"

#include <algorithm>
#include <cmath>

namespace buttons {

namespace {

// Halves and scaled sizes are taken to the nearest whole number, ties to even.
int nearest(double v) { return int(std::lrint(v)); }

struct Band {
    int left = 0;   // L: where the usable band starts
    int width = 0;  // R
    int end = 0;    // E: its right limit
};

Band usableBand(int shape, int w, int leftCut, int rightCut)
{
    const int slantLeft = leftCut - leftCut / 3 + 3;
    const int slantRight = rightCut + (w - rightCut) / 3;
    switch (shape) {
    case kShapeCutBottomLeft:
        return {slantLeft, w - slantLeft, w};
    case kShapeCutTopRight:
        return {0, slantRight, slantRight};
    case kShapeCutBoth:
        return {slantLeft, slantRight - slantLeft, slantRight};
    case kShapePictureFramed:
    case kShapePicture:
        return {3, w - 3, w - 3};
    default:
        return {0, w, w};
    }
}

// Keeps a rectangle 4 pixels inside the band and the top, 5 above the bottom.
QRect keepInside(int l, int t, int r, int b, const Band& band, int h)
{
    l = std::max(l, band.left + 4);
    t = std::max(t, 4);
    r = std::min(r, band.end - 4);
    b = std::min(b, h - 5);
    return QRect(l, t, std::max(r - l, 0), std::max(b - t, 0));
}

QRect largePicture(const ButtonLook& look, const Band& band)
{
    const int w = look.width(), h = look.height();
    if (look.pictureShaped())
        return QRect(0, 0, w, h);
    if (look.pictureSize == 40) {
        const int m = look.buttonShape == kShapeEllipseHoverFrame ? 1 : 3;
        return QRect(m, m, w - 2 * m, h - 2 * m);
    }
    const double scale = std::min(double(band.width - 12) / look.picture.width(),
                                  double(h - 12) / look.picture.height());
    const int pw = nearest(look.picture.width() * scale);
    const int ph = nearest(look.picture.height() * scale);
    return QRect(band.left + nearest((band.width - pw) / 2.0), nearest((h - ph) / 2.0), pw, ph);
}

}  // namespace

ButtonLayout calculateLayout(const ButtonLook& look, int leftCut, int rightCut)
{
    gdi::TextBlock caption;
    return calculateLayout(look, leftCut, rightCut, caption);
}

ButtonLayout calculateLayout(const ButtonLook& look, int leftCut, int rightCut, gdi::TextBlock& caption)
{
    const int w = look.width(), h = look.height();
    const Band band = usableBand(look.buttonShape, w, leftCut, rightCut);
    const int p = look.pictureSize;
    const int pa = look.pictureAlign;
    const bool roomy = look.hasPicture() && p <= 32;
    const bool picLeft = roomy && (pa == kPictureLeftEdge || pa == kPictureLeftOfCaption);
    const bool picRight = roomy && (pa == kPictureRightEdge || pa == kPictureRightOfCaption);
    const bool picAbove = roomy && pa == kPictureAbove;
    const bool picBelow = roomy && pa == kPictureBelow;
    const bool side = picLeft || picRight;

    caption.setText(captionLines(look.caption), look.font);
    const bool hasCaption = !look.caption.isEmpty();
    QSize m = caption.measure(band.width - 8 - (side ? p : 0), h - 8 - (picAbove || picBelow ? p : 0), true);
    if (look.captionStyle != kCaptionPlain)
        m += QSize(2, 2);
    const int cw = m.width(), ch = m.height();

    int x = 0;
    switch (look.captionAlign) {
    case kCaptionLeft:
        x = band.left + 4 + (picLeft ? p + 4 : 0);
        break;
    case kCaptionRight:
        x = band.end - 4 - (picRight ? p + 4 : 0) - cw;
        break;
    default:
        if (!side) {
            x = band.left + nearest((band.width - cw) / 2.0);
        } else if (pa == kPictureLeftOfCaption || pa == kPictureRightOfCaption) {
            const int start = band.left + nearest((band.width - (cw + 4 + p)) / 2.0);
            x = pa == kPictureLeftOfCaption ? start + p + 4 : start;
        } else if (pa == kPictureLeftEdge) {
            const int restLeft = band.left + 4 + p;
            x = restLeft + nearest((band.end - restLeft - cw) / 2.0);
        } else {
            x = band.left + nearest((band.end - 4 - p - band.left - cw) / 2.0);
        }
        break;
    }

    int capTop = 0, picTop = 0;
    if (picAbove) {
        picTop = nearest((h - (ch + p)) / 2.0);
        capTop = picTop + p + 2;
    } else if (picBelow) {
        capTop = nearest((h - (ch + p)) / 2.0) + 2;
        picTop = capTop + ch + 2;
    } else {
        capTop = nearest((h - ch) / 2.0);
        picTop = nearest((h - p) / 2.0);
    }

    int picX = 0;
    switch (pa) {
    case kPictureLeftEdge:
        picX = band.left + 4;
        break;
    case kPictureLeftOfCaption:
        picX = hasCaption ? x - 4 - p : band.left + 4;
        break;
    case kPictureRightEdge:
        picX = band.end - 4 - p;
        break;
    case kPictureRightOfCaption:
        picX = hasCaption ? x + cw + 4 : band.end - 4 - p;
        break;
    default:
        picX = band.left + nearest((band.width - p) / 2.0);
        break;
    }

    ButtonLayout layout;
    layout.caption = keepInside(x, capTop, x + cw, capTop + ch, band, h);
    if (roomy)
        layout.picture = keepInside(picX, picTop, picX + p, picTop + p, band, h);
    else if (look.hasPicture()) {
        layout.stretch = true;
        layout.picture = largePicture(look, band);
    }
    return layout;
}

}  // namespace buttons
