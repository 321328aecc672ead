#include "capture/frmCamRes.h"

#include "capture/CaptureSizes.h"

#include <QComboBox>
#include <QCoreApplication>

frmCamRes::frmCamRes(SettingsModel& settings, QWidget* owner) : QDialog(owner), s_(settings)
{
    setObjectName("frmCamRes");
    setModal(true);
    buildControls();
    connectHandlers();
}

void frmCamRes::Form_Load()
{
    cmbRes->clear();
    for (const ResolutionItem& item : resolutionItems(s_.ResolutionList))
        cmbRes->addItem(item.text, item.entryIndex);
    cmbCol->clear();
    cmbCol->addItems({"Auto", "I420", "YUY2"});
    const int32_t depth = s_.SelectedColorDepth;
    cmbCol->setCurrentIndex(depth >= kDepthAuto && depth <= kDepthYuy2 ? depth : kDepthAuto);
}

int frmCamRes::itemOfEntry(int entryIndex) const
{
    return cmbRes->findData(entryIndex);
}

void frmCamRes::preselectItem(int item)
{
    cmbRes->setCurrentIndex(item);
}

void frmCamRes::commands_Click(int index)
{
    if (index == kCommandOk && cmbRes->currentIndex() >= 0 && !cmbRes->currentText().isEmpty()) {
        s_.SelectedResolution = cmbRes->currentText();
        s_.SelectedColorDepth = kDepthAuto;
        s_.ResolutionIndex = int16_t(cmbRes->currentData().toInt());
        if (cmbCol->currentIndex() >= 0)
            s_.SelectedColorDepth = cmbCol->currentIndex();
    }
    hide();
    QCoreApplication::processEvents();
    done(index == kCommandOk ? Accepted : Rejected);
}
