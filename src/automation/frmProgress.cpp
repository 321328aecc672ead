#include "automation/frmProgress.h"

#include <algorithm>

namespace {

constexpr QRect kBackground{8, 8, 284, 18};

}  // namespace

frmProgress::frmProgress(QWidget* owner)
    : QWidget(owner, Qt::Tool | Qt::WindowTitleHint | Qt::CustomizeWindowHint)
{
    setObjectName("frmProgress");
    setWindowTitle("FTP Uploading");
    setAttribute(Qt::WA_ShowWithoutActivating);
    setFixedSize(kBackground.width() + 2 * kBackground.x(), kBackground.height() + 2 * kBackground.y());

    Picture1 = new QWidget(this);
    Picture1->setObjectName("Picture1");
    Picture1->setGeometry(kBackground);
    Picture1->setAutoFillBackground(true);
    Picture1->setStyleSheet("background: white; border: 1px solid gray;");

    pbUpload = new QWidget(Picture1);
    pbUpload->setObjectName("pbUpload");
    pbUpload->setAutoFillBackground(true);
    pbUpload->setStyleSheet("background: navy; border: none;");
    setBarWidth(0);
    if (owner)
        move(owner->frameGeometry().center() - rect().center());
}

void frmProgress::setBarWidth(int units)
{
    units_ = std::clamp(units, 0, kFullWidth);
    pbUpload->setGeometry(0, 0, Picture1->width() * units_ / kFullWidth, Picture1->height());
}
