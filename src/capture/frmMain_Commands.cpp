// The main window's look and its small command handlers.
#include "capture/frmMain.h"

void frmMain::Opmaak()
{
    if (s_.BackgroundColor < 0)
        s_.BackgroundColor = kSystemButtonFace;
}

void frmMain::FindIrfanView()
{
    s_.IrfanViewPath.clear();
}

void frmMain::mnuOptionss_Click(int)
{
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

void frmMain::runUpdateCheck()
{
}
