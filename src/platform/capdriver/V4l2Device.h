#pragma once

#include "platform/capdriver/CaptureDevice.h"
#include "platform/capdriver/FrameSlot.h"
#include "platform/capdriver/V4l2Enumerator.h"
#include "platform/capdriver/V4l2Format.h"
#include "platform/capdriver/V4l2Handles.h"
#include "platform/capdriver/V4l2Stream.h"

#include <memory>

namespace platform::capdriver {

// A camera or other V4L2 capture node, streaming while it is open.
class V4l2Device final : public CaptureDevice {
public:
    V4l2Device(std::shared_ptr<V4l2Io> io, V4l2NodeInfo node);
    ~V4l2Device() override { close(); }

    QString id() const override { return node_.id(); }
    QString name() const override { return node_.card; }
    QString version() const override { return node_.versionText(); }

    bool open(const std::optional<BitmapFormat>& wanted) override;
    void close() override;
    bool isOpen() const override { return fd_.valid(); }

    BitmapFormat format() const override;
    bool setFormat(const BitmapFormat& format) override;
    QList<QSize> sizes() override;
    QImage frame(std::chrono::milliseconds wait) override;
    bool failed() const override { return isOpen() && slot_.failed(); }

    QList<SourceControl> controls() override;
    bool setControl(quint32 id, qint32 value) override;

private:
    QSize currentSize();
    // Sets RGB24 of about this size, or the camera's Motion JPEG of exactly this
    // size where that is the only format having it; the answer may be another size.
    std::optional<v4l2_pix_format> applySize(QSize size);
    QList<NativeFormat> nativeFormats();
    enum class Trial { Exact, Refused, Unsupported };
    Trial trial(QSize size);
    QSize appliedSize() const { return QSize(int(pix_.width), int(pix_.height)); }
    // Restarts the stream in `size`; the old size comes back when it is refused.
    bool switchStream(QSize size);
    void applyPendingSize();
    QList<QSize> enumeratedSizes();

    std::shared_ptr<V4l2Io> io_;
    V4l2NodeInfo node_;
    V4l2Fd fd_;
    FrameSlot slot_;
    std::unique_ptr<V4l2Stream> stream_;
    v4l2_pix_format pix_{};
    // A size accepted on trial, applied at the next frame.
    std::optional<QSize> pendingSize_;
    quint16 bitCount_ = 24;
};

}  // namespace platform::capdriver
