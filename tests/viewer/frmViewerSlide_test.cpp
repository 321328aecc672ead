#include "ViewerHarness.h"
#include "core/MouseButtonCodes.h"

#include <QAction>
#include <QElapsedTimer>
#include <QMenu>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

using namespace std::chrono_literals;

namespace {

constexpr QRgb kA = 0xff102030, kC = 0xff405060, kD = 0xff708090;

// What a slide looked like while the show waited on it.
struct SlideSeen {
    QString caption;
    int listIndex;
    QRgb movie;
    bool operator==(const SlideSeen&) const = default;
};

struct SlideShowViewer {
    ViewerHarness h;
    frmViewer* v = nullptr;
    std::vector<SlideSeen> seen;

    explicit SlideShowViewer(int slideTiming, bool withVideo = false)
    {
        h.s.SlideTiming = static_cast<int16_t>(slideTiming);
        ViewerHarness::bmp(h.s.PicturePath, "a.bmp", 16, 16, kA);
        if (withVideo)
            ViewerHarness::file(h.s.PicturePath, "b.avi", "RIFFxyz");
        ViewerHarness::bmp(h.s.PicturePath, "c.bmp", 20, 10, kC);
        ViewerHarness::bmp(h.s.PicturePath, "d.bmp", 16, 16, kD);
        v = &h.open();
        v->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(v));
        h.slideWait.during = [this](int) { record(); };
    }
    void record()
    {
        const QImage movie = child<PictureBox>(*v, "PicMovie")->surface();
        seen.push_back({QFileInfo(v->frameCaption()).fileName(), h.files()->ListIndex(),
                        movie.isNull() ? 0u : movie.pixel(movie.width() / 2, movie.height() / 2)});
    }
    QString shownName() const { return QFileInfo(v->frameCaption()).fileName(); }
    void clickSlide()
    {
        auto* slide = child<StyledButton>(*v, "cmdSlide");
        QTest::mouseClick(v->windowHandle(), Qt::LeftButton, {}, slide->mapTo(v, slide->rect().center()));
    }
};

}  // namespace

TEST(frmViewerSlide, ShowsEveryPictureInListOrderWithTheChosenDelay)
{
    SlideShowViewer f(7, true);
    f.v->cmdSlide_Click();
    // The video cannot be shown: the slide and the name before it stay.
    const std::vector<SlideSeen> expected = {
        {"a.bmp", 0, kA}, {"a.bmp", 1, kA}, {"c.bmp", 2, kC}, {"d.bmp", 3, kD}};
    EXPECT_EQ(f.seen, expected);
    EXPECT_EQ(f.h.slideWait.delays, std::vector<std::chrono::milliseconds>(4, 3000ms));
    EXPECT_EQ(f.h.slideWait.clock, 12s);
    // The end: the last slide is the shown picture, the buttons are back.
    EXPECT_EQ(child<StyledButton>(*f.v, "cmdSlide")->Caption(), "Slide");
    EXPECT_EQ(f.shownName(), "d.bmp");
    EXPECT_TRUE(child<PictureBox>(*f.v, "Image1")->isVisible());
    EXPECT_FALSE(child<PictureBox>(*f.v, "PicMovie")->isVisible());
    EXPECT_EQ(child<PictureBox>(*f.v, "picResult")->picture().pixel(0, 0), kD);
    EXPECT_EQ(child<PictureBox>(*f.v, "Source")->picture().pixel(0, 0), kD);
    EXPECT_TRUE(f.h.enabled("File1") && f.h.enabled("opt_folders_0") && f.h.enabled("cmdZoom"));
}

TEST(frmViewerSlide, DelayFollowsTheTimingAndItsMenuCheck)
{
    const struct {
        int timing;
        std::chrono::milliseconds delay;
        int checked;
    } cases[] = {{0, 10ms, 0}, {9, 10000ms, 9}, {12, 200ms, -1}};
    for (const auto& c : cases) {
        SlideShowViewer f(c.timing);
        f.v->mnu3slidetiming_Click();
        for (int i = 0; i < 10; ++i)
            EXPECT_EQ(child<QAction>(*f.v, "mnu3Timing_" + QString::number(i))->isChecked(), i == c.checked)
                << c.timing << " item " << i;
        f.v->cmdSlide_Click();
        EXPECT_EQ(f.h.slideWait.delays, std::vector<std::chrono::milliseconds>(3, c.delay)) << c.timing;
    }
    SlideShowViewer f(3);
    child<QAction>(*f.v, "mnu3Timing_8")->trigger();
    EXPECT_EQ(f.h.s.SlideTiming, 8);
    EXPECT_TRUE(child<QAction>(*f.v, "mnu3Timing_8")->isChecked());
    f.v->cmdSlide_Click();  // the next show waits 6 s on each slide
    EXPECT_EQ(f.h.slideWait.delays, std::vector<std::chrono::milliseconds>(3, 6000ms));
    emit child<StyledButton>(*f.v, "cmdSlide")->MouseDown(buttons::kMouseRight, 0, 0, 0);
    EXPECT_TRUE(child<QMenu>(*f.v, "mnu3slidetiming")->isVisible());
    child<QMenu>(*f.v, "mnu3slidetiming")->hide();
}

TEST(frmViewerSlide, ASecondClickStopsOnTheSlideShowing)
{
    SlideShowViewer f(6);
    f.h.slideWait.during = [&f](int wait) {
        f.record();
        if (wait == 1) {
            EXPECT_EQ(child<StyledButton>(*f.v, "cmdSlide")->Caption(), "Pause");
            EXPECT_TRUE(f.h.enabled("cmdSlide"));
            EXPECT_FALSE(f.h.enabled("File1") || f.h.enabled("cmdZoom") || f.h.enabled("StyledButton1_0"));
            f.h.select("d.bmp");  // a click on the list changes nothing while the show runs
            EXPECT_EQ(f.shownName(), "a.bmp");
        }
        if (wait == 2)
            emit child<StyledButton>(*f.v, "cmdSlide")->Click();  // the second click runs the handler again
    };
    f.h.select("a.bmp");
    ASSERT_TRUE(f.h.enabled("cmdSlide"));
    f.clickSlide();
    ASSERT_GE(f.seen.size(), 2u);
    EXPECT_EQ(f.seen[1], (SlideSeen{"c.bmp", 1, kC}));
    EXPECT_EQ(f.h.slideWait.delays.size(), 2u);  // no slide after the stop
    EXPECT_EQ(child<StyledButton>(*f.v, "cmdSlide")->Caption(), "Slide");
    EXPECT_EQ(f.shownName(), "c.bmp");
    EXPECT_EQ(child<platform::FileListBox>(*f.v, "File1")->ListIndex(), 1);
    EXPECT_EQ(child<PictureBox>(*f.v, "Image1")->picture().pixel(0, 0), kC);
    EXPECT_EQ(child<QLabel>(*f.v, "lblPicSize")->text(), "20 x 10 - 1KB");
    EXPECT_TRUE(child<PictureBox>(*f.v, "Image1")->isVisible());
    EXPECT_FALSE(child<PictureBox>(*f.v, "PicMovie")->isVisible());
    EXPECT_TRUE(f.h.enabled("File1") && f.h.enabled("StyledButton1_0"));
}

TEST(frmViewerSlide, StartsOverFromTheLastFileAndAOneFileFolderShowsItOnce)
{
    {
        SlideShowViewer f(3);
        f.h.select("d.bmp");
        f.v->cmdSlide_Click();
        ASSERT_EQ(f.seen.size(), 3u);
        EXPECT_EQ(f.seen.front().caption, "a.bmp");
    }
    {
        SlideShowViewer f(3);
        f.h.select("c.bmp");
        f.v->cmdSlide_Click();
        ASSERT_EQ(f.seen.size(), 2u);
        EXPECT_EQ(f.seen.front().caption, "c.bmp");
    }
    ViewerHarness h;
    ViewerHarness::bmp(h.s.PicturePath, "only.bmp");
    frmViewer& v = h.open();
    v.cmdSlide_Click();
    EXPECT_EQ(h.slideWait.delays.size(), 1u);
    EXPECT_EQ(child<StyledButton>(v, "cmdSlide")->Caption(), "Slide");
    EXPECT_EQ(QFileInfo(v.frameCaption()).fileName(), "only.bmp");
}

TEST(frmViewerSlide, ClosingTheViewerDuringADelayEndsTheShow)
{
    SlideShowViewer f(9);
    f.h.slideWait.during = [&f](int wait) {
        if (wait == 1)
            f.v->close();
    };
    f.v->cmdSlide_Click();
    EXPECT_EQ(f.h.slideWait.delays.size(), 1u);
    EXPECT_GE(f.h.slideWait.stops, 1);
    EXPECT_TRUE(child<PictureBox>(*f.v, "picResult")->isEmpty());
    f.h.v.reset();  // the window goes after the show has ended
}

TEST(frmViewerSlide, TheWindowsOwnWaitRunsTheShowAndEndsAtClosing)
{
    ViewerHarness h;
    h.s.SlideTiming = 0;
    for (const char* name : {"a.bmp", "b.bmp", "c.bmp"})
        ViewerHarness::bmp(h.s.PicturePath, name);
    {
        frmViewer v(h.s, h.link, ViewerServices{h.shell, h.prompts, h.session, &h.player});
        v.Form_Load();
        v.cmdSlide_Click();
        EXPECT_EQ(child<StyledButton>(v, "cmdSlide")->Caption(), "Slide");
        EXPECT_EQ(QFileInfo(v.frameCaption()).fileName(), "c.bmp");
    }
    h.s.SlideTiming = 9;  // ten seconds a slide
    frmViewer v(h.s, h.link, ViewerServices{h.shell, h.prompts, h.session, &h.player});
    v.Form_Load();
    v.show();
    QTimer::singleShot(50, &v, [&v] { v.close(); });
    QElapsedTimer elapsed;
    elapsed.start();
    v.cmdSlide_Click();
    EXPECT_LT(elapsed.elapsed(), 5000);
}
