#include "automation/DoTheFTP.h"

#include "automation/clsFTP.h"
#include "automation/frmProgress.h"
#include "platform/files/BmpFile.h"
#include "platform/net/FtpLog.h"
#include "settings/JpegWriter.h"
#include "settings/MainWindowLink.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#include <algorithm>
#include <cmath>

namespace {

constexpr int kMinFilenameLength = 4;
constexpr int kFullBar = 100;

// Files of the program folder that a picture copy must never replace.
const QStringList& programFiles()
{
    static const QStringList names{
        "Tolvex.ini", "Tolvex2.ini", "TolvexPrint.ini", "DevicesDatabase.log",
        "user1.wav", "user2.wav", "user3.wav", "user4.wav",
        "sound1.bin", "sound2.bin", "sound3.bin", "sound4.bin"};
    return names;
}

bool isProgramFile(const QString& path, const QString& programFolder, const QString& programName)
{
    const QFileInfo info(path);
    if (QDir::cleanPath(info.absolutePath()) != QDir::cleanPath(programFolder))
        return false;
    const QString name = info.fileName();
    return programFiles().contains(name, Qt::CaseInsensitive) || (!programName.isEmpty() && name == programName);
}

bool saysDiskFull(const QString& reason)
{
    return reason.contains(QLatin1String("disk full"));
}

QString jpegFailure(const JpegResult& result)
{
    if (saysDiskFull(result.reason))
        return QStringLiteral("disk full");
    switch (result.error) {
    case JpegError::EncoderUnavailable:
        return QStringLiteral("the JPEG encoder could not start");
    case JpegError::NoPicture:
        return QStringLiteral("there is no picture");
    case JpegError::EncodeFailed:
        return QStringLiteral("the picture could not be encoded");
    default:
        return QStringLiteral("the file could not be written");
    }
}

void yield()
{
    QCoreApplication::processEvents();
}

}  // namespace

void repairFtpFilename(SettingsModel& s)
{
    if (s.FtpFilename.size() < kMinFilenameLength)
        s.FtpFilename = kDefaultFtpFilename;
}

FtpCopyPlace ftpLocalCopyPath(const SettingsModel& s, const QString& programName)
{
    const QString name = s.FtpFilename.trimmed();
    const QString program = QDir::cleanPath(s.AppPath);
    const QString path = QDir::isAbsolutePath(name) ? QDir::cleanPath(name) : QDir::cleanPath(program + "/" + name);
    if (!QDir::isAbsolutePath(name) && !path.startsWith(program + "/"))
        return {false, path, QStringLiteral("FTP copy not saved: \"%1\" lies outside the program folder").arg(name)};
    const QString executable = programName.isEmpty() ? QFileInfo(QCoreApplication::applicationFilePath()).fileName() : programName;
    if (isProgramFile(path, program, executable))
        return {false, path, QStringLiteral("FTP copy not saved: \"%1\" is a file of the program").arg(name)};
    return {true, path, QString()};
}

platform::Result writeFtpCopy(const QImage& picture, const QString& path, const QString& ftpFilename, int quality)
{
    QString why;
    if (ftpFilename.toLower().contains(".bmp")) {
        if (picture.isNull())
            why = QStringLiteral("there is no picture");
        else if (!platform::writeBmp24(picture, path, &why))
            why = saysDiskFull(why) ? QStringLiteral("disk full") : QStringLiteral("the file could not be written");
    } else if (const JpegResult result = SavePictureAsJPG(path, quality, picture); !result) {
        why = jpegFailure(result);
    }
    if (why.isEmpty())
        return platform::Result::success();
    qCWarning(lcFtp).noquote() << "FTP copy" << path << "not written:" << why;
    return platform::Result::failure(QStringLiteral("FTP copy not saved: %1").arg(why));
}

int progressBarWidth(qint64 current, qint64 total)
{
    if (total <= 0)
        return kFullBar;
    const double width = std::nearbyint(double(current) * kFullBar / double(total));
    return int(std::clamp(width, 0.0, double(kFullBar)));
}

QString ftpTemporaryName(const QString& remote)
{
    return remote + QStringLiteral(".part");
}

QString ftpNoticeText(const platform::FtpResult& failure, const QString& host)
{
    switch (platform::ftpTrouble(failure)) {
    case platform::FtpTrouble::None:
    case platform::FtpTrouble::Cancelled: return QString();
    case platform::FtpTrouble::NoNetwork: return QStringLiteral("FTP upload failed: there is no network connection.");
    case platform::FtpTrouble::ServerNotFound: return QStringLiteral("FTP upload failed: the server \"%1\" was not found.").arg(host);
    case platform::FtpTrouble::Unreachable: return QStringLiteral("FTP upload failed: the server \"%1\" cannot be reached.").arg(host);
    case platform::FtpTrouble::LoginRefused:
        return QStringLiteral("FTP upload failed: the server refused the login; check the login and the password.");
    case platform::FtpTrouble::TimedOut: return QStringLiteral("FTP upload failed: the server did not answer in time.");
    case platform::FtpTrouble::ConnectionLost: return QStringLiteral("FTP upload failed: the connection to the server was lost.");
    case platform::FtpTrouble::RemoteDiskFull: return QStringLiteral("FTP upload failed: the server's disk is full.");
    case platform::FtpTrouble::Refused:
        return QStringLiteral("FTP upload failed: the server refused the picture (%1).").arg(failure.reply.section('\n', -1));
    case platform::FtpTrouble::LocalFile: return QStringLiteral("FTP upload failed: the picture's copy could not be read.");
    case platform::FtpTrouble::Other: break;
    }
    return QStringLiteral("FTP upload failed: %1.").arg(failure.reason);
}

FtpUploader::FtpUploader(SettingsModel& settings, MainWindowLink& mainWindow, QWidget* owner, StampPicture stamp,
                         platform::FtpWorker* worker)
    : s_(settings)
    , main_(mainWindow)
    , owner_(owner)
    , stamp_(std::move(stamp))
    , worker_(worker)
{
}

FtpUploader::~FtpUploader() = default;

void FtpUploader::DoTheFTP(const QImage& frame)
{
    if (s_.FtpEnabled == 0)
        return;
    if (uploading_) {
        qCInfo(lcFtp) << "An upload is still running; this picture is not sent";
        return;
    }
    uploading_ = true;
    QImage picture = frame;
    if (s_.EmbedTime != 0 && stamp_)
        stamp_(picture);
    repairFtpFilename(s_);
    const FtpCopyPlace copy = ftpLocalCopyPath(s_);
    platform::Result written = platform::Result::failure(copy.error);
    if (copy.ok)
        written = writeFtpCopy(picture, copy.path, s_.FtpFilename, s_.JPGQuality);
    else
        qCWarning(lcFtp).noquote() << copy.error;
    // Without a fresh copy an older one would be sent as the latest picture.
    const QString error = written ? upload(copy.path) : written.reason;
    uploading_ = false;
    if (!error.isEmpty())
        main_.ShowMessage(error);
}

QString FtpUploader::upload(QString localCopy)
{
    yield();
    cFTP = std::make_unique<clsFTP>(worker_);
    connect(cFTP.get(), &clsFTP::FileTransferProgress, this, &FtpUploader::cFTP_FileTransferProgress);
    if (clientSetup_)
        clientSetup_(*cFTP);
    if (s_.FtpProgress != 0) {
        progress_ = new frmProgress(owner_);
        progress_->show();
    }
    QString error;
    if (cFTP->OpenConnection(s_.FtpHost, s_.FtpLogin, s_.FtpPassword)) {
        error = send(localCopy);
        cFTP->CloseConnection();
    } else {
        cFTP->CloseConnection();
        error = ftpNoticeText(cFTP->lastFailure(), s_.FtpHost);
    }
    if (progress_) {
        yield();
        progress_->close();
        delete progress_;
    }
    return error;
}

// The picture goes to a temporary name first and replaces the real one only when
// the server has all of it; a failed transfer takes its fragment away again when
// the connection still allows it.
QString FtpUploader::send(const QString& localCopy)
{
    s_.FtpFilename = s_.FtpFilename.trimmed();
    const QString remote = s_.FtpFilename;
    QString local = localCopy;
    QString temporary = ftpTemporaryName(remote);
    if (!cFTP->FTPUploadFile(local, temporary)) {
        const platform::FtpResult failure = cFTP->lastFailure();
        const platform::FtpTrouble trouble = platform::ftpTrouble(failure);
        if (trouble != platform::FtpTrouble::Cancelled && trouble != platform::FtpTrouble::TimedOut && trouble != platform::FtpTrouble::Refused
            && !cFTP->DeleteFTPFile(temporary))
            qCInfo(lcFtp).noquote() << "The unfinished upload" << temporary << "stays on the server";
        return ftpNoticeText(failure, s_.FtpHost);
    }
    if (cFTP->RenameFTPFile(temporary, remote))
        return QString();
    // Some servers will not rename onto an existing file: the old picture goes first.
    const platform::FtpResult refusal = cFTP->lastFailure();
    if (refusal.serverRefused() && cFTP->DeleteFTPFile(remote) && cFTP->RenameFTPFile(temporary, remote))
        return QString();
    return ftpNoticeText(cFTP->lastFailure(), s_.FtpHost);
}

void FtpUploader::cFTP_FileTransferProgress(qint64 lCurrentBytes, qint64 lTotalBytes)
{
    if (s_.FtpProgress != 0 && progress_)
        progress_->setBarWidth(progressBarWidth(lCurrentBytes, lTotalBytes));
}
