// Capture devices and the live preview of the main window.
#include "capture/frmMain.h"

void frmMain::LoadDeviceList()
{
    // Filled from the capture layer once devices can be listed.
}

void frmMain::cmdStart_Click()
{
}

void frmMain::StopWork()
{
    capwnd_ = 0;
}

void frmMain::stopFramePump()
{
}

void frmMain::cmdRecord_Click()
{
}
