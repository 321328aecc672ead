#pragma once

#include "platform/jpeg/TurboHandles.h"

#include <QImage>
#include <QString>

#include <cstddef>

namespace platform::capdriver {

// Decodes a camera's Motion JPEG frames into 24-bit RGB pictures with TurboJPEG.
class MjpegDecoder {
public:
    MjpegDecoder();
    bool valid() const { return handle_ != nullptr; }
    // Decodes into `into`, which already has the frame's size and the format
    // RGB888 or RGB32 (the one the screen paints without converting);
    // false, with the reason in error(), for a damaged frame or one of another size.
    bool decode(const uchar* data, std::size_t length, QImage& into);
    QString error() const { return error_; }

private:
    TurboHandle handle_;
    QString error_;
};

}  // namespace platform::capdriver
