// The viewer and its blend panel worked without the mouse: the buttons whose
// handler runs on a mouse press or release do the same for Space, Enter, the
// access key and an assistive tool's press, as the left button; every control has
// a name and Tab reaches it.
#include "ClipFixture.h"
#include "KeyboardParity.h"
#include "ModalAnswer.h"
#include "PictureFixtures.h"
#include "ViewerHarness.h"
#include "viewer/VideoPlayback.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QFileInfo>
#include <QTest>
#include <QTimer>

#include <functional>

namespace {

// One way of pressing a button without the mouse.
struct Way {
    const char* name;
    std::function<void(QWidget*)> press;
};

const Way kWays[] = {
    {"Space", [](QWidget* c) { keyboard::pressBySpace(c); }},
    {"assistive tool", [](QWidget* c) { ASSERT_TRUE(keyboard::pressByTool(c)); }},
};


// The viewer on screen and active, showing a 2 x 1 picture of the snapshot folder.
struct ActiveViewer : ViewerHarness {
    ActiveViewer()
    {
        platform::writeBmp24(pictureOf({{qRgb(10, 20, 30), qRgb(200, 100, 0)}}), s.PicturePath + "/a.bmp");
        open();
        v->show();
        v->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(v.get()));
        select("a.bmp");
    }
    QRgb pixel(int x) const { return rgbOnly(child<PictureBox>(*v, "Image1")->picture().pixel(x, 0)); }
};

}  // namespace

TEST(ViewerKeyboard, SaveAsWritesThePictureWithoutTheMouse)
{
    for (const Way& way : kWays) {
        for (const char* button : {"cmsSave2", "cmdSave"}) {
            SCOPED_TRACE(std::string(way.name) + " " + button);
            ActiveViewer h;
            const QString target = h.box.root() + "/saved.bmp";
            int asked = 0;
            h.saveAnswer = [&](SaveDialogArgs& args) {
                ++asked;
                args.fileName = target;
                return DialogResult::Confirmed;
            };
            way.press(h.v->findChild<StyledButton*>(button));
            QTRY_COMPARE(asked, 1);
            QTRY_VERIFY(QFileInfo::exists(target));
            EXPECT_EQ(platform::readBmp24(target).convertToFormat(QImage::Format_RGB32).pixel(1, 0),
                      qRgb(200, 100, 0));
        }
    }
}

TEST(ViewerKeyboard, PrintOpensThePrintWindowWithoutTheMouse)
{
    for (const Way& way : kWays) {
        SCOPED_TRACE(way.name);
        ActiveViewer h;
        QString title;
        answerNextModal([&](QWidget* w) {
            title = w->windowTitle();
            w->close();
        });
        way.press(child<StyledButton>(*h.v, "CmdPrint"));
        QTRY_COMPARE(title, QString("Print Preview"));
    }
}

TEST(ViewerKeyboard, EffectButtonsOfTheMousePressActAsTheLeftButton)
{
    for (const Way& way : kWays) {
        SCOPED_TRACE(way.name);
        ActiveViewer h;
        way.press(child<StyledButton>(*h.v, "cmdFlipH"));
        QTRY_COMPARE(h.pixel(0), rgbOnly(qRgb(200, 100, 0)));
        way.press(child<StyledButton>(*h.v, "cmdDarken"));
        QTRY_VERIFY(qRed(h.pixel(0)) < 200);
        const QRgb before = h.pixel(0);
        // The left button raises the contrast: the bright red goes further up.
        way.press(child<StyledButton>(*h.v, "cmdContrast"));
        QTRY_VERIFY(h.pixel(0) != before);
        EXPECT_GT(qRed(h.pixel(0)), qRed(before));
        way.press(child<StyledButton>(*h.v, "cmdAlphaBlend"));
        QTRY_VERIFY(child<FrmBlend>(*h.v, "FrmBlend")->isVisible());
        EXPECT_EQ(child<FrmBlend>(*h.v, "FrmBlend")->folder(), h.s.PicturePath);
    }
}

TEST(ViewerKeyboard, FoldersZoomCompanionAndCloseWorkWithoutTheMouse)
{
    for (const Way& way : kWays) {
        SCOPED_TRACE(way.name);
        ActiveViewer h;
        way.press(child<StyledButton>(*h.v, "opt_folders_1"));
        QTRY_COMPARE(child<platform::DirListBox>(*h.v, "Dir1")->Path(), h.s.AutoSavePath);
        EXPECT_TRUE(child<StyledButton>(*h.v, "opt_folders_1")->Value());
        EXPECT_EQ(h.link.viewerFolderIndex_, 1);
        way.press(child<StyledButton>(*h.v, "opt_folders_0"));
        QTRY_COMPARE(child<platform::DirListBox>(*h.v, "Dir1")->Path(), h.s.PicturePath);

        const bool zoomShown = child<QWidget>(*h.v, "picZoomContainer")->isVisible();
        way.press(child<StyledButton>(*h.v, "cmdZoom"));
        QTRY_COMPARE(child<QWidget>(*h.v, "picZoomContainer")->isVisible(), !zoomShown);

        way.press(child<StyledButton>(*h.v, "cmdZarn"));
        QTRY_COMPARE(h.shell.startedPrograms.size(), 1);
        EXPECT_EQ(h.shell.startedPrograms[0].program, h.box.programFolder() + "/zarn");

        way.press(child<StyledButton>(*h.v, "StyledButton3"));
        QTRY_VERIFY(!h.v->isVisible());
    }
}

TEST(ViewerKeyboard, PlayerButtonsWorkWithoutTheMouse)
{
    for (const Way& way : kWays) {
        SCOPED_TRACE(way.name);
        ViewerHarness h;
        const QString clip = h.s.VideoPath + "/clip.avi";
        ASSERT_TRUE(writeClip(clip, ClipSpec{}));
        frmViewer* v = &h.open();
        v->show();
        v->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(v));
        v->selectFolderButton(2);
        h.select("clip.avi");
        // Where the player stands, as it answers.
        auto position = [&h] {
            QString reply;
            h.player.sendString("status AVIvideo position", &reply);
            return reply;
        };
        way.press(child<StyledButton>(*v, "cmdMPstart"));
        QTRY_COMPARE(v->AVIStatus(), QString("playing"));
        EXPECT_TRUE(h.enabled("cmdMPpauze") && !h.enabled("cmdMPstart"));
        QString length;
        h.player.sendString("status AVIvideo length", &length);
        way.press(child<StyledButton>(*v, "cmdMPend"));
        QTRY_VERIFY(!h.enabled("cmdMPpauze"));
        EXPECT_EQ(position(), length);
        way.press(child<StyledButton>(*v, "cmdMPbegin"));
        QTRY_COMPARE(position(), QString("5"));
    }
}

TEST(ViewerKeyboard, EveryControlHasANameAndTabReachesIt)
{
    ActiveViewer h;
    EXPECT_EQ(keyboard::unnamedControls(h.v.get()), "");
    EXPECT_EQ(keyboard::unreachedByTab(h.v.get()), "");
}
