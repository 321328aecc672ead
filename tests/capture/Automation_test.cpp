#include "Children.h"
#include "MainWindowHarness.h"
#include "buttons/StyledButton.h"
#include "platform/capdriver/TimeSource.h"
#include "platform/video/VideoRecording.h"

#include <QAbstractItemView>
#include <QDir>
#include <QImageReader>
#include <QLineEdit>
#include <QPainter>
#include <QScrollBar>
#include <QStyle>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

using platform::capdriver::CaptureSystem;
using platform::capdriver::ManualTimeSource;

namespace {

// The main window over a test-pattern device whose clock moves only when the test
// says so; every timer tick is called by hand, half a second or a second apart.
struct Automation : ::testing::Test, MainWindowHarness {
    std::shared_ptr<ManualTimeSource> clock = std::make_shared<ManualTimeSource>(0);
    QTime timeOfDay{12, 0};
    QList<qint64> uploadTimes;
    QList<QImage> uploadPictures;
    QStringList notices;
    QStringList titles;  // every title the window showed, in order

    frmMain& open(const QByteArray& scene, int option)
    {
        clock->set(0);
        qputenv("TOLVEX_SYNTH_SCENE", scene);
        qputenv("TOLVEX_SYNTH_CONNECT_FAIL", "0");
        capture = std::make_unique<CaptureSystem>(clock, nullptr);
        frmMain& m = start();
        m.setTimeOfDay([this] { return timeOfDay; });
        m.setDoTheFTP([this](QImage& picture) {
            uploadTimes << clock->msecsSinceStart();
            uploadPictures << picture;
        });
        QObject::connect(&m, &frmMain::noticeShown, [this](const QString& t) { notices << t; });
        QObject::connect(&m, &QWidget::windowTitleChanged, [this](const QString& t) { titles << t; });
        m.show();
        s.SaveConfirmation = 0;
        s.UseBurstAsSnapshot = 0;
        s.NoiseReduction = 0;
        s.MotionSensing = 3;
        s.SoundFlags = {0, 0, 1, 1};
        m.selectSaveOption(option);
        return m;
    }

    frmMain& previewing(const QByteArray& scene, int option)
    {
        frmMain& m = open(scene, option);
        m.cmdStart_Click();
        stopTimers(m);
        return m;
    }

    static void stopTimers(frmMain& m)
    {
        for (QTimer* t : {child<QTimer>(m, "tmrMain"), child<QTimer>(m, "tmrAutoSave"), child<QTimer>(m, "tmrAutoMotion"), child<QTimer>(m, "tmrTime")})
            t->stop();
    }

    // Half a second later the frame pump grabs that moment's frame, then the detector looks.
    void motionTicks(frmMain& m, int count)
    {
        for (int i = 0; i < count; ++i) {
            clock->advance(500);
            m.tmrMain_Timer();
            m.tmrAutoMotion_Timer();
        }
    }

    static QStringList picturesIn(const QString& folder)
    {
        return QDir(folder).entryList(QDir::Files, QDir::Name);
    }
};

}  // namespace

TEST_F(Automation, MotionSaveWritesPicturesOnlyAroundTheEvent)
{
    frmMain& m = previewing("event:at=10,for=3", 2);
    motionTicks(m, 60);
    // The frame turns at 10 s and back at 13 s; each turn is one motion.
    EXPECT_EQ(uploadTimes, QList<qint64>({10000, 13000}));
    const QStringList files = picturesIn(s.MotionPicsPath);
    EXPECT_EQ(files.size(), 2) << files.join(",").toStdString();
    for (const QString& f : files)
        EXPECT_TRUE(f.startsWith("Cam0Pic")) << f.toStdString();
    EXPECT_EQ(sound.played.count(box.programFolder() + "/sound4.bin"), 2);
    EXPECT_EQ(titles.count(m.baseTitle() + " *Motion detected*"), 2);
    EXPECT_EQ(m.windowTitle(), m.baseTitle() + " *MotionSave mode*");
    EXPECT_TRUE(picturesIn(s.AutoSavePath).isEmpty());
    EXPECT_TRUE(prompts.boxes.isEmpty());
}

TEST_F(Automation, AStillSceneWritesNothingInAMinute)
{
    for (const int16_t filter : {int16_t(0), int16_t(1)}) {
        frmMain& m = previewing("still", 2);
        s.NoiseReduction = filter;
        motionTicks(m, 120);
        EXPECT_TRUE(uploadTimes.isEmpty()) << "filter " << filter;
        EXPECT_TRUE(picturesIn(s.MotionPicsPath).isEmpty()) << "filter " << filter;
        EXPECT_EQ(m.windowTitle(), m.baseTitle() + " *MotionSave mode*");
    }
}

TEST_F(Automation, ConfirmationDecidesAndNeverTakesABurst)
{
    const struct {
        bool answer;
        int16_t burst;
        int pictures;
    } rows[] = {{false, 0, 0}, {false, 1, 0}, {true, 1, 2}};
    for (const auto& r : rows) {
        frmMain& m = previewing("event:at=10,for=3", 2);
        s.SaveConfirmation = 1;
        s.UseBurstAsSnapshot = r.burst;
        prompts.boxes.clear();
        prompts.yesNoAnswers = {r.answer, r.answer};
        uploadTimes.clear();
        sound.played.clear();
        motionTicks(m, 60);
        const QString question = "yesNo:Motion Detected|A motion has been detected.\nDo you want to save the image?";
        QStringList questions;
        for (const PromptsFake::Box& b : prompts.boxes)
            questions << b.kind + ":" + b.title + "|" + b.text;
        EXPECT_EQ(questions, QStringList({question, question}));
        const QStringList files = picturesIn(s.MotionPicsPath);
        EXPECT_EQ(files.size(), r.pictures) << "answer " << r.answer << " burst " << r.burst;
        for (const QString& f : files)
            EXPECT_FALSE(f.startsWith("Burst")) << f.toStdString();
        // The upload and the sound come before the question, whatever the answer.
        EXPECT_EQ(uploadTimes.size(), 2);
        EXPECT_EQ(sound.played.count(box.programFolder() + "/sound4.bin"), 2);
        for (const QString& f : files)
            QFile::remove(s.MotionPicsPath + "/" + f);
    }
}

TEST_F(Automation, MotionWithBurstsChosenTakesABurstIntoTheMotionFolder)
{
    frmMain& m = previewing("event:at=10,for=3", 2);
    s.UseBurstAsSnapshot = 1;
    s.MaxBurstFrames = 3;
    motionTicks(m, 30);
    const QStringList files = picturesIn(s.MotionPicsPath);
    EXPECT_EQ(files.size(), 6) << files.join(",").toStdString();  // two motions, three frames each
    for (const QString& f : files)
        EXPECT_TRUE(f.startsWith("Burst")) << f.toStdString();
    EXPECT_EQ(uploadTimes, QList<qint64>({10000, 13000}));
}

TEST_F(Automation, MotionRecordIgnoresTheFirstFourCycles)
{
    const struct {
        const char* scene;
        bool detected;
    } rows[] = {
        {"event:at=1,for=0.5", false},  // a change in the first cycle is never reported
        {"event:at=4,for=100", false},  // nor in the fourth (ticks at 3.5 s and 4 s)
        {"event:at=5,for=100", true},   // the fifth cycle (4.5 s and 5 s) is tested
    };
    for (const auto& r : rows) {
        titles.clear();
        frmMain& m = previewing(r.scene, 3);
        EXPECT_EQ(s.MotionRecordMode, 1);
        motionTicks(m, 20);
        EXPECT_EQ(titles.contains(m.baseTitle() + " *Motion detected*"), r.detected) << r.scene;
        EXPECT_TRUE(titles.contains(m.baseTitle() + " *MotionRecord mode*")) << r.scene;
        EXPECT_EQ(m.motionWarmup(), 5);
        EXPECT_TRUE(picturesIn(s.MotionPicsPath).isEmpty());
        m.cmdStop_Click();
        EXPECT_EQ(m.motionWarmup(), 0);
    }
}

TEST_F(Automation, AMotionTickInsideAnotherDoesNothing)
{
    frmMain& m = previewing("event:at=1,for=100", 2);
    int16_t nestedIndex = -1;
    m.setDoTheFTP([&](QImage&) {
        const int16_t before = int16_t(m.motionHistoryIndex());
        m.tmrAutoMotion_Timer();  // as a timer would run it during the upload's yields
        nestedIndex = m.motionHistoryIndex() == before ? before : int16_t(-2);
    });
    motionTicks(m, 2);
    EXPECT_EQ(nestedIndex, 0);
    EXPECT_EQ(picturesIn(s.MotionPicsPath).size(), 1);
}

TEST_F(Automation, UploadAndSaveEachStampTheirOwnCopy)
{
    // The upload draws on the work picture as its stamp does; the save after it must
    // not carry that mark, and the upload after an interval save gets no save stamp.
    frmMain& m = previewing("event:at=1,for=100", 2);
    s.SaveBitmapType = 1;
    s.EmbedTime = 0;
    m.setDoTheFTP([&](QImage& picture) {
        uploadPictures << picture;
        QPainter(&picture).fillRect(0, 0, 60, 60, Qt::red);
    });
    motionTicks(m, 2);
    const QStringList files = picturesIn(s.MotionPicsPath);
    ASSERT_EQ(files.size(), 1);
    const QImage saved = QImageReader(s.MotionPicsPath + "/" + files[0]).read();
    EXPECT_EQ(saved.pixel(30, 30), child<PreviewImage>(m, "Image4")->image().pixel(30, 30));

    uploadPictures.clear();
    s.EmbedTime = 1;
    m.selectSaveOption(1);
    child<IntervalBox>(m, "txtSaveInterval")->setText("1");
    m.tmrAutoSave_Timer();
    ASSERT_EQ(uploadPictures.size(), 1);
    EXPECT_EQ(uploadPictures[0], child<PreviewImage>(m, "Image4")->image());
    ASSERT_EQ(picturesIn(s.AutoSavePath).size(), 1);
}

TEST_F(Automation, AutoSaveEveryTwoSeconds)
{
    frmMain& m = previewing("still", 1);
    child<IntervalBox>(m, "txtSaveInterval")->setText("2");
    QStringList waitTitles;
    m.setSleep([&](int ms) { waitTitles << QString::number(ms) + " " + m.windowTitle(); });
    QList<int> counts;
    for (int second = 0; second < 6; ++second) {
        clock->advance(1000);
        m.tmrAutoSave_Timer();
        counts << picturesIn(s.AutoSavePath).size();
    }
    EXPECT_EQ(counts, QList<int>({0, 1, 1, 2, 2, 3}));
    const QString saving = "200 " + m.baseTitle() + " *** SAVING ***";
    EXPECT_EQ(waitTitles, QStringList({saving, saving, saving}));
    EXPECT_EQ(m.windowTitle(), m.baseTitle() + " *AutoSave mode*");
    EXPECT_EQ(sound.played.count(box.programFolder() + "/sound3.bin"), 3);
    EXPECT_EQ(uploadPictures.size(), 3);
    // The count starts again after each save: the next save is two seconds on.
    clock->advance(1000);
    m.tmrAutoSave_Timer();
    EXPECT_EQ(picturesIn(s.AutoSavePath).size(), 3);
    clock->advance(1000);
    m.tmrAutoSave_Timer();
    EXPECT_EQ(picturesIn(s.AutoSavePath).size(), 4);
}

TEST_F(Automation, AutoSaveWaitsForPreviewAndSkipsDuringARecording)
{
    frmMain& m = open("still", 1);
    child<IntervalBox>(m, "txtSaveInterval")->setText("2");
    m.tmrAutoSave_Timer();  // the preview is not running: no second counts
    m.cmdStart_Click();
    stopTimers(m);
    m.tmrAutoSave_Timer();
    EXPECT_TRUE(picturesIn(s.AutoSavePath).isEmpty()) << "the first second of the preview";
    m.tmrAutoSave_Timer();
    ASSERT_EQ(picturesIn(s.AutoSavePath).size(), 1);

    child<IntervalBox>(m, "txtSaveInterval")->setText("1");
    s.VidCompressDialog = 0;
    capture->setSequencerFactory(platform::video::makeAviSequencerFactory());
    if (!qEnvironmentVariableIsSet("TOLVEX_AUDIO"))
        qputenv("TOLVEX_AUDIO", "synthetic");
    QTest::mouseClick(child<StyledButton>(m, "cmdRecord"), Qt::LeftButton);
    ASSERT_TRUE(m.recording());
    stopTimers(m);
    for (int i = 0; i < 3; ++i)
        m.tmrAutoSave_Timer();
    EXPECT_EQ(picturesIn(s.AutoSavePath).size(), 1) << "no save during the recording";
    m.cmdStop_Click();
    ASSERT_FALSE(m.recording());
    ASSERT_TRUE(m.previewRunning()) << "the preview runs again after the recording";
    stopTimers(m);
    m.tmrAutoSave_Timer();
    EXPECT_EQ(picturesIn(s.AutoSavePath).size(), 2);

    // Manual mode starts the count again: a second counted before does not carry over.
    child<IntervalBox>(m, "txtSaveInterval")->setText("2");
    m.tmrAutoSave_Timer();
    m.selectSaveOption(0);
    m.tmrAutoSave_Timer();
    EXPECT_EQ(m.windowTitle(), m.baseTitle());
    m.selectSaveOption(1);
    stopTimers(m);
    m.tmrAutoSave_Timer();
    EXPECT_EQ(picturesIn(s.AutoSavePath).size(), 2);
    m.tmrAutoSave_Timer();
    EXPECT_EQ(picturesIn(s.AutoSavePath).size(), 3);
}

TEST_F(Automation, AFailingAutomaticSaveIsReportedOncePerRun)
{
    frmMain& m = previewing("still", 1);
    child<IntervalBox>(m, "txtSaveInterval")->setText("1");
    const QString good = s.AutoSavePath;
    s.AutoSavePath = box.root() + "/gone";
    for (int i = 0; i < 4; ++i)
        m.tmrAutoSave_Timer();
    ASSERT_EQ(notices.size(), 1);
    EXPECT_TRUE(notices[0].startsWith("Picture NOT saved: ")) << notices[0].toStdString();
    s.AutoSavePath = good;
    m.tmrAutoSave_Timer();
    s.AutoSavePath = box.root() + "/gone";
    m.tmrAutoSave_Timer();
    EXPECT_EQ(notices.size(), 2);
}

TEST_F(Automation, TimeWindowThroughTheNight)
{
    frmMain& m = open("still", 0);
    s.AutoTimer = 1;
    s.StartTime = "22:00";
    s.StopTime = "06:00";
    stopTimers(m);

    timeOfDay = QTime(21, 59);
    m.tmrTime_Timer();
    EXPECT_EQ(m.windowTitle(), m.baseTitle() + " *Timer start 22:00*");
    EXPECT_FALSE(m.previewRunning());

    timeOfDay = QTime(22, 0);
    m.tmrTime_Timer();
    EXPECT_TRUE(m.previewRunning());
    EXPECT_TRUE(child<StyledButton>(m, "OptSaveChoice", 1)->Value());
    EXPECT_EQ(s.SaveMode, 1);
    EXPECT_TRUE(child<QTimer>(m, "tmrAutoSave")->isActive());
    EXPECT_EQ(m.windowTitle(), m.baseTitle() + " *TimeAutoSave mode*");
    const qint32 window = m.capwnd();

    for (QTime t : {QTime(23, 0), QTime(3, 0), QTime(5, 59)}) {
        timeOfDay = t;
        m.tmrTime_Timer();
        EXPECT_EQ(m.capwnd(), window) << "no restart inside the window";
        EXPECT_EQ(m.windowTitle(), m.baseTitle() + " *TimeAutoSave mode*");
    }

    timeOfDay = QTime(6, 0);
    m.tmrTime_Timer();
    EXPECT_TRUE(child<StyledButton>(m, "OptSaveChoice", 0)->Value());
    EXPECT_EQ(s.SaveMode, 0);
    EXPECT_FALSE(child<QTimer>(m, "tmrAutoSave")->isActive());
    EXPECT_FALSE(child<QTimer>(m, "tmrAutoMotion")->isActive());
    EXPECT_EQ(s.AutoTimer, 0);
    EXPECT_EQ(m.windowTitle(), m.baseTitle());
    EXPECT_TRUE(m.previewRunning());  // the preview keeps running

    timeOfDay = QTime(22, 0);  // one-shot: the next evening does nothing
    m.tmrTime_Timer();
    EXPECT_EQ(m.windowTitle(), m.baseTitle());
}

TEST_F(Automation, TimeWindowKeepsAMotionModeAndSavesBesideIt)
{
    frmMain& m = open("still", 2);
    s.AutoTimer = 1;
    s.StartTime = "08:00";
    s.StopTime = "17:00";
    timeOfDay = QTime(9, 30);
    m.tmrTime_Timer();
    stopTimers(m);
    EXPECT_TRUE(child<StyledButton>(m, "OptSaveChoice", 2)->Value());
    EXPECT_EQ(s.SaveMode, 2);
    EXPECT_EQ(m.windowTitle(), m.baseTitle() + " *TimeMotionSave mode*");
    child<IntervalBox>(m, "txtSaveInterval")->setText("1");
    m.tmrAutoSave_Timer();
    EXPECT_EQ(picturesIn(s.MotionPicsPath).size(), 1);  // the folder of the mode

    // Woken after the stop minute: the window is left all the same.
    timeOfDay = QTime(18, 15);
    m.tmrTime_Timer();
    EXPECT_FALSE(m.windowTitle().contains(" *Time")) << m.windowTitle().toStdString();
    EXPECT_EQ(s.AutoTimer, 0);
    EXPECT_TRUE(child<StyledButton>(m, "OptSaveChoice", 0)->Value());
}

TEST_F(Automation, TimeWindowWithABadStartTimeOnlyShowsTheTitle)
{
    frmMain& m = open("still", 0);
    s.AutoTimer = 1;
    s.StartTime = "7:30";
    s.StopTime = "17:00";
    timeOfDay = QTime(8, 0);
    m.tmrTime_Timer();
    EXPECT_EQ(m.windowTitle(), m.baseTitle() + " *Timer start 7:30*");
    EXPECT_FALSE(m.previewRunning());
    EXPECT_EQ(s.AutoTimer, 1);
}

TEST_F(Automation, IntervalBoxTakesListChoicesAndTheSpinnerButNoTyping)
{
    frmMain& m = open("still", 0);
    auto* box = m.findChild<IntervalBox*>("txtSaveInterval");
    auto* spinner = m.findChild<QScrollBar*>("VScroll1");
    ASSERT_TRUE(box && spinner);
    ASSERT_EQ(box->count(), 25);
    EXPECT_EQ(box->itemText(0), "2");
    EXPECT_EQ(box->itemText(24), "3600");
    EXPECT_EQ(box->toolTip(), "seconds");

    box->setText("30");
    QTest::keyClicks(box->lineEdit(), "99");
    EXPECT_EQ(box->text(), "30");
    box->setCurrentIndex(3);
    EXPECT_EQ(box->text(), "10");

    // The spinner starts at 60 whatever the box shows; its up arrow raises the value.
    const struct {
        QAbstractSlider::SliderAction action;
        const char* text;
    } steps[] = {
        {QAbstractSlider::SliderSingleStepSub, "61"},
        {QAbstractSlider::SliderPageStepSub, "71"},
        {QAbstractSlider::SliderSingleStepAdd, "70"},
        {QAbstractSlider::SliderToMinimum, "9999"},
        {QAbstractSlider::SliderToMaximum, "1"},
    };
    for (const auto& s : steps) {
        spinner->triggerAction(s.action);
        EXPECT_EQ(box->text(), s.text);
    }
    EXPECT_EQ(m.saveIntervalText(), "1");
}

// The list's popup is made when it first opens; it holds every interval and a
// choice from it sets the box.
TEST_F(Automation, IntervalBoxListOpensAndAChoiceSetsTheBox)
{
    frmMain& m = open("still", 0);
    m.show();
    auto* box = m.findChild<IntervalBox*>("txtSaveInterval");
    ASSERT_TRUE(box);
    box->showPopup();
    QAbstractItemView* list = box->view();
    ASSERT_TRUE(QTest::qWaitFor([list] { return list->isVisible(); }, 5000)) << "the list did not open";
    EXPECT_EQ(list->model()->rowCount(), 25);
    list->setCurrentIndex(list->model()->index(4, 0));
    QTest::keyClick(list, Qt::Key_Return);
    EXPECT_TRUE(QTest::qWaitFor([list] { return !list->isVisible(); }, 5000)) << "the list stayed open";
    EXPECT_EQ(box->text(), "15");
    EXPECT_EQ(m.saveIntervalText(), "15");
}

TEST_F(Automation, IntervalBoxShowsTwoDigitValuesWhole)
{
    frmMain& m = open("still", 0);
    m.show();
    auto* box = m.findChild<IntervalBox*>("txtSaveInterval");
    ASSERT_TRUE(box);
    QLineEdit* edit = box->lineEdit();
    const QMargins margins = edit->textMargins();
    const int frame = edit->hasFrame() ? 2 * edit->style()->pixelMetric(QStyle::PM_DefaultFrameWidth) : 0;
    const int lineEditInnerMargins = 4;  // QLineEdit keeps two pixels on each side of its text
    const int room = edit->width() - margins.left() - margins.right() - frame - lineEditInnerMargins;
    for (const char* seconds : {"30", "60"})
        EXPECT_GE(room, edit->fontMetrics().horizontalAdvance(seconds)) << seconds << " (" << edit->fontMetrics().horizontalAdvance(seconds) << " px) in " << edit->width() << " px";
}
