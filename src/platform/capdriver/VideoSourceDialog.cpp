#include "platform/capdriver/VideoSourceDialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRegularExpression>
#include <QSlider>
#include <QSpinBox>
#include <QVBoxLayout>

#include <algorithm>

namespace platform::capdriver {

VideoSourceDialog::VideoSourceDialog(CaptureDevice& device, const QString& title, QWidget* parent)
    : QDialog(parent), device_(device)
{
    setObjectName("videoSourceDialog");
    setWindowTitle(title);
    setModal(true);
    auto* layout = new QVBoxLayout(this);
    auto* form = new QFormLayout;
    layout->addLayout(form);
    const QList<SourceControl> controls = device_.controls();
    for (const SourceControl& control : controls)
        addRow(form, control);
    if (controls.isEmpty())
        layout->addWidget(new QLabel(tr("This device has no settings."), this));
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setObjectName("okButton");
    buttons->button(QDialogButtonBox::Cancel)->setObjectName("cancelButton");
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
}

QString VideoSourceDialog::objectNameFor(const QString& controlName)
{
    static const QRegularExpression others("[^a-z0-9]+");
    QString name = controlName.toLower().replace(others, "_");
    while (name.startsWith('_'))
        name.remove(0, 1);
    while (name.endsWith('_'))
        name.chop(1);
    return name;
}

void VideoSourceDialog::addRow(QFormLayout* form, const SourceControl& control)
{
    original_.insert(control.id, control.value);
    QWidget* editor = nullptr;
    switch (control.kind) {
    case SourceControl::Kind::Integer:
        editor = integerEditor(control);
        break;
    case SourceControl::Kind::Boolean:
        editor = booleanEditor(control);
        break;
    case SourceControl::Kind::Menu:
        editor = menuEditor(control);
        break;
    }
    form->addRow(control.name, editor);
}

QWidget* VideoSourceDialog::integerEditor(const SourceControl& control)
{
    auto* row = new QWidget(this);
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* slider = new QSlider(Qt::Horizontal, row);
    auto* spin = new QSpinBox(row);
    slider->setObjectName(objectNameFor(control.name));
    spin->setObjectName(objectNameFor(control.name) + "Value");
    // The row's label names the row; each of its two controls is named for itself.
    slider->setAccessibleName(control.name);
    spin->setAccessibleName(control.name + QStringLiteral(" value"));
    slider->setRange(control.minimum, control.maximum);
    slider->setSingleStep(control.step);
    slider->setValue(control.value);
    spin->setRange(control.minimum, control.maximum);
    spin->setSingleStep(control.step);
    spin->setValue(control.value);
    connect(slider, &QSlider::valueChanged, spin, &QSpinBox::setValue);
    connect(spin, &QSpinBox::valueChanged, slider, &QSlider::setValue);
    const quint32 id = control.id;
    connect(slider, &QSlider::valueChanged, this, [this, id](int v) { apply(id, v); });
    layout->addWidget(slider, 1);
    layout->addWidget(spin);
    return row;
}

QWidget* VideoSourceDialog::booleanEditor(const SourceControl& control)
{
    auto* box = new QCheckBox(this);
    box->setObjectName(objectNameFor(control.name));
    box->setAccessibleName(control.name);
    box->setChecked(control.value != 0);
    const quint32 id = control.id;
    connect(box, &QCheckBox::toggled, this, [this, id](bool on) { apply(id, on ? 1 : 0); });
    return box;
}

QWidget* VideoSourceDialog::menuEditor(const SourceControl& control)
{
    auto* combo = new QComboBox(this);
    combo->setObjectName(objectNameFor(control.name));
    combo->setAccessibleName(control.name);
    for (const auto& [value, text] : control.choices) {
        combo->addItem(text, value);
        if (value == control.value)
            combo->setCurrentIndex(combo->count() - 1);
    }
    const quint32 id = control.id;
    connect(combo, &QComboBox::currentIndexChanged, this,
            [this, id, combo](int index) { apply(id, combo->itemData(index).toInt()); });
    return combo;
}

void VideoSourceDialog::apply(quint32 id, qint32 value)
{
    const bool seen = std::any_of(undo_.cbegin(), undo_.cend(), [id](const auto& u) { return u.first == id; });
    if (!seen)
        undo_.append({id, original_.value(id)});
    device_.setControl(id, value);
}

void VideoSourceDialog::reject()
{
    // Newest first: a manual value goes back while its automatic switch is still off.
    for (auto it = undo_.crbegin(); it != undo_.crend(); ++it)
        device_.setControl(it->first, it->second);
    undo_.clear();
    QDialog::reject();
}

}  // namespace platform::capdriver
