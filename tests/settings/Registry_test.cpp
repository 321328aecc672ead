#include "Sandbox.h"
#include "settings/Registry.h"

#include <gtest/gtest.h>

#include <QDateTime>
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

namespace {

QStringList g_registryWarnings;

void keepRegistryWarnings(QtMsgType type, const QMessageLogContext& context, const QString& text)
{
    if (type == QtWarningMsg && QByteArray(context.category) == "tolvex.settings")
        g_registryWarnings.append(text);
}

}  // namespace

// A store that cannot be written fails at every write of a run; the log says so once.
TEST(Registry, AStoreThatCannotBeWrittenIsLoggedOnce)
{
    Sandbox box;
    ASSERT_TRUE(QDir(box.configFolder()).removeRecursively());
    QFile blocker(box.configFolder());  // a file where the folder of the store should be
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    Registry reg;
    g_registryWarnings.clear();
    const QtMessageHandler previous = qInstallMessageHandler(keepRegistryWarnings);
    for (int i = 0; i < 5; ++i)
        reg.save("DatumSet", QString("value %1").arg(i));
    reg.deleteSetting("Tolvex", "DatumSet");
    qInstallMessageHandler(previous);
    EXPECT_EQ(g_registryWarnings.size(), 1) << g_registryWarnings.join('\n').toStdString();
    EXPECT_EQ(g_registryWarnings.filter(reg.storePath()).size(), 1);
    EXPECT_EQ(reg.get("DatumSet", "none"), "none");
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

TEST(Registry, SeveralValuesAreStoredInOneWriteAndOnlyWhenOneChanged)
{
    Sandbox box;
    Registry reg;
    const auto inode = [&reg] {
        struct stat st {};
        return ::stat(QFile::encodeName(reg.storePath()).constData(), &st) == 0 ? st.st_ino : ino_t(0);
    };
    reg.save({{"Path", "/opt/tolvex"}, {"Version", "1.0.0"}, {"EXE", "Tolvex.exe"}});
    const ino_t first = inode();
    ASSERT_NE(first, ino_t(0)) << "the store was not made";
    EXPECT_EQ(Registry().get("Path"), "/opt/tolvex");
    EXPECT_EQ(Registry().get("Version"), "1.0.0");
    EXPECT_EQ(Registry().get("EXE"), "Tolvex.exe");

    reg.save({{"Path", "/opt/tolvex"}, {"Version", "1.0.0"}});
    EXPECT_EQ(inode(), first) << "unchanged values rewrote the store";
    reg.save({{"Path", "/opt/tolvex"}, {"Version", "1.1.0"}});
    EXPECT_NE(inode(), first);
    EXPECT_EQ(Registry().get("Version"), "1.1.0");
    EXPECT_EQ(Registry().get("EXE"), "Tolvex.exe") << "a value left out of the batch is kept";
}

// A store keeps what it read only while the file stays the same: a value another
// writer stored (another store object, a second copy of the program, an editor that
// rewrites the file in place with the same length) is what the next read gives.
// Each change is made at a later moment than the store's own write, as a person's
// or another program's is: file times only tell changes apart by the kernel's clock
// tick, and the settings library itself takes a file of the same size and time for
// unchanged.
TEST(Registry, ReadsFollowTheFileWhateverChangedIt)
{
    const struct {
        const char* writer;
        void (*write)(const QString& path);
    } cases[] = {
        {"another store", [](const QString&) { Registry().save("DatumSet", "dd-mm-yy"); }},
        {"the file rewritten in place",
         [](const QString& path) {
             QFile file(path);
             ASSERT_TRUE(file.open(QIODevice::ReadWrite));
             QByteArray text = file.readAll();
             text.replace("yy-mm-dd", "dd-mm-yy");
             ASSERT_TRUE(file.seek(0));
             ASSERT_EQ(file.write(text), text.size());
         }},
        {"the file replaced",
         [](const QString& path) {
             QFile file(path + ".new");
             ASSERT_TRUE(file.open(QIODevice::WriteOnly));
             file.write("[Tolvex]\nDatumSet=dd-mm-yy\n");
             file.close();
             ASSERT_TRUE(QFile::remove(path));
             ASSERT_TRUE(QFile::rename(path + ".new", path));
         }},
        {"the file removed", [](const QString& path) { ASSERT_TRUE(QFile::remove(path)); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.writer);
        Sandbox box;
        Registry reg;
        reg.save("DatumSet", "yy-mm-dd");
        ASSERT_EQ(reg.get("DatumSet"), "yy-mm-dd");
        ASSERT_TRUE(reg.contains("Tolvex", "DatumSet"));
        c.write(reg.storePath());
        if (QFile changed(reg.storePath()); changed.open(QIODevice::ReadWrite | QIODevice::ExistingOnly)) {
            ASSERT_TRUE(changed.setFileTime(QDateTime::currentDateTime().addSecs(2), QFileDevice::FileModificationTime));
        }
        const bool removed = !QFileInfo::exists(reg.storePath());
        EXPECT_EQ(reg.get("DatumSet", "none"), removed ? "none" : "dd-mm-yy");
        EXPECT_EQ(reg.contains("Tolvex", "DatumSet"), !removed);
        // A save of the value the file now holds leaves it alone; the old one is stored.
        reg.save("DatumSet", "yy-mm-dd");
        EXPECT_EQ(Registry().get("DatumSet"), "yy-mm-dd");
    }
}
