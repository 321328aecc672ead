#pragma once

#include "FtpTestServer.h"
#include "automation/clsFTP.h"

#include <gtest/gtest.h>

#include <QByteArray>
#include <QFile>
#include <QImage>
#include <QList>
#include <QRandomGenerator>

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

// A picture that no compression could shrink (about 4 bytes a pixel as a bitmap).
inline QImage noisyPicture(int width, int height, quint32 seed)
{
    QImage image(width, height, QImage::Format_RGB32);
    QRandomGenerator random(seed);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.setPixel(x, y, random.generate() | 0xff000000u);
    return image;
}
