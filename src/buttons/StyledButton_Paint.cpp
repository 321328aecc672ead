#include "buttons/ButtonFace.h"
#include "buttons/StyledButton.h"

#include <QApplication>
#include <QPainter>
#include <QPalette>

namespace {

QColor resolved(ButtonColor color)
{
    if (color < 0) {
        const int index = color & 0xFF;
        const QPalette palette = QApplication::palette();
        return palette.color(index == 18 ? QPalette::ButtonText : QPalette::Button);
    }
    return QColor(color & 0xFF, (color >> 8) & 0xFF, (color >> 16) & 0xFF);
}

// A plain face with the caption until the button's own looks take over.
class PlainButtonFace final : public ButtonFace {
public:
    explicit PlainButtonFace(StyledButton& button) : button_(button) {}

    void redrawButton() override { button_.update(); }

    void paint(QPainter& painter) override
    {
        const QRect area = button_.rect();
        painter.fillRect(area, resolved(button_.BackColor()));
        painter.setPen(resolved(button_.ForeColor()));
        painter.drawRect(area.adjusted(0, 0, -1, -1));
        painter.setFont(button_.Font());
        QString caption = button_.Caption();
        caption.replace(QLatin1String("||"), QLatin1String("\n"));
        painter.drawText(area, Qt::AlignCenter | Qt::TextShowMnemonic | Qt::TextWordWrap, caption);
    }

private:
    StyledButton& button_;
};

}  // namespace

std::unique_ptr<ButtonFace> makeButtonFace(StyledButton& button)
{
    return std::make_unique<PlainButtonFace>(button);
}
