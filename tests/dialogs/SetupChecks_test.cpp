#include "Sandbox.h"
#include "dialogs/SetupChecks.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

#include <map>

namespace {

using Kind = FolderProbe::Kind;
using Verdict = FolderCheck::Verdict;

// A file system of a few entries: folders are writable unless listed as locked.
struct FakeDisk {
    std::map<QString, Kind> entries;
    QStringList locked;

    FolderProbe probe() const
    {
        FolderProbe p;
        p.kind = [this](const QString& path) {
            const auto it = entries.find(path);
            return it == entries.end() ? Kind::Missing : it->second;
        };
        p.writable = [this](const QString& path) { return !locked.contains(path); };
        return p;
    }
};

FakeDisk sampleDisk()
{
    FakeDisk disk;
    disk.entries = {{"/", Kind::Folder},           {"/home", Kind::Folder},      {"/home/ann", Kind::Folder},
                    {"/home/ann/pics", Kind::Folder}, {"/home/ann/notes.txt", Kind::Other}, {"/srv", Kind::Folder},
                    {"/srv/cams", Kind::Folder}};
    disk.locked = {"/", "/home", "/srv", "/srv/cams"};
    return disk;
}

// A form as the dialog opens it on the default settings.
SetupForm usableForm()
{
    SetupForm f;
    f.Text3 = "25";
    f.txtRecDuration = "8";
    f.txtStartTime = "08:00";
    f.txtStopTime = "17:00";
    f.txtCounter = "00000";
    f.txtFilename = "Cam";
    f.Text1 = "/home/ann/pics";
    return f;
}

}  // namespace

TEST(SetupChecks, FoldersAreUsedMadeOrRefusedWithTheReason)
{
    const FakeDisk disk = sampleDisk();
    const struct {
        const char* path;
        Verdict verdict;
        const char* reason;
    } cases[] = {
        {"/home/ann/pics", Verdict::Use, ""},
        {"/home/ann/new", Verdict::Create, ""},
        {"/home/ann/new/deeper/still", Verdict::Create, ""},
        {"/home/ann/notes.txt", Verdict::Refuse, "/home/ann/notes.txt is a file, not a folder"},
        {"/home/ann/notes.txt/snaps", Verdict::Refuse, "/home/ann/notes.txt is a file, not a folder"},
        {"/home/ann/notes.txt/a/b", Verdict::Refuse, "/home/ann/notes.txt is a file, not a folder"},
        {"/srv/cams", Verdict::Refuse, "no permission to write in it"},
        {"/srv/cams/today", Verdict::Refuse, "no permission to make it in /srv/cams"},
        {"/opt/tolvex", Verdict::Refuse, "no permission to make it in /"},
    };
    for (const auto& c : cases) {
        const FolderCheck check = checkFolder(c.path, disk.probe());
        EXPECT_EQ(check.verdict, c.verdict) << c.path;
        EXPECT_EQ(check.reason, c.reason) << c.path;
    }
}

TEST(SetupChecks, RelativeFolderTextsAreTakenFromTheProgramFolder)
{
    const struct {
        const char* text;
        const char* absolute;
    } cases[] = {
        {"CamSnapshots", "/opt/tolvex/CamSnapshots"},
        {" ./pics/today ", "/opt/tolvex/pics/today"},
        {"../shared", "/opt/shared"},
        {"/data/cams/", "/data/cams"},
        {"/data//cams/./x/..", "/data/cams"},
        {"   ", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(absoluteFolder(c.text, "/opt/tolvex"), c.absolute) << c.text;
}

TEST(SetupChecks, FileNamesRefuseTheCharactersAFileNameCannotHold)
{
    EXPECT_EQ(forbiddenFileNameCharacters("Cam"), "");
    EXPECT_EQ(forbiddenFileNameCharacters("Porch cam #2 (east) é"), "");
    EXPECT_EQ(forbiddenFileNameCharacters("a/b/c"), "/");
    EXPECT_EQ(forbiddenFileNameCharacters(QString("a") + QChar(0) + "b/"), QString(QChar(0)) + "/");
    EXPECT_EQ(forbiddenFileNameCharacters("tab\there\x7f"), "\t\x7f");
}

TEST(SetupChecks, ValuesThatCannotBeUsedAreRefusedNamingTheBox)
{
    const FakeDisk disk = sampleDisk();
    const struct {
        const char* name;
        std::function<void(SetupForm&)> edit;
        const char* box;  // "" when the form is accepted
        const char* message;
    } cases[] = {
        {"usable form", [](SetupForm&) {}, "", ""},
        {"frame period 0", [](SetupForm& f) { f.Text3 = "0"; }, "Text3", "Scan Refresh invalid."},
        {"frame period beyond its type", [](SetupForm& f) { f.Text3 = "40000"; }, "Text3", "Scan Refresh invalid."},
        {"largest frame period", [](SetupForm& f) { f.Text3 = "32767"; }, "", ""},
        {"recording time beyond its type", [](SetupForm& f) { f.txtRecDuration = "99999999999"; }, "txtRecDuration",
         setuptext::kRecordTimeInvalid},
        {"short recording time becomes the default later", [](SetupForm& f) { f.txtRecDuration = "3"; }, "", ""},
        {"long recording time", [](SetupForm& f) { f.txtRecDuration = "5000"; }, "", ""},
        {"impossible start time", [](SetupForm& f) { f.txtStartTime = "25:99"; }, "txtStartTime",
         setuptext::kStartTimeInvalid},
        {"single-digit stop hour", [](SetupForm& f) { f.txtStopTime = "7:30"; }, "txtStopTime",
         setuptext::kStopTimeInvalid},
        {"pasted time with seconds", [](SetupForm& f) { f.txtStopTime = "14:05:09"; }, "", ""},
        {"counter beyond its type", [](SetupForm& f) { f.txtCounter = "99999999999"; }, "txtCounter",
         setuptext::kCounterInvalid},
        {"file name with a slash", [](SetupForm& f) { f.txtFilename = "porch/cam"; }, "txtFilename",
         "Filename: invalid: \"/\" cannot stand in a file name."},
        {"file name with a NUL", [](SetupForm& f) { f.txtFilename = QString("cam") + QChar(0); }, "txtFilename",
         "Filename: invalid: control character 0 cannot stand in a file name."},
        {"snapshots under a file", [](SetupForm& f) { f.Text1 = "/home/ann/notes.txt/snaps"; }, "Text1",
         "Snapshots: the folder /home/ann/notes.txt/snaps cannot be used: /home/ann/notes.txt is a file, not a "
         "folder."},
        {"video folder without permission", [](SetupForm& f) { f.Text6 = "/srv/cams"; }, "Text6",
         "Video recordings: the folder /srv/cams cannot be used: no permission to write in it."},
        {"Save As default under a file", [](SetupForm& f) { f.Text8 = "/home/ann/notes.txt"; }, "Text8",
         "\"Save As\" default: the folder /home/ann/notes.txt cannot be used: /home/ann/notes.txt is a file, not a "
         "folder."},
        {"short folder text is not stored, so not checked", [](SetupForm& f) { f.Text9 = "/sr"; }, "", ""},
    };
    for (const auto& c : cases) {
        SetupForm f = usableForm();
        c.edit(f);
        const SetupChecked checked = checkSetupForm(f, "/home/ann/tolvex", disk.probe());
        if (*c.box == 0) {
            EXPECT_FALSE(checked.refusal) << c.name << ": " << checked.refusal->message.toStdString();
            continue;
        }
        ASSERT_TRUE(checked.refusal) << c.name;
        EXPECT_EQ(checked.refusal->box, c.box) << c.name;
        EXPECT_EQ(checked.refusal->message, c.message) << c.name;
    }
}

TEST(SetupChecks, FolderTextsBecomeAbsoluteAndMissingFoldersAreListedToMake)
{
    const FakeDisk disk = sampleDisk();
    SetupForm f = usableForm();
    f.Text1 = " pics ";  // relative: the program folder's, which does not exist yet
    f.Text2 = "/home/ann/pics";
    f.Text6 = "/home/ann/videos/";
    f.Text8 = "";
    f.Text9 = "/x";  // too short to be stored
    const SetupChecked checked = checkSetupForm(f, "/home/ann/tolvex", disk.probe());
    ASSERT_FALSE(checked.refusal);
    EXPECT_EQ(checked.form.Text1, "/home/ann/tolvex/pics");
    EXPECT_EQ(checked.form.Text2, "/home/ann/pics");
    EXPECT_EQ(checked.form.Text6, "/home/ann/videos");
    EXPECT_EQ(checked.form.Text8, "");
    EXPECT_EQ(checked.form.Text9, "/x");
    ASSERT_EQ(checked.create.size(), 2);
    EXPECT_EQ(checked.create[0].box, "Text1");
    EXPECT_EQ(checked.create[0].path, "/home/ann/tolvex/pics");
    EXPECT_EQ(checked.create[1].box, "Text6");
    EXPECT_EQ(checked.create[1].path, "/home/ann/videos");
}

TEST(SetupChecks, TheRealFileSystemIsProbedAndFoldersAreMade)
{
    Sandbox box;
    QFile file(box.root() + "/plain.txt");
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    EXPECT_EQ(checkFolder(box.root()).verdict, Verdict::Use);
    EXPECT_EQ(checkFolder(box.root() + "/a/b").verdict, Verdict::Create);
    EXPECT_EQ(checkFolder(box.root() + "/plain.txt").verdict, Verdict::Refuse);
    EXPECT_EQ(checkFolder(box.root() + "/plain.txt/x").verdict, Verdict::Refuse);
    EXPECT_TRUE(makeFolder(box.root() + "/a/b"));
    EXPECT_TRUE(QFileInfo(box.root() + "/a/b").isDir());
    const platform::Result refused = makeFolder(box.root() + "/plain.txt/x");
    EXPECT_FALSE(refused);
    EXPECT_FALSE(refused.reason.isEmpty());
}
