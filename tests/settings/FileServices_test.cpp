#include "Sandbox.h"
#include "settings/Module1Files.h"
#include "settings/Module1Registry.h"
#include "settings/Registry.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

namespace {

void touch(const QString& path)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
}

struct ExistsCase {
    const char* label;
    QStringList files;    // below the folder; a trailing "/" makes a folder
    QString query;        // below the folder
    bool expected;
};

TEST(FileExists, NormalFilesOnlyWithOwnWildcards)
{
    const ExistsCase cases[] = {
        {"plain file", {"pic.jpg"}, "pic.jpg", true},
        {"missing file", {"pic.jpg"}, "other.jpg", false},
        {"folder", {"pics/"}, "pics", false},
        {"hidden file", {".pic.jpg"}, ".pic.jpg", false},
        {"star matches", {"a/pic.jpg"}, "a/*.jpg", true},
        {"question mark matches one", {"pic.jpg"}, "p?c.jpg", true},
        {"question mark needs a character", {"pc.jpg"}, "p?c.jpg", false},
        {"star across the point", {"pic.jpeg"}, "*c.j*g", true},
        {"no match", {"pic.jpg"}, "*.png", false},
        {"wildcard skips hidden files", {".pic.jpg"}, "*.jpg", false},
        {"wildcard skips folders", {"dir.jpg/"}, "*.jpg", false},
        {"brackets are literal", {"[a].jpg"}, "[a].jpg", true},
        {"brackets are no character class", {"a.jpg"}, "[a].jpg", false},
        {"brackets with a star", {"[a]1.jpg"}, "[a]*.jpg", true},
        {"missing folder", {}, "nowhere/pic.jpg", false},
        {"missing folder with wildcard", {}, "nowhere/*.jpg", false},
        {"trailing separator", {"pics/"}, "pics/", false},
        {"case counts", {"pic.jpg"}, "PIC.JPG", false},
    };
    for (const ExistsCase& c : cases) {
        QTemporaryDir dir;
        for (const QString& f : c.files)
            f.endsWith('/') ? void(QDir().mkpath(dir.filePath(f))) : touch(dir.filePath(f));
        EXPECT_EQ(FileExists(dir.filePath(c.query)), c.expected) << c.label;
    }
    EXPECT_FALSE(FileExists(QString()));
}

struct UniqueCase {
    const char* label;
    QStringList taken;     // entries in the folder; a trailing "/" makes a folder
    bool trailingSeparator;
    QString expectedName;  // below the folder
};

TEST(UniqueFileName, FirstFreeNumberedCandidate)
{
    QStringList all99;
    for (int n = 1; n <= 99; ++n)
        all99 << QString("Cam-%1.jpg").arg(n, 2, 10, QChar('0'));
    const UniqueCase cases[] = {
        {"empty folder", {}, false, "Cam-01.jpg"},
        {"-01 to -03 taken", {"Cam-01.jpg", "Cam-02.jpg", "Cam-03.jpg"}, false, "Cam-04.jpg"},
        {"gap is used", {"Cam-01.jpg", "Cam-03.jpg"}, false, "Cam-02.jpg"},
        {"folder already ends with a separator", {"Cam-01.jpg"}, true, "Cam-02.jpg"},
        {"all 99 taken", all99, false, "Cam-100.jpg"},
        {"a folder of that name is taken too", {"Cam-01.jpg/"}, false, "Cam-02.jpg"},
        {"the original itself does not count", {"Cam.jpg"}, false, "Cam-01.jpg"},
    };
    for (const UniqueCase& c : cases) {
        QTemporaryDir dir;
        for (const QString& f : c.taken)
            f.endsWith('/') ? void(QDir().mkpath(dir.filePath(f))) : touch(dir.filePath(f));
        QString name = "Cam.jpg";
        QString folder = dir.path() + (c.trailingSeparator ? "/" : "");
        const QString result = UniqueFileName(name, folder);
        const QString expected = dir.path() + "/" + c.expectedName;
        EXPECT_EQ(result, expected) << c.label;
        EXPECT_EQ(name, expected.chopped(4)) << c.label;
        EXPECT_EQ(folder, dir.path() + "/") << c.label;
        EXPECT_FALSE(QFileInfo::exists(result)) << c.label;
    }
}

TEST(UniqueFileName, CounterFollowsTheGivenBaseName)
{
    QTemporaryDir dir;
    QString name = "MyImage01.jpg";
    QString folder = dir.path();
    EXPECT_EQ(UniqueFileName(name, folder), dir.path() + "/MyImage01-01.jpg");
}

TEST(SplitPath, FileNameAndFolderAtTheLastSeparator)
{
    struct Case {
        QString path, fileName, folder;
    };
    const Case cases[] = {
        {"/home/u/pics/a.jpg", "a.jpg", "/home/u/pics/"},
        {"/home/u/pics/", "", "/home/u/pics/"},
        {"a.jpg", "", "a.jpg"},
        {"/a.jpg", "a.jpg", "/"},
        {"", "", ""},
    };
    for (const Case& c : cases) {
        SettingsModel s;
        s.SplitFileName = s.SplitFolder = "stale";
        SplitPath(s, c.path);
        EXPECT_EQ(s.SplitFileName, c.fileName) << c.path.toStdString();
        EXPECT_EQ(s.SplitFolder, c.folder) << c.path.toStdString();
    }
}

TEST(GetSpecialFolderPath, DesktopAndDocumentsFromTheUserFolders)
{
    Sandbox box;
    const QString home = qEnvironmentVariable("HOME");
    QFile dirs(box.configFolder() + "/user-dirs.dirs");
    ASSERT_TRUE(dirs.open(QIODevice::WriteOnly));
    dirs.write("XDG_DESKTOP_DIR=\"$HOME/Bureau\"\nXDG_DOCUMENTS_DIR=\"$HOME/Papiers\"\n");
    dirs.close();
    EXPECT_EQ(GetSpecialFolderPath(16), home + "/Bureau");
    EXPECT_EQ(GetSpecialFolderPath(5), home + "/Papiers");
    for (int other : {0, 2, 17, 0x26, -1})
        EXPECT_EQ(GetSpecialFolderPath(other), QString()) << other;
}

TEST(RegQueryString, AnswersFromThePerUserStore)
{
    Sandbox box;
    Registry store;
    const QString key = "SOFTWARE\\Classes\\IrfanView\\shell\\open\\command";
    EXPECT_EQ(RegQueryString(store, kHkeyLocalMachine, key, ""), QString());

    const auto where = registryValueLocation(kHkeyLocalMachine, key, "");
    ASSERT_TRUE(where);
    store.saveSetting(where->first, where->second, "/opt/iview/i_view \"%1\"");
    const auto named = registryValueLocation(kHkeyLocalMachine, "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO", "PATH");
    store.saveSetting(named->first, named->second, QString("/usr/bin/hardinfo") + QChar(0) + "junk");

    EXPECT_EQ(RegQueryString(Registry(), kHkeyLocalMachine, key, ""), "/opt/iview/i_view \"%1\"");
    EXPECT_EQ(RegQueryString(store, kHkeyLocalMachine, "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO", "PATH"),
              "/usr/bin/hardinfo");
    // Same path under another root, another value name, an unknown root: nothing.
    EXPECT_EQ(RegQueryString(store, kHkeyCurrentUser, key, ""), QString());
    EXPECT_EQ(RegQueryString(store, kHkeyLocalMachine, key, "Other"), QString());
    EXPECT_EQ(RegQueryString(store, 0x1234, key, ""), QString());
    EXPECT_FALSE(registryValueLocation(0x1234, key, ""));
    // The program's own records stay apart from the stand-in keys.
    EXPECT_EQ(store.get("(Default)"), QString());
}

}  // namespace
