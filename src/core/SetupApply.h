#pragma once

#include "core/SettingsModel.h"

#include <QRect>
#include <QString>
#include <QTime>

#include <array>
#include <cstdint>
#include <optional>

// What the setup dialog's OK does to the settings model, below the window: the
// conversions and limits of each box, and what the window still has to do to the
// main window and the registry afterwards.

// The number a box holds: its leading number after any blanks (sign, digits, one
// point, an exponent); 0 when the text does not begin with a number.
double boxNumber(const QString& text);

// A number rounded half to even to the setting's whole-number type; nothing when
// the result does not fit (the setting then keeps its value).
std::optional<int16_t> wholeInt16(double value);
std::optional<int32_t> wholeInt32(double value);

// A time typed or pasted into a time box as "hh:mm" (seconds dropped), when its third
// character is ":" and it names a time of 00:00 to 23:59; nothing otherwise.
std::optional<QString> acceptedTime(const QString& text);

// What a time box shows on opening: the stored time as "hh:mm" when it is longer than
// three characters, else the current time.
QString timeBoxText(const QString& stored, QTime now);

// A counter or limit shown with at least five digits: 42 as "00042".
QString fiveDigitText(int32_t value);

// The stamp text as OK leaves it in its box: a blank is appended unless the text
// already ends in one, is empty, or reads as a number of at most 1.
QString stampTextWithBlank(const QString& text);

// Limits of the boxes.
inline constexpr int kMaxSaveLimitTop = 99999;
inline constexpr int kShortestRecording = 4;  // seconds; shorter becomes the default
inline constexpr int kDefaultRecording = 8;
inline constexpr int kShortestFolderText = 4;  // shorter folder texts are ignored
inline constexpr int kFewestBurstFrames = 2;
inline constexpr int kDefaultBurstFrames = 10;
inline constexpr int kNoSelection = -1;

// The dialog's controls as OK reads them. A list or option group without a
// selection is kNoSelection.
struct SetupForm {
    QString Text3;  // frame period in ms
    bool chkVersionupdate = false;
    bool chkUseBurstAsSnapshot = false;
    bool chkVideoCompression = false;
    QString Text1, Text2, Text6, Text7, Text8, Text9;  // folders
    bool jpgSelected = true;  // Option1(0)
    QString Label3;           // JPEG quality shown
    int lstDevices = kNoSelection;
    int driverCount = 0;  // drivers listed before "No Device Available"
    bool Check2 = false;  // side logo
    QString saveIntervalText;  // the main window's interval box
    int buttonColor = kNoSelection;
    QString Text4, Text5;  // editor, viewer
    bool Check3 = false;   // remember the window's place
    QRect mainWindowTwips;
    bool userColor = false;  // Option4(1)
    int32_t LblKleurColor = 0;
    int fileOption = kNoSelection;
    QString txtFilename;
    QString txtCounter;
    int cmbStyle = kNoSelection;
    int cmbMaxBurst = kNoSelection;
    bool chkStayOnTop = false;
    bool chkAudiocap = false;
    int checkRes = kNoSelection;
    int streamSource = kNoSelection;
    bool chkAutoTimer = false;
    QString txtStartTime, txtStopTime;
    int cmbSensitivity = kNoSelection;
    int cmbTrigger = kNoSelection;
    QString txtMaxPicLimit;
    bool chkTitleBar = false;
    int cmbStartMode = kNoSelection;
    bool chkAutoRun = false;
    bool chkEmbedTime = false;
    bool minimized = false;  // chkMini(0)
    bool miniMode = false;   // chkMini(1)
    std::array<bool, 4> sounds{};  // snapshot, burst, auto-save, motion
    bool chkFTP = false;
    bool chkFilter = false;
    QString txtRecDuration;
    QString txtStampText;
    bool chkMultipleRecord = false;
};

// What is left for the window once the model is written.
struct SetupOutcome {
    bool applied = false;  // false: the frame period is invalid and nothing changed
    QString noUrlUpdate;   // "No" (the update check runs) or "Yes"
    bool showSideLogo = false;
    bool saveRegistry = false;     // the window's place goes to the registry
    bool probeSizesAgain = false;  // "Auto" or "Always": forget the probed sizes
    bool ftpOn = false;
    bool selectFirstFileOption = false;  // the file name box was empty
    QString stampBoxText;  // the stamp box's text afterwards
};

// Copies the form into the model in the order of the OK button. A frame period
// below 1 changes nothing.
SetupOutcome applySetupForm(const SetupForm& form, SettingsModel& s);

// The caption colours of the auto-save and motion-save options: red while FTP is on.
inline constexpr quint32 kFtpOptionColour = 255;
inline constexpr quint32 kWindowTextColour = 0x80000012;
