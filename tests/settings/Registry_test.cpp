#include "Sandbox.h"
#include "settings/Registry.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <sys/stat.h>
#include <unistd.h>

TEST(Registry, StoreLivesInTheUsersConfigurationFolder)
{
    Sandbox box;
    Registry reg;
    EXPECT_EQ(reg.storePath(), box.configFolder() + "/VykOndrelSoft.ini");
    EXPECT_EQ(reg.get("DatumSet", "none"), "none");
    reg.save("DatumSet", "yy-mm-dd");
    EXPECT_EQ(Registry().get("DatumSet"), "yy-mm-dd");
    EXPECT_TRUE(reg.contains("Tolvex", "DatumSet"));
}

// A FIFO or a device in the store's place would block every start or fill the
// memory: it is neither read nor replaced, and every value reads as its default.
TEST(Registry, StoreThatIsNotARegularFileReadsAsDefaults)
{
    for (const bool fifo : {true, false}) {
        SCOPED_TRACE(fifo ? "fifo" : "link to /dev/zero");
        Sandbox box;
        Registry reg;
        QDir().mkpath(box.configFolder());
        if (fifo)
            ASSERT_EQ(mkfifo(QFile::encodeName(reg.storePath()), 0600), 0);
        else
            ASSERT_TRUE(QFile::link("/dev/zero", reg.storePath()));
        alarm(20);  // a read that waits on the pipe or reads forever ends the test
        testing::internal::CaptureStderr();
        reg.save("DatumSet", "yy-mm-dd");
        const QString value = reg.get("DatumSet", "none");
        const bool contains = reg.contains("Tolvex", "DatumSet");
        const std::string err = testing::internal::GetCapturedStderr();
        alarm(0);
        EXPECT_EQ(value, "none");
        EXPECT_FALSE(contains);
        EXPECT_NE(err.find(reg.storePath().toStdString()), std::string::npos) << err;
        const QFileInfo after(reg.storePath());
        EXPECT_FALSE(after.isFile() && !after.isSymLink());
    }
}

// Every write replaces and syncs the whole file; the start-up's records are the same
// at nearly every start and must not cost a write each time.
TEST(Registry, AValueStoredAlreadyIsNotWrittenAgain)
{
    Sandbox box;
    Registry reg;
    reg.save("Path", "/opt/tolvex");
    const auto inode = [&reg] {
        struct stat st {};
        return ::stat(QFile::encodeName(reg.storePath()).constData(), &st) == 0 ? st.st_ino : ino_t(0);
    };
    const ino_t first = inode();
    ASSERT_NE(first, ino_t(0));
    reg.save("Path", "/opt/tolvex");
    EXPECT_EQ(inode(), first) << "an unchanged value rewrote the store";
    reg.save("Path", "/opt/other");
    EXPECT_NE(inode(), first);
    EXPECT_EQ(Registry().get("Path"), "/opt/other");
    reg.save("Empty", "");  // a new key, even empty, is stored
    EXPECT_TRUE(reg.contains("Tolvex", "Empty"));
}
