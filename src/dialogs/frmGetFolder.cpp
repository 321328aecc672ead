#include "dialogs/frmGetFolder.h"

#include "buttons/ButtonPress.h"
#include "buttons/PropertyBag.h"
#include "buttons/StyledButton.h"
#include "platform/files/SpecialFolders.h"
#include "platform/lists/DirListBox.h"
#include "platform/lists/DriveListBox.h"
#include "settings/Module1Files.h"
#include "settings/Prompts.h"

#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QStyle>
#include <QToolButton>

namespace {

constexpr int kOk = 0;
constexpr int kDesktopButton = 0;

}  // namespace

frmGetFolder::frmGetFolder(const SettingsModel& settings, FolderBoxes boxes, Prompts& prompts, QWidget* parent)
    : QDialog(parent)
    , s_(settings)
    , boxes_(boxes)
    , prompts_(prompts)
{
    setObjectName("frmGetFolder");
    setWindowTitle("Get Folder");
    buildControls();
    connect(Drive1, &platform::DriveListBox::Change, this, &frmGetFolder::Drive1_Change);
    connect(Dir1, &platform::DirListBox::Change, this, &frmGetFolder::Dir1_Change);
    connect(Dir1, &platform::DirListBox::Refused, this, &frmGetFolder::Dir1_Refused);
    for (int i = 0; i < 2; ++i) {
        connect(Command1[i], &QToolButton::clicked, this, [this, i] { Command1_Click(i); });
        // OK and Cancel act on the press of any mouse button, and on Space, Enter,
        // the access key and an assistive tool's press.
        buttons::connectMouseDown(StyledButton1[i], this, [this, i](int, int, float, float) { StyledButton1_MouseDown(i); });
    }
}

frmGetFolder::~frmGetFolder() = default;

void frmGetFolder::buildControls()
{
    setFixedSize(330, 330);
    Frame1 = new QGroupBox("Choose the target folder", this);
    Frame1->setObjectName("Frame1");
    Frame1->setGeometry(6, 4, 318, 286);
    Drive1 = new platform::DriveListBox(Frame1);
    Drive1->setObjectName("Drive1");
    Drive1->setGeometry(8, 20, 264, 22);
    Dir1 = new platform::DirListBox(Frame1);
    Dir1->setObjectName("Dir1");
    Dir1->setGeometry(8, 46, 264, 206);
    // What a screen reader calls the two lists.
    Drive1->setAccessibleName("Drive");
    Dir1->setAccessibleName("Folders");
    Label1 = new QLabel(Frame1);
    Label1->setObjectName("Label1");
    Label1->setFont(QFont("Arial", 8));
    Label1->setGeometry(8, 256, 302, 22);
    const QStyle::StandardPixmap pictures[2] = {QStyle::SP_DesktopIcon, QStyle::SP_DirHomeIcon};
    const char* tips[2] = {kDesktopFolder, kDocumentsFolder};
    for (int i = 0; i < 2; ++i) {
        auto* b = new QToolButton(Frame1);
        b->setObjectName(QStringLiteral("Command1_%1").arg(i));
        b->setIcon(QApplication::style()->standardIcon(pictures[i]));
        b->setToolTip(tips[i]);
        b->setAccessibleName(tips[i]);
        b->setGeometry(278, 46 + i * 36, 32, 32);
        Command1[i] = b;
    }
    const char* captions[2] = {"OK", "Cancel"};
    for (int i = 0; i < 2; ++i) {
        StyledButton1[i] = createStyledButton(this, QStringLiteral("StyledButton1_%1").arg(i),
                                              PropertyBag{{"Caption", captions[i]}, {"BackStyle", 4}});
        StyledButton1[i]->setGeometry(148 + i * 90, 298, 84, 26);
    }
    // Enter is OK, Esc is Cancel.
    StyledButton1[kOk]->setDefault(true);
    StyledButton1[1]->setCancel(true);
}

void frmGetFolder::setShownFolder(const QString& folder)
{
    Dir1->setPath(folder);
}

QLineEdit* frmGetFolder::boxOfCaption() const
{
    const auto kind = folderKindOfCaption(windowTitle());
    return kind ? boxes_[static_cast<int>(*kind)] : nullptr;
}

void frmGetFolder::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (!activated_)
        Form_Activate();
}

void frmGetFolder::Form_Activate()
{
    QLineEdit* box = boxOfCaption();
    if (box == nullptr || !Dir1->setPath(box->text()))
        Dir1->setPath(s_.AppPath);
    Drive1->setDrive(Dir1->Path());
    // The label shows where the chooser starts even when the list was already there,
    // so OK without touching the list gives the start folder.
    Label1->setText(Dir1->Path());
    activated_ = true;
}

void frmGetFolder::Drive1_Change()
{
    Dir1->setPath(Drive1->Drive());
}

void frmGetFolder::Dir1_Change()
{
    Label1->setText(Dir1->Path());
}

void frmGetFolder::Dir1_Refused(const QString& path, const QString& reason)
{
    prompts_.message(this, folderRefusedText(path, reason), windowTitle(), BoxIcon::Exclamation);
}

void frmGetFolder::Command1_Click(int Index)
{
    const bool desktop = Index == kDesktopButton;
    const QString folder = GetSpecialFolderPath(desktop ? platform::kFolderDesktop : platform::kFolderDocuments);
    if (!Dir1->setPath(folder)) {
        prompts_.message(this, missingSpecialFolderText(desktop ? kDesktopFolder : kDocumentsFolder, folder),
                         windowTitle(), BoxIcon::Exclamation);
        return;
    }
    Dir1->Refresh();
}

void frmGetFolder::StyledButton1_MouseDown(int Index)
{
    if (Index == kOk) {
        if (QLineEdit* box = boxOfCaption())
            box->setText(Label1->text());
        accept();
        return;
    }
    reject();
}
