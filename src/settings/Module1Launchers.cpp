#include "settings/Module1Launchers.h"

#include "platform/shell/Shell.h"
#include "core/SettingsModel.h"

#include <QUrl>

namespace {

// The number form that puts a blank before a number that is not negative.
QString printNumber(int n)
{
    return n < 0 ? QString::number(n) : ' ' + QString::number(n);
}

}  // namespace

void OpenWebPage(Shell& shell, const QString& address)
{
    const QString target = address.isEmpty() ? QString(kMakerHomePage) : address;
    shell.openUrl(QUrl::fromUserInput(target));
}

QString MailToAuthorSubject()
{
    return QStringLiteral("Vyk-Tolvex v") + printNumber(ProgramVersion::major) + '.'
        + printNumber(ProgramVersion::minor) + '.' + printNumber(ProgramVersion::revision);
}

void SendMailToAuthor(Shell& shell)
{
    const QByteArray link = QByteArray("mailto:") + kMakerMailAddress + "?subject="
        + QUrl::toPercentEncoding(MailToAuthorSubject());
    shell.openUrl(QUrl::fromEncoded(link, QUrl::StrictMode));
}

void OpenInNotepad(Shell& shell, const QString& filePath)
{
    if (!filePath.isEmpty())
        shell.openUrl(QUrl::fromLocalFile(filePath));
}
