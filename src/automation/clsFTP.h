#pragma once

#include "platform/net/FtpSession.h"

#include <QObject>
#include <QString>

#include <atomic>
#include <functional>
#include <memory>

namespace platform {
class FtpWorker;
}

// One FTP session per object. Every operation returns false (or -1/-2 for a size)
// on failure and leaves a readable text in LastErrorMessage and
// SimpleLastErrorMessage; nothing is shown to the user here.
//
// The operations run on the FTP worker's thread; each member waits for its result
// in an event loop, so windows keep painting and timers keep ticking while the
// network is slow. Code that runs during that wait must not start a second
// operation on the same object: it is refused. The chunked transfers report
// through FileTransferProgress one event per whole 255-byte chunk the server has
// (acknowledged by its end of the connection), in order and as the bytes arrive,
// then (size, size) once the server has confirmed the whole file.
class clsFTP : public QObject {
    Q_OBJECT
public:
    // transferType values.
    static constexpr int kTransferAscii = 1;
    static constexpr int kTransferBinary = 2;
    // connectFlags values.
    static constexpr int kActiveMode = 0;
    static constexpr int kPassiveMode = 0x8000000;
    // Error codes that are not libcurl's: the text is given; the server's reply says why.
    static constexpr int kGivenText = -1;
    static constexpr int kExtendedError = 12003;
    static constexpr qint64 kChunkSize = 255;
    // GetFTPFileSize results.
    static constexpr qint64 kFileNotFound = -1;
    static constexpr qint64 kFindFailed = -2;

    // worker: the program's FTP thread; without one the object runs a thread of its own.
    explicit clsFTP(platform::FtpWorker* worker = nullptr, QObject* parent = nullptr);
    ~clsFTP() override;

    QString LastErrorMessage() const { return LastErrorMessage_; }
    QString SimpleLastErrorMessage() const { return SimpleLastErrorMessage_; }
    // sServer may carry a port ("host:port"); without one the port is 21.
    bool OpenConnection(const QString& sServer, const QString& sUser, const QString& sPassword);
    void CloseConnection();
    bool SimpleFTPPutFile(const QString& sLocal, const QString& sRemote);
    bool RenameFTPFile(const QString& sExisting, const QString& sNewName);
    bool CreateFTPDirectory(const QString& sDirectory);
    bool RemoveFTPDirectory(const QString& sDirectory);
    bool DeleteFTPFile(const QString& sRemote);
    // Both names are trimmed in the caller's variables, as the callers rely on.
    bool FTPUploadFile(QString& sLocal, QString& sRemote);
    bool FTPDownloadFile(QString& sLocal, QString& sRemote);
    bool SimpleFTPGetFile(const QString& sLocal, const QString& sRemote);
    QString FTPDirectory();
    void setFTPDirectory(const QString& sDir);
    // Blanks in the file name match any character ("a b.jpg" finds "a?b.jpg").
    qint64 GetFTPFileSize(const QString& sFile);
    void SetTransferType(int vType);
    void SetMode(bool bActive);

    // Stands in for the dial-up test that forces the machine online.
    void setOnlineCheck(std::function<bool()> check) { online_ = std::move(check); }
    void setTimeouts(const platform::FtpTimeouts& timeouts);
    // The outcome of the last failed operation: libcurl's code, the server's reply
    // and the stage, for a notice in the user's words.
    platform::FtpResult lastFailure() const { return lastFailure_; }

signals:
    void FileTransferProgress(qint64 lCurrentBytes, qint64 lTotalBytes);

private:
    void setErrorTexts(int code, const QString& operation, const QString& text, const QString& serverReply);
    void recordError(int code, const QString& operation, const QString& text);
    void recordResult(const platform::FtpResult& result, const QString& operation);
    bool ranOk(const platform::FtpResult& result, const QString& operation);
    bool refuseWhileBusy(const QString& operation);
    QString writeOperation(platform::FtpStage stage) const;
    QString readOperation(platform::FtpStage stage) const;
    bool saveDownload(const QString& sLocal, const QByteArray& bytes, const QString& operation);
    platform::FtpResult run(const std::function<platform::FtpResult()>& job);
    void closeNow();
    platform::FtpSession::Progress progressRelay();
    void startProgress(qint64 total);
    void deliverProgress();
    void endProgress(qint64 serverHas);

    std::unique_ptr<platform::FtpWorker> ownWorker_;
    platform::FtpWorker* worker_ = nullptr;
    // The session stands for the Internet handle and the connection handle.
    std::unique_ptr<platform::FtpSession> session_;
    bool busy_ = false;        // an operation runs (the remote file is open during a transfer)
    bool closeAfter_ = false;  // CloseConnection came during an operation
    platform::FtpResult lastFailure_;
    // The bytes the server has, posted by the worker and told in chunks here.
    struct ProgressState {
        std::atomic<qint64> serverHas{0};
        std::atomic_bool posted{false};
    };
    std::shared_ptr<ProgressState> progress_ = std::make_shared<ProgressState>();
    bool progressActive_ = false;
    qint64 progressTotal_ = 0;
    qint64 chunksTold_ = 0;
    int transferType = kTransferBinary;
    int connectFlags = kActiveMode;
    QString LastErrorMessage_;
    QString SimpleLastErrorMessage_;
    std::function<bool()> online_;
};
