#include "buttons/StyledButton.h"

#include <QCursor>
#include <QPixmap>

#include <array>

namespace {

constexpr int kCustomPointer = 99;

// The platform's pointer numbers 1 to 15.
constexpr std::array<Qt::CursorShape, 16> kPointerShapes{
    Qt::ArrowCursor,     Qt::ArrowCursor,   Qt::CrossCursor,     Qt::IBeamCursor,
    Qt::ArrowCursor,     Qt::SizeAllCursor, Qt::SizeBDiagCursor, Qt::SizeVerCursor,
    Qt::SizeFDiagCursor, Qt::SizeHorCursor, Qt::UpArrowCursor,   Qt::WaitCursor,
    Qt::ForbiddenCursor, Qt::BusyCursor,    Qt::WhatsThisCursor, Qt::SizeAllCursor,
};

}  // namespace

void StyledButton::setMousePointer(int pointer)
{
    if ((pointer < 0 || pointer >= int(kPointerShapes.size())) && pointer != kCustomPointer)
        return;
    mousePointer_ = pointer;
    applyMousePointer();
    recordChange("mPointer");
}

void StyledButton::setMouseIcon(const ButtonPicture& icon)
{
    if (!icon.isNull() && !icon.isIcon()) {
        designBox("Select .ico Or .cur Files Only");
        return;
    }
    mouseIcon_ = icon;
    if (!icon.isNull())
        setMousePointer(kCustomPointer);
    applyMousePointer();
    recordChange("mIcon");
}

void StyledButton::applyMousePointer()
{
    if (mousePointer_ == kCustomPointer) {
        if (mouseIcon_.isNull())
            unsetCursor();
        else
            setCursor(QCursor(QPixmap::fromImage(mouseIcon_.image())));
    } else if (mousePointer_ == 0) {
        unsetCursor();
    } else {
        setCursor(kPointerShapes[size_t(mousePointer_)]);
    }
}
