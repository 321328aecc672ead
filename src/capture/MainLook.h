#pragma once

#include <QFont>
#include <QString>

#include <array>
#include <cstdint>
#include <optional>

// The way the main window's buttons (and the setup dialog's example) run from their
// face colour to the chosen button colour: top to bottom (GradientMode 3).
inline constexpr int kMainButtonGradient = 3;
// The face the "Dark" colour starts from, so that its white captions are read on a
// dark face all the way down instead of on the light system face.
inline constexpr int32_t kDarkButtonFace = 0x505050;

// The button look Opmaak gives the main window, from the look settings.
struct MainButtonLook {
    int32_t background = 0;               // the background, repaired when negative
    int32_t captionColour = 0;            // of every button but the tiny-mode button
    std::optional<int32_t> gradient;      // none: the buttons keep their gradient
    std::optional<int32_t> face;          // the buttons' back colour; none: their own
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
    bool miniModeEnabled = true;  // "Hide Buttons (mini mode)"
};
// startEnabled: the start button can be used, i.e. no preview runs. In full screen
// the panels are hidden by the view itself: the mini-mode item does not apply there
// (it would show the panels under the full-screen picture).
OptionsMenuState optionsMenuState(bool startEnabled, bool fullScreen = false);

// The caption of the tiny-mode item after it switched the buttons on or off.
QString miniModeCaption(bool buttonsShown);

// The caption's font: the design font, made smaller (not below 6 points) until the
// caption fits on one line of the given width, so a long caption such as
// "&Video Size 640x480" shows whole instead of its first word.
inline constexpr double kSmallestCaptionPoints = 6.0;
QFont captionFontToFit(const QFont& designFont, const QString& caption, int width);
