#pragma once

#include "core/SettingsModel.h"

#include <QDialog>
#include <QStringList>

class Prompts;
class QLabel;
class Registry;
class Shell;
class StyledButton;

// Where the maker's support group meets.
inline constexpr char kSupportGroupPage[] = "https://groups.vykondrelsoft.example/tolvex/";

struct AboutServices {
    Shell& shell;
    Prompts& prompts;
    const Registry& registry;
    QStringList searchPaths;  // where desktop tools are looked for; empty: the PATH
};

// "About Tolvex Pro...": the version, what the program does, the maker's links,
// the readme, the system-information tool and the download page.
class frmAbout : public QDialog {
    Q_OBJECT
public:
    static constexpr char kNoSysInfoText[] = "System Information Is Unavailable At This Time";

    frmAbout(const SettingsModel& settings, AboutServices services, QWidget* parent = nullptr);

    void Form_Load();
    void StartSysInfo();
    void Label1_Click();
    void Label3_Click();
    void Label4_Click();
    void lblDisclaimer_Click();
    void StyledButton1_Click();
    void StyledButton3_Click();
    void StyledButton4_MouseDown(int Button, int Shift, float X, float Y);

private:
    QLabel* lblVersion = nullptr;
    QLabel* lblDescription = nullptr;
    QLabel* lblDisclaimer = nullptr;
    QLabel* Label1 = nullptr;  // the support group
    QLabel* Label3 = nullptr;  // the maker's web site
    QLabel* Label4 = nullptr;  // mail to the maker
    StyledButton* StyledButton1 = nullptr;  // OK
    StyledButton* StyledButton3 = nullptr;  // System Info
    StyledButton* StyledButton4 = nullptr;  // Check for updates

    void buildControls();
    void connectHandlers();

    const SettingsModel& s_;
    AboutServices services_;
};
