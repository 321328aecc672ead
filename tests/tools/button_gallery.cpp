// Renders every button look in every state, every shape and the picture placements
// into one PNG, so the looks can be reviewed at a glance.
//   button_gallery out.png
#include "buttons/ButtonPaint.h"

#include <QApplication>
#include <QFont>
#include <QImage>
#include <QPainter>

#include <cstdio>
#include <functional>
#include <vector>

using namespace buttons;

namespace {

const QColor kContainer(212, 208, 200);
const char* const kStyleNames[8] = {"Classic", "Windows 95", "Windows XP", "Java",
                                    "Flat",    "Hover",      "Netscape",   "XP/Mac"};

class CaptureHost : public ButtonHost {
public:
    void moveBy(int, int) override {}
    void resizeTo(QSize) override {}
    QSize screenSize() const override { return {1920, 1080}; }
    void setWindowRegion(const QRegion& region) override { window = region; }
    void showFrame(const QImage& image) override { frame = image; }

    QRegion window;
    QImage frame;
};

// The button as its container shows it: the frame inside the window region.
QImage render(ButtonLook look)
{
    CaptureHost host;
    ButtonPainter painter(host);
    painter.createBuffer(look.size);
    painter.createRegion(look);
    painter.calculateLayout(look);
    painter.redraw(look);
    QImage out(look.size, QImage::Format_RGB32);
    out.fill(kContainer);
    QPainter p(&out);
    p.setClipRegion(host.window);
    p.drawImage(0, 0, host.frame);
    return out;
}

ButtonLook baseLook(int style, QSize size)
{
    ButtonLook l;
    l.size = size;
    l.buttonStyle = style;
    l.font = QApplication::font();
    l.caption = "&Button";
    return l;
}

QImage blobPicture()
{
    QImage img(48, 32, QImage::Format_RGB32);
    img.fill(Qt::white);
    QPainter p(&img);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(40, 110, 200));
    p.drawRoundedRect(QRect(2, 2, 44, 28), 12, 12);
    p.setBrush(QColor(250, 200, 40));
    p.drawEllipse(QRect(16, 8, 16, 16));
    return img;
}

QImage iconPicture()
{
    QImage img(16, 16, QImage::Format_RGB32);
    img.fill(QColor(255, 0, 255));
    QPainter p(&img);
    p.setPen(QColor(0, 0, 0));
    p.setBrush(QColor(0, 160, 0));
    p.drawEllipse(QRect(1, 1, 13, 13));
    p.fillRect(QRect(6, 4, 3, 7), Qt::white);
    return img;
}

struct Column {
    const char* name;
    std::function<void(ButtonLook&)> apply;
};

class Sheet {
public:
    Sheet(int width, int height) : image_(width, height, QImage::Format_RGB32)
    {
        image_.fill(kContainer);
        painter_.begin(&image_);
        painter_.setFont(QApplication::font());
    }
    ~Sheet() { painter_.end(); }

    void label(int x, int y, const QString& text, bool bold = false)
    {
        QFont f = QApplication::font();
        f.setBold(bold);
        painter_.setFont(f);
        painter_.setPen(Qt::black);
        painter_.drawText(QPoint(x, y), text);
    }
    void place(int x, int y, const QImage& img) { painter_.drawImage(x, y, img); }
    bool save(const QString& path)
    {
        painter_.end();
        return image_.save(path, "PNG");
    }

private:
    QImage image_;
    QPainter painter_;
};

}  // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s out.png\n", argv[0]);
        return 2;
    }
    QApplication::setFont(QFont("DejaVu Sans", 8));
    QApplication::setPalette(gdi::classicPalette());

    const std::vector<Column> states = {
        {"normal", [](ButtonLook&) {}},
        {"hover", [](ButtonLook& l) { l.stateFlags = kFlagHover; l.hovering = true; }},
        {"pushed", [](ButtonLook& l) { l.stateFlags = kFlagHover | kFlagPressed; l.hovering = true; l.held = true; }},
        {"default", [](ButtonLook& l) { l.stateFlags = kFlagDefault; }},
        {"disabled", [](ButtonLook& l) { l.enabled = false; }},
        {"check on", [](ButtonLook& l) { l.mode = 1; l.value = true; }},
        {"option on", [](ButtonLook& l) { l.mode = 2; l.value = true; }},
        {"gradient", [](ButtonLook& l) { l.gradientMode = 1; l.gradientColor = 0xC08040; l.hoverBackColor = 0xC08040; }},
        {"grad. disabled", [](ButtonLook& l) { l.gradientMode = 3; l.gradientColor = 0xC08040; l.enabled = false; }},
    };
    const QImage blob = blobPicture();
    const QImage icon = iconPicture();

    const int left = 80, cellW = 95, stateH = 34, shapeH = 58;
    const int width = left + cellW * 9 + 10;
    const int statesTop = 30, shapesTop = statesTop + 8 * stateH + 40, picturesTop = shapesTop + 8 * shapeH + 40;
    Sheet sheet(width, picturesTop + 2 * 60 + 20);

    sheet.label(8, statesTop - 12, "States (75 x 23)", true);
    for (size_t c = 0; c < states.size(); ++c)
        sheet.label(left + int(c) * cellW, statesTop - 2, states[c].name);
    for (int style = 0; style < 8; ++style) {
        const int y = statesTop + style * stateH + 4;
        sheet.label(8, y + 15, QString("%1 %2").arg(style).arg(kStyleNames[style]));
        for (size_t c = 0; c < states.size(); ++c) {
            ButtonLook l = baseLook(style, QSize(75, 23));
            states[c].apply(l);
            sheet.place(left + int(c) * cellW, y, render(l));
        }
    }

    sheet.label(8, shapesTop - 12, "Shapes 0-8 (default button; shapes 5-8 show their caption only with Value on)", true);
    for (int shape = 0; shape <= 8; ++shape)
        sheet.label(left + shape * cellW, shapesTop - 2, QString("shape %1").arg(shape));
    for (int style = 0; style < 8; ++style) {
        const int y = shapesTop + style * shapeH + 4;
        sheet.label(8, y + 25, QString("%1 %2").arg(style).arg(kStyleNames[style]));
        for (int shape = 0; shape <= 8; ++shape) {
            ButtonLook l = baseLook(style, QSize(88, 48));
            l.buttonShape = shape;
            l.caption = "&OK";
            l.stateFlags = kFlagDefault;
            if (shape >= 7) {
                l.picture = blob;
                l.pictureSize = 48;
            }
            sheet.place(left + shape * cellW, y, render(l));
        }
    }

    sheet.label(8, picturesTop - 12, "Pictures (Classic): aligned 0-5, size 40, size 48, disabled, caption styles 1 and 2",
                true);
    for (int i = 0; i < 9; ++i) {
        ButtonLook l = baseLook(0, QSize(88, 48));
        l.picture = icon;
        if (i < 6) {
            l.pictureAlign = i;
            if (i >= 4)
                l.captionAlign = 2;
        } else if (i == 6) {
            l.pictureSize = 40;
        } else if (i == 7) {
            l.pictureSize = 48;
        } else {
            l.enabled = false;
        }
        sheet.place(left + i * cellW, picturesTop + 4, render(l));
    }
    for (int i = 0; i < 2; ++i) {
        ButtonLook l = baseLook(0, QSize(88, 48));
        l.captionStyle = i + 1;
        l.caption = "Two||lines";
        sheet.place(left + i * cellW, picturesTop + 64, render(l));
    }
    if (!sheet.save(QString::fromLocal8Bit(argv[1]))) {
        std::fprintf(stderr, "cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
