#include "capture/CaptureSizes.h"

#include "capture/CaptureLog.h"
#include "platform/files/SaveFile.h"
#include "platform/files/SmallFile.h"

#include <QRegularExpression>

namespace {

constexpr int kStandardBits = 24;
constexpr const char* kLineEnd = "\r\n";
// Lines this short carry no device name or sizes and are passed over.
constexpr int kShortestCacheLine = 2;

// The number at the start of text, as far as it goes; 0 when there is none.
int leadingNumber(const QString& text)
{
    qsizetype digits = 0;
    while (digits < text.size() && text.at(digits).isDigit())
        ++digits;
    return digits == 0 ? 0 : text.left(digits).toInt();
}

QStringList storedCacheLines(const QByteArray& cacheText)
{
    static const QRegularExpression lineEnd("\r\n|\r|\n");
    QStringList stored;
    for (const QString& line : QString::fromUtf8(cacheText).split(lineEnd)) {
        if (line.size() <= kShortestCacheLine)
            continue;
        if (stored.size() == kMaxCacheLines)
            break;
        stored.append(line);
    }
    return stored;
}

}  // namespace

const std::array<QSize, 12>& probeSizes()
{
    static const std::array<QSize, 12> sizes{{{720, 480}, {800, 450}, {800, 448}, {800, 600}, {960, 544},
                                              {1024, 768}, {1280, 720}, {1280, 800}, {1280, 960},
                                              {1280, 1024}, {1600, 1200}, {1600, 1280}}};
    return sizes;
}

ResolutionArray standardResolutions()
{
    ResolutionArray entries;
    const QSize standard[] = {{160, 120}, {176, 144}, {320, 240}, {352, 288}, {640, 480}};
    for (int i = 0; i < kFirstProbedEntry; ++i)
        entries[i] = resolutionEntry(standard[i], kStandardBits);
    return entries;
}

QString resolutionEntry(QSize size, int bits)
{
    return QStringLiteral("%1x%2@%3").arg(size.width()).arg(size.height()).arg(bits);
}

SizeCheckPlan planSizeCheck(int howToCheckDriver, bool resolutionsChecked)
{
    SizeCheckPlan plan;
    plan.skip = howToCheckDriver == kProbeNever;
    plan.readCache = howToCheckDriver == kProbeByCache && !resolutionsChecked;
    plan.writeCache = howToCheckDriver == kProbeByCache;
    return plan;
}

std::optional<CachedSizes> findCachedSizes(const QByteArray& cacheText, const QString& deviceName)
{
    const QStringList lines = storedCacheLines(cacheText);
    std::optional<CachedSizes> found;
    // A name on the last stored line has no sizes line after it and is not a record.
    for (qsizetype i = 0; i + 1 < lines.size(); ++i) {
        if (lines[i] != deviceName)
            continue;
        const QStringList fields = lines[i + 1].split(';');
        CachedSizes sizes;
        for (qsizetype k = 0; k < fields.size() && k < qsizetype(sizes.entries.size()); ++k)
            sizes.entries[k] = fields[k];
        sizes.fieldCount = int(fields.size());
        found = sizes;
    }
    return found;
}

QByteArray formatCacheRecord(const QString& deviceName, const ResolutionArray& entries)
{
    QByteArray record = deviceName.toUtf8() + kLineEnd;
    for (const QString& entry : entries)
        if (entry.size() >= 2)
            record += ';' + entry.toUtf8();
    return record + kLineEnd;
}

platform::Result appendCacheRecord(const QString& path, const QString& deviceName, const ResolutionArray& entries)
{
    const platform::SmallFileRead old = platform::readSmallFile(path);
    if (!old.result.ok && !old.missing) {
        // Writing anyway would drop the records that could not be read.
        qCWarning(lcCapture).noquote() << "capture-size cache not extended:" << old.result.reason;
        return old.result;
    }
    // A record starts on a line of its own, also after a last line without its end.
    QByteArray text = old.bytes;
    if (!text.isEmpty() && !text.endsWith('\n') && !text.endsWith('\r'))
        text += kLineEnd;
    return platform::writeFileSafely(path, text + formatCacheRecord(deviceName, entries));
}

QStringList probeNoticeTexts(int index)
{
    QStringList texts;
    if (index % 3 == 2)
        texts << "Checking Device Resolutions" << "Please wait...";
    if (index == 6)
        texts << "Checking Capabilities...Wait..";
    if (index == 10)
        texts << "We are almost there...";
    return texts;
}

ResolutionEntry parseResolutionEntry(const QString& entry)
{
    ResolutionEntry parsed;
    const qsizetype x = entry.indexOf('x');
    if (x < 0)
        return parsed;
    parsed.width = leadingNumber(entry.left(x));
    const qsizetype at = entry.indexOf('@', x + 1);
    // An entry without "@" has its height up to the end.
    parsed.height = leadingNumber(at < 0 ? entry.mid(x + 1) : entry.mid(x + 1, at - x - 1));
    parsed.bits = at < 0 ? 0 : leadingNumber(entry.mid(at + 1));
    return parsed;
}

QString resolutionText(const QString& entry)
{
    return entry.section('@', 0, 0);
}

QList<ResolutionItem> resolutionItems(const ResolutionArray& entries)
{
    QList<ResolutionItem> items;
    for (int i = 0; i < int(entries.size()); ++i)
        if (!entries[i].isEmpty())
            items.append({resolutionText(entries[i]), i});
    return items;
}

int preselectedItem(const QList<ResolutionItem>& items, QSize frameSize)
{
    const QString current = QStringLiteral("%1x%2").arg(frameSize.width()).arg(frameSize.height());
    int selected = -1;
    for (int i = 0; i < items.size(); ++i)
        if (items[i].text == current)
            selected = i;
    return selected;
}

quint16 bitCountFor(int32_t selectedColorDepth)
{
    if (selectedColorDepth < kDepthI420)
        return kStandardBits;
    if (selectedColorDepth == kDepthI420)
        return 32;
    if (selectedColorDepth == kDepthYuy2)
        return 16;
    return quint16(selectedColorDepth);
}

ChosenFormat chosenFormat(const QString& entry, int32_t selectedColorDepth)
{
    const ResolutionEntry parsed = parseResolutionEntry(entry);
    ChosenFormat f;
    f.colorDepth = selectedColorDepth;
    if (f.colorDepth == kDepthAuto && entry.contains('@'))
        f.colorDepth = parsed.bits;
    f.size = QSize(parsed.width, parsed.height);
    f.bitCount = bitCountFor(f.colorDepth);
    return f;
}

QString refusedFormatTitle(const ChosenFormat& f)
{
    return QStringLiteral("Invallid Videoformat: %1x%2@%3").arg(f.size.width()).arg(f.size.height()).arg(f.bitCount);
}

WindowFit fitWindowToCapture(QSize capture, QSize video, int panelWidth, int bottomHeight, int allowanceX,
                             int allowanceY)
{
    WindowFit fit;
    fit.grow = capture.width() > video.width();
    if (fit.grow)
        fit.outerPixels = QSize(panelWidth + capture.width() + allowanceX, bottomHeight + capture.height() + allowanceY);
    return fit;
}
