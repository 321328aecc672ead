#include "capture/AcmS.h"
#include "capture/frmMain.h"
#include "dialogs/frmAbout.h"
#include "dialogs/frmUpdateWait.h"
#include "dialogs/modDownloadNewVersion.h"
#include "dialogs/frmSetup.h"
#include "platform/files/AppPaths.h"
#include "platform/gdi/FontConfiguration.h"
#include "platform/net/CurlApi.h"
#include "platform/net/FtpWorker.h"
#include "platform/print/CupsApi.h"
#include "platform/shell/Shell.h"
#include "platform/sound/SoundOutput.h"
#include "platform/shell/TerminationSignals.h"
#include "platform/capdriver/CaptureSystem.h"
#include "settings/Prompts.h"
#include "platform/video/FfmpegApi.h"
#include "platform/video/VideoRecording.h"
#include "settings/Registry.h"
#include "core/SettingsModel.h"
#include "viewer/frmViewer.h"

#include <QApplication>
#include <QTimer>

#include <thread>

namespace {

// When the libraries opened at their first use are opened anyway: once the start-up
// is over.
constexpr int kPreloadAfterMs = 1000;

}  // namespace

int main(int argc, char** argv)
{
    std::jthread fontConfiguration = platform::gdi::readFontConfigurationAhead();
    QApplication app(argc, argv);
    QApplication::setApplicationName("Tolvex");
    fontConfiguration.join();

    SettingsModel settings;
    Registry registry;
    platform::capdriver::CaptureSystem capture;
    capture.setSequencerFactory(platform::video::makeAviSequencerFactory());
    const auto sound = makeSoundOutput();
    const auto shell = makeDesktopShell();
    const auto prompts = makeWindowPrompts();
    ViewerSession viewerSession;
    // Uploads run on this thread; it outlives the window, and a transfer still
    // running when the program ends is stopped at once.
    platform::FtpWorker ftp;
    frmMain window(settings, MainServices{registry, capture, *sound, *shell, &ftp});
    window.setCommandLine(platform::commandLine());
    window.setPrompts(*prompts);
    window.setOpeners(WindowOpeners{
        .openViewer =
            [&](const ViewerHandOff& handOff) {
                frmViewer viewer(settings, window, ViewerServices{*shell, *prompts, viewerSession}, &window);
                viewer.Form_Load();
                if (!handOff.snapshot.isNull())
                    viewer.showSnapshot(handOff.snapshot, handOff.snapshotCaption);
                viewer.selectFolderButton(window.viewerFolderIndex());
                viewer.exec();
            },
        .openAbout =
            [&] {
                frmAbout about(settings, AboutServices{*shell, *prompts, registry}, &window);
                about.exec();
            },
        .runUpdateCheck =
            [&] {
                const UpdateCheckRequest request = startupUpdateRequest(settings.AppPath);
                if (!updateCheckConfigured(request))
                    return;
                runWithUpdateWait(&window, [&] {
                    UpdateCheckServices services{registry, *prompts, *shell, &window};
                    CheckNewVersion(services, request);
                });
            },
        .openSetup =
            [&] {
                SetupServices services{registry, capture, *shell, *prompts};
                // The chosen sound format goes to the preview's capture window, as now.
                services.selectAudioFormat = [&](QWidget* owner) { SelectAudioFormat(capture, window.capwnd(), owner, *prompts); };
                frmSetup setup(settings, window, services, &window);
                setup.Form_Load();
                setup.exec();
            },
    });

    platform::TerminationSignals termination;
    // The shutdown runs directly: a window that was never shown, as during the
    // start-up, gets no close event from close().
    QObject::connect(&termination, &platform::TerminationSignals::terminationRequested, &window, [&window] {
        window.Form_QueryUnload();
        window.Form_Unload();
        window.hide();
    });

    // Before the event loop runs, quitting it would end nothing: the start-up checks
    // this after each step that can wait for the user and main returns at once.
    bool ended = false;
    window.setEndProcess([&ended] {
        ended = true;
        QCoreApplication::exit(0);
    });

    window.Form_Load();
    if (ended)
        return 0;
    if (!window.isVisible())
        window.show();
    // FFmpeg, libcurl and libcups are opened in the background after the start-up,
    // so that a first recording, playback, upload or print does not wait for them
    // on the window's thread either. The thread ends before the program does.
    std::jthread preload;
    QTimer::singleShot(kPreloadAfterMs, &window, [&preload] {
        preload = std::jthread([] {
            ffmpeg::load();
            curl::load();
            cups::load();
        });
    });
    return app.exec();
}
