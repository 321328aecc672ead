// The main window's look and its small command handlers.
#include "capture/frmMain.h"

#include "buttons/StyledButton.h"
#include "capture/CaptureLog.h"
#include "capture/MainLook.h"
#include "core/SaveModes.h"
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

    const QColor background =
        QColor::fromRgb(gdi::toQRgb(gdi::SystemColours::fromPalette(palette()).resolve(look.background)));
    for (QWidget* w : {static_cast<QWidget*>(this), Picture2, Picture3})
        setBackground(w, background);
    for (StyledButton* b : {Check1, OptSaveChoice[kModeAutoSave], OptSaveChoice[kModeMotionSave],
                            OptSaveChoice[kModeManual], Check3})
        b->setBackColor(look.background);

    for (size_t i = 0; i < buttons.size(); ++i) {
        StyledButton* b = buttons[i];
        // The tiny-mode button keeps its caption colour; a gradient outside the
        // palette leaves the gradient colour as it is; the faces follow the colour's
        // own start (dark under white captions), else the design's.
        const int32_t fore = i < 13 ? look.captionColour : b->ForeColor();
        const int32_t gradient = look.gradient.value_or(b->GradientColor());
        const int32_t face = look.face.value_or(buttonFace_);
        // The start-up applies the same look twice: an unchanged button is not drawn again.
        if (b->ButtonStyle() == s_.ButtonStyle && b->ForeColor() == fore && b->GradientColor() == gradient
            && b->BackColor() == face)
            continue;
        // Drawn once with its whole new look, not once for each property.
        b->DelayDrawing(true);
        b->setButtonStyle(s_.ButtonStyle);
        b->setForeColor(fore);
        b->setGradientColor(gradient);
        b->setBackColor(face);
        b->DelayDrawing(false);
    }
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
