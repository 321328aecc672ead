#pragma once

#include <QString>
#include <QStringList>

// The stream buffer file is the program's own scratch file: the stream-file pump
// writes each frame into it as a bitmap and reads it back. A file already at that
// place that is not such a bitmap belongs to the user, so it is never written or
// deleted.

inline constexpr const char* kDefaultBufferFileName = "cap$$$.tmp";

// True when path is a plain file (not a link) holding an uncompressed 24-bit
// bitmap whose header agrees with the file's size: what the pump writes.
bool isBufferBitmap(const QString& path);

struct BufferFileChoice {
    QString path;     // the file the pump may write; empty when there is none
    QString warning;  // why the setting's file was passed over, with its path, for the log
    QString notice;   // the few words the window shows when it falls back to the default
};

// The setting's file when nothing is there or it is a buffer bitmap; else the
// default buffer file in the program folder by the same rule; else none. An empty
// setting means the default.
BufferFileChoice chooseBufferFile(const QString& setting, const QString& appPath);

// The buffer files of one run: which one the pump uses for the current setting,
// and which ones this run wrote, so the shutdown deletes those and nothing else.
class StreamBufferFiles {
public:
    // The choice for the setting. The disk is looked at only when the setting
    // differs from the last one; isNew tells the caller to report its warning once.
    const BufferFileChoice& choose(const QString& setting, const QString& appPath, bool& isNew);
    void markWritten(const QString& path);
    // Deletes the files this run wrote that still hold a buffer bitmap.
    void removeWritten();
    const QStringList& written() const { return written_; }

private:
    bool chosen_ = false;
    QString setting_;
    QString appPath_;
    BufferFileChoice choice_;
    QStringList written_;
};
