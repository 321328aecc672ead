#include "settings/Prompts.h"

#include <QApplication>
#include <QInputDialog>
#include <QMessageBox>

namespace {

QMessageBox::Icon iconOf(BoxIcon icon)
{
    switch (icon) {
    case BoxIcon::Information: return QMessageBox::Information;
    case BoxIcon::Exclamation: return QMessageBox::Warning;
    case BoxIcon::Critical: return QMessageBox::Critical;
    case BoxIcon::None: break;
    }
    return QMessageBox::NoIcon;
}

QString titleOf(const QString& title)
{
    return title.isEmpty() ? QApplication::applicationName() : title;
}

int runBox(QWidget* owner, const QString& text, const QString& title, BoxIcon icon,
           QMessageBox::StandardButtons buttons)
{
    QMessageBox box(iconOf(icon), titleOf(title), text, buttons, owner);
    return box.exec();
}

class WindowPrompts : public Prompts {
public:
    void message(QWidget* owner, const QString& text, const QString& title, BoxIcon icon) override
    {
        runBox(owner, text, title, icon, QMessageBox::Ok);
    }
    bool yesNo(QWidget* owner, const QString& text, const QString& title, BoxIcon icon) override
    {
        return runBox(owner, text, title, icon, QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
    }
    BoxAnswer yesNoCancel(QWidget* owner, const QString& text, const QString& title, BoxIcon icon) override
    {
        switch (runBox(owner, text, title, icon, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel)) {
        case QMessageBox::Yes: return BoxAnswer::Yes;
        case QMessageBox::No: return BoxAnswer::No;
        default: return BoxAnswer::Cancel;
        }
    }
    QString inputBox(QWidget* owner, const QString& prompt, const QString& title,
                     const QString& defaultText) override
    {
        bool ok = false;
        const QString reply =
            QInputDialog::getText(owner, titleOf(title), prompt, QLineEdit::Normal, defaultText, &ok);
        return ok ? reply : QString();
    }
};

}  // namespace

std::unique_ptr<Prompts> makeWindowPrompts()
{
    return std::make_unique<WindowPrompts>();
}
