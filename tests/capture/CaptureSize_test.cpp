#include "Children.h"
#include "MainWindowHarness.h"
#include "ModalAnswer.h"
#include "PromptsFake.h"
#include "buttons/StyledButton.h"
#include "capture/frmCamRes.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QImageReader>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>

namespace {

using platform::capdriver::BitmapFormat;

struct CaptureSize : ::testing::Test, MainWindowHarness {
    QStringList notices;
    PromptsFake prompts;

    frmMain& previewing(int howToCheckDriver, const QByteArray& devices = "1",
                        const QByteArray& sizes = "640x480,1280x720", const QByteArray& first = "640x480")
    {
        qputenv("TOLVEX_SYNTH_CONNECT_FAIL", "0");
        qputenv("TOLVEX_SYNTH_DEVICES", devices);
        qputenv("TOLVEX_SYNTH_SIZES", sizes);
        qputenv("TOLVEX_SYNTH_FORMAT", first);
        capture->reloadSettings();
        return restartPreviewing(howToCheckDriver);
    }
    // A later run of the program over the same folders.
    frmMain& restartPreviewing(int howToCheckDriver)
    {
        frmMain& m = w ? restart() : start();
        m.setPrompts(prompts);
        QObject::connect(&m, &frmMain::noticeShown, [this](const QString& t) { notices << t; });
        s.HowToCheckDriver = int16_t(howToCheckDriver);
        m.show();
        m.cmdStart_Click();
        return m;
    }
    QByteArray cache() const { return box.readFile("DevicesDatabase.log"); }

    // Picks an item of the chooser by its text (nothing when empty) and clicks a command.
    static std::function<void(QDialog&)> choose(const QString& size, const QString& depth, int command,
                                                QStringList* offered = nullptr)
    {
        return [=](QDialog& d) {
            auto& chooser = static_cast<frmCamRes&>(d);
            auto* sizes = child<QComboBox>(chooser, "cmbRes");
            auto* depths = child<QComboBox>(chooser, "cmbCol");
            if (offered)
                for (int i = 0; i < sizes->count(); ++i)
                    offered->append(sizes->itemText(i));
            if (!size.isEmpty())
                sizes->setCurrentIndex(sizes->findText(size));
            if (!depth.isEmpty())
                depths->setCurrentIndex(depths->findText(depth));
            emit child<StyledButton>(chooser, "commands_" + QString::number(command))->Click();
        };
    }
    static std::function<void(QDialog&)> cancel() { return choose({}, {}, frmCamRes::kCommandCancel); }

    BitmapFormat deviceFormat()
    {
        BitmapFormat f;
        EXPECT_TRUE(capture->capGetVideoFormat(w->capwnd(), f));
        return f;
    }
};

const QByteArray kPatternRecord =
    "Tolvex Test Pattern\r\n;160x120@24;176x144@24;320x240@24;352x288@24;640x480@24;1280x720@24\r\n";

}  // namespace

TEST_F(CaptureSize, FirstCheckProbesAndCachesThenARestartReadsTheCache)
{
    frmMain& m = previewing(kProbeByCache);
    {
        ModalAnswer chooser("frmCamRes", cancel());
        m.cmdVideoSize_Click();
        EXPECT_EQ(chooser.times(), 1);
    }
    EXPECT_EQ(notices.first(), "First time Initialising...");
    EXPECT_TRUE(notices.contains("We are almost there..."));
    EXPECT_EQ(m.resolutionCount(), 1);
    EXPECT_EQ(s.ResolutionList[5], "1280x720@24");
    EXPECT_EQ(s.ResolutionList[6], "");
    EXPECT_EQ(cache(), kPatternRecord);
    EXPECT_EQ(child<PreviewImage>(m, "Image4")->image().size(), QSize(640, 480)) << "the frame size is put back";
    EXPECT_EQ(s.MessageHold, 0);
    QTRY_VERIFY_WITH_TIMEOUT(m.notice() == nullptr, 3000);

    notices.clear();
    frmMain& again = restartPreviewing(kProbeByCache);
    QStringList offered;
    ModalAnswer second("frmCamRes", choose({}, {}, frmCamRes::kCommandCancel, &offered));
    again.cmdVideoSize_Click();
    EXPECT_EQ(second.times(), 1);
    EXPECT_TRUE(notices.isEmpty()) << notices.join('|').toStdString();
    EXPECT_EQ(s.ResolutionList[0], "");
    EXPECT_EQ(s.ResolutionList[6], "1280x720@24");
    EXPECT_EQ(again.resolutionCount(), 7);
    EXPECT_EQ(offered, QStringList({"160x120", "176x144", "320x240", "352x288", "640x480", "1280x720"}));
    EXPECT_EQ(cache(), kPatternRecord) << "nothing appended";
}

TEST_F(CaptureSize, EachDeviceGetsOnlyItsOwnSizes)
{
    frmMain& m = previewing(kProbeByCache, "2", "640x480,800x600,1024x768,1280x720,1600x1200");
    {
        ModalAnswer chooser("frmCamRes", cancel());
        m.cmdVideoSize_Click();
    }
    EXPECT_EQ(s.ResolutionList[8], "1600x1200@24");

    qputenv("TOLVEX_SYNTH_SIZES", "640x480,800x600");
    capture->reloadSettings();
    m.mnudevices_Click(1);
    QStringList offered;
    ModalAnswer chooser("frmCamRes", choose({}, {}, frmCamRes::kCommandCancel, &offered));
    m.cmdVideoSize_Click();
    EXPECT_EQ(offered, QStringList({"160x120", "176x144", "320x240", "352x288", "640x480", "800x600"}));
    const QByteArray secondRecord =
        "Tolvex Test Pattern 2\r\n;160x120@24;176x144@24;320x240@24;352x288@24;640x480@24;800x600@24\r\n";
    EXPECT_TRUE(cache().endsWith(secondRecord)) << cache().toStdString();
    EXPECT_EQ(cache().count("\r\n"), 4);
}

TEST_F(CaptureSize, NeverProbesAndOpensTheDriversFormatDialog)
{
    frmMain& m = previewing(kProbeNever);
    QStringList sizes, depths;
    ModalAnswer dialog("videoFormatDialog", [&](QDialog& d) {
        auto* sizeList = d.findChild<QComboBox*>("sizeList");
        auto* depthList = d.findChild<QComboBox*>("depthList");
        for (int i = 0; i < sizeList->count(); ++i)
            sizes << sizeList->itemText(i);
        for (int i = 0; i < depthList->count(); ++i)
            depths << depthList->itemText(i);
        sizeList->setCurrentIndex(sizeList->findText("1280x720"));
        d.findChild<QPushButton*>("okButton")->click();
    });
    m.cmdVideoSize_Click();
    EXPECT_EQ(dialog.times(), 1);
    EXPECT_EQ(sizes, QStringList({"640x480", "1280x720"}));
    EXPECT_EQ(depths, QStringList({"16", "24", "32"}));
    EXPECT_TRUE(notices.isEmpty());
    EXPECT_EQ(m.resolutionCount(), 0);
    EXPECT_TRUE(m.resolutionsChecked());
    EXPECT_TRUE(cache().isEmpty());
    EXPECT_EQ(child<PreviewImage>(m, "Image4")->image().size(), QSize(1280, 720));
    EXPECT_EQ(child<StyledButton>(m, "cmdVideoSize")->Caption(), "&Video Size 1280x720");
}

TEST_F(CaptureSize, AlwaysProbesEveryTimeAndWritesNothing)
{
    frmMain& m = previewing(kProbeAlways);
    ModalAnswer chooser("frmCamRes", cancel());
    m.cmdVideoSize_Click();
    EXPECT_EQ(notices.count("First time Initialising..."), 1);
    // The device's source dialog, in this mode, makes the next command probe again.
    EXPECT_TRUE(cancellingDialog([&m] { QTest::mouseClick(child<StyledButton>(m, "cmdCamOptions"), Qt::LeftButton); }));
    m.cmdVideoSize_Click();
    EXPECT_EQ(chooser.times(), 2);
    EXPECT_EQ(notices.count("First time Initialising..."), 2);
    EXPECT_TRUE(cache().isEmpty());
    EXPECT_EQ(m.resolutionCount(), 1);
}

TEST_F(CaptureSize, ChoosingALargerSizeSnapshotsItAndGrowsTheWindow)
{
    frmMain& m = previewing(kProbeAlways);
    const int before = m.frameGeometry().width();
    ModalAnswer chooser("frmCamRes", choose("1280x720", "Auto", frmCamRes::kCommandOk));
    m.cmdVideoSize_Click();
    EXPECT_EQ(deviceFormat(), (BitmapFormat{1280, 720, 24, 0}));
    EXPECT_EQ(m.captureSize().width(), 1280);
    EXPECT_EQ(m.captureSize().height(), 720);
    EXPECT_EQ(child<StyledButton>(m, "cmdVideoSize")->Caption(), "&Video Size 1280x720");
    EXPECT_EQ(s.SelectedResolution, "1280x720");
    EXPECT_EQ(s.SelectedColorDepth, 24);
    EXPECT_GT(m.frameGeometry().width(), before);
    EXPECT_EQ(m.frameGeometry().size(), QSize(96 + 1280 + 22, 52 + 720 + 48));

    m.cmdSnapShot_Click();
    const QStringList files = QDir(s.PicturePath).entryList(QDir::Files);
    ASSERT_EQ(files.size(), 1);
    EXPECT_EQ(QImageReader(s.PicturePath + "/" + files[0]).size(), QSize(1280, 720));
}

TEST_F(CaptureSize, DepthChoicesReachTheDriver)
{
    const std::pair<const char*, quint16> cases[] = {{"YUY2", 16}, {"I420", 32}, {"Auto", 24}};
    frmMain& m = previewing(kProbeAlways);
    for (const auto& [depth, bits] : cases) {
        SCOPED_TRACE(depth);
        ModalAnswer chooser("frmCamRes", choose("1280x720", depth, frmCamRes::kCommandOk));
        m.cmdVideoSize_Click();
        EXPECT_EQ(deviceFormat(), (BitmapFormat{1280, 720, bits, 0}));
    }
}

TEST_F(CaptureSize, ARefusedSizeShowsTheBoxAndKeepsTheOldOne)
{
    frmMain& m = previewing(kProbeAlways);
    const qint32 window = m.capwnd();
    ModalAnswer chooser("frmCamRes", choose("160x120", "Auto", frmCamRes::kCommandOk));
    m.cmdVideoSize_Click();
    ASSERT_EQ(prompts.boxes.size(), 1);
    EXPECT_EQ(prompts.boxes[0].text, "Invalid resolution or color depth selected for this device.");
    EXPECT_EQ(prompts.boxes[0].title, "Invallid Videoformat: 160x120@24");
    EXPECT_EQ(prompts.boxes[0].icon, BoxIcon::Exclamation);
    EXPECT_EQ(m.capwnd(), window) << "the preview is not restarted";
    EXPECT_EQ(deviceFormat().size(), QSize(640, 480));
    EXPECT_EQ(child<PreviewImage>(m, "Image4")->image().size(), QSize(640, 480));
    EXPECT_EQ(child<StyledButton>(m, "cmdVideoSize")->Caption(), "&Video Size 640x480");
}

TEST_F(CaptureSize, CancelSendsNothingButRefreshesAndFits)
{
    frmMain& m = previewing(kProbeAlways);
    {
        ModalAnswer chooser("frmCamRes", choose("1280x720", "Auto", frmCamRes::kCommandOk));
        m.cmdVideoSize_Click();
    }
    ASSERT_EQ(child<PreviewImage>(m, "Image4")->image().size(), QSize(1280, 720));
    ModalAnswer chooser("frmCamRes", [](QDialog& d) {
        auto& c = static_cast<frmCamRes&>(d);
        EXPECT_EQ(child<QComboBox>(c, "cmbRes")->currentText(), "1280x720") << "the current size is preselected";
        EXPECT_EQ(child<QComboBox>(c, "cmbCol")->currentText(), "Auto");
        emit child<StyledButton>(c, "commands_" + QString::number(frmCamRes::kCommandCancel))->Click();
    });
    m.cmdVideoSize_Click();
    EXPECT_EQ(chooser.times(), 1);
    EXPECT_EQ(s.SelectedResolution, "");
    EXPECT_EQ(deviceFormat().size(), QSize(1280, 720));
}

TEST_F(CaptureSize, SmallFrameBringsTheStandardWindowBack)
{
    frmMain& m = previewing(kProbeAlways, "1", "320x240,640x480", "320x240");
    // The frame pump ticks only where the test says: a tick of its timer in the
    // command's last yield would give the picture the frame's size before the check.
    child<QTimer>(m, "tmrMain")->stop();
    {
        ModalAnswer dialog("videoFormatDialog", [](QDialog& d) { d.findChild<QPushButton*>("cancelButton")->click(); });
        m.cmdVideoSize_Click();
        EXPECT_EQ(dialog.times(), 1) << "no probed size: the driver's own dialog";
    }
    EXPECT_EQ(m.captureSize().width(), 320);
    EXPECT_EQ(child<PreviewImage>(m, "Image4")->size(), QSize(352, 288));
    // The standard window size, rounded up to whole pixels as the minimum is.
    EXPECT_EQ(m.frameGeometry().size(), QSize((7125 + 14) / 15, (5605 + 14) / 15));
    // Not stretched, the picture takes the next frame's own size; the window stays.
    m.tmrMain_Timer();
    EXPECT_EQ(child<PreviewImage>(m, "Image4")->size(), QSize(320, 240));
    EXPECT_EQ(m.frameGeometry().size(), QSize((7125 + 14) / 15, (5605 + 14) / 15));
}

TEST_F(CaptureSize, ModalChooserDropsStayOnTopMeanwhile)
{
    frmMain& m = previewing(kProbeNever);
    s.StayOnTop = 1;
    m.SetAlwaysOnTop(true);
    bool onTopInside = true;
    ModalAnswer dialog("videoFormatDialog", [&](QDialog& d) {
        onTopInside = m.windowFlags().testFlag(Qt::WindowStaysOnTopHint);
        d.findChild<QPushButton*>("cancelButton")->click();
    });
    m.cmdVideoSize_Click();
    EXPECT_FALSE(onTopInside);
    EXPECT_TRUE(m.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
}

TEST_F(CaptureSize, CaptionFollowsTheFrameAndNothingHappensWithoutADevice)
{
    frmMain& m = previewing(kProbeAlways);
    m.tmrCheckSize_Timer();
    EXPECT_EQ(child<StyledButton>(m, "cmdVideoSize")->Caption(), "&Video Size 640x480");
    EXPECT_TRUE(child<QTimer>(m, "tmrCheckSize")->isActive());
    m.cmdStop_Click();
    m.cmdVideoSize_Click();
    EXPECT_TRUE(notices.isEmpty());
    EXPECT_FALSE(m.resolutionsChecked());
}

TEST_F(CaptureSize, ADeviceTakingEverySizeListsTheFirstEleven)
{
    frmMain& m = previewing(kProbeAlways, "1",
                            "640x480,720x480,800x450,800x448,800x600,960x544,1024x768,1280x720,1280x800,"
                            "1280x960,1280x1024,1600x1200,1600x1280");
    ModalAnswer chooser("frmCamRes", cancel());
    m.cmdVideoSize_Click();
    EXPECT_EQ(m.resolutionCount(), 12);
    EXPECT_EQ(s.ResolutionList[5], "720x480@24");
    EXPECT_EQ(s.ResolutionList[15], "1600x1200@24");
    EXPECT_EQ(deviceFormat().size(), QSize(640, 480)) << "the frame size is put back";
}
