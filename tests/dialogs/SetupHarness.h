#pragma once

#include "Children.h"
#include "MainWindowLinkFake.h"
#include "PromptsFake.h"
#include "Sandbox.h"
#include "ShellFake.h"
#include "dialogs/frmGetFolder.h"
#include "dialogs/frmSetup.h"
#include "platform/capdriver/CaptureSystem.h"
#include "settings/Registry.h"
#include "settings/SettingsFile.h"

#include <QDir>
#include <QFile>

#include <memory>

// A setup dialog over a private program folder, the test-pattern devices, a fake
// main window, and answers to every box and window it opens.
struct SetupHarness {
    Sandbox box;
    Registry registry;
    std::unique_ptr<platform::capdriver::CaptureSystem> capture;
    RecordingShell shell;
    PromptsFake prompts;
    MainWindowLinkFake main;
    SettingsModel s;
    QTime now{14, 5, 9};
    // What the windows the dialog opens do; by default they close at once.
    std::function<void(QDialog&)> runModal = [](QDialog&) {};
    std::function<DialogResult(OpenDialogArgs&)> openDialog = [](OpenDialogArgs&) { return DialogResult::Cancelled; };
    int32_t pickedColour = -1;
    QList<QWidget*> audioOwners;
    QStringList programsOnPath;
    std::unique_ptr<frmSetup> w;

    explicit SetupHarness(const QByteArray& devices = "1")
    {
        qputenv("TOLVEX_CAPTURE_DRIVERS", "synthetic");
        qputenv("TOLVEX_SYNTH_DEVICES", devices);
        capture = std::make_unique<platform::capdriver::CaptureSystem>();
        s.AppPath = box.programFolder();
    }

    SetupServices services()
    {
        SetupServices services{registry, *capture, shell, prompts};
        services.selectAudioFormat = [this](QWidget* owner) { audioOwners.append(owner); };
        services.showOpenDialog = [this](OpenDialogArgs& args) { return openDialog(args); };
        services.pickColor = [this](SettingsModel& model, QWidget*) { model.PickedColor = pickedColour; };
        services.runModal = [this](QDialog& dialog) { runModal(dialog); };
        services.timeOfDay = [this] { return now; };
        services.findProgram = [this](const QString& name) {
            return programsOnPath.contains(name) ? "/usr/bin/" + name : QString();
        };
        return services;
    }

    // The settings as the program reads them: the file, or the defaults when there is none.
    void loadSettings()
    {
        QString name;
        LoadSettings(s, name, nullptr);
    }

    // A settings file with one value changed, read into a fresh model.
    void loadWithValue(const QString& key, const QVariant& value)
    {
        QFile::remove(box.programFolder() + "/Tolvex.ini");
        s = SettingsModel();
        s.AppPath = box.programFolder();
        loadSettings();
        WriteIniValue(s, key, value);
        s = SettingsModel();
        s.AppPath = box.programFolder();
        loadSettings();
    }

    frmSetup& open()
    {
        w = std::make_unique<frmSetup>(s, main, services());
        w->Form_Load();
        w->show();
        return *w;
    }

    QString folder(const QString& name) const
    {
        const QString path = box.root() + "/" + name;
        QDir().mkpath(path);
        return path;
    }
};
