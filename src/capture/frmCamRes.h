#pragma once

#include "core/SettingsModel.h"

#include <QDialog>

#include <array>

class QComboBox;
class QGroupBox;
class QLabel;
class StyledButton;

// The small modal chooser of the capture size and stream depth. It offers the known
// capture sizes (ResolutionList) and writes the choice into SelectedResolution,
// ResolutionIndex and SelectedColorDepth; SelectedResolution stays "" without one.
class frmCamRes : public QDialog {
    Q_OBJECT
public:
    enum CommandIndex : int { kCommandOk = 0, kCommandCancel = 1 };

    frmCamRes(SettingsModel& settings, QWidget* owner);

    void Form_Load();
    void commands_Click(int index);
    // The cmbRes item that shows ResolutionList entry `entryIndex`; -1 when none does.
    int itemOfEntry(int entryIndex) const;
    // Selects cmbRes item `item` before the chooser opens (the size on screen).
    void preselectItem(int item);

private:
    QLabel* Label1 = nullptr;
    QComboBox* cmbRes = nullptr;
    QGroupBox* Frame1 = nullptr;
    QLabel* Label2 = nullptr;
    QComboBox* cmbCol = nullptr;
    std::array<StyledButton*, 2> commands{};

    void buildControls();
    void connectHandlers();

    SettingsModel& s_;
};
