#include "automation/clsFTP.h"

#include "platform/files/SaveFile.h"
#include "platform/net/FtpLog.h"
#include "platform/net/FtpWorker.h"
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

}  // namespace

clsFTP::clsFTP(platform::FtpWorker* worker, QObject* parent)
    : QObject(parent)
    , ownWorker_(worker ? nullptr : std::make_unique<platform::FtpWorker>())
    , worker_(worker ? worker : ownWorker_.get())
    , session_(std::make_unique<platform::FtpSession>())
    , online_(&platform::networkAvailable)
{
    session_->setPassiveMemory(worker_->passiveMemory());
    // Pictures must arrive byte for byte, so binary is the starting type; an ASCII
    // transfer would rewrite every line-end byte pair of a JPEG.
    SetTransferType(kTransferBinary);
    SetMode(true);
}

clsFTP::~clsFTP()
{
    // The connection ends on the worker's thread; nobody waits for its QUIT.
    worker_->retire(std::move(session_));
}

platform::FtpResult clsFTP::run(const std::function<platform::FtpResult()>& job)
{
    busy_ = true;
    platform::FtpResult result = worker_->run(*session_, job);
    busy_ = false;
    if (closeAfter_) {
        closeAfter_ = false;
        closeNow();
    }
    return result;
}

// QUIT gets the reply deadline and a second; then the connection is dropped.
void clsFTP::closeNow()
{
    const int limitMs = session_->timeouts().replySeconds * 1000 + 1000;
    busy_ = true;
    worker_->run(
        *session_, [this] { session_->close(); return platform::FtpResult{}; }, limitMs);
    busy_ = false;
}

platform::FtpSession::Progress clsFTP::progressRelay()
{
    return [this, state = progress_](qint64 bytes) {
        state->serverHas = bytes;
        if (!state->posted.exchange(true))
            QMetaObject::invokeMethod(this, &clsFTP::deliverProgress, Qt::QueuedConnection);
    };
}

void clsFTP::startProgress(qint64 total)
{
    progress_->serverHas = 0;
    progressActive_ = true;
    progressTotal_ = total;
    chunksTold_ = 0;
}

// One event per whole chunk the server has, in order; a handler may open a
// nested event loop, so the count lives in the object.
void clsFTP::deliverProgress()
{
    progress_->posted = false;
    while (progressActive_ && (chunksTold_ + 1) * kChunkSize <= progress_->serverHas) {
        ++chunksTold_;
        emit FileTransferProgress(chunksTold_ * kChunkSize, progressTotal_);
    }
}

void clsFTP::endProgress(qint64 serverHas)
{
    busy_ = true;
    progress_->serverHas = std::max<qint64>(progress_->serverHas, serverHas);
    deliverProgress();
    progressActive_ = false;
    busy_ = false;
}

void clsFTP::setTimeouts(const platform::FtpTimeouts& timeouts)
{
    session_->setTimeouts(timeouts);
}

bool clsFTP::OpenConnection(const QString& sServer, const QString& sUser, const QString& sPassword)
{
    if (refuseWhileBusy("InternetConnect"))
        return false;
    closeNow();
    if (!online_()) {
        recordError(kGivenText, "InternetAutodial", "No network connection is available");
        lastFailure_.code = platform::kFtpNoNetwork;
        return false;
    }
    // The library is opened on the worker, with the session's first operation.
    bool started = true;
    const platform::FtpResult result = run([&] {
        started = session_->start();
        return session_->open(sServer, sUser, sPassword);
    });
    if (!started)
        recordError(kGivenText, "InternetOpen", "The FTP library could not start");
    return ranOk(result, "InternetConnect");
}

void clsFTP::CloseConnection()
{
    if (busy_) {
        // Called from inside an operation's wait: that operation stops, and the
        // connection closes after it.
        closeAfter_ = true;
        session_->stop();
        return;
    }
    closeNow();
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
    return ranOk(run([&] { return session_->upload(sRemote, local, kWholeFileChunk, {}); }), operation);
}

bool clsFTP::RenameFTPFile(const QString& sExisting, const QString& sNewName)
{
    return !refuseWhileBusy("RenameFTPFile") && ranOk(run([&] { return session_->rename(sExisting, sNewName); }), "RenameFTPFile");
}

bool clsFTP::CreateFTPDirectory(const QString& sDirectory)
{
    return !refuseWhileBusy("CreateFTPDirectory")
        && ranOk(run([&] { return session_->makeDirectory(sDirectory); }), "CreateFTPDirectory");
}

bool clsFTP::RemoveFTPDirectory(const QString& sDirectory)
{
    return !refuseWhileBusy("RemoveFTPDirectory")
        && ranOk(run([&] { return session_->removeDirectory(sDirectory); }), "RemoveFTPDirectory");
}

bool clsFTP::DeleteFTPFile(const QString& sRemote)
{
    return !refuseWhileBusy("DeleteFTPFile") && ranOk(run([&] { return session_->deleteFile(sRemote); }), "DeleteFTPFile");
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
    startProgress(size);
    const platform::FtpSession::Progress progress = progressRelay();
    const platform::FtpResult result = run([&] { return session_->upload(sRemote, local, kChunkSize, progress); });
    endProgress(result ? size : 0);
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
    startProgress(size);
    const platform::FtpSession::Progress progress = progressRelay();
    const platform::FtpResult result = run([&] { return session_->download(sRemote, received, kChunkSize, progress); });
    endProgress(result ? received.size() : 0);
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
    return ranOk(run([&] { return session_->download(sRemote, received, kWholeFileChunk, {}); }), operation)
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
        ranOk(run([&] { return session_->changeDirectory(sDir); }), "FtpSetCurrentDirectory");
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
    bool listed = false;
    qint64 size = kFileNotFound;
    const platform::FtpResult result = run([&] {
        QStringList names;
        platform::FtpResult r = session_->listNames(folder, names);
        listed = r.ok;
        for (const QString& name : std::as_const(names))
            if (r && platform::ftpWildcardMatch(pattern, name))
                return session_->fileSize(platform::resolveFtpPath(folder, name), size);
        return r;
    });
    if (!listed && (result.replyCode == kNoSuchFileReply || result.replyCode == kFileUnavailableReply))
        return kFileNotFound;
    if (!result) {
        recordResult(result, operation);
        return kFindFailed;
    }
    return size;
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
    lastFailure_ = {false, code, text, 0, QString(), platform::FtpStage::Command};
    setErrorTexts(code, operation, text, QString());
    qCWarning(lcFtp).noquote() << LastErrorMessage_;
}

// The session has logged the failure already.
void clsFTP::recordResult(const platform::FtpResult& result, const QString& operation)
{
    lastFailure_ = result;
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
    if (!busy_)
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
