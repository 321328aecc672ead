#pragma once

#include <QRect>
#include <QString>

#include <cstdint>
#include <vector>

// What the viewer shows, worked out below the window.

// The size line of a shown picture: "640 x 480 - 38KB"; the kilobytes are the
// whole number of 1024-byte blocks plus one, so 0 bytes show 1KB and 1024 show 2KB.
QString sizeLineText(int width, int height, qint64 fileBytes);

// A file the viewer plays instead of showing: a name ending in ".avi" in any case.
bool isVideoFile(const QString& fileName);

// The folder with a "/" at its end (exactly one).
QString folderWithSlash(const QString& folder);

// The caption of the user-editor button: "User Editor " and the program's file
// name without its extension, when it has one ("gimp" stays "gimp").
QString editorCaption(const QString& editorPath);

// The button sets of the viewer's modes. Each row names a control and what
// happens to it; Leave keeps it as it is. A timer's Enabled is whether it runs.
enum class Switch { Leave, On, Off };
struct ControlChange {
    const char* name;
    Switch enabled = Switch::Leave;
    Switch visible = Switch::Leave;
};
enum class ButtonSet { Nothing, Picture, Video, Slide, AfterSlide };

// EnableButtons with its Keuze: 1 picture, 2 video, anything else nothing shown.
ButtonSet buttonSetOfKeuze(int keuze);
// The changes of a set, in the order they are made.
std::vector<ControlChange> buttonSetChanges(ButtonSet set);
// The set a selected file calls for.
ButtonSet buttonSetForFile(const QString& fileName);

// Where a picture shows in a box: as large as fits, its own proportions kept,
// centred (bars above and below, or left and right). Empty for an empty picture.
QRect letterboxRect(const QSize& picture, const QRect& box);

// The folder kinds the folder buttons switch to.
inline constexpr int kFolderKinds = 5;

// A failed folder switch: the first and the third and later failures of a program
// run inform, the second one asks whether to fix the settings.
enum class FolderFailureBox { Information, FixItQuestion };
FolderFailureBox folderFailureBox(int failureCount);
struct BoxTexts {
    QString text;
    QString title;
};
BoxTexts folderFailureTexts(FolderFailureBox box, const QString& folderCaption, int errorNumber);

// The folder button Form_Load selects for the save mode, then the motion-record
// one when that flag is set: a list of folder kinds in calling order.
std::vector<int> folderKindsForSaveMode(int saveMode, int motionRecordMode);
