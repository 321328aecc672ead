#pragma once

#include "core/TimeWindow.h"
#include "dialogs/SetupPrograms.h"
#include "settings/FileDialogs.h"
#include "settings/Module1Color.h"
#include "core/SettingsModel.h"

#include <QDialog>

#include <functional>

class Prompts;
class Registry;
class Shell;
namespace platform::capdriver {
class CaptureSystem;
}

// What the setup dialog works with besides the settings and the main window.
// main.cpp builds them; the function members default to the program's own and are
// replaced by tests that answer the dialogs themselves.
struct SetupServices {
    Registry& registry;
    platform::capdriver::CaptureSystem& capture;
    Shell& shell;
    Prompts& prompts;
    // The recording's audio format chooser, with the dialog as owner.
    std::function<void(QWidget* owner)> selectAudioFormat = [](QWidget*) {};
    std::function<DialogResult(OpenDialogArgs&)> showOpenDialog = ShowOpenDialog;
    std::function<void(SettingsModel&, QWidget* owner)> pickColor = PickColor;
    // Shows a window the dialog opens (folder chooser, FTP settings) modal.
    std::function<void(QDialog&)> runModal = [](QDialog& dialog) { dialog.exec(); };
    automation::TimeOfDayFunction timeOfDay = automation::systemTimeOfDay();
    FindProgram findProgram = findProgramOnPath();
};
