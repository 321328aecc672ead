#pragma once

#include <QByteArray>
#include <QList>

#include <memory>

// A PCM sample format: rate, 8 (unsigned) or 16 (signed little-endian) bits, channels.
struct PcmFormat {
    unsigned rate = 11025;
    int bits = 8;
    int channels = 1;
    bool operator==(const PcmFormat&) const = default;
};

// Sound coming in from a capture device, interleaved in its format.
class SoundCapture {
public:
    virtual ~SoundCapture() = default;
    // What has arrived since the last call, never waiting; empty when nothing has.
    // An overrun loses the lost samples, not the capture.
    virtual QByteArray read() = 0;
};

// The ALSA capture device ("default" is the desktop's chosen input) in exactly this
// format; null when there is none or it refuses the format.
std::unique_ptr<SoundCapture> openAlsaCapture(const PcmFormat& format, const QByteArray& device = "default");
// Those of the candidates the device accepts; empty when there is no device.
QList<PcmFormat> alsaCaptureFormats(const QList<PcmFormat>& candidates, const QByteArray& device = "default");
