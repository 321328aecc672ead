// Shows the setup dialog on the default settings of a fresh program folder and
// the test-pattern devices, for a screenshot of the documentation. It writes the
// dialog's window id to the given file and stays open for the given seconds.
//   setup_screenshot window-id-file seconds
#include "MainWindowLinkFake.h"
#include "PromptsFake.h"
#include "ShellFake.h"
#include "dialogs/frmSetup.h"
#include "platform/capdriver/CaptureSystem.h"
#include "settings/Registry.h"
#include "settings/SettingsFile.h"

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>
#include <QTimer>

#include <cstdio>

int main(int argc, char** argv)
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: setup_screenshot window-id-file seconds\n");
        return 2;
    }
    qputenv("TOLVEX_CAPTURE_DRIVERS", "synthetic");
    qputenv("TOLVEX_SYNTH_DEVICES", "2");
    QApplication app(argc, argv);
    QApplication::setApplicationName("Tolvex");
    QTemporaryDir program;
    SettingsModel s;
    s.AppPath = program.path();
    QString name;
    LoadSettings(s, name, nullptr);

    Registry registry(program.path() + "/registry.ini");
    platform::capdriver::CaptureSystem capture;
    RecordingShell shell;
    PromptsFake prompts;
    MainWindowLinkFake link;
    frmSetup setup(s, link, SetupServices{registry, capture, shell, prompts});
    setup.Form_Load();
    setup.show();

    QFile id(QString::fromLocal8Bit(argv[1]));
    if (!id.open(QIODevice::WriteOnly))
        return 1;
    id.write(QByteArray::number(static_cast<qulonglong>(setup.winId())));
    id.close();
    QTimer::singleShot(QString::fromLocal8Bit(argv[2]).toInt() * 1000, &app, &QApplication::quit);
    return app.exec();
}
