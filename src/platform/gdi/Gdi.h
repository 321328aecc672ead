#pragma once

#include "platform/gdi/GdiColour.h"
#include "platform/gdi/TextBlock.h"

#include <QFont>
#include <QImage>
#include <QPainter>
#include <QPoint>
#include <QRect>
#include <QRegion>
#include <QSize>
#include <QString>
#include <QVector>

namespace gdi {

// Text layout flags with the platform's values, so callers can pass them through.
enum TextFormat : int {
    kTextLeft = 0,
    kTextCenter = 1,
    kTextRight = 2,
    kTextWordBreak = 16,
};

// An off-screen drawing surface with the pixel rules of the platform's drawing
// interface: filled rectangles leave out their right and bottom edge, a polyline
// leaves out its last pixel, outlined ellipses cover exactly their box, and text
// never paints a background. Everything is aliased and respects the current clip.
// The surface opens one painter on its image at the first drawing and keeps it
// open for the image's life.
class Surface {
public:
    Surface();
    explicit Surface(QSize size);
    explicit Surface(const QImage& image);  // starts as a copy of the image
    ~Surface();
    Surface(const Surface&) = delete;
    Surface& operator=(const Surface&) = delete;

    // A new, black image of the given size; the clip is removed.
    void resize(QSize size);
    QSize size() const { return image_.size(); }
    int width() const { return image_.width(); }
    int height() const { return image_.height(); }

    // A detached copy of the pixels (the surface keeps painting into its own).
    QImage copyImage() const { return image_.copy(); }
    // The pixels themselves; the surface is left without an image.
    QImage takeImage();
    Colour pixel(int x, int y) const;

    void setClip(const QRegion& region);
    void removeClip();
    bool hasClip() const { return painter_.isActive() && painter_.hasClipping(); }

    // Fills left <= x < right, top <= y < bottom.
    void fillRect(int left, int top, int right, int bottom, Colour colour);
    void fillAll(Colour colour) { fillRect(0, 0, width(), height(), colour); }
    // A rectangle outlined one pixel wide in pen over left..right-1, top..bottom-1,
    // filled inside; pen kNoColour means the fill colour.
    void rectangle(int left, int top, int right, int bottom, Colour fill, Colour pen);
    void setPixel(int x, int y, Colour colour);
    // Straight one-pixel lines through the points; the last point is not drawn.
    void polyline(const QVector<QPoint>& points, Colour colour);
    void fillRegion(const QRegion& region, Colour colour);
    // The pixels of the region that touch its outside (a one-by-one frame).
    void frameRegion(const QRegion& region, Colour colour);
    // Inverts every other pixel on the border of left..right-1, top..bottom-1.
    void drawFocusRect(const QRect& rect);
    // The outline of the ellipse that fits left..right-1, top..bottom-1.
    void ellipseOutline(int left, int top, int right, int bottom, Colour pen);

    // Text in the box, top-aligned, "&" underlines the access key and "&&" is a
    // literal ampersand; CR LF breaks lines; kTextWordBreak wraps at word ends.
    void drawText(const QRect& box, const QString& text, int format, Colour colour,
                  const QFont& font);
    // The same for a text shaped before, which keeps its shaping for the next draw.
    void drawText(const QRect& box, TextBlock& text, int format, Colour colour);
    // The size the text takes in a box of the given width (wider when one word is).
    static QSize measureText(int width, int height, const QString& text, int format,
                             const QFont& font);

    // The bitmap scaled into target, its top-left pixel's exact colour left out.
    void drawTransparentBitmap(const QRect& target, const QImage& bitmap);
    // An image with its own transparency (an icon) scaled into target.
    void drawIcon(const QRect& target, const QImage& icon);
    // The picture as a disabled control shows it: what would be white on a white
    // background leaves the surface untouched, everything else becomes grey.
    void drawGreyed(const QRect& target, const QImage& picture, bool keyedOnTopLeft);

private:
    void begin();
    QPainter& painter();
    QPen pen(Colour colour) const;

    QImage image_;
    QPainter painter_;
};

// A region from explicit pixel runs of one row each: [x0, x1) on row y.
struct PixelRun {
    int y;
    int x0;
    int x1;
};
QRegion regionFromRuns(const QVector<PixelRun>& runs);

// A video frame drawn into area: stretched over it, or at its own size from the
// top-left corner, with only what it leaves free filled with the background (a
// full-HD frame is not painted twice). Without a frame the whole area is filled.
void drawFrame(QPainter& painter, const QRect& area, const QImage& frame, bool stretch, const QBrush& background);

}  // namespace gdi
