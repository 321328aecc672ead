#include "buttons/StyledButton.h"
#include "capture/frmMain.h"
#include "platform/gdi/Twips.h"

#include <QLabel>
#include <QLineEdit>
#include <QTimer>

#include <algorithm>

bool frmMain::previewRunning() const
{
    return !cmdStart->Enabled();
}

bool frmMain::stopEnabled() const
{
    return cmdStop->Enabled();
}

void frmMain::setViewerFolderIndex(int index)
{
    ViewerFolderIndex = static_cast<int16_t>(std::clamp(index, 0, 4));
}

void frmMain::setModeTitle(const QString& modeText)
{
    setWindowTitle(BaseTitle + modeText);
}

QImage frmMain::latestPicture() const
{
    return Image4->image();
}

void frmMain::setSideLogoVisible(bool visible)
{
    if (visible)
        showSideLogo();
    imgSizeLogo->setVisible(visible);
}

QString frmMain::saveIntervalText() const
{
    return txtSaveInterval->text();
}

void frmMain::setSaveOptionForeColor(int index, quint32 colour)
{
    if (index >= 0 && index < static_cast<int>(OptSaveChoice.size()))
        OptSaveChoice[index]->setForeColor(static_cast<ButtonColor>(colour));
}

void frmMain::armTimeWindow()
{
    tmrTime->start();
}

QRect frmMain::windowRectTwips() const
{
    const QRect outer = frameGeometry();
    return {platform::pixelsToTwips(outer.left()), platform::pixelsToTwips(outer.top()),
            platform::pixelsToTwips(outer.width()), platform::pixelsToTwips(outer.height())};
}
