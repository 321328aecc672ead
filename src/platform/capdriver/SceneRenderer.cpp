#include "platform/capdriver/SceneRenderer.h"

#include <QFont>
#include <QFontMetrics>
#include <QPainter>
#include <QTime>

#include <algorithm>
#include <array>

namespace platform::capdriver {

namespace {

constexpr QRgb kDefaultStill = 0x336699;
constexpr qint64 kSweepPeriodMs = 4000;
constexpr QRgb kBand = 0x101010;

int shifted(int channel, int by) { return (channel + by) & 0xFF; }

QRect bandRect(QSize size) { return {0, size.height() * 7 / 10, size.width(), size.height() - size.height() * 7 / 10}; }

int trackWidth(QSize size) { return size.width() / 2; }

QString clockText(qint64 ms)
{
    return QTime::fromMSecsSinceStartOfDay(int(ms % (24LL * 3600 * 1000))).toString("hh:mm:ss.zzz");
}

QFont pixelFont(int pixels)
{
    QFont font("DejaVu Sans Mono");
    font.setStyleHint(QFont::Monospace);
    font.setPixelSize(std::max(6, pixels));
    return font;
}

}  // namespace

QRgb stillColour(const SyntheticScene& scene, int ordinal)
{
    const QRgb base = scene.stillColour.value_or(kDefaultStill);
    // 0x55 is odd, so ten devices get ten different colours.
    const int by = (0x55 * ordinal) & 0xFF;
    return qRgb(shifted(qRed(base), by), shifted(qGreen(base), by), shifted(qBlue(base), by));
}

QRgb eventColour(QRgb still)
{
    return qRgb(shifted(qRed(still), 128), shifted(qGreen(still), 128), shifted(qBlue(still), 128));
}

QRgb withBrightness(QRgb colour, int brightness)
{
    const int by = brightness * 255 / 100;
    auto adjust = [by](int c) { return std::clamp(c + by, 0, 255); };
    return qRgb(adjust(qRed(colour)), adjust(qGreen(colour)), adjust(qBlue(colour)));
}

bool inEvent(const SyntheticScene& scene, qint64 ms)
{
    return ms >= scene.eventAtMs && ms < scene.eventAtMs + scene.eventForMs;
}

QImage SceneRenderer::render(const ScenePicture& picture, qint64 ms)
{
    const QRgb still = stillColour(picture.scene, picture.ordinal);
    switch (picture.scene.kind) {
    case SyntheticScene::Kind::Still:
        return filled(picture, still);
    case SyntheticScene::Kind::Event:
        return filled(picture, inEvent(picture.scene, ms) ? eventColour(still) : still);
    case SyntheticScene::Kind::Bars:
        break;
    }
    return bars(picture, ms);
}

QImage SceneRenderer::filled(const ScenePicture& picture, QRgb colour)
{
    if (plain_.isNull() || !(plainKey_ == picture) || plainColour_ != colour) {
        plain_ = QImage(picture.size, QImage::Format_RGB888);
        plain_.fill(withBrightness(colour, picture.brightness));
        plainKey_ = picture;
        plainColour_ = colour;
    }
    return plain_;
}

const QImage& SceneRenderer::barsBackground(const ScenePicture& picture)
{
    if (!background_.isNull() && backgroundKey_ == picture)
        return background_;
    static constexpr std::array<QRgb, 7> kBars{0xBFBFBF, 0xBFBF00, 0x00BFBF, 0x00BF00,
                                               0xBF00BF, 0xBF0000, 0x0000BF};
    const QSize size = picture.size;
    QImage image(size, QImage::Format_RGB888);
    QPainter p(&image);
    for (int i = 0; i < int(kBars.size()); ++i) {
        const int x0 = size.width() * i / int(kBars.size());
        const int x1 = size.width() * (i + 1) / int(kBars.size());
        p.fillRect(x0, 0, x1 - x0, size.height(), QColor(withBrightness(kBars[i], picture.brightness)));
    }
    p.fillRect(bandRect(size), QColor(withBrightness(kBand, picture.brightness)));
    const QFont font = pixelFont(size.height() / 20);
    const QString label = QString("%1  %2x%3").arg(picture.label).arg(size.width()).arg(size.height());
    // A dark backing keeps the label readable on the light bars.
    p.fillRect(QRect(QPoint(2, 2), QFontMetrics(font).boundingRect(label).size() + QSize(4, 2)),
               QColor(withBrightness(kBand, picture.brightness)));
    p.setPen(QColor(withBrightness(0xFFFFFF, picture.brightness)));
    p.setFont(font);
    p.drawText(QRect(4, 3, size.width() - 8, size.height() / 8), Qt::AlignLeft | Qt::AlignTop, label);
    p.end();
    background_ = image;
    backgroundKey_ = picture;
    return background_;
}

QImage SceneRenderer::bars(const ScenePicture& picture, qint64 ms)
{
    QImage frame = barsBackground(picture).copy();
    const QRect band = bandRect(picture.size);
    const QColor white(withBrightness(0xFFFFFF, picture.brightness));
    const int side = std::max(1, band.height() * 6 / 10);
    const qint64 phase = ms % kSweepPeriodMs;
    const qint64 half = kSweepPeriodMs / 2;
    const qint64 travel = std::max(0, trackWidth(picture.size) - side);
    const qint64 x = (phase < half ? phase : kSweepPeriodMs - phase) * travel / half;
    QPainter p(&frame);
    p.fillRect(int(x), band.top() + (band.height() - side) / 2, side, side, white);
    p.end();
    const QRect clock(trackWidth(picture.size), band.top(), picture.size.width() - trackWidth(picture.size),
                      band.height());
    const QString text = clockText(ms);
    glyphs_.prepare(clock.size(), int(text.size()), white.rgb(), withBrightness(kBand, picture.brightness));
    glyphs_.draw(frame, clock, text);
    return frame;
}

}  // namespace platform::capdriver
