#pragma once

#include <QImage>
#include <QString>

// Writes the picture as a JPEG file of the given quality; false with the reason in
// `error` when no complete file could be written.
bool writeJpegPicture(const QImage& image, const QString& path, int quality, QString* error);
