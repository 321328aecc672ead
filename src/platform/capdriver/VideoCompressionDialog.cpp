#include "platform/capdriver/VideoCompressionDialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace platform::capdriver {

namespace {

constexpr VideoCompression::Codec kCodecs[] = {VideoCompression::Codec::Uncompressed,
                                               VideoCompression::Codec::MotionJpeg,
                                               VideoCompression::Codec::Mpeg4};

QSpinBox* spinBox(const char* name, int minimum, int maximum, int value, QWidget* parent)
{
    auto* box = new QSpinBox(parent);
    box->setObjectName(name);
    box->setRange(minimum, maximum);
    box->setValue(std::clamp(value, minimum, maximum));
    return box;
}

}  // namespace

VideoCompressionDialog::VideoCompressionDialog(const VideoCompression& current, QWidget* parent) : QDialog(parent)
{
    setObjectName("videoCompressionDialog");
    setWindowTitle("Video Compression");
    setModal(true);
    auto* layout = new QVBoxLayout(this);
    auto* form = new QFormLayout;
    layout->addLayout(form);

    codec_ = new QComboBox(this);
    codec_->setObjectName("codecBox");
    for (VideoCompression::Codec c : kCodecs)
        codec_->addItem(codecName(c), int(c));
    codec_->setCurrentIndex(codec_->findData(int(current.codec)));
    quality_ = spinBox("qualityBox", 1, 100, current.quality, this);
    keyFrames_ = spinBox("keyFrameBox", 1, 300, current.keyFrameEvery, this);
    form->addRow("Compressor:", codec_);
    form->addRow("Compression Quality:", quality_);
    form->addRow("Key Frame Every (frames):", keyFrames_);
    connect(codec_, &QComboBox::currentIndexChanged, this, &VideoCompressionDialog::codecChanged);
    codecChanged();

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setObjectName("okButton");
    buttons->button(QDialogButtonBox::Cancel)->setObjectName("cancelButton");
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
}

void VideoCompressionDialog::codecChanged()
{
    const auto codec = VideoCompression::Codec(codec_->currentData().toInt());
    quality_->setEnabled(codec != VideoCompression::Codec::Uncompressed);
    keyFrames_->setEnabled(codec == VideoCompression::Codec::Mpeg4);
}

VideoCompression VideoCompressionDialog::choice() const
{
    VideoCompression c;
    c.codec = VideoCompression::Codec(codec_->currentData().toInt());
    c.quality = quality_->value();
    c.keyFrameEvery = keyFrames_->value();
    return c;
}

}  // namespace platform::capdriver
