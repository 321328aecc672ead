#include "ViewerHarness.h"
#include "core/MouseButtonCodes.h"

#include <gtest/gtest.h>

#include <QFileInfo>
#include <QCoreApplication>
#include <QMouseEvent>

#include "settings/Module1Files.h"
#include <QPushButton>
#include <QTimer>

TEST(frmViewerBrowse, OpensOnTheSnapshotsWithTheirPictures)
{
    ViewerHarness h;
    ViewerHarness::bmp(h.s.PicturePath, "b.BMP");
    ViewerHarness::bmp(h.s.PicturePath, "a.jpg");
    ViewerHarness::file(h.s.PicturePath, ".hidden.jpg");
    ViewerHarness::file(h.s.PicturePath, "notes.txt");
    QDir(h.s.PicturePath).mkdir("folder.jpg");
    frmViewer& v = h.open();
    EXPECT_EQ(v.windowTitle(), "Viewer/Editor");
    EXPECT_EQ(v.width(), 760);  // 11400 twips
    EXPECT_EQ(child<platform::DirListBox>(v, "Dir1")->Path(), h.s.PicturePath);
    EXPECT_EQ(h.listed(), QStringList({"a.jpg", "b.BMP"}));
    EXPECT_EQ(child<FrmBlend>(v, "FrmBlend")->folder(), h.s.PicturePath);
    EXPECT_EQ(v.frameCaption(), "View");
    EXPECT_TRUE(child<StyledButton>(v, "cmdSlide")->Enabled() || h.files()->ListCount() > 0);
    EXPECT_FALSE(child<StyledButton>(v, "cmdIrfan")->isVisibleTo(&v));
    EXPECT_TRUE(child<StyledButton>(v, "cmdContrast")->isVisibleTo(&v));
    EXPECT_TRUE(child<StyledButton>(v, "opt_folders_4")->isVisibleTo(&v));
    EXPECT_FALSE(h.enabled("StyledButton4"));  // no editor chosen
}

TEST(frmViewerBrowse, EmptyFolderDisablesTheSlideShowAndEditorsGetTheirCaption)
{
    ViewerHarness h;
    h.s.PictureEditor = "/usr/bin/gimp";
    h.s.IrfanViewPath = "/opt/irfan/i_view32";
    frmViewer& v = h.open();
    EXPECT_FALSE(child<StyledButton>(v, "cmdSlide")->Enabled());
    EXPECT_EQ(child<StyledButton>(v, "StyledButton4")->Caption(), "User Editor gimp");
    EXPECT_TRUE(child<StyledButton>(v, "cmdIrfan")->isVisibleTo(&v));
    EXPECT_TRUE(child<QAction>(v, "mnuOpenIrfan")->isVisible());
}

TEST(frmViewerBrowse, SaveModeSelectsTheFolderButtons)
{
    const struct {
        int saveMode, motionRecordMode;
        int folderIndex;
        QList<int> selected;
    } cases[] = {
        {0, 0, 0, {}}, {1, 0, 1, {1}}, {2, 0, 3, {3}}, {3, 0, 2, {2}}, {3, 1, 4, {4}},
    };
    for (const auto& c : cases) {
        ViewerHarness h;
        h.s.SaveMode = static_cast<int16_t>(c.saveMode);
        h.s.MotionRecordMode = static_cast<int16_t>(c.motionRecordMode);
        frmViewer& v = h.open();
        QList<int> selected;
        for (int i = 0; i < 5; ++i)
            if (child<StyledButton>(v, "opt_folders_" + QString::number(i))->Value())
                selected.append(i);
        EXPECT_EQ(selected, c.selected) << c.saveMode;
        EXPECT_EQ(h.link.viewerFolderIndex_, c.folderIndex) << c.saveMode;
    }
}

TEST(frmViewerBrowse, FolderButtonsSwitchTheListsAndTheVideoFoldersTheirButtons)
{
    ViewerHarness h;
    ViewerHarness::file(h.s.VideoPath, "clip.AVI");
    ViewerHarness::bmp(h.s.MotionPicsPath, "m.bmp");
    frmViewer& v = h.open();
    auto* position = v.findChild<QTimer*>("tmrPosition");

    v.selectFolderButton(2);
    EXPECT_EQ(child<platform::DirListBox>(v, "Dir1")->Path(), h.s.VideoPath);
    EXPECT_EQ(h.listed(), QStringList({"clip.AVI"}));
    EXPECT_FALSE(child<StyledButton>(v, "cmdSlide")->Enabled());
    EXPECT_FALSE(child<StyledButton>(v, "cmdSave")->Enabled());
    EXPECT_TRUE(position->isActive());
    EXPECT_EQ(h.link.viewerFolderIndex_, 2);
    EXPECT_TRUE(child<StyledButton>(v, "opt_folders_2")->Value());

    v.opt_folders_MouseDown(3, buttons::kMouseLeft, 0, 0, 0);
    EXPECT_EQ(child<platform::FileListBox>(v, "File1")->Path(), h.s.MotionPicsPath);
    EXPECT_EQ(child<FrmBlend>(v, "FrmBlend")->folder(), h.s.MotionPicsPath);
    EXPECT_FALSE(position->isActive());
    EXPECT_EQ(h.link.viewerFolderIndex_, 3);
}

TEST(frmViewerBrowse, FolderFailuresInformThenAskThenInformAgain)
{
    ViewerHarness h;
    ViewerHarness::bmp(h.s.PicturePath, "keep.bmp");
    h.s.AutoSavePath = h.box.programFolder() + "/gone";
    frmViewer& v = h.open();
    const QString title = "Could not access folder, err:76";

    v.opt_folders_MouseDown(1, buttons::kMouseLeft, 0, 0, 0);
    v.opt_folders_MouseDown(1, buttons::kMouseLeft, 0, 0, 0);  // answered No
    v.opt_folders_MouseDown(1, buttons::kMouseLeft, 0, 0, 0);
    ASSERT_EQ(h.prompts.boxes.size(), 3);
    EXPECT_EQ(h.prompts.boxes[0].kind, "message");
    EXPECT_EQ(h.prompts.boxes[0].icon, BoxIcon::Information);
    // The folder as the user reads its button, without the access-key marker.
    EXPECT_TRUE(h.prompts.boxes[0].text.startsWith("Could not change to the AutoSave. Please define"));
    EXPECT_EQ(h.prompts.boxes[1].kind, "yesNo");
    EXPECT_EQ(h.prompts.boxes[1].text, "Could not change to the AutoSave\nDo you want me to try to fix the problem?");
    EXPECT_EQ(h.prompts.boxes[2].kind, "message");
    for (const auto& b : h.prompts.boxes)
        EXPECT_EQ(b.title, title);
    // The lists stay where they were.
    EXPECT_EQ(child<platform::DirListBox>(v, "Dir1")->Path(), h.s.PicturePath);
    EXPECT_EQ(h.listed(), QStringList({"keep.bmp"}));
    EXPECT_EQ(h.link.opmaakCalls, 0);
}

TEST(frmViewerBrowse, TheFailureCountOutlivesTheWindow)
{
    ViewerHarness h;
    h.s.AutoSavePath = h.box.programFolder() + "/gone";
    h.open().opt_folders_MouseDown(1, buttons::kMouseLeft, 0, 0, 0);
    h.open().opt_folders_MouseDown(1, buttons::kMouseLeft, 0, 0, 0);
    ASSERT_EQ(h.prompts.boxes.size(), 2);
    EXPECT_EQ(h.prompts.boxes[1].kind, "yesNo");
}

TEST(frmViewerBrowse, FixingDeletesTheSettingsFileInUseAndReadsTheDefaults)
{
    for (const bool second : {false, true}) {
        ViewerHarness h;
        h.s.SecondInstance = second ? -1 : 0;
        h.box.writeFile("Tolvex.ini", "first copy's settings");
        h.box.writeFile("Tolvex2.ini", "second copy's settings");
        h.session.folderFailures = 1;
        h.prompts.yesNoAnswers = {true};
        const QString missing = h.box.programFolder() + "/gone";
        h.s.MotionPicsPath = missing;
        frmViewer& v = h.open();
        v.opt_folders_MouseDown(3, buttons::kMouseLeft, 0, 0, 0);
        ASSERT_EQ(h.prompts.boxes.size(), 1);
        const QString used = second ? "Tolvex2.ini" : "Tolvex.ini";
        const QString other = second ? "Tolvex.ini" : "Tolvex2.ini";
        EXPECT_TRUE(h.box.readFile(used).startsWith(";Vyk-Ondrel")) << "rewritten with the defaults";
        EXPECT_EQ(h.box.readFile(other), other == "Tolvex.ini" ? "first copy's settings" : "second copy's settings");
        EXPECT_EQ(h.link.opmaakCalls, 1);
        EXPECT_NE(h.s.MotionPicsPath, missing);
    }
}

TEST(frmViewerBrowse, ADriveThatCannotBeReadKeepsTheFolder)
{
    ViewerHarness h;
    frmViewer& v = h.open();
    child<platform::DriveListBox>(v, "Drive1")->setDrives({"/", "/no/such/drive"});
    child<platform::DriveListBox>(v, "Drive1")->setCurrentIndex(1);
    emit child<platform::DriveListBox>(v, "Drive1")->activated(1);
    ASSERT_EQ(h.prompts.boxes.size(), 1);
    EXPECT_EQ(h.prompts.boxes[0].text, "Can not acces drive /no/such/drive\n" + h.s.PicturePath);
    EXPECT_EQ(h.prompts.boxes[0].title, "Error nr:76");
    EXPECT_EQ(child<platform::DirListBox>(v, "Dir1")->Path(), h.s.PicturePath);
}

TEST(frmViewerBrowse, APictureShowsWithItsSizeLineAndThePictureButtons)
{
    ViewerHarness h;
    const QString path = ViewerHarness::bmp(h.s.PicturePath, "snap.bmp");
    ASSERT_EQ(QFileInfo(path).size(), 822);
    frmViewer& v = h.open();
    h.select("snap.bmp");
    EXPECT_EQ(v.frameCaption(), path);
    EXPECT_EQ(child<QLabel>(v, "lblPicSize")->text(), "16 x 16 - 1KB");
    EXPECT_EQ(child<PictureBox>(v, "picResult")->ScaleWidth(), 16);
    EXPECT_EQ(child<PictureBox>(v, "Source")->picture().size(), QSize(16, 16));
    EXPECT_FALSE(child<PictureBox>(v, "Image1")->isEmpty());
    EXPECT_TRUE(h.enabled("cmdGray"));
    EXPECT_TRUE(h.enabled("StyledButton1_0"));
    EXPECT_FALSE(h.enabled("cmdMPstart"));
    EXPECT_FALSE(child<PictureBox>(v, "PicMovie")->isVisibleTo(&v));
    EXPECT_TRUE(v.CheckIfSelection());
    EXPECT_TRUE(h.prompts.boxes.isEmpty());
}

TEST(frmViewerBrowse, A48MegapixelCameraPictureShowsWholeWithItsSizeLine)
{
    // Above the 128 MB that Qt's image reader takes by default.
    ViewerHarness h;
    QImage big(8000, 6000, QImage::Format_RGB32);
    big.fill(0xff204060);
    for (int y = 0; y < 6000; ++y)
        big.setPixel(7999, y, 0xffffffff);
    const QString path = h.s.PicturePath + "/camera.jpg";
    ASSERT_TRUE(big.save(path, "JPG", 50));
    big = QImage();
    frmViewer& v = h.open();
    h.select("camera.jpg");
    EXPECT_EQ(child<QLabel>(v, "lblPicSize")->text(), sizeLineText(8000, 6000, QFileInfo(path).size()));
    // Saving and effects get it whole.
    EXPECT_EQ(child<PictureBox>(v, "picResult")->picture().size(), QSize(8000, 6000));
    EXPECT_EQ(child<PictureBox>(v, "Image1")->shownRect(), child<PictureBox>(v, "Image1")->rect());
    EXPECT_TRUE(h.enabled("cmdGray"));
}

TEST(frmViewerBrowse, APortraitPictureShowsUnstretchedBetweenBars)
{
    ViewerHarness h;
    ViewerHarness::bmp(h.s.PicturePath, "portrait.bmp", 480, 640, 0xffff0000);
    frmViewer& v = h.open();
    h.select("portrait.bmp");
    v.show();
    const QImage shown = child<PictureBox>(v, "Image1")->grab().toImage();
    const QRect place = child<PictureBox>(v, "Image1")->shownRect();
    EXPECT_EQ(place.height(), child<PictureBox>(v, "Image1")->height());
    EXPECT_NEAR(place.width(), child<PictureBox>(v, "Image1")->height() * 3 / 4, 1);
    EXPECT_EQ(shown.pixel(place.center()), 0xffff0000u);
    EXPECT_NE(shown.pixel(2, child<PictureBox>(v, "Image1")->height() / 2), 0xffff0000u);  // the bar left of it
}

TEST(frmViewerBrowse, NothingShownLeavesPauseOffAndAVideoShowsNothingOfThePictureBeforeIt)
{
    ViewerHarness h;
    ViewerHarness::bmp(h.s.PicturePath, "a.bmp");
    ViewerHarness::file(h.s.PicturePath, "clip.avi");
    frmViewer& v = h.open();
    EXPECT_FALSE(h.enabled("cmdMPpauze"));
    h.select("a.bmp");
    ASSERT_FALSE(child<PictureBox>(v, "Image1")->isEmpty());
    h.select("clip.avi");
    EXPECT_TRUE(v.frameCaption().endsWith("/clip.avi"));
    EXPECT_TRUE(child<PictureBox>(v, "Image1")->isEmpty());
    EXPECT_TRUE(child<PictureBox>(v, "picResult")->isEmpty());
    EXPECT_EQ(child<QLabel>(v, "lblPicSize")->text(), "");
    EXPECT_TRUE(child<PictureBox>(v, "PicMovie")->isEmpty());
}

TEST(frmViewerBrowse, A1024BytePictureShowsTwoKilobytes)
{
    ViewerHarness h;
    // A BMP padded to exactly 1024 bytes still reads as a 16 x 16 picture.
    const QString path = ViewerHarness::bmp(h.s.PicturePath, "pad.bmp");
    QFile f(path);
    f.open(QIODevice::Append);
    f.write(QByteArray(1024 - 822, '\0'));
    f.close();
    frmViewer& v = h.open();
    h.select("pad.bmp");
    EXPECT_EQ(child<QLabel>(v, "lblPicSize")->text(), "16 x 16 - 2KB");
}

TEST(frmViewerBrowse, AVideoInCapitalsSelectsTheVideoButtons)
{
    ViewerHarness h;
    ViewerHarness::file(h.s.PicturePath, "CLIP.AVI");
    frmViewer& v = h.open();
    h.select("CLIP.AVI");
    EXPECT_TRUE(v.frameCaption().endsWith("/CLIP.AVI"));
    EXPECT_TRUE(h.enabled("cmdMPstart"));
    EXPECT_TRUE(child<PictureBox>(v, "PicMovie")->isVisibleTo(&v));
    EXPECT_FALSE(h.enabled("cmdGray"));
    EXPECT_TRUE(child<PictureBox>(v, "Image1")->isEmpty());
}

TEST(frmViewerBrowse, APictureThatFailsToLoadLeavesNothingOfThePreviousOne)
{
    ViewerHarness h;
    ViewerHarness::bmp(h.s.PicturePath, "a.bmp");
    ViewerHarness::file(h.s.PicturePath, "b.jpg", "broken");
    frmViewer& v = h.open();
    h.select("a.bmp");
    ASSERT_FALSE(child<PictureBox>(v, "picResult")->isEmpty());
    h.select("b.jpg");
    EXPECT_TRUE(child<PictureBox>(v, "Image1")->isEmpty());
    EXPECT_TRUE(child<PictureBox>(v, "picResult")->isEmpty());
    EXPECT_TRUE(child<PictureBox>(v, "Source")->isEmpty());
    EXPECT_EQ(v.frameCaption(), "");
    // The size line says why nothing shows.
    const QString sizeLine = child<QLabel>(v, "lblPicSize")->text();
    EXPECT_TRUE(sizeLine.startsWith("Cannot show this picture: ")) << sizeLine.toStdString();
    EXPECT_FALSE(h.enabled("cmdGray"));
    EXPECT_FALSE(v.CheckIfSelection());
    // The broken file itself can still be deleted.
    EXPECT_TRUE(h.enabled("StyledButton1_0"));
}

TEST(frmViewerBrowse, CheckIfSelectionRefusesTheDesignCaption)
{
    ViewerHarness h;
    frmViewer& v = h.open();
    EXPECT_FALSE(v.CheckIfSelection());
    ASSERT_EQ(h.prompts.boxes.size(), 1);
    EXPECT_EQ(h.prompts.boxes[0].text, "Please select a picture first");
    EXPECT_EQ(h.prompts.boxes[0].title, "");
    EXPECT_EQ(h.prompts.boxes[0].kind, "message");
}

TEST(frmViewerBrowse, ClickingAFileWhileASlideShowRunsChangesNothing)
{
    ViewerHarness h;
    ViewerHarness::bmp(h.s.PicturePath, "a.bmp", 16, 16, qRgb(200, 0, 0));
    ViewerHarness::bmp(h.s.PicturePath, "b.bmp", 16, 16, qRgb(0, 0, 200));
    frmViewer& v = h.open();
    auto* slide = child<StyledButton>(v, "cmdSlide");
    int waits = 0;
    h.slideWait.during = [&](int wait) {
        ++waits;
        if (wait != 1)
            return;
        // The show waits on a.bmp; the user clicks b.bmp.
        h.select("b.bmp");
        EXPECT_EQ(v.frameCaption(), h.s.PicturePath + "/a.bmp");
        EXPECT_EQ(child<PictureBox>(v, "Image1")->picture().pixel(0, 0), qRgb(200, 0, 0));
        EXPECT_EQ(slide->Caption(), "Pause");
        emit slide->Click();  // the show stops at its next check
    };
    v.cmdSlide_Click();
    EXPECT_EQ(waits, 1);
    EXPECT_EQ(v.frameCaption(), h.s.PicturePath + "/a.bmp");
    EXPECT_EQ(slide->Caption(), "Slide");
}

TEST(frmViewerBrowse, AFolderChangeOfTheFolderListMovesBothFileLists)
{
    ViewerHarness h;
    ViewerHarness::bmp(h.s.PicturePath, "a.bmp");
    const QString sub = h.s.PicturePath + "/Holiday";
    QDir().mkpath(sub);
    ViewerHarness::bmp(sub, "beach.jpg");
    frmViewer& v = h.open();
    h.select("a.bmp");
    ASSERT_TRUE(h.enabled("StyledButton1_0"));
    child<platform::DirListBox>(v, "Dir1")->setPath(sub);
    EXPECT_EQ(child<platform::FileListBox>(v, "File1")->Path(), sub);
    EXPECT_EQ(child<FrmBlend>(v, "FrmBlend")->folder(), sub);
    EXPECT_EQ(h.listed(), QStringList({"beach.jpg"}));
    EXPECT_FALSE(h.enabled("StyledButton1_0"));
    EXPECT_FALSE(child<QAction>(v, "mnuProps")->isEnabled());
}

TEST(frmViewerBrowse, DesktopButtonClearsTheFolderButtons)
{
    ViewerHarness h;
    const QString desktop = h.box.root() + "/Desktop";
    QDir().mkpath(desktop);
    QFile dirs(h.box.configFolder() + "/user-dirs.dirs");
    ASSERT_TRUE(dirs.open(QIODevice::WriteOnly));
    dirs.write("XDG_DESKTOP_DIR=\"" + desktop.toLocal8Bit() + "\"\n");
    dirs.close();
    frmViewer& v = h.open();
    v.selectFolderButton(1);
    v.cmdDesktop_Click();
    for (int i = 0; i < kFolderKinds; ++i)
        EXPECT_FALSE(child<StyledButton>(v, "opt_folders_" + QString::number(i))->Value()) << i;
    EXPECT_EQ(GetSpecialFolderPath(16), desktop);
    EXPECT_EQ(child<platform::DirListBox>(v, "Dir1")->Path(), desktop);
}

TEST(frmViewerBrowse, ClosingRestartsOnlyAPreviewTheViewerStopped)
{
    const struct {
        bool stoppedByViewer, stopEnabled;
        int starts;
    } cases[] = {{false, false, 0}, {true, false, 1}, {true, true, 0}, {false, true, 0}};
    for (const auto& c : cases) {
        ViewerHarness h;
        h.session.stoppedPreview = c.stoppedByViewer;
        h.link.stopEnabled_ = c.stopEnabled;
        h.open().close();
        EXPECT_EQ(h.link.startClicks, c.starts) << c.stoppedByViewer << c.stopEnabled;
        EXPECT_FALSE(h.session.stoppedPreview);
        // A later opening and closing, after the user stopped the preview, leaves it stopped.
        h.link.stopEnabled_ = false;
        h.open().close();
        EXPECT_EQ(h.link.startClicks, c.starts);
    }
}

TEST(frmViewerBrowse, ClosingDeletesTheTemporaryBitmapAndEmptiesTheWorkPictures)
{
    ViewerHarness h;
    ViewerHarness::bmp(h.s.PicturePath, "a.bmp");
    h.box.writeFile("temp.bmp", "x");
    frmViewer& v = h.open();
    h.select("a.bmp");
    v.close();
    EXPECT_FALSE(QFileInfo::exists(h.box.programFolder() + "/temp.bmp"));
    EXPECT_TRUE(child<PictureBox>(v, "picResult")->isEmpty());
    EXPECT_TRUE(child<PictureBox>(v, "Source")->isEmpty());
    EXPECT_EQ(child<StyledButton>(v, "cmdSlide")->Caption(), "Pause");
}

TEST(frmViewerBrowse, Frame1ClickClearsTheBusyFlagOfARunningEffect)
{
    ViewerHarness h;
    ViewerHarness::bmp(h.s.PicturePath, "a.bmp", 4, 4, qRgb(200, 100, 50));
    frmViewer& v = h.open();
    h.select("a.bmp");
    const QImage before = child<PictureBox>(v, "Image1")->picture();
    // The click arrives while the contrast waits for the picture to settle.
    auto* press = new QMouseEvent(QEvent::MouseButtonPress, QPointF(5, 5), QPointF(5, 5), Qt::LeftButton,
                                  Qt::LeftButton, {});
    QCoreApplication::postEvent(child<QGroupBox>(v, "Frame1"), press);
    emit child<StyledButton>(v, "cmdContrast")->MouseDown(buttons::kMouseLeft, 0, 0, 0);
    EXPECT_FALSE(v.viewerBusy());
    EXPECT_EQ(child<PictureBox>(v, "Image1")->picture(), before);  // the effect's result was dropped
}
