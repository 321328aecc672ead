#include "platform/lists/FileListing.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSet>

#include <algorithm>

namespace platform {

namespace {

bool lessIgnoringCase(const QString& a, const QString& b)
{
    const int c = QString::compare(a, b, Qt::CaseInsensitive);
    return c != 0 ? c < 0 : a < b;
}

// The file systems that hold no user files of their own.
const QSet<QString>& pseudoFileSystems()
{
    static const QSet<QString> types{
        "proc", "sysfs", "tmpfs", "devtmpfs", "overlay", "squashfs", "cgroup", "cgroup2",
        "devpts", "mqueue", "debugfs", "tracefs", "securityfs", "pstore", "bpf", "autofs",
        "fusectl", "configfs", "hugetlbfs", "binfmt_misc", "efivarfs", "nsfs", "ramfs",
        "rpc_pipefs", "selinuxfs", "fuse.gvfsd-fuse", "fuse.portal", "fuse.lxcfs", "nfsd"};
    return types;
}

// /proc/mounts writes blanks, tabs, new lines and backslashes as octal escapes.
QString decodeMountField(const QString& field)
{
    QString out;
    for (int i = 0; i < field.size(); ++i) {
        bool ok = false;
        const int code = field[i] == '\\' ? field.mid(i + 1, 3).toInt(&ok, 8) : 0;
        if (ok && i + 3 < field.size()) {
            out += QChar(code);
            i += 3;
        } else {
            out += field[i];
        }
    }
    return out;
}

// "*" any run of characters, "?" any one; everything else, "[" too, stands for itself.
QRegularExpression globExpression(const QString& glob)
{
    QString pattern;
    for (const QChar c : glob)
        pattern += c == '*' ? QStringLiteral(".*") : c == '?' ? QStringLiteral(".") : QRegularExpression::escape(c);
    return QRegularExpression(QRegularExpression::anchoredPattern(pattern),
                              QRegularExpression::CaseInsensitiveOption | QRegularExpression::DotMatchesEverythingOption);
}

Result folderFailure(const QString& folder)
{
    const QFileInfo info(folder);
    if (folder.isEmpty() || !info.exists() || !info.isDir())
        return Result::failure(QStringLiteral("no such folder: ") + folder, kErrorPathNotFound);
    return Result::failure(QStringLiteral("folder cannot be read: ") + folder, kErrorPermissionDenied);
}

}  // namespace

QStringList splitPattern(const QString& pattern)
{
    QStringList globs;
    for (const QString& part : pattern.split(';')) {
        const QString glob = part.trimmed();
        if (!glob.isEmpty())
            globs.append(glob);
    }
    if (globs.isEmpty())
        globs.append(QStringLiteral("*"));
    return globs;
}

bool matchesPattern(const QString& name, const QStringList& globs)
{
    return std::any_of(globs.begin(), globs.end(), [&name](const QString& glob) {
        return globExpression(glob).match(name).hasMatch();
    });
}

Result checkFolder(const QString& folder)
{
    const QFileInfo info(folder);
    if (folder.isEmpty() || !info.isDir() || !info.isReadable() || !info.isExecutable())
        return folderFailure(folder);
    return Result::success();
}

Listing listFiles(const QString& folder, const QString& pattern)
{
    Listing listing{checkFolder(folder), {}};
    if (!listing.result)
        return listing;
    const QStringList globs = splitPattern(pattern);
    const QDir dir(folder);
    for (const QFileInfo& entry : dir.entryInfoList(QDir::Files | QDir::NoDotAndDotDot)) {
        const QString name = entry.fileName();
        if (!name.startsWith('.') && matchesPattern(name, globs))
            listing.names.append(name);
    }
    std::sort(listing.names.begin(), listing.names.end(), lessIgnoringCase);
    return listing;
}

Listing listFolders(const QString& folder)
{
    Listing listing{checkFolder(folder), {}};
    if (!listing.result)
        return listing;
    const QDir dir(folder);
    for (const QFileInfo& entry : dir.entryInfoList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        if (!entry.fileName().startsWith('.'))
            listing.names.append(entry.absoluteFilePath());
    }
    std::sort(listing.names.begin(), listing.names.end(), lessIgnoringCase);
    return listing;
}

QStringList drivesFromMounts(const QString& mountsText)
{
    QStringList others;
    for (const QString& line : mountsText.split('\n')) {
        const QStringList fields = line.split(' ', Qt::SkipEmptyParts);
        if (fields.size() < 3 || pseudoFileSystems().contains(fields[2]))
            continue;
        const QString mountPoint = decodeMountField(fields[1]);
        if (mountPoint != "/" && mountPoint.startsWith('/') && !others.contains(mountPoint))
            others.append(mountPoint);
    }
    std::sort(others.begin(), others.end(), lessIgnoringCase);
    return QStringList{QStringLiteral("/")} + others;
}

QStringList mountedDrives()
{
    QFile mounts(QStringLiteral("/proc/self/mounts"));
    if (!mounts.open(QIODevice::ReadOnly))
        return {QStringLiteral("/")};
    return drivesFromMounts(QString::fromUtf8(mounts.readAll()));
}

QString driveOfPath(const QStringList& drives, const QString& path)
{
    QString best = QStringLiteral("/");
    for (const QString& drive : drives) {
        const bool holds = path == drive || path.startsWith(drive.endsWith('/') ? drive : drive + '/');
        if (holds && drive.size() > best.size())
            best = drive;
    }
    return best;
}

}  // namespace platform
