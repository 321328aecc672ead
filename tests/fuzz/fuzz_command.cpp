// The player's command strings: any command is parsed, every number in it goes
// through the time conversions of every format, and any file name put into the
// viewer's open command reads back as that name.
#include "FuzzSupport.h"
#include "platform/video/MciCommand.h"
#include "platform/video/PlaybackTimeline.h"
#include "viewer/VideoPlayback.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QString input = QString::fromUtf8(fuzz::bytesOf(data, size));
    const MciCommand parsed = parseMciCommand(input);
    if (parsed.error == kMciOk) {
        FUZZ_CHECK(!parsed.verb.isEmpty() || input.contains('"'));
        QStringList words = parsed.words;
        words.prepend(parsed.device);
        for (const QString& word : words) {
            qint64 number = 0;
            if (!parseMciInteger(word, number))
                continue;
            for (const MciTimeFormat format : {MciTimeFormat::Frames, MciTimeFormat::Milliseconds, MciTimeFormat::Tenths})
                for (const double rate : {0.0, 1e-300, 0.5, 10.0, 29.97, 1e300}) {
                    const qint64 ms = fromTimeUnits(number, format, rate);
                    toTimeUnits(ms, format, rate);
                    toTimeUnits(number, format, rate);
                    PlaybackTimeline timeline(3000);
                    timeline.seek(0, ms);
                    timeline.play(0, true);
                    // A clock reading of the run, not an absurd one.
                    const qint64 now = number % 1000000 < 0 ? -(number % 1000000) : number % 1000000;
                    const qint64 at = timeline.position(now);
                    FUZZ_CHECK(at >= 0 && at <= 3000);
                    timeline.round(now);
                }
        }
    }
    // The whole input as a clip's name.
    const MciCommand open = parseMciCommand(openSceneCommand(input));
    FUZZ_CHECK(open.error == kMciOk);
    FUZZ_CHECK(open.verb == "open");
    FUZZ_CHECK(open.device == input);
    FUZZ_CHECK((open.words == QStringList{"alias", "AVIvideo", "type", "AVIVideo"}));
    return 0;
}
