#pragma once

#include <QImage>
#include <QSize>
#include <QString>

// The one way the viewer, the slide show, the blend panel and the effects read a
// picture file: whole, in its own pixels, also when it is larger than Qt's image
// reader takes by default (an 8000 x 6000 camera picture needs 192 MB).

// The largest picture, in bytes of 32-bit pixels, that a machine with this much
// memory reads: a quarter of it, and never less than 256 MB.
qint64 pictureByteLimit(qint64 physicalMemoryBytes);

// Whether a picture of this size is read at all under that limit.
bool pictureFits(const QSize& size, qint64 byteLimit);

struct PictureRead {
    QImage picture;  // null when the file cannot be read
    QString error;   // the reader's reason when it cannot
};

// Reads a picture file whole. A picture beyond the machine's limit, a broken file
// or a missing one give a null picture and the reason.
PictureRead readPicture(const QString& path);
PictureRead readPicture(const QString& path, qint64 byteLimit);

// The size line's text for a picture that cannot be shown.
QString unreadablePictureText(const QString& reason);
