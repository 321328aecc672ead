#include "dialogs/frmAbout.h"

#include "buttons/ButtonPress.h"
#include "buttons/PressLabel.h"
#include "buttons/PropertyBag.h"
#include "buttons/StyledButton.h"
#include "dialogs/UpdateCheck.h"
#include "dialogs/frmAboutSystemInfo.h"
#include "platform/shell/Shell.h"
#include "settings/Module1Launchers.h"
#include "settings/Prompts.h"

#include <QLabel>

namespace {

void styleAsLink(QLabel* label)
{
    QFont font = label->font();
    font.setUnderline(true);
    label->setFont(font);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, Qt::blue);
    label->setPalette(palette);
    label->setCursor(Qt::PointingHandCursor);
}

}  // namespace

frmAbout::frmAbout(const SettingsModel& settings, AboutServices services, QWidget* parent)
    : QDialog(parent)
    , s_(settings)
    , services_(std::move(services))
{
    setObjectName("frmAbout");
    buildControls();
    connectHandlers();
    Form_Load();
}

void frmAbout::buildControls()
{
    struct LabelDesign {
        const char* name;
        QLabel* frmAbout::*member;
        QRect place;
        const char* text;
        bool link;
    };

    static const LabelDesign kLabels[] = {
        {"lblVersion", &frmAbout::lblVersion, {16, 12, 388, 22}, "", false},
        {"lblDescription", &frmAbout::lblDescription, {16, 40, 388, 74},
         "Tolvex turns a webcam or any other capture device into a still camera, a video recorder "
         "and a small surveillance station: snapshots, bursts, AVI recording, interval and motion "
         "saving, FTP upload, and a viewer to browse, edit and print the pictures.",
         false},
        {"Label3", &frmAbout::Label3, {16, 122, 388, 18}, "VykOndrelSoft on the web", true},
        {"Label1", &frmAbout::Label1, {16, 144, 388, 18}, "Tolvex support group", true},
        {"Label4", &frmAbout::Label4, {16, 166, 388, 18}, "Mail the author", true},
        {"lblDisclaimer", &frmAbout::lblDisclaimer, {16, 194, 388, 36},
         "Tolvex comes as it is, without any warranty. Click here to read the readme file.", true},
    };

    struct AboutButton {
        const char* name;
        StyledButton* frmAbout::*member;
        QRect place;
        const char* caption;
    };

    static const AboutButton kButtons[] = {
        {"StyledButton4", &frmAbout::StyledButton4, {16, 242, 124, 25}, "Check for updates"},
        {"StyledButton3", &frmAbout::StyledButton3, {148, 242, 124, 25}, "System Info"},
        {"StyledButton1", &frmAbout::StyledButton1, {316, 242, 88, 25}, "OK"},
    };

    setFixedSize(420, 280);
    for (const LabelDesign& d : kLabels) {
        // A link is worked like a button: by the left click, Space, Enter and an assistive tool.
        QLabel* label = d.link ? new PressLabel(d.text, this) : new QLabel(d.text, this);
        label->setObjectName(d.name);
        label->setGeometry(d.place);
        label->setTextFormat(Qt::PlainText);
        label->setWordWrap(true);
        if (d.link)
            styleAsLink(label);
        this->*d.member = label;
    }
    for (const AboutButton& d : kButtons) {
        StyledButton* button = createStyledButton(this, d.name, PropertyBag{{"Caption", d.caption}, {"BackStyle", 4}});
        button->setGeometry(d.place);
        this->*d.member = button;
    }
}

void frmAbout::connectHandlers()
{
    auto link = [](QLabel* label) { return static_cast<PressLabel*>(label); };
    connect(link(Label1), &PressLabel::Click, this, &frmAbout::Label1_Click);
    connect(link(Label3), &PressLabel::Click, this, &frmAbout::Label3_Click);
    connect(link(Label4), &PressLabel::Click, this, &frmAbout::Label4_Click);
    connect(link(lblDisclaimer), &PressLabel::Click, this, &frmAbout::lblDisclaimer_Click);
    connect(StyledButton1, &StyledButton::Click, this, &frmAbout::StyledButton1_Click);
    connect(StyledButton3, &StyledButton::Click, this, &frmAbout::StyledButton3_Click);
    buttons::connectMouseDown(StyledButton4, this, [this](int b, int sh, float x, float y) {
        StyledButton4_MouseDown(b, sh, x, y);
    });
}

void frmAbout::Form_Load()
{
    lblVersion->setText(QStringLiteral("Tolvex Version %1.%2.%3")
                            .arg(ProgramVersion::major)
                            .arg(ProgramVersion::minor)
                            .arg(ProgramVersion::revision));
    setWindowTitle("About Tolvex Pro...");
}

void frmAbout::StartSysInfo()
{
    const QString tool = findSystemInfoTool(services_.registry, desktopSystemInfoTools(), services_.searchPaths);
    if (tool.isEmpty() || !services_.shell.startProgram(tool, {}))
        services_.prompts.message(this, kNoSysInfoText, QString(), BoxIcon::None);
}

void frmAbout::Label1_Click()
{
    OpenWebPage(services_.shell, kSupportGroupPage);
}

void frmAbout::Label3_Click()
{
    OpenWebPage(services_.shell, QString());
}

void frmAbout::Label4_Click()
{
    SendMailToAuthor(services_.shell);
}

void frmAbout::lblDisclaimer_Click()
{
    OpenInNotepad(services_.shell, s_.AppPath + "/readme.txt");
}

void frmAbout::StyledButton1_Click()
{
    accept();
}

void frmAbout::StyledButton3_Click()
{
    StartSysInfo();
}

void frmAbout::StyledButton4_MouseDown(int, int, float, float)
{
    // The product page is where new versions are published: the download page.
    const QString page = updateAddresses().page;
    if (page.trimmed().isEmpty()) {
        services_.prompts.message(this, kNoUpdateAddressText, kNoUpdateAddressTitle, BoxIcon::Information);
        return;
    }
    OpenWebPage(services_.shell, page);
}
