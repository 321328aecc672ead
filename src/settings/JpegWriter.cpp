#include "settings/JpegWriter.h"

namespace {

bool isXrgb32(QImage::Format f)
{
    return f == QImage::Format_RGB32 || f == QImage::Format_ARGB32 || f == QImage::Format_ARGB32_Premultiplied;
}

}  // namespace

JpegResult SavePictureAsJPG(const QString& fileName, int quality, const QImage& picture)
{
    GDIPlusJPGConvertor convertor;
    if (!convertor.isReady())
        return {JpegError::EncoderUnavailable};
    if (picture.isNull())
        return {JpegError::NoPicture};
    // The 32-bit layouts share one byte order; JPEG has no alpha, so it is dropped.
    const QImage pixels = isXrgb32(picture.format()) ? picture : picture.convertToFormat(QImage::Format_RGB32);
    const DibPixels dib{pixels.width(), pixels.height(), static_cast<int>(pixels.bytesPerLine()), pixels.constBits()};
    return convertor.SaveDIB(dib, fileName, quality);
}
