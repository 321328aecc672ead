#include "MainWindowHarness.h"
#include "PromptsFake.h"
#include "buttons/StyledButton.h"
#include "platform/lists/DirListBox.h"
#include "viewer/frmViewer.h"

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
    w.setOpeners(WindowOpeners{.openViewer = [&] {
        viewer = std::make_unique<frmViewer>(h.s, w, ViewerServices{h.shell, prompts, session}, &w);
        viewer->Form_Load();
        viewer->selectFolderButton(w.viewerFolderIndex());
        viewer->show();
    }});
    QTest::mouseClick(w.cmdViewer, Qt::LeftButton);
    ASSERT_TRUE(viewer);
    EXPECT_TRUE(viewer->isVisible());
    EXPECT_EQ(viewer->Dir1->Path(), h.s.AutoSavePath);
    EXPECT_TRUE(viewer->opt_folders[1]->Value());

    viewer->selectFolderButton(3);
    EXPECT_EQ(w.viewerFolderIndex(), 3);
    viewer->close();
    EXPECT_TRUE(prompts.boxes.isEmpty());
}
