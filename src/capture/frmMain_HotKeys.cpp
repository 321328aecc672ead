// The fixed hot keys of the main window.
#include "capture/frmMain.h"

#include "buttons/StyledButton.h"
#include "buttons/VirtualKeys.h"
#include "capture/CaptureLog.h"
#include "capture/HotKeys.h"
#include "platform/shell/Shell.h"

#include <QFileInfo>
#include <QKeyEvent>
#include <QUrl>

bool frmMain::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::KeyPress)
        return QWidget::eventFilter(watched, event);
    // Keys of the other windows (dialogs, the viewer, menus) stay theirs.
    auto* widget = qobject_cast<QWidget*>(watched);
    if (!widget || widget->window() != this)
        return false;
    const auto* key = static_cast<QKeyEvent*>(event);
    const int keyCode = buttons::virtualKeyCode(*key);
    if (Form_KeyDown(keyCode, buttons::shiftState(key->modifiers())))
        return true;
    if (keyCode == kKeyEscape) {
        Form_KeyPress(kKeyEscape);
        return true;
    }
    return false;
}

bool frmMain::Form_KeyDown(int keyCode, int shift)
{
    const HotKey key = hotKeyFor(keyCode, shift, !Image1->isHidden());
    const HotKeyTargets enabled{cmdHelp->Enabled(), cmdStart->Enabled(), cmdSnapShot->Enabled(), cmdStop->Enabled()};
    // A key whose button is disabled is used up doing nothing.
    if (!hotKeyEnabled(key, enabled))
        return key != HotKey::None;
    switch (key) {
    case HotKey::Help: openHelp(); return true;
    case HotKey::Start: cmdStart_Click(); return true;
    case HotKey::Snapshot: cmdSnapShot_Click(); return true;
    case HotKey::Stop: cmdStop_Click(); return true;
    case HotKey::EndRecording: stopRecordingByEscape(); return true;
    case HotKey::LeaveView:  // the key press of ESC does that
    case HotKey::None: return false;
    }
    return false;
}

void frmMain::Form_KeyPress(int keyAscii)
{
    if (keyAscii == kKeyEscape && Image1->isHidden())
        Image4_MouseUp(buttons::kMouseLeft, 0, 0, 0);
}

void frmMain::openHelp()
{
    // The manual stands in when the help file was not installed.
    for (const QString& path : {HelpFile, s_.AppPath + "/Manual.pdf"}) {
        if (QFileInfo(path).isFile()) {
            if (!shell_.openUrl(QUrl::fromLocalFile(path)))
                qCInfo(lcCapture).noquote() << "no program opens the help" << path;
            return;
        }
    }
    qCInfo(lcCapture).noquote() << "no help in the program folder" << s_.AppPath;
}
