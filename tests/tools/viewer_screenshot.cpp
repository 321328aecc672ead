// Shows the viewer on a folder of test-pattern snapshots and saves the window as
// a PNG, for the documentation.
//   viewer_screenshot out.png
#include "MainWindowLinkFake.h"
#include "PromptsFake.h"
#include "ShellFake.h"
#include "platform/capdriver/SceneRenderer.h"
#include "platform/files/BmpFile.h"
#include "platform/lists/FileListBox.h"
#include "viewer/frmViewer.h"

#include <QApplication>
#include <QDir>
#include <QScreen>
#include <QTemporaryDir>
#include <QTimer>

#include <cstdio>

namespace {

// A few snapshots as the test-pattern device takes them, seconds apart.
void writeSnapshots(const QString& folder)
{
    platform::capdriver::SceneRenderer renderer;
    platform::capdriver::ScenePicture picture;
    picture.label = "Test pattern";
    for (int i = 0; i < 6; ++i) {
        const QImage frame = renderer.render(picture, 1000LL * (3600 * 9 + 61 * i));
        const QString name = QStringLiteral("Cam0Pic26-12-10_09.%1.%2").arg(i, 2, 10, QChar('0')).arg(i * 7, 2, 10, QChar('0'));
        if (i % 2 == 0)
            platform::writeBmp24(frame, folder + "/" + name + ".bmp");
        else
            frame.save(folder + "/" + name + ".jpg", "JPG", 75);
    }
}

}  // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName("Tolvex");
    if (argc < 2) {
        std::fprintf(stderr, "usage: viewer_screenshot out.png\n");
        return 2;
    }
    QTemporaryDir program;
    SettingsModel s;
    s.AppPath = program.path();
    s.PicturePath = program.path() + "/CamSnapshots";
    s.AutoSavePath = program.path() + "/CamAutoPics";
    s.VideoPath = program.path() + "/CamVideos";
    s.MotionPicsPath = program.path() + "/CamMotionPics";
    s.MotionRecordingPath = program.path() + "/CamMotionRecordings";
    for (const QString& folder : {s.PicturePath, s.AutoSavePath, s.VideoPath, s.MotionPicsPath, s.MotionRecordingPath})
        QDir().mkpath(folder);
    writeSnapshots(s.PicturePath);

    MainWindowLinkFake link;
    RecordingShell shell;
    PromptsFake prompts;
    ViewerSession session;
    frmViewer viewer(s, link, ViewerServices{shell, prompts, session});
    viewer.Form_Load();
    viewer.selectFolderButton(0);
    viewer.findChild<platform::FileListBox*>("File1")->setListIndex(2);
    viewer.show();

    const QString out = QString::fromLocal8Bit(argv[1]);
    int status = 1;
    QTimer::singleShot(500, [&] {
        status = viewer.grab().save(out, "PNG") ? 0 : 1;
        viewer.close();
        app.quit();
    });
    app.exec();
    return status;
}
