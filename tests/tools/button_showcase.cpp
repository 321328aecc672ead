// A real window with one button of each look, a few check and option buttons,
// shapes and a gradient; with a file name it saves a picture of the window and quits.
//   button_showcase [out.png]
#include "buttons/StyledButton.h"
#include "core/ButtonCodes.h"
#include "platform/gdi/GdiColour.h"

#include <QApplication>
#include <QCursor>
#include <QFont>
#include <QLabel>
#include <QTimer>
#include <QWidget>

#include <cstdio>

namespace {

const char* const kStyleNames[8] = {"Classic", "Windows 95", "Windows XP", "Java",
                                    "Flat",    "Hover",      "Netscape",   "XP/Mac"};

StyledButton* addButton(QWidget* window, const QRect& geometry, int style, const QString& caption)
{
    auto* b = new StyledButton(window);
    b->setGeometry(geometry);
    b->setCaption(caption);
    b->setButtonStyle(style);
    return b;
}

void addLabel(QWidget* window, int x, int y, const QString& text)
{
    auto* label = new QLabel(text, window);
    label->move(x, y);
}

}  // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setFont(QFont("DejaVu Sans", 8));
    QApplication::setPalette(gdi::classicPalette());

    QWidget window;
    window.setWindowTitle("Tolvex buttons");
    window.setFixedSize(620, 250);

    addLabel(&window, 12, 8, "One button of each look (the Windows XP one under the mouse, Java as default):");
    StyledButton* hovered = nullptr;
    for (int style = 0; style < 8; ++style) {
        const QRect g(12 + (style % 4) * 150, 30 + (style / 4) * 36, 140, 26);
        StyledButton* b = addButton(&window, g, style, QString("&%1 %2").arg(style).arg(kStyleNames[style]));
        if (style == 2)
            hovered = b;
        if (style == 3)
            b->setDefault(true);
    }

    addLabel(&window, 12, 110, "Check, option, disabled and gradient:");
    StyledButton* check = addButton(&window, QRect(12, 130, 110, 26), 0, "&Check on");
    check->setMode(buttons::kModeCheck);
    check->setValue(true);
    for (int i = 0; i < 2; ++i) {
        StyledButton* option = addButton(&window, QRect(132 + i * 100, 130, 90, 26), 2, QString("Option &%1").arg(i + 1));
        option->setMode(buttons::kModeOption);
        option->setValue(i == 0);
    }
    addButton(&window, QRect(342, 130, 110, 26), 7, "Disabled")->setEnabled(false);
    StyledButton* gradient = addButton(&window, QRect(462, 130, 140, 26), 1, "&Gradient");
    gradient->setGradientColor(0xC08040);
    gradient->setGradientMode(buttons::kGradientLeftToRight);

    addLabel(&window, 12, 166, "Shapes:");
    StyledButton* ellipse = addButton(&window, QRect(12, 186, 120, 50), 2, "Ellipse");
    ellipse->setButtonShape(buttons::kShapeEllipse);
    addButton(&window, QRect(142, 196, 120, 28), 0, "Slanted")->setButtonShape(buttons::kShapeCutBottomLeft);
    addButton(&window, QRect(272, 196, 120, 28), 6, "Slanted")->setButtonShape(buttons::kShapeCutTopRight);
    StyledButton* hover = addButton(&window, QRect(402, 186, 120, 50), 5, "Hover");
    hover->setButtonShape(buttons::kShapeEllipse);
    hover->setGradientColor(0xE0C0A0);
    hover->setGradientMode(buttons::kGradientTopToBottom);

    window.move(20, 20);
    window.show();
    QCursor::setPos(hovered->mapToGlobal(hovered->rect().center()));

    if (argc < 2)
        return app.exec();
    const QString out = QString::fromLocal8Bit(argv[1]);
    int result = 1;
    // Give the platform time to expose the window and report the pointer.
    QTimer::singleShot(800, &window, [&] {
        result = window.grab().save(out, "PNG") ? 0 : 1;
        if (result != 0)
            std::fprintf(stderr, "cannot write %s\n", argv[1]);
        app.quit();
    });
    app.exec();
    return result;
}
