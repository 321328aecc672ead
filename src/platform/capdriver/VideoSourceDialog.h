#pragma once

#include "platform/capdriver/CaptureDevice.h"

#include <QDialog>
#include <QMap>

class QFormLayout;

namespace platform::capdriver {

// One row per setting of the device, applied while the user moves it; Cancel (or
// closing the window) puts back every value the dialog changed.
// Object names: the dialog "videoSourceDialog"; each row's editor the setting's
// name in lower case with "_" for anything else ("brightness", "white_balance");
// an integer row also has a spin box named like it with "Value" appended;
// the buttons "okButton" and "cancelButton".
class VideoSourceDialog final : public QDialog {
    Q_OBJECT
public:
    VideoSourceDialog(CaptureDevice& device, const QString& title, QWidget* parent);

    static QString objectNameFor(const QString& controlName);

    void reject() override;

private:
    void addRow(QFormLayout* form, const SourceControl& control);
    QWidget* integerEditor(const SourceControl& control);
    QWidget* booleanEditor(const SourceControl& control);
    QWidget* menuEditor(const SourceControl& control);
    void apply(quint32 id, qint32 value);

    CaptureDevice& device_;
    QMap<quint32, qint32> original_;
    // The value each changed setting had before, in the order of first change.
    QList<std::pair<quint32, qint32>> undo_;
};

}  // namespace platform::capdriver
