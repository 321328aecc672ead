#pragma once

#include "buttons/ButtonColors.h"
#include "buttons/ButtonPicture.h"
#include "buttons/PropertyBag.h"

#include <QFont>
#include <QPointer>
#include <QRect>
#include <QString>
#include <QWidget>

#include <memory>

class ButtonContainer;
class ButtonFace;
class QMimeData;
class QShortcut;
class QTimer;

// The program's own command, check and option button. Every window builds its
// buttons from stored designs through createStyledButton; at run time windows set
// Caption, Enabled, Value, ButtonStyle, ForeColor and GradientColor and handle
// Click and MouseDown. Property setters refuse unfitting values silently while
// the program runs (a designer gets an information box instead).
class StyledButton : public QWidget {
    Q_OBJECT

public:
    // State flags.
    static constexpr int kFlagDefault = 1;  // drawn as the container's default button
    static constexpr int kFlagPressed = 2;  // left mouse button or Space held
    static constexpr int kFlagHover = 4;    // hover look
    static constexpr int kFlagMoved = 0x400;  // window moved one pixel by CustomClick

    static constexpr int kHoverTimerId = 237;
    static constexpr int kHoverPeriodMs = 50;
    // How long an assistive tool's press shows the pressed look before it clicks.
    static constexpr int kAnimateClickMs = 100;

    explicit StyledButton(QWidget* parent = nullptr);
    ~StyledButton() override;

    // Properties, each setter with its checks.
    int ButtonStyle() const { return buttonStyle_; }
    void setButtonStyle(int style);
    int Mode() const { return mode_; }
    void setMode(int mode);
    QString Caption() const { return caption_; }
    void setCaption(const QString& caption);
    int CaptionAlign() const { return captionAlign_; }
    void setCaptionAlign(int align);
    int CaptionStyle() const { return captionStyle_; }
    void setCaptionStyle(int style);
    int CustomClick() const { return customClick_; }
    void setCustomClick(int direction);
    int ButtonShape() const { return buttonShape_; }
    void setButtonShape(int shape);
    ButtonPicture Picture() const { return picture_; }
    void setPicture(const ButtonPicture& picture);
    int PictureAlign() const { return pictureAlign_; }
    void setPictureAlign(int align);
    bool Enabled() const { return isEnabled(); }
    void setEnabled(bool enabled);
    bool ShowFocusRect() const { return showFocusRect_; }
    void setShowFocusRect(bool show);
    bool Value() const { return value_; }
    void setValue(bool value);
    // Index 0-4 for 16, 24, 32, 40 and 48 pixels.
    int PictureSize() const;
    void setPictureSize(int index);
    int MousePointer() const { return mousePointer_; }
    void setMousePointer(int pointer);
    ButtonPicture MouseIcon() const { return mouseIcon_; }
    void setMouseIcon(const ButtonPicture& icon);
    QFont Font() const { return font(); }
    void setFont(const QFont& font);
    // 2 bold, 4 italic, 8 underline.
    int FontStyle() const;
    void setFontStyle(int style);
    ButtonColor ForeColor() const { return foreColor_; }
    void setForeColor(ButtonColor color);
    ButtonColor BackColor() const { return backColor_; }
    void setBackColor(ButtonColor color);
    ButtonColor GradientColor() const { return gradientColor_; }
    void setGradientColor(ButtonColor color);
    int GradientMode() const { return gradientMode_; }
    void setGradientMode(int mode);
    bool ResetDefaultColors() const { return false; }
    void setResetDefaultColors(bool reset);
    // 0 nothing locked, 1 hover back colour, 2 hover fore colour, 3 both.
    int HoverColorLocks() const { return hoverColorLocks_; }
    void setHoverColorLocks(int locks);
    ButtonColor HoverForeColor() const { return hoverForeColor_; }
    void setHoverForeColor(ButtonColor color);
    ButtonColor HoverBackColor() const { return hoverBackColor_; }
    void setHoverBackColor(ButtonColor color);
    QPaintDevice* hdc() { return this; }
    WId hWnd() const { return effectiveWinId(); }
    void Refresh();
    void DelayDrawing(bool bDelay);

    // The window's default (Enter) and cancel (Esc) button.
    bool Default() const;
    void setDefault(bool isDefault);
    bool Cancel() const;
    void setCancel(bool isCancel);
    // Drops are offered to the window through OLEDragDrop and OLEDragOver when on.
    int OLEDropMode() const { return oleDropMode_; }
    void setOLEDropMode(int mode);
    // Starts a drag from the button; OLEStartDrag fills the data.
    void OLEDrag();

    // Persistence: a design placed by a designer, a stored design, and the design
    // as it is stored (defaults left out).
    void initProperties();
    void readProperties(const PropertyBag& design);
    PropertyBag writeProperties() const;

    // The container announces a changed ambient property: "DisplayAsDefault" or "BackColor".
    void ambientChanged(const QString& name);
    // The access key, or Enter for the default button, or Esc for the cancel button.
    void accessKeyPress(int keyAscii);
    // A click from the keyboard (Space, the access key, Enter or Esc) or an assistive
    // tool: raises pressedWithoutMouse, then Click; toggles a check button and selects
    // an option button.
    void keyboardClick();
    // The click of an assistive tool's press action: shows the pressed look at once
    // and clicks from the event loop a moment later, so the tool's call returns
    // before whatever the click opens (a modal window) runs.
    void animateClick();

    // State the face draws from.
    int stateFlags() const { return stateFlags_; }
    void setStateFlags(int flags) { stateFlags_ = flags; }
    bool isHovering() const { return hovering_; }
    bool isHeld() const { return held_; }
    bool drawingDelayed() const { return drawingDelayed_; }
    int lastMouseButton() const { return lastMouseButton_; }
    int pictureSizePixels() const { return pictureSize_; }
    int pictureWidth() const { return pictureWidth_; }
    int pictureHeight() const { return pictureHeight_; }
    bool pictureIsIcon() const { return pictureIsIcon_; }
    ButtonColor containerBackColor() const { return containerBackColor_; }
    QChar accessKey() const { return accessKey_; }
    bool designing() const;
    QWidget* containerWindow() const { return containerWindow_; }
    ButtonFace& face() { return *face_; }
    // Redraws asked for while drawing was not delayed; painting batches show here.
    quint64 redrawCount() const { return redrawCount_; }

    // The option-group upkeep: 0 this button became True, 1 add, -1 remove, 2 query
    // (result: a member is True).
    void optionToggle(int action, bool& result);
    // The hover timer's tick: ends the hover once the cursor has left.
    void timerTick(int timerId);

signals:
    void MouseDown(int Button, int Shift, float X, float Y);
    void MouseUp(int Button, int Shift, float X, float Y);
    void MouseMove(int Button, int Shift, float X, float Y);
    void KeyDown(int KeyCode, int Shift);
    void KeyPress(int KeyAscii);
    void KeyUp(int KeyCode, int Shift);
    void MouseOnButton(bool OnButton);
    void Click();
    void DoubleClick(int Button);
    void OLECompleteDrag(int Effect);
    void OLEDragDrop(const QMimeData* Data, int Effect, int Button, int Shift, float X, float Y);
    void OLEDragOver(const QMimeData* Data, int Effect, int Button, int Shift, float X, float Y, int State);
    void OLEGiveFeedback(int Effect, bool DefaultCursors);
    void OLESetData(QMimeData* Data, int DataFormat);
    void OLEStartDrag(QMimeData* Data, int AllowedEffects);
    // A press that came without the mouse (keyboard or assistive tool), raised just
    // before its Click handling. Windows whose handler is a MouseDown or MouseUp
    // handler connect it through buttons::connectMouseDown/connectMouseUp
    // (buttons/ButtonPress.h), so every way of pressing runs the handler.
    void pressedWithoutMouse();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dragLeaveEvent(QDragLeaveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    ButtonContainer* container() const;
    void designBox(const QString& text) const;
    void recordChange(const QString& key);
    void redrawButton();
    void calculateLayout();
    void createButtonRegion();
    void updateProperty(const QString& name);
    void resizeHandling();
    void enabledLookChanged();
    void fontLookChanged();

    void mouseDownHandling(int button, int shift, QPointF pos);
    void mouseUpHandling(int button, int shift, QPointF pos);
    void clickHandling();
    void pressWithoutMouse();
    void startHover(int button);
    void endHover();
    bool cursorOverButton() const;
    void keyDownHandling(int& keyCode, int shift);
    void keyUpHandling(int& keyCode, int shift);
    void releaseSpace();
    void setAccessKey(QChar key);
    void applyMousePointer();

    void readStoredValues(const PropertyBag& design);
    void checkStoredValues();

    std::unique_ptr<ButtonFace> face_;
    QPointer<QWidget> containerWindow_;

    QString caption_;
    int captionAlign_ = 2;
    int captionStyle_ = 0;
    int buttonStyle_ = 0;
    int stateFlags_ = 0;
    int buttonShape_ = 0;
    bool showFocusRect_ = true;
    ButtonColor hoverBackColor_ = kButtonFaceColor;
    ButtonColor hoverForeColor_ = kButtonTextColor;
    int hoverColorLocks_ = 0;
    int gradientMode_ = 0;
    ButtonColor gradientColor_ = kButtonFaceColor;
    int mode_ = 0;
    bool value_ = false;
    int customClick_ = 0;
    ButtonPicture picture_;
    int pictureAlign_ = 0;
    int pictureSize_ = 16;
    int pictureWidth_ = 0;
    int pictureHeight_ = 0;
    bool pictureIsIcon_ = false;
    bool drawingDelayed_ = false;
    ButtonColor backColor_ = kButtonFaceColor;
    int lastMouseButton_ = 0;
    bool hovering_ = false;
    ButtonColor containerBackColor_ = kButtonFaceColor;
    bool held_ = false;

    ButtonColor foreColor_ = kButtonTextColor;
    int mousePointer_ = 0;
    ButtonPicture mouseIcon_;
    int oleDropMode_ = 0;
    QChar accessKey_;
    QShortcut* accessShortcut_ = nullptr;
    QShortcut* enterShortcut_ = nullptr;
    QShortcut* keypadEnterShortcut_ = nullptr;
    QShortcut* escapeShortcut_ = nullptr;
    QTimer* hoverTimer_ = nullptr;
    QTimer* animateTimer_ = nullptr;
    bool spaceDown_ = false;
    bool afterDoubleClick_ = false;
    bool shown_ = false;
    // Set while a setter of this class changes the widget's own font or enabled
    // state, so the change events it causes do not repeat the setter's work.
    bool applyingOwnChange_ = false;
    // The Enabled property as last seen, to tell a change of its own from one
    // of the parent's.
    bool ownEnabled_ = true;
    quint64 redrawCount_ = 0;
};

// Builds a window's button from its stored design: the one loading path every
// window runs.
StyledButton* createStyledButton(QWidget* parent, const QString& objectName, const PropertyBag& design);

// One row of a window's design table: a button's name, place and stored design.
struct ButtonDesign {
    QString objectName;
    QRect geometry;
    PropertyBag design;
};

StyledButton* createStyledButton(QWidget* parent, const ButtonDesign& design);
