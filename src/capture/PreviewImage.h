#pragma once

#include <QImage>
#include <QWidget>

// The live picture of the main window. It keeps the frame as a QImage, shared with
// the work picture and the clipboard rather than copied on every tick. Stretching,
// it draws the frame over the whole control; otherwise the control takes the
// frame's own size with every new frame.
class PreviewImage : public QWidget {
    Q_OBJECT
public:
    explicit PreviewImage(QWidget* parent = nullptr);

    void setImage(const QImage& image);
    const QImage& image() const { return image_; }
    bool stretch() const { return stretch_; }
    // Off: the control takes the size of the frame at once.
    void setStretch(bool stretch);

signals:
    void mousePressed(int button, int shift, float x, float y);
    void mouseReleased(int button, int shift, float x, float y);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void takeFrameSize();

    QImage image_;
    bool stretch_ = false;
};
