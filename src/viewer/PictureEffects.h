#pragma once

#include <QImage>
#include <QRgb>

// The viewer's picture effects, each a pure function from the shown picture to the
// new one. Results are 32-bit RGB pictures of the input's size. Pixels an effect
// leaves alone keep the input's value, because between effects the viewer's work
// picture always holds the shown picture.

// Where an effect reports how far it is: the bar's scale once, then its width.
class EffectProgress {
public:
    virtual ~EffectProgress() = default;
    virtual void setScale(int steps) = 0;
    virtual void setValue(int steps) = 0;
};

// Nearest whole number, ties to the even neighbour.
int roundHalfEven(double value);

inline constexpr int kBrightenPercent = 10;
inline constexpr int kDarkenPercent = -10;
inline constexpr int kContrastStep = 10;

// Brightness by percent: up moves each channel toward 255 by the share, down scales
// it. The factor is held in single precision, the arithmetic in double, so the
// result of 255 darkened by 10 is 229.
QImage adjustBrightness(const QImage& source, int percent, EffectProgress* progress = nullptr);
// The contrast table: i + ((i - 127) x contrast) \ 100, clamped to 0..255.
uint8_t contrastLevel(int value, int contrast);
// Every byte of the picture's 24-bit stream mapped through the contrast table.
QImage adjustContrast(const QImage& source, int contrast, EffectProgress* progress = nullptr);
// New red = old blue, new green = old red, new blue = old green.
QImage rotateColours(const QImage& source, EffectProgress* progress = nullptr);
// Each pixel the plain mean of its three channels.
QImage greyPicture(const QImage& source, EffectProgress* progress = nullptr);
// From column 2 and row 1 on, each pixel the mean of itself and its left neighbour.
QImage smoothPicture(const QImage& source, EffectProgress* progress = nullptr);
// Inside the border, v + (v - u) / 2 with u the neighbour up and to the left.
QImage sharpenPicture(const QImage& source, EffectProgress* progress = nullptr);
QImage invertPicture(const QImage& source);
QImage mirrorLeftRight(const QImage& source);
QImage mirrorTopBottom(const QImage& source);
// The top-left area the two pictures share becomes their channel-wise mean; the
// rest keeps the first picture. A partner with transparent pixels is first laid over
// `backColour`, as its picture box shows it.
QImage blendPictures(const QImage& shown, const QImage& partner, QRgb backColour,
                     EffectProgress* progress = nullptr);

// Variants into a destination the caller keeps between calls (no new buffer when it
// already has the source's size).
void invertPicture(const QImage& source, QImage& destination);
void greyPicture(const QImage& source, QImage& destination, EffectProgress* progress = nullptr);
