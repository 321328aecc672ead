#pragma once

#include "platform/base/Result.h"
#include "core/SettingsModel.h"

#include <QByteArray>
#include <QList>
#include <QSize>
#include <QString>
#include <QStringList>

#include <array>
#include <optional>

// The capture sizes of the connected device: the list the size chooser offers, the
// probe of the sizes a driver accepts, and the per-device cache of what a probe found.

using ResolutionArray = std::array<QString, 16>;

// The name of the cache file in the program folder.
inline constexpr const char* kDevicesDatabaseFile = "/DevicesDatabase.log";
// Entries 5.. take the probed sizes; the five below are the standard sizes.
inline constexpr int kFirstProbedEntry = 5;
// Lines of the cache file kept for the look-up; records further down are not found.
inline constexpr int kMaxCacheLines = 51;

// The sizes tried on a device, in this order.
const std::array<QSize, 12>& probeSizes();
// The five standard sizes in entries 0..4, the rest empty.
ResolutionArray standardResolutions();
// "1280x720@24".
QString resolutionEntry(QSize size, int bits);

// What a "Video Size" size check does in each HowToCheckDriver mode.
struct SizeCheckPlan {
    bool skip = false;        // nothing to do: the count is 0 and the sizes count as known
    bool readCache = false;   // look the device up in the cache first
    bool writeCache = false;  // a probe that found sizes appends its record
};
SizeCheckPlan planSizeCheck(int howToCheckDriver, bool resolutionsChecked);

// A device's record found in the cache: the fields of its sizes line (the first
// one empty, as the line starts with ";"), at most 16 of them, and their number.
struct CachedSizes {
    ResolutionArray entries;
    int fieldCount = 0;
};
// The last record of the device in the cache text; none when it is not there.
std::optional<CachedSizes> findCachedSizes(const QByteArray& cacheText, const QString& deviceName);
// The record of a device: its name line and its sizes line, each ended by CR LF.
QByteArray formatCacheRecord(const QString& deviceName, const ResolutionArray& entries);
// Appends a record to the cache file through the safe writer: the old records stay
// as they were, also when the write fails.
platform::Result appendCacheRecord(const QString& path, const QString& deviceName, const ResolutionArray& entries);

// The notice texts shown after trying probe size `index`, in order.
QStringList probeNoticeTexts(int index);

// An entry "WxH@bits" read back; bits 0 when the entry has no "@".
struct ResolutionEntry {
    int width = 0;
    int height = 0;
    int bits = 0;
};
ResolutionEntry parseResolutionEntry(const QString& entry);
// The text an entry shows in the chooser: the part before "@".
QString resolutionText(const QString& entry);

// The chooser's items: the non-empty entries in order, each with its index.
struct ResolutionItem {
    QString text;
    int entryIndex = 0;
};
QList<ResolutionItem> resolutionItems(const ResolutionArray& entries);
// The item showing the current frame size, the last such one; -1 when none does.
int preselectedItem(const QList<ResolutionItem>& items, QSize frameSize);

// SelectedColorDepth: 0 "Auto", 1 "I420", 2 "YUY2", or 3 and more a bit depth.
enum ColorDepthChoice : int32_t { kDepthAuto = 0, kDepthI420 = 1, kDepthYuy2 = 2 };
// The bit count sent for a colour-depth choice.
quint16 bitCountFor(int32_t selectedColorDepth);

// The format to send for the chosen entry: an "Auto" depth takes the entry's bits.
struct ChosenFormat {
    QSize size;
    quint16 bitCount = 24;
    int32_t colorDepth = 0;  // the choice after "Auto" took the entry's bits
};
ChosenFormat chosenFormat(const QString& entry, int32_t selectedColorDepth);
// The refusal box's title: "Invallid Videoformat: 1280x720@24".
QString refusedFormatTitle(const ChosenFormat& f);
inline constexpr const char* kRefusedFormatText = "Invalid resolution or color depth selected for this device.";

// The main window's size after a capture-size change, when fit/stretch is off.
struct WindowFit {
    bool grow = false;     // larger than the standard picture: fit the window to it
    QSize outerPixels;     // grow: the window size
    // not grow: the picture returns to the standard size and the window to its minimum
};
WindowFit fitWindowToCapture(QSize capture, QSize video, int panelWidth, int bottomHeight, int allowanceX,
                             int allowanceY);
