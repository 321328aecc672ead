#pragma once

#include "platform/base/Result.h"
#include "platform/net/FtpSession.h"
#include "automation/frmProgress.h"
#include "core/SettingsModel.h"

#include <QImage>
#include <QObject>
#include <QPointer>
#include <QString>

#include <functional>
#include <memory>

class MainWindowLink;
class QWidget;
class clsFTP;
namespace platform {
class FtpWorker;
}

// FtpFilename's value when the setting is empty or too short to be a file name.
inline constexpr char kDefaultFtpFilename[] = "tolvex.jpg";

// Replaces an FtpFilename shorter than four characters by "tolvex.jpg" (the
// setting itself changes).
void repairFtpFilename(SettingsModel& s);

// Where the local copy of the uploaded picture goes: FtpFilename itself when it is
// an absolute path, otherwise that name inside the program folder. A name that
// climbs out of the program folder or would replace one of the program's own files
// ("Tolvex.ini", the sounds, "DevicesDatabase.log", the program) is refused.
struct FtpCopyPlace {
    bool ok = false;
    QString path;
    QString error;
};
FtpCopyPlace ftpLocalCopyPath(const SettingsModel& s, const QString& programName = QString());

// Writes the picture to path as a bitmap when the lower-case FtpFilename contains
// ".bmp", otherwise as JPEG at the quality; an older file is replaced only by a
// complete new one.
platform::Result writeFtpCopy(const QImage& picture, const QString& path, const QString& ftpFilename, int quality);

// The progress bar's width (0..100) after current of total bytes; an empty file
// shows a full bar.
int progressBarWidth(qint64 current, qint64 total);

// The name the picture travels under on the server, beside its real name; it is
// renamed over the real one only once the server has all of it.
QString ftpTemporaryName(const QString& remote);

// The notice for a failed upload to host; the server's reply or libcurl's text
// completes the general cases.
QString ftpNoticeText(const platform::FtpResult& failure, const QString& host);

// The upload of the latest picture after an automatic save or a detected motion:
// a stamped local copy, then the copy on the server under FtpFilename, with the
// progress window when asked for and a notice when it failed. The main window owns
// one and calls DoTheFTP.
class FtpUploader : public QObject {
    Q_OBJECT
public:
    // Draws the time stamp on a picture as the picture saving does.
    using StampPicture = std::function<void(QImage&)>;

    // worker: the program's FTP thread (each client runs its own without one).
    FtpUploader(SettingsModel& settings, MainWindowLink& mainWindow, QWidget* owner, StampPicture stamp,
                platform::FtpWorker* worker = nullptr);
    ~FtpUploader() override;

    // Sends picture (the frame just saved): a stamped local copy, uploaded under a
    // temporary name and renamed over FtpFilename once the server has all of it,
    // so a failed transfer never replaces the last good picture on the server.
    // Runs to its end within one call while the event loop keeps running. A new
    // upload while one runs is refused (logged), so a running upload and its local
    // copy are never disturbed.
    void DoTheFTP(const QImage& picture);
    void cFTP_FileTransferProgress(qint64 lCurrentBytes, qint64 lTotalBytes);

    bool uploading() const { return uploading_; }
    // The client of the last upload; kept until the next one replaces it.
    clsFTP* client() const { return cFTP.get(); }
    frmProgress* progressWindow() const { return progress_; }
    // Lets a caller adjust each new client before it connects (timeouts).
    void setClientSetup(std::function<void(clsFTP&)> setup) { clientSetup_ = std::move(setup); }

private:
    QString upload(QString localCopy);
    QString send(const QString& localCopy);

    SettingsModel& s_;
    MainWindowLink& main_;
    QWidget* owner_;
    StampPicture stamp_;
    platform::FtpWorker* worker_;
    std::unique_ptr<clsFTP> cFTP;
    QPointer<frmProgress> progress_;
    std::function<void(clsFTP&)> clientSetup_;
    bool uploading_ = false;
};
