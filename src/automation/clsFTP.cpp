#include "automation/clsFTP.h"

#include "platform/files/SaveFile.h"
#include "platform/net/FtpLog.h"
#include "platform/net/NetworkState.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QFile>

namespace {

constexpr qint64 kWholeFileChunk = 64 * 1024;
constexpr int kMessageBufferChars = 2048;
constexpr int kNoSuchFileReply = 550;
constexpr int kFileUnavailableReply = 450;

QString messageText(QString text)
{
    text.truncate(kMessageBufferChars - 1);
    if (const qsizetype nul = text.indexOf(QChar(0)); nul >= 0)
        text.truncate(nul);
    return text.remove(QStringLiteral("\r\n")).trimmed();
}

// After each whole chunk: a yield, so windows and timers keep running, and the
// progress of `total`; the last, shorter piece is told with the end.
platform::FtpSession::ChunkDone chunkProgress(clsFTP* ftp, qint64 total)
{
    return [ftp, total](qint64 bytesSoFar, bool remainder) {
        if (!remainder) {
            QCoreApplication::processEvents();
            emit ftp->FileTransferProgress(bytesSoFar, total);
        }
        return true;
    };
}

}  // namespace

clsFTP::clsFTP(QObject* parent)
    : QObject(parent)
    , session_(std::make_unique<platform::FtpSession>())
    , online_(&platform::networkAvailable)
{
    // Pictures must arrive byte for byte, so binary is the starting type; an ASCII
    // transfer would rewrite every line-end byte pair of a JPEG.
    SetTransferType(kTransferBinary);
    SetMode(true);
}

clsFTP::~clsFTP()
{
    CloseConnection();
}

void clsFTP::setTimeouts(const platform::FtpTimeouts& timeouts)
{
    session_->setTimeouts(timeouts);
}

bool clsFTP::OpenConnection(const QString& sServer, const QString& sUser, const QString& sPassword)
{
    if (refuseWhileBusy("InternetConnect"))
        return false;
    session_->close();
    if (!online_()) {
        recordError(kGivenText, "InternetAutodial", "No network connection is available");
        return false;
    }
    if (!session_->ready())
        recordError(kGivenText, "InternetOpen", "The FTP library could not start");
    return ranOk(session_->open(sServer, sUser, sPassword), "InternetConnect");
}

void clsFTP::CloseConnection()
{
    session_->close();
}

bool clsFTP::SimpleFTPPutFile(const QString& sLocal, const QString& sRemote)
{
    const QString operation = QStringLiteral("SimpleFtpPutFile");
    if (refuseWhileBusy(operation))
        return false;
    QFile local(sLocal);
    if (!local.open(QIODevice::ReadOnly)) {
        recordError(kGivenText, operation, QStringLiteral("Cannot read \"%1\": %2").arg(sLocal, local.errorString()));
        return false;
    }
    return ranOk(session_->upload(sRemote, local, kWholeFileChunk, {}), operation);
}

bool clsFTP::RenameFTPFile(const QString& sExisting, const QString& sNewName)
{
    return !refuseWhileBusy("RenameFTPFile") && ranOk(session_->rename(sExisting, sNewName), "RenameFTPFile");
}

bool clsFTP::CreateFTPDirectory(const QString& sDirectory)
{
    return !refuseWhileBusy("CreateFTPDirectory")
        && ranOk(session_->makeDirectory(sDirectory), "CreateFTPDirectory");
}

bool clsFTP::RemoveFTPDirectory(const QString& sDirectory)
{
    return !refuseWhileBusy("RemoveFTPDirectory")
        && ranOk(session_->removeDirectory(sDirectory), "RemoveFTPDirectory");
}

bool clsFTP::DeleteFTPFile(const QString& sRemote)
{
    return !refuseWhileBusy("DeleteFTPFile") && ranOk(session_->deleteFile(sRemote), "DeleteFTPFile");
}

bool clsFTP::FTPUploadFile(QString& sLocal, QString& sRemote)
{
    sLocal = sLocal.trimmed();
    sRemote = sRemote.trimmed();
    if (refuseWhileBusy("FtpOpenFile:PutFile"))
        return false;
    if (sLocal.isEmpty() || sRemote.isEmpty()) {
        recordError(kGivenText, "FTPUploadFile", "No local or remote file name given");
        return false;
    }
    // The local file is opened first, so an unreadable one never empties the remote file.
    QFile local(sLocal);
    if (!local.open(QIODevice::ReadOnly)) {
        recordError(kGivenText, "FTPUploadFile", QStringLiteral("Cannot read \"%1\": %2").arg(sLocal, local.errorString()));
        return false;
    }
    const qint64 size = local.size();
    const platform::FtpResult result = session_->upload(sRemote, local, kChunkSize, chunkProgress(this, size));
    if (!result) {
        recordResult(result, writeOperation(result.stage));
        return false;
    }
    emit FileTransferProgress(size, size);
    return true;
}

bool clsFTP::FTPDownloadFile(QString& sLocal, QString& sRemote)
{
    sLocal = sLocal.trimmed();
    sRemote = sRemote.trimmed();
    if (refuseWhileBusy("FtpOpenFile:GetFile"))
        return false;
    if (sLocal.isEmpty() || sRemote.isEmpty()) {
        recordError(kGivenText, "FTPDownloadFile", "No local or remote file name given");
        return false;
    }
    const qint64 size = GetFTPFileSize(sRemote);
    if (size <= 0) {
        recordError(kGivenText, "FTPDownloadFile", "FTP File Doesn't Exist");
        return false;
    }
    QBuffer received;
    received.open(QIODevice::WriteOnly);
    const platform::FtpResult result = session_->download(sRemote, received, kChunkSize, chunkProgress(this, size));
    if (!result) {
        recordResult(result, readOperation(result.stage));
        return false;
    }
    if (!saveDownload(sLocal, received.data(), "FTPDownloadFile"))
        return false;
    emit FileTransferProgress(size, size);
    return true;
}

bool clsFTP::SimpleFTPGetFile(const QString& sLocal, const QString& sRemote)
{
    const QString operation = QStringLiteral("SimpleFtpGetFile");
    if (refuseWhileBusy(operation))
        return false;
    QBuffer received;
    received.open(QIODevice::WriteOnly);
    return ranOk(session_->download(sRemote, received, kWholeFileChunk, {}), operation)
        && saveDownload(sLocal, received.data(), operation);
}

QString clsFTP::FTPDirectory()
{
    if (!session_->isOpen()) {
        recordError(kGivenText, "FtpGetCurrentDirectory", "Not connected to a server");
        return QString();
    }
    return session_->currentDirectory();
}

void clsFTP::setFTPDirectory(const QString& sDir)
{
    if (!refuseWhileBusy("FtpSetCurrentDirectory"))
        ranOk(session_->changeDirectory(sDir), "FtpSetCurrentDirectory");
}

qint64 clsFTP::GetFTPFileSize(const QString& sFile)
{
    const QString operation = QStringLiteral("FtpFindFirstFile");
    if (refuseWhileBusy(operation))
        return kFindFailed;
    const QString path = session_->resolve(sFile);
    // Only the file's own name is a pattern; its folders are taken as they are.
    const QString pattern = platform::ftpFileName(path).replace(' ', '?');
    const QString folder = platform::ftpFolder(path);
    QStringList names;
    const platform::FtpResult listed = session_->listNames(folder, names);
    if (!listed) {
        if (listed.replyCode == kNoSuchFileReply || listed.replyCode == kFileUnavailableReply)
            return kFileNotFound;
        recordResult(listed, operation);
        return kFindFailed;
    }
    for (const QString& name : std::as_const(names)) {
        if (!platform::ftpWildcardMatch(pattern, name))
            continue;
        qint64 size = 0;
        const platform::FtpResult sized = session_->fileSize(platform::resolveFtpPath(folder, name), size);
        if (!sized) {
            recordResult(sized, operation);
            return kFindFailed;
        }
        return size;
    }
    return kFileNotFound;
}

void clsFTP::SetTransferType(int vType)
{
    transferType = vType;
    session_->setBinary(vType != kTransferAscii);
}

void clsFTP::SetMode(bool bActive)
{
    connectFlags = bActive ? kActiveMode : kPassiveMode;
    session_->setActive(bActive);
}

void clsFTP::setErrorTexts(int code, const QString& operation, const QString& text, const QString& serverReply)
{
    const QString message = messageText(text);
    LastErrorMessage_ = operation + "() Error - Code: " + QString::number(code) + " Message: " + message;
    SimpleLastErrorMessage_ = message;
    if (code == kExtendedError)
        LastErrorMessage_ = serverReply.left(kMessageBufferChars - 1);
}

void clsFTP::recordError(int code, const QString& operation, const QString& text)
{
    setErrorTexts(code, operation, text, QString());
    qCWarning(lcFtp).noquote() << LastErrorMessage_;
}

// The session has logged the failure already.
void clsFTP::recordResult(const platform::FtpResult& result, const QString& operation)
{
    const int code = result.serverRefused() ? kExtendedError : result.code < 0 ? kGivenText : result.code;
    setErrorTexts(code, operation, result.reason, result.reply);
}

bool clsFTP::ranOk(const platform::FtpResult& result, const QString& operation)
{
    if (!result)
        recordResult(result, operation);
    return result.ok;
}

bool clsFTP::refuseWhileBusy(const QString& operation)
{
    if (!session_->transferring())
        return false;
    recordError(kGivenText, operation, "A transfer is still running on this connection");
    return true;
}

QString clsFTP::writeOperation(platform::FtpStage stage) const
{
    switch (stage) {
    case platform::FtpStage::Chunk:
        return QStringLiteral("InternetWriteFile");
    case platform::FtpStage::Remainder:
        return QStringLiteral("InternetWriteFile2");
    default:
        return QStringLiteral("FtpOpenFile:PutFile");
    }
}

QString clsFTP::readOperation(platform::FtpStage stage) const
{
    switch (stage) {
    case platform::FtpStage::Chunk:
        return QStringLiteral("InternetReadFile");
    case platform::FtpStage::Remainder:
        return QStringLiteral("InternetReadFile2");
    default:
        return QStringLiteral("FtpOpenFile:GetFile");
    }
}

bool clsFTP::saveDownload(const QString& sLocal, const QByteArray& bytes, const QString& operation)
{
    const platform::Result written = platform::writeFileSafely(sLocal, bytes);
    if (written)
        return true;
    recordError(kGivenText, operation, QStringLiteral("Cannot write \"%1\": %2").arg(sLocal, written.reason));
    return false;
}
