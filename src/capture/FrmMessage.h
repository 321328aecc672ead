#pragma once

#include "core/SettingsModel.h"

#include <QWidget>

class QLabel;
class QTimer;

// The small notice over the main window ("Snapshot Saved", "Recording Ended", ...).
// It closes itself at the first tick of its one-second timer that finds MessageHold
// clear. It has no title bar and no buttons and takes no input: it never takes the
// focus, and clicks go through it, so the main window keeps its keys.
class FrmMessage : public QWidget {
    Q_OBJECT
public:
    FrmMessage(SettingsModel& settings, QWidget* mainWindow);

    // Shows the window modeless over its owner: placed and, with NoInfoDialog,
    // hidden right here, since a window manager may never activate it.
    void showNotice(const QString& text);
    // A notice the user must be able to read (a failure): it stays for this many
    // more ticks of its timer before the closing rule applies again.
    void keepFor(int extraTicks) { extraTicks_ = extraTicks; }

    void Form_Activate();
    void Timer1_Timer();

    // Where the notice goes for a main window with this outer frame (pixels).
    static QPoint placement(const QRect& mainFrame);

protected:
    void changeEvent(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    QLabel* lblMessage = nullptr;
    QTimer* Timer1 = nullptr;

    void placeAndSuppress();
    void fitText(const QString& text);

    SettingsModel& s_;
    QWidget* main_;
    int extraTicks_ = 0;
};
