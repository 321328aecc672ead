#include "platform/shell/ShellDesktop.h"

#include <QDesktopServices>
#include <QProcess>

bool DesktopShell::openUrl(const QUrl& url)
{
    return url.isValid() && QDesktopServices::openUrl(url);
}

bool DesktopShell::startProgram(const QString& program, const QStringList& arguments)
{
    return !program.isEmpty() && QProcess::startDetached(program, arguments);
}

std::unique_ptr<Shell> makeDesktopShell()
{
    return std::make_unique<DesktopShell>();
}
