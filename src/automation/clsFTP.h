#pragma once

#include "platform/net/FtpSession.h"

#include <QObject>
#include <QString>

#include <functional>

// One FTP session per object. Every operation returns false (or -1/-2 for a size)
// on failure and leaves a readable text in LastErrorMessage and
// SimpleLastErrorMessage; nothing is shown to the user here. The chunked transfers
// yield to the event loop after every 255-byte chunk and report it through
// FileTransferProgress, so windows and timers keep running during a transfer.
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

    explicit clsFTP(QObject* parent = nullptr);
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

    // The session stands for the Internet handle and the connection handle; its
    // transferring() state for the open remote file.
    std::unique_ptr<platform::FtpSession> session_;
    int transferType = kTransferBinary;
    int connectFlags = kActiveMode;
    QString LastErrorMessage_;
    QString SimpleLastErrorMessage_;
    std::function<bool()> online_;
};
