#pragma once

#include <QWidget>

#include <functional>

class QLabel;

// The small window that tells the user why the start-up pauses while the update
// check asks the maker's server.
class frmUpdateWait : public QWidget {
    Q_OBJECT
public:
    explicit frmUpdateWait(QWidget* owner);

private:
    QLabel* Label1 = nullptr;
};

// Shows frmUpdateWait over the owner without blocking, runs the check, lets
// waiting messages run once and closes the window again.
void runWithUpdateWait(QWidget* owner, const std::function<void()>& check);
