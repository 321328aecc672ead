#include "SettingsFileTestSupport.h"
#include "settings/SettingsFilePairs.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFileInfo>

#include <functional>

namespace {

void save(SettingsModel& s, SettingsHost* host = nullptr)
{
    QString name;
    SaveSettings(s, name, host);
}

void load(SettingsModel& s)
{
    QString name;
    LoadSettings(s, name, nullptr);
}

}  // namespace

TEST(SaveSettings, Writes128CrLfLinesOfKeysAndValuesInTheirPrintForm)
{
    Sandbox box;
    SettingsModel s = modelIn(box);
    s.ScanRefresh = 25;
    s.NoConfirmDelete = -1;
    s.BackgroundColor = 0;
    s.SoundFlags = {1, 0, 0, 1};
    s.AutoTimer = 1;
    s.PicturePath = " /pics, with comma ";
    save(s);

    const QByteArray bytes = box.readFile("Tolvex.ini");
    EXPECT_TRUE(bytes.endsWith("\r\n"));
    EXPECT_EQ(bytes.count('\n'), 128);
    EXPECT_EQ(bytes.count("\r\n"), 128);
    const QStringList lines = crLfLines(bytes);
    ASSERT_EQ(lines.size(), 128);
    EXPECT_EQ(lines[0], QString(";Vyk-Ondrel Tolvex v%1.%2.%3")
                            .arg(TOLVEX_VERSION_MAJOR)
                            .arg(TOLVEX_VERSION_MINOR)
                            .arg(TOLVEX_VERSION_REVISION));
    EXPECT_TRUE(lines[1].startsWith(';'));
    for (int i = 0; i < kSettingsPairCount; ++i)
        EXPECT_EQ(lines[2 + 2 * i], settingsPairs()[i].key);
    EXPECT_EQ(valueAfter(lines, "[ScanRefresh]"), " 25 ");
    EXPECT_EQ(valueAfter(lines, "[NoConfirmDelete]"), "-1 ");
    EXPECT_EQ(valueAfter(lines, "[PicturePath]"), " /pics, with comma ");
    EXPECT_EQ(valueAfter(lines, "[reservedAutoTimer]"), "");
    EXPECT_EQ(valueAfter(lines, "[SoundsSelection]"), "1001");
    EXPECT_EQ(valueAfter(lines, "[BackgroundColor]"), "-2147483633 ");

    // The repaired colour and the rebuilt selection stay in the model.
    EXPECT_EQ(s.BackgroundColor, -2147483633);
    EXPECT_EQ(s.SoundsSelection, "1001");
}

TEST(SaveSettings, FieldValuesWithCommasOrLeadingQuotesReadBackWhole)
{
    Sandbox box;
    SettingsModel s = modelIn(box);
    load(s);
    s.PictureEditor = "/opt/Edit, Inc/edit";
    s.PictureViewer = "\"/opt/my viewer/view\" --full";
    s.StartTime = "08:00";
    s.StopTime = "17:00,";
    s.TempBufferFileAndPath = "/tmp/buffers, old/b.bmp";
    save(s);
    const QStringList lines = iniLines(box);
    EXPECT_EQ(valueAfter(lines, "[PictureEditor]"), "\"/opt/Edit, Inc/edit\"");
    EXPECT_EQ(valueAfter(lines, "[StartTime]"), "08:00");

    SettingsModel back = modelIn(box);
    back.ButtonStyle = 1;
    load(back);
    EXPECT_EQ(back.PictureEditor, s.PictureEditor);
    EXPECT_EQ(back.PictureViewer, s.PictureViewer);
    EXPECT_EQ(back.StartTime, s.StartTime);
    EXPECT_EQ(back.StopTime, s.StopTime);
    EXPECT_EQ(back.TempBufferFileAndPath, s.TempBufferFileAndPath);
    EXPECT_EQ(back.ButtonStyle, 4);  // read from the file, so it was in step
}

// Blanks around a field value would be lost on reading (leading ones are skipped),
// so such values are quoted too and every save and load gives the same value.
TEST(SaveSettings, FieldValuesWithBlanksAroundThemReadBackWhole)
{
    Sandbox box;
    SettingsModel s = modelIn(box);
    load(s);
    s.PictureEditor = " /opt/edit";
    s.PictureViewer = "/opt/view ";
    s.StartTime = "\t08:00";
    s.StopTime = " 17:00 ";
    s.TempBufferFileAndPath = "/tmp/buffer.bmp  ";
    save(s);
    EXPECT_EQ(valueAfter(iniLines(box), "[PictureEditor]"), "\" /opt/edit\"");
    EXPECT_EQ(valueAfter(iniLines(box), "[PictureViewer]"), "\"/opt/view \"");

    for (int round = 0; round < 2; ++round) {
        SettingsModel back = modelIn(box);
        load(back);
        EXPECT_EQ(back.PictureEditor, s.PictureEditor);
        EXPECT_EQ(back.PictureViewer, s.PictureViewer);
        EXPECT_EQ(back.StartTime, s.StartTime);
        EXPECT_EQ(back.StopTime, s.StopTime);
        EXPECT_EQ(back.TempBufferFileAndPath, s.TempBufferFileAndPath);
        save(back);
    }
}

// The box names the cause: a folder or a read-only file in the settings file's place
// is an access error, not a full disk; standard error gets the system's reason.
TEST(SaveSettings, FolderOrReadOnlyFileInThePlaceOfTheFileIsAnAccessError)
{
    struct Case {
        const char* name;
        std::function<void(const Sandbox&)> prepare;
    };
    const Case cases[] = {
        {"folder", [](const Sandbox& box) { QDir().mkpath(iniPath(box)); }},
        {"read-only file",
         [](const Sandbox& box) {
             box.writeFile("Tolvex.ini", "old");
             QFile::setPermissions(iniPath(box), QFileDevice::ReadOwner);
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Sandbox box;
        c.prepare(box);
        // Anyone may write the program folder: only the file's place is in the way.
        const auto all = QFileDevice::Permissions(0x7777);
        QFile::setPermissions(box.root(), all & ~(QFileDevice::WriteGroup | QFileDevice::WriteOther));
        QFile::setPermissions(box.programFolder(), all);
        SettingsModel s = modelIn(box);
        MockSettingsHost host;
        EXPECT_CALL(host, showSettingsSaveError(75, QString("Path/File access error"))).Times(1);
        UnprivilegedScope unprivileged;
        if (!unprivileged.ok())
            GTEST_SKIP() << "cannot give up root's rights";
        testing::internal::CaptureStderr();
        save(s, &host);
        const std::string err = testing::internal::GetCapturedStderr();
        EXPECT_NE(err.find(iniPath(box).toStdString()), std::string::npos) << err;
        EXPECT_NE(err.find("75"), std::string::npos) << err;
    }
}

TEST(SaveSettings, FileIsForTheOwnerOnly)
{
    Sandbox box;
    box.writeFile("Tolvex.ini", "old");
    QFile::setPermissions(iniPath(box), QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                            QFileDevice::ReadOther | QFileDevice::ReadGroup);
    SettingsModel s = modelIn(box);
    save(s);
    EXPECT_EQ(fileMode(iniPath(box)), 0600u);
    EXPECT_EQ(iniLines(box).size(), 128);
}

TEST(SaveSettings, FailedWriteKeepsTheOldFileAndShowsTheError)
{
    Sandbox box;
    SettingsModel s = modelIn(box);
    load(s);
    const QByteArray before = box.readFile("Tolvex.ini");
    // The file itself stays writable: only the folder is read-only.
    QFile::setPermissions(iniPath(box), QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                            QFileDevice::ReadGroup | QFileDevice::WriteGroup |
                                            QFileDevice::ReadOther | QFileDevice::WriteOther);
    const auto readOnly = QFileDevice::ReadOwner | QFileDevice::ExeOwner | QFileDevice::ReadGroup |
                          QFileDevice::ExeGroup | QFileDevice::ReadOther | QFileDevice::ExeOther;
    QFile::setPermissions(box.root(), readOnly | QFileDevice::WriteOwner);
    QFile::setPermissions(box.programFolder(), readOnly);
    s.ButtonStyle = 6;
    MockSettingsHost host;
    EXPECT_CALL(host, showSettingsSaveError(75, QString("Path/File access error"))).Times(1);
    {
        UnprivilegedScope unprivileged;
        if (!unprivileged.ok())
            GTEST_SKIP() << "cannot give up root's rights";
        save(s, &host);
    }
    QFile::setPermissions(box.programFolder(), QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                                   QFileDevice::ExeOwner);
    EXPECT_EQ(box.readFile("Tolvex.ini"), before);
    EXPECT_EQ(s.ButtonStyle, 6);
}

TEST(SaveSettings, FullDiskKeepsTheOldFileAndShowsTheError)
{
    Sandbox box;
    SettingsModel s = modelIn(box);
    load(s);
    const QByteArray before = box.readFile("Tolvex.ini");
    s.StampText = QString(5000, 'x');
    MockSettingsHost host;
    EXPECT_CALL(host, showSettingsSaveError(61, QString("Disk full"))).Times(1);
    {
        FileSizeLimitScope noRoom(100);
        save(s, &host);
    }
    EXPECT_EQ(box.readFile("Tolvex.ini"), before);
}

TEST(SaveSettings, MissingFolderIsReportedAsPathNotFound)
{
    Sandbox box;
    SettingsModel s = modelIn(box);
    MockSettingsHost host;
    EXPECT_CALL(host, showSettingsSaveError(76, QString("Path not found"))).Times(1);
    QString name = box.programFolder() + "/missing/Tolvex.ini";
    SaveSettings(s, name, &host);
    SaveSettings(s, name, nullptr);
    EXPECT_FALSE(QFileInfo::exists(name));
}

TEST(SaveSettings, ErrorBoxTexts)
{
    const SettingsSaveErrorBoxTexts box = settingsSaveErrorBoxTexts(61, "Disk full");
    EXPECT_EQ(box.title, "Error saving INI-file. Err:61");
    EXPECT_EQ(box.text, "Could not save the INI file.\r\nDisk full");
}

TEST(SaveSettings, NameRule)
{
    Sandbox box;
    SettingsModel s = modelIn(box);
    QString name;
    SaveSettings(s, name, nullptr);
    EXPECT_EQ(name, box.programFolder() + "/Tolvex.ini");

    name = box.programFolder() + "/Other.ini";
    SaveSettings(s, name, nullptr);
    EXPECT_EQ(name, box.programFolder() + "/Other.ini");
    EXPECT_TRUE(QFileInfo::exists(name));

    s.SecondInstance = -1;
    SaveSettings(s, name, nullptr);
    EXPECT_EQ(name, box.programFolder() + "/Tolvex2.ini");
    EXPECT_TRUE(QFileInfo::exists(name));
}
