#include "ClipFixture.h"
#include "core/MouseButtonCodes.h"
#include "ModalAnswer.h"
#include "PictureFixtures.h"
#include "PrinterFake.h"
#include "ViewerHarness.h"
#include "viewer/frmPrint.h"

#include <gtest/gtest.h>

#include <QRegularExpression>

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QTest>
#include <QTimer>

#include <functional>

namespace {


struct DialogSeen {
    QStringList proposed;
    QString folder;
    QString filter;
    QString title;
};

// The user types `path` in the save dialog and confirms; what the dialog was asked to
// show first lands in `seen`.
void answerSaveDialog(ViewerHarness& h, const QString& path, DialogSeen* seen = nullptr)
{
    h.saveAnswer = [=](SaveDialogArgs& args) {
        if (seen) {
            // The dialog shows the proposed name with its default extension.
            QString proposed = QDir(args.initialFolder).filePath(args.fileName);
            if (QFileInfo(proposed).suffix().isEmpty() && !args.defaultExtension.isEmpty())
                proposed += "." + args.defaultExtension;
            *seen = {{proposed}, args.initialFolder, FixFilter(ConvertDialogFilter(args.filter), args.filterIndex),
                     args.dialogTitle};
        }
        args.fileName = path;
        return DialogResult::Confirmed;
    };
}

// The viewer showing `name` of the snapshot folder.
struct Shown : ViewerHarness {
    explicit Shown(const QString& name, const QImage& picture)
    {
        picture.save(s.PicturePath + "/" + name);
        if (name.endsWith(".bmp"))
            platform::writeBmp24(picture, s.PicturePath + "/" + name);
        s.JPGQuality = 90;
        open();
        select(name);
    }
    QString temp() const { return box.programFolder() + "/temp.bmp"; }
};

QByteArray fileBytes(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

}  // namespace

TEST(frmViewerSave, SavingAnInvertedBitmapWritesExactlyTheInvertedBytes)
{
    Shown h("a.bmp", patternPicture(3, 2));  // 3 pixels: each row padded by 3 bytes
    const QByteArray original = fileBytes(h.s.PicturePath + "/a.bmp");
    emit child<StyledButton>(*h.v, "cmdInvert")->Click();
    const QString target = h.s.PicturePath + "/inverted.bmp";
    DialogSeen seen;
    answerSaveDialog(h, target, &seen);
    emit child<StyledButton>(*h.v, "cmsSave2")->MouseDown(buttons::kMouseLeft, 0, 0, 0);

    const QByteArray saved = fileBytes(target);
    ASSERT_EQ(saved.size(), original.size());
    EXPECT_EQ(saved.left(54), original.left(54));
    const int stride = 12;
    for (int i = 54; i < original.size(); ++i) {
        const bool padding = (i - 54) % stride >= 9;
        const char expected = padding ? char(0) : char(255 - uchar(original[i]));
        EXPECT_EQ(saved[i], expected) << "byte " << i;
    }
    EXPECT_EQ(seen.proposed.value(0), h.s.PicturePath + "/a.bmp");
    EXPECT_EQ(seen.title, "Save Picture");
    EXPECT_TRUE(seen.filter.startsWith("Bitmap Files")) << seen.filter.toStdString();
    EXPECT_TRUE(h.listed().contains("inverted.bmp"));  // the list shows the new file
    EXPECT_TRUE(h.prompts.boxes.isEmpty());
}

// The written format follows the name's extension, whatever was shown: no file's
// extension lies about its content.
TEST(frmViewerSave, TheFormatFollowsTheNameTypedNotTheShownFile)
{
    Shown h("b.jpg", uniformPicture(8, 8, qRgb(40, 80, 120)));
    const QString bmp = h.s.PicturePath + "/typed.bmp";
    DialogSeen seen;
    answerSaveDialog(h, bmp, &seen);
    emit child<StyledButton>(*h.v, "cmsSave2")->MouseDown(buttons::kMouseLeft, 0, 0, 0);
    EXPECT_TRUE(fileBytes(bmp).startsWith("BM"));
    EXPECT_TRUE(seen.filter.startsWith("JPG Picture Files")) << seen.filter.toStdString();

    Shown b("a.bmp", patternPicture(3, 2));
    const QString jpg = b.s.PicturePath + "/typed.jpg";
    answerSaveDialog(b, jpg);
    emit child<StyledButton>(*b.v, "cmsSave2")->MouseDown(buttons::kMouseLeft, 0, 0, 0);
    EXPECT_TRUE(fileBytes(jpg).startsWith("\xFF\xD8\xFF"));
}

// A name without an extension gets the filter's; when a file of that name exists
// the user is asked again, and No keeps it.
TEST(frmViewerSave, ANameThatGetsTheFiltersExtensionIsAskedAboutAgain)
{
    Shown h("a.bmp", patternPicture(3, 2));
    const QString existing = h.s.PicturePath + "/shot.bmp";
    QFile f(existing);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("old");
    f.close();
    answerSaveDialog(h, h.s.PicturePath + "/shot");
    h.prompts.yesNoAnswers = {false};
    emit child<StyledButton>(*h.v, "cmsSave2")->MouseDown(buttons::kMouseLeft, 0, 0, 0);
    ASSERT_EQ(h.prompts.boxes.size(), 1);
    EXPECT_EQ(h.prompts.boxes[0].kind, "yesNo");
    EXPECT_EQ(h.prompts.boxes[0].text, "shot.bmp already exists.\nDo you want to replace it?");
    EXPECT_EQ(fileBytes(existing), "old");
    EXPECT_FALSE(QFile::exists(h.s.PicturePath + "/shot"));

    h.prompts.yesNoAnswers = {true};
    emit child<StyledButton>(*h.v, "cmsSave2")->MouseDown(buttons::kMouseLeft, 0, 0, 0);
    EXPECT_TRUE(fileBytes(existing).startsWith("BM"));
}

TEST(frmViewerSave, AFailedSaveSaysSoWithItsNumber)
{
    Shown h("a.bmp", patternPicture(2, 2));
    answerSaveDialog(h, h.box.root() + "/missing/folder/x.bmp");
    emit child<StyledButton>(*h.v, "cmsSave2")->MouseDown(buttons::kMouseLeft, 0, 0, 0);
    ASSERT_EQ(h.prompts.boxes.size(), 1);
    EXPECT_EQ(h.prompts.boxes[0].text, "Problem saving pictureframe");
    EXPECT_EQ(h.prompts.boxes[0].title, "Tolvex - Error nr:75");
}

TEST(frmViewerSave, SaveAndTheHandOffsAskForAPictureFirst)
{
    ViewerHarness h;
    h.open();
    emit child<StyledButton>(*h.v, "cmdSave")->MouseDown(buttons::kMouseLeft, 0, 0, 0);
    h.v->StyledButton2_Click(0);
    h.v->StyledButton4_Click();
    emit child<StyledButton>(*h.v, "CmdPrint")->MouseDown(buttons::kMouseLeft, 0, 0, 0);
    EXPECT_EQ(h.prompts.texts(), QStringList(4, "Please select a picture first"));
    EXPECT_TRUE(h.shell.startedPrograms.isEmpty());
}

TEST(frmViewerSave, CopyingStopsARunningPreviewAndClosingStartsItAgain)
{
    Shown h("a.bmp", patternPicture(4, 3));
    h.link.previewRunning_ = h.link.stopEnabled_ = true;
    emit child<StyledButton>(*h.v, "cmdInvert")->Click();
    h.v->StyledButton2_Click(0);
    EXPECT_EQ(h.link.stopClicks, 1);
    EXPECT_TRUE(h.session.stoppedPreview);
    EXPECT_EQ(QGuiApplication::clipboard()->image().convertToFormat(QImage::Format_RGB32),
              child<PictureBox>(*h.v, "Image1")->picture().convertToFormat(QImage::Format_RGB32));
    h.v->close();
    EXPECT_EQ(h.link.startClicks, 1);
}

TEST(frmViewerSave, CopyingWithoutAPreviewLeavesTheMainWindowAlone)
{
    Shown h("a.bmp", patternPicture(4, 3));
    h.v->StyledButton2_Click(0);
    h.v->close();
    EXPECT_EQ(h.link.stopClicks, 0);
    EXPECT_EQ(h.link.startClicks, 0);
}

TEST(frmViewerSave, PaintAndTheEditorGetThePictureWithItsEffectsAsOneArgument)
{
    Shown h("a.bmp", patternPicture(5, 4));
    h.v.reset();
    h.findProgram = [](const QString& name) { return name == "kolourpaint" ? "/opt/kde/bin/kolourpaint" : ""; };
    h.s.PictureEditor = "/opt/my tools/edit pic";
    h.open();
    h.select("a.bmp");
    emit child<StyledButton>(*h.v, "cmdInvert")->Click();
    const QImage shown = child<PictureBox>(*h.v, "Image1")->picture().convertToFormat(QImage::Format_RGB32);

    h.v->StyledButton2_Click(1);
    ASSERT_EQ(h.shell.startedPrograms.size(), 1);
    const auto paint = h.shell.startedPrograms[0];
    EXPECT_EQ(paint.program, "/opt/kde/bin/kolourpaint");
    EXPECT_EQ(paint.arguments, QStringList{h.temp()});
    EXPECT_EQ(paint.workingFolder, "/opt/kde/bin");
    EXPECT_EQ(platform::readBmp24(h.temp()).convertToFormat(QImage::Format_RGB32), shown);

    h.v->StyledButton4_Click();
    ASSERT_EQ(h.shell.startedPrograms.size(), 2);
    const auto editor = h.shell.startedPrograms[1];
    EXPECT_EQ(editor.program, "/opt/my tools/edit pic");
    EXPECT_EQ(editor.arguments, QStringList{h.temp()});
    EXPECT_EQ(editor.workingFolder, "/opt/my tools");
    EXPECT_EQ(platform::readBmp24(h.temp()).convertToFormat(QImage::Format_RGB32), shown);
    EXPECT_TRUE(h.prompts.boxes.isEmpty());

    h.v->close();
    EXPECT_FALSE(QFile::exists(h.temp()));
}

TEST(frmViewerSave, NoPaintProgramOrEditorSaysSo)
{
    Shown h("a.bmp", patternPicture(2, 2));
    h.v->StyledButton2_Click(1);
    h.v->StyledButton4_Click();  // no editor set
    h.s.PictureEditor = "/opt/gone/editor";
    h.shell.result = false;  // it does not start
    h.v->StyledButton4_Click();
    ASSERT_EQ(h.prompts.boxes.size(), 3);
    EXPECT_EQ(h.prompts.boxes[0].text,
              "Could not find MS-PAINT (MSPAINT.EXE or PBRUSH.EXE)!\n"
              "Please install Microsoft Paint using Add/Remove programs -> Windows Setup.");
    EXPECT_EQ(h.prompts.boxes[0].title, "Edit AutoLoad Picture");
    EXPECT_EQ(h.prompts.boxes[0].icon, BoxIcon::Exclamation);
    for (int i : {1, 2}) {
        EXPECT_EQ(h.prompts.boxes[i].text, "No Picture Editor defined yet (Use Setup-button in main window).");
        EXPECT_EQ(h.prompts.boxes[i].title, "User Defined Picture Editor");
    }
}

TEST(frmViewerSave, TheCompanionToolGetsTheFolder)
{
    Shown h("a.bmp", patternPicture(2, 2));
    emit child<StyledButton>(*h.v, "cmdZarn")->MouseDown(buttons::kMouseLeft, 0, 0, 0);
    ASSERT_EQ(h.shell.startedPrograms.size(), 1);
    EXPECT_EQ(h.shell.startedPrograms[0].program, h.box.programFolder() + "/zarn");
    EXPECT_EQ(h.shell.startedPrograms[0].arguments, QStringList{h.s.PicturePath});
    EXPECT_EQ(h.shell.startedPrograms[0].workingFolder, h.box.programFolder());
}

TEST(frmViewerSave, PrintHandsTheShownPictureToThePrintWindow)
{
    Shown h("a.bmp", patternPicture(6, 5));
    emit child<StyledButton>(*h.v, "cmdInvert")->Click();
    const QString handOver = h.box.programFolder() + "/tempbufprint1.bmp";
    QImage handed;
    QString title;
    answerNextModal([&](QWidget* w) {
        title = w->windowTitle();
        handed = platform::readBmp24(handOver);
        w->close();
    });
    emit child<StyledButton>(*h.v, "CmdPrint")->MouseDown(buttons::kMouseLeft, 0, 0, 0);
    EXPECT_EQ(title, "Print Preview");
    EXPECT_EQ(handed.convertToFormat(QImage::Format_RGB32),
              child<PictureBox>(*h.v, "Image1")->picture().convertToFormat(QImage::Format_RGB32));
    EXPECT_FALSE(QFile::exists(handOver));  // the print window deletes it
}

TEST(frmViewerSave, AHandOffFileThatCannotBeWrittenHandsNothingOn)
{
    Shown h("a.bmp", patternPicture(2, 2));
    h.v.reset();
    h.findProgram = [](const QString& name) { return "/usr/bin/" + name; };
    h.s.PictureEditor = "/usr/bin/editor";
    h.open();
    h.select("a.bmp");
    QDir().mkpath(h.temp());  // a folder where the picture goes
    QDir().mkpath(h.box.programFolder() + "/tempbufprint1.bmp");
    h.v->StyledButton2_Click(1);
    h.v->StyledButton4_Click();
    // No print window opens: the test would hang.
    emit child<StyledButton>(*h.v, "CmdPrint")->MouseDown(buttons::kMouseLeft, 0, 0, 0);
    EXPECT_TRUE(h.shell.startedPrograms.isEmpty());
    EXPECT_EQ(h.prompts.texts(), QStringList(3, "Problem saving pictureframe"));
    EXPECT_EQ(h.prompts.boxes[0].title, "Tolvex - Error nr:75");
}

TEST(frmViewerSave, AVideoFrameIsProposedInTheProgramFolderAndWrittenAsItsNameSays)
{
    Shown h("a.bmp", patternPicture(8, 6));
    ASSERT_TRUE(writeClip(h.s.PicturePath + "/m.AVI", ClipSpec{}));
    h.files()->Refresh();
    h.select("m.AVI");
    ASSERT_EQ(h.v->frameCaption(), h.s.PicturePath + "/m.AVI");
    h.v->cmdMPstart_MouseUp(buttons::kMouseLeft, 0, 0, 0);
    h.clock = 2000;
    h.player.advance();
    const QString target = h.box.programFolder() + "/frame.bmp";
    DialogSeen seen;
    answerSaveDialog(h, target, &seen);
    emit child<StyledButton>(*h.v, "cmsSave2")->MouseDown(buttons::kMouseLeft, 0, 0, 0);
    // The proposal numbers the player's frame on screen.
    EXPECT_TRUE(QRegularExpression("^VideoFrame[0-9]+\\.bmp$").match(QFileInfo(seen.proposed.value(0)).fileName()).hasMatch())
        << qPrintable(seen.proposed.value(0));
    EXPECT_EQ(seen.folder, h.box.programFolder());
    EXPECT_TRUE(fileBytes(target).startsWith("BM")) << h.prompts.texts().join("|").toStdString()
                                                     << fileBytes(target).size();
    // The clip's frame (grey 160 at two seconds), not the picture shown before it.
    const QImage written(target);
    ASSERT_FALSE(written.isNull());
    EXPECT_EQ(written.size(), child<PictureBox>(*h.v, "PicMovie")->size());
    EXPECT_NEAR(greyAtCentre(written), 160, 3);
}
