// The capture-size chooser's controls, created from their stored designs.
#include "capture/frmCamRes.h"

#include "buttons/PropertyBag.h"
#include "buttons/StyledButton.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>

namespace {

std::array<ButtonDesign, 2> commandDesigns()
{
    auto command = [](const char* caption) { return PropertyBag{{"Caption", caption}, {"BackStyle", 4}}; };
    return {{{"commands_0", {16, 150, 80, 25}, command("OK")},
             {"commands_1", {112, 150, 80, 25}, command("Cancel")}}};
}

QLabel* makeLabel(QWidget* parent, const char* name, const QString& text, const QRect& geometry)
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    label->setGeometry(geometry);
    return label;
}

QComboBox* makeList(QWidget* parent, const char* name, const QRect& geometry)
{
    auto* list = new QComboBox(parent);
    list->setObjectName(name);
    list->setGeometry(geometry);
    return list;
}

}  // namespace

void frmCamRes::buildControls()
{
    setWindowTitle("Video Size");
    setFixedSize(208, 186);

    Label1 = makeLabel(this, "Label1", "True Resolution", {16, 8, 176, 16});
    cmbRes = makeList(this, "cmbRes", {16, 26, 176, 22});
    Label1->setBuddy(cmbRes);

    Frame1 = new QGroupBox("Stream", this);
    Frame1->setObjectName("Frame1");
    Frame1->setGeometry(8, 58, 192, 80);
    // Shown as written: no access key in this caption.
    Label2 = makeLabel(Frame1, "Label2", "Pixel depth & compression", {8, 20, 176, 16});
    Label2->setTextFormat(Qt::PlainText);
    cmbCol = makeList(Frame1, "cmbCol", {8, 40, 176, 22});
    Label2->setBuddy(cmbCol);
    cmbRes->setAccessibleName(Label1->text());
    cmbCol->setAccessibleName(Label2->text());

    const auto designs = commandDesigns();
    for (int i = 0; i < int(designs.size()); ++i)
        commands[i] = createStyledButton(this, designs[i]);
}

void frmCamRes::connectHandlers()
{
    for (int i = 0; i < int(commands.size()); ++i)
        connect(commands[i], &StyledButton::Click, this, [this, i] { commands_Click(i); });
}
