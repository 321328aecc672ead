#pragma once

#include <QAccessible>
#include <QLabel>

class QTimer;

// A label that is worked like a button: a web link of the about box, the colour
// swatch of the setup dialog. The left click, Space, Enter and an assistive
// tool's press action all raise Click; Tab reaches it and it shows its focus.
// Assistive tools see it with the role it is given (a link or a button) and read
// its accessible name, else its text.
class PressLabel : public QLabel {
    Q_OBJECT

public:
    explicit PressLabel(QWidget* parent = nullptr, QAccessible::Role role = QAccessible::Link);
    explicit PressLabel(const QString& text, QWidget* parent = nullptr, QAccessible::Role role = QAccessible::Link);

    QAccessible::Role accessibleRole() const { return role_; }
    // The assistive tool's press: clicks from the event loop, so the tool's call
    // returns before whatever the click opens runs.
    void queueClick();

signals:
    void Click();

protected:
    bool event(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    QAccessible::Role role_;
    bool leftDown_ = false;
    bool spaceDown_ = false;
};
