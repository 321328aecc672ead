#include "settings/Registry.h"

#include "settings/SettingsLog.h"

#include <QDir>
#include <QFileInfo>
#include <QLoggingCategory>
#include <QSettings>

#include "platform/files/SmallFile.h"

namespace {

QString configRoot()
{
    const QString xdg = qEnvironmentVariable("XDG_CONFIG_HOME");
    if (!xdg.isEmpty())
        return xdg;
    return QDir::homePath() + "/.config";
}

// QSettings gives no system text; the kind of failure and the file are what it has.
// A store that cannot be written fails every write alike: it is logged once.
void syncOrWarn(QSettings& store, bool& failureLogged)
{
    store.sync();
    if (store.status() == QSettings::NoError || failureLogged)
        return;
    failureLogged = true;
    if (store.status() == QSettings::AccessError)
        qCWarning(lcSettings).noquote() << "cannot write the per-user store" << store.fileName()
                                        << "(logged once; later writes fail alike)";
    else
        qCWarning(lcSettings).noquote() << "the per-user store" << store.fileName() << "is malformed";
}

}  // namespace

bool Registry::storeUsable() const
{
    const QString problem = platform::smallFileProblem(path_);
    if (problem.isEmpty())
        return true;
    if (!refusalLogged_)
        qCWarning(lcSettings).noquote() << QStringLiteral("The per-user store cannot be used: %1; "
                                                           "its values read as their defaults").arg(problem);
    refusalLogged_ = true;
    return false;
}

Registry::Registry() : path_(defaultStorePath()) {}

Registry::Registry(QString storePath) : path_(std::move(storePath)) {}

QString Registry::defaultStorePath()
{
    // Looked up on every construction, not cached, so a changed XDG_CONFIG_HOME is honoured.
    return configRoot() + "/" + kAppName + ".ini";
}

QString Registry::getSetting(const QString& section, const QString& key,
                             const QString& defaultValue) const
{
    if (!storeUsable())
        return defaultValue;
    QSettings store(path_, QSettings::IniFormat);
    store.beginGroup(section);
    return store.value(key, defaultValue).toString();
}

bool Registry::contains(const QString& section, const QString& key) const
{
    if (!storeUsable())
        return false;
    QSettings store(path_, QSettings::IniFormat);
    store.beginGroup(section);
    return store.contains(key);
}

void Registry::saveSetting(const QString& section, const QString& key, const QString& value)
{
    saveSettings(section, {{key, value}});
}

void Registry::saveSettings(const QString& section, const QList<std::pair<QString, QString>>& values)
{
    if (values.isEmpty() || !storeUsable())
        return;
    QSettings store(path_, QSettings::IniFormat);
    store.beginGroup(section);
    // A value stored already is not written again: every write rewrites and syncs
    // the whole file, which the start-up would otherwise wait for at every start.
    bool changed = false;
    for (const auto& [key, value] : values) {
        if (store.contains(key) && store.value(key).toString() == value)
            continue;
        store.setValue(key, value);
        changed = true;
    }
    store.endGroup();
    if (!changed)
        return;
    QDir().mkpath(QFileInfo(path_).absolutePath());
    syncOrWarn(store, writeFailureLogged_);
}

void Registry::deleteSetting(const QString& section, const QString& key)
{
    if (!storeUsable())
        return;
    QSettings store(path_, QSettings::IniFormat);
    store.beginGroup(section);
    store.remove(key);
    store.endGroup();
    syncOrWarn(store, writeFailureLogged_);
}
