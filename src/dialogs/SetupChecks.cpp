#include "dialogs/SetupChecks.h"

#include <QDir>
#include <QFileInfo>

#include <filesystem>
#include <system_error>

#include <unistd.h>

namespace {

struct FolderBox {
    QString SetupForm::*text;
    const char* box;
    const char* caption;
    bool emptyAllowed;  // an empty text is stored (the "Save As" default); else short texts are ignored
};

// In the order of the dialog's rows.
constexpr FolderBox kFolderBoxes[] = {
    {&SetupForm::Text1, "Text1", "Snapshots:", false},
    {&SetupForm::Text2, "Text2", "AutoSave pics:", false},
    {&SetupForm::Text7, "Text7", "MotionSave pics:", false},
    {&SetupForm::Text6, "Text6", "Video recordings:", false},
    {&SetupForm::Text8, "Text8", "\"Save As\" default:", true},
    {&SetupForm::Text9, "Text9", "Motion recording:", false},
};

bool storedByOk(const FolderBox& row, const QString& trimmed)
{
    return row.emptyAllowed ? !trimmed.isEmpty() : trimmed.size() >= kShortestFolderText;
}

QString folderRefusal(const QString& box, const QString& path, const QString& reason)
{
    return QStringLiteral("%1 the folder %2 cannot be used: %3.").arg(folderBoxCaption(box), path, reason);
}

std::optional<SetupRefusal> numberRefusal(const SetupForm& f)
{
    const double period = boxNumber(f.Text3);
    if (period < 1 || !wholeInt16(period))
        return SetupRefusal{"Text3", setuptext::kScanRefreshInvalid};
    if (!wholeInt32(boxNumber(f.txtRecDuration)))
        return SetupRefusal{"txtRecDuration", setuptext::kRecordTimeInvalid};
    if (!acceptedTime(f.txtStartTime))
        return SetupRefusal{"txtStartTime", setuptext::kStartTimeInvalid};
    if (!acceptedTime(f.txtStopTime))
        return SetupRefusal{"txtStopTime", setuptext::kStopTimeInvalid};
    if (!wholeInt32(boxNumber(f.txtCounter)))
        return SetupRefusal{"txtCounter", setuptext::kCounterInvalid};
    if (const QString bad = forbiddenFileNameCharacters(f.txtFilename.trimmed()); !bad.isEmpty()) {
        QStringList shown;
        for (const QChar c : bad)
            shown << (c == '/' ? QStringLiteral("\"/\"") : QStringLiteral("control character %1").arg(c.unicode()));
        return SetupRefusal{"txtFilename", QStringLiteral("Filename: invalid: %1 cannot stand in a file name.")
                                               .arg(shown.join(QStringLiteral(", ")))};
    }
    return std::nullopt;
}

}  // namespace

QString folderBoxCaption(const QString& box)
{
    for (const FolderBox& row : kFolderBoxes)
        if (box == QLatin1String(row.box))
            return row.caption;
    return box;
}

QString folderNotMadeMessage(const QString& box, const QString& path, const QString& reason)
{
    return QStringLiteral("%1 the folder %2 could not be made: %3.").arg(folderBoxCaption(box), path, reason);
}

QString absoluteFolder(const QString& text, const QString& programFolder)
{
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty())
        return trimmed;
    return QDir::cleanPath(QDir(programFolder).absoluteFilePath(trimmed));
}

FolderProbe systemFolderProbe()
{
    FolderProbe probe;
    probe.kind = [](const QString& path) {
        const QFileInfo info(path);
        if (!info.exists())
            return info.isSymLink() ? FolderProbe::Kind::Other : FolderProbe::Kind::Missing;
        return info.isDir() ? FolderProbe::Kind::Folder : FolderProbe::Kind::Other;
    };
    // Making a file in a folder takes write and search permission on it.
    probe.writable = [](const QString& path) { return ::access(QFile::encodeName(path).constData(), W_OK | X_OK) == 0; };
    return probe;
}

FolderCheck checkFolder(const QString& path, const FolderProbe& probe)
{
    using Kind = FolderProbe::Kind;
    switch (probe.kind(path)) {
    case Kind::Folder:
        if (!probe.writable(path))
            return {FolderCheck::Verdict::Refuse, QStringLiteral("no permission to write in it")};
        return {FolderCheck::Verdict::Use, {}};
    case Kind::Other: return {FolderCheck::Verdict::Refuse, QStringLiteral("%1 is a file, not a folder").arg(path)};
    case Kind::Missing: break;
    }
    QString part = path;
    for (;;) {
        const QString parent = QFileInfo(part).path();
        if (parent == part || parent.isEmpty())
            return {FolderCheck::Verdict::Refuse, QStringLiteral("no part of its path exists")};
        part = parent;
        switch (probe.kind(part)) {
        case Kind::Missing: continue;
        case Kind::Other: return {FolderCheck::Verdict::Refuse, QStringLiteral("%1 is a file, not a folder").arg(part)};
        case Kind::Folder:
            if (!probe.writable(part))
                return {FolderCheck::Verdict::Refuse, QStringLiteral("no permission to make it in %1").arg(part)};
            return {FolderCheck::Verdict::Create, {}};
        }
    }
}

platform::Result makeFolder(const QString& path)
{
    std::error_code error;
    std::filesystem::create_directories(std::filesystem::path(QFile::encodeName(path).toStdString()), error);
    if (error)
        return platform::Result::failure(QString::fromStdString(error.message()));
    return platform::Result::success();
}

QString forbiddenFileNameCharacters(const QString& text)
{
    QString found;
    for (const QChar c : text) {
        const bool forbidden = c == '/' || c.unicode() < 0x20 || c.unicode() == 0x7f;
        if (forbidden && !found.contains(c))
            found.append(c);
    }
    return found;
}

SetupChecked checkSetupForm(const SetupForm& form, const QString& programFolder, const FolderProbe& probe)
{
    SetupChecked out;
    out.form = form;
    if ((out.refusal = numberRefusal(form)))
        return out;
    for (const FolderBox& row : kFolderBoxes) {
        const QString trimmed = (form.*row.text).trimmed();
        if (!storedByOk(row, trimmed))
            continue;
        const QString path = absoluteFolder(trimmed, programFolder);
        const FolderCheck check = checkFolder(path, probe);
        if (check.verdict == FolderCheck::Verdict::Refuse) {
            out.refusal = SetupRefusal{row.box, folderRefusal(row.box, path, check.reason)};
            return out;
        }
        if (check.verdict == FolderCheck::Verdict::Create)
            out.create.append({row.box, path});
        out.form.*row.text = path;
    }
    return out;
}
