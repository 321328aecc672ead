#include "Children.h"
#include "MainWindowHarness.h"
#include "core/MouseButtonCodes.h"
#include "ModalAnswer.h"
#include "PromptsFake.h"
#include "buttons/StyledButton.h"
#include "capture/SaveAs.h"
#include "platform/files/BmpFile.h"
#include "platform/shell/ShellDesktop.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QFile>
#include <QGuiApplication>
#include <QImageReader>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>

namespace {

using DialogAnswer = std::function<DialogResult(SaveDialogArgs&)>;

// The user picks `path` with filter number `filter` (0: the one the dialog opened with).
DialogAnswer choose(const QString& path, int32_t filter = 0)
{
    return [=](SaveDialogArgs& a) {
        a.fileName = path;
        if (filter > 0)
            a.filterIndex = filter;
        return DialogResult::Confirmed;
    };
}

DialogResult cancel(SaveDialogArgs& a)
{
    a.fileName = a.fileTitle = a.filter = QString(QChar(0));
    a.filterIndex = 0;
    return DialogResult::Cancelled;
}

struct SaveAsWindow : ::testing::Test, MainWindowHarness {
    PromptsFake prompts;
    QList<SaveDialogArgs> offered;
    DialogAnswer answer = cancel;
    QString pictures;

    frmMain& previewing()
    {
        qputenv("TOLVEX_SYNTH_CONNECT_FAIL", "0");
        capture->reloadSettings();
        frmMain& m = start();
        m.setPrompts(prompts);
        m.setSaveDialog([this](SaveDialogArgs& a) {
            offered.append(a);
            return answer(a);
        });
        m.show();
        m.cmdStart_Click();
        pictures = box.root() + "/my pictures";
        QDir().mkpath(pictures);
        return m;
    }

    QSize frameSize() const { return child<PreviewImage>(*w, "Image4")->image().size(); }
};

}  // namespace

TEST_F(SaveAsWindow, FirstSaveProposesTheNextFreeNameAndShotWithFilterOneIsABitmap)
{
    frmMain& m = previewing();
    s.SaveBitmapType = 0;
    s.SaveAsPath = pictures;
    QFile(pictures + "/MyImage-01.jpg").open(QIODevice::WriteOnly);
    answer = choose(pictures + "/shot", kFilterBmpTrueSize);
    QTest::mouseClick(child<StyledButton>(m, "cmdSaveAs"), Qt::LeftButton);

    ASSERT_EQ(offered.size(), 1);
    EXPECT_EQ(offered[0].fileName, pictures + "/MyImage-02.jpg");
    EXPECT_EQ(offered[0].filterIndex, kFilterJpgTrueSize);
    EXPECT_EQ(offered[0].initialFolder, pictures);
    EXPECT_EQ(offered[0].dialogTitle, "Save Single Frame as Picture");
    EXPECT_EQ(offered[0].owner, &m);
    EXPECT_TRUE(offered[0].overwritePrompt);
    EXPECT_EQ(platform::readBmp24(pictures + "/shot.bmp").size(), frameSize());
    EXPECT_FALSE(QFile::exists(pictures + "/shot.jpg"));
    EXPECT_TRUE(prompts.boxes.isEmpty());
    EXPECT_TRUE(m.workPicture().isNull()) << "the work picture is cleared after a save";

    // The next dialog remembers the filter and the kind of file.
    answer = cancel;
    m.cmdSaveAs_Click();
    ASSERT_EQ(offered.size(), 2);
    EXPECT_EQ(offered[1].filterIndex, kFilterBmpTrueSize);
    EXPECT_EQ(offered[1].defaultExtension, "bmp");
    EXPECT_EQ(offered[1].fileName, pictures + "/MyImage-01.bmp");
}

TEST_F(SaveAsWindow, ShownOrTrueSizeBySaveAsScreenSizeAndFitStretch)
{
    frmMain& m = previewing();
    s.SaveAsPath = pictures;
    s.SaveBitmapType = 0;
    const QSize shown(500, 410);
    const struct {
        int16_t screenSize;
        bool fitStretch;
        const char* typed;
        int32_t filter;  // 0: the one offered
        int32_t offeredFilter;
        const char* written;
        bool shownSize;
    } rows[] = {
        {2, true, "wide", 0, kFilterJpgScaled, "wide.jpg", true},
        {2, false, "narrow", 0, kFilterJpgScaled, "narrow.jpg", false},
        {1, true, "true", 0, kFilterJpgTrueSize, "true.jpg", false},
        // The user's choice of filter counts, whatever the dialog opened with; the
        // name typed is the file written.
        {1, true, "shot.jpg", kFilterBmpScaled, kFilterJpgTrueSize, "shot.jpg", true},
        {1, true, "scaled", kFilterBmpScaled, kFilterBmpTrueSize, "scaled.bmp", true},
    };
    for (const auto& r : rows) {
        s.SaveAsScreenSize = r.screenSize;
        child<StyledButton>(m, "Check1")->setValue(r.fitStretch);
        child<PreviewImage>(m, "Image4")->resize(shown);
        offered.clear();
        answer = choose(pictures + "/" + r.typed, r.filter);
        m.cmdSaveAs_Click();
        ASSERT_EQ(offered.size(), 1);
        EXPECT_EQ(offered[0].filterIndex, r.offeredFilter) << r.typed;
        const QImage written = QImageReader(pictures + "/" + r.written).read();
        EXPECT_EQ(written.size(), r.shownSize ? shown : frameSize()) << r.typed;
    }
    EXPECT_TRUE(prompts.boxes.isEmpty());
}

TEST_F(SaveAsWindow, ASaveRunningInTheYieldDoesNotChangeThePictureWritten)
{
    frmMain& m = previewing();
    s.SaveAsPath = pictures;
    s.SaveAsScreenSize = 2;
    child<StyledButton>(m, "Check1")->setValue(true);
    child<PreviewImage>(m, "Image4")->resize(500, 410);
    answer = [&](SaveDialogArgs& a) {
        // A snapshot saved meanwhile refills the work picture at the frame's size.
        QTimer::singleShot(0, &m, [&m] { m.cmdSnapShot_Click(); });
        return choose(pictures + "/wide.jpg")(a);
    };
    m.cmdSaveAs_Click();
    EXPECT_EQ(QDir(s.PicturePath).entryList(QDir::Files).size(), 1) << "the snapshot ran in the yield";
    EXPECT_EQ(QImageReader(pictures + "/wide.jpg").read().size(), QSize(500, 410));
}

TEST_F(SaveAsWindow, AnUnwritableTargetShowsTheErrorBoxAndRemembersNothing)
{
    frmMain& m = previewing();
    s.SaveAsPath.clear();
    s.SaveBitmapType = 0;
    const QString plainFile = box.root() + "/plain";
    QFile(plainFile).open(QIODevice::WriteOnly);
    answer = choose(plainFile + "/shot.jpg", kFilterBmpScaled);
    m.cmdSaveAs_Click();

    ASSERT_EQ(prompts.boxes.size(), 1);
    EXPECT_EQ(prompts.boxes[0].kind, "message");
    EXPECT_EQ(prompts.boxes[0].text, "Problem saving pictureframe");
    EXPECT_EQ(prompts.boxes[0].title, QGuiApplication::applicationDisplayName() + " - Error nr:76");
    EXPECT_EQ(prompts.boxes[0].icon, BoxIcon::Information);
    EXPECT_FALSE(QFile::exists(plainFile + "/shot.bmp"));

    answer = cancel;
    m.cmdSaveAs_Click();
    ASSERT_EQ(offered.size(), 2);
    EXPECT_EQ(offered[1].filterIndex, kFilterJpgTrueSize);
    EXPECT_EQ(offered[1].defaultExtension, "jpg");
    EXPECT_EQ(offered[1].initialFolder, s.AppPath);
}

// The dialog asked about the name it handed back; when the rules add an extension
// and a file of the new name exists, the user is asked again, and No keeps it.
TEST_F(SaveAsWindow, ANameTheRulesChangeIsAskedAboutAgainBeforeReplacing)
{
    frmMain& m = previewing();
    s.SaveAsPath = pictures;
    const QString existing = pictures + "/shot.bmp";
    QFile f(existing);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("yesterday's picture");
    f.close();
    answer = choose(pictures + "/shot", kFilterBmpTrueSize);
    prompts.yesNoAnswers = {false};
    m.cmdSaveAs_Click();
    ASSERT_EQ(prompts.boxes.size(), 1);
    EXPECT_EQ(prompts.boxes[0].kind, "yesNo");
    EXPECT_EQ(prompts.boxes[0].text, "shot.bmp already exists.\nDo you want to replace it?");
    QFile kept(existing);
    ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
    EXPECT_EQ(kept.readAll(), "yesterday's picture");
    kept.close();
    EXPECT_EQ(QDir(pictures).entryList(QDir::Files), QStringList{"shot.bmp"});

    prompts.yesNoAnswers = {true};
    m.cmdSaveAs_Click();
    EXPECT_EQ(platform::readBmp24(existing).size(), frameSize());

    // A name the dialog handed back as it is was asked about there: no second question.
    prompts.boxes.clear();
    answer = choose(existing, kFilterJpgTrueSize);
    m.cmdSaveAs_Click();
    EXPECT_TRUE(prompts.boxes.isEmpty());
    EXPECT_EQ(platform::readBmp24(existing).size(), frameSize()) << "a .bmp name is written as a bitmap";
}

TEST_F(SaveAsWindow, CancelWritesNothingButFillsTheWorkPicture)
{
    frmMain& m = previewing();
    s.SaveAsPath = pictures;
    s.SaveAsScreenSize = 2;
    child<StyledButton>(m, "Check1")->setValue(true);
    child<PreviewImage>(m, "Image4")->resize(500, 410);
    answer = cancel;
    m.mnuOptionss_Click(frmMain::kMenuSavePictureNow);  // "&Save Picture Now" opens the dialog
    ASSERT_EQ(offered.size(), 1);
    EXPECT_TRUE(QDir(pictures).entryList(QDir::Files).isEmpty());
    EXPECT_TRUE(prompts.boxes.isEmpty());
    EXPECT_EQ(m.workPicture().size(), frameSize()) << "a cancelled dialog hands back no scaled filter";
}

TEST_F(SaveAsWindow, TypingShotInTheDesktopDialogWithTheFirstFilterWritesShotBmp)
{
    frmMain& m = previewing();
    m.setSaveDialog(ShowSaveDialog);
    s.SaveAsPath = pictures;
    s.SaveBitmapType = 0;
    QString proposed, title;
    answerNextModal([&](QWidget* w) {
        auto* d = qobject_cast<QFileDialog*>(w);
        ASSERT_TRUE(d);
        title = d->windowTitle();
        proposed = d->selectedFiles().value(0);
        d->selectNameFilter(d->nameFilters().at(0));
        d->selectFile("shot");
        static_cast<QDialog*>(d)->accept();
    });
    m.cmdSaveAs_Click();
    EXPECT_EQ(title, "Save Single Frame as Picture");
    EXPECT_EQ(proposed, pictures + "/MyImage-01.jpg");
    EXPECT_EQ(platform::readBmp24(pictures + "/shot.bmp").size(), frameSize());
    EXPECT_EQ(QDir(pictures).entryList(QDir::Files), QStringList{"shot.bmp"});
    EXPECT_TRUE(prompts.boxes.isEmpty());
}

namespace {

struct ViewerHandOffTest : SaveAsWindow {
    QString viewerFolder;

    // A viewer that notes how many arguments it got, the first one and its current
    // folder, and copies the file it is handed.
    QString writeViewerScript()
    {
        viewerFolder = box.root() + "/picture viewer";
        QDir().mkpath(viewerFolder);
        const QString script = viewerFolder + "/show it";
        QFile f(script);
        f.open(QIODevice::WriteOnly);
        f.write("#!/bin/sh\n"
                "out=\"$(dirname \"$0\")\"\n"
                "cp \"$1\" \"$out/copy.bmp\"\n"
                "{ echo \"$#\"; printf '%s\\n' \"$1\"; pwd; } > \"$out/seen.part\"\n"
                "mv \"$out/seen.part\" \"$out/seen\"\n");
        f.close();
        f.setPermissions(f.permissions() | QFileDevice::ExeOwner);
        return script;
    }
};

QByteArray contentOf(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

}  // namespace

TEST_F(ViewerHandOffTest, AnOutsideViewerGetsTheFrameAsOneArgumentThroughTheDesktop)
{
    DesktopShell desktop;
    qputenv("TOLVEX_SYNTH_CONNECT_FAIL", "0");
    capture->reloadSettings();
    frmMain m(s, MainServices{registry, *capture, sound, desktop});
    m.setEndProcess([] {});
    m.setSleep([](int) {});
    m.Form_Load();
    m.show();
    m.cmdStart_Click();
    s.AppPath = box.root() + "/my program";
    QDir().mkpath(s.AppPath);
    s.PictureViewer = writeViewerScript();

    QTest::mouseClick(child<StyledButton>(m, "cmdViewer"), Qt::LeftButton);
    const QString seen = viewerFolder + "/seen";
    ASSERT_TRUE(QTest::qWaitFor([&] { return QFile::exists(seen); }, 10000));
    const QString temp = s.AppPath + "/temp.bmp";
    EXPECT_EQ(QString::fromUtf8(contentOf(seen)), "1\n" + temp + "\n" + viewerFolder + "\n");
    EXPECT_EQ(contentOf(viewerFolder + "/copy.bmp"), contentOf(temp));
    EXPECT_EQ(platform::readBmp24(temp).size(), child<PreviewImage>(m, "Image4")->image().size());
    EXPECT_TRUE(child<QTimer>(m, "tmrMain")->isActive()) << "an outside viewer leaves the preview running";

    m.Form_Unload();
    EXPECT_FALSE(QFile::exists(temp)) << "the program's end removes the frame it handed out";
}

TEST_F(ViewerHandOffTest, TheHandedFrameStaysUntilTheNextHandOffUnlessTheViewerCannotStart)
{
    frmMain& m = previewing();
    s.PictureViewer = "/opt/picture viewer/view";
    const QString temp = s.AppPath + "/temp.bmp";
    QTest::mouseClick(child<StyledButton>(m, "cmdViewer"), Qt::RightButton);  // any mouse button
    ASSERT_EQ(shell.startedPrograms.size(), 1);
    EXPECT_EQ(shell.startedPrograms[0].program, "/opt/picture viewer/view");
    EXPECT_EQ(shell.startedPrograms[0].arguments, QStringList{temp});
    EXPECT_EQ(shell.startedPrograms[0].workingFolder, "/opt/picture viewer/");
    EXPECT_TRUE(QFile::exists(temp));

    shell.result = false;
    m.cmdViewer_MouseDown(buttons::kMouseLeft, 0, 0, 0);
    EXPECT_EQ(shell.startedPrograms.size(), 2);
    EXPECT_FALSE(QFile::exists(temp)) << "no viewer will open it";
    EXPECT_TRUE(prompts.boxes.isEmpty());
}

TEST_F(ViewerHandOffTest, TheBuiltInViewerGetsTheFrameAndTheModesFolderWithThePreviewPaused)
{
    frmMain& m = previewing();
    s.SaveBitmapType = 0;
    s.StayOnTop = 1;
    m.SetAlwaysOnTop(true);
    m.selectSaveOption(1);
    struct Opening {
        ViewerHandOff handOff;
        int folder;
        bool pumping;
        bool onTop;
    };
    QList<Opening> openings;
    m.setOpeners(WindowOpeners{.openViewer = [&](const ViewerHandOff& h) {
        openings.append({h, m.viewerFolderIndex(), child<QTimer>(m, "tmrMain")->isActive(),
                         m.windowFlags().testFlag(Qt::WindowStaysOnTopHint)});
    }});
    QTest::mouseClick(child<StyledButton>(m, "cmdViewer"), Qt::LeftButton);
    m.cmdViewer_MouseDown(buttons::kMouseRight, 0, 0, 0);

    ASSERT_EQ(openings.size(), 2);
    EXPECT_EQ(openings[0].handOff.snapshotCaption, "Snapshot1.jpg");
    EXPECT_EQ(openings[1].handOff.snapshotCaption, "Snapshot2.jpg");
    EXPECT_EQ(openings[0].handOff.snapshot.size(), child<PreviewImage>(m, "Image4")->image().size());
    EXPECT_EQ(openings[0].folder, 1);
    EXPECT_FALSE(openings[0].pumping);
    EXPECT_FALSE(openings[0].onTop) << "the viewer is not hidden behind the main window";
    EXPECT_TRUE(m.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_TRUE(child<QTimer>(m, "tmrMain")->isActive()) << "the preview runs on after the viewer closed";
    EXPECT_TRUE(shell.startedPrograms.isEmpty());
}

TEST_F(ViewerHandOffTest, WithoutAFrameTheViewerOpensOnTheLastCaptureFolderAndNoOutsideViewerStarts)
{
    frmMain& m = start();
    m.setViewerFolderIndex(2);
    QList<ViewerHandOff> handOffs;
    m.setOpeners(WindowOpeners{.openViewer = [&](const ViewerHandOff& h) { handOffs.append(h); }});
    m.cmdViewer_MouseDown(buttons::kMouseLeft, 0, 0, 0);
    ASSERT_EQ(handOffs.size(), 1);
    EXPECT_TRUE(handOffs[0].snapshot.isNull());
    EXPECT_EQ(m.viewerFolderIndex(), 2);
    EXPECT_FALSE(child<QTimer>(m, "tmrMain")->isActive());

    // An outside viewer is not started on a frame that does not exist.
    s.PictureViewer = "/opt/view";
    m.cmdViewer_MouseDown(buttons::kMouseLeft, 0, 0, 0);
    EXPECT_TRUE(shell.startedPrograms.isEmpty());
    EXPECT_FALSE(QFile::exists(s.AppPath + "/temp.bmp"));
}

TEST_F(SaveAsWindow, TheDesktopDialogShowsTheFilterTextsOnceAndKeepsTheChosenFilter)
{
    frmMain& m = previewing();
    m.setSaveDialog(ShowSaveDialog);
    s.SaveAsPath = pictures;
    s.SaveBitmapType = 0;
    QStringList shown;
    QString current;
    answerNextModal([&](QWidget* w) {
        auto* d = qobject_cast<QFileDialog*>(w);
        ASSERT_TRUE(d);
        auto* types = d->findChild<QComboBox*>("fileTypeCombo");
        ASSERT_TRUE(types);
        for (int i = 0; i < types->count(); ++i)
            shown << types->itemText(i);
        current = types->currentText();
        types->setCurrentIndex(1);  // "Bitmap Files 'Scaled Size' (*.bmp)", by the list as a user picks it
        d->selectFile("scaled");
        static_cast<QDialog*>(d)->accept();
    });
    m.cmdSaveAs_Click();
    EXPECT_EQ(shown, QStringList({"Bitmap Files 'True Size' (*.bmp)", "Bitmap Files 'Scaled Size' (*.bmp)",
                                  "JPG Picture Files 'True Size' (*.jpg)", "JPG Picture Files 'Scaled Size' (*.jpg)"}));
    EXPECT_EQ(current, "JPG Picture Files 'True Size' (*.jpg)");
    EXPECT_EQ(QDir(pictures).entryList(QDir::Files), QStringList{"scaled.bmp"}) << "filter 2 gives a bitmap";
}
