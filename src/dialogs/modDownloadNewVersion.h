#pragma once

#include "dialogs/UpdateCheck.h"
#include "settings/Registry.h"

#include <QString>

#include <functional>

class Prompts;
class QWidget;
class Shell;

// Whether the machine can reach the version file's address (see platform::worthTrying).
bool IsConnected(const QString& versionFileAddress);

// Copies the address to the local file; the old local file stays unless a whole
// version file arrived. Pending events run before and after, so the waiting
// window is painted while the user-interface thread waits.
bool DownloadFile(const QString& address, const QString& localFile);

struct UpdateCheckServices {
    Registry& registry;
    Prompts& prompts;
    Shell& shell;
    QWidget* owner = nullptr;  // owns the question box
    std::function<bool(const QString& versionFileAddress)> isConnected = IsConnected;
};

struct UpdateCheckRequest {
    QString pageAddress;         // opened on Yes
    QString versionFileAddress;  // fetched into localFile
    QString localFile;           // the program folder's "dversion.ver"
    QString section = Registry::kSection;
    qint64 runningVersion = runningVersionNumber();
};

// Without a version-file address it does nothing at all. Otherwise it counts the
// start and, from the sixth counted start on, asks the maker's server
// whether a newer version is published and offers its download page. Every
// failure ends the check quietly.
void CheckNewVersion(UpdateCheckServices& services, const UpdateCheckRequest& request);

// The request the start-up hands the check: the configured addresses and the
// version file in the program folder.
UpdateCheckRequest startupUpdateRequest(const QString& appPath);
// Whether the start-up has a check to run (and a waiting window to show).
bool updateCheckConfigured(const UpdateCheckRequest& request);
