#pragma once

#include <QImage>
#include <QWidget>

class QMouseEvent;

// A picture control of the viewer: the shown picture (as large as fits, its
// proportions kept, scaled once per picture and size),
// the hidden work pictures of the effects, and the zoom window, which keeps what
// is painted on it (PaintPicture) until the next painting. Sizes are reported in
// two units: the outer size in twips (the unit window places and sizes are kept
// in), the inner size in pixels.
class PictureBox : public QWidget {
    Q_OBJECT
public:
    explicit PictureBox(QWidget* parent = nullptr);

    QImage picture() const { return picture_; }
    void setPicture(const QImage& picture);
    void clear() { setPicture({}); }
    bool isEmpty() const { return picture_.isNull(); }

    // The picture's size in pixels: the inner size of a work picture, which sizes
    // itself to its picture.
    int ScaleWidth() const { return picture_.width(); }
    int ScaleHeight() const { return picture_.height(); }
    // The outer size in twips: the picture's for a work picture, the control's
    // for a shown one.
    int WidthTwips() const;
    int HeightTwips() const;

    // Paints part of a picture (source in pixels) stretched onto a destination
    // rectangle (pixels) of this control's surface, without smoothing.
    void PaintPicture(const QImage& source, const QRectF& destination, const QRectF& sourceRect);
    // Paints a whole picture as large as fits, its proportions kept, on the
    // control's background.
    void PaintFitted(const QImage& source);
    // What PaintPicture left on the surface; null before the first painting.
    QImage surface() const { return surface_; }
    // Where the picture shows on the control (its proportions kept); empty when
    // there is none.
    QRect shownRect() const;

signals:
    void MouseDown(QMouseEvent* event);
    void MouseMove(QMouseEvent* event);
    void Click();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    QImage picture_;
    QImage surface_;  // what PaintPicture left
    QImage shown_;    // the picture scaled to shownRect(), made when painted
};
