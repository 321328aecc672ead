#include "capture/PictureSavingJpeg.h"

QString jpegFailureText(const JpegResult& result, const QString& path)
{
    switch (result.error) {
    case JpegError::None: return {};
    case JpegError::EncoderUnavailable: return QStringLiteral("the JPEG encoder could not be started");
    case JpegError::NoPicture: return QStringLiteral("there is no picture to save");
    case JpegError::EncodeFailed: return QStringLiteral("the picture could not be encoded as JPEG");
    case JpegError::WriteFailed:
        return result.reason.isEmpty() ? QStringLiteral("cannot write %1").arg(path) : result.reason;
    }
    return QStringLiteral("the JPEG file could not be written");
}
