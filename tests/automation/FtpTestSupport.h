#pragma once

#include "FtpTestServer.h"
#include "automation/clsFTP.h"

#include <gtest/gtest.h>

#include <QByteArray>
#include <QFile>
#include <QList>

#include <utility>

// Bytes that show any rewriting: every value, line ends of both kinds among them.
inline QByteArray testBytes(qsizetype size)
{
    QByteArray bytes(size, '\0');
    for (qsizetype i = 0; i < size; ++i)
        bytes[i] = char(i % 7 == 5 ? '\r' : i % 7 == 6 ? '\n' : (i * 31 + 7) % 256);
    return bytes;
}

inline bool writeBytes(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

inline QByteArray readBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

using ProgressEvents = QList<std::pair<qint64, qint64>>;

// Every FileTransferProgress of a client, in order.
inline void recordProgress(clsFTP& ftp, ProgressEvents& events)
{
    QObject::connect(&ftp, &clsFTP::FileTransferProgress,
                     [&events](qint64 current, qint64 total) { events.append({current, total}); });
}

// Short waits so a test of a silent server ends quickly.
inline platform::FtpTimeouts shortTimeouts()
{
    return {.connectMs = 2000, .replySeconds = 1, .stallSeconds = 2};
}
