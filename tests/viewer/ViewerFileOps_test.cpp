#include "viewer/ViewerFileOps.h"

#include "platform/files/BmpFile.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

TEST(ViewerFileOps, ConfirmationAndTheOneTurnOffQuestion)
{
    const struct {
        int noConfirm;
        bool asked;
        bool confirm, askTurnOff;
    } cases[] = {
        {0, false, true, false}, {1, false, false, false}, {-1, false, true, true},
        {-1, true, true, false}, {0, true, true, false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(deleteNeedsConfirmation(c.noConfirm), c.confirm) << c.noConfirm;
        EXPECT_EQ(deleteAsksTurnOff(c.noConfirm, c.asked), c.askTurnOff) << c.noConfirm << c.asked;
    }
    EXPECT_EQ(noConfirmDeleteFor(TurnOffAnswer::Yes), 1);
    EXPECT_EQ(noConfirmDeleteFor(TurnOffAnswer::No), 0);
    EXPECT_EQ(noConfirmDeleteFor(TurnOffAnswer::Cancel), -1);
}

TEST(ViewerFileOps, DeleteAllTakesTheListedFilesOfTheSelectedKind)
{
    EXPECT_EQ(deleteAllKind("clip.AVI"), DeleteAllKind::Movie);
    EXPECT_EQ(deleteAllKind("a.jpg"), DeleteAllKind::Picture);
    EXPECT_EQ(deleteAllKind(""), DeleteAllKind::Picture);
    EXPECT_EQ(deleteAllKindText(DeleteAllKind::Movie), "movie");
    EXPECT_EQ(deleteAllKindText(DeleteAllKind::Picture), "picture");

    const QStringList listed{"a.jpg", "B.JPG", "c.Bmp", "d.jpeg", "e.avi", "F.AVI"};
    EXPECT_EQ(deleteAllTargets(listed, DeleteAllKind::Picture), QStringList({"a.jpg", "B.JPG", "c.Bmp"}));
    EXPECT_EQ(deleteAllTargets(listed, DeleteAllKind::Movie), QStringList({"e.avi", "F.AVI"}));
}

namespace {

struct Folder {
    QTemporaryDir dir;
    QString path() const { return dir.path() + "/"; }
    void touch(const QString& name) const
    {
        QFile f(path() + name);
        f.open(QIODevice::WriteOnly);
        f.write("x");
    }
    bool has(const QString& name) const { return QFileInfo::exists(path() + name); }
};

}  // namespace

TEST(ViewerFileOps, DeleteAllReportsEveryFileLeftAndNothingToDeleteAsAFailure)
{
    Folder f;
    for (const char* name : {"a.jpg", "B.JPG", "keep.jpeg", "clip.avi", ".hidden.jpg"})
        f.touch(name);
    QDir(f.path()).mkdir("folder.jpg");

    // Only JPEG pictures and no bitmap: still a success.
    DeleteAllResult r = deleteAll(f.path(), {"a.jpg", "B.JPG", "keep.jpeg", "clip.avi"}, DeleteAllKind::Picture);
    EXPECT_TRUE(r.ok);
    EXPECT_FALSE(f.has("a.jpg"));
    EXPECT_FALSE(f.has("B.JPG"));
    EXPECT_TRUE(f.has("keep.jpeg"));
    EXPECT_TRUE(f.has("clip.avi"));
    EXPECT_TRUE(f.has(".hidden.jpg"));  // never listed, never deleted

    // A name that is a folder, and one that went away, are reported; the rest goes.
    f.touch("c.bmp");
    r = deleteAll(f.path(), {"folder.jpg", "gone.jpg", "c.bmp"}, DeleteAllKind::Picture);
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.notDeleted, QStringList({"folder.jpg", "gone.jpg"}));
    EXPECT_EQ(r.errorNumber, 75);
    EXPECT_TRUE(QFileInfo(f.path() + "folder.jpg").isDir());
    EXPECT_FALSE(f.has("c.bmp"));
    EXPECT_EQ(deleteAllFailureText(r), "Could not delete all files.\nfolder.jpg\ngone.jpg");

    // Movies in a folder without videos.
    r = deleteAll(f.path(), {"keep.jpeg"}, DeleteAllKind::Movie);
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.errorNumber, 53);
    EXPECT_EQ(deleteAllFailureText(r), "Could not delete all files.");
}

TEST(ViewerFileOps, RenameAnswers)
{
    const struct {
        const char* reply;
        RenameCheck check;
    } cases[] = {
        {"", RenameCheck::Nothing},
        {"Cam01.JPG", RenameCheck::Nothing},  // the same name in other letters
        {"cam01.jpg", RenameCheck::Nothing},
        {"holiday", RenameCheck::NeedsExtension},
        {"holiday.png", RenameCheck::NeedsExtension},
        {"a.jpg.txt", RenameCheck::Go},  // the extension may stand anywhere
        {"clip.AVI", RenameCheck::Go},
        {"x.jpeg", RenameCheck::Go},
        {"../other/x.jpg", RenameCheck::NotAName},
        {"/tmp/x.jpg", RenameCheck::NotAName},
        {"sub/x.bmp", RenameCheck::NotAName},
    };
    for (const auto& c : cases)
        EXPECT_EQ(checkRename("/pics/", "cam01.jpg", c.reply), c.check) << c.reply;
}

TEST(ViewerFileOps, OwnPropertiesShowNameSizeTimePermissionsAndPictureSize)
{
    QTemporaryDir dir;
    QImage image(16, 16, QImage::Format_RGB32);
    image.fill(Qt::red);
    const QString path = dir.path() + "/snap.bmp";
    ASSERT_TRUE(platform::writeBmp24(image, path));
    QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup);
    const QList<PropertyLine> lines = filePropertyLines(path);
    ASSERT_EQ(lines.size(), 6);
    EXPECT_EQ(lines[0].value, "snap.bmp");
    EXPECT_EQ(lines[1].value, dir.path());
    EXPECT_EQ(lines[2].value, "822 bytes");
    EXPECT_EQ(lines[3].value.size(), 19);
    EXPECT_EQ(lines[4].value, "rw-r-----");
    EXPECT_EQ(lines[5].label, "Picture size");
    EXPECT_EQ(lines[5].value, "16 x 16");

    QFile text(dir.path() + "/notes.txt");
    text.open(QIODevice::WriteOnly);
    text.write("hello");
    text.close();
    EXPECT_EQ(filePropertyLines(dir.path() + "/notes.txt").size(), 5);
}
