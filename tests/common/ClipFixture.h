#pragma once

#include <QImage>
#include <QSize>
#include <QString>

#include <functional>

// Writes small AVI clips for the playback tests and benchmarks, with the same
// libraries the player reads them with.
// Motion JPEG as cameras record it, raw 24-bit frames, or MPEG-4 with a key
// frame every tenth picture (pictures that depend on the ones before).
enum class ClipCodec { MotionJpeg, Raw, Mpeg4 };

struct ClipSpec {
    QSize size{64, 48};
    int framesPerSecond = 10;
    int frameCount = 30;
    ClipCodec codec = ClipCodec::MotionJpeg;
    bool withSound = false;  // a quiet 8 kHz mono tone beside the pictures
};

// Frame i as the clip shows it.
using FramePainter = std::function<QImage(int index, QSize size)>;

// Frame i is grey 8 * i (capped at 255): the frame on screen tells the position.
QImage greyFrame(int index, QSize size);

// False (with the reason on standard error) when the clip could not be written.
bool writeClip(const QString& path, const ClipSpec& spec, const FramePainter& painter = greyFrame);

// The grey level of a picture's centre pixel, for telling the grey frames apart.
int greyAtCentre(const QImage& picture);
