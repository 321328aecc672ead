#include "capture/frmMain.h"
#include "platform/AppPaths.h"
#include "platform/Shell.h"
#include "platform/SoundOutput.h"
#include "platform/TerminationSignals.h"
#include "platform/capture/CaptureSystem.h"
#include "settings/Registry.h"
#include "settings/SettingsModel.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName("Tolvex");

    SettingsModel settings;
    Registry registry;
    platform::capture::CaptureSystem capture;
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
