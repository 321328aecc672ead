#pragma once

#include <QString>
#include <QStringList>

#include <cstdint>

class QWidget;

// Flag bits of the dialogs; the values are fixed (callers pass and keep them).
namespace DialogFlags {
inline constexpr int32_t ReadOnly = 0x1;
inline constexpr int32_t OverwritePrompt = 0x2;
inline constexpr int32_t HideReadOnly = 0x4;
inline constexpr int32_t EnableHook = 0x20;
inline constexpr int32_t EnableTemplate = 0x40;
inline constexpr int32_t AllowMultiSelect = 0x200;
inline constexpr int32_t ExtensionDifferent = 0x400;
inline constexpr int32_t FileMustExist = 0x1000;
}  // namespace DialogFlags

// What both dialogs are given and write back. The filter is pairs of a description
// and a ";"-separated pattern list, every part ended by "|" or ":", e.g.
// "Bitmap Files (*.bmp)|*.bmp|JPEG Files (*.jpg)|*.jpg"; filterIndex counts from 1.
struct FileDialogArgs {
    QString fileName;  // proposed name in; chosen full path out
    QString fileTitle;  // proposed title in; chosen name without folder out
    QString filter;  // out: the chosen pair, description NUL patterns
    int32_t filterIndex = 1;
    QString initialFolder;
    QString dialogTitle;
    QString defaultExtension;  // without the point
    QWidget* owner = nullptr;  // none: the dialog has no owner
    int32_t flags = 0;
};

struct OpenDialogArgs : FileDialogArgs {
    bool mustExist = false;
    bool multiSelect = false;
    bool readOnly = false;
    bool hideReadOnly = false;
};

struct SaveDialogArgs : FileDialogArgs {
    bool overwritePrompt = false;
};

enum class DialogResult {
    Confirmed,
    Cancelled,  // name, title and filter are a single NUL, flags 0, filterIndex 0 (save) or -1 (open)
    NameTooLong,  // the proposed name or title does not fit; no dialog shown, nothing written back
};

// The longest proposed name and title the dialogs take.
inline constexpr int kMaxDialogFileName = 1024;
inline constexpr int kMaxDialogFileTitle = 512;

DialogResult ShowOpenDialog(OpenDialogArgs& args);
// A name typed without an extension gets the chosen filter's (its first plain
// "*.ext" pattern; defaultExtension where the filter has none) before the dialog
// asks whether to replace an existing file of that name.
DialogResult ShowSaveDialog(SaveDialogArgs& args);

// The question asked before a file is replaced: "shot.bmp already exists.",
// a line break, "Do you want to replace it?".
QString replaceQuestionText(const QString& path);

// The filter as the dialog record holds it: each "|" and ":" a NUL, two NULs at the end.
QString ConvertDialogFilter(const QString& filter);

// Pair number `index` (from 1) of a converted filter list: description, NUL,
// patterns; empty text when there is none.
QString FixFilter(const QString& filterList, int32_t index);

// The converted list's pairs as Qt file dialog name filters: the description, then
// the patterns in parentheses ("Bitmap Files (*.bmp) (*.bmp)").
QStringList DialogNameFilters(const QString& filterList);
// What the dialog shows of each pair: its description alone, as given.
QStringList DialogFilterTexts(const QString& filterList);
