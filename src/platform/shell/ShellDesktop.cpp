#include "platform/shell/ShellDesktop.h"

#include <QDBusConnection>
#include <QDBusMessage>
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

bool DesktopShell::startProgramIn(const QString& program, const QStringList& arguments,
                                  const QString& workingFolder)
{
    return !program.isEmpty() && QProcess::startDetached(program, arguments, workingFolder);
}

bool DesktopShell::showItemProperties(const QString& path)
{
    // The file managers' common interface; a desktop without one gives an error
    // reply (or none within the wait), and the caller shows its own dialog.
    constexpr int kReplyWaitMs = 3000;
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (path.isEmpty() || !bus.isConnected())
        return false;
    QDBusMessage call = QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.FileManager1"), QStringLiteral("/org/freedesktop/FileManager1"),
        QStringLiteral("org.freedesktop.FileManager1"), QStringLiteral("ShowItemProperties"));
    call << QStringList{QUrl::fromLocalFile(path).toString()} << QString();
    return bus.call(call, QDBus::Block, kReplyWaitMs).type() == QDBusMessage::ReplyMessage;
}

std::unique_ptr<Shell> makeDesktopShell()
{
    return std::make_unique<DesktopShell>();
}
