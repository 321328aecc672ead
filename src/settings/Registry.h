#pragma once

#include "platform/files/SmallFile.h"

#include <QHash>
#include <QList>
#include <QString>

#include <optional>
#include <utility>

// The per-user application settings store: named text values under an application
// name and a section, kept in an INI file in the user's configuration folder
// ($XDG_CONFIG_HOME, else ~/.config). Every write goes to disk at once. A store file
// that is not a regular file of a store's size (a FIFO, a device, a huge file) is
// neither read nor replaced: every value reads as its default, writes are dropped,
// and the reason is logged once. A store that cannot be written (a read-only
// folder) is logged once too, at the first write that fails. Reads come from the
// values last read from the file, for as long as the file is the same; a write
// that would not change a value does not touch the file.
class Registry {
public:
    // The store of the application "VykOndrelSoft" in the user's configuration folder.
    Registry();
    // A store kept in the given INI file (for tests and tools).
    explicit Registry(QString storePath);

    static constexpr const char* kAppName = "VykOndrelSoft";
    static constexpr const char* kSection = "Tolvex";
    static QString defaultStorePath();

    QString storePath() const { return path_; }

    // A value that does not exist reads as defaultValue.
    QString getSetting(const QString& section, const QString& key,
                       const QString& defaultValue = QString()) const;
    bool contains(const QString& section, const QString& key) const;
    void saveSetting(const QString& section, const QString& key, const QString& value);
    // Several values of one section at once: the store is read once and written at
    // most once, when any of them changed.
    void saveSettings(const QString& section, const QList<std::pair<QString, QString>>& values);
    void deleteSetting(const QString& section, const QString& key);

    // The program's own section.
    QString get(const QString& key, const QString& defaultValue = QString()) const
    {
        return getSetting(kSection, key, defaultValue);
    }
    void save(const QString& key, const QString& value) { saveSetting(kSection, key, value); }
    void save(const QList<std::pair<QString, QString>>& values) { saveSettings(kSection, values); }

private:
    bool storeUsable(platform::FileStamp& stamp) const;
    // Every value of the store by "section/key", read again only when the file was
    // changed or replaced since; null when the store cannot be used.
    const QHash<QString, QString>* values() const;

    struct Snapshot {
        platform::FileStamp stamp;
        QHash<QString, QString> values;
    };

    QString path_;
    mutable std::optional<Snapshot> snapshot_;
    mutable bool refusalLogged_ = false;
    bool writeFailureLogged_ = false;
};
