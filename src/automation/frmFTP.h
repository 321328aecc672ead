#pragma once

#include "core/SettingsModel.h"
#include "settings/Prompts.h"

#include <QDialog>

class QCheckBox;
class QLabel;
class QLineEdit;
class StyledButton;

// "Tolvex FTP Setup": the FTP fields of the settings, opened modal by the setup
// dialog. OK stores them in the settings model (the setup dialog writes the file);
// Cancel stores nothing. Its box (no host) goes through the prompts it is handed.
class frmFTP : public QDialog {
    Q_OBJECT
public:
    static constexpr char kNoHostText[] = "You need to enter a host address or IP.";

    frmFTP(SettingsModel& settings, Prompts& prompts, QWidget* parent = nullptr);

    void Form_Load();
    void StyledButton1_MouseDown(int Button, int Shift, float X, float Y);
    void StyledButton2_MouseDown(int Button, int Shift, float X, float Y);
    void Text3_MouseDown(int Button);
    void Text3_MouseUp(int Button);
    void Text3_GotFocus();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QLineEdit* Text1 = nullptr;  // host
    QLineEdit* Text2 = nullptr;  // login
    QLineEdit* Text3 = nullptr;  // password, hidden
    QLineEdit* Text4 = nullptr;  // file name
    QCheckBox* Check1 = nullptr;
    QCheckBox* Check2 = nullptr;
    StyledButton* StyledButton1 = nullptr;  // OK
    StyledButton* StyledButton2 = nullptr;  // Cancel

    void buildControls();
    void connectHandlers();

    SettingsModel& s_;
    Prompts& prompts_;
    bool rightClickOnPassword_ = false;
};
