#pragma once

// What every harness shares: logging off, a private scratch folder, and a check
// that stops the run with the input that broke it.

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QString>
#include <QtGlobal>

#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include <unistd.h>

namespace fuzz {

// The code under test logs every refusal; that would only slow the run down.
inline void quietLogs()
{
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
}

// A folder of this run's own, removed at exit: in memory (/dev/shm) where there is
// one, as the safe writer's flushes to a disk would slow the run down a hundredfold.
inline const QString& scratchFolder()
{
    static const QString folder = [] {
        const QString base = QFileInfo(QStringLiteral("/dev/shm")).isWritable() ? QStringLiteral("/dev/shm")
                                                                                   : QDir::tempPath();
        QByteArray pattern = base.toLocal8Bit() + "/tolvex-fuzz-XXXXXX";
        if (!mkdtemp(pattern.data()))
            std::abort();
        std::atexit([] { QDir(scratchFolder()).removeRecursively(); });
        return QString::fromLocal8Bit(pattern);
    }();
    return folder;
}

inline QByteArray bytesOf(const uint8_t* data, size_t size)
{
    return QByteArray(reinterpret_cast<const char*>(data), qsizetype(size));
}

inline void writeFile(const QString& path, const QByteArray& content)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(content) != content.size())
        std::abort();
}

inline QByteArray readFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The input cut in two at its first NUL byte (the second part empty without one).
inline std::pair<QByteArray, QByteArray> splitAtNul(const QByteArray& input)
{
    const qsizetype at = input.indexOf('\0');
    if (at < 0)
        return {input, QByteArray()};
    return {input.left(at), input.mid(at + 1)};
}

}  // namespace fuzz

// A property the harness checks beyond "no crash"; a failure ends the run with the
// input saved as a crash file.
#define FUZZ_CHECK(condition)                                                                    \
    do {                                                                                         \
        if (!(condition)) {                                                                      \
            std::fprintf(stderr, "fuzz check failed: %s (%s:%d)\n", #condition, __FILE__, __LINE__); \
            std::abort();                                                                        \
        }                                                                                        \
    } while (false)
