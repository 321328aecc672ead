#pragma once

#include <QString>

#include <array>
#include <cstdint>
#include <optional>

// The button look Opmaak gives the main window, from the look settings.
struct MainButtonLook {
    int32_t background = 0;               // the background, repaired when negative
    int32_t captionColour = 0;            // of every button but the tiny-mode button
    std::optional<int32_t> gradient;      // none: the buttons keep their gradient
};
MainButtonLook mainButtonLook(int buttonColor, const std::array<int32_t, 11>& buttonColors, int32_t background);

// The program path of IrfanView from the value of its open command in the
// registry: quotes and the %1/%2 placeholders go; anything that does not end in
// ".exe" (exactly so) is no program and gives "".
QString irfanViewPathFrom(const QString& openCommand);

// The items of the options pop-up that follow the preview as it opens.
struct OptionsMenuState {
    QString startFeedCaption;
    bool stopEnabled = false;
};
// startEnabled: the start button can be used, i.e. no preview runs.
OptionsMenuState optionsMenuState(bool startEnabled);

// The caption of the tiny-mode item after it switched the buttons on or off.
QString miniModeCaption(bool buttonsShown);
