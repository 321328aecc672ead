#include "buttons/ButtonPaint.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace buttons {

namespace {

// A corner cut as pixel counts per row, counted from the corner row inwards.
struct CornerCut {
    int rows[2];
};

constexpr CornerCut kSoftCorner{{2, 1}};  // the corner pixel and its two neighbours
constexpr CornerCut kPixelCorner{{1, 0}};

enum Corner { kTopLeft, kTopRight, kBottomLeft, kBottomRight };

void cutCorner(QVector<gdi::PixelRun>& runs, Corner corner, const CornerCut& cut, int w)
{
    const int h = int(runs.size());
    for (int i = 0; i < 2 && i < h; ++i) {
        if (cut.rows[i] == 0)
            continue;
        const bool top = corner == kTopLeft || corner == kTopRight;
        gdi::PixelRun& run = runs[top ? i : h - 1 - i];
        if (corner == kTopLeft || corner == kBottomLeft)
            run.x0 = std::max(run.x0, cut.rows[i]);
        else
            run.x1 = std::min(run.x1, w - cut.rows[i]);
    }
}

ButtonRegions polygonRegions(const ButtonLook& look)
{
    const int w = look.width(), h = look.height();
    const int shape = look.buttonShape;
    const bool slantLeft = slantsLeft(shape);
    const bool slantRight = slantsRight(shape);
    const int c = h + 1;  // 4 x ((h + 1) / 4) with the division kept exact
    ButtonRegions r;
    r.leftCut = slantLeft ? c : 0;
    r.rightCut = slantRight ? w - c : w;

    QVector<gdi::PixelRun> runs;
    for (int y = 0; y < h; ++y)
        runs.append({y, slantLeft ? y : 0, slantRight ? w - h + y : w});

    auto cut = [&](Corner corner, const CornerCut& how) {
        const bool left = corner == kTopLeft || corner == kBottomLeft;
        if (left ? !slantLeft : !slantRight)
            cutCorner(runs, corner, how, w);
    };
    switch (look.buttonStyle) {
    case kStyleWindows95:
        for (Corner k : {kTopLeft, kTopRight, kBottomLeft, kBottomRight})
            cut(k, kPixelCorner);
        break;
    case kStyleWindowsXp:
    case kStyleXpMac:
        for (Corner k : {kTopLeft, kTopRight, kBottomLeft, kBottomRight})
            cut(k, kSoftCorner);
        break;
    case kStyleJava:
        if (look.enabled) {
            cut(kBottomLeft, kPixelCorner);
            cut(kTopRight, kPixelCorner);
        }
        break;
    default:
        break;
    }
    r.window = gdi::regionFromRuns(runs);
    return r;
}

ButtonRegions ellipseRegions(const ButtonLook& look)
{
    const int w = look.width(), h = look.height();
    ButtonRegions r;
    r.rightCut = w;
    r.window = QRegion(0, 0, w, h, QRegion::Ellipse);
    r.outer = QRegion(1, 1, w - 2, h - 2, QRegion::Ellipse);
    r.inner = QRegion(2, 2, w - 4, h - 4, QRegion::Ellipse);
    return r;
}

bool nearKey(QRgb pixel, QRgb key)
{
    return std::abs(qRed(pixel) - qRed(key)) <= 3 && std::abs(qGreen(pixel) - qGreen(key)) <= 3
           && std::abs(qBlue(pixel) - qBlue(key)) <= 3;
}

void moveInside(QRegion& region, const QRect& frame, int inset)
{
    if (region.isEmpty())
        return;
    const QRect box = region.boundingRect();
    region.translate(frame.left() + inset - box.left(), frame.top() + inset - box.top());
}

}  // namespace

QSize regionSize(const ButtonLook& look)
{
    const int w = look.width(), h = look.height();
    const int shape = look.buttonShape;
    if (shape >= kShapeCutBottomLeft && shape <= kShapeCutBoth) {
        int width = w;
        while (width - (h + 1) < 5)
            width += 5;
        return QSize(width, h);
    }
    if (look.pictureShaped() && look.hasPicture() && w > 0 && h > 0) {
        const double scale = std::min(double(w) / look.picture.width(), double(h) / look.picture.height());
        return QSize(std::max(1, int(std::lrint(look.picture.width() * scale))),
                     std::max(1, int(std::lrint(look.picture.height() * scale))));
    }
    return look.size;
}

ButtonRegions regionFromPicture(const QImage& picture, QSize size)
{
    ButtonRegions r;
    r.rightCut = size.width();
    const QImage work = picture.convertToFormat(QImage::Format_RGB32)
                            .scaled(size, Qt::IgnoreAspectRatio, Qt::FastTransformation);
    const QRect full(QPoint(0, 0), size);
    r.window = r.outer = r.inner = QRegion(full);
    if (work.isNull())
        return r;
    const QRgb key = work.pixel(0, 0);
    for (int y = 0; y < work.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(work.constScanLine(y));
        for (int x = 0; x < work.width();) {
            if (!nearKey(line[x], key)) {
                ++x;
                continue;
            }
            const int x0 = x;
            while (x < work.width() && nearKey(line[x], key))
                ++x;
            const int len = x - x0;
            r.window -= QRect(x0, y, len, 1);
            r.outer -= QRect(x0 - 1, y - 1, len + 2, 3);
            r.inner -= QRect(x0 - 2, y - 2, len + 4, 5);
        }
    }
    const QRect frame = r.window.boundingRect();
    moveInside(r.outer, frame, 1);
    moveInside(r.inner, frame, 2);
    return r;
}

ButtonRegions buildRegions(const ButtonLook& look)
{
    const int shape = look.buttonShape;
    if (hasRings(shape))
        return polygonRegions(look);
    if (shape <= kShapeEllipseHoverFrame)
        return ellipseRegions(look);
    return regionFromPicture(look.picture, look.size);
}

}  // namespace buttons
