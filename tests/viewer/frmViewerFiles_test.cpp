#include "ViewerHarness.h"
#include "core/MouseButtonCodes.h"

#include <gtest/gtest.h>

#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QTest>

namespace {

// Three pictures; the middle one is selected and shown.
struct Files : ViewerHarness {
    frmViewer& v;
    Files() : v(openWithPictures()) { select("b.bmp"); }
    frmViewer& openWithPictures()
    {
        bmp(s.PicturePath, "a.bmp", 16, 16, 0xffff0000);
        bmp(s.PicturePath, "b.bmp", 16, 16, 0xff00ff00);
        bmp(s.PicturePath, "c.bmp", 16, 16, 0xff0000ff);
        box.writeFile("Tolvex.ini", "[NoConfirmDelete]\r\n-1 \r\n");
        return open();
    }
    bool has(const QString& name) const { return QFileInfo::exists(s.PicturePath + "/" + name); }
    QStringList kinds() const
    {
        QStringList k;
        for (const auto& b : prompts.boxes)
            k.append(b.kind);
        return k;
    }
};

}  // namespace

TEST(frmViewerFiles, DeleteAsksAsNoConfirmDeleteSays)
{
    const struct {
        int noConfirm;
        bool askedBefore;
        QList<bool> yesNo;
        QList<BoxAnswer> turnOff;
        bool deleted;
        QStringList boxes;
        int noConfirmAfter;
        const char* iniValue;  // "" when the file is not written
    } cases[] = {
        {0, false, {true}, {}, true, {"yesNo"}, 0, ""},
        {0, false, {false}, {}, false, {"yesNo"}, 0, ""},
        {1, false, {}, {}, true, {}, 1, ""},
        {-1, false, {true}, {BoxAnswer::Yes}, true, {"yesNo", "yesNoCancel"}, 1, " 1 "},
        {-1, false, {true}, {BoxAnswer::No}, true, {"yesNo", "yesNoCancel"}, 0, " 0 "},
        {-1, false, {false}, {BoxAnswer::Cancel}, false, {"yesNo", "yesNoCancel"}, -1, "-1 "},
        {-1, false, {false}, {BoxAnswer::Yes}, false, {"yesNo", "yesNoCancel"}, 1, " 1 "},
        {-1, true, {true}, {}, true, {"yesNo"}, -1, ""},
    };
    for (const auto& c : cases) {
        Files h;
        h.s.NoConfirmDelete = static_cast<int16_t>(c.noConfirm);
        h.session.deleteQuestionAsked = c.askedBefore;
        h.prompts.yesNoAnswers = c.yesNo;
        h.prompts.threeWayAnswers = c.turnOff;
        const QByteArray iniBefore = h.box.readFile("Tolvex.ini");
        h.v.StyledButton1_Click(0);
        EXPECT_EQ(h.has("b.bmp"), !c.deleted) << c.noConfirm;
        EXPECT_EQ(h.kinds(), c.boxes) << c.noConfirm;
        EXPECT_EQ(h.s.NoConfirmDelete, c.noConfirm == c.noConfirmAfter ? c.noConfirm : c.noConfirmAfter);
        if (*c.iniValue)
            EXPECT_EQ(h.box.readFile("Tolvex.ini").split('\n').value(1).trimmed(), QByteArray(c.iniValue).trimmed());
        else
            EXPECT_EQ(h.box.readFile("Tolvex.ini"), iniBefore);
        EXPECT_EQ(h.session.deleteQuestionAsked, c.askedBefore || c.noConfirm == -1);
        if (!c.boxes.isEmpty()) {
            EXPECT_EQ(h.prompts.boxes[0].text, "Are you sure to delete b.bmp?");
            EXPECT_EQ(h.prompts.boxes[0].title, "Delete");
        }
        if (c.boxes.size() > 1) {
            EXPECT_EQ(h.prompts.boxes[1].text, "Do you want turn off the Delete confirmation-dialog?");
            EXPECT_EQ(h.prompts.boxes[1].title, "Confirmation on Delete");
        }
    }
}

TEST(frmViewerFiles, TheTurnOffQuestionComesOncePerRun)
{
    Files h;
    h.prompts.yesNoAnswers = {false, false};
    h.prompts.threeWayAnswers = {BoxAnswer::Cancel};
    h.v.StyledButton1_Click(0);
    h.v.StyledButton1_Click(0);
    EXPECT_EQ(h.kinds(), QStringList({"yesNo", "yesNoCancel", "yesNo"}));
}

TEST(frmViewerFiles, AfterADeletionTheNextFileIsShown)
{
    Files h;
    h.s.NoConfirmDelete = 1;
    h.v.StyledButton1_Click(0);
    EXPECT_EQ(h.listed(), QStringList({"a.bmp", "c.bmp"}));
    EXPECT_EQ(child<platform::FileListBox>(h.v, "File1")->FileName(), "c.bmp");
    EXPECT_EQ(h.v.frameCaption(), h.s.PicturePath + "/c.bmp");
    EXPECT_EQ(child<PictureBox>(h.v, "Image1")->picture().pixel(0, 0), 0xff0000ffu);
}

TEST(frmViewerFiles, DeletingTheLastFileLeavesNothingShown)
{
    Files h;
    h.s.NoConfirmDelete = 1;
    h.select("c.bmp");
    h.v.StyledButton1_Click(0);
    EXPECT_EQ(child<platform::FileListBox>(h.v, "File1")->ListIndex(), -1);
    EXPECT_EQ(h.v.frameCaption(), "");
    EXPECT_TRUE(child<PictureBox>(h.v, "Image1")->isEmpty());
    EXPECT_TRUE(child<PictureBox>(h.v, "picResult")->isEmpty());
    EXPECT_EQ(child<QLabel>(h.v, "lblPicSize")->text(), "");
    for (const char* name : {"cmsSave2", "CmdPrint", "cmdGray", "cmdSave", "cmdZoom"})
        EXPECT_FALSE(h.enabled(name)) << name;
}

TEST(frmViewerFiles, RenamingTheShownFileMovesItsCaptionAndProperties)
{
    Files h;
    h.prompts.inputAnswers = {"renamed.bmp"};
    h.v.StyledButton1_Click(1);
    const QString renamed = h.s.PicturePath + "/renamed.bmp";
    EXPECT_EQ(h.v.frameCaption(), renamed);
    EXPECT_EQ(child<platform::FileListBox>(h.v, "File1")->FileName(), "renamed.bmp");
    h.v.mnuProps_Click();
    ASSERT_FALSE(h.shell.propertiesShown.isEmpty());
    EXPECT_EQ(h.shell.propertiesShown.back(), renamed);
}

TEST(frmViewerFiles, DeleteAndRenameNeedASelection)
{
    Files h;
    child<platform::FileListBox>(h.v, "File1")->setListIndex(-1);
    h.v.StyledButton1_Click(0);
    h.v.StyledButton1_Click(1);
    ASSERT_EQ(h.prompts.boxes.size(), 2);
    for (const auto& b : h.prompts.boxes) {
        EXPECT_EQ(b.text, "Please select a file first");
        EXPECT_EQ(b.title, "Viewer");
    }
}

TEST(frmViewerFiles, AFailedDeletionSaysSoAndLeavesTheList)
{
    Files h;
    h.s.NoConfirmDelete = 1;
    QFile::remove(h.s.PicturePath + "/b.bmp");  // gone behind the list's back
    h.v.StyledButton1_Click(0);
    ASSERT_EQ(h.prompts.boxes.size(), 1);
    EXPECT_EQ(h.prompts.boxes[0].text, "Could not delete file.");
    EXPECT_EQ(h.prompts.boxes[0].title, "Delete error nr53");
    EXPECT_EQ(h.listed(), QStringList({"a.bmp", "b.bmp", "c.bmp"}));
    EXPECT_FALSE(child<PictureBox>(h.v, "Image1")->isEmpty());
}

TEST(frmViewerFiles, TheDeleteKeyNeverAsks)
{
    Files h;
    h.s.NoConfirmDelete = 0;
    QTest::keyClick(child<platform::FileListBox>(h.v, "File1"), Qt::Key_Delete);
    EXPECT_FALSE(h.has("b.bmp"));
    EXPECT_TRUE(h.prompts.boxes.isEmpty());
    EXPECT_EQ(child<platform::FileListBox>(h.v, "File1")->FileName(), "c.bmp");
    EXPECT_EQ(h.v.frameCaption(), h.s.PicturePath + "/c.bmp");

    child<platform::FileListBox>(h.v, "File1")->setListIndex(-1);
    h.v.File1_KeyUp(46, 0);  // nothing selected: nothing happens
    h.v.File1_KeyUp(45, 0);  // another key
    EXPECT_EQ(h.listed(), QStringList({"a.bmp", "c.bmp"}));
    EXPECT_TRUE(h.prompts.boxes.isEmpty());
}

TEST(frmViewerFiles, FileOperationsWorkInTheFolderTheListShows)
{
    Files h;
    const QString other = h.box.programFolder() + "/Other";
    QDir().mkpath(other);
    ViewerHarness::bmp(other, "b.bmp");
    child<platform::FileListBox>(h.v, "File1")->setPath(other);  // the folder list still shows the snapshots
    h.select("b.bmp");
    h.s.NoConfirmDelete = 1;
    h.v.StyledButton1_Click(0);
    EXPECT_FALSE(QFileInfo::exists(other + "/b.bmp"));
    EXPECT_TRUE(h.has("b.bmp"));
    h.v.StyledButton1_Click(5);
    ASSERT_EQ(h.shell.openedUrls.size(), 1);
    EXPECT_EQ(h.shell.openedUrls[0], QUrl::fromLocalFile(other));
}

TEST(frmViewerFiles, DeleteAllDeletesTheListedFilesOfTheKind)
{
    Files h;
    ViewerHarness::bmp(h.s.PicturePath, "d.JPG");
    ViewerHarness::bmp(h.s.PicturePath, "e.jpeg");
    ViewerHarness::file(h.s.PicturePath, "clip.avi");
    ViewerHarness::file(h.s.PicturePath, ".hidden.bmp");
    ViewerHarness::file(h.s.PicturePath, "notes.txt");
    QDir(h.s.PicturePath).mkdir("folder.jpg");
    child<platform::FileListBox>(h.v, "File1")->Refresh();
    h.select("a.bmp");
    h.prompts.yesNoAnswers = {true};
    h.v.StyledButton1_Click(2);
    ASSERT_EQ(h.prompts.boxes.size(), 1);
    EXPECT_EQ(h.prompts.boxes[0].text, "Are you sure to delete all picture files?");
    EXPECT_EQ(h.prompts.boxes[0].title, "Delete all");
    EXPECT_EQ(h.listed(), QStringList({"clip.avi", "e.jpeg"}));
    EXPECT_TRUE(h.has(".hidden.bmp"));
    EXPECT_TRUE(h.has("notes.txt"));
    EXPECT_TRUE(QFileInfo(h.s.PicturePath + "/folder.jpg").isDir());
    EXPECT_EQ(h.v.frameCaption(), "");
    EXPECT_TRUE(child<PictureBox>(h.v, "Image1")->isEmpty());
}

TEST(frmViewerFiles, DeleteAllMoviesWithoutVideosIsReportedAndNoDeletesNothing)
{
    Files h;
    ViewerHarness::file(h.s.PicturePath, "clip.AVI");
    child<platform::FileListBox>(h.v, "File1")->Refresh();
    h.select("clip.AVI");
    h.prompts.yesNoAnswers = {false};
    h.v.StyledButton1_Click(2);
    EXPECT_EQ(h.prompts.boxes[0].text, "Are you sure to delete all movie files?");
    EXPECT_EQ(h.listed().size(), 4);

    QFile::remove(h.s.PicturePath + "/clip.AVI");  // the list still shows it
    h.select("clip.AVI");
    h.prompts.yesNoAnswers = {true};
    h.v.StyledButton1_Click(2);
    ASSERT_EQ(h.prompts.boxes.size(), 3);
    EXPECT_EQ(h.prompts.boxes[2].text, "Could not delete all files.\nclip.AVI");
    EXPECT_EQ(h.prompts.boxes[2].title, "Delete error nr53");
    EXPECT_EQ(h.listed(), QStringList({"a.bmp", "b.bmp", "c.bmp"}));
}

TEST(frmViewerFiles, RenameAnswers)
{
    const struct {
        const char* reply;
        QStringList after;
        const char* text;  // the box shown after the input box, "" for none
        const char* title;
    } cases[] = {
        {"  new.jpg  ", {"a.bmp", "c.bmp", "new.jpg"}, "", ""},
        {"", {"a.bmp", "b.bmp", "c.bmp"}, "", ""},
        {"B.BMP", {"a.bmp", "b.bmp", "c.bmp"}, "", ""},
        {"holiday", {"a.bmp", "b.bmp", "c.bmp"}, "Please enter the filename with the extension (.jpg, .bmp, .avi)", ""},
        {"x.jpg.old", {"a.bmp", "c.bmp", "x.jpg.old"}, "", ""},
        {"c.bmp", {"a.bmp", "b.bmp", "c.bmp"},
         "File already exists. Could not rename file. Please choose another name.", "Rename error 58-0"},
        {"C.bmp", {"a.bmp", "C.bmp", "c.bmp"}, "", ""},  // another file here
        {"../b.bmp", {"a.bmp", "b.bmp", "c.bmp"}, "A file name cannot contain \"/\". Please choose another name.",
         "Rename"},
    };
    for (const auto& c : cases) {
        Files h;
        h.prompts.inputAnswers = {c.reply};
        h.v.StyledButton1_Click(1);
        ASSERT_GE(h.prompts.boxes.size(), 1);
        EXPECT_EQ(h.prompts.boxes[0].kind, "input");
        EXPECT_EQ(h.prompts.boxes[0].text, "Please enter the new filename (include .jpg, .bmp,...)");
        EXPECT_EQ(h.prompts.boxes[0].title, "Rename");
        EXPECT_EQ(h.prompts.boxes[0].defaultText, "b.bmp");
        QStringList after = QDir(h.s.PicturePath).entryList(QDir::Files);
        std::sort(after.begin(), after.end());
        QStringList want = c.after;
        std::sort(want.begin(), want.end());
        EXPECT_EQ(after, want) << c.reply;
        EXPECT_EQ(h.prompts.boxes.size(), *c.text ? 2 : 1) << c.reply;
        if (*c.text) {
            EXPECT_EQ(h.prompts.boxes[1].text, c.text);
            EXPECT_EQ(h.prompts.boxes[1].title, c.title);
        }
        EXPECT_FALSE(QFileInfo::exists(h.box.programFolder() + "/b.bmp"));
    }
}

TEST(frmViewerFiles, PropertiesFromTheFileManagerOrOurOwnDialog)
{
    Files h;
    h.v.StyledButton1_Click(3);
    EXPECT_EQ(h.shell.propertiesShown, QStringList({h.s.PicturePath + "/b.bmp"}));
    EXPECT_EQ(child<platform::FileListBox>(h.v, "File1")->FileName(), "b.bmp");
    EXPECT_EQ(h.v.findChild<QDialog*>("FileProperties"), nullptr);

    h.shell.propertiesResult = false;
    h.v.mnuProps_Click();
    auto* dialog = h.v.findChild<QDialog*>("FileProperties");
    ASSERT_NE(dialog, nullptr);
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_EQ(dialog->findChild<QLabel*>("property_Size")->text(), "822 bytes");
    EXPECT_EQ(dialog->findChild<QLabel*>("property_Picture size")->text(), "16 x 16");
}

TEST(frmViewerFiles, RefreshRereadsAndShowsTheFirstFile)
{
    Files h;
    ViewerHarness::bmp(h.s.PicturePath, "0new.bmp", 16, 16, 0xff123456);
    h.v.StyledButton1_Click(4);
    EXPECT_EQ(h.listed().first(), "0new.bmp");
    EXPECT_EQ(child<platform::FileListBox>(h.v, "File1")->ListIndex(), 0);
    EXPECT_EQ(h.v.frameCaption(), h.s.PicturePath + "/0new.bmp");

    ViewerHarness::bmp(h.s.PicturePath, "00newer.bmp");
    h.v.menurefresh_Click();
    EXPECT_EQ(child<platform::FileListBox>(h.v, "File1")->FileName(), "00newer.bmp");
}

TEST(frmViewerFiles, AnOperationFirstClosesAVideo)
{
    Files h;
    ViewerHarness::file(h.s.PicturePath, "clip.avi");
    child<platform::FileListBox>(h.v, "File1")->Refresh();
    h.select("clip.avi");
    ASSERT_TRUE(h.enabled("cmdMPstart"));
    h.v.StyledButton1_Click(4);
    EXPECT_FALSE(h.enabled("cmdMPstart"));
    EXPECT_FALSE(h.enabled("cmdMPstop"));
}

TEST(frmViewerFiles, FileListMenuFollowsTheSelection)
{
    const struct {
        const char* select;
        bool player, paint, irfan;
    } cases[] = {{"clip.AVI", true, false, true}, {"a.bmp", false, true, true}, {"", false, false, false}};
    for (const auto& c : cases) {
        Files h;
        ViewerHarness::file(h.s.PicturePath, "clip.AVI");
        child<QAction>(h.v, "mnuOpenIrfan")->setVisible(true);  // as when IrfanView was found
        child<platform::FileListBox>(h.v, "File1")->Refresh();
        h.select(c.select);
        h.v.File1_MouseDown(buttons::kMouseLeft, 0, 0, 0);
        EXPECT_EQ(child<QAction>(h.v, "mnuMediaPlayer")->isEnabled(), c.player) << c.select;
        EXPECT_EQ(child<QAction>(h.v, "mnuOpenPaint")->isEnabled(), c.paint) << c.select;
        EXPECT_EQ(child<QAction>(h.v, "mnuOpenIrfan")->isEnabled(), c.irfan) << c.select;
        EXPECT_FALSE(child<QMenu>(h.v, "menu")->isVisible());
    }
}

TEST(frmViewerFiles, TheRightButtonOpensThePopUpMenus)
{
    Files h;
    h.v.show();
    h.v.File1_MouseDown(buttons::kMouseRight, 0, 0, 0);
    EXPECT_TRUE(child<QMenu>(h.v, "menu")->isVisible());
    child<QMenu>(h.v, "menu")->hide();
    h.v.Image1_MouseDown(buttons::kMouseLeft, 0, 0, 0);
    EXPECT_FALSE(child<QMenu>(h.v, "menu2")->isVisible());
    h.v.Image1_MouseDown(buttons::kMouseRight, 0, 0, 0);
    EXPECT_TRUE(child<QMenu>(h.v, "menu2")->isVisible());
    child<QMenu>(h.v, "menu2")->hide();
    QStringList items;
    for (QAction* a : child<QMenu>(h.v, "menu2")->actions())
        items.append(a->isSeparator() ? "-" : a->text());
    EXPECT_EQ(items, QStringList({"Zoom On/Off", "-", "Copy", "-", "Open in MS-Paint...", "Open in IrfanView...",
                                  "Open in your editor...", "-", "Save...", "-", "Print..."}));
}
