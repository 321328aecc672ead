#include "automation/frmFTP.h"

#include "buttons/ButtonPress.h"
#include "buttons/PropertyBag.h"
#include "buttons/StyledButton.h"
#include "core/MouseButtonCodes.h"

#include <QCheckBox>
#include <QFocusEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>

namespace {

constexpr char kDefaultHost[] = "127.0.0.1";
constexpr char kDefaultFilename[] = "tolvex.jpg";


}  // namespace

frmFTP::frmFTP(SettingsModel& settings, Prompts& prompts, QWidget* parent)
    : QDialog(parent)
    , s_(settings)
    , prompts_(prompts)
{
    setObjectName("frmFTP");
    setWindowTitle("Tolvex FTP Setup");
    buildControls();
    connectHandlers();
    Form_Load();
}

void frmFTP::buildControls()
{
    struct TextDesign {
        const char* name;
        QLineEdit* frmFTP::*member;
        const char* label;
        const char* toolTip;
    };

    static const TextDesign kTextDesigns[] = {
        {"Text1", &frmFTP::Text1, "Host or IP:", "Server hostname or IP"},
        {"Text2", &frmFTP::Text2, "Login:", "Server login"},
        {"Text3", &frmFTP::Text3, "Password:", "Server password"},
        {"Text4", &frmFTP::Text4, "Filename:",
         "Filename on the server (and optional path) of the image (default tolvex.jpg or tolvex.bmp in Tolvex folder)"},
    };

    struct CheckDesign {
        const char* name;
        QCheckBox* frmFTP::*member;
        const char* caption;
        const char* toolTip;
    };

    static const CheckDesign kCheckDesigns[] = {
        {"Check1", &frmFTP::Check1, "Activate FTP Upload on AutoSave or MotionSave Mode", "Enable/disable FTP"},
        {"Check2", &frmFTP::Check2, "Show progressbar when uploading image", "Shows progress during each FTP upload"},
    };

    setFixedSize(400, 208);
    int top = 10;
    for (const TextDesign& d : kTextDesigns) {
        auto* label = new QLabel(d.label, this);
        label->setObjectName(QStringLiteral("lbl%1").arg(d.name));
        label->setGeometry(10, top + 2, 80, 18);
        QLineEdit* box = new QLineEdit(this);
        box->setObjectName(d.name);
        box->setGeometry(92, top, 298, 20);
        box->setToolTip(d.toolTip);
        // The label names the box for the keyboard and for screen readers.
        label->setBuddy(box);
        this->*d.member = box;
        top += 26;
    }
    Text3->setEchoMode(QLineEdit::Password);
    for (const CheckDesign& d : kCheckDesigns) {
        auto* check = new QCheckBox(d.caption, this);
        check->setObjectName(d.name);
        check->setGeometry(10, top, 380, 20);
        check->setToolTip(d.toolTip);
        this->*d.member = check;
        top += 22;
    }
    const PropertyBag ok{{"Caption", "OK"}, {"BackStyle", 4}};
    const PropertyBag cancel{{"Caption", "Cancel"}, {"BackStyle", 4}};
    StyledButton1 = createStyledButton(this, "StyledButton1", ok);
    StyledButton1->setGeometry(210, top + 6, 88, 23);
    StyledButton2 = createStyledButton(this, "StyledButton2", cancel);
    StyledButton2->setGeometry(302, top + 6, 88, 23);
    // Enter is OK, Esc is Cancel.
    StyledButton1->setDefault(true);
    StyledButton2->setCancel(true);
}

void frmFTP::connectHandlers()
{
    // OK and Cancel act on the press of any mouse button, and on Space, Enter, the
    // access key and an assistive tool's press.
    buttons::connectMouseDown(StyledButton1, this,
                              [this](int b, int sh, float x, float y) { StyledButton1_MouseDown(b, sh, x, y); });
    buttons::connectMouseDown(StyledButton2, this,
                              [this](int b, int sh, float x, float y) { StyledButton2_MouseDown(b, sh, x, y); });
    Text3->installEventFilter(this);
}

void frmFTP::Form_Load()
{
    if (s_.FtpHost.isEmpty())
        s_.FtpHost = kDefaultHost;
    if (s_.FtpFilename.isEmpty())
        s_.FtpFilename = kDefaultFilename;
    Text1->setText(s_.FtpHost.trimmed());
    Text2->setText(s_.FtpLogin.trimmed());
    Text3->setText(s_.FtpPassword.trimmed());
    Text4->setText(s_.FtpFilename.trimmed());
    Check1->setChecked(s_.FtpEnabled != 0);
    Check2->setChecked(s_.FtpProgress != 0);
}

void frmFTP::StyledButton1_MouseDown(int, int, float, float)
{
    if (Text1->text().trimmed().isEmpty()) {
        prompts_.message(this, kNoHostText, "Tolvex", BoxIcon::None);
        return;
    }
    s_.FtpHost = Text1->text().trimmed();
    s_.FtpLogin = Text2->text().trimmed();
    s_.FtpPassword = Text3->text().trimmed();
    s_.FtpFilename = Text4->text().trimmed();
    s_.FtpEnabled = Check1->isChecked() ? 1 : 0;
    s_.FtpProgress = Check2->isChecked() ? 1 : 0;
    accept();
}

void frmFTP::StyledButton2_MouseDown(int, int, float, float)
{
    reject();
}

void frmFTP::Text3_MouseDown(int Button)
{
    if (Button == buttons::kMouseRight)
        rightClickOnPassword_ = true;
}

void frmFTP::Text3_MouseUp(int Button)
{
    if (Button == buttons::kMouseRight)
        rightClickOnPassword_ = false;
}

void frmFTP::Text3_GotFocus()
{
    if (!rightClickOnPassword_)
        return;
    Text3->setEnabled(false);
    Text3->setEnabled(true);
}

bool frmFTP::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != Text3)
        return QDialog::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::MouseButtonPress:
        Text3_MouseDown(buttons::mouseButtonCode(static_cast<QMouseEvent*>(event)->button()));
        break;
    case QEvent::MouseButtonRelease:
        Text3_MouseUp(buttons::mouseButtonCode(static_cast<QMouseEvent*>(event)->button()));
        break;
    case QEvent::FocusIn:
        // Qt gives the focus before the press arrives, so a right press that
        // brings the focus counts as already down.
        if (static_cast<QFocusEvent*>(event)->reason() == Qt::MouseFocusReason
            && QGuiApplication::mouseButtons().testFlag(Qt::RightButton))
            rightClickOnPassword_ = true;
        Text3_GotFocus();
        break;
    default:
        break;
    }
    return QDialog::eventFilter(watched, event);
}
