#include "dialogs/frmAboutSystemInfo.h"

#include "settings/Module1Registry.h"
#include "settings/Registry.h"

#include <QFileInfo>
#include <QStandardPaths>

namespace {

const char kToolKey[] = "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";
const char kToolFolderKey[] = "SOFTWARE\\Microsoft\\Shared Tools Location";
const char kToolFile[] = "/MSINFO32.EXE";

}  // namespace

bool GetKeyValue(const Registry& store, int32_t keyRoot, const QString& keyName, const QString& subKeyRef,
                 QString& keyVal)
{
    const auto location = registryValueLocation(keyRoot, keyName, subKeyRef);
    if (!location || !store.contains(location->first, location->second)) {
        keyVal.clear();
        return false;
    }
    keyVal = RegQueryString(store, keyRoot, keyName, subKeyRef);
    return true;
}

QStringList desktopSystemInfoTools()
{
    return {"hardinfo", "gnome-system-monitor", "plasma-systemmonitor", "ksysguard",
            "mate-system-monitor", "xfce4-taskmanager", "lxtask"};
}

QString findSystemInfoTool(const Registry& store, const QStringList& tools, const QStringList& searchPaths)
{
    QString value;
    if (GetKeyValue(store, kHkeyLocalMachine, kToolKey, "PATH", value) && !value.isEmpty())
        return value;
    if (GetKeyValue(store, kHkeyLocalMachine, kToolFolderKey, "MSINFO", value) && !value.isEmpty()
        && QFileInfo::exists(value + kToolFile))
        return value + kToolFile;
    for (const QString& tool : tools) {
        const QString found = QStandardPaths::findExecutable(tool, searchPaths);
        if (!found.isEmpty())
            return found;
    }
    return {};
}
