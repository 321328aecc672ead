#include "settings/JpegWriter.h"

#include "settings/JpegLog.h"

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
        return {JpegError::EncoderUnavailable, QStringLiteral("the JPEG encoder could not be set up")};
    if (picture.isNull()) {
        const QString reason = QStringLiteral("there is no picture to write to %1").arg(fileName);
        qCWarning(lcJpeg).noquote() << reason;
        return {JpegError::NoPicture, reason};
    }
    // The 32-bit layouts share one byte order; JPEG has no alpha, so it is dropped.
    const QImage pixels = isXrgb32(picture.format()) ? picture : picture.convertToFormat(QImage::Format_RGB32);
    const DibPixels dib{pixels.width(), pixels.height(), static_cast<int>(pixels.bytesPerLine()), pixels.constBits()};
    return convertor.SaveDIB(dib, fileName, quality);
}
