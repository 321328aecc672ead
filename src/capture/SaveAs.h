#pragma once

#include "platform/base/Result.h"
#include "settings/FileDialogs.h"
#include "core/SettingsModel.h"

#include <QImage>
#include <QSize>
#include <QString>

#include <cstdint>

// The filters of the Save As dialog, numbered as the dialog numbers them (from 1).
enum SaveAsFilter : int32_t {
    kFilterNone = 0,  // before the first save, and what a cancelled dialog hands back
    kFilterBmpTrueSize = 1,
    kFilterBmpScaled = 2,
    kFilterJpgTrueSize = 3,
    kFilterJpgScaled = 4,
};

// Values of SaveAsScreenSize.
enum SaveAsScreenSizeCode : int16_t {
    kScreenSizeNoPreference = 0,
    kScreenSizeTrue = 1,
    kScreenSizeScaled = 2,
};

// The error numbers the Save As box shows in its title.
enum SaveAsErrorNumber : int {
    kSaveAsErrorDiskFull = 61,
    kSaveAsErrorPermission = 70,
    kSaveAsErrorFileAccess = 75,
    kSaveAsErrorPathNotFound = 76,
    kSaveAsErrorInvalidPicture = 481,
};

inline constexpr char kSaveAsFilterList[] =
    "Bitmap Files 'True Size' (*.bmp)|*.bmp|"
    "Bitmap Files 'Scaled Size' (*.bmp)|*.bmp|"
    "JPG Picture Files 'True Size' (*.jpg)|*.jpg;*.jpeg|"
    "JPG Picture Files 'Scaled Size' (*.jpg)|*.jpg;*.jpeg";
inline constexpr char kSaveAsDialogTitle[] = "Save Single Frame as Picture";
inline constexpr char kSaveAsProblemText[] = "Problem saving pictureframe";
inline constexpr char kExtensionBmp[] = "bmp";
inline constexpr char kExtensionJpg[] = "jpg";

// What the main window remembers of the last Save As that worked, while the
// program runs (not in the settings file).
struct SaveAsMemory {
    QString fileName;  // the full path written last
    QString folder;    // the folder it was written into
    int32_t filterIndex = kFilterNone;
    QString extension;  // "bmp" or "jpg"
};

// What the dialog opens with.
struct SaveAsProposal {
    int32_t filterIndex = kFilterNone;
    QString extension;  // the default extension, without the point
    QString folder;     // the initial folder
    QString fileName;   // the first free MyImage-NN name in it, as a full path
};

// The filter, extension, folder and free "MyImage-NN" name the dialog is opened
// with: the remembered filter (the picture-type setting's before the first save),
// overridden by SaveAsScreenSize; the folder SaveAsPath, else the program folder
// before the first save, else the folder saved into last.
SaveAsProposal proposeSaveAs(const SettingsModel& s, const SaveAsMemory& memory);

// The save dialog's arguments for a proposal (owner left to the window).
SaveDialogArgs saveAsDialogArgs(const SaveAsProposal& proposal);

// The file a confirmed dialog leads to.
struct SaveAsTarget {
    QString path;
    QString extension;  // what the memory keeps: "bmp" or "jpg" by the filter
    bool bitmap = false;  // written as a bitmap; otherwise as JPEG
};

// Applies the extension rules to the chosen path for the chosen filter. Only the
// file name is looked at and changed, never the folder it lies in. A name that ends
// in ".bmp", ".jpg" or ".jpeg" (any case) is kept and decides the format: the file
// is a bitmap when it ends in ".bmp". Any other name gets the filter's extension
// added (".bmp" for the bitmap filters, else ".jpg"). The remembered extension
// follows the filter.
SaveAsTarget saveAsTarget(const QString& chosenPath, int32_t filterIndex, const QString& previousExtension);

bool isScaledFilter(int32_t filterIndex);

// The size the picture is written at: the size shown in the preview for the scaled
// filters while the preview is stretched to the window (fit/stretch), otherwise the
// frame's own size. A preview with no size yet shows the frame's size.
QSize saveAsPictureSize(int32_t filterIndex, QSize frameSize, QSize shownSize, bool stretched);

// The frame as Save As writes it: painted at saveAsPictureSize without smoothing.
QImage saveAsPicture(const QImage& frame, int32_t filterIndex, QSize shownSize, bool stretched);

// Writes the picture to the target through the safe writer: on failure no file or
// partial file is left and an older file of that name stays. The code of a failure
// is the number the box shows (SaveAsErrorNumber).
platform::Result writeSaveAsPicture(const QImage& picture, const SaveAsTarget& target, int jpegQuality);

// "Tolvex - Error nr:75": the title of the failure box.
QString saveAsErrorTitle(const QString& programTitle, int errorNumber);

// The memory after a save that worked.
SaveAsMemory rememberSaveAs(const SaveAsTarget& target, int32_t filterIndex);
