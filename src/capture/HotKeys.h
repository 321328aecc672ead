#pragma once

// The fixed hot keys of the main window. They do not follow the shortcut-key
// settings of the settings file.
enum class HotKey {
    None,
    Help,          // F1
    Start,         // F2
    Snapshot,      // F3 and Ctrl+Alt+C
    Stop,          // F10
    EndRecording,  // ESC while the recording shows
    LeaveView,     // ESC otherwise: back from the tiny view or full screen
};

// Key codes as the key handlers take them (the virtual-key numbers of
// buttons/VirtualKeys.h).
inline constexpr int kKeyEscape = 27;
inline constexpr int kKeyC = 67;
inline constexpr int kKeyF1 = 112;
inline constexpr int kKeyF2 = 113;
inline constexpr int kKeyF3 = 114;
inline constexpr int kKeyF10 = 121;
// Shift state of Ctrl+Alt and nothing else (Shift 1, Ctrl 2, Alt 4).
inline constexpr int kShiftCtrlAlt = 6;

// What a key does; shift is the Shift/Ctrl/Alt state, recordingShown whether the
// capture picture of a recording is on show.
HotKey hotKeyFor(int keyCode, int shift, bool recordingShown);

// Whether the commands the hot keys stand for can be used now: the buttons F1, F2,
// F3 (and Ctrl+Alt+C) and F10 stand for are enabled.
struct HotKeyTargets {
    bool help = false;      // cmdHelp
    bool start = false;     // cmdStart
    bool snapshot = false;  // cmdSnapShot
    bool stop = false;      // cmdStop
};

// A hot key acts only while the button it stands for is enabled, so a key never does
// what the disabled button forbids (F2 or F3 during a recording). ESC stands for no
// button and always acts.
bool hotKeyEnabled(HotKey key, const HotKeyTargets& enabled);
