#include "buttons/ButtonFace.h"
#include "buttons/ButtonPaint.h"
#include "buttons/StyledButton.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QList>
#include <QPainter>
#include <QPointer>
#include <QScreen>

#include <functional>
#include <optional>
#include <utility>

namespace {

// Buttons shown with a redraw pending draw it at the next turn of the event loop,
// all in one go. A window that has just been shown waits for the display to expose
// it: the frames are ready by then, and its first paint only copies them.
class PendingDraws {
public:
    static void add(StyledButton& button, std::function<void()> draw)
    {
        static PendingDraws queue;
        if (queue.items_.isEmpty())
            QMetaObject::invokeMethod(QCoreApplication::instance(), [] { queue.drawAll(); }, Qt::QueuedConnection);
        queue.items_.append({&button, std::move(draw)});
    }

private:
    void drawAll()
    {
        const QList<Item> items = std::exchange(items_, {});
        for (const Item& item : items)
            if (item.button)
                item.draw();
    }

    struct Item {
        QPointer<StyledButton> button;
        std::function<void()> draw;
    };
    QList<Item> items_;
};

// The button's own looks: every redraw is painted off-screen and reaches the
// window in one copy; the shape becomes the window mask, which also limits where
// the mouse hits the button.
class StyledButtonFace final : public ButtonFace, private buttons::ButtonHost {
public:
    explicit StyledButtonFace(StyledButton& button) : button_(button), painter_(*this) {}

    // Caption and picture places of a hidden button are laid out when it draws.
    void calculateLayout() override
    {
        layoutStale_ = !button_.isVisible();
        if (!layoutStale_)
            painter_.calculateLayout(look());
    }
    void createButtonRegion() override
    {
        buttons::ButtonLook l = look();
        painter_.createRegion(l);
    }
    void createButtonDC() override { painter_.createBuffer(button_.size()); }
    // A button nobody can see keeps the look asked for and draws it when it is first
    // painted: a window sets up its buttons many times over before it shows.
    void redrawButton() override
    {
        if (button_.isVisible()) {
            pending_.reset();
            redraw(look());
        } else {
            pending_ = look();
        }
    }
    void shown() override
    {
        if (!pending_ || drawQueued_)
            return;
        drawQueued_ = true;
        PendingDraws::add(button_, [this] {
            drawQueued_ = false;
            if (button_.isVisible())
                drawPending();
        });
    }
    // An expose shows the last redraw: the state flags may have changed since
    // without asking for one (Space keeps its hover look only for its own redraw).
    void paint(QPainter& painter) override
    {
        if (!drawPending() && (frame_.isNull() || frame_.size() != button_.size()))
            redraw(look());
        painter.drawImage(0, 0, frame_);
    }

private:
    // Draws the look asked for while the button was hidden (the current one when the
    // button's size changed since); false when none was asked for.
    bool drawPending()
    {
        std::optional<buttons::ButtonLook> asked = std::exchange(pending_, std::nullopt);
        if (!asked)
            return false;
        redraw(asked->size == button_.size() ? *asked : look());
        return true;
    }

    void redraw(const buttons::ButtonLook& asked)
    {
        if (std::exchange(layoutStale_, false))
            painter_.calculateLayout(asked);
        painter_.redraw(asked);
        const int flags = button_.stateFlags() & ~StyledButton::kFlagMoved;
        button_.setStateFlags(painter_.moved() ? flags | StyledButton::kFlagMoved : flags);
    }

    buttons::ButtonLook look() const
    {
        buttons::ButtonLook l;
        l.size = button_.size();
        l.buttonStyle = button_.ButtonStyle();
        l.buttonShape = button_.ButtonShape();
        l.mode = button_.Mode();
        l.value = button_.Value();
        l.enabled = button_.isEnabled();
        l.designing = button_.designing();
        l.stateFlags = button_.stateFlags();
        l.hovering = button_.isHovering();
        l.held = button_.isHeld();
        l.backColor = button_.BackColor();
        l.foreColor = button_.ForeColor();
        l.hoverBackColor = button_.HoverBackColor();
        l.hoverForeColor = button_.HoverForeColor();
        l.gradientColor = button_.GradientColor();
        l.gradientMode = button_.GradientMode();
        l.captionAlign = button_.CaptionAlign();
        l.captionStyle = button_.CaptionStyle();
        l.pictureAlign = button_.PictureAlign();
        l.pictureSize = button_.pictureSizePixels();
        l.customClick = button_.CustomClick();
        l.showFocusRect = button_.ShowFocusRect();
        l.caption = button_.Caption();
        l.font = button_.font();
        l.picture = button_.Picture().image();
        l.pictureIsIcon = button_.Picture().isIcon();
        l.systemColours = gdi::SystemColours::fromPalette(button_.palette());
        return l;
    }

    void moveBy(int dx, int dy) override { button_.move(button_.pos() + QPoint(dx, dy)); }
    void resizeTo(QSize size) override { button_.resize(size); }
    QSize screenSize() const override
    {
        const QScreen* screen = button_.screen() ? button_.screen() : QGuiApplication::primaryScreen();
        return screen ? screen->geometry().size() : QSize(1024, 768);
    }
    void setWindowRegion(const QRegion& region) override { button_.setMask(region); }
    void showFrame(const QImage& frame) override
    {
        frame_ = frame;
        if (!button_.testAttribute(Qt::WA_WState_InPaintEvent))
            button_.update();
    }

    StyledButton& button_;
    buttons::ButtonPainter painter_;
    QImage frame_;
    std::optional<buttons::ButtonLook> pending_;
    bool layoutStale_ = false;
    bool drawQueued_ = false;
};

}  // namespace

std::unique_ptr<ButtonFace> makeButtonFace(StyledButton& button)
{
    return std::make_unique<StyledButtonFace>(button);
}
