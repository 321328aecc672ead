#include "buttons/StyledButton.h"

#include "buttons/AccessKey.h"
#include "buttons/ButtonAccessible.h"
#include "core/ButtonCodes.h"
#include "buttons/ButtonContainer.h"
#include "buttons/ButtonFace.h"
#include "buttons/HoverTimer.h"

#include <QEvent>
#include <QPainter>
#include <QScopedValueRollback>
#include <QShortcut>
#include <QTimer>

using namespace buttons;

namespace {

const QString kCrLf = QStringLiteral("\r\n");

bool inRange(int value, int low, int high) { return value >= low && value <= high; }

// The factory has to be in place before the widget exists: an assistive tool that
// asks for the new widget must not be handed a plain widget's description.
QWidget* withAccessibility(QWidget* parent)
{
    buttons::installButtonAccessibility();
    return parent;
}

}  // namespace

StyledButton::StyledButton(QWidget* parent) : QWidget(withAccessibility(parent)), containerWindow_(parent)
{
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    face_ = makeButtonFace(*this);
    hoverTimer_ = new QTimer(this);
    hoverTimer_->setInterval(kHoverPeriodMs);
    connect(hoverTimer_, &QTimer::timeout, this, [this] { buttons::hoverTimerProc(this); });
}

StyledButton::~StyledButton()
{
    hoverTimer_->stop();
    // A destroyed member must not stay in its group, or the next toggle follows it.
    if (mode_ == kModeOption) {
        value_ = false;
        bool unused = false;
        optionToggle(-1, unused);
    }
}

ButtonContainer* StyledButton::container() const
{
    return ButtonContainer::of(containerWindow_ ? containerWindow_.data() : parentWidget());
}

bool StyledButton::designing() const
{
    const ButtonContainer* c = container();
    return c && c->designing();
}

void StyledButton::designBox(const QString& text) const
{
    if (ButtonContainer* c = container(); c && c->designing())
        c->showDesignMessage(text);
}

void StyledButton::recordChange(const QString& key)
{
    if (ButtonContainer* c = container())
        c->propertyChanged(*this, key);
}

void StyledButton::redrawButton()
{
    if (drawingDelayed_)
        return;
    ++redrawCount_;
    face_->redrawButton();
}

void StyledButton::calculateLayout() { face_->calculateLayout(); }

void StyledButton::createButtonRegion() { face_->createButtonRegion(); }

void StyledButton::updateProperty(const QString& name)
{
    if (name == QLatin1String("Picture")) {
        pictureWidth_ = picture_.width();
        pictureHeight_ = picture_.height();
        pictureIsIcon_ = picture_.isIcon();
    }
    face_->updateProperty(name);
}

void StyledButton::resizeHandling()
{
    face_->createButtonDC();
    if (drawingDelayed_)
        return;
    createButtonRegion();
    calculateLayout();
    redrawButton();
}

void StyledButton::setButtonStyle(int style)
{
    if (!inRange(style, kStyleClassic, kStyleXpMac))
        return;
    const int old = buttonStyle_;
    buttonStyle_ = style;
    if (((old == kStyleHover || style == kStyleHover) && buttonShape_ < kShapePictureFramed) || hasRings(buttonShape_))
        createButtonRegion();
    calculateLayout();
    updateProperty("BackColor");
    redrawButton();
    recordChange("BackStyle");
}

void StyledButton::setMode(int mode)
{
    if (!inRange(mode, kModeCommand, kModeOption))
        return;
    if (mode == kModeCommand && mode_ > kModeCommand)
        setValue(false);
    bool unused = false;
    if (mode_ == kModeOption && mode < kModeOption)
        optionToggle(-1, unused);
    else if (mode_ < kModeOption && mode == kModeOption)
        optionToggle(1, unused);
    mode_ = mode;
    redrawButton();
    recordChange("Mode");
}

void StyledButton::setCaption(const QString& caption)
{
    if (const QChar key = buttons::accessKeyOf(caption); !key.isNull())
        setAccessKey(key);
    const bool renamed = caption != caption_;
    caption_ = caption;
    calculateLayout();
    redrawButton();
    recordChange("Caption");
    if (renamed)
        buttons::announceNameChange(*this);
}

void StyledButton::setAccessKey(QChar key)
{
    accessKey_ = key;
    delete accessShortcut_;
    accessShortcut_ = new QShortcut(QKeySequence(QKeyCombination(Qt::AltModifier, Qt::Key(key.toUpper().unicode()))), this);
    connect(accessShortcut_, &QShortcut::activated, this, [this] {
        if (isEnabled() && isVisible())
            accessKeyPress(accessKey_.toUpper().unicode());
    });
    // An access key that several controls of the window share clicks none of them:
    // each press moves the focus to the next of them, and Space presses it.
    connect(accessShortcut_, &QShortcut::activatedAmbiguously, this, [this] {
        if (isEnabled() && isVisible())
            setFocus(Qt::ShortcutFocusReason);
    });
}

void StyledButton::setCaptionAlign(int align)
{
    if (!inRange(align, kCaptionLeft, kCaptionCentre))
        return;
    if (align != kCaptionCentre && pictureWidth_ + pictureHeight_ >= 1 && pictureAlign_ >= kPictureAbove) {
        designBox("When button images are aligned top/bottom center, " + kCrLf +
                  "button captions can only be center aligned");
        return;
    }
    captionAlign_ = align;
    calculateLayout();
    redrawButton();
    recordChange("CapAlign");
}

void StyledButton::setCaptionStyle(int style)
{
    if (!inRange(style, kCaptionPlain, kCaptionShadowLight))
        return;
    captionStyle_ = style;
    recordChange("CapStyle");
    if (caption_.isEmpty())
        return;
    calculateLayout();
    redrawButton();
}

void StyledButton::setCustomClick(int direction)
{
    if (!inRange(direction, 0, 8))
        return;
    if (direction >= 1 && buttonShape_ < kShapePictureFramed)
        designBox("This property has no effect unless the Button Shape is a custom shape.");
    customClick_ = direction;
    recordChange("CustomClick");
}

void StyledButton::setButtonShape(int shape)
{
    if (!inRange(shape, kShapeRectangle, kShapePicture))
        return;
    if (isPictureShape(shape)) {
        if (picture_.isNull() || picture_.isIcon()) {
            designBox("The Picture Property must be assigned first and must be a bitmap or JPEG.");
            return;
        }
        if (PictureSize() != 4) {
            drawingDelayed_ = true;
            setPictureSize(4);
            drawingDelayed_ = false;
        }
    }
    buttonShape_ = shape;
    captionAlign_ = kCaptionCentre;
    resizeHandling();
    DelayDrawing(false);
    recordChange("Shape");
}

void StyledButton::setPicture(const ButtonPicture& picture)
{
    picture_ = picture;
    if (pictureSize_ == 0)
        pictureSize_ = 16;
    updateProperty("Picture");
    if (buttonShape_ < kShapePictureFramed) {
        calculateLayout();
        redrawButton();
    } else {
        if (picture.isNull()) {
            setButtonShape(kShapeRectangle);
        } else if (picture.isIcon()) {
            setButtonShape(kShapeRectangle);
            designBox("Icons cannot be used for custom buttons. Only use bitmaps or JPEGs." + kCrLf +
                      "Button was changed to Rectangular shaped.");
        }
        resizeHandling();
    }
    recordChange("Image");
}

void StyledButton::setPictureAlign(int align)
{
    if (!inRange(align, kPictureLeftEdge, kPictureBelow))
        return;
    pictureAlign_ = align;
    if (align >= kPictureAbove)
        setCaptionAlign(kCaptionCentre);
    calculateLayout();
    redrawButton();
    recordChange("ImgAlign");
}

void StyledButton::setEnabled(bool enabled)
{
    if (enabled == !testAttribute(Qt::WA_ForceDisabled))
        return;
    {
        const QScopedValueRollback<bool> own(applyingOwnChange_, true);
        QWidget::setEnabled(enabled);
    }
    ownEnabled_ = enabled;
    enabledLookChanged();
    recordChange("Enabled");
}

// The look of a button that was enabled or disabled, by its own setter or through
// its parent: the Java look also changes its outline.
void StyledButton::enabledLookChanged()
{
    if (buttonStyle_ == kStyleJava && mode_ == kModeCommand && hasRings(buttonShape_)) {
        drawingDelayed_ = true;
        createButtonRegion();
        calculateLayout();
        DelayDrawing(false);
    } else {
        redrawButton();
    }
    QAccessible::State changed;
    changed.disabled = true;
    buttons::announceStateChange(*this, changed);
}

void StyledButton::setShowFocusRect(bool show)
{
    showFocusRect_ = show;
    if (stateFlags_ & kFlagDefault) {
        if (!designing()) {
            stateFlags_ &= ~kFlagDefault;
            redrawButton();
        } else {
            designBox("The focus rectangle may appear on default buttons ONLY while in design mode, " + kCrLf +
                      "but will not appear when the form is running.");
        }
    } else {
        redrawButton();
    }
    recordChange("Focus");
}

void StyledButton::setValue(bool value)
{
    if (value && mode_ == kModeCommand) {
        designBox("This property is not applicable for command button modes.");
        return;
    }
    const bool toggled = value != value_;
    value_ = value;
    if (value && mode_ == kModeOption) {
        bool unused = false;
        optionToggle(0, unused);
    }
    redrawButton();
    recordChange("Value");
    if (toggled) {
        QAccessible::State changed;
        changed.checked = true;
        buttons::announceStateChange(*this, changed);
    }
}

int StyledButton::PictureSize() const { return (pictureSize_ == 0 ? 16 : pictureSize_) / 8 - 2; }

void StyledButton::setPictureSize(int index)
{
    if (!inRange(index, 0, 4))
        return;
    if (isPictureShape(buttonShape_)) {
        designBox("The picture size cannot be changed for Shaped buttons");
        return;
    }
    pictureSize_ = (index + 2) * 8;
    calculateLayout();
    redrawButton();
    recordChange("ImgSize");
}

void StyledButton::setFont(const QFont& font)
{
    {
        const QScopedValueRollback<bool> own(applyingOwnChange_, true);
        QWidget::setFont(font);
    }
    fontLookChanged();
}

void StyledButton::fontLookChanged()
{
    updateProperty("Font");
    calculateLayout();
    redrawButton();
    recordChange("Font");
}

int StyledButton::FontStyle() const
{
    const QFont f = font();
    return (f.bold() ? 2 : 0) | (f.italic() ? 4 : 0) | (f.underline() ? 8 : 0);
}

void StyledButton::setFontStyle(int style)
{
    QFont f = font();
    f.setBold(style & 2);
    f.setItalic(style & 4);
    f.setUnderline(style & 8);
    {
        const QScopedValueRollback<bool> own(applyingOwnChange_, true);
        QWidget::setFont(f);
    }
    fontLookChanged();
}

void StyledButton::Refresh()
{
    drawingDelayed_ = false;
    redrawButton();
}

void StyledButton::DelayDrawing(bool bDelay)
{
    drawingDelayed_ = bDelay;
    if (!bDelay)
        Refresh();
}

void StyledButton::paintEvent(QPaintEvent* event)
{
    (void)event;
    drawingDelayed_ = false;
    QPainter painter(this);
    face_->paint(painter);
}

void StyledButton::resizeEvent(QResizeEvent* event)
{
    (void)event;
    resizeHandling();
}

// Font and enabled state can also change past the setters: through a QWidget
// pointer, or from the parent (a disabled panel disables its buttons, a font set
// on a window reaches the buttons that take it from there).
void StyledButton::changeEvent(QEvent* event)
{
    switch (event->type()) {
    case QEvent::PaletteChange:
        ambientChanged("BackColor");
        break;
    case QEvent::EnabledChange:
        if (!applyingOwnChange_) {
            enabledLookChanged();
            if (const bool own = !testAttribute(Qt::WA_ForceDisabled); own != ownEnabled_) {
                ownEnabled_ = own;
                recordChange("Enabled");
            }
        }
        break;
    case QEvent::FontChange:
        if (!applyingOwnChange_)
            fontLookChanged();
        break;
    default:
        break;
    }
    QWidget::changeEvent(event);
}
