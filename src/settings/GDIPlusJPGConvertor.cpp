#include "settings/GDIPlusJPGConvertor.h"

#include "platform/files/SaveFile.h"


#include <turbojpeg.h>

#include <algorithm>

namespace {

struct TurboBufferFree {
    void operator()(unsigned char* buffer) const { tjFree(buffer); }
};
using TurboBuffer = std::unique_ptr<unsigned char, TurboBufferFree>;

constexpr int kPixelFormat = Q_BYTE_ORDER == Q_LITTLE_ENDIAN ? TJPF_BGRX : TJPF_XRGB;

bool fits(const DibPixels& p)
{
    return p.bits && p.width > 0 && p.height > 0 && p.bytesPerRow >= p.width * 4;
}


}  // namespace

QString JpegResult::boxText() const
{
    return error == JpegError::EncoderUnavailable ? QString(kEncoderUnavailableText) : QString();
}

void GDIPlusJPGConvertor::HandleCloser::operator()(void* handle) const
{
    tjDestroy(handle);
}

GDIPlusJPGConvertor::GDIPlusJPGConvertor() : handle_(tjInitCompress()) {}

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
    if (failed != 0 || !buffer)
        return {};
    return QByteArray(reinterpret_cast<const char*>(buffer.get()), static_cast<qsizetype>(size));
}

JpegResult GDIPlusJPGConvertor::SaveDIB(const DibPixels& pixels, const QString& destFilename, int JPGQuality)
{
    if (!isReady())
        return {JpegError::EncoderUnavailable};
    if (!fits(pixels))
        return {JpegError::NoPicture};
    const QByteArray jpeg = encode(pixels, JPGQuality);
    if (jpeg.isEmpty())
        return {JpegError::EncodeFailed};
    QString reason;
    if (!platform::writeFileSafely(destFilename, jpeg, &reason))
        return {JpegError::WriteFailed, reason};
    return {};
}
