#pragma once

#include "Sandbox.h"
#include "capture/frmMain.h"
#include "PromptsFake.h"
#include "ShellFake.h"
#include "SoundFake.h"
#include "platform/capdriver/CaptureSystem.h"
#include "settings/Registry.h"

#include <functional>
#include <memory>

// A main window over a private program folder, the test-pattern capture device,
// recording fakes for sound and shell, and waits that only record their length.
struct MainWindowHarness {
    Sandbox box;
    Registry registry;
    std::unique_ptr<platform::capdriver::CaptureSystem> capture;
    RecordingSoundOutput sound;
    RecordingShell shell;
    // Answers every box of the main window (none answered: No, Cancel).
    PromptsFake prompts;
    SettingsModel s;
    std::unique_ptr<frmMain> w;
    // Handed to each window before Form_Load. Empty by default, so the start-up's
    // update check does nothing and no test reaches a web server.
    WindowOpeners openers;
    int endCalls = 0;
    QList<int> sleeps;

    MainWindowHarness();
    ~MainWindowHarness();

    // A fresh window; Form_Load runs with the given command line.
    frmMain& start(const QString& commandLine = QString());
    // A later start of the program: a fresh model and window over the same folders.
    frmMain& restart(const QString& commandLine = QString());
    // The video-size command as a user gives it over a running preview, with no size
    // probing and the driver's size dialog cancelled: the window then counts the
    // device's sizes as checked.
    void checkCaptureSizes(frmMain& m);
    // Runs `action`, cancelling each modal dialog it opens (a ModalAnswer: no dialog
    // fails the case at its deadline); true if one opened.
    static bool cancellingDialog(const std::function<void()>& action);
    // The lines of a settings file of the program folder, without line ends.
    QStringList iniLines(const QString& name = "Tolvex.ini") const;
};
