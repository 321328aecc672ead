// The main window's look and its small command handlers.
#include "capture/frmMain.h"

#include "buttons/StyledButton.h"
#include "capture/CaptureLog.h"
#include "capture/MainLook.h"
#include "capture/SaveModes.h"
#include "platform/gdi/GdiColour.h"
#include "platform/shell/Shell.h"
#include "settings/Module1Registry.h"

#include <QAction>
#include <QClipboard>
#include <QFileInfo>
#include <QGuiApplication>
#include <QPalette>
#include <QTimer>
#include <QUrl>

namespace {

void setBackground(QWidget* w, const QColor& colour)
{
    QPalette p = w->palette();
    p.setColor(QPalette::Window, colour);
    w->setPalette(p);
    w->setAutoFillBackground(true);
}

const char* const kIrfanViewOpenCommand = "SOFTWARE\\Classes\\IrfanView\\shell\\open\\command";

}  // namespace

void frmMain::Opmaak()
{
    const MainButtonLook look = mainButtonLook(s_.ButtonColor, s_.ButtonColors, s_.BackgroundColor);
    s_.BackgroundColor = look.background;
    const std::array<StyledButton*, 14> buttons = {
        cmdCamOptions, cmdVideoSize, cmdStart, cmdStop, cmdSnapShot, cmdRecord, cmdSetup,
        cmdAbout, cmdHelp, cmdSaveAs, cmdViewer, cmdBurst, StyledButton13, cmdOptions};
    for (StyledButton* b : buttons)
        b->setButtonStyle(s_.ButtonStyle);

    const QColor background =
        QColor::fromRgb(gdi::toQRgb(gdi::SystemColours::fromPalette(palette()).resolve(look.background)));
    for (QWidget* w : {static_cast<QWidget*>(this), Picture2, Picture3})
        setBackground(w, background);
    for (StyledButton* b : {Check1, OptSaveChoice[kModeAutoSave], OptSaveChoice[kModeMotionSave],
                            OptSaveChoice[kModeManual], Check3})
        b->setBackColor(look.background);

    for (int i = 0; i < 13; ++i)
        buttons[i]->setForeColor(look.captionColour);
    if (look.gradient)
        for (StyledButton* b : buttons)
            b->setGradientColor(*look.gradient);
    // The faces follow the colour's own start (dark under white captions), else the design's.
    for (StyledButton* b : buttons)
        b->setBackColor(look.face.value_or(buttonFace_));
}

void frmMain::FindIrfanView()
{
    s_.IrfanViewPath = irfanViewPathFrom(RegQueryString(registry_, kHkeyLocalMachine, kIrfanViewOpenCommand, ""));
}

void frmMain::cmdSetup_Click()
{
    if (!openers_.openSetup)
        return;
    const bool pausePump = s_.StreamSource == kStreamThroughFile && tmrMain->isActive();
    if (pausePump)
        tmrMain->stop();
    runModal([this] {
        openers_.openSetup();
        yield();
    });
    if (unloaded_)
        return;
    if (pausePump && capwnd_ != 0 && !tmrMain->isActive())
        tmrMain->start();
    if (s_.CaptureDevice != s_.DeviceListIndex)
        applyDeviceChoice();
}

void frmMain::applyDeviceChoice()
{
    markDeviceInUse();
    ResolutionsChecked = false;
    if (previewRunning()) {
        cmdStop_Click();
        yield();
        cmdStart_Click();
    } else {
        StopWork();
    }
}

void frmMain::cmdAbout_Click()
{
    runModal(openers_.openAbout);
}

void frmMain::cmdHelp_MouseDown(int, int, float, float)
{
    const QString manual = s_.AppPath + "/Manual.pdf";
    if (!QFileInfo(manual).isFile()) {
        qCInfo(lcCapture).noquote() << "no manual" << manual;
        return;
    }
    runModal([this, manual] {
        if (!shell_.openUrl(QUrl::fromLocalFile(manual)))
            qCInfo(lcCapture).noquote() << "no program opens the manual" << manual;
    });
}

void frmMain::cmdOptions_MouseDown(int, int, float, float)
{
    mnuOptionss_Click(kMenuMiniMode);
}

void frmMain::mnuoptions_Click()
{
    const OptionsMenuState state = optionsMenuState(cmdStart->Enabled(), fullScreen_);
    mnuOptionss[kMenuStartFeed]->setText(state.startFeedCaption);
    mnuOptionss[kMenuStop]->setEnabled(state.stopEnabled);
    mnuOptionss[kMenuMiniMode]->setEnabled(state.miniModeEnabled);
}

void frmMain::mnuOptionss_Click(int index)
{
    switch (index) {
    case kMenuSetup: cmdSetup_Click(); break;
    case kMenuCamOptions: cmdCamOptions_Click(); break;
    case kMenuVideoSize: cmdVideoSize_Click(); break;
    case kMenuOpenInViewer:
        runModal([this] {
            if (openers_.openViewer)
                openers_.openViewer(ViewerHandOff{});
        });
        break;
    case kMenuSavePictureNow: cmdSaveAs_Click(); break;
    case kMenuSaveAs: cmdSnapShot_Click(); break;
    case kMenuCopy: copyFrame(); break;
    case kMenuCopyToIrfanView: copyToIrfanView(); break;
    case kMenuStartFeed: cmdStart_Click(); break;
    case kMenuRecord: cmdRecord_Click(); break;
    case kMenuStop: cmdStop_Click(); break;
    case kMenuMiniMode:
        if (!fullScreen_)
            toggleButtonPanels();
        break;
    default: break;
    }
}

void frmMain::copyFrame()
{
    ShowMessage("Frame copied to clipboard");
    QClipboard* clipboard = QGuiApplication::clipboard();
    clipboard->clear();
    // A copy of its own: the frame pump's stop takes away only the pump's frames.
    const QImage frame = Image4->image().copy();
    if (!frame.isNull())
        clipboard->setImage(frame);
}

void frmMain::copyToIrfanView()
{
    const QImage frame = Image4->image().copy();
    if (!frame.isNull())
        QGuiApplication::clipboard()->setImage(frame);
    if (!shell_.startProgram(s_.IrfanViewPath, {"/clippaste"}))
        qCInfo(lcCapture).noquote() << "IrfanView did not start" << s_.IrfanViewPath;
}

void frmMain::runUpdateCheck()
{
    // The check may put a question box up; it must not sit under this window.
    runModal(openers_.runUpdateCheck);
}
