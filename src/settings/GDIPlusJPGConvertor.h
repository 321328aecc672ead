#pragma once

#include "settings/TurboHandles.h"

#include <QByteArray>
#include <QString>

// Why a JPEG was not written.
enum class JpegError {
    None,
    EncoderUnavailable,  // the encoder could not be set up
    NoPicture,           // nothing to encode (an empty picture)
    EncodeFailed,
    WriteFailed,         // the file could not be written completely
};

// The box the window shows when the encoder cannot be set up.
inline constexpr const char* kEncoderUnavailableText = "Error loading GDI+!";

// The outcome of one JPEG save, in the shape of platform::Result: error is the
// code, reason the system's or the encoder's own text when it failed (a full disk
// says "disk full"). The failure is already logged where it happened.
struct JpegResult {
    JpegError error = JpegError::None;
    QString reason;

    bool ok() const { return error == JpegError::None; }
    explicit operator bool() const { return ok(); }
    // The text the window shows for this outcome; empty when it shows nothing.
    QString boxText() const;
};

// The pixel layout handed to SaveDIB: 32 bits per pixel, byte order B, G, R, X in
// memory (QImage::Format_RGB32 on a little-endian machine), rows top to bottom.
struct DibPixels {
    int width = 0;
    int height = 0;
    int bytesPerRow = 0;
    const unsigned char* bits = nullptr;
};

// A JPEG encoder for one save (a TurboJPEG compressor). When it cannot be set up,
// isReady() is false and every SaveDIB reports EncoderUnavailable.
class GDIPlusJPGConvertor {
public:
    GDIPlusJPGConvertor();
    ~GDIPlusJPGConvertor();
    GDIPlusJPGConvertor(const GDIPlusJPGConvertor&) = delete;
    GDIPlusJPGConvertor& operator=(const GDIPlusJPGConvertor&) = delete;

    bool isReady() const { return handle_ != nullptr; }

    // Encodes the pixels at JPGQuality (clamped to 1..100) into destFilename,
    // replacing a file of that name. The file is written to a temporary name and
    // put in place only when complete, so a failure leaves any older file as it was.
    JpegResult SaveDIB(const DibPixels& pixels, const QString& destFilename, int JPGQuality);

    // The JPEG data alone, empty when encoding fails.
    QByteArray encode(const DibPixels& pixels, int JPGQuality);

private:
    TurboHandle handle_;
};
