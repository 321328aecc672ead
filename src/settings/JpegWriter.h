#pragma once

#include "settings/GDIPlusJPGConvertor.h"

#include <QImage>
#include <QString>

// Writes the picture as a JPEG file at the given quality (clamped to 1..100),
// replacing a file of that name. The result says whether the complete file was
// written; on any failure an older file of that name is left as it was.
JpegResult SavePictureAsJPG(const QString& fileName, int quality, const QImage& picture);
