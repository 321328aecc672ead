#include "platform/video/AviRepair.h"

#include "platform/video/VideoLog.h"

#include <QFile>
#include <QtEndian>

#include <cerrno>
#include <cctype>
#include <map>
#include <vector>

namespace platform::video {

namespace {

constexpr quint32 kOpenSize = 0xFFFFFFFFu;   // a list size the writer has not filled in yet
constexpr quint32 kIndexKeyFrame = 0x10;     // AVIIF_KEYFRAME
constexpr qint64 kHeaderLimit = 1 << 20;     // the header lists lie well within this

quint32 u32(const QByteArray& bytes, qint64 at)
{
    return qFromLittleEndian<quint32>(bytes.constData() + at);
}

quint16 u16(const QByteArray& bytes, qint64 at)
{
    return qFromLittleEndian<quint16>(bytes.constData() + at);
}

QByteArray le32(quint32 value)
{
    QByteArray bytes(4, '\0');
    qToLittleEndian(value, bytes.data());
    return bytes;
}

struct StreamHeader {
    qint64 strhData = -1;  // file offset of the strh data
    bool video = false;
    bool audio = false;
    quint32 sampleSize = 0;
    quint16 blockAlign = 0;
};

struct Layout {
    qint64 avihData = -1;
    qint64 dmlhData = -1;
    qint64 moviType = -1;  // the offset of "movi"; index offsets count from here
    std::vector<StreamHeader> streams;
};

// Walks the chunks of [from, to) of the header, noting the places it rewrites.
void walkHeader(const QByteArray& h, qint64 from, qint64 to, Layout& layout, StreamHeader* stream)
{
    qint64 pos = from;
    while (pos + 8 <= to) {
        const QByteArray id = h.mid(pos, 4);
        const quint32 size = u32(h, pos + 4);
        const qint64 data = pos + 8;
        if (id == "LIST" && data + 4 <= h.size()) {
            const QByteArray type = h.mid(data, 4);
            if (type == "movi") {
                layout.moviType = data;
                return;
            }
            const qint64 end = std::min<qint64>(data + qint64(size), h.size());
            if (type == "strl") {
                layout.streams.push_back({});
                walkHeader(h, data + 4, end, layout, &layout.streams.back());
            } else {
                walkHeader(h, data + 4, end, layout, stream);
            }
        } else if (id == "avih" && data + 20 <= h.size()) {
            layout.avihData = data;
        } else if (id == "dmlh" && data + 4 <= h.size()) {
            layout.dmlhData = data;
        } else if (id == "strh" && stream && data + 48 <= h.size()) {
            stream->strhData = data;
            stream->video = h.mid(data, 4) == "vids";
            stream->audio = h.mid(data, 4) == "auds";
            stream->sampleSize = u32(h, data + 44);
        } else if (id == "strf" && stream && stream->audio && data + 14 <= h.size()) {
            stream->blockAlign = u16(h, data + 12);
        }
        if (size == kOpenSize)
            return;
        pos = data + qint64(size) + (size & 1);
    }
}

struct Chunk {
    QByteArray id;
    qint64 offset = 0;  // of its id, from the file's start
    quint32 size = 0;
    int stream = -1;
};

bool isStreamChunkId(const QByteArray& id)
{
    return id.size() == 4 && std::isdigit(uchar(id[0])) && std::isdigit(uchar(id[1])) && std::isalnum(uchar(id[2]))
           && std::isalnum(uchar(id[3]));
}

// The whole chunks of the movi list, in the order they were written.
std::vector<Chunk> wholeChunks(QFile& file, qint64 firstChunk)
{
    std::vector<Chunk> chunks;
    const qint64 size = file.size();
    qint64 pos = firstChunk;
    while (pos + 8 <= size) {
        file.seek(pos);
        const QByteArray head = file.read(8);
        if (head.size() < 8 || !isStreamChunkId(head.left(4)))
            break;
        const quint32 length = u32(head, 4);
        const qint64 end = pos + 8 + qint64(length) + (length & 1);
        if (end > size)
            break;
        chunks.push_back({head.left(4), pos, length, (head[0] - '0') * 10 + (head[1] - '0')});
        pos = end;
    }
    return chunks;
}

qint64 chunkEnd(const Chunk& c)
{
    return c.offset + 8 + qint64(c.size) + (c.size & 1);
}

bool writeAt(QFile& file, qint64 at, const QByteArray& bytes)
{
    return file.seek(at) && file.write(bytes) == bytes.size();
}

Result failed(const QString& path, const QString& why)
{
    const QString reason = QStringLiteral("cannot close %1: %2").arg(path, why);
    qCWarning(lcVideo).noquote() << reason;
    return Result::failure(reason);
}

}  // namespace

AviCloseResult closeBrokenAvi(const QString& path)
{
    AviCloseResult out;
    QFile file(path);
    if (!file.open(QIODevice::ReadWrite | QIODevice::Unbuffered))
        return {failed(path, file.errorString()), 0, false};
    const QByteArray header = file.read(kHeaderLimit);
    Layout layout;
    const bool riff = header.size() >= 12 && header.startsWith("RIFF") && header.mid(8, 4) == "AVI ";
    if (riff) {
        if (u32(header, 4) != kOpenSize)
            return {Result::success(), 0, false};  // closed by its writer
        walkHeader(header, 12, header.size(), layout, nullptr);
    }
    std::vector<Chunk> chunks;
    if (riff && layout.moviType > 0)
        chunks = wholeChunks(file, layout.moviType + 4);
    const auto isVideo = [&](const Chunk& c) {
        return c.stream >= 0 && c.stream < int(layout.streams.size()) && layout.streams[size_t(c.stream)].video;
    };
    const auto videoFrames = [&] {
        qint64 frames = 0;
        for (const Chunk& c : chunks)
            frames += isVideo(c) ? 1 : 0;
        return frames;
    };
    if (videoFrames() == 0) {
        file.close();
        QFile::remove(path);
        out.removed = true;
        out.result = Result::failure(QStringLiteral("no frame reached the disk; the empty file was removed"));
        qCWarning(lcVideo).noquote() << "recording" << path << "held no frame and was removed";
        return out;
    }
    // Index entries are 16 bytes; on a full disk chunks come off the end until the
    // index fits where they were. Any other write error leaves the file as it is.
    for (;;) {
        const qint64 frames = videoFrames();
        const qint64 moviEnd = chunkEnd(chunks.back());
        QByteArray index = "idx1" + le32(quint32(chunks.size() * 16));
        std::map<int, qint64> counts;
        std::map<int, qint64> bytes;
        for (const Chunk& c : chunks) {
            index += c.id + le32(kIndexKeyFrame) + le32(quint32(c.offset - layout.moviType)) + le32(c.size);
            ++counts[c.stream];
            bytes[c.stream] += c.size;
        }
        const qint64 total = moviEnd + index.size();
        errno = 0;
        const bool indexWritten = file.resize(moviEnd) && writeAt(file, moviEnd, index) && file.flush();
        const int indexErrno = errno;
        if (!indexWritten) {
            if (indexErrno != ENOSPC && indexErrno != EFBIG && indexErrno != EDQUOT)
                return {failed(path, file.errorString()), frames, false};
            file.unsetError();
            qint64 freed = 0;
            std::vector<Chunk> kept = chunks;
            while (!kept.empty() && freed < index.size() + 8) {
                freed += chunkEnd(kept.back()) - kept.back().offset;
                kept.pop_back();
            }
            chunks.swap(kept);
            if (videoFrames() == 0) {
                chunks.swap(kept);
                file.resize(chunkEnd(chunks.back()));
                return {failed(path, QStringLiteral("no room for the index")), frames, false};
            }
            continue;
        }
        bool ok = writeAt(file, 4, le32(quint32(total - 8)))
                  && writeAt(file, layout.moviType - 4, le32(quint32(moviEnd - layout.moviType)));
        if (ok && layout.avihData > 0)
            ok = writeAt(file, layout.avihData + 16, le32(quint32(frames)));
        if (ok && layout.dmlhData > 0)
            ok = writeAt(file, layout.dmlhData, le32(quint32(frames)));
        for (size_t i = 0; ok && i < layout.streams.size(); ++i) {
            const StreamHeader& st = layout.streams[i];
            if (st.strhData < 0)
                continue;
            qint64 length = counts[int(i)];
            if (st.audio && st.sampleSize > 0)
                length = bytes[int(i)] / std::max<quint16>(1, st.blockAlign);
            ok = writeAt(file, st.strhData + 32, le32(quint32(length)));
        }
        if (!(ok && file.flush()))
            return {failed(path, file.errorString()), frames, false};
        out.result = Result::success();
        out.videoFrames = frames;
        return out;
    }
}

}  // namespace platform::video
