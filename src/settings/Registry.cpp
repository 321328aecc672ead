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

bool Registry::storeUsable(platform::FileStamp& stamp) const
{
    const QString problem = platform::smallFileProblem(path_, stamp);
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

const QHash<QString, QString>* Registry::values() const
{
    platform::FileStamp stamp;
    if (!storeUsable(stamp)) {
        snapshot_.reset();
        return nullptr;
    }
    if (snapshot_ && snapshot_->stamp == stamp)
        return &snapshot_->values;
    Snapshot fresh{stamp, {}};
    if (stamp.exists) {
        const QSettings store(path_, QSettings::IniFormat);
        for (const QString& key : store.allKeys())
            fresh.values.insert(key, store.value(key).toString());
    }
    snapshot_ = std::move(fresh);
    return &snapshot_->values;
}

namespace {

QString fullKey(const QString& section, const QString& key)
{
    return section + QLatin1Char('/') + key;
}

}  // namespace

QString Registry::getSetting(const QString& section, const QString& key,
                             const QString& defaultValue) const
{
    const QHash<QString, QString>* stored = values();
    return stored ? stored->value(fullKey(section, key), defaultValue) : defaultValue;
}

bool Registry::contains(const QString& section, const QString& key) const
{
    const QHash<QString, QString>* stored = values();
    return stored && stored->contains(fullKey(section, key));
}

void Registry::saveSetting(const QString& section, const QString& key, const QString& value)
{
    saveSettings(section, {{key, value}});
}

void Registry::saveSettings(const QString& section, const QList<std::pair<QString, QString>>& values)
{
    const QHash<QString, QString>* stored = this->values();
    if (!stored)
        return;
    // A value stored already is not written again: every write rewrites and syncs
    // the whole file, which the start-up would otherwise wait for at every start.
    QList<std::pair<QString, QString>> changed;
    for (const auto& entry : values) {
        const auto found = stored->constFind(fullKey(section, entry.first));
        if (found == stored->constEnd() || *found != entry.second)
            changed.append(entry);
    }
    if (changed.isEmpty())
        return;
    snapshot_.reset();
    QSettings store(path_, QSettings::IniFormat);
    store.beginGroup(section);
    for (const auto& [key, value] : changed)
        store.setValue(key, value);
    store.endGroup();
    QDir().mkpath(QFileInfo(path_).absolutePath());
    syncOrWarn(store, writeFailureLogged_);
}

void Registry::deleteSetting(const QString& section, const QString& key)
{
    platform::FileStamp stamp;
    if (!storeUsable(stamp))
        return;
    snapshot_.reset();
    QSettings store(path_, QSettings::IniFormat);
    store.beginGroup(section);
    store.remove(key);
    store.endGroup();
    syncOrWarn(store, writeFailureLogged_);
}
