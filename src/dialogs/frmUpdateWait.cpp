#include "dialogs/frmUpdateWait.h"

#include <QCoreApplication>
#include <QLabel>

namespace {

constexpr QSize kSize{260, 48};

}  // namespace

frmUpdateWait::frmUpdateWait(QWidget* owner)
    : QWidget(owner, Qt::Tool | Qt::WindowTitleHint | Qt::CustomizeWindowHint)
{
    setObjectName("frmUpdateWait");
    setWindowTitle("Tolvex");
    setAttribute(Qt::WA_ShowWithoutActivating);
    setFixedSize(kSize);
    Label1 = new QLabel("Checking for a new version...", this);
    Label1->setObjectName("Label1");
    Label1->setAlignment(Qt::AlignCenter);
    Label1->setGeometry(rect());
    if (owner)
        move(owner->frameGeometry().center() - rect().center());
}

void runWithUpdateWait(QWidget* owner, const std::function<void()>& check)
{
    frmUpdateWait wait(owner);
    wait.show();
    QCoreApplication::processEvents();
    check();
    QCoreApplication::processEvents();
}
