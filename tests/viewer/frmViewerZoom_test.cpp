#include "ViewerHarness.h"
#include "core/MouseButtonCodes.h"

#include <gtest/gtest.h>

#include <QTest>

namespace {

// A 64 x 48 picture with a marked top-left corner.
struct Zoom : ViewerHarness {
    frmViewer& v;
    Zoom() : v(openWithPicture()) {}
    frmViewer& openWithPicture()
    {
        QImage image(64, 48, QImage::Format_RGB32);
        image.fill(0xff00ff00);
        for (int y = 0; y < 8; ++y)
            for (int x = 0; x < 8; ++x)
                image.setPixel(x, y, 0xffff0000);
        platform::writeBmp24(image, s.PicturePath + "/corner.bmp");
        frmViewer& viewer = open();
        select("corner.bmp");
        return viewer;
    }
};

}  // namespace

TEST(frmViewerZoom, TheToggleShowsTheZoomWindowAndThePointer)
{
    Zoom h;
    h.v.show();
    h.v.cmdZoom_MouseDown(buttons::kMouseLeft, 0, 0, 0);
    EXPECT_TRUE(child<QWidget>(h.v, "picZoomContainer")->isVisible());
    EXPECT_EQ(child<PictureBox>(h.v, "Image1")->cursor().shape(), Qt::CrossCursor);
    h.v.mnuZoom_Click();
    EXPECT_FALSE(child<QWidget>(h.v, "picZoomContainer")->isVisible());
    EXPECT_EQ(child<PictureBox>(h.v, "Image1")->cursor().shape(), Qt::ArrowCursor);
}

TEST(frmViewerZoom, MovingWithTheMagnifierOffPaintsNothing)
{
    Zoom h;
    h.v.show();
    h.v.Image1_MouseMove(0, 0, 0, 0);
    EXPECT_TRUE(child<PictureBox>(h.v, "picZoom")->surface().isNull());
}

TEST(frmViewerZoom, TheTopLeftCornerShowsThePatchAtThePicturesOrigin)
{
    Zoom h;
    h.v.show();
    h.v.mnuZoom_Click();
    QTest::mouseMove(child<PictureBox>(h.v, "Image1"), QPoint(0, 0));
    h.v.Image1_MouseMove(0, 0, 0, 0);
    const QImage shown = child<PictureBox>(h.v, "picZoom")->surface();
    ASSERT_FALSE(shown.isNull());
    EXPECT_EQ(shown.pixel(0, 0), 0xffff0000u);
    EXPECT_EQ(shown.pixel(shown.width() - 1, shown.height() - 1), 0xffff0000u);

    // Far right and down: the patch leaves the red corner.
    h.v.Image1_MouseMove(0, 0, 600 * 15, 400 * 15);
    EXPECT_EQ(child<PictureBox>(h.v, "picZoom")->surface().pixel(0, 0), 0xff00ff00u);
}

TEST(frmViewerZoom, TheRightEdgeOfTheShownPictureShowsItsRightmostBand)
{
    // 200 x 100, shown 400 x 200 between bars; its rightmost 3 columns are blue.
    ViewerHarness h;
    QImage image(200, 100, QImage::Format_RGB32);
    image.fill(0xff00ff00);
    for (int y = 0; y < 100; ++y)
        for (int x = 197; x < 200; ++x)
            image.setPixel(x, y, 0xff0000ffu);
    platform::writeBmp24(image, h.s.PicturePath + "/band.bmp");
    frmViewer& v = h.open();
    h.select("band.bmp");
    v.show();
    v.mnuZoom_Click();
    auto* shownBox = child<PictureBox>(v, "Image1");
    const QRect shown = shownBox->shownRect();
    ASSERT_EQ(shown.size(), QSize(shownBox->width(), shownBox->width() / 2));
    v.Image1_MouseMove(0, 0, (shown.right() + 1) * 15, shown.center().y() * 15);
    const QImage zoomed = child<PictureBox>(v, "picZoom")->surface();
    ASSERT_FALSE(zoomed.isNull());
    EXPECT_EQ(zoomed.pixel(zoomed.width() / 2, zoomed.height() / 2), 0xff0000ffu);
    EXPECT_EQ(zoomed.pixel(zoomed.width() - 1, zoomed.height() / 2), 0xff0000ffu);
}

TEST(frmViewerZoom, AClickOnTheZoomWindowClosesIt)
{
    Zoom h;
    h.v.show();
    child<StyledButton>(h.v, "cmdZoom")->setValue(true);
    h.v.mnuZoom_Click();
    QTest::mouseClick(child<PictureBox>(h.v, "picZoom"), Qt::LeftButton);
    EXPECT_FALSE(child<QWidget>(h.v, "picZoomContainer")->isVisible());
    EXPECT_FALSE(child<StyledButton>(h.v, "cmdZoom")->Value());
    EXPECT_EQ(child<PictureBox>(h.v, "Image1")->cursor().shape(), Qt::ArrowCursor);
}

TEST(frmViewerZoom, ButtonSetsLeaveAVisibleZoomWindowAlone)
{
    Zoom h;
    h.v.show();
    h.v.mnuZoom_Click();
    h.v.EnableButtons(0);
    EXPECT_FALSE(h.enabled("cmdZoom"));
    EXPECT_TRUE(child<QWidget>(h.v, "picZoomContainer")->isVisible());
}
