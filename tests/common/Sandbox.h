#pragma once

#include <QString>
#include <QTemporaryDir>

// A private program folder and configuration folder for one test, so no test reads
// or writes a real user's settings or pictures. Constructing one points TOLVEX_HOME
// and XDG_CONFIG_HOME at it until it is destroyed.
class Sandbox {
public:
    Sandbox();
    ~Sandbox();
    Sandbox(const Sandbox&) = delete;
    Sandbox& operator=(const Sandbox&) = delete;

    QString root() const { return dir_.path(); }
    QString programFolder() const { return dir_.path() + "/program"; }
    QString configFolder() const { return dir_.path() + "/config"; }
    // The file the per-user registry store lives in.
    QString registryFile() const;
    // Writes a file below the program folder, creating folders on the way.
    void writeFile(const QString& relativePath, const QByteArray& content) const;
    QByteArray readFile(const QString& relativePath) const;

private:
    QTemporaryDir dir_;
    QByteArray oldHome_, oldConfig_;
};
