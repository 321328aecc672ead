#include "Children.h"
#include "MainWindowHarness.h"
#include "PromptsFake.h"
#include "buttons/StyledButton.h"
#include "platform/lists/DirListBox.h"
#include "viewer/PictureBox.h"
#include "viewer/frmViewer.h"

#include <QLabel>

#include <gtest/gtest.h>

#include <QTest>

// The viewer over the real main window, opened as main.cpp opens it (without
// waiting in a modal loop).
TEST(frmViewerMain, TheViewerButtonOpensTheViewerOnTheMainWindowsFolder)
{
    MainWindowHarness h;
    frmMain& w = h.start();
    w.show();
    w.setViewerFolderIndex(1);
    PromptsFake prompts;
    ViewerSession session;
    std::unique_ptr<frmViewer> viewer;
    w.setOpeners(WindowOpeners{.openViewer = [&](const ViewerHandOff& handOff) {
        viewer = std::make_unique<frmViewer>(h.s, w, ViewerServices{h.shell, prompts, session}, &w);
        viewer->Form_Load();
        if (!handOff.snapshot.isNull())
            viewer->showSnapshot(handOff.snapshot, handOff.snapshotCaption);
        viewer->selectFolderButton(w.viewerFolderIndex());
        viewer->show();
    }});
    QTest::mouseClick(child<StyledButton>(w, "cmdViewer"), Qt::LeftButton);
    ASSERT_TRUE(viewer);
    EXPECT_TRUE(viewer->isVisible());
    EXPECT_EQ(child<platform::DirListBox>(*viewer, "Dir1")->Path(), h.s.AutoSavePath);
    EXPECT_TRUE(child<StyledButton>(*viewer, "opt_folders_1")->Value());

    viewer->selectFolderButton(3);
    EXPECT_EQ(w.viewerFolderIndex(), 3);
    viewer->close();
    EXPECT_TRUE(prompts.boxes.isEmpty());
}

// A running preview hands its frame over: the viewer shows it in picture mode
// under the snapshot caption, on the folder of the selected save mode.
TEST(frmViewerMain, TheLiveFrameIsShownAsANumberedSnapshot)
{
    MainWindowHarness h;
    qputenv("TOLVEX_SYNTH_CONNECT_FAIL", "0");
    h.capture->reloadSettings();
    frmMain& w = h.start();
    w.show();
    w.cmdStart_Click();
    h.s.SaveBitmapType = 1;
    w.selectSaveOption(2);
    PromptsFake prompts;
    ViewerSession session;
    std::unique_ptr<frmViewer> viewer;
    QImage handed;
    w.setOpeners(WindowOpeners{.openViewer = [&](const ViewerHandOff& handOff) {
        handed = handOff.snapshot;
        viewer = std::make_unique<frmViewer>(h.s, w, ViewerServices{h.shell, prompts, session}, &w);
        viewer->Form_Load();
        viewer->showSnapshot(handOff.snapshot, handOff.snapshotCaption);
        viewer->selectFolderButton(w.viewerFolderIndex());
        viewer->show();
    }});
    QTest::mouseClick(child<StyledButton>(w, "cmdViewer"), Qt::LeftButton);
    ASSERT_TRUE(viewer);
    ASSERT_FALSE(handed.isNull());
    EXPECT_EQ(viewer->frameCaption(), "Snapshot1.bmp");
    EXPECT_EQ(child<PictureBox>(*viewer, "picResult")->picture(), handed);
    EXPECT_EQ(child<PictureBox>(*viewer, "Source")->picture(), handed);
    EXPECT_EQ(child<PictureBox>(*viewer, "Image1")->picture(), handed);
    EXPECT_EQ(child<QLabel>(*viewer, "lblPicSize")->text(),
              QString::number(handed.width()) + " x " + QString::number(handed.height()));
    EXPECT_TRUE(viewer->CheckIfSelection());
    EXPECT_EQ(child<platform::DirListBox>(*viewer, "Dir1")->Path(), h.s.MotionPicsPath);
    EXPECT_TRUE(child<StyledButton>(*viewer, "opt_folders_3")->Value());
    viewer->close();
}
