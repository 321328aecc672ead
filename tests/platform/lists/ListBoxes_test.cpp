#include "ListsFixture.h"
#include "platform/lists/DirListBox.h"
#include "platform/lists/DriveListBox.h"
#include "platform/lists/FileListBox.h"

#include <gtest/gtest.h>

#include <QKeyEvent>
#include <QSignalSpy>
#include <QTest>

using namespace platform;

TEST(FileListBox, ShowsTheFolderThroughItsPatternAndSelectsNothing)
{
    ListsFixture fx;
    FileListBox list;
    list.setPattern("*.jpg;*.bmp;*.avi;*.jpeg");
    ASSERT_TRUE(list.setPath(fx.path()).ok);
    EXPECT_EQ(list.ListCount(), 5);
    EXPECT_EQ(list.List(0), "a.jpg");
    EXPECT_EQ(list.List(4), "x.jpeg");
    EXPECT_EQ(list.List(5), "");
    EXPECT_EQ(list.ListIndex(), -1);
    EXPECT_EQ(list.FileName(), "");

    list.setPattern("*.avi");
    EXPECT_EQ(list.ListCount(), 1);
    EXPECT_EQ(list.List(0), "movie.AVI");
}

TEST(FileListBox, SettingListIndexSelectsAndClicksOnlyInsideTheList)
{
    ListsFixture fx;
    FileListBox list;
    list.setPattern("*.jpg");
    list.setPath(fx.path());
    QSignalSpy clicks(&list, &FileListBox::Click);

    EXPECT_TRUE(list.setListIndex(1));
    EXPECT_EQ(list.FileName(), "b.JPG");
    EXPECT_EQ(clicks.count(), 1);
    EXPECT_FALSE(list.setListIndex(2));
    EXPECT_FALSE(list.setListIndex(-2));
    EXPECT_EQ(list.ListIndex(), 1);
    EXPECT_EQ(clicks.count(), 1);
    EXPECT_TRUE(list.setListIndex(-1));
    EXPECT_EQ(list.FileName(), "");
    EXPECT_EQ(clicks.count(), 1);
}

TEST(FileListBox, RefreshRereadsTheFolderAndClearsTheSelectionWithoutAClick)
{
    ListsFixture fx;
    FileListBox list;
    list.setPattern("*.jpg");
    list.setPath(fx.path());
    list.setListIndex(0);
    QSignalSpy clicks(&list, &FileListBox::Click);
    fx.touch("0first.JPG");
    QFile::remove(fx.path() + "/b.JPG");
    list.Refresh();
    EXPECT_EQ(list.ListCount(), 2);
    EXPECT_EQ(list.List(0), "0first.JPG");
    EXPECT_EQ(list.ListIndex(), -1);
    EXPECT_EQ(clicks.count(), 0);
}

TEST(FileListBox, AFolderThatCannotBeListedLeavesTheListAsItWas)
{
    ListsFixture fx;
    FileListBox list;
    list.setPattern("*.jpg");
    list.setPath(fx.path());
    const Result r = list.setPath(fx.path() + "/gone");
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.code, 76);
    EXPECT_EQ(list.Path(), fx.path());
    EXPECT_EQ(list.ListCount(), 2);
}

TEST(FileListBox, MouseClicksKeysAndTheRightButton)
{
    ListsFixture fx;
    FileListBox list;
    list.setPattern("*.jpg");
    list.setPath(fx.path());
    list.resize(200, 200);
    list.show();
    QSignalSpy clicks(&list, &FileListBox::Click);
    QSignalSpy downs(&list, &FileListBox::MouseDown);
    QSignalSpy keys(&list, &FileListBox::KeyUp);
    const QPoint second = list.visualItemRect(list.item(1)).center();

    QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, second);
    EXPECT_EQ(list.ListIndex(), 1);
    EXPECT_EQ(clicks.count(), 1);
    QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, second);  // the selected file again
    EXPECT_EQ(clicks.count(), 2);
    // The right button opens a menu on the selection as it is.
    QTest::mouseClick(list.viewport(), Qt::RightButton, {}, list.visualItemRect(list.item(0)).center());
    EXPECT_EQ(list.ListIndex(), 1);
    EXPECT_EQ(clicks.count(), 2);
    EXPECT_EQ(downs.count(), 3);

    QTest::keyClick(&list, Qt::Key_Delete);
    ASSERT_EQ(keys.count(), 1);
}

TEST(DirListBox, ShowsTheFolderItsAncestorsAndVisibleSubfolders)
{
    ListsFixture fx;
    DirListBox dirs;
    QSignalSpy changes(&dirs, &DirListBox::Change);
    ASSERT_TRUE(dirs.setPath(fx.path()).ok);
    EXPECT_EQ(changes.count(), 1);
    EXPECT_EQ(dirs.ListIndex(), -1);
    EXPECT_EQ(dirs.List(-1), fx.path());
    EXPECT_EQ(dirs.List(-2), QFileInfo(fx.path()).absolutePath());
    EXPECT_EQ(dirs.ListCount(), 3);
    EXPECT_EQ(dirs.List(0), fx.path() + "/alpha");
    EXPECT_EQ(dirs.List(2), fx.path() + "/Sub");

    dirs.setPath(fx.path() + "/");  // the same folder
    EXPECT_EQ(changes.count(), 1);
    EXPECT_FALSE(dirs.setPath(fx.path() + "/missing").ok);
    EXPECT_EQ(dirs.Path(), fx.path());
    EXPECT_EQ(changes.count(), 1);
}

TEST(DirListBox, AClickSelectsAndADoubleClickOpens)
{
    ListsFixture fx;
    DirListBox dirs;
    dirs.setPath(fx.path());
    dirs.resize(300, 400);
    dirs.show();
    QSignalSpy clicks(&dirs, &DirListBox::Click);
    QSignalSpy changes(&dirs, &DirListBox::Change);
    const int subRow = dirs.count() - 1;  // "Sub", the last subfolder
    const QPoint at = dirs.visualItemRect(dirs.item(subRow)).center();
    QTest::mouseClick(dirs.viewport(), Qt::LeftButton, {}, at);
    EXPECT_EQ(clicks.count(), 1);
    EXPECT_EQ(dirs.ListIndex(), 2);
    EXPECT_EQ(dirs.Path(), fx.path());
    QTest::mouseDClick(dirs.viewport(), Qt::LeftButton, {}, at);
    EXPECT_EQ(dirs.Path(), fx.path() + "/Sub");
    EXPECT_EQ(changes.count(), 1);
    QTest::keyClick(&dirs, Qt::Key_Up);
    QTest::keyClick(&dirs, Qt::Key_Return);
    EXPECT_EQ(dirs.Path(), fx.path());
}

TEST(DriveListBox, SelectsTheDriveOfAPathAndChangesOnlyWhenTheUserPicks)
{
    DriveListBox drives;
    drives.setDrives({"/", "/home", "/media/usb"});
    QSignalSpy changes(&drives, &DriveListBox::Change);
    drives.setDrive("/media/usb/pictures");
    EXPECT_EQ(drives.Drive(), "/media/usb");
    drives.setDrive("/tmp");
    EXPECT_EQ(drives.Drive(), "/");
    EXPECT_EQ(changes.count(), 0);
    EXPECT_EQ(drives.ListCount(), 3);
    EXPECT_EQ(drives.List(1), "/home");

    drives.setCurrentIndex(1);
    emit drives.activated(1);
    EXPECT_EQ(changes.count(), 1);
    EXPECT_EQ(drives.Drive(), "/home");
}
