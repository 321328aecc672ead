#include "ListsFixture.h"
#include "platform/lists/FileListing.h"

#include <gtest/gtest.h>

using namespace platform;

TEST(FileListing, PatternsSplitAtSemicolonsAndMatchIgnoringCase)
{
    struct Case {
        const char* pattern;
        const char* name;
        bool matches;
    };
    const Case cases[] = {
        {"*.jpg;*.bmp", "A.JPG", true},
        {"*.jpg;*.bmp", "a.Bmp", true},
        {"*.jpg;*.bmp", "a.jpeg", false},
        {"*.jpg ; *.jpeg", "a.jpeg", true},
        {"*.jpg", "a.jpg.txt", false},
        {"*.jpg", "jpg", false},
        {"p?c.jpg", "PIC.jpg", true},
        {"p?c.jpg", "pc.jpg", false},
        {"", "anything", true},
        {";;", "anything", true},
    };
    for (const Case& c : cases)
        EXPECT_EQ(matchesPattern(c.name, splitPattern(c.pattern)), c.matches) << c.pattern << " / " << c.name;
}

TEST(FileListing, ListsNormalVisibleFilesOfThePatternSortedIgnoringCase)
{
    ListsFixture fx;
    struct Case {
        const char* pattern;
        QStringList names;
    };
    const Case cases[] = {
        {"*.jpg;*.bmp;*.avi;*.jpeg", {"a.jpg", "b.JPG", "C.Bmp", "movie.AVI", "x.jpeg"}},
        {"*.jpg;*.gif;*.jpeg;*.bmp", {"a.jpg", "b.JPG", "C.Bmp", "x.jpeg"}},
        {"*.avi", {"movie.AVI"}},
        {"*.*", {"a.jpg", "b.JPG", "C.Bmp", "movie.AVI", "notes.txt", "photo.jpg.txt", "x.jpeg"}},
    };
    for (const Case& c : cases) {
        const Listing listing = listFiles(fx.path(), c.pattern);
        EXPECT_TRUE(listing.result.ok);
        EXPECT_EQ(listing.names, c.names) << c.pattern;
    }
}

TEST(FileListing, FoldersAreFullPathsWithoutHiddenOnes)
{
    ListsFixture fx;
    const Listing listing = listFolders(fx.path());
    EXPECT_EQ(listing.names, QStringList({fx.path() + "/alpha", fx.path() + "/folder.jpg", fx.path() + "/Sub"}));
}

TEST(FileListing, AMissingOrUnreadableFolderIsRefusedWithItsNumber)
{
    ListsFixture fx;
    EXPECT_EQ(listFiles(fx.path() + "/none", "*.*").result.code, kErrorPathNotFound);
    EXPECT_EQ(checkFolder(fx.path() + "/a.jpg").code, kErrorPathNotFound);
    EXPECT_EQ(checkFolder("").code, kErrorPathNotFound);
    QFile::setPermissions(fx.path() + "/Sub", QFileDevice::WriteOwner);
    if (!QDir(fx.path() + "/Sub").isReadable()) {  // root reads everything
        EXPECT_EQ(checkFolder(fx.path() + "/Sub").code, kErrorPermissionDenied);
    }
    QFile::setPermissions(fx.path() + "/Sub", QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
}

TEST(FileListing, DrivesAreRealFileSystemsWithTheRootFirst)
{
    const QString mounts =
        "overlay / overlay rw 0 0\n"
        "proc /proc proc rw 0 0\n"
        "sysfs /sys sysfs ro 0 0\n"
        "tmpfs /dev tmpfs rw 0 0\n"
        "/dev/sda1 /home ext4 rw 0 0\n"
        "/dev/loop0 /snap/core/1 squashfs ro 0 0\n"
        "/dev/sdb1 /media/usb\\040stick vfat rw 0 0\n"
        "cgroup2 /sys/fs/cgroup cgroup2 rw 0 0\n"
        "server:/x /mnt/Net nfs4 rw 0 0\n"
        "/dev/sda1 /home ext4 rw 0 0\n";
    EXPECT_EQ(drivesFromMounts(mounts), QStringList({"/", "/home", "/media/usb stick", "/mnt/Net"}));
    EXPECT_EQ(drivesFromMounts(""), QStringList({"/"}));
    EXPECT_EQ(mountedDrives().first(), "/");
}

TEST(FileListing, ThePathsDriveIsItsLongestMountPoint)
{
    const QStringList drives{"/", "/home", "/home/me/usb", "/media"};
    EXPECT_EQ(driveOfPath(drives, "/home/me/usb/pics"), "/home/me/usb");
    EXPECT_EQ(driveOfPath(drives, "/home/me/usbstick"), "/home");
    EXPECT_EQ(driveOfPath(drives, "/home"), "/home");
    EXPECT_EQ(driveOfPath(drives, "/var/tmp"), "/");
    EXPECT_EQ(driveOfPath(drives, "/mediafiles"), "/");
}
