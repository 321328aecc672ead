// The save modes of the main window and the mode text of its title.
#include "capture/frmMain.h"

#include "buttons/StyledButton.h"
#include "core/SaveModes.h"

#include <QTimer>

namespace {

void setTimer(QTimer* timer, const std::optional<bool>& on)
{
    if (!on)
        return;
    if (*on)
        timer->start();
    else
        timer->stop();
}

}  // namespace

int frmMain::checkedSaveOption() const
{
    for (int i = 0; i < 4; ++i)
        if (OptSaveChoice[i]->Value())
            return i;
    return -1;
}

void frmMain::applySaveModeChange(const SaveModeChange& change)
{
    change.applyTo(s_);
    setTimer(tmrAutoSave, change.autoSaveTimer);
    // A detector armed anew compares its first cycle with none from before.
    if (change.autoMotionTimer.value_or(false) && !tmrAutoMotion->isActive())
        automation::forgetEarlierCycles(MotionHistory);
    setTimer(tmrAutoMotion, change.autoMotionTimer);
    if (change.title)
        setWindowTitle(*change.title);
}

void frmMain::OptionSaveMode()
{
    applySaveModeChange(optionSaveMode(s_, checkedSaveOption(), cmdStop->Enabled(), BaseTitle));
}

void frmMain::OptSaveChoice_Click(int index)
{
    applySaveModeChange(saveChoiceClick(s_, index, checkedSaveOption(), cmdStop->Enabled(), BaseTitle));
}

void frmMain::selectSaveOption(int index)
{
    if (index >= kModeManual && index <= kModeMotionRecord)
        OptSaveChoice[index]->setValue(true);
    OptSaveChoice_Click(index);
}

void frmMain::armModeAtPreviewStart()
{
    applySaveModeChange(armAtPreviewStart(s_, checkedSaveOption(), BaseTitle));
}

void frmMain::markUploadingModes()
{
    OptSaveChoice[kModeAutoSave]->setForeColor(0xFF);
    OptSaveChoice[kModeMotionSave]->setForeColor(0xFF);
}
