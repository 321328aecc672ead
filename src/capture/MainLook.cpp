#include "capture/MainLook.h"

#include "core/SettingsModel.h"

#include <QFont>
#include <QFontMetricsF>

#include <algorithm>
#include <cmath>

namespace {

constexpr int32_t kWhite = 0xFFFFFF;
constexpr int32_t kBlack = 0;
// Shorter than this the registry value cannot name a program.
constexpr int kShortestOpenCommand = 5;

}  // namespace

MainButtonLook mainButtonLook(int buttonColor, const std::array<int32_t, 11>& buttonColors, int32_t background)
{
    MainButtonLook look;
    look.background = background < 0 ? kSystemButtonFace : background;
    look.captionColour = buttonColor == kButtonColorDark ? kWhite : kBlack;
    if (buttonColor >= 0 && buttonColor < static_cast<int>(buttonColors.size()))
        look.gradient = buttonColors[buttonColor];
    if (buttonColor == kButtonColorDark)
        look.face = kDarkButtonFace;
    return look;
}

QString irfanViewPathFrom(const QString& openCommand)
{
    if (openCommand.trimmed().size() < kShortestOpenCommand)
        return {};
    QString path = openCommand;
    path.remove('"').remove("%1").remove("%2");
    path = path.trimmed();
    return path.endsWith(".exe", Qt::CaseSensitive) ? path : QString();
}

OptionsMenuState optionsMenuState(bool startEnabled, bool fullScreen)
{
    if (startEnabled)
        return {"Start Feed", false, !fullScreen};
    return {"Restart Feed", true, !fullScreen};
}

QString miniModeCaption(bool buttonsShown)
{
    return buttonsShown ? "Hide Buttons" : "Show Buttons";
}

QFont captionFontToFit(const QFont& designFont, const QString& caption, int width)
{
    QString text = caption;
    text.remove('&');
    QFont font = designFont;
    const double advance = QFontMetricsF(font).horizontalAdvance(text);
    if (advance <= width || font.pointSizeF() <= 0)
        return font;
    // Text widths scale about with the point size: start from that guess, in
    // quarter points, and step down while the hinted width still does not fit.
    constexpr double kStep = 0.25;
    double points = std::floor(font.pointSizeF() * width / advance / kStep) * kStep;
    points = std::max(points, kSmallestCaptionPoints);
    font.setPointSizeF(points);
    while (QFontMetricsF(font).horizontalAdvance(text) > width && points - kStep >= kSmallestCaptionPoints) {
        points -= kStep;
        font.setPointSizeF(points);
    }
    return font;
}
