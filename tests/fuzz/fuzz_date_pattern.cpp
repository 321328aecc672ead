// Date patterns (the user's "DatumSet" and the stamp): any pattern formats any
// moment, into text no longer than the longest field per pattern letter allows.
#include "FuzzSupport.h"
#include "core/DateFormat.h"

#include <QTimeZone>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 8 || size > 4096)
        return 0;
    qint64 seconds = 0;
    memcpy(&seconds, data, sizeof seconds);
    // Any moment from year 1 to year 9999.
    const qint64 span = 315537897600LL;
    const QDateTime when = QDateTime::fromSecsSinceEpoch(-62135596800LL + (seconds % span + span) % span,
                                                         QTimeZone::utc());
    const QString pattern = QString::fromUtf8(fuzz::bytesOf(data + 8, size - 8));
    const QString text = formatDateTime(when, pattern);
    // "September" and "Wednesday" are the longest fields: nine characters from one letter.
    FUZZ_CHECK(text.size() <= 9 * pattern.size());
    return 0;
}
