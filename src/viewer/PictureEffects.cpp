#include "viewer/PictureEffects.h"

#include "viewer/DibAccess.h"

#include <QPainter>

#include <algorithm>
#include <array>
#include <climits>
#include <cmath>
#include <vector>

namespace {

constexpr QRgb kOpaque = 0xFF000000u;

// Progress that may be absent.
class Bar {
public:
    explicit Bar(EffectProgress* progress) : p_(progress) {}
    void scale(int64_t steps) const
    {
        if (p_)
            p_->setScale(int(std::min<int64_t>(steps, INT_MAX)));
    }
    void value(int64_t steps) const
    {
        if (p_)
            p_->setValue(int(std::min<int64_t>(steps, INT_MAX)));
    }
    // The share of `total` that `done` of `of` rows stand for: effects that the
    // bar counts in columns or passes still run row by row.
    void share(int64_t total, int64_t done, int64_t of) const
    {
        if (p_ && of > 0)
            value(total * done / of);
    }

private:
    EffectProgress* p_;
};

QImage rgb32(const QImage& picture)
{
    return picture.format() == QImage::Format_RGB32 ? picture : picture.convertToFormat(QImage::Format_RGB32);
}

int clampByte(int v) { return std::clamp(v, 0, 255); }

// n / 2 to the nearest whole number, ties to even.
int halfToEven(int n)
{
    int q = n >> 1;  // floor
    if ((n & 1) && (q & 1))
        ++q;
    return q;
}

QRgb meanOf(QRgb a, QRgb b)
{
    return kOpaque | qRgb(halfToEven(qRed(a) + qRed(b)), halfToEven(qGreen(a) + qGreen(b)),
                          halfToEven(qBlue(a) + qBlue(b)));
}

using LevelTable = std::array<uint8_t, 256>;

QImage mapChannels(const QImage& source, const LevelTable& table, const Bar& bar)
{
    const QImage in = rgb32(source);
    QImage out(in.size(), QImage::Format_RGB32);
    const int w = in.width();
    bar.scale(in.height());
    bar.value(0);
    for (int y = 0; y < in.height(); ++y) {
        const auto* src = reinterpret_cast<const QRgb*>(in.constScanLine(y));
        auto* dst = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 0; x < w; ++x)
            dst[x] = (src[x] & 0xFF000000u) | qRgb(table[qRed(src[x])], table[qGreen(src[x])], table[qBlue(src[x])]);
        bar.value(y + 1);
    }
    return out;
}

LevelTable brightnessTable(int percent)
{
    // The factor stays in single precision and the sum or product is formed in
    // double from it: that fixes every level of the table (the tests hold them).
    const float f = percent >= 0 ? float(percent) / 100.0f : float(100 + percent) / 100.0f;
    LevelTable table{};
    for (int v = 0; v < 256; ++v) {
        const double level = percent >= 0 ? v + (255 - v) * double(f) : v * double(f);
        table[size_t(v)] = uint8_t(clampByte(roundHalfEven(level)));
    }
    return table;
}

// (s + 1) / 3 for every channel sum s of 0..765, by a multiply the compiler can
// keep in vector registers.
inline uint32_t greyOfSum(uint32_t sum) { return ((sum + 1) * 0xAAABu) >> 17; }

void greyRows(const QImage& in, QImage& out, const Bar& bar)
{
    const int w = in.width();
    const int h = in.height();
    const int64_t scale = 3 * int64_t(w);
    bar.value(0);
    bar.scale(scale);
    for (int y = 0; y < h; ++y) {
        const auto* src = reinterpret_cast<const QRgb*>(in.constScanLine(y));
        auto* dst = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 0; x < w; ++x) {
            const QRgb c = src[x];
            const uint32_t g = greyOfSum(((c >> 16) & 0xFF) + ((c >> 8) & 0xFF) + (c & 0xFF));
            dst[x] = kOpaque | (g * 0x010101u);
        }
        bar.share(scale, y + 1, h);
    }
}

void invertRows(const QImage& in, QImage& out)
{
    const int w = in.width();
    for (int y = 0; y < in.height(); ++y) {
        const auto* src = reinterpret_cast<const QRgb*>(in.constScanLine(y));
        auto* dst = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 0; x < w; ++x)
            dst[x] = src[x] ^ 0x00FFFFFFu;
    }
}

void fitDestination(const QImage& in, QImage& destination)
{
    if (destination.size() != in.size() || destination.format() != QImage::Format_RGB32)
        destination = QImage(in.size(), QImage::Format_RGB32);
}

QImage partnerOverBackColour(const QImage& partner, QRgb backColour)
{
    if (!partner.hasAlphaChannel())
        return rgb32(partner);
    QImage flat(partner.size(), QImage::Format_RGB32);
    flat.fill(backColour);
    QPainter painter(&flat);
    painter.drawImage(0, 0, partner);
    return flat;
}

}  // namespace

int roundHalfEven(double value)
{
    const double nearest = std::round(value);
    if (std::fabs(value - std::trunc(value)) == 0.5)
        return int(2.0 * std::round(value / 2.0));
    return int(nearest);
}

QImage adjustBrightness(const QImage& source, int percent, EffectProgress* progress)
{
    return mapChannels(source, brightnessTable(percent), Bar(progress));
}

uint8_t contrastLevel(int value, int contrast)
{
    return uint8_t(clampByte(value + ((value - 127) * contrast) / 100));
}

QImage adjustContrast(const QImage& source, int contrast, EffectProgress* progress)
{
    const Bar bar(progress);
    LevelTable table{};
    for (int i = 0; i < 256; ++i)
        table[size_t(i)] = contrastLevel(i, contrast);
    const int64_t n = DibAccess::GetImageStreamLength(source);
    std::vector<uint8_t> stream;
    DibAccess::GetImageDataStream(source, stream);
    bar.value(0);
    bar.scale(n);
    // Every byte of the buffer is mapped, also those a tall, narrow picture's rows
    // reach beyond n; the bar moves once per picture row's worth of bytes.
    const size_t chunk = size_t(std::max<int64_t>(DibAccess::stride(source.width()), 1));
    for (size_t k = 0; k < stream.size(); k += chunk) {
        const size_t end = std::min(stream.size(), k + chunk);
        for (size_t i = k; i < end; ++i)
            stream[i] = table[stream[i]];
        bar.value(std::min<int64_t>(int64_t(end), n));
    }
    QImage out = rgb32(source).copy();
    DibAccess::SetImageDataStream(out, stream);
    return out;
}

QImage rotateColours(const QImage& source, EffectProgress* progress)
{
    const Bar bar(progress);
    const QImage in = rgb32(source);
    QImage out(in.size(), QImage::Format_RGB32);
    bar.scale(in.height());
    bar.value(0);
    for (int y = 0; y < in.height(); ++y) {
        const auto* src = reinterpret_cast<const QRgb*>(in.constScanLine(y));
        auto* dst = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 0; x < in.width(); ++x)
            dst[x] = kOpaque | qRgb(qBlue(src[x]), qRed(src[x]), qGreen(src[x]));
        bar.value(y);
    }
    return out;
}

QImage greyPicture(const QImage& source, EffectProgress* progress)
{
    QImage out;
    greyPicture(source, out, progress);
    return out;
}

void greyPicture(const QImage& source, QImage& destination, EffectProgress* progress)
{
    const QImage in = rgb32(source);
    fitDestination(in, destination);
    greyRows(in, destination, Bar(progress));
}

QImage smoothPicture(const QImage& source, EffectProgress* progress)
{
    const Bar bar(progress);
    const QImage in = rgb32(source);
    QImage out = in.copy();
    const int64_t scale = 3 * int64_t(in.width());
    bar.scale(scale);
    bar.value(0);
    for (int y = 1; y < in.height(); ++y) {
        const auto* src = reinterpret_cast<const QRgb*>(in.constScanLine(y));
        auto* dst = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 2; x < in.width(); ++x)
            dst[x] = meanOf(src[x - 1], src[x]);
        bar.share(scale, y + 1, in.height());
    }
    bar.value(scale);
    return out;
}

QImage sharpenPicture(const QImage& source, EffectProgress* progress)
{
    const Bar bar(progress);
    const QImage in = rgb32(source);
    QImage out = in.copy();
    const int h = in.height();
    bar.value(0);
    bar.scale(2 * int64_t(h));
    bar.value(h);  // the first pass (reading the picture) counts one step per row
    auto sharp = [](int v, int u) { return clampByte(halfToEven(3 * v - u)); };
    for (int y = 1; y < h - 1; ++y) {
        const auto* above = reinterpret_cast<const QRgb*>(in.constScanLine(y - 1));
        const auto* row = reinterpret_cast<const QRgb*>(in.constScanLine(y));
        auto* dst = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 1; x < in.width() - 1; ++x) {
            const QRgb v = row[x];
            const QRgb u = above[x - 1];
            dst[x] = kOpaque | qRgb(sharp(qRed(v), qRed(u)), sharp(qGreen(v), qGreen(u)), sharp(qBlue(v), qBlue(u)));
        }
        bar.value(h + y);
    }
    return out;
}

QImage invertPicture(const QImage& source)
{
    QImage out;
    invertPicture(source, out);
    return out;
}

void invertPicture(const QImage& source, QImage& destination)
{
    const QImage in = rgb32(source);
    fitDestination(in, destination);
    invertRows(in, destination);
}

QImage mirrorLeftRight(const QImage& source) { return rgb32(source).mirrored(true, false); }

QImage mirrorTopBottom(const QImage& source) { return rgb32(source).mirrored(false, true); }

QImage blendPictures(const QImage& shown, const QImage& partner, QRgb backColour, EffectProgress* progress)
{
    const Bar bar(progress);
    QImage out = rgb32(shown).copy();
    const QImage second = partnerOverBackColour(partner, backColour);
    const int w = std::min(out.width(), second.width());
    const int h = std::min(out.height(), second.height());
    bar.value(0);
    bar.scale(h);
    for (int y = 0; y < h; ++y) {
        const auto* b = reinterpret_cast<const QRgb*>(second.constScanLine(y));
        auto* a = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 0; x < w; ++x)
            a[x] = meanOf(a[x], b[x]);
        bar.value(y);
    }
    return out;
}
