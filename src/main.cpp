#include "capture/frmMain.h"
#include "platform/files/AppPaths.h"
#include "platform/shell/Shell.h"
#include "platform/sound/SoundOutput.h"
#include "platform/shell/TerminationSignals.h"
#include "platform/capdriver/CaptureSystem.h"
#include "platform/video/VideoRecording.h"
#include "settings/Registry.h"
#include "settings/SettingsModel.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName("Tolvex");

    SettingsModel settings;
    Registry registry;
    platform::capdriver::CaptureSystem capture;
    capture.setSequencerFactory(platform::video::makeAviSequencerFactory());
    const auto sound = makeSoundOutput();
    const auto shell = makeDesktopShell();
    frmMain window(settings, MainServices{registry, capture, *sound, *shell});
    window.setCommandLine(platform::commandLine());

    platform::TerminationSignals termination;
    QObject::connect(&termination, &platform::TerminationSignals::terminationRequested, &window,
                     [&window] { window.close(); });

    window.Form_Load();
    if (!window.isVisible() && !window.unloaded())
        window.show();
    return app.exec();
}
