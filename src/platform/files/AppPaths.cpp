#include "platform/files/AppPaths.h"

#include <QCoreApplication>
#include <QDir>
#include <QStringList>

namespace platform {

QString programFolder()
{
    QString folder = qEnvironmentVariable("TOLVEX_HOME");
    if (folder.isEmpty())
        folder = QCoreApplication::applicationDirPath();
    folder = QDir::cleanPath(folder);
    if (folder.endsWith('/'))
        folder.chop(1);
    return folder;
}

QString commandLine()
{
    QStringList args = QCoreApplication::arguments();
    if (!args.isEmpty())
        args.removeFirst();
    return args.join(' ');
}

}  // namespace platform
