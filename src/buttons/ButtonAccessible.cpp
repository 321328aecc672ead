#include "buttons/ButtonAccessible.h"

#include "buttons/AccessKey.h"
#include "core/ButtonCodes.h"
#include "buttons/StyledButton.h"

#include <QAccessibleWidget>
#include <QKeySequence>

using namespace buttons;

namespace {

// The button as assistive tools see it: every answer is read from the button at
// the time it is asked, so nothing here goes stale when a property changes.
class StyledButtonAccessible final : public QAccessibleWidget {
public:
    explicit StyledButtonAccessible(StyledButton* button) : QAccessibleWidget(button, QAccessible::Button) {}

    QAccessible::Role role() const override
    {
        switch (button()->Mode()) {
        case kModeCheck:
            return QAccessible::CheckBox;
        case kModeOption:
            return QAccessible::RadioButton;
        default:
            return QAccessible::Button;
        }
    }

    QString text(QAccessible::Text t) const override
    {
        switch (t) {
        case QAccessible::Name:
            return name();
        case QAccessible::Description:
            // A button that shows only a picture already reads out its tool tip as its name.
            return captionName().isEmpty() ? button()->accessibleDescription() : QAccessibleWidget::text(t);
        case QAccessible::Accelerator:
            return accelerator();
        default:
            return QAccessibleWidget::text(t);
        }
    }

    QAccessible::State state() const override
    {
        QAccessible::State s = QAccessibleWidget::state();
        const StyledButton* b = button();
        if (b->Mode() != kModeCommand) {
            s.checkable = true;
            s.checked = b->Value();
        }
        s.pressed = (b->stateFlags() & StyledButton::kFlagPressed) != 0;
        s.defaultButton = b->Default() || (b->stateFlags() & StyledButton::kFlagDefault);
        return s;
    }

    QStringList actionNames() const override
    {
        QStringList names;
        if (button()->isEnabled()) {
            names << pressAction();
            if (button()->Mode() != kModeCommand)
                names << toggleAction();
        }
        return names + QAccessibleWidget::actionNames();
    }

    void doAction(const QString& action) override
    {
        if (action != pressAction() && action != toggleAction()) {
            QAccessibleWidget::doAction(action);
            return;
        }
        // Queued: a click that opens a modal window must not hold the tool's call.
        if (button()->isEnabled())
            button()->animateClick();
    }

    QStringList keyBindingsForAction(const QString& action) const override
    {
        if (action == pressAction() && !accelerator().isEmpty())
            return {accelerator()};
        return QAccessibleWidget::keyBindingsForAction(action);
    }

private:
    StyledButton* button() const { return static_cast<StyledButton*>(widget()); }

    QString captionName() const { return buttons::captionText(button()->Caption()); }

    QString name() const
    {
        const StyledButton* b = button();
        if (!b->accessibleName().isEmpty())
            return b->accessibleName();
        const QString caption = captionName();
        return caption.isEmpty() ? b->toolTip() : caption;
    }

    QString accelerator() const
    {
        const QChar key = button()->accessKey();
        if (key.isNull())
            return {};
        return QKeySequence(QStringLiteral("Alt+") + key.toUpper()).toString(QKeySequence::NativeText);
    }
};

QAccessibleInterface* styledButtonFactory(const QString& className, QObject* object)
{
    if (className != QLatin1String(StyledButton::staticMetaObject.className()))
        return nullptr;
    auto* button = qobject_cast<StyledButton*>(object);
    return button ? new StyledButtonAccessible(button) : nullptr;
}

}  // namespace

namespace buttons {

void installButtonAccessibility()
{
    static const bool installed = [] {
        QAccessible::installFactory(styledButtonFactory);
        return true;
    }();
    (void)installed;
}

void announceStateChange(StyledButton& button, QAccessible::State changed)
{
    if (!QAccessible::isActive())
        return;
    QAccessibleStateChangeEvent event(&button, changed);
    QAccessible::updateAccessibility(&event);
}

void announceNameChange(StyledButton& button)
{
    if (!QAccessible::isActive())
        return;
    QAccessibleEvent event(&button, QAccessible::NameChanged);
    QAccessible::updateAccessibility(&event);
}

}  // namespace buttons
