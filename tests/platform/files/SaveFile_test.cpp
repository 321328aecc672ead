#include "FullDisk.h"
#include "Sandbox.h"
#include "platform/files/BmpFile.h"
#include "platform/files/SaveFile.h"
#include "settings/JpegWriter.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>

#include <sys/stat.h>

#include <gtest/gtest.h>

#include <cerrno>

#include <functional>

namespace {

QImage noisyPicture()
{
    QImage img(320, 240, QImage::Format_RGB32);
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            img.setPixel(x, y, qRgb((x * 7 + y) & 255, (x ^ y) & 255, (x * y) & 255));
    return img;
}

}  // namespace

// Every writer of user files, on a disk that fills up halfway through the write:
// it says so, the old file keeps its content and no temporary file stays behind.
TEST(SaveFile, FullDiskKeepsTheOldFileForEveryWriter)
{
    const QImage picture = noisyPicture();
    const struct {
        const char* name;
        std::function<bool(const QString&)> write;
    } writers[] = {
        {"bytes", [](const QString& p) { return platform::writeFileSafely(p, QByteArray(64 * 1024, 'x')).ok; }},
        {"bmp", [&](const QString& p) { return platform::writeBmp24(picture, p); }},
        {"jpeg", [&](const QString& p) { return bool(SavePictureAsJPG(p, 100, picture)); }},
    };
    for (const auto& w : writers) {
        Sandbox box;
        const QString path = box.programFolder() + "/picture";
        box.writeFile("picture", "old content");
        bool written = true;
        {
            FileSizeLimitScope fullDisk(4096);
            written = w.write(path);
        }
        EXPECT_FALSE(written) << w.name;
        EXPECT_EQ(box.readFile("picture"), "old content") << w.name;
        EXPECT_EQ(QDir(box.programFolder()).entryList(QDir::Files), QStringList{"picture"}) << w.name;
        EXPECT_TRUE(w.write(path)) << w.name;
        EXPECT_GT(QFile(path).size(), 1000) << w.name;
    }
}

TEST(SaveFile, FullDiskErrorCarriesTheSystemsReason)
{
    Sandbox box;
    platform::Result written;
    {
        FileSizeLimitScope fullDisk(4096);
        written = platform::writeFileSafely(box.programFolder() + "/big", QByteArray(64 * 1024, 'x'));
    }
    EXPECT_FALSE(written.ok);
    EXPECT_TRUE(written.reason.startsWith("cannot write " + box.programFolder() + "/big: ")) << written.reason.toStdString();
    EXPECT_TRUE(written.reason.contains(qt_error_string(EFBIG))) << written.reason.toStdString();
}

TEST(SaveFile, GivesPermissionsAndReportsAMissingFolder)
{
    Sandbox box;
    const QString path = box.programFolder() + "/secret.ini";
    ASSERT_TRUE(platform::writeFileSafely(path, "pw", QFileDevice::ReadOwner | QFileDevice::WriteOwner));
    const auto granted = QFile(path).permissions();
    EXPECT_TRUE(granted.testFlag(QFileDevice::ReadOwner) && granted.testFlag(QFileDevice::WriteOwner));
    for (auto other : {QFileDevice::ReadGroup, QFileDevice::WriteGroup, QFileDevice::ReadOther, QFileDevice::WriteOther})
        EXPECT_FALSE(granted.testFlag(other));
    const platform::Result missing = platform::writeFileSafely(box.programFolder() + "/no/such/file", "x");
    EXPECT_FALSE(missing);
    EXPECT_FALSE(missing.reason.isEmpty());
    EXPECT_EQ(missing.code, int(QFileDevice::OpenError));
}

// A full disk is named as such in the reason of every writer, so the notice and
// the log say what the user has to do.
TEST(SaveFile, FullDiskIsTheReasonGiven)
{
    const QImage picture = noisyPicture();
    const struct {
        const char* name;
        std::function<QString(const QString&)> reasonOfWrite;
    } writers[] = {
        {"bytes", [](const QString& p) { return platform::writeFileSafely(p, QByteArray(64 * 1024, 'x')).reason; }},
        {"bmp",
         [&](const QString& p) {
             QString error;
             platform::writeBmp24(picture, p, &error);
             return error;
         }},
        {"jpeg", [&](const QString& p) { return SavePictureAsJPG(p, 100, picture).reason; }},
    };
    for (const auto& w : writers) {
        Sandbox box;
        const QString path = box.programFolder() + "/picture";
        FileSizeLimitScope fullDisk(4096);
        const QString reason = w.reasonOfWrite(path);
        EXPECT_TRUE(reason.contains("disk full")) << w.name << ": " << reason.toStdString();
        EXPECT_TRUE(reason.contains(path)) << w.name << ": " << reason.toStdString();
    }
    Sandbox box;
    FileSizeLimitScope fullDisk(4096);
    const platform::Result bytes = platform::writeFileSafely(box.programFolder() + "/f", QByteArray(64 * 1024, 'x'));
    EXPECT_EQ(bytes.code, int(QFileDevice::WriteError));
}

// A device, pipe or socket in the file's place (or behind a link of that name) is
// refused and stays what it is: the writer would rename a regular file over it.
TEST(SaveFile, ANonRegularFileOrALinkToOneIsRefusedAndKept)
{
    Sandbox box;
    const QString fifo = box.programFolder() + "/stand-in device";
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    const QString link = box.programFolder() + "/settings.ini";
    ASSERT_TRUE(QFile::link(fifo, link));
    for (const QString& path : {fifo, link}) {
        const platform::Result written = platform::writeFileSafely(path, "[Key]\r\n 1 \r\n");
        EXPECT_FALSE(written) << path.toStdString();
        EXPECT_TRUE(written.reason.contains("not a regular file")) << written.reason.toStdString();
    }
    EXPECT_TRUE(QFileInfo(link).isSymLink());
    struct stat st{};
    ASSERT_EQ(::lstat(QFile::encodeName(fifo).constData(), &st), 0);
    EXPECT_TRUE(S_ISFIFO(st.st_mode));
    EXPECT_EQ(QDir(box.programFolder()).entryList(QDir::Files | QDir::System | QDir::NoDotAndDotDot).size(), 2);

    // A link to a regular file still writes through to the file.
    const QString target = box.programFolder() + "/real.ini";
    ASSERT_TRUE(platform::writeFileSafely(target, "old"));
    const QString toFile = box.programFolder() + "/linked.ini";
    ASSERT_TRUE(QFile::link(target, toFile));
    ASSERT_TRUE(platform::writeFileSafely(toFile, "new"));
    QFile f(target);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), "new");
    EXPECT_TRUE(QFileInfo(toFile).isSymLink());
}
