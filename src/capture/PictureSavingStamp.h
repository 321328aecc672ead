#pragma once

#include "core/SettingsModel.h"

#include <QDateTime>
#include <QFont>
#include <QImage>
#include <QLocale>
#include <QString>

// The picture a save writes, with the font its stamp is drawn in. Like a picture
// box with persistent drawing: the stamp becomes part of `image`, and font changes
// made for a stamp stay for the next one.
struct WorkPicture {
    QImage image;
    QFont font;
    // The memory of a picture stamped before, which the next stamp draws into again.
    QImage spare;

    // Puts a frame into the picture, as every caller does before a save. A stamped
    // picture that only this work picture holds becomes the spare, so the next stamp
    // copies the frame into memory already in use instead of fresh memory.
    void take(const QImage& frame);
};

// StampText's value when the setting is empty.
inline constexpr char kDefaultStampText[] = "Tolvex ";

// The locale's general form of a moment: its short date, a blank, its long time
// (without a time-zone name).
QString generalDateText(const QDateTime& now, const QLocale& locale = QLocale::system());

// The text of the stamp: StampText and the general date. An empty StampText is
// first set to "Tolvex " in the settings.
QString stampText(SettingsModel& s, const QDateTime& now);

// Applies the stamp settings to the font: the size only above 7, bold only ever
// switched on, the family only when named. Other attributes keep their values.
void applyStampFont(QFont& font, const SettingsModel& s);

// Draws the stamp into the top left corner of the picture: the text in white at
// (0, 0), then in black at (1, 1), without a background box.
void drawStamp(WorkPicture& picture, SettingsModel& s, const QDateTime& now);
