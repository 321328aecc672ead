#include "PictureFixtures.h"
#include "ViewerHarness.h"

#include <gtest/gtest.h>

#include <QTest>

namespace {

// The viewer shown on a 2 x 1 picture of the snapshot folder.
struct ShownViewer : ViewerHarness {
    ShownViewer()
    {
        QImage p = pictureOf({{qRgb(10, 20, 30), qRgb(200, 100, 0)}});
        platform::writeBmp24(p, s.PicturePath + "/a.bmp");
        open();
        v->show();
        select("a.bmp");
    }
    void click(StyledButton* b, Qt::MouseButton button = Qt::LeftButton)
    {
        QTest::mouseClick(v->windowHandle(), button, {}, b->mapTo(v.get(), b->rect().center()));
    }
    QRgb pixel(int x) const { return rgbOnly(child<PictureBox>(*v, "Image1")->picture().pixel(x, 0)); }
};

}  // namespace

TEST(frmViewerEffects, EffectButtonsChangeTheShownPictureAndTheWorkPicture)
{
    ShownViewer h;
    ASSERT_TRUE(QTest::qWaitForWindowExposed(h.v.get()));
    h.click(child<StyledButton>(*h.v, "cmdInvert"));
    EXPECT_EQ(h.pixel(0), rgbOnly(qRgb(245, 235, 225)));
    EXPECT_EQ(child<PictureBox>(*h.v, "picResult")->picture(), child<PictureBox>(*h.v, "Image1")->picture());
    h.click(child<StyledButton>(*h.v, "cmdFlipH"), Qt::RightButton);  // a MouseDown button acts on any button
    EXPECT_EQ(h.pixel(0), rgbOnly(qRgb(55, 155, 255)));
    h.click(child<StyledButton>(*h.v, "cmdUndo"));
    EXPECT_EQ(h.pixel(0), rgbOnly(qRgb(10, 20, 30)));
    EXPECT_EQ(child<StyledButton>(*h.v, "cmdInvert")->toolTip(), "Invert");
}

TEST(frmViewerEffects, TheBlendButtonOpensThePanelOnTheViewersFolder)
{
    ShownViewer h;
    ASSERT_TRUE(QTest::qWaitForWindowExposed(h.v.get()));
    EXPECT_TRUE(child<FrmBlend>(*h.v, "FrmBlend")->isHidden());
    h.click(child<StyledButton>(*h.v, "cmdAlphaBlend"));
    EXPECT_TRUE(child<FrmBlend>(*h.v, "FrmBlend")->isVisible());
    EXPECT_EQ(child<FrmBlend>(*h.v, "FrmBlend")->folder(), h.s.PicturePath);
    h.v->EnableButtons(0);  // nothing shown: the panel goes
    EXPECT_TRUE(child<FrmBlend>(*h.v, "FrmBlend")->isHidden());
}
