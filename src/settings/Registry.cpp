#include "settings/Registry.h"

#include "settings/SettingsLog.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>

namespace {

QString configRoot()
{
    const QString xdg = qEnvironmentVariable("XDG_CONFIG_HOME");
    if (!xdg.isEmpty())
        return xdg;
    return QDir::homePath() + "/.config";
}

// QSettings gives no system text; the kind of failure and the file are what it has.
void syncOrWarn(QSettings& store)
{
    store.sync();
    if (store.status() == QSettings::AccessError)
        qCWarning(lcSettings).noquote() << "cannot write the per-user store" << store.fileName();
    else if (store.status() == QSettings::FormatError)
        qCWarning(lcSettings).noquote() << "the per-user store" << store.fileName() << "is malformed";
}

}  // namespace

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
    QSettings store(path_, QSettings::IniFormat);
    store.beginGroup(section);
    return store.value(key, defaultValue).toString();
}

bool Registry::contains(const QString& section, const QString& key) const
{
    QSettings store(path_, QSettings::IniFormat);
    store.beginGroup(section);
    return store.contains(key);
}

void Registry::saveSetting(const QString& section, const QString& key, const QString& value)
{
    QDir().mkpath(QFileInfo(path_).absolutePath());
    QSettings store(path_, QSettings::IniFormat);
    store.beginGroup(section);
    store.setValue(key, value);
    store.endGroup();
    syncOrWarn(store);
}

void Registry::deleteSetting(const QString& section, const QString& key)
{
    QSettings store(path_, QSettings::IniFormat);
    store.beginGroup(section);
    store.remove(key);
    store.endGroup();
    syncOrWarn(store);
}
