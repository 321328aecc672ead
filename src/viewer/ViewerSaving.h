#pragma once

#include "platform/base/Result.h"

#include <QDate>
#include <QImage>
#include <QString>
#include <QStringList>

#include <functional>

// Saving the viewer's picture and handing it to other programs, below the window.

// Error numbers the viewer's save box shows.
inline constexpr int kErrorDiskFull = 61;
inline constexpr int kErrorFileAccess = 75;

// What the Save As dialog starts with.
struct SaveAsPlan {
    QString defaultExtension;  // "jpg" for a shown JPEG, else "bmp"
    int filterIndex = 1;       // 2 for a shown JPEG
    QString proposedName;
    QString startFolder;
    bool videoFrame = false;   // the frame of a video is saved
};
struct SaveAsInput {
    QString shownFile;       // Frame2's caption
    bool videoOpen = false;  // the play button is enabled
    QString selectedFile;    // File1's file name
    QString listFolder;
    QString appPath;
    int lastPosition = 0;    // the position bar's last step
    QDate today;
};
SaveAsPlan saveAsPlan(const SaveAsInput& in);

// A name for a picture without one: "Tolvex_" and the date as yy-mm-dd (never a "/").
QString undatedPictureName(const QDate& today);

// The dialog's filter: bitmap first, then JPEG.
QString saveAsFilter();

enum class SavedFormat { Bitmap, Jpeg };

// The file a confirmed save dialog leads to. A name that ends in ".bmp", ".jpg" or
// ".jpeg" (any case) is kept and its extension decides the format; any other name
// gets the chosen filter's extension (".bmp" for filter 1, else ".jpg"). Only the
// file name is looked at, never its folder.
struct ViewerSaveTarget {
    QString path;
    SavedFormat format = SavedFormat::Jpeg;
};
ViewerSaveTarget viewerSaveTarget(const QString& chosenPath, int filterIndex);

// Writes the picture in that format through the safe writer; a full disk or a
// refused file gives its error number in code.
platform::Result writeViewerPicture(const QImage& picture, const QString& path, SavedFormat format, int quality);

// The temporary files of the program folder.
inline constexpr char kHandOffFile[] = "temp.bmp";
inline constexpr char kPrintHandOffFile[] = "tempbufprint1.bmp";

// An outside program with its arguments, started in its own working folder.
struct ProgramCall {
    QString program;
    QStringList arguments;
    QString workingFolder;
    bool operator==(const ProgramCall&) const = default;
};

// Looks a program name up on the search path; "" when there is none.
using ProgramFinder = std::function<QString(const QString&)>;
QString findOnPath(const QString& name);

// Paint programs in the order they are tried: the first one installed edits.
const QStringList& paintPrograms();
// The first installed paint program on the picture; an empty program when none is.
ProgramCall paintCall(const ProgramFinder& find, const QString& picture);
// The user's editor on the picture, started in its own folder; an empty program
// when no editor is set.
ProgramCall editorCall(const QString& editor, const QString& picture);
// The companion tool in the program folder, given the folder to compile.
inline constexpr char kCompanionTool[] = "zarn";
ProgramCall companionCall(const QString& appPath, const QString& folder);
// The outside viewer on a file, and on the clipboard when the file failed.
ProgramCall outsideViewerCall(const QString& viewer, const QString& file);
ProgramCall outsideViewerClipboardCall(const QString& viewer);
// The desktop's printer settings.
ProgramCall printerSettingsCall(const ProgramFinder& find);
