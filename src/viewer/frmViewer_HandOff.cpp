// The frame the main window hands the viewer when it opens it.
#include "viewer/frmViewer.h"

#include "viewer/PictureBox.h"

#include <QLabel>

void frmViewer::showSnapshot(const QImage& frame, const QString& caption)
{
    EnableButtons(1);
    Image1->setPicture(frame);
    picResult->setPicture(frame);
    Source->setPicture(picResult->picture());
    lblPicSize->setText(QStringLiteral("%1 x %2").arg(picResult->ScaleWidth()).arg(picResult->ScaleHeight()));
    setFrameCaption(caption);
}
