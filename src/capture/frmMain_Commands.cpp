// The main window's look and its small command handlers.
#include "capture/frmMain.h"

#include "buttons/StyledButton.h"
#include "capture/SaveModes.h"
#include "platform/gdi/GdiColour.h"

#include <QPalette>
#include <QTimer>

namespace {

void setBackground(QWidget* w, const QColor& colour)
{
    QPalette p = w->palette();
    p.setColor(QPalette::Window, colour);
    w->setPalette(p);
    w->setAutoFillBackground(true);
}

}  // namespace

void frmMain::Opmaak()
{
    if (s_.BackgroundColor < 0)
        s_.BackgroundColor = kSystemButtonFace;
    const std::array<StyledButton*, 14> buttons = {
        cmdCamOptions, cmdVideoSize, cmdStart, cmdStop, cmdSnapShot, cmdRecord, cmdSetup,
        cmdAbout, cmdHelp, cmdSaveAs, cmdViewer, cmdBurst, StyledButton13, cmdOptions};
    for (StyledButton* b : buttons)
        b->setButtonStyle(s_.ButtonStyle);

    const QColor background =
        QColor::fromRgb(gdi::toQRgb(gdi::SystemColours::fromPalette(palette()).resolve(s_.BackgroundColor)));
    for (QWidget* w : {static_cast<QWidget*>(this), Picture2, Picture3})
        setBackground(w, background);
    for (StyledButton* b : {Check1, OptSaveChoice[kModeAutoSave], OptSaveChoice[kModeMotionSave],
                            OptSaveChoice[kModeManual], Check3})
        b->setBackColor(s_.BackgroundColor);

    const int32_t text = s_.ButtonColor == kButtonColorDark ? 0xFFFFFF : 0;
    for (int i = 0; i < 13; ++i)
        buttons[i]->setForeColor(text);
    if (s_.ButtonColor >= 0 && s_.ButtonColor <= 10)
        for (StyledButton* b : buttons)
            b->setGradientColor(s_.ButtonColors[s_.ButtonColor]);
}

void frmMain::FindIrfanView()
{
    s_.IrfanViewPath.clear();
}

void frmMain::mnuoptions_Click()
{
    const bool idle = cmdStart->Enabled();
    mnuOptionss[kMenuStartFeed]->setText(idle ? "Start Feed" : "Restart Feed");
    mnuOptionss[kMenuStop]->setEnabled(!idle);
}

void frmMain::cmdSetup_Click()
{
    if (!openers_.openSetup)
        return;
    if (s_.StayOnTop != 0)
        SetAlwaysOnTop(false);
    // The stream buffer file must not be rewritten while the dialog may change its road.
    const bool pausePump = s_.StreamSource == kStreamThroughFile && tmrMain->isActive();
    if (pausePump)
        tmrMain->stop();
    openers_.openSetup();
    yield();
    if (pausePump)
        tmrMain->start();
    SetAlwaysOnTop(s_.StayOnTop != 0);
    if (s_.CaptureDevice != s_.DeviceListIndex) {
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
    if (s_.StayOnTop != 0)
        SetAlwaysOnTop(true);
}

void frmMain::mnuOptionss_Click(int index)
{
    switch (index) {
    case kMenuSetup: cmdSetup_Click(); break;
    case kMenuCamOptions: cmdCamOptions_Click(); break;
    case kMenuSavePictureNow: cmdSaveAs_Click(); break;
    case kMenuVideoSize: cmdVideoSize_Click(); break;
    case kMenuSaveAs: cmdSnapShot_Click(); break;
    case kMenuStartFeed: cmdStart_Click(); break;
    case kMenuRecord: cmdRecord_Click(); break;
    case kMenuStop: cmdStop_Click(); break;
    default: break;
    }
}

void frmMain::SetAlwaysOnTop(bool onTop)
{
    if (onTop == windowFlags().testFlag(Qt::WindowStaysOnTopHint))
        return;
    const bool wasVisible = isVisible();
    setWindowFlag(Qt::WindowStaysOnTopHint, onTop);
    // Changing a window flag hides the window; bring it back as it was.
    if (wasVisible)
        show();
}

void frmMain::cmdAbout_Click()
{
    if (s_.StayOnTop != 0)
        SetAlwaysOnTop(false);
    if (openers_.openAbout)
        openers_.openAbout();
    if (s_.StayOnTop != 0)
        SetAlwaysOnTop(true);
}

void frmMain::runUpdateCheck()
{
    if (!openers_.runUpdateCheck)
        return;
    // The check may put a question box up; it must not sit under this window.
    if (s_.StayOnTop != 0)
        SetAlwaysOnTop(false);
    openers_.runUpdateCheck();
    if (s_.StayOnTop != 0)
        SetAlwaysOnTop(true);
}
