#include "capture/PictureSavingJpeg.h"

bool writeJpegPicture(const QImage&, const QString&, int, QString* error)
{
    if (error)
        *error = QStringLiteral("JPEG writing is not available");
    return false;
}
