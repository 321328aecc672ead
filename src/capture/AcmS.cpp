#include "capture/AcmS.h"

#include "platform/capdriver/CaptureSystem.h"
#include "settings/Prompts.h"

#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

using platform::capdriver::WaveFormat;

AudioFormatChooser::AudioFormatChooser(const QList<WaveFormat>& formats, const std::optional<WaveFormat>& current,
                                       QWidget* owner)
    : QDialog(owner), formats_(formats)
{
    setObjectName("audioFormatChooser");
    setWindowTitle("Select Sound Format");
    setModal(true);
    auto* layout = new QVBoxLayout(this);
    list_ = new QListWidget(this);
    list_->setObjectName("formatList");
    for (const WaveFormat& f : formats_)
        list_->addItem("PCM  " + f.description());
    layout->addWidget(list_);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    ok_ = buttons->button(QDialogButtonBox::Ok);
    ok_->setObjectName("okButton");
    buttons->button(QDialogButtonBox::Cancel)->setObjectName("cancelButton");
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
    const qsizetype at = current ? formats_.indexOf(*current) : -1;
    list_->setCurrentRow(at >= 0 ? int(at) : (formats_.isEmpty() ? -1 : 0));
    ok_->setEnabled(!formats_.isEmpty());
}

std::optional<WaveFormat> AudioFormatChooser::chosen() const
{
    const int row = list_->currentRow();
    if (row < 0 || row >= formats_.size())
        return std::nullopt;
    return formats_[row];
}

void SelectAudioFormat(platform::capdriver::CaptureSystem& capture, platform::capdriver::CaptureHandle capwnd,
                       QWidget* owner, Prompts& prompts)
{
    const QList<WaveFormat> formats = capture.capAudioFormats(capwnd);
    if (formats.isEmpty()) {
        prompts.message(owner, kNoSoundInput, "Select Sound Format", BoxIcon::Information);
        return;
    }
    WaveFormat current;
    const bool haveCurrent = capture.capGetAudioFormat(capwnd, current);
    AudioFormatChooser chooser(formats, haveCurrent ? std::optional(current) : std::nullopt, owner);
    if (chooser.exec() != QDialog::Accepted)
        return;
    const auto chosen = chooser.chosen();
    if (!chosen)
        return;
    if (!capture.capSetAudioFormat(capwnd, *chosen))
        prompts.message(owner, "Could not set new audio format", QCoreApplication::applicationName(),
                        BoxIcon::Information);
}
