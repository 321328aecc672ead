#include "buttons/PressLabel.h"

#include <QAccessibleWidget>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <QStyle>
#include <QStyleOptionFocusRect>
#include <QTextDocument>
#include <QTimer>

namespace {

class PressLabelAccessible final : public QAccessibleWidget {
public:
    explicit PressLabelAccessible(PressLabel* label) : QAccessibleWidget(label, label->accessibleRole()) {}

    QString text(QAccessible::Text t) const override
    {
        if (t != QAccessible::Name)
            return QAccessibleWidget::text(t);
        if (!label()->accessibleName().isEmpty())
            return label()->accessibleName();
        QString shown = label()->text();
        if (Qt::mightBeRichText(shown)) {
            QTextDocument document;
            document.setHtml(shown);
            shown = document.toPlainText();
        }
        shown = shown.simplified();
        return shown.isEmpty() ? label()->toolTip() : shown;
    }

    QStringList actionNames() const override
    {
        QStringList names;
        if (label()->isEnabled())
            names << pressAction();
        return names + QAccessibleWidget::actionNames();
    }

    void doAction(const QString& action) override
    {
        if (action != pressAction()) {
            QAccessibleWidget::doAction(action);
            return;
        }
        if (label()->isEnabled())
            label()->queueClick();
    }

private:
    PressLabel* label() const { return static_cast<PressLabel*>(widget()); }
};

QAccessibleInterface* pressLabelFactory(const QString& className, QObject* object)
{
    if (className != QLatin1String(PressLabel::staticMetaObject.className()))
        return nullptr;
    auto* label = qobject_cast<PressLabel*>(object);
    return label ? new PressLabelAccessible(label) : nullptr;
}

QWidget* withAccessibility(QWidget* parent)
{
    static const bool installed = [] {
        QAccessible::installFactory(pressLabelFactory);
        return true;
    }();
    (void)installed;
    return parent;
}

bool isEnter(int key) { return key == Qt::Key_Return || key == Qt::Key_Enter; }

}  // namespace

PressLabel::PressLabel(QWidget* parent, QAccessible::Role role) : PressLabel(QString(), parent, role) {}

PressLabel::PressLabel(const QString& text, QWidget* parent, QAccessible::Role role)
    : QLabel(text, withAccessibility(parent))
    , role_(role)
{
    setFocusPolicy(Qt::StrongFocus);
    setCursor(Qt::PointingHandCursor);
}

void PressLabel::queueClick()
{
    const QPointer<PressLabel> self(this);
    QTimer::singleShot(0, this, [self] {
        if (self && self->isEnabled())
            emit self->Click();
    });
}

bool PressLabel::event(QEvent* event)
{
    // Space and Enter on the focused label are its own, not the window's default button's.
    if (event->type() == QEvent::ShortcutOverride) {
        auto* key = static_cast<QKeyEvent*>(event);
        const bool plain = (key->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
        if (plain && (key->key() == Qt::Key_Space || isEnter(key->key()))) {
            event->accept();
            return true;
        }
    }
    return QLabel::event(event);
}

void PressLabel::mousePressEvent(QMouseEvent* event)
{
    leftDown_ = event->button() == Qt::LeftButton;
    event->accept();
}

void PressLabel::mouseReleaseEvent(QMouseEvent* event)
{
    const bool click = leftDown_ && event->button() == Qt::LeftButton && rect().contains(event->position().toPoint());
    leftDown_ = false;
    event->accept();
    if (click)
        emit Click();
}

void PressLabel::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Space && event->modifiers() == Qt::NoModifier) {
        if (!event->isAutoRepeat())
            spaceDown_ = true;
        event->accept();
        return;
    }
    if (isEnter(event->key()) && (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
        event->accept();
        emit Click();
        return;
    }
    QLabel::keyPressEvent(event);
}

void PressLabel::keyReleaseEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Space && !event->isAutoRepeat() && spaceDown_) {
        spaceDown_ = false;
        event->accept();
        emit Click();
        return;
    }
    QLabel::keyReleaseEvent(event);
}

void PressLabel::paintEvent(QPaintEvent* event)
{
    QLabel::paintEvent(event);
    if (!hasFocus())
        return;
    QPainter painter(this);
    QStyleOptionFocusRect option;
    option.initFrom(this);
    option.rect = rect().adjusted(1, 1, -1, -1);
    style()->drawPrimitive(QStyle::PE_FrameFocusRect, &option, &painter, this);
}

void PressLabel::focusInEvent(QFocusEvent* event)
{
    QLabel::focusInEvent(event);
    update();
}

void PressLabel::focusOutEvent(QFocusEvent* event)
{
    spaceDown_ = false;
    QLabel::focusOutEvent(event);
    update();
}
