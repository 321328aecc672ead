// Bitmap files: any file is read or refused, and a picture read, written by the
// program's own writer and read again is the same picture.
#include "FuzzSupport.h"
#include "platform/files/BmpFile.h"

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    fuzz::quietLogs();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size >= 54)
        platform::bmpLayout(data, qint64(size));
    const QString path = fuzz::scratchFolder() + "/in.bmp";
    fuzz::writeFile(path, fuzz::bytesOf(data, size));
    QString error;
    const QImage picture = platform::readBmp24(path, &error);
    if (picture.isNull()) {
        FUZZ_CHECK(!error.isEmpty());
        return 0;
    }
    const QString copy = fuzz::scratchFolder() + "/copy.bmp";
    FUZZ_CHECK(platform::writeBmp24(picture, copy));
    const QImage again = platform::readBmp24(copy);
    FUZZ_CHECK(again.size() == picture.size());
    FUZZ_CHECK(again.convertToFormat(QImage::Format_RGB32) == picture.convertToFormat(QImage::Format_RGB32));
    return 0;
}
