#include "platform/files/FileOperations.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

using namespace platform;

namespace {

void write(const QString& path, const QByteArray& content)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(content);
}

QByteArray read(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

}  // namespace

TEST(FileOperations, RemoveDeletesFilesButNeverAFolder)
{
    QTemporaryDir dir;
    const QString file = dir.path() + "/a.jpg";
    write(file, "x");
    EXPECT_TRUE(removeFile(file).ok);
    EXPECT_FALSE(QFile::exists(file));

    const Result missing = removeFile(file);
    EXPECT_FALSE(missing.ok);
    EXPECT_EQ(missing.code, kErrorFileNotFound);

    QDir(dir.path()).mkdir("folder.jpg");
    const Result folder = removeFile(dir.path() + "/folder.jpg");
    EXPECT_FALSE(folder.ok);
    EXPECT_EQ(folder.code, kErrorFileAccess);
    EXPECT_TRUE(QFileInfo(dir.path() + "/folder.jpg").isDir());
}

TEST(FileOperations, RenameNeverReplacesAnExistingFile)
{
    QTemporaryDir dir;
    const QString a = dir.path() + "/a.jpg", b = dir.path() + "/b.jpg", c = dir.path() + "/c.jpg";
    write(a, "first");
    write(b, "second");
    const Result taken = renameFile(a, b);
    EXPECT_FALSE(taken.ok);
    EXPECT_EQ(taken.code, kErrorFileExists);
    EXPECT_EQ(read(a), "first");
    EXPECT_EQ(read(b), "second");

    EXPECT_TRUE(renameFile(a, c).ok);
    EXPECT_FALSE(QFile::exists(a));
    EXPECT_EQ(read(c), "first");
    EXPECT_EQ(renameFile(a, dir.path() + "/d.jpg").code, kErrorFileNotFound);
}

TEST(FileOperations, ErrorNumbersOfTheSystemsReasons)
{
    EXPECT_EQ(fileErrorNumber(ENOENT), 53);
    EXPECT_EQ(fileErrorNumber(EEXIST), 58);
    EXPECT_EQ(fileErrorNumber(EBUSY), 70);
    EXPECT_EQ(fileErrorNumber(EACCES), 75);
    EXPECT_EQ(fileErrorNumber(EROFS), 75);
}
