#pragma once

#include "platform/base/Result.h"

#include <QLoggingCategory>
#include <QString>
#include <QStringList>

#include "viewer/ViewerLog.h"

// The viewer's file operations below the window: what to ask, what to delete or
// rename, and what to report.

// NoConfirmDelete: 0 confirm every deletion, 1 delete without asking, -1 confirm
// and ask once per run whether to turn the confirmation off.
inline constexpr int kConfirmDelete = 0;
inline constexpr int kNoConfirmDelete = 1;
inline constexpr int kConfirmAndAskTurnOff = -1;

bool deleteNeedsConfirmation(int noConfirmDelete);
bool deleteAsksTurnOff(int noConfirmDelete, bool questionAsked);
// The stored value for an answer to the turn-off question: No 0, Yes 1, Cancel -1.
enum class TurnOffAnswer { Yes, No, Cancel };
int noConfirmDeleteFor(TurnOffAnswer answer);

// "Delete all": the kind follows the selected file (".avi" movies, anything else,
// no selection too, pictures), and it deletes exactly the listed files of that
// kind: ".jpg" and ".bmp" pictures, ".avi" movies, matched ignoring case.
enum class DeleteAllKind { Picture, Movie };
DeleteAllKind deleteAllKind(const QString& selectedName);
QString deleteAllKindText(DeleteAllKind kind);
QStringList deleteAllTargets(const QStringList& listedNames, DeleteAllKind kind);

struct DeleteAllResult {
    bool ok = true;
    int errorNumber = 0;        // the first failure's number; 53 when there was nothing to delete
    QStringList notDeleted;     // every listed file that is still there
};
// Deletes the targets in folder (which ends in "/"); a folder or anything that is
// not a normal file is never deleted. Nothing of the kind to delete is a failure
// too: the user who asked to delete gets a box saying nothing was deleted.
DeleteAllResult deleteAll(const QString& folder, const QStringList& listedNames, DeleteAllKind kind);
// The box text of a failed "delete all": the fixed sentence and the files left.
QString deleteAllFailureText(const DeleteAllResult& result);

// A rename answer, checked before anything touches the disk.
enum class RenameCheck {
    Nothing,         // empty, or the same name in any letter case: stop without a word
    NeedsExtension,  // none of ".jpg", ".bmp", ".avi", ".jpeg" anywhere in the name
    NotAName,        // holds "/", so it would move the file to another folder
    Go,
};
RenameCheck checkRename(const QString& folder, const QString& oldName, const QString& reply);

// The lines of the program's own properties dialog of a file: name, folder, size,
// time, permissions and, for a picture, its size in pixels.
struct PropertyLine {
    QString label;
    QString value;
};
QList<PropertyLine> filePropertyLines(const QString& path);
