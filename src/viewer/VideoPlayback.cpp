#include "viewer/VideoPlayback.h"

#include "platform/video/MciCommand.h"

#include <cmath>

QString openSceneCommand(const QString& movieFile)
{
    return QStringLiteral("open ") + quotedMciWord(movieFile) + QStringLiteral(" alias AVIvideo type AVIVideo");
}

QString windowCommand(qint64 handle)
{
    return QStringLiteral("window AVIvideo handle ") + QString::number(handle);
}

QString playCommand(bool repeat)
{
    return repeat ? QStringLiteral("play AVIvideo repeat") : QStringLiteral("play AVIvideo");
}

QString positionCommand(long left, long top, long width, long height)
{
    return QStringLiteral("put AVIvideo destination at %1 %2 %3 %4").arg(left).arg(top).arg(width).arg(height);
}

QString seekCommand(long position)
{
    return QStringLiteral("seek AVIvideo to ") + QString::number(position);
}

QString pauseOrResumeCommand(const QString& mode)
{
    return mode.toLower().contains(QLatin1String("playing")) ? QStringLiteral("pause AVIvideo")
                                                              : QStringLiteral("resume AVIvideo");
}

double replyNumber(const QString& reply)
{
    qsizetype i = 0;
    while (i < reply.size() && reply.at(i).isSpace())
        ++i;
    const qsizetype start = i;
    if (i < reply.size() && (reply.at(i) == '-' || reply.at(i) == '+'))
        ++i;
    bool point = false;
    while (i < reply.size() && (reply.at(i).isDigit() || (reply.at(i) == '.' && !point))) {
        point = point || reply.at(i) == '.';
        ++i;
    }
    bool ok = false;
    const double value = reply.mid(start, i - start).toDouble(&ok);
    return ok ? value : 0.0;
}

long movieSeconds(double lengthReply)
{
    if (lengthReply >= 10)
        return static_cast<long>(std::nearbyint(lengthReply)) / 10;  // the default rounding: halves to even
    if (lengthReply > 1)
        return 1;
    return 0;
}

QString movieLengthText(long seconds, qint64 fileBytes)
{
    return QStringLiteral("Movie length %1 seconds - %2KB").arg(seconds).arg(fileBytes / 1024 + 1);
}

long progressScale(long seconds)
{
    return std::max(1L, seconds * 10);
}

QString openErrorText(const QString& movieFile)
{
    return QStringLiteral("Error opening the file: ") + movieFile +
           QStringLiteral("\nProbably bad file or a missing codec.");
}

QString openErrorTitle(int code)
{
    return QStringLiteral("Open Video File Error nr: ") + QString::number(code);
}

bool statusEndsPlayback(const QString& mode, int playerState)
{
    // No device (closed for a save, or gone): nothing plays any more.
    if (mode.trimmed().isEmpty())
        return true;
    // Resumed after a pause or a seek by the scroll bar, a clip that ran out stops
    // too; only a clip moved to its start or end waits for the user.
    return mode.contains(QLatin1String("stopped")) && playerState != kAtStart && playerState != kAtEnd;
}

std::vector<ControlChange> playerButtonChanges(PlayerState after)
{
    switch (after) {
    case kPlaying:
        return {{"cmdMPpauze", Switch::On}, {"cmdMPbegin", Switch::On},     {"cmdMPend", Switch::On},
                {"cmdMPstop", Switch::On},  {"tmrVideoStatus", Switch::On}, {"cmdMPstart", Switch::Off},
                {"scrlMovie", Switch::On, Switch::On}};
    case kStopped:
        return {{"cmdMPstart", Switch::On},    {"cmdMPpauze", Switch::Off}, {"cmdMPbegin", Switch::Off},
                {"cmdMPend", Switch::Off},     {"cmdMPstop", Switch::Off},  {"tmrVideoStatus", Switch::Off},
                {"scrlMovie", Switch::Off}};
    case kAtStart: return {{"cmdMPstart", Switch::On}, {"cmdMPstop", Switch::On}};
    case kAtEnd: return {{"cmdMPstart", Switch::On}, {"cmdMPstop", Switch::On}, {"cmdMPpauze", Switch::Off}};
    case kPausePressed: break;
    }
    return {};
}
