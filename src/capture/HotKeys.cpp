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
