#include "viewer/FrmBlend.h"

#include "buttons/StyledButton.h"
#include "platform/gdi/Twips.h"
#include "viewer/ViewerEffects.h"
#include "viewer/PictureReader.h"

#include <QCoreApplication>
#include <QDir>
#include <QLabel>
#include <QListWidget>
#include <QLoggingCategory>
#include <QPixmap>

#include "viewer/ViewerLog.h"

FrmBlend::FrmBlend(QWidget* parent, ViewerEffects& effects) : QGroupBox(parent), effects_(effects)
{
    setObjectName("FrmBlend");
    buildControls();
    connectHandlers();
    setVisible(false);  // cmdAlphaBlend opens it
}

void FrmBlend::setFolder(const QString& folder)
{
    folder_ = folder;
    File2->clear();
    const QStringList patterns = QString(kFilePatterns).split(';');
    File2->addItems(QDir(folder).entryList(patterns, QDir::Files, QDir::Name | QDir::IgnoreCase));
}

void FrmBlend::clearPartner()
{
    picBlender_ = QImage();
    imgBlendPrev->clear();
}

void FrmBlend::showPanel()
{
    move(platform::twipsToPixels(kLeftTwips), y());
    setVisible(true);
}

void FrmBlend::File2_Click()
{
    const QListWidgetItem* item = File2->currentItem();
    if (!item)
        return;
    const QString path = QDir(folder_).filePath(item->text());
    const PictureRead read = readPicture(path);
    const QImage& picture = read.picture;
    if (picture.isNull()) {
        // The panel keeps the partner it had; the user picks another file.
        Label5->setText(unreadablePictureText(read.error));
        return;
    }
    picBlender_ = picture;
    imgBlendPrev->setPixmap(QPixmap::fromImage(picBlender_));
    QCoreApplication::processEvents();
    cmdDoTheBlend->setEnabled(true);
    Label5->setText(QStringLiteral("Size = %1 x %2").arg(picBlender_.width()).arg(picBlender_.height()));
}

void FrmBlend::cmdDoTheBlend_MouseDown(int button, int, float, float)
{
    effects_.onMouseDown("cmdDoTheBlend", button);
}

void FrmBlend::StyledButton19_Click() { setVisible(false); }

void FrmBlend::StyledButton25_Click()
{
    setVisible(false);
    effects_.reload();
}
