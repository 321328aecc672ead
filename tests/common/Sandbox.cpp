#include "Sandbox.h"

#include "settings/Registry.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cstdlib>

Sandbox::Sandbox()
    : oldHome_(qgetenv("TOLVEX_HOME")), oldConfig_(qgetenv("XDG_CONFIG_HOME"))
{
    QDir().mkpath(programFolder());
    QDir().mkpath(configFolder());
    qputenv("TOLVEX_HOME", programFolder().toLocal8Bit());
    qputenv("XDG_CONFIG_HOME", configFolder().toLocal8Bit());
}

Sandbox::~Sandbox()
{
    qputenv("TOLVEX_HOME", oldHome_);
    qputenv("XDG_CONFIG_HOME", oldConfig_);
}

QString Sandbox::registryFile() const
{
    return Registry::defaultStorePath();
}

void Sandbox::writeFile(const QString& relativePath, const QByteArray& content) const
{
    const QString path = programFolder() + "/" + relativePath;
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        std::abort();
    f.write(content);
}

QByteArray Sandbox::readFile(const QString& relativePath) const
{
    QFile f(programFolder() + "/" + relativePath);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return f.readAll();
}
