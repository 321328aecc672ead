#pragma once

#include <QString>

#include <vector>

// The moments at which the main window decides which of its controls can be used.
enum class PreviewMoment {
    StartUp,        // nothing runs yet
    PreviewRuns,    // a start whose connect succeeded
    Stopped,        // the stop command; the last frame stays for snapshot, burst and Save As
    ConnectFailed,  // a start whose connect failed, after the stop that follows it
};

// One control of the main window, by its object name, and whether it can be used.
struct ControlEnabled {
    QString name;
    bool enabled = false;
};

// The controls a moment sets, in the order they are set; any other control keeps
// its state. The stop button is enabled exactly while the preview runs, so the
// save modes can read the preview state from it.
std::vector<ControlEnabled> previewControls(PreviewMoment moment);
