#include "platform/capdriver/VideoFormatDialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QPushButton>
#include <QVBoxLayout>

namespace platform::capdriver {

VideoFormatDialog::VideoFormatDialog(const QList<QSize>& sizes, const BitmapFormat& current, QWidget* parent)
    : QDialog(parent), sizes_(sizes)
{
    setObjectName("videoFormatDialog");
    setWindowTitle("Video Format");
    setModal(true);
    if (!sizes_.contains(current.size()))
        sizes_.append(current.size());

    sizeList_ = new QComboBox(this);
    sizeList_->setObjectName("sizeList");
    for (QSize size : sizes_)
        sizeList_->addItem(QStringLiteral("%1x%2").arg(size.width()).arg(size.height()));
    sizeList_->setCurrentIndex(int(sizes_.indexOf(current.size())));

    depthList_ = new QComboBox(this);
    depthList_->setObjectName("depthList");
    for (quint16 depth : kStreamDepths)
        depthList_->addItem(QString::number(depth), depth);
    depthList_->setCurrentIndex(std::max(0, depthList_->findData(current.bitCount)));

    auto* layout = new QVBoxLayout(this);
    auto* form = new QFormLayout;
    form->addRow("Size", sizeList_);
    form->addRow("Bits per pixel", depthList_);
    layout->addLayout(form);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setObjectName("okButton");
    buttons->button(QDialogButtonBox::Cancel)->setObjectName("cancelButton");
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
}

BitmapFormat VideoFormatDialog::chosen() const
{
    const QSize size = sizes_.value(sizeList_->currentIndex());
    return {size.width(), size.height(), quint16(depthList_->currentData().toUInt()), 0};
}

}  // namespace platform::capdriver
