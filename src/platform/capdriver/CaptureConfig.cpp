#include "platform/capdriver/CaptureConfig.h"

#include "platform/capdriver/CaptureTypes.h"

#include <QRegularExpression>
#include <QStringList>

#include <cmath>
#include <cstdio>

namespace platform::capdriver {

namespace {

constexpr int kMaxConnectFailures = 1000000;

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

std::optional<int> parseCount(const QString& text)
{
    bool ok = false;
    const int n = text.trimmed().toInt(&ok);
    if (!ok || n < 0)
        return std::nullopt;
    return n;
}

std::optional<CaptureConfig::Drivers> parseDrivers(const QString& text)
{
    const QString t = text.trimmed().toLower();
    if (t == "all")
        return CaptureConfig::Drivers::All;
    if (t == "v4l2")
        return CaptureConfig::Drivers::V4l2;
    if (t == "synthetic")
        return CaptureConfig::Drivers::Synthetic;
    return std::nullopt;
}

QString driversText(CaptureConfig::Drivers drivers)
{
    switch (drivers) {
    case CaptureConfig::Drivers::V4l2:
        return QStringLiteral("v4l2");
    case CaptureConfig::Drivers::Synthetic:
        return QStringLiteral("synthetic");
    case CaptureConfig::Drivers::All:
        break;
    }
    return QStringLiteral("all");
}

QString sizeText(QSize size)
{
    return QStringLiteral("%1x%2").arg(size.width()).arg(size.height());
}

QString sizesText(const QList<QSize>& sizes)
{
    QStringList texts;
    for (const QSize size : sizes)
        texts.append(sizeText(size));
    return texts.join(u',');
}

// Reads one variable when it is set; a value that cannot be used leaves `target` as
// it was and notes the variable, its value and what is used instead.
template <class T, class Parse, class Show>
void readVariable(const char* name, T& target, Parse parse, Show show, QStringList& notes)
{
    if (!qEnvironmentVariableIsSet(name))
        return;
    const QString value = qEnvironmentVariable(name);
    if (const auto parsed = parse(value)) {
        target = *parsed;
        return;
    }
    notes.append(QStringLiteral("%1=\"%2\" cannot be used; using %3").arg(QLatin1String(name), value, show(target)));
}

// A count above `limit` is cut to it, with a note.
void readCount(const char* name, int& target, int limit, QStringList& notes)
{
    readVariable(name, target, parseCount, [](int n) { return QString::number(n); }, notes);
    if (target > limit) {
        notes.append(QStringLiteral("%1=%2 is above %3; using %3").arg(QLatin1String(name)).arg(target).arg(limit));
        target = limit;
    }
}

void readConnectFailures(CaptureConfig& config, QStringList& notes)
{
    const char* name = "TOLVEX_SYNTH_CONNECT_FAIL";
    if (qEnvironmentVariable(name).trimmed().toLower() == "all") {
        config.failAllConnects = true;
        return;
    }
    readCount(name, config.connectFailures, kMaxConnectFailures, notes);
}

void readDeviceCount(CaptureConfig& config, QStringList& notes)
{
    readCount("TOLVEX_SYNTH_DEVICES", config.syntheticDevices, kMaxDrivers, notes);
}

// A first size the device would not accept itself falls back to one it does.
void fitFormatToSizes(CaptureConfig& config, QStringList& notes)
{
    if (config.syntheticSizes.contains(config.syntheticFormat))
        return;
    const QSize used = config.syntheticSizes.contains(QSize(640, 480)) ? QSize(640, 480)
                                                                         : config.syntheticSizes.first();
    if (qEnvironmentVariableIsSet("TOLVEX_SYNTH_FORMAT"))
        notes.append(QStringLiteral("TOLVEX_SYNTH_FORMAT=%1 is not one of the sizes %2; using %3")
                         .arg(sizeText(config.syntheticFormat), sizesText(config.syntheticSizes), sizeText(used)));
    config.syntheticFormat = used;
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

QString audioSourceText(AudioSource source)
{
    switch (source) {
    case AudioSource::Alsa: return QStringLiteral("alsa");
    case AudioSource::Synthetic: return QStringLiteral("synthetic");
    case AudioSource::None: return QStringLiteral("none");
    }
    return {};
}

CaptureConfig CaptureConfig::fromEnvironment(QStringList& notes)
{
    CaptureConfig config;
    readVariable("TOLVEX_CAPTURE_DRIVERS", config.drivers, parseDrivers, driversText, notes);
    readDeviceCount(config, notes);
    readVariable("TOLVEX_SYNTH_SCENE", config.scene, parseScene,
                 [](const SyntheticScene&) { return QStringLiteral("bars"); }, notes);
    readVariable("TOLVEX_SYNTH_SIZES", config.syntheticSizes, parseSizes, sizesText, notes);
    readVariable("TOLVEX_SYNTH_FORMAT", config.syntheticFormat, parseSize, sizeText, notes);
    fitFormatToSizes(config, notes);
    readConnectFailures(config, notes);
    config.tracePath = qEnvironmentVariable("TOLVEX_CAPTURE_TRACE");
    readVariable("TOLVEX_AUDIO", config.syntheticAudio, parseAudioSource, audioSourceText, notes);
    return config;
}

CaptureConfig CaptureConfig::fromEnvironment()
{
    QStringList notes;
    CaptureConfig config = fromEnvironment(notes);
    for (const QString& note : notes)
        std::fprintf(stderr, "%s\n", qPrintable(note));
    return config;
}

}  // namespace platform::capdriver
