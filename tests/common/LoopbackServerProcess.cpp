#include "LoopbackServerProcess.h"

#include <QDeadlineTimer>
#include <QFile>

#include <signal.h>

namespace {

constexpr int kStartMs = 15000;

}  // namespace

LoopbackServerProcess::~LoopbackServerProcess()
{
    stop();
}

void LoopbackServerProcess::start(const QString& script, const QStringList& arguments, const QString& what)
{
    process_.setProcessChannelMode(QProcess::SeparateChannels);
    process_.start(QStringLiteral("/usr/bin/python3"),
                   QStringList{QStringLiteral(TOLVEX_SOURCE_DIR "/tests/fixtures/") + script} + arguments);
    if (!process_.waitForStarted(kStartMs)) {
        error_ = "python3 did not start: " + process_.errorString();
        return;
    }
    const QDeadlineTimer deadline(kStartMs);
    while (!process_.canReadLine() && process_.state() == QProcess::Running && !deadline.hasExpired())
        process_.waitForReadyRead(int(deadline.remainingTime()));
    const QByteArray line = process_.readLine().trimmed();
    if (!line.startsWith("PORT ")) {
        error_ = "the " + what + " did not start: " + QString::fromUtf8(line + process_.readAllStandardError());
        stop();
        return;
    }
    port_ = line.mid(5).toInt();
}

QString LoopbackServerProcess::readLog(const QString& name) const
{
    QFile log(logPath(name));
    return log.open(QIODevice::ReadOnly) ? QString::fromUtf8(log.readAll()) : QString();
}

void LoopbackServerProcess::stop()
{
    if (process_.state() == QProcess::NotRunning)
        return;
    ::kill(pid_t(process_.processId()), SIGKILL);
    process_.waitForFinished(kStartMs);
}
