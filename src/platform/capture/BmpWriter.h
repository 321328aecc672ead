#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

namespace platform::capture {

// The image as a 24-bit, bottom-up, uncompressed BMP file.
QByteArray encodeBmp24(const QImage& image);
// Writes it through a temporary file that replaces `path` only when complete;
// false when anything fails.
bool writeBmp24(const QImage& image, const QString& path);

}  // namespace platform::capture
