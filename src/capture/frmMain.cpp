#include "capture/frmMain.h"

#include "capture/FrmMessage.h"
#include "settings/Registry.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>

frmMain::frmMain(SettingsModel& settings, Registry& registry, QWidget* parent)
    : QWidget(parent), s_(settings), registry_(registry)
{
    setObjectName("frmMain");
    endProcess_ = [] { QCoreApplication::exit(0); };
    buildControls();
    buildOptionsMenu();
}

frmMain::~frmMain() = default;

void frmMain::buildControls()
{
    resize(475, 374);

    Picture2 = new QWidget(this);
    Picture2->setObjectName("Picture2");
    Picture2->setGeometry(0, 0, 96, 300);

    Picture3 = new QWidget(this);
    Picture3->setObjectName("Picture3");
    Picture3->setGeometry(0, 300, 475, 74);

    imgSizeLogo = new QLabel(this);
    imgSizeLogo->setObjectName("imgSizeLogo");
    imgSizeLogo->setGeometry(4, 232, 88, 60);
    imgSizeLogo->setScaledContents(true);

    Image1 = new QWidget(this);
    Image1->setObjectName("Image1");
    Image1->setGeometry(102, 4, 352, 288);

    Image4 = new QLabel(this);
    Image4->setObjectName("Image4");
    Image4->setGeometry(102, 4, 352, 288);
    Image4->setScaledContents(true);

    cmdAbout = new QPushButton(Picture2);
    cmdAbout->setObjectName("cmdAbout");
    cmdAbout->setGeometry(4, 180, 88, 23);

    cmdBurst = new QPushButton(Picture2);
    cmdBurst->setObjectName("cmdBurst");
    cmdBurst->setGeometry(4, 120, 88, 23);

    txtSaveInterval = new QLineEdit(Picture3);
    txtSaveInterval->setObjectName("txtSaveInterval");
    txtSaveInterval->setGeometry(300, 8, 40, 20);
}

void frmMain::buildOptionsMenu()
{
    static const char* const captions[16] = {
        "Cam Options", "Video Si&ze", "Setup...", "-", "&Open in Viewer/Editor...",
        "&Save Picture Now", "Save &As...", "-", "&Copy", "Copy to Irfanview", "-",
        "Start Feed", "Record", "Stop", "-", "Hide Buttons (mini mode)"};
    mnuoptions = new QMenu("Options", this);
    mnuoptions->setObjectName("mnuoptions");
    for (int i = 0; i < 16; ++i) {
        QAction* item = QString(captions[i]) == "-" ? mnuoptions->addSeparator()
                                                    : mnuoptions->addAction(captions[i]);
        item->setObjectName(QStringLiteral("mnuOptionss_%1").arg(i));
        connect(item, &QAction::triggered, this, [this, i] { mnuOptionss_Click(i); });
        mnuOptionss[i] = item;
    }
    mnuOptionss[9]->setVisible(false);

    mnuVideoDevice = new QMenu(this);
    mnuVideoDevice->setObjectName("mnuVideoDevice");
    for (int i = 0; i < 10; ++i) {
        QAction* item = mnuVideoDevice->addAction(QString());
        item->setObjectName(QStringLiteral("mnudevices_%1").arg(i));
        item->setCheckable(true);
        item->setVisible(false);
        mnudevices[i] = item;
    }
}

void frmMain::showSettingsSaveError(int errorNumber, const QString& description)
{
    const auto box = settingsSaveErrorBoxTexts(errorNumber, description);
    QMessageBox::warning(this, box.title, box.text);
}

void frmMain::ShowMessage(const QString& text)
{
    if (!notice_)
        notice_ = new FrmMessage(s_, this);
    notice_->showNotice(text);
}

void frmMain::UnloadMessage()
{
    if (notice_)
        delete notice_.data();
}

void frmMain::closeEvent(QCloseEvent* event)
{
    Form_QueryUnload();
    Form_Unload();
    event->accept();
}

void frmMain::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        Form_Activate();
    QWidget::changeEvent(event);
}

void frmMain::yield()
{
    QCoreApplication::processEvents();
}
