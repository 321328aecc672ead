#include "platform/files/InstanceLock.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using platform::InstanceLock;

TEST(InstanceLock, OneCopyOwnsAFolderUntilItEnds)
{
    QTemporaryDir folder;
    const QString file = InstanceLock::lockFileName(folder.path());
    {
        InstanceLock first;
        ASSERT_TRUE(first.acquire(folder.path()));
        EXPECT_TRUE(first.held());
        EXPECT_TRUE(QFile::exists(file));
        InstanceLock second;
        EXPECT_FALSE(second.acquire(folder.path())) << "a second copy of the same folder";
        EXPECT_FALSE(second.held());
        QTemporaryDir other;
        EXPECT_TRUE(second.acquire(other.path())) << "another folder is free";
    }
    EXPECT_FALSE(QFile::exists(file)) << "the lock file goes with its copy";
    InstanceLock later;
    EXPECT_TRUE(later.acquire(folder.path()));
}

TEST(InstanceLock, ALeftOverFileIsTakenOverAndAnUnwritableFolderCountsAsFree)
{
    QTemporaryDir folder;
    QFile left(InstanceLock::lockFileName(folder.path()));
    ASSERT_TRUE(left.open(QIODevice::WriteOnly));  // a crashed copy's file, no lock on it
    left.write("12345\n");
    left.close();
    InstanceLock lock;
    EXPECT_TRUE(lock.acquire(folder.path()));
    EXPECT_TRUE(lock.held());

    InstanceLock nowhere;
    EXPECT_TRUE(nowhere.acquire(folder.path() + "/no/such/folder"));
    EXPECT_FALSE(nowhere.held());
}
