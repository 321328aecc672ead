#pragma once

// The main window of a benchmark, in a folder of its own on the test-pattern
// device, loaded but not yet previewing; each benchmark starts it its own way.
#include "capture/frmMain.h"
#include "ShellFake.h"
#include "SoundFake.h"
#include "platform/capdriver/CaptureSystem.h"
#include "settings/Registry.h"

#include <QTemporaryDir>

#include <memory>

struct MainWindowRig {
    QTemporaryDir dir;
    std::unique_ptr<Registry> registry;
    std::unique_ptr<platform::capdriver::CaptureSystem> capture;
    RecordingSoundOutput sound;
    RecordingShell shell;
    SettingsModel s;
    std::unique_ptr<frmMain> w;

    // `size` is the device's frame format ("640x480"); `scene` its picture, the
    // device's own when null.
    explicit MainWindowRig(const char* size, const char* scene = nullptr)
    {
        qputenv("TOLVEX_HOME", dir.path().toLocal8Bit());
        qputenv("XDG_CONFIG_HOME", dir.path().toLocal8Bit());
        qputenv("TOLVEX_CAPTURE_DRIVERS", "synthetic");
        qputenv("TOLVEX_SYNTH_FORMAT", size);
        if (scene)
            qputenv("TOLVEX_SYNTH_SCENE", scene);
        registry = std::make_unique<Registry>();
        capture = std::make_unique<platform::capdriver::CaptureSystem>();
        w = std::make_unique<frmMain>(s, MainServices{*registry, *capture, sound, shell});
        w->setEndProcess([] {});
        w->setSleep([](int) {});
        w->Form_Load();
    }
};
