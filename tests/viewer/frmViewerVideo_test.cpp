#include "ClipFixture.h"
#include "core/MouseButtonCodes.h"
#include "PictureFixtures.h"
#include "ViewerHarness.h"
#include "viewer/VideoPlayback.h"

#include <QFileInfo>
#include <QScrollBar>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

// The viewer on the Videos folder with the grey clip (3 s, 10 frames a second,
// frame i grey 8 i) selected and the window on screen for mouse clicks.
struct VideoViewer {
    ViewerHarness h;
    frmViewer* v = nullptr;
    QString clip;

    explicit VideoViewer(const QString& name = "clip.avi")
    {
        clip = h.s.VideoPath + "/" + name;
        EXPECT_TRUE(writeClip(clip, ClipSpec{}));
        v = &h.open();
        v->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(v));
        v->selectFolderButton(2);
        h.select(name);
    }
    void click(const char* name, Qt::MouseButton button = Qt::LeftButton)
    {
        auto* w = v->findChild<QWidget*>(name);
        ASSERT_NE(w, nullptr) << name;
        QTest::mouseClick(v->windowHandle(), button, {}, w->mapTo(v, w->rect().center()));
    }
    bool on(const char* name) const { return h.enabled(name); }
    int shownGrey() const { return greyAtCentre(child<PictureBox>(*v, "PicMovie")->picture()); }
    void at(qint64 ms)
    {
        h.clock = ms;
        h.player.advance();
    }
};

}  // namespace

TEST(frmViewerVideo, PlayShowsTheLengthAndRunsToTheEndWhereTheStatusTimerStops)
{
    VideoViewer f;
    ASSERT_TRUE(f.on("cmdMPstart"));
    EXPECT_TRUE(child<PictureBox>(*f.v, "PicMovie")->isVisible());
    f.click("cmdMPstart");
    EXPECT_EQ(child<QLabel>(*f.v, "lblPicSize")->text(),
              QString("Movie length 3 seconds - %1KB").arg(QFileInfo(f.clip).size() / 1024 + 1));
    EXPECT_EQ(f.v->AVIStatus(), "playing");
    // Scaled once into the box's own size: painting it is a plain copy.
    auto* movie = child<PictureBox>(*f.v, "PicMovie");
    EXPECT_EQ(movie->picture().size(), movie->size());
    EXPECT_NEAR(f.shownGrey(), 0, 2);
    for (const char* name : {"cmdMPpauze", "cmdMPbegin", "cmdMPend", "cmdMPstop", "cmdSave", "cmsSave2"})
        EXPECT_TRUE(f.on(name)) << name;
    EXPECT_FALSE(f.on("cmdMPstart"));
    auto* scroll = child<QScrollBar>(*f.v, "scrlMovie");
    EXPECT_TRUE(scroll->isVisible() && scroll->isEnabled());
    EXPECT_TRUE(child<QTimer>(*f.v, "tmrVideoStatus")->isActive());

    f.at(1500);
    f.v->tmrPosition_Timer();
    EXPECT_EQ(child<QScrollBar>(*f.v, "scrlMovie")->maximum(), 30);
    EXPECT_EQ(f.v->imgProgressWidth(), 15);
    f.v->tmrVideoStatus_Timer();
    EXPECT_FALSE(f.on("cmdMPstart"));  // still playing

    f.at(3200);
    EXPECT_NEAR(f.shownGrey(), 232, 2);  // the last frame stays on screen
    f.v->tmrVideoStatus_Timer();  // the status timer hands over to the stop button
    EXPECT_TRUE(f.on("cmdMPstart"));
    for (const char* name : {"cmdMPpauze", "cmdMPbegin", "cmdMPend", "cmdMPstop", "scrlMovie"})
        EXPECT_FALSE(f.on(name)) << name;
    EXPECT_FALSE(child<QTimer>(*f.v, "tmrVideoStatus")->isActive());
    EXPECT_EQ(f.v->AVIStatus(), "");  // closed
}

TEST(frmViewerVideo, AnyOtherMouseButtonLoopsTheClip)
{
    for (Qt::MouseButton button : {Qt::RightButton, Qt::MiddleButton}) {
        VideoViewer f;
        f.click("cmdMPstart", button);
        f.at(3520);
        EXPECT_NEAR(f.shownGrey(), 40, 2) << button;
        f.v->tmrVideoStatus_Timer();
        EXPECT_EQ(f.v->AVIStatus(), "playing");
        EXPECT_FALSE(f.on("cmdMPstart"));
    }
}

TEST(frmViewerVideo, PauseResumesAndTheScrollBarSeeksAndPlaysOn)
{
    VideoViewer f;
    f.click("cmdMPstart");
    f.at(1000);
    f.click("cmdMPpauze");
    EXPECT_EQ(f.v->AVIStatus(), "paused");
    f.at(2500);
    f.v->tmrVideoStatus_Timer();
    EXPECT_EQ(f.v->AVIStatus(), "paused");  // the status timer leaves a paused player alone
    EXPECT_NEAR(f.shownGrey(), 80, 2);
    f.click("cmdMPpauze");
    EXPECT_EQ(f.v->AVIStatus(), "playing");
    f.at(3000);
    EXPECT_NEAR(f.shownGrey(), 120, 2);

    f.v->tmrPosition_Timer();  // the scroll bar learns its range
    child<QScrollBar>(*f.v, "scrlMovie")->setSliderPosition(20);
    emit child<QScrollBar>(*f.v, "scrlMovie")->sliderMoved(20);
    EXPECT_EQ(f.v->AVIStatus(), "playing");
    EXPECT_NEAR(f.shownGrey(), 160, 2);
    f.at(3500);
    EXPECT_NEAR(f.shownGrey(), 200, 2);
}

TEST(frmViewerVideo, AClipThatRunsOutAfterAPauseOrASaveReturnsToPlay)
{
    {
        VideoViewer f;  // paused, resumed, run out
        f.click("cmdMPstart");
        f.at(1000);
        f.click("cmdMPpauze");
        f.click("cmdMPpauze");
        f.at(3500);
        f.v->tmrVideoStatus_Timer();
        EXPECT_TRUE(f.on("cmdMPstart"));
        EXPECT_FALSE(f.on("cmdMPstop"));
    }
    {
        VideoViewer f;  // sought by the scroll bar, run out
        f.click("cmdMPstart");
        f.at(500);
        f.v->tmrPosition_Timer();
        child<QScrollBar>(*f.v, "scrlMovie")->setSliderPosition(25);
        emit child<QScrollBar>(*f.v, "scrlMovie")->sliderMoved(25);
        f.at(1200);
        f.v->tmrVideoStatus_Timer();
        EXPECT_TRUE(f.on("cmdMPstart"));
        EXPECT_FALSE(f.on("cmdMPstop"));
    }
    {
        VideoViewer f;  // a frame saved during playback closes the clip
        f.click("cmdMPstart");
        f.at(1000);
        f.v->cmsSave2_MouseDown(buttons::kMouseLeft, 0, 0, 0);
        f.v->tmrVideoStatus_Timer();
        EXPECT_TRUE(f.on("cmdMPstart"));
        EXPECT_FALSE(f.on("cmdMPstop"));
    }
}

TEST(frmViewerVideo, TheScrollBarThumbFollowsPlayback)
{
    VideoViewer f;
    f.click("cmdMPstart");
    f.at(1500);
    f.v->tmrPosition_Timer();
    EXPECT_EQ(child<QScrollBar>(*f.v, "scrlMovie")->value(), 15);
    f.at(2500);
    f.v->tmrPosition_Timer();
    EXPECT_EQ(child<QScrollBar>(*f.v, "scrlMovie")->value(), 25);
    EXPECT_EQ(f.v->AVIStatus(), "playing");  // following is not seeking
}

TEST(frmViewerVideo, GoToStartAndEndShowTheirFramesAndPlayStartsOver)
{
    VideoViewer f;
    f.click("cmdMPstart");
    f.at(1200);
    f.click("cmdMPbegin");
    EXPECT_NEAR(f.shownGrey(), 40, 2);  // position 5: half a second in
    EXPECT_TRUE(f.on("cmdMPstart") && f.on("cmdMPstop"));
    f.v->tmrVideoStatus_Timer();
    EXPECT_EQ(f.v->AVIStatus(), "stopped");  // left open at the start
    EXPECT_TRUE(f.on("cmdMPstop"));           // the status timer does not stop a clip moved to its start

    f.click("cmdMPend");
    EXPECT_NEAR(f.shownGrey(), 232, 2);
    EXPECT_FALSE(f.on("cmdMPpauze"));
    EXPECT_TRUE(f.on("cmdMPstart") && f.on("cmdMPstop"));
    f.v->tmrVideoStatus_Timer();
    EXPECT_EQ(f.v->AVIStatus(), "stopped");
    EXPECT_TRUE(f.on("cmdMPstop"));  // nor one moved to its end

    f.click("cmdMPstart");  // reopens and plays from the beginning
    EXPECT_EQ(f.v->AVIStatus(), "playing");
    EXPECT_NEAR(f.shownGrey(), 0, 2);
}

TEST(frmViewerVideo, ABadFileShowsTheOpenErrorBoxAndTheNothingShownButtons)
{
    VideoViewer f;
    const QString bad = ViewerHarness::file(f.h.s.VideoPath, "bad.avi", "RIFFxyz");
    child<platform::FileListBox>(*f.v, "File1")->Refresh();
    f.h.select("bad.avi");
    f.click("cmdMPstart");
    ASSERT_EQ(f.h.prompts.boxes.size(), 1);
    EXPECT_EQ(f.h.prompts.boxes[0].text, "Error opening the file: " + bad + "\nProbably bad file or a missing codec.");
    EXPECT_EQ(f.h.prompts.boxes[0].title, "Open Video File Error nr: 296");
    // Nothing of a clip is measured or played.
    EXPECT_FALSE(child<QLabel>(*f.v, "lblPicSize")->text().startsWith("Movie length"));
    for (const char* name : {"cmdMPstart", "cmdMPstop", "cmdMPbegin", "cmdMPend", "cmdMediaPlayer"})
        EXPECT_FALSE(f.on(name)) << name;
    EXPECT_EQ(f.v->AVIStatus(), "");
}

TEST(frmViewerVideo, TheShownFrameIsCopiedAfterTheVideoCloses)
{
    VideoViewer f;
    const QImage before = uniformPicture(8, 8, 0xff00ff00);
    child<PictureBox>(*f.v, "Image1")->setPicture(before);
    f.v->sCopyScreen();  // nothing played yet: nothing to copy
    EXPECT_EQ(child<PictureBox>(*f.v, "Image1")->picture(), before);
    f.click("cmdMPstart");
    f.v->GoToSceneFrame(20);
    f.v->CloseScene();
    f.v->sCopyScreen();
    auto* image = child<PictureBox>(*f.v, "Image1");
    EXPECT_EQ(image->picture().size(), child<PictureBox>(*f.v, "PicMovie")->size());
    EXPECT_NEAR(greyAtCentre(image->picture()), 160, 2);
}

// Save As while a clip plays writes the frame on screen (not the picture shown
// before the clip) and proposes the player's frame number.
TEST(frmViewerVideo, SaveAsOfAPlayingClipWritesTheFrameOnScreen)
{
    VideoViewer f;
    child<PictureBox>(*f.v, "Image1")->setPicture(uniformPicture(8, 8, 0xff00ff00));
    f.click("cmdMPstart");
    f.at(1530);
    const QImage onScreen = child<PictureBox>(*f.v, "PicMovie")->picture().convertToFormat(QImage::Format_RGB32);
    ASSERT_NEAR(greyAtCentre(onScreen), 120, 2);
    f.at(1550);  // the clock runs on to the moment of the click, within the same frame
    QString proposed;
    const QString target = f.h.box.programFolder() + "/frame.bmp";
    f.h.saveAnswer = [&](SaveDialogArgs& args) {
        proposed = args.fileName;
        args.fileName = target;
        return DialogResult::Confirmed;
    };
    emit child<StyledButton>(*f.v, "cmsSave2")->MouseDown(buttons::kMouseLeft, 0, 0, 0);
    EXPECT_EQ(proposed, "VideoFrame15");
    const QImage written = platform::readBmp24(target);
    ASSERT_EQ(written.size(), onScreen.size()) << f.h.prompts.texts().join("|").toStdString();
    EXPECT_EQ(written.convertToFormat(QImage::Format_RGB32), onScreen);
}

TEST(frmViewerVideo, APictureSelectionOrClosingTheViewerClosesTheVideo)
{
    {
        VideoViewer f;
        ViewerHarness::bmp(f.h.s.VideoPath, "still.bmp");
        child<platform::FileListBox>(*f.v, "File1")->Refresh();
        f.h.select("clip.avi");
        f.click("cmdMPstart");
        f.h.select("still.bmp");
        EXPECT_EQ(f.v->AVIStatus(), "");
        EXPECT_FALSE(child<PictureBox>(*f.v, "PicMovie")->isVisible());
    }
    {
        VideoViewer f;
        f.click("cmdMPstart");
        f.v->close();
        EXPECT_EQ(f.v->AVIStatus(), "");
    }
}

TEST(frmViewerVideo, NothingOfAClipStaysAfterAPictureOrItsDeletion)
{
    {
        VideoViewer f;  // the progress bar of the clip does not stay under a picture
        ViewerHarness::bmp(f.h.s.VideoPath, "still.bmp");
        child<platform::FileListBox>(*f.v, "File1")->Refresh();
        f.h.select("clip.avi");
        f.click("cmdMPstart");
        f.at(1500);
        f.v->tmrPosition_Timer();
        ASSERT_GT(f.v->imgProgressWidth(), 0);
        f.h.select("still.bmp");
        EXPECT_EQ(f.v->imgProgressWidth(), 0);
    }
    {
        VideoViewer f;  // the playing clip deleted: its last frame and size line go
        f.h.s.NoConfirmDelete = 1;
        f.click("cmdMPstart");
        f.at(1500);
        ASSERT_FALSE(child<PictureBox>(*f.v, "PicMovie")->isEmpty());
        f.v->StyledButton1_Click(0);
        EXPECT_FALSE(QFileInfo::exists(f.clip));
        EXPECT_TRUE(child<PictureBox>(*f.v, "PicMovie")->isEmpty());
        EXPECT_EQ(child<QLabel>(*f.v, "lblPicSize")->text(), "");
        EXPECT_EQ(f.v->frameCaption(), "");
        EXPECT_EQ(f.v->imgProgressWidth(), 0);
        EXPECT_FALSE(f.on("cmdMPstart"));
        EXPECT_FALSE(f.on("cmsSave2"));
    }
}

TEST(frmViewerVideo, DoubleClickPlaysAndTheMediaPlayerButtonHandsTheFileOn)
{
    VideoViewer f;
    emit child<platform::FileListBox>(*f.v, "File1")->DblClick();
    EXPECT_EQ(f.v->AVIStatus(), "playing");
    f.click("cmdMediaPlayer");
    ASSERT_EQ(f.h.shell.openedUrls.size(), 1);
    EXPECT_EQ(f.h.shell.openedUrls[0].toLocalFile(), f.clip);
}
