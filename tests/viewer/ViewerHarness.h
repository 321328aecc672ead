#pragma once

#include "MainWindowLinkFake.h"
#include "PromptsFake.h"
#include "Children.h"
#include "Sandbox.h"
#include "ShellFake.h"
#include "SlideWaitFake.h"
#include "buttons/StyledButton.h"
#include "platform/files/BmpFile.h"
#include "platform/lists/DirListBox.h"
#include "platform/lists/DriveListBox.h"
#include "platform/lists/FileListBox.h"
#include "platform/video/MciPlayer.h"
#include "settings/SettingsFile.h"
#include "viewer/FrmBlend.h"
#include "viewer/PictureBox.h"
#include "viewer/frmViewer.h"

#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLabel>

#include <memory>

// A viewer over a private program folder with its five capture folders, a main
// window that records what it is asked, and boxes answered by the test.
struct ViewerHarness {
    Sandbox box;
    SettingsModel s;
    MainWindowLinkFake link;
    RecordingShell shell;
    PromptsFake prompts;
    ViewerSession session;
    qint64 clock = 0;  // the video player's clock, in milliseconds
    MciPlayer player{[this] { return clock; }};
    SlideWaitFake slideWait;
    std::function<QString(const QString&)> findProgram = [](const QString&) { return QString(); };
    platform::Printer* printer = nullptr;
    // How the save dialog is answered; unset: cancelled.
    std::function<DialogResult(SaveDialogArgs&)> saveAnswer;
    std::unique_ptr<frmViewer> v;

    ViewerHarness()
    {
        s.AppPath = box.programFolder();
        const char* names[5] = {"CamSnapshots", "CamAutoPics", "CamVideos", "CamMotionPics", "CamMotionRecordings"};
        QString* paths[5] = {&s.PicturePath, &s.AutoSavePath, &s.VideoPath, &s.MotionPicsPath,
                             &s.MotionRecordingPath};
        for (int i = 0; i < 5; ++i) {
            *paths[i] = box.programFolder() + "/" + names[i];
            QDir().mkpath(*paths[i]);
        }
        s.NoConfirmDelete = -1;
    }
    ~ViewerHarness() { v.reset(); }

    frmViewer& open()
    {
        v = std::make_unique<frmViewer>(
            s, link,
            ViewerServices{shell, prompts, session, &player, &slideWait, findProgram, printer,
                           [this](SaveDialogArgs& args) {
                               return saveAnswer ? saveAnswer(args) : DialogResult::Cancelled;
                           }});
        v->Form_Load();
        return *v;
    }
    // A 24-bit BMP of the given size in a folder (822 bytes for 16 x 16).
    static QString bmp(const QString& folder, const QString& name, int w = 16, int h = 16, QRgb colour = 0xff336699)
    {
        QImage image(w, h, QImage::Format_RGB32);
        image.fill(colour);
        const QString path = folder + "/" + name;
        platform::writeBmp24(image, path);
        return path;
    }
    static QString file(const QString& folder, const QString& name, const QByteArray& content = "not a picture")
    {
        const QString path = folder + "/" + name;
        QFile f(path);
        f.open(QIODevice::WriteOnly);
        f.write(content);
        return path;
    }
    // The file list, File1.
    platform::FileListBox* files() const { return child<platform::FileListBox>(*v, "File1"); }
    // Selects a file of the list by name, as a click does.
    void select(const QString& name)
    {
        platform::FileListBox* list = files();
        for (int i = 0; i < list->ListCount(); ++i)
            if (list->List(i) == name)
                list->setListIndex(i);
    }
    QStringList listed() const
    {
        QStringList names;
        platform::FileListBox* list = files();
        for (int i = 0; i < list->ListCount(); ++i)
            names.append(list->List(i));
        return names;
    }
    bool enabled(const char* name) const
    {
        auto* w = v->findChild<QWidget*>(name);
        return w && w->isEnabled();
    }
};
