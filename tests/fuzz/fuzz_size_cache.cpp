// The capture-size cache (DevicesDatabase.log): looking a device up in any text,
// and a record appended to any file is the one found afterwards.
#include "FuzzSupport.h"
#include "capture/CaptureSizes.h"

#include <QRegularExpression>

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    fuzz::quietLogs();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray text = fuzz::bytesOf(data, size);
    // The first line names the device looked up in the whole text.
    const QString asked = QString::fromUtf8(text.left(text.indexOf('\n')));
    if (const auto found = findCachedSizes(text, asked))
        FUZZ_CHECK(found->fieldCount >= 1);

    const QString path = fuzz::scratchFolder() + "/DevicesDatabase.log";
    fuzz::writeFile(path, text);
    const QString device = QStringLiteral("Tolvex Test Pattern");
    ResolutionArray entries = standardResolutions();
    entries[kFirstProbedEntry] = resolutionEntry({800, 600}, 24);
    FUZZ_CHECK(appendCacheRecord(path, device, entries).ok);
    const QByteArray after = fuzz::readFile(path);
    FUZZ_CHECK(after.startsWith(text));

    // Only the first lines of the file are looked at: a record further down is
    // not found by design.
    static const QRegularExpression lineEnd("\r\n|\r|\n");
    qsizetype storedLines = 0;
    for (const QString& line : QString::fromUtf8(text).split(lineEnd))
        storedLines += line.size() > 2 ? 1 : 0;
    if (storedLines + 2 > kMaxCacheLines)
        return 0;
    const auto mine = findCachedSizes(after, device);
    FUZZ_CHECK(mine.has_value());
    FUZZ_CHECK(mine->entries[kFirstProbedEntry + 1] == entries[kFirstProbedEntry]);
    FUZZ_CHECK(mine->fieldCount == kFirstProbedEntry + 2);
    return 0;
}
