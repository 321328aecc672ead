#include "platform/capdriver/CaptureConfig.h"

#include "platform/capdriver/CaptureTypes.h"

#include <QRegularExpression>
#include <QStringList>

#include <cmath>

namespace platform::capdriver {

namespace {

std::optional<qint64> parseSeconds(const QString& text)
{
    bool ok = false;
    const double seconds = text.toDouble(&ok);
    if (!ok || !std::isfinite(seconds) || seconds < 0 || seconds > 1e9)
        return std::nullopt;
    return std::llround(seconds * 1000.0);
}

std::optional<SyntheticScene> parseEvent(const QString& text)
{
    SyntheticScene scene;
    scene.kind = SyntheticScene::Kind::Event;
    bool haveAt = false, haveFor = false;
    for (const QString& part : text.split(',', Qt::SkipEmptyParts)) {
        const QString key = part.section('=', 0, 0).trimmed();
        const auto value = parseSeconds(part.section('=', 1).trimmed());
        if (!value || !part.contains('='))
            return std::nullopt;
        if (key == "at") {
            scene.eventAtMs = *value;
            haveAt = true;
        } else if (key == "for") {
            scene.eventForMs = *value;
            haveFor = true;
        } else {
            return std::nullopt;
        }
    }
    if (!haveAt || !haveFor)
        return std::nullopt;
    return scene;
}

std::optional<QRgb> parseColour(const QString& hex)
{
    static const QRegularExpression sixHex("^[0-9A-Fa-f]{6}$");
    if (!sixHex.match(hex).hasMatch())
        return std::nullopt;
    return qRgb(hex.mid(0, 2).toInt(nullptr, 16), hex.mid(2, 2).toInt(nullptr, 16),
                hex.mid(4, 2).toInt(nullptr, 16));
}

std::optional<int> parseCount(const QString& text, int maximum)
{
    bool ok = false;
    const int n = text.trimmed().toInt(&ok);
    if (!ok || n < 0)
        return std::nullopt;
    return std::min(n, maximum);
}

CaptureConfig::Drivers parseDrivers(const QString& text, CaptureConfig::Drivers fallback)
{
    const QString t = text.trimmed().toLower();
    if (t == "all")
        return CaptureConfig::Drivers::All;
    if (t == "v4l2")
        return CaptureConfig::Drivers::V4l2;
    if (t == "synthetic")
        return CaptureConfig::Drivers::Synthetic;
    return fallback;
}

void readConnectFailures(const QString& text, CaptureConfig& config)
{
    if (text.trimmed().toLower() == "all") {
        config.failAllConnects = true;
        return;
    }
    if (const auto n = parseCount(text, 1000000))
        config.connectFailures = *n;
}

}  // namespace

QList<QSize> CaptureConfig::defaultSyntheticSizes()
{
    return {{160, 120}, {176, 144}, {320, 240}, {352, 288}, {640, 480}, {1280, 720}, {1920, 1080}};
}

std::optional<SyntheticScene> parseScene(const QString& text)
{
    const QString t = text.trimmed();
    if (t == "bars")
        return SyntheticScene{};
    if (t == "still") {
        SyntheticScene scene;
        scene.kind = SyntheticScene::Kind::Still;
        return scene;
    }
    if (t.startsWith("still:")) {
        const auto colour = parseColour(t.mid(6));
        if (!colour)
            return std::nullopt;
        SyntheticScene scene;
        scene.kind = SyntheticScene::Kind::Still;
        scene.stillColour = colour;
        return scene;
    }
    if (t.startsWith("event:"))
        return parseEvent(t.mid(6));
    return std::nullopt;
}

std::optional<QSize> parseSize(const QString& text)
{
    static const QRegularExpression form("^\\s*(\\d{1,5})\\s*[xX]\\s*(\\d{1,5})\\s*$");
    const auto m = form.match(text);
    if (!m.hasMatch())
        return std::nullopt;
    const QSize size(m.captured(1).toInt(), m.captured(2).toInt());
    if (size.width() < 1 || size.height() < 1 || size.width() > 8192 || size.height() > 8192)
        return std::nullopt;
    return size;
}

std::optional<QList<QSize>> parseSizes(const QString& text)
{
    QList<QSize> sizes;
    for (const QString& part : text.split(',', Qt::SkipEmptyParts)) {
        const auto size = parseSize(part);
        if (!size)
            return std::nullopt;
        if (!sizes.contains(*size))
            sizes.append(*size);
    }
    if (sizes.isEmpty())
        return std::nullopt;
    return sizes;
}

std::optional<AudioSource> parseAudioSource(const QString& text)
{
    const QString t = text.trimmed().toLower();
    if (t == "alsa")
        return AudioSource::Alsa;
    if (t == "synthetic")
        return AudioSource::Synthetic;
    if (t == "none")
        return AudioSource::None;
    return std::nullopt;
}

CaptureConfig CaptureConfig::fromEnvironment()
{
    CaptureConfig config;
    config.drivers = parseDrivers(qEnvironmentVariable("TOLVEX_CAPTURE_DRIVERS"), config.drivers);
    if (const auto n = parseCount(qEnvironmentVariable("TOLVEX_SYNTH_DEVICES"), kMaxDrivers))
        config.syntheticDevices = *n;
    if (const auto scene = parseScene(qEnvironmentVariable("TOLVEX_SYNTH_SCENE")))
        config.scene = *scene;
    if (const auto sizes = parseSizes(qEnvironmentVariable("TOLVEX_SYNTH_SIZES")))
        config.syntheticSizes = *sizes;
    if (const auto format = parseSize(qEnvironmentVariable("TOLVEX_SYNTH_FORMAT")))
        config.syntheticFormat = *format;
    // A first size the device would not accept itself falls back to one it does.
    if (!config.syntheticSizes.contains(config.syntheticFormat))
        config.syntheticFormat = config.syntheticSizes.contains(QSize(640, 480))
                                     ? QSize(640, 480) : config.syntheticSizes.first();
    readConnectFailures(qEnvironmentVariable("TOLVEX_SYNTH_CONNECT_FAIL"), config);
    config.tracePath = qEnvironmentVariable("TOLVEX_CAPTURE_TRACE");
    if (const auto audio = parseAudioSource(qEnvironmentVariable("TOLVEX_AUDIO")))
        config.syntheticAudio = *audio;
    return config;
}

}  // namespace platform::capdriver
