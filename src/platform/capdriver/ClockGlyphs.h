#pragma once

#include <QFont>
#include <QImage>
#include <QRect>
#include <QRgb>
#include <QSize>
#include <QString>

namespace platform::capdriver {

// The characters of a running clock ("0".."9", ":", "."), rendered once in a
// monospaced font and then copied cell by cell into each frame: drawing text
// anew costs milliseconds per frame at 1920 x 1080.
class ClockGlyphs {
public:
    // Prepares glyphs as large as lets `length` characters fit into `area`, in
    // these colours (24-bit RGB frames).
    void prepare(QSize area, int length, QRgb ink, QRgb paper);
    // Copies text, centred in area, into the frame; other characters are skipped.
    void draw(QImage& frame, const QRect& area, const QString& text) const;

private:
    static const QString& characters();
    static QFont fittingFont(QSize area, int length);

    QSize area_;
    int length_ = 0;
    QRgb ink_ = 0;
    QRgb paper_ = 0;
    int advance_ = 0;
    QImage strip_;
};

}  // namespace platform::capdriver
