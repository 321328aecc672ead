#pragma once

#include "settings/FileDialogs.h"

#include <QString>

#include <functional>

class MciPlayer;
class Prompts;
class Shell;
class SlideWait;
namespace platform {
class Printer;
}

// What the viewer remembers for the rest of the program run, across closing and
// opening it again.
struct ViewerSession {
    int folderFailures = 0;            // failed folder switches so far
    bool deleteQuestionAsked = false;  // the turn-off question of deleting was asked
    bool stoppedPreview = false;       // the viewer stopped the live preview (clipboard copy)
};

// What the viewer works with besides the settings and the main window. main.cpp
// builds them; all outlive the window.
struct ViewerServices {
    Shell& shell;
    Prompts& prompts;
    ViewerSession& session;
    // The video player and the slide show's wait; the window makes its own when
    // none is given (tests hand in ones on a clock they move).
    MciPlayer* player = nullptr;
    SlideWait* slideWait = nullptr;
    // Finds an outside program by name on the search path; empty: the real search.
    std::function<QString(const QString&)> findProgram = {};
    // The printer the print window prints on; null: the system's default printer.
    platform::Printer* printer = nullptr;
    // The save dialog; empty: the desktop's own (tests answer it themselves).
    std::function<DialogResult(SaveDialogArgs&)> saveDialog = {};
};
