#include "buttons/ButtonPaintCanvas.h"

namespace buttons {

using gdi::kGrey;
using gdi::kWhite;

namespace {

int alignFormat(int captionAlign)
{
    switch (captionAlign) {
    case kCaptionLeft:
        return gdi::kTextLeft | gdi::kTextWordBreak;
    case kCaptionRight:
        return gdi::kTextRight | gdi::kTextWordBreak;
    default:
        return gdi::kTextCenter | gdi::kTextWordBreak;
    }
}

}  // namespace

QString captionLines(const QString& caption)
{
    QString text = caption;
    text.replace(QLatin1String("||"), QLatin1String("\r\n"));
    return text;
}

void ButtonCanvas::drawCaptionAndPicture(Colour shadeBase, Colour disabledText, bool offset,
                                         bool noEmboss, Colour painterText)
{
    QRect caption = painter_.layout_.caption;
    QRect picture = painter_.layout_.picture;
    if ((offset || look_.pushed()) && look_.buttonStyle != kStyleJava) {
        const int dx = hasRings(look_.buttonShape) ? 1 : 0;
        caption.translate(dx, 1);
        picture.translate(dx, 1);
    }
    if (!(look_.value && look_.pictureShaped()))
        drawPicture(picture);
    if (look_.caption.isEmpty() || (look_.buttonShape >= kShapeEllipse5 && !look_.value))
        return;
    drawCaption(caption, shadeBase, disabledText, noEmboss, painterText);
}

void ButtonCanvas::drawCaptionText(const QRect& rect, int dx, int dy, Colour colour)
{
    gdi::TextBlock& caption = painter_.caption_;
    caption.setText(captionLines(look_.caption), look_.font);
    surface().drawText(rect.translated(dx, dy), caption, alignFormat(look_.captionAlign), colour);
}

void ButtonCanvas::drawCaption(const QRect& rect, Colour shadeBase, Colour disabledText, bool noEmboss,
                               Colour painterText)
{
    if (!look_.enabled) {
        if (disabledText < 0 || look_.gradientMode != kGradientNone) {
            drawCaptionText(rect, 1, 1, kWhite);
            drawCaptionText(rect, 0, 0, kGrey);
        } else {
            drawCaptionText(rect, 0, 0, disabledText);
            if (!noEmboss)
                drawCaptionText(rect, 0, 0, kGrey);
        }
        return;
    }
    Colour text = resolve(look_.hovering && !look_.pushed() ? look_.hoverForeColor : look_.foreColor);
    if (look_.buttonStyle == kStyleXpMac && (look_.gradientMode == kGradientNone || look_.value) && painterText >= 0)
        text = painterText;
    if (look_.captionStyle == kCaptionShadowDark || look_.captionStyle == kCaptionShadowLight) {
        const int shade = look_.captionStyle == kCaptionShadowDark ? -40 : 40;
        drawCaptionText(rect, -1, 0, shaded(shadeBase, shade));
        drawCaptionText(rect, 1, 2, shaded(shadeBase, -shade));
        drawCaptionText(rect, 0, 1, text);
        return;
    }
    drawCaptionText(rect, 0, 0, text);
}

void ButtonCanvas::drawPicture(const QRect& rect)
{
    if (!look_.hasPicture())
        return;
    QRect target = rect;
    if (look_.pictureShaped()) {
        target = QRect(0, 0, width(), height());
        if (look_.pushed())
            target.adjust(1, 1, -1, -1);
    }
    if (!look_.enabled)
        surface().drawGreyed(target, look_.picture, !look_.pictureIsIcon);
    else if (look_.pictureIsIcon)
        surface().drawIcon(target, look_.picture);
    else
        surface().drawTransparentBitmap(target, look_.picture);
}

}  // namespace buttons
