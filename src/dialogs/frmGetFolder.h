#pragma once

#include "dialogs/frmGetFolderKind.h"
#include "core/SettingsModel.h"

#include <QDialog>

#include <array>

class Prompts;
class QGroupBox;
class QLabel;
class QLineEdit;
class QToolButton;
class StyledButton;
namespace platform {
class DirListBox;
class DriveListBox;
}  // namespace platform

// The setup dialog's folder boxes, by folder kind.
using FolderBoxes = std::array<QLineEdit*, kFolderKinds>;

// "Get Folder": picks one working folder for the setup dialog. The caller sets the
// caption, which says which folder box it serves; the chooser starts in the folder
// that box holds and OK writes the chosen folder back into it. A folder that cannot
// be opened, and a Desktop or My Documents folder that does not exist, are told.
class frmGetFolder : public QDialog {
    Q_OBJECT
public:
    frmGetFolder(const SettingsModel& settings, FolderBoxes boxes, Prompts& prompts, QWidget* parent = nullptr);
    ~frmGetFolder() override;

    // The folder shown before the window opens (the setting itself).
    void setShownFolder(const QString& folder);

    void Form_Activate();
    void Drive1_Change();
    void Dir1_Change();
    void Command1_Click(int Index);
    void StyledButton1_MouseDown(int Index);
    // A folder of the list the user opened that cannot be opened.
    void Dir1_Refused(const QString& path, const QString& reason);

protected:
    void showEvent(QShowEvent* event) override;

private:
    QGroupBox* Frame1 = nullptr;
    platform::DriveListBox* Drive1 = nullptr;
    platform::DirListBox* Dir1 = nullptr;
    QLabel* Label1 = nullptr;
    std::array<QToolButton*, 2> Command1{};
    std::array<StyledButton*, 2> StyledButton1{};

    void buildControls();
    QLineEdit* boxOfCaption() const;

    const SettingsModel& s_;
    FolderBoxes boxes_;
    Prompts& prompts_;
    bool activated_ = false;
};
