#pragma once

#include <QComboBox>

// The interval box beside the save-mode buttons: a drop-down list of seconds whose
// text cannot be typed into; it changes only by a list choice or by its spinner.
class IntervalBox : public QComboBox {
    Q_OBJECT
public:
    explicit IntervalBox(QWidget* parent = nullptr);

    QString text() const { return currentText(); }
    void setText(const QString& text) { setEditText(text); }

protected:
    void changeEvent(QEvent* event) override;

private:
    bool takingStyle_ = false;
};
