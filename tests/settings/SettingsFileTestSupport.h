#pragma once

#include "FullDisk.h"
#include "Sandbox.h"
#include "settings/SettingsFile.h"
#include "settings/SettingsFileFormat.h"

#include <gmock/gmock.h>

#include <QByteArray>
#include <QFile>
#include <QStringList>

#include <csignal>

#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

class MockSettingsHost : public SettingsHost {
public:
    MOCK_METHOD(void, showSettingsSaveError, (int, const QString&), (override));
    MOCK_METHOD(void, Opmaak, (), (override));
};

inline SettingsModel modelIn(const Sandbox& box)
{
    SettingsModel s;
    s.AppPath = box.programFolder();
    return s;
}

inline QString iniPath(const Sandbox& box)
{
    return box.programFolder() + "/Tolvex.ini";
}

// The file's lines as written: split at CR LF only, so a stray LF shows up.
inline QStringList crLfLines(const QByteArray& bytes)
{
    QStringList lines = QString::fromUtf8(bytes).split("\r\n");
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

inline QStringList iniLines(const Sandbox& box)
{
    return crLfLines(box.readFile("Tolvex.ini"));
}

inline void writeIni(const Sandbox& box, const QStringList& lines, const QString& eol = "\r\n")
{
    QString text;
    for (const QString& line : lines)
        text += line + eol;
    box.writeFile("Tolvex.ini", text.toUtf8());
}

inline qsizetype keyIndex(const QStringList& lines, const QString& key)
{
    return lines.indexOf(key);
}

inline QString valueAfter(const QStringList& lines, const QString& key)
{
    return lines.value(keyIndex(lines, key) + 1);
}

inline QStringList withValue(QStringList lines, const QString& key, const QString& value)
{
    lines[keyIndex(lines, key) + 1] = value;
    return lines;
}

// A settings file as the program writes it for a model with the full default set.
inline QStringList defaultFileLines(const Sandbox& box)
{
    SettingsModel s = modelIn(box);
    QString name;
    LoadSettings(s, name, nullptr);
    return iniLines(box);
}

inline mode_t fileMode(const QString& path)
{
    struct stat st {};
    if (stat(QFile::encodeName(path).constData(), &st) != 0)
        return 0;
    return st.st_mode & 07777;
}

// Drops root's right to write anywhere for the life of the scope, so permission
// tests behave the same for every user. ok() is false when that is not possible.
class UnprivilegedScope {
public:
    UnprivilegedScope()
    {
        if (geteuid() != 0)
            return;
        dropped_ = seteuid(65534) == 0;
        ok_ = dropped_;
    }
    ~UnprivilegedScope()
    {
        if (dropped_ && seteuid(0) != 0)
            std::abort();
    }
    UnprivilegedScope(const UnprivilegedScope&) = delete;
    UnprivilegedScope& operator=(const UnprivilegedScope&) = delete;
    bool ok() const { return ok_; }

private:
    bool dropped_ = false;
    bool ok_ = true;
};
