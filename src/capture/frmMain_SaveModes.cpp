// The save modes of the main window.
#include "capture/frmMain.h"

void frmMain::OptSaveChoice_Click(int index)
{
    s_.SaveMode = static_cast<int16_t>(index);
}

void frmMain::markUploadingModes()
{
}
