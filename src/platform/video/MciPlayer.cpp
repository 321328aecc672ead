#include "platform/video/MciPlayer.h"

#include "platform/video/AudioTrack.h"
#include "platform/video/MciCommand.h"
#include "platform/video/VideoLog.h"
#include "platform/video/PlaybackTimeline.h"
#include "platform/video/VideoDecoder.h"
#include "platform/video/VideoSurface.h"

#include <QElapsedTimer>
#include <QTimer>

#include <algorithm>
#include <cmath>

namespace {

MciPlayer::Clock steadyClock()
{
    auto timer = std::make_shared<QElapsedTimer>();
    timer->start();
    return [timer] { return timer->elapsed(); };
}

QString modeText(PlayMode mode)
{
    switch (mode) {
    case PlayMode::Playing: return QStringLiteral("playing");
    case PlayMode::Paused: return QStringLiteral("paused");
    case PlayMode::Stopped: break;
    }
    return QStringLiteral("stopped");
}

// The words after the device without the flags every command may carry.
QStringList keywords(const MciCommand& command)
{
    QStringList words;
    for (const QString& word : command.words)
        if (word.compare("wait", Qt::CaseInsensitive) != 0 && word.compare("notify", Qt::CaseInsensitive) != 0)
            words.append(word);
    return words;
}

bool is(const QStringList& words, qsizetype i, const char* keyword)
{
    return i < words.size() && words.at(i).compare(QLatin1String(keyword), Qt::CaseInsensitive) == 0;
}

}  // namespace

struct MciPlayer::Device {
    explicit Device(const QString& path) : sound(path) {}
    QString alias;
    VideoDecoder decoder;
    PlaybackTimeline timeline;
    AudioTrack sound;
    MciTimeFormat timeFormat = MciTimeFormat::Frames;
    VideoSurface* surface = nullptr;
    QRect destination;  // empty: the frame's own size at 0, 0
    qint64 drawnIndex = -1;
    qint64 round = 0;
};

MciPlayer::MciPlayer(Clock clock, QObject* parent)
    : QObject(parent), clock_(clock ? std::move(clock) : steadyClock()), ticker_(new QTimer(this))
{
    ticker_->setSingleShot(true);
    ticker_->setTimerType(Qt::PreciseTimer);
    connect(ticker_, &QTimer::timeout, this, &MciPlayer::advance);
}

MciPlayer::~MciPlayer() = default;

qint64 MciPlayer::registerWindow(VideoSurface* surface)
{
    const qint64 handle = nextHandle_++;
    windows_[handle] = surface;
    return handle;
}

void MciPlayer::unregisterWindow(qint64 handle)
{
    const auto found = windows_.find(handle);
    if (found == windows_.end())
        return;
    if (device_ && device_->surface == found->second)
        device_->surface = nullptr;
    windows_.erase(found);
}

bool MciPlayer::soundPlaying() const
{
    return device_ && device_->sound.playing();
}

int MciPlayer::sendString(const QString& command, QString* reply)
{
    QString answer;
    const MciCommand parsed = parseMciCommand(command);
    int error = parsed.error;
    if (error == kMciOk) {
        if (parsed.verb == "open")
            error = open(parsed);
        else if (!device_ || device_->alias.compare(parsed.device, Qt::CaseInsensitive) != 0)
            error = kMciInvalidDeviceName;
        else
            error = run(*device_, parsed, answer);
    }
    // A refused command is an answer, not a failure: the viewer asks the
    // status of a closed device twice a second.
    if (error != kMciOk)
        answer.clear();
    if (reply)
        *reply = answer;
    return error;
}

int MciPlayer::open(const MciCommand& command)
{
    const QStringList words = keywords(command);
    QString alias = command.device;
    for (qsizetype i = 0; i < words.size(); i += 2) {
        if (i + 1 >= words.size())
            return kMciMissingParameter;
        if (is(words, i, "alias"))
            alias = words.at(i + 1);
        else if (!is(words, i, "type"))
            return kMciUnrecognizedKeyword;
    }
    // One clip at a time: the viewer closes the old one before it opens the next.
    if (device_)
        return device_->alias.compare(alias, Qt::CaseInsensitive) == 0 ? kMciDuplicateAlias : kMciDeviceOpen;
    auto device = std::make_unique<Device>(command.device);
    const platform::Result opened = device->decoder.open(command.device);
    if (!opened) {
        qCWarning(platform::video::lcVideo).noquote() << "cannot open" << command.device << ":" << opened.reason;
        return opened.code;
    }
    device->alias = alias;
    device->timeline = PlaybackTimeline(device->decoder.lengthMs());
    device_ = std::move(device);
    return kMciOk;
}

int MciPlayer::run(Device& device, const MciCommand& command, QString& reply)
{
    const QString& verb = command.verb;
    if (verb == "status")
        return status(device, command, reply);
    if (verb == "window")
        return window(device, command);
    if (verb == "put")
        return put(device, command);
    if (verb == "set")
        return set(device, command);
    if (verb == "play")
        return play(device, command);
    if (verb == "seek")
        return seek(device, command);
    if (verb == "pause") {
        device.timeline.pause(now());
        device.sound.stop();
    } else if (verb == "resume") {
        if (device.timeline.resume(now()))
            startSound(device);
    } else if (verb == "stop") {
        device.timeline.stop(now());
        device.sound.stop();
    } else if (verb == "close") {
        device_.reset();
        ticker_->stop();
        return kMciOk;
    } else {
        return kMciUnrecognizedCommand;
    }
    advance();
    return kMciOk;
}

int MciPlayer::status(const Device& device, const MciCommand& command, QString& reply) const
{
    const QStringList words = keywords(command);
    if (words.isEmpty())
        return kMciMissingParameter;
    const qint64 at = now();
    const double rate = device.decoder.frameRate();
    if (is(words, 0, "mode"))
        reply = modeText(device.timeline.mode(at));
    else if (is(words, 0, "length"))
        reply = QString::number(toTimeUnits(device.timeline.length(), device.timeFormat, rate));
    else if (is(words, 0, "position"))
        reply = QString::number(toTimeUnits(device.timeline.position(at), device.timeFormat, rate));
    else
        return kMciUnrecognizedKeyword;
    return kMciOk;
}

int MciPlayer::window(Device& device, const MciCommand& command)
{
    const QStringList words = keywords(command);
    qint64 handle = 0;
    if (!is(words, 0, "handle") || words.size() < 2)
        return kMciMissingParameter;
    if (!parseMciInteger(words.at(1), handle))
        return kMciBadInteger;
    const auto found = windows_.find(handle);
    if (found == windows_.end())
        return kMciNoWindow;
    device.surface = found->second;
    draw(device, true);
    return kMciOk;
}

int MciPlayer::put(Device& device, const MciCommand& command)
{
    const QStringList words = keywords(command);
    if (!is(words, 0, "destination"))
        return kMciUnrecognizedKeyword;
    if (words.size() == 1) {
        device.destination = QRect();
    } else {
        if (!is(words, 1, "at") || words.size() < 6)
            return kMciMissingParameter;
        qint64 n[4] = {};
        for (int i = 0; i < 4; ++i)
            if (!parseMciInteger(words.at(2 + i), n[i]))
                return kMciBadInteger;
        device.destination = QRect(int(n[0]), int(n[1]), int(n[2]), int(n[3]));
    }
    draw(device, true);
    return kMciOk;
}

int MciPlayer::set(Device& device, const MciCommand& command)
{
    const QStringList words = keywords(command);
    if (!is(words, 0, "time") || !is(words, 1, "format") || words.size() < 3)
        return kMciUnrecognizedKeyword;
    return parseTimeFormat(words.at(2), device.timeFormat) ? kMciOk : kMciBadTimeFormat;
}

int MciPlayer::play(Device& device, const MciCommand& command)
{
    const QStringList words = keywords(command);
    bool repeat = false;
    for (qsizetype i = 0; i < words.size(); ++i) {
        if (is(words, i, "repeat")) {
            repeat = true;
        } else if (is(words, i, "from") && i + 1 < words.size()) {
            qint64 from = 0;
            if (!parseMciInteger(words.at(++i), from))
                return kMciBadInteger;
            device.timeline.seek(now(), fromTimeUnits(from, device.timeFormat, device.decoder.frameRate()));
        } else {
            return kMciUnrecognizedKeyword;
        }
    }
    device.timeline.play(now(), repeat);
    device.round = device.timeline.round(now());
    startSound(device);
    advance();
    return kMciOk;
}

int MciPlayer::seek(Device& device, const MciCommand& command)
{
    const QStringList words = keywords(command);
    qint64 target = 0;
    if (is(words, 0, "to") && is(words, 1, "end"))
        target = device.timeline.length();
    else if (is(words, 0, "to") && is(words, 1, "start"))
        target = 0;
    else if (is(words, 0, "to") && words.size() > 1 && parseMciInteger(words.at(1), target))
        target = fromTimeUnits(target, device.timeFormat, device.decoder.frameRate());
    else
        return kMciMissingParameter;
    device.sound.stop();
    device.timeline.seek(now(), target);
    advance();
    return kMciOk;
}

void MciPlayer::startSound(Device& device)
{
    if (device.timeline.mode(now()) == PlayMode::Playing)
        device.sound.start(device.timeline.position(now()));
}

void MciPlayer::advance()
{
    if (!device_)
        return;
    Device& device = *device_;
    const qint64 at = now();
    const qint64 round = device.timeline.round(at);
    if (round != device.round) {
        device.round = round;
        startSound(device);  // the loop began again
    }
    draw(device, false);
    if (device.timeline.mode(at) != PlayMode::Playing) {
        ticker_->stop();
        return;
    }
    schedule();
}

void MciPlayer::draw(Device& device, bool always)
{
    const qint64 index = device.decoder.frameIndexAt(device.timeline.position(now()));
    if (!device.surface || (index == device.drawnIndex && !always))
        return;
    const QRect place = device.destination.isEmpty() ? QRect(QPoint(0, 0), device.decoder.frameSize())
                                                     : device.destination;
    const QImage frame = device.decoder.frame(index, place.size());
    if (frame.isNull())
        return;
    device.drawnIndex = index;
    lastFrame_ = frame;
    device.surface->showVideoFrame(frame, place);
    emit frameShown(index);
}

// Wakes at the next frame's time.
void MciPlayer::schedule()
{
    const Device& device = *device_;
    const qint64 position = device.timeline.position(now());
    const double rate = device.decoder.frameRate();
    const auto next = static_cast<qint64>(std::ceil(double(device.decoder.frameIndexAt(position) + 1) * 1000.0 / rate));
    ticker_->start(int(std::clamp<qint64>(next - position, 1, 1000)));
}
