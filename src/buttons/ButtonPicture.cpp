#include "buttons/ButtonPicture.h"

#include <QFileInfo>

ButtonPicture ButtonPicture::bitmap(const QImage& image) { return ButtonPicture(image, false); }

ButtonPicture ButtonPicture::icon(const QImage& image) { return ButtonPicture(image, true); }

ButtonPicture ButtonPicture::fromFile(const QString& path)
{
    const QImage image(path);
    if (image.isNull())
        return {};
    const QString suffix = QFileInfo(path).suffix().toLower();
    return ButtonPicture(image, suffix == "ico" || suffix == "cur");
}
