#include "buttons/StyledButton.h"

#include "core/ButtonCodes.h"
#include "buttons/ButtonContainer.h"

#include <QScopedValueRollback>

namespace {

constexpr int kPictureSizes[] = {16, 24, 32, 40, 48};

// A stored number inside its range, else the default: a stored design takes the
// same checks as the setters, so no unfitting value reaches the painters.
int storedInt(const PropertyBag& design, const char* key, int defaultValue, int low, int high)
{
    bool ok = false;
    const int value = design.read(key, defaultValue).toInt(&ok);
    return ok && value >= low && value <= high ? value : defaultValue;
}

ButtonColor storedColor(const PropertyBag& design, const char* key, ButtonColor defaultValue)
{
    bool ok = false;
    const qlonglong value = design.read(key, defaultValue).toLongLong(&ok);
    return ok ? static_cast<ButtonColor>(static_cast<uint32_t>(value)) : defaultValue;
}

bool storedBool(const PropertyBag& design, const char* key, bool defaultValue)
{
    return design.read(key, defaultValue).toBool();
}

ButtonPicture storedPicture(const PropertyBag& design, const char* key)
{
    return design.read(key).value<ButtonPicture>();
}

int storedPictureSize(const PropertyBag& design)
{
    const int size = storedInt(design, "ImgSize", 16, 16, 48);
    for (int allowed : kPictureSizes) {
        if (size == allowed)
            return size;
    }
    return 16;
}

}  // namespace

void StyledButton::initProperties()
{
    containerWindow_ = parentWidget();
    ButtonContainer* c = container();
    caption_ = c ? c->controlName(*this) : objectName();
    captionAlign_ = 2;
    showFocusRect_ = true;
    hoverForeColor_ = kButtonTextColor;
    hoverBackColor_ = kButtonFaceColor;
    {
        const QScopedValueRollback<bool> own(applyingOwnChange_, true);
        QWidget::setFont(c ? c->ambientFont() : font());
    }
    containerBackColor_ = c ? c->ambientBackColor() : kButtonFaceColor;
    backColor_ = kButtonFaceColor;
    updateProperty("Font");
    updateProperty("BackColor");
    for (const char* key : {"Caption", "CapAlign", "Focus", "cFHover", "cBHover", "Font"})
        recordChange(key);
}

void StyledButton::readProperties(const PropertyBag& design)
{
    if (mode_ == buttons::kModeOption) {
        value_ = false;
        bool unused = false;
        optionToggle(-1, unused);
    }
    containerWindow_ = parentWidget();
    const ButtonContainer* c = container();
    containerBackColor_ = c ? c->ambientBackColor() : kButtonFaceColor;
    DelayDrawing(true);
    readStoredValues(design);
    checkStoredValues();
    updateProperty("Picture");
    updateProperty("Font");
    updateProperty("BackColor");
    const QString caption = caption_;
    setCaption(caption);
    if (mode_ == buttons::kModeOption) {
        bool unused = false;
        optionToggle(1, unused);
    }
    drawingDelayed_ = false;
    resizeHandling();
}

void StyledButton::readStoredValues(const PropertyBag& design)
{
    const ButtonContainer* c = container();
    caption_ = design.read("Caption", QString()).toString();
    captionAlign_ = storedInt(design, "CapAlign", 2, 0, 2);
    buttonStyle_ = storedInt(design, "BackStyle", 0, 0, 7);
    buttonShape_ = storedInt(design, "Shape", 0, 0, 8);
    gradientMode_ = storedInt(design, "Gradient", 0, 0, 4);
    gradientColor_ = storedColor(design, "cGradient", kButtonFaceColor);
    foreColor_ = storedColor(design, "cFore", kButtonTextColor);
    // Loading lays out and paints once at its end, and records nothing.
    const QScopedValueRollback<bool> own(applyingOwnChange_, true);
    const QVariant storedFont = design.read("Font");
    QWidget::setFont(storedFont.canConvert<QFont>() ? storedFont.value<QFont>()
                                                    : (c ? c->ambientFont() : font()));
    showFocusRect_ = storedBool(design, "Focus", true);
    mode_ = storedInt(design, "Mode", 0, 0, 2);
    value_ = storedBool(design, "Value", false);
    customClick_ = storedInt(design, "CustomClick", 0, 0, 8);
    picture_ = storedPicture(design, "Image");
    pictureSize_ = storedPictureSize(design);
    pictureAlign_ = storedInt(design, "ImgAlign", 0, 0, 5);
    hoverForeColor_ = storedColor(design, "cFHover", kButtonTextColor);
    ownEnabled_ = storedBool(design, "Enabled", true);
    QWidget::setEnabled(ownEnabled_);
    backColor_ = storedColor(design, "cBack", c ? c->ambientBackColor() : kButtonFaceColor);
    hoverBackColor_ = storedColor(design, "cBHover", backColor_);
    hoverColorLocks_ = storedInt(design, "LockHover", 0, INT_MIN, INT_MAX);
    captionStyle_ = storedInt(design, "CapStyle", 0, 0, 2);
    setMouseIcon(storedPicture(design, "mIcon"));
    setMousePointer(storedInt(design, "mPointer", 0, INT_MIN, INT_MAX));
}

void StyledButton::checkStoredValues()
{
    // The rules the setters keep between properties.
    if (value_ && mode_ == buttons::kModeCommand)
        value_ = false;
    if (buttons::isPictureShape(buttonShape_) && (picture_.isNull() || picture_.isIcon()))
        buttonShape_ = buttons::kShapeRectangle;
}

PropertyBag StyledButton::writeProperties() const
{
    PropertyBag bag;
    bag.write("Caption", caption_, QString());
    bag.write("CapAlign", captionAlign_, 2);
    bag.write("BackStyle", buttonStyle_, 0);
    bag.write("Shape", buttonShape_, 0);
    bag.write("Font", font());
    bag.write("cFore", foreColor_, kButtonTextColor);
    bag.write("cFHover", hoverForeColor_, kButtonTextColor);
    bag.write("cBhover", hoverBackColor_, backColor_);
    bag.write("Focus", showFocusRect_, true);
    bag.write("LockHover", hoverColorLocks_, 0);
    bag.write("cGradient", gradientColor_, kButtonFaceColor);
    bag.write("Gradient", gradientMode_, 0);
    bag.write("CapStyle", captionStyle_, 0);
    bag.write("Mode", mode_);
    bag.write("Value", value_);
    bag.write("CustomClick", customClick_, 0);
    bag.write("ImgAlign", pictureAlign_, 0);
    if (!picture_.isNull())
        bag.write("Image", QVariant::fromValue(picture_));
    bag.write("ImgSize", pictureSize_, 16);
    bag.write("Enabled", !testAttribute(Qt::WA_ForceDisabled), true);
    bag.write("cBack", backColor_);
    bag.write("mPointer", mousePointer_, 0);
    if (!mouseIcon_.isNull())
        bag.write("mIcon", QVariant::fromValue(mouseIcon_));
    return bag;
}

StyledButton* createStyledButton(QWidget* parent, const QString& objectName, const PropertyBag& design)
{
    auto* button = new StyledButton(parent);
    button->setObjectName(objectName);
    button->readProperties(design);
    return button;
}

StyledButton* createStyledButton(QWidget* parent, const ButtonDesign& design)
{
    StyledButton* button = createStyledButton(parent, design.objectName, design.design);
    button->setGeometry(design.geometry);
    return button;
}
