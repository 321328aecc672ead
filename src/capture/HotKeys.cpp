#include "capture/HotKeys.h"

HotKey hotKeyFor(int keyCode, int shift, bool recordingShown)
{
    switch (keyCode) {
    case kKeyF1: return HotKey::Help;
    case kKeyF2: return HotKey::Start;
    case kKeyF3: return HotKey::Snapshot;
    case kKeyF10: return HotKey::Stop;
    case kKeyC: return shift == kShiftCtrlAlt ? HotKey::Snapshot : HotKey::None;
    case kKeyEscape: return recordingShown ? HotKey::EndRecording : HotKey::LeaveView;
    default: return HotKey::None;
    }
}

bool hotKeyEnabled(HotKey key, const HotKeyTargets& enabled)
{
    switch (key) {
    case HotKey::Help: return enabled.help;
    case HotKey::Start: return enabled.start;
    case HotKey::Snapshot: return enabled.snapshot;
    case HotKey::Stop: return enabled.stop;
    case HotKey::EndRecording:
    case HotKey::LeaveView: return true;
    case HotKey::None: return false;
    }
    return false;
}
