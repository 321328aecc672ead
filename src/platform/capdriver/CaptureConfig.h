#pragma once

#include "platform/capdriver/CaptureSequence.h"

#include <QList>
#include <QRgb>
#include <QSize>
#include <QString>
#include <QStringList>

#include <optional>

namespace platform::capdriver {

// What the test-pattern device shows.
struct SyntheticScene {
    enum class Kind { Bars, Still, Event };
    Kind kind = Kind::Bars;
    // The still picture's colour for the first device; further devices derive their own.
    std::optional<QRgb> stillColour;
    // The event: from eventAtMs to eventAtMs + eventForMs after the process started.
    qint64 eventAtMs = 10000;
    qint64 eventForMs = 5000;

    bool operator==(const SyntheticScene&) const = default;
};

// The layer's own settings, read from the environment when it is first used.
struct CaptureConfig {
    enum class Drivers { All, V4l2, Synthetic };
    Drivers drivers = Drivers::All;
    int syntheticDevices = 1;
    SyntheticScene scene;
    QList<QSize> syntheticSizes = defaultSyntheticSizes();
    QSize syntheticFormat{640, 480};
    // The first connectFailures connects of a test-pattern device fail; with
    // failAllConnects every one does.
    int connectFailures = 0;
    bool failAllConnects = false;
    QString tracePath;
    // Where the test-pattern devices' sound comes from when recording.
    AudioSource syntheticAudio = AudioSource::Alsa;

    bool useV4l2() const { return drivers != Drivers::Synthetic; }
    bool useSynthetic() const { return drivers != Drivers::V4l2; }

    static QList<QSize> defaultSyntheticSizes();
    // Unreadable values fall back to their defaults; each such fallback is named on
    // standard error, one line with the variable, its value and the value used.
    static CaptureConfig fromEnvironment();
    // The same, with those lines handed back instead of printed.
    static CaptureConfig fromEnvironment(QStringList& notes);
};

// Parsers of the single values, each giving nullopt for text it cannot read.
std::optional<SyntheticScene> parseScene(const QString& text);
std::optional<QSize> parseSize(const QString& text);
std::optional<QList<QSize>> parseSizes(const QString& text);
// "alsa", "synthetic" or "none".
std::optional<AudioSource> parseAudioSource(const QString& text);

}  // namespace platform::capdriver
