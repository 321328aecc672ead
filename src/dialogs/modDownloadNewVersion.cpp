#include "dialogs/modDownloadNewVersion.h"

#include "platform/files/SmallFile.h"
#include "platform/net/NetworkReach.h"
#include "platform/net/UrlDownload.h"
#include "settings/Module1Launchers.h"
#include "settings/Prompts.h"

#include <QCoreApplication>
#include <QLoggingCategory>
#include <QUrl>

namespace {

Q_LOGGING_CATEGORY(lcUpdate, "tolvex.update")

// The check runs from the start that reads this count on.
constexpr qint64 kFirstCheckedStart = 6;

bool takeCount(Registry& registry, const QString& section)
{
    const qint64 count = storedNumber(registry.getSetting(section, "WaitForNew", "1"));
    registry.saveSetting(section, "WaitForNew", QString::number(count + 1));
    return count >= kFirstCheckedStart;
}

std::optional<VersionFile> readVersionFile(const QString& path)
{
    // A regular file of settings size only: never waits on a pipe or a device.
    const platform::SmallFileRead read = platform::readSmallFile(path);
    if (!read.result) {
        qCWarning(lcUpdate).noquote() << "cannot read" << path << ":" << read.result.reason;
        return std::nullopt;
    }
    return parseVersionFile(read.bytes);
}

}  // namespace

bool IsConnected(const QString& versionFileAddress)
{
    const QUrl address(versionFileAddress);
    if (platform::isLoopbackAddress(address))
        return true;
    return platform::worthTrying(platform::desktopReach(), address);
}

bool DownloadFile(const QString& address, const QString& localFile)
{
    QCoreApplication::processEvents();
    const auto isVersionFile = [](const QByteArray& content) { return parseVersionFile(content).ok; };
    const platform::Result result = platform::downloadUrlToFile(address, localFile, {}, isVersionFile);
    QCoreApplication::processEvents();
    return result.ok;
}

void CheckNewVersion(UpdateCheckServices& services, const UpdateCheckRequest& request)
{
    Registry& registry = services.registry;
    // No address configured: no check, no count and no network.
    if (request.versionFileAddress.trimmed().isEmpty())
        return;
    if (!takeCount(registry, request.section))
        return;
    if (registry.getSetting(request.section, "NoURLupdate") == "Yes")
        return;
    if (!services.isConnected(request.versionFileAddress))
        return;
    if (!DownloadFile(request.versionFileAddress, request.localFile))
        return;
    const auto file = readVersionFile(request.localFile);
    if (!file)
        return;
    const qint64 declined = storedNumber(registry.getSetting(request.section, "Download", "0"));
    const auto offer = offerFor(*file, request.runningVersion, declined);
    if (!offer)
        return;
    switch (services.prompts.yesNoCancel(services.owner, offer->text, offer->title, BoxIcon::None)) {
    case BoxAnswer::Yes: OpenWebPage(services.shell, request.pageAddress); break;
    case BoxAnswer::No: registry.saveSetting(request.section, "Download", QString::number(offer->number)); break;
    default: break;
    }
}

UpdateCheckRequest startupUpdateRequest(const QString& appPath)
{
    const UpdateAddresses addresses = updateAddresses();
    return {addresses.page, addresses.versionFile, appPath + "/dversion.ver"};
}

bool updateCheckConfigured(const UpdateCheckRequest& request)
{
    return !request.versionFileAddress.trimmed().isEmpty();
}
