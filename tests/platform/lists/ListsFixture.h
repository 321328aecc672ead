#pragma once

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

// A folder as the capture folders look after some use, with the traps of a real
// disk: mixed-case extensions, hidden files and folders, a folder named like a
// picture, a file of another kind.
struct ListsFixture {
    QTemporaryDir dir;

    ListsFixture()
    {
        for (const char* name : {"b.JPG", "a.jpg", "C.Bmp", "movie.AVI", "x.jpeg", "notes.txt", ".hidden.jpg",
                                 "photo.jpg.txt"})
            touch(name);
        for (const char* name : {"folder.jpg", "Sub", "alpha", ".dotdir"})
            QDir(path()).mkdir(name);
    }
    QString path() const { return dir.path(); }
    void touch(const QString& name, const QByteArray& content = "x") const
    {
        QFile f(path() + "/" + name);
        f.open(QIODevice::WriteOnly);
        f.write(content);
    }
};
