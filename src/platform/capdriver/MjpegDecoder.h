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
    // Decodes into `into`, which already has the frame's size and format RGB888;
    // false, with the reason in error(), for a damaged frame or one of another size.
    bool decode(const uchar* data, std::size_t length, QImage& into);
    QString error() const { return error_; }

private:
    TurboHandle handle_;
    QString error_;
};

}  // namespace platform::capdriver
