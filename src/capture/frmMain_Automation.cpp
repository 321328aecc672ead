// The clock-driven automation of the main window: interval saving, the daily time
// window and motion detection. The decisions are made in src/automation; this file
// applies them to the window.
#include "capture/frmMain.h"

#include "automation/DoTheFTP.h"
#include "core/IntervalSave.h"
#include "buttons/StyledButton.h"
#include "capture/PictureSaving.h"
#include "core/SaveModes.h"
#include "settings/Module1Sounds.h"

#include <QScopedValueRollback>
#include <QScrollBar>
#include <QTimer>

namespace {

// How long the title shows " *** SAVING ***"; the wait blocks without yielding.
constexpr int kSavingTitleMs = 200;

}  // namespace

void frmMain::tmrAutoSave_Timer()
{
    const automation::IntervalInputs in{!cmdStart->Enabled(), checkedSaveOption(), s_.AutoTimer != 0,
                                        InTimeWindow, txtSaveInterval->text(), Recording};
    const automation::IntervalStep step = automation::intervalTick(in, AutoSaveSeconds);
    if (step == automation::IntervalStep::Manual)
        setWindowTitle(BaseTitle);
    else if (step == automation::IntervalStep::Save)
        intervalSave();
}

void frmMain::intervalSave()
{
    const QString kept = windowTitle();
    const QImage frame = Image4->image();
    PicContainer.image = frame;
    yield();
    PicContainer.image = frame;
    saveAutomatically(QString());
    // The save stamped the work picture; the upload stamps a clean copy of the same frame.
    PicContainer.image = frame;
    DoTheFTP();
    setWindowTitle(BaseTitle + titletext::kSaving);
    sleep(kSavingTitleMs);
    PlayEventSound(s_, sound_, EventSound::AutoSave);
    yield();
    AutoSaveSeconds = 0;
    setWindowTitle(kept);
}

void frmMain::tmrTime_Timer()
{
    const automation::TimeWindowStep step = automation::timeWindowTick(
        s_.AutoTimer != 0, InTimeWindow, s_.StartTime, s_.StopTime, timeOfDay_());
    if (step.forget)
        InTimeWindow = false;
    if (step.showTimerStart)
        setWindowTitle(BaseTitle + titletext::timerStart(s_.StartTime));
    if (step.inside)
        enterTimeWindow(step.startPreview);
    if (step.leave)
        leaveTimeWindow();
}

void frmMain::enterTimeWindow(bool startPreview)
{
    if (startPreview)
        cmdStart_Click();
    InTimeWindow = true;
    if (!tmrAutoSave->isActive())
        tmrAutoSave->start();
    if (s_.SaveMode != kModeManual)
        OptionSaveMode();
    else
        selectSaveOption(kModeAutoSave);
}

void frmMain::leaveTimeWindow()
{
    selectSaveOption(kModeManual);
    tmrAutoSave->stop();
    tmrAutoMotion->stop();
    s_.AutoTimer = 0;
    InTimeWindow = false;
    setWindowTitle(BaseTitle);
}

void frmMain::tmrAutoMotion_Timer()
{
    // A tick that ran inside another one's yields would report the same motion twice
    // and shift the history under it.
    if (motionTickRunning_)
        return;
    const QScopedValueRollback<bool> running(motionTickRunning_, true);
    takePreviewPicture();
    yield();
    applyMotionOutcome(automation::motionTick(MotionHistory, MotionWarmup, PicContainer.image, s_));
}

void frmMain::applyMotionOutcome(automation::MotionOutcome outcome)
{
    using automation::MotionOutcome;
    if (outcome == MotionOutcome::WarmingUp && cmdStop->Enabled())
        setWindowTitle(BaseTitle + titletext::kMotionRecord);
    if (outcome == MotionOutcome::Quiet)
        if (const std::optional<int> mode = automation::quietTitleMode(s_, cmdStop->Enabled()))
            setWindowTitle(BaseTitle + modeTitleText(s_, *mode, TitleMoment::ModeChange));
    if (outcome == MotionOutcome::Motion)
        onMotion();
}

void frmMain::onMotion()
{
    setWindowTitle(BaseTitle + titletext::kMotionDetected);
    yield();
    AutoSaveSeconds = float(automation::leadingNumber(txtSaveInterval->text()) + 2);
    const QString kept = windowTitle();
    const QImage frame = Image4->image();
    PicContainer.image = frame;
    DoTheFTP();
    // The upload stamped the work picture; the save stamps a clean copy of the same frame.
    PicContainer.image = frame;
    const automation::MotionPlan plan = automation::motionPlan(s_);
    if (plan.playSound)
        PlayEventSound(s_, sound_, EventSound::Motion);
    if (!plan.ask ||
        prompts().yesNo(this, automation::motionQuestion(s_.SaveMode), automation::kMotionQuestionTitle, BoxIcon::None))
        runMotionSave(plan.action);
    yield();
    AutoSaveSeconds = 0;
    setWindowTitle(kept);
}

void frmMain::runMotionSave(automation::MotionSave action)
{
    switch (action) {
    case automation::MotionSave::Record: cmdRecord_Click(); break;
    case automation::MotionSave::Burst: cmdBurst_Click(); break;
    case automation::MotionSave::Picture: saveAutomatically(s_.MotionPicsPath); break;
    case automation::MotionSave::Nothing: break;
    }
}

void frmMain::saveAutomatically(const QString& folder)
{
    const SaveResult result = SaveImage(s_.FileCounter, folder);
    if (const std::optional<QString> notice = autoSaveFailures_.report(result.ok, result.reason))
        ShowMessage(*notice);
}

void frmMain::DoTheFTP()
{
    if (doTheFTP_) {
        doTheFTP_(PicContainer.image);
        return;
    }
    if (!uploader_)
        uploader_ = std::make_unique<FtpUploader>(s_, *this, this, [this](QImage& picture) { stampCopy(picture); }, ftp_);
    // The work picture holds the frame just saved; the preview may show a newer one.
    uploader_->DoTheFTP(PicContainer.image);
}

void frmMain::stampCopy(QImage& picture)
{
    WorkPicture copy{picture, PicContainer.font};
    drawStamp(copy, s_, QDateTime::currentDateTime());
    PicContainer.font = copy.font;
    picture = copy.image;
}

void frmMain::VScroll1_Change()
{
    txtSaveInterval->setText(QString::number(kSpinnerMax + 1 - VScroll1->value()));
    txtSaveInterval->setFocus();
}
