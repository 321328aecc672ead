#include "buttons/StyledButton.h"

namespace {

const char* const kCountProperty = "sb_OptCount";

QByteArray memberProperty(int index) { return QByteArray::number(index) + "sb_Obj"; }

StyledButton* member(const QWidget* container, int index)
{
    return qobject_cast<StyledButton*>(container->property(memberProperty(index)).value<QObject*>());
}

void setMember(QWidget* container, int index, QObject* button)
{
    container->setProperty(memberProperty(index), QVariant::fromValue(button));
}

}  // namespace

void StyledButton::optionToggle(int action, bool& result)
{
    QWidget* container = containerWindow_;
    if (!container)
        return;
    const int count = container->property(kCountProperty).toInt();
    if ((action == 1 || count >= 1) && value_) {
        for (int i = 1; i <= count; ++i) {
            if (StyledButton* other = member(container, i); other && other != this)
                other->setValue(false);
        }
    }
    switch (action) {
    case 1:
        container->setProperty(kCountProperty, count + 1);
        setMember(container, count + 1, this);
        break;
    case -1: {
        bool passed = false;
        for (int i = 1; i <= count; ++i) {
            if (passed)
                setMember(container, i - 1, member(container, i));
            else if (member(container, i) == this)
                passed = true;
        }
        // A button that is not registered takes nobody else's entry with it.
        if (!passed)
            break;
        container->setProperty(memberProperty(count), QVariant());
        container->setProperty(kCountProperty, count == 1 ? QVariant() : QVariant(count - 1));
        break;
    }
    case 2:
        for (int i = 1; i <= count; ++i) {
            if (StyledButton* other = member(container, i); other && other->Value()) {
                result = true;
                break;
            }
        }
        break;
    default:
        break;
    }
}
