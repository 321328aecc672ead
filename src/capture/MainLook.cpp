#include "capture/MainLook.h"

#include "settings/SettingsModel.h"

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

OptionsMenuState optionsMenuState(bool startEnabled)
{
    if (startEnabled)
        return {"Start Feed", false};
    return {"Restart Feed", true};
}

QString miniModeCaption(bool buttonsShown)
{
    return buttonsShown ? "Hide Buttons" : "Show Buttons";
}
