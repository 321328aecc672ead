#pragma once

#include <QImage>
#include <QRgb>

#include <initializer_list>
#include <vector>

inline QRgb rgbOnly(QRgb c) { return c & 0x00FFFFFFu; }

// Tiny pictures written as rows of colours, top row first.
inline QImage pictureOf(std::initializer_list<std::initializer_list<QRgb>> rows)
{
    const int h = int(rows.size());
    const int w = int(rows.begin()->size());
    QImage image(w, h, QImage::Format_RGB32);
    int y = 0;
    for (const auto& row : rows) {
        int x = 0;
        for (QRgb c : row)
            image.setPixel(x++, y, c);
        ++y;
    }
    return image;
}

// A picture whose every pixel differs, so a misplaced byte shows.
inline QImage patternPicture(int w, int h)
{
    QImage image(w, h, QImage::Format_RGB32);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            image.setPixel(x, y, qRgb((x * 7 + y) & 0xFF, (y * 13 + x * 3) & 0xFF, (x * y + 5) & 0xFF));
    return image;
}

inline QImage uniformPicture(int w, int h, QRgb colour)
{
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(colour);
    return image;
}

inline std::vector<QRgb> pixelsOf(const QImage& image)
{
    std::vector<QRgb> out;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            out.push_back(image.pixel(x, y) & 0x00FFFFFFu);
    return out;
}
