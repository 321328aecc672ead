#pragma once

#include <QImage>
#include <QSize>
#include <QString>

// What a player sees in an AVI file, read back through libavformat the way ffprobe
// reads it.
struct AviInfo {
    bool ok = false;
    QString error;
    QString videoCodec;  // FFmpeg's codec name: "mjpeg", "mpeg4", "rawvideo"
    double fps = 0;
    double seconds = 0;
    QSize size;
    int audioStreams = 0;
    QString audioCodec;  // "pcm_u8", "pcm_s16le"
    int sampleRate = 0;
    int channels = 0;
    int bitsPerSample = 0;
    qint64 audioBytes = 0;
    QImage firstFrame;  // decoded, RGB
};

AviInfo probeAvi(const QString& path);
