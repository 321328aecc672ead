#pragma once

#include <QImage>
#include <QMetaType>
#include <QString>

// A picture given to a button or used as its mouse pointer: a bitmap, or an icon
// (icons and cursors may not outline a shaped button but may be a pointer).
// Copies share the image, as the platform's picture objects are shared.
class ButtonPicture {
public:
    ButtonPicture() = default;
    static ButtonPicture bitmap(const QImage& image);
    static ButtonPicture icon(const QImage& image);
    // .ico and .cur files load as icons, everything else as bitmaps; a file that
    // cannot be read gives no picture.
    static ButtonPicture fromFile(const QString& path);

    bool isNull() const { return image_.isNull(); }
    bool isIcon() const { return icon_ && !isNull(); }
    const QImage& image() const { return image_; }
    int width() const { return image_.width(); }
    int height() const { return image_.height(); }

    friend bool operator==(const ButtonPicture& a, const ButtonPicture& b)
    {
        return a.icon_ == b.icon_ && a.image_.cacheKey() == b.image_.cacheKey();
    }

private:
    ButtonPicture(const QImage& image, bool icon) : image_(image), icon_(icon) {}

    QImage image_;
    bool icon_ = false;
};

Q_DECLARE_METATYPE(ButtonPicture)
