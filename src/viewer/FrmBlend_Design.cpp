// The blend panel's controls, created from their stored designs.
#include "viewer/FrmBlend.h"

#include "buttons/ButtonPress.h"
#include "buttons/PropertyBag.h"
#include "buttons/StyledButton.h"
#include "viewer/EffectButtons.h"

#include <QLabel>
#include <QListWidget>

namespace {

QLabel* makeLabel(QWidget* parent, const char* name, const QString& text, const QRect& geometry)
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    label->setGeometry(geometry);
    return label;
}

QString toolTipOf(const char* name)
{
    for (const EffectButtonRow& row : effectButtonRows())
        if (QLatin1String(row.name) == QLatin1String(name))
            return row.toolTip;
    return {};
}

}  // namespace

void FrmBlend::buildControls()
{
    setTitle("Gamma Enhanced Blending");
    resize(232, 372);
    // The panel lies over the file list; it hides what is under it.
    setAutoFillBackground(true);

    lblSelectFile = makeLabel(this, "lblSelectFile", "Select file to blend", {8, 18, 216, 16});
    File2 = new QListWidget(this);
    File2->setObjectName("File2");
    File2->setGeometry(8, 36, 216, 120);
    lblSelectFile->setBuddy(File2);
    File2->setAccessibleName(lblSelectFile->text());

    lblPreview = makeLabel(this, "lblPreview", "Preview of file to blend", {8, 160, 216, 16});
    imgBlendPrev = makeLabel(this, "imgBlendPrev", {}, {8, 178, 216, 120});
    imgBlendPrev->setScaledContents(true);
    imgBlendPrev->setFrameShape(QFrame::Box);
    Label5 = makeLabel(this, "Label5", {}, {8, 300, 216, 16});

    auto command = [](const char* caption) { return PropertyBag{{"Caption", caption}, {"BackStyle", 4}}; };
    cmdDoTheBlend = createStyledButton(this, {"cmdDoTheBlend", {8, 320, 216, 23}, command("Gamma Blend Now")});
    cmdDoTheBlend->setToolTip(toolTipOf("cmdDoTheBlend"));
    cmdDoTheBlend->setEnabled(false);
    StyledButton19 = createStyledButton(this, {"StyledButton19", {8, 346, 106, 20}, command("Back")});
    StyledButton19->setToolTip("Close Blend and Return");
    StyledButton25 = createStyledButton(this, {"StyledButton25", {118, 346, 106, 20}, command("&Cancel")});
}

void FrmBlend::connectHandlers()
{
    connect(File2, &QListWidget::itemClicked, this, [this] { File2_Click(); });
    // The blend runs for Space, Enter, the access key and an assistive tool's press
    // too, as the left button.
    buttons::connectMouseDown(cmdDoTheBlend, this,
                              [this](int b, int sh, float x, float y) { cmdDoTheBlend_MouseDown(b, sh, x, y); });
    connect(StyledButton19, &StyledButton::Click, this, &FrmBlend::StyledButton19_Click);
    connect(StyledButton25, &StyledButton::Click, this, &FrmBlend::StyledButton25_Click);
}
