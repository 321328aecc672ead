#include "settings/Module1Files.h"

#include "platform/base/Wildcard.h"
#include "platform/files/SpecialFolders.h"

#include <QDir>
#include <QDirIterator>
#include <QFileInfo>

namespace {

bool isWildcard(QChar c) { return c == '*' || c == '?'; }

bool isNormalFile(const QFileInfo& info)
{
    return info.isFile() && !info.fileName().startsWith('.');
}

bool anyFileMatches(const QString& folder, const QString& pattern)
{
    if (!QFileInfo(folder).isDir())
        return false;
    QDirIterator it(folder, QDir::Files | QDir::System);
    while (it.hasNext()) {
        it.next();
        if (isNormalFile(it.fileInfo()) && platform::wildcardMatch(pattern, it.fileName()))
            return true;
    }
    return false;
}

bool entryExists(const QString& path)
{
    const QFileInfo info(path);
    return info.exists() || info.isSymLink();
}

}  // namespace

bool FileExists(const QString& path)
{
    const qsizetype slash = path.lastIndexOf('/');
    const QString fileName = path.mid(slash + 1);
    if (fileName.isEmpty())
        return false;
    if (!std::any_of(fileName.begin(), fileName.end(), isWildcard))
        return isNormalFile(QFileInfo(path));
    const QString folder = slash < 0 ? QStringLiteral(".") : path.left(slash + 1);
    return anyFileMatches(folder, fileName);
}

QString UniqueFileName(QString& name, QString& folder)
{
    const QString extension = name.right(4);
    if (!folder.endsWith('/'))
        folder += '/';
    const QString stem = folder + name.left(std::max<qsizetype>(0, name.size() - 4)) + '-';
    for (int n = 1;; ++n) {
        name = stem + QString::number(n).rightJustified(2, '0');
        if (!entryExists(name + extension))
            return name + extension;
    }
}

void SplitPath(SettingsModel& s, const QString& path)
{
    const qsizetype slash = path.lastIndexOf('/');
    s.SplitFileName = slash < 0 ? QString() : path.mid(slash + 1);
    s.SplitFolder = slash < 0 ? path : path.left(slash + 1);
}

QString GetSpecialFolderPath(int32_t folderId)
{
    return platform::specialFolderPath(folderId);
}
