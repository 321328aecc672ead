#pragma once

#include <QImage>
#include <QWidget>

// The live picture of the main window. It keeps the frame as a QImage, shared with
// the work picture and the clipboard rather than copied on every tick. Stretching,
// it draws the frame over the whole control; otherwise the control takes the
// frame's own size with every new frame.
//
// Once it is handed a frame in memory the display shares (platform::gdi::
// SharedPictures: a camera stream decodes into it where it can), the control is a
// window of its own that it fills itself: such a frame goes onto the screen without
// a copy, and anything else is drawn into a shared picture of the control's size
// first.
class PreviewImage : public QWidget {
    Q_OBJECT
public:
    explicit PreviewImage(QWidget* parent = nullptr);

    void setImage(const QImage& image);
    const QImage& image() const { return image_; }
    bool stretch() const { return stretch_; }
    // Off: the control takes the size of the frame at once.
    void setStretch(bool stretch);
    QPaintEngine* paintEngine() const override;

signals:
    void mousePressed(int button, int shift, float x, float y);
    void mouseReleased(int button, int shift, float x, float y);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void takeFrameSize();
    void fillOwnWindow();
    void paintPicture(QPainter& p) const;
    void putOnScreen(const QRect& area);

    QImage image_;
    bool stretch_ = false;
    bool direct_ = false;  // the control fills its own window from shared pictures
    QImage canvas_;        // the control's own shared picture, for what is drawn
    // The frame put on the screen last, held until the next one is put, so the
    // display server has read it before a stream may reuse its memory (a stream
    // reuses a frame's memory only once nobody holds it).
    QImage onScreen_;
};
