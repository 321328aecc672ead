#pragma once

#include "core/SetupApply.h"
#include "platform/base/Result.h"

#include <QList>
#include <QString>

#include <functional>
#include <optional>

// What the setup dialog's OK checks before it changes anything: every value it is
// about to store must be one the program can work with. A box it cannot use is
// named in a message and the dialog stays open with the user's edits.

// A box whose text OK refuses: the box (its object name) and the message shown.
struct SetupRefusal {
    QString box;
    QString message;
};

// How a folder stands for use as a working folder.
struct FolderCheck {
    enum class Verdict {
        Use,     // an existing folder the program can write into
        Create,  // missing; it can be made
        Refuse,  // cannot be used; reason says why
    };
    Verdict verdict = Verdict::Use;
    QString reason;
};

// The folder a folder box's text names: trimmed, and a relative text taken from
// the program folder; the path is cleaned ("a/../b" is "b").
QString absoluteFolder(const QString& text, const QString& programFolder);

// What checkFolder asks of the file system; tests stand in for it.
struct FolderProbe {
    enum class Kind { Missing, Folder, Other };
    std::function<Kind(const QString& path)> kind;
    // Whether files can be made in the folder.
    std::function<bool(const QString& path)> writable;
};
FolderProbe systemFolderProbe();

// Whether the folder `path` (absolute) can hold the program's files: a folder that
// exists must be writable; a missing one must be creatable, so the nearest
// existing part of its path must be a writable folder (not a file).
FolderCheck checkFolder(const QString& path, const FolderProbe& probe = systemFolderProbe());

// The characters of a file name's text that cannot stand in a file name on this
// system ("/", NUL and the other control characters), each once, in order of
// appearance; empty when the text is usable.
QString forbiddenFileNameCharacters(const QString& text);

// A folder that OK makes before it applies the form.
struct FolderToMake {
    QString box;
    QString path;
};

// The outcome of the checks: a refusal, or the form with its folder texts made
// absolute and the folders to create.
struct SetupChecked {
    std::optional<SetupRefusal> refusal;
    SetupForm form;
    QList<FolderToMake> create;
};

// Checks the form in the order of the boxes: frame period, recording time, start
// and stop time, counter, file name, then the folders. Only folder texts that OK
// stores are checked (the five working folders when longer than three characters,
// "Save As" default when not empty).
SetupChecked checkSetupForm(const SetupForm& form, const QString& programFolder,
                            const FolderProbe& probe = systemFolderProbe());

// Makes the folder and the missing folders above it; the system's reason when it cannot.
platform::Result makeFolder(const QString& path);

// The message for a folder that could not be made.
QString folderNotMadeMessage(const QString& box, const QString& path, const QString& reason);

// The caption that names a folder box in messages ("Snapshots:" for Text1).
QString folderBoxCaption(const QString& box);

// Texts of the refusals.
namespace setuptext {
inline constexpr char kScanRefreshInvalid[] = "Scan Refresh invalid.";
inline constexpr char kRecordTimeInvalid[] =
    "Time to record on motion detection invalid: give whole seconds, 4 or more.";
inline constexpr char kStartTimeInvalid[] = "Start time invalid: give hh:mm, 00:00 to 23:59.";
inline constexpr char kStopTimeInvalid[] = "Stop time invalid: give hh:mm, 00:00 to 23:59.";
inline constexpr char kCounterInvalid[] = "Start picture counter at: invalid.";
}  // namespace setuptext
