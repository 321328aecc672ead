#pragma once

#include "platform/capdriver/CaptureConfig.h"
#include "platform/capdriver/ClockGlyphs.h"

#include <QImage>
#include <QSize>
#include <QString>

namespace platform::capdriver {

// Everything a test-pattern frame depends on besides the time.
struct ScenePicture {
    SyntheticScene scene;
    int ordinal = 0;      // 0 for the first test-pattern device, 1 for the second, ...
    int brightness = 0;   // -100 .. 100
    QString label;
    QSize size{640, 480};

    bool operator==(const ScenePicture&) const = default;
};

// The still picture's colour of a device, and the colour its event turns it to:
// every channel moves by half its range, so the whole frame changes clearly.
QRgb stillColour(const SyntheticScene& scene, int ordinal);
QRgb eventColour(QRgb still);
QRgb withBrightness(QRgb colour, int brightness);
bool inEvent(const SyntheticScene& scene, qint64 ms);

// Renders test-pattern frames (24-bit RGB) as a pure function of the picture and
// the time. Pictures that do not move are made once and shared.
class SceneRenderer {
public:
    QImage render(const ScenePicture& picture, qint64 ms);

private:
    QImage filled(const ScenePicture& picture, QRgb colour);
    QImage bars(const ScenePicture& picture, qint64 ms);
    const QImage& barsBackground(const ScenePicture& picture);

    ScenePicture plainKey_;
    QRgb plainColour_ = 0;
    QImage plain_;
    ScenePicture backgroundKey_;
    QImage background_;
    ClockGlyphs glyphs_;
};

}  // namespace platform::capdriver
