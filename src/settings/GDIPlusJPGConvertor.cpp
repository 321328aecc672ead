#include "settings/GDIPlusJPGConvertor.h"

#include "platform/files/SaveFile.h"
#include "settings/JpegLog.h"

#include <turbojpeg.h>

#include <algorithm>

namespace {

constexpr int kPixelFormat = Q_BYTE_ORDER == Q_LITTLE_ENDIAN ? TJPF_BGRX : TJPF_XRGB;

bool fits(const DibPixels& p)
{
    return p.bits && p.width > 0 && p.height > 0 && p.bytesPerRow >= p.width * 4;
}

QString encoderReason(void* handle)
{
    return QString::fromLocal8Bit(tjGetErrorStr2(handle));
}

JpegResult failure(JpegError error, const QString& reason)
{
    qCWarning(lcJpeg).noquote() << reason;
    return {error, reason};
}

}  // namespace

QString JpegResult::boxText() const
{
    return error == JpegError::EncoderUnavailable ? QString(kEncoderUnavailableText) : QString();
}

GDIPlusJPGConvertor::GDIPlusJPGConvertor() : handle_(tjInitCompress())
{
    if (!handle_)
        qCWarning(lcJpeg).noquote() << "the JPEG encoder could not be set up:" << encoderReason(nullptr);
}

GDIPlusJPGConvertor::~GDIPlusJPGConvertor() = default;

QByteArray GDIPlusJPGConvertor::encode(const DibPixels& pixels, int JPGQuality)
{
    if (!isReady() || !fits(pixels))
        return {};
    unsigned char* raw = nullptr;
    unsigned long size = 0;
    const int failed = tjCompress2(handle_.get(), pixels.bits, pixels.width, pixels.bytesPerRow,
                                   pixels.height, kPixelFormat, &raw, &size, TJSAMP_420,
                                   std::clamp(JPGQuality, 1, 100), 0);
    const TurboBuffer buffer(raw);
    if (failed != 0 || !buffer) {
        qCWarning(lcJpeg).noquote() << "cannot encode a JPEG picture:" << encoderReason(handle_.get());
        return {};
    }
    return QByteArray(reinterpret_cast<const char*>(buffer.get()), static_cast<qsizetype>(size));
}

JpegResult GDIPlusJPGConvertor::SaveDIB(const DibPixels& pixels, const QString& destFilename, int JPGQuality)
{
    if (!isReady())
        return {JpegError::EncoderUnavailable, QStringLiteral("the JPEG encoder could not be set up")};
    if (!fits(pixels))
        return failure(JpegError::NoPicture, QStringLiteral("there is no picture to write to %1").arg(destFilename));
    const QByteArray jpeg = encode(pixels, JPGQuality);
    if (jpeg.isEmpty())
        return {JpegError::EncodeFailed, encoderReason(handle_.get())};
    const platform::Result written = platform::writeFileSafely(destFilename, jpeg);
    if (!written)
        return {JpegError::WriteFailed, written.reason};  // logged by the safe writer
    return {};
}
