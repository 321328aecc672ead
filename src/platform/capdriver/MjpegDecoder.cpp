#include "platform/capdriver/MjpegDecoder.h"

#include <turbojpeg.h>

namespace platform::capdriver {

MjpegDecoder::MjpegDecoder() : handle_(tjInitDecompress()) {}

bool MjpegDecoder::decode(const uchar* data, std::size_t length, QImage& into)
{
    if (!handle_) {
        error_ = QStringLiteral("no TurboJPEG decompressor");
        return false;
    }
    int width = 0, height = 0, subsampling = 0, colourspace = 0;
    // TurboJPEG takes a non-const pointer but does not write through it.
    auto* jpeg = const_cast<uchar*>(data);
    if (length == 0
        || tjDecompressHeader3(handle_.get(), jpeg, static_cast<unsigned long>(length), &width, &height, &subsampling,
                               &colourspace)
               != 0) {
        error_ = length == 0 ? QStringLiteral("an empty frame") : QString::fromUtf8(tjGetErrorStr2(handle_.get()));
        return false;
    }
    if (width != into.width() || height != into.height()) {
        error_ = QStringLiteral("a frame of %1x%2 in a stream of %3x%4")
                     .arg(width)
                     .arg(height)
                     .arg(into.width())
                     .arg(into.height());
        return false;
    }
    // A cut-off frame decodes with a warning and grey below the cut: it counts as
    // damaged like one that fails outright.
    const int pixelFormat = into.format() == QImage::Format_RGB888 ? TJPF_RGB : TJPF_BGRX;
    if (tjDecompress2(handle_.get(), jpeg, static_cast<unsigned long>(length), into.bits(), width,
                      int(into.bytesPerLine()), height, pixelFormat, 0)
        != 0) {
        error_ = QString::fromUtf8(tjGetErrorStr2(handle_.get()));
        return false;
    }
    return true;
}

}  // namespace platform::capdriver
