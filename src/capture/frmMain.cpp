#include "capture/frmMain.h"

#include "automation/DoTheFTP.h"
#include "capture/CaptureLog.h"
#include "capture/FrmMessage.h"
#include "capture/NoticeWait.h"
#include "settings/Prompts.h"
#include "settings/Registry.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>

#include <utility>

frmMain::frmMain(SettingsModel& settings, MainServices services, QWidget* parent)
    : QWidget(parent),
      s_(settings),
      registry_(services.registry),
      capture_(services.capture),
      sound_(services.sound),
      shell_(services.shell),
      ftp_(services.ftp)
{
    setObjectName("frmMain");
    endProcess_ = [] { QCoreApplication::exit(0); };
    sleep_ = waitWithoutInput;
    buildControls();
    connectHandlers();
    applyPreviewControls(PreviewMoment::StartUp);
}

frmMain::~frmMain()
{
    delete escapeWatch_;
}

void frmMain::ShowMessage(const QString& text)
{
    if (!notice_)
        notice_ = new FrmMessage(s_, this);
    notice_->showNotice(text);
    emit noticeShown(text);
}

void frmMain::UnloadMessage()
{
    if (notice_)
        delete notice_.data();
}

void frmMain::showSettingsSaveError(int errorNumber, const QString& description)
{
    const auto box = settingsSaveErrorBoxTexts(errorNumber, description);
    qCWarning(lcCapture).noquote() << box.title << "-" << QString(box.text).replace("\r\n", " ");
    prompts().message(this, box.text, box.title, BoxIcon::Exclamation);
}

void frmMain::closeEvent(QCloseEvent* event)
{
    Form_QueryUnload();
    Form_Unload();
    event->accept();
}

void frmMain::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        Form_Activate();
    QWidget::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange && !windowState().testFlag(Qt::WindowMinimized))
        if (const std::optional<QSize> outer = std::exchange(sizeWhenRestored_, std::nullopt))
            setOuterSizeAsIs(*outer);
}

void frmMain::yield()
{
    QCoreApplication::processEvents();
}

void frmMain::sleep(int milliseconds)
{
    const TimerTicksHeld held({tmrMain, tmrCheckSize, tmrAutoSave, tmrAutoMotion, tmrTime, tmrFlash});
    sleep_(milliseconds);
}
