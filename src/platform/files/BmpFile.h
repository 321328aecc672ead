#pragma once

#include <QImage>
#include <QString>

namespace platform {

// Writes the picture as an uncompressed 24-bit Windows bitmap, rows bottom-up and
// padded to four bytes. The file appears complete or not at all; an existing file
// is replaced. Any alpha channel is dropped. On failure `error` (when given) says why.
bool writeBmp24(const QImage& image, const QString& path, QString* error = nullptr);

// Reads an uncompressed 24-bit bitmap (bottom-up or top-down). A null image on
// failure, with the reason in `error`.
QImage readBmp24(const QString& path, QString* error = nullptr);

}  // namespace platform
