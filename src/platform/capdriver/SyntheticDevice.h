#pragma once

#include "platform/capdriver/CaptureConfig.h"
#include "platform/capdriver/CaptureDevice.h"
#include "platform/capdriver/SceneRenderer.h"
#include "platform/capdriver/TimeSource.h"

#include <memory>

namespace platform::capdriver {

// Counts the connects that are set to fail; shared by all test-pattern devices.
class ConnectGate {
public:
    ConnectGate(int failures, bool failAll) : remaining_(failures), failAll_(failAll) {}
    bool admit();

private:
    int remaining_;
    bool failAll_;
};

// The built-in test-pattern device: frames are rendered on demand from the scene and
// the time since the process started, so a reconnect shows exactly what a steady
// connection would have shown.
class SyntheticDevice final : public CaptureDevice {
public:
    static constexpr quint32 kSceneControl = 1;
    static constexpr quint32 kBrightnessControl = 2;

    SyntheticDevice(int ordinal, const CaptureConfig& config, std::shared_ptr<ConnectGate> gate,
                    std::shared_ptr<const TimeSource> clock);

    static QString nameFor(int ordinal);

    QString id() const override;
    QString name() const override { return nameFor(picture_.ordinal); }
    QString version() const override;

    bool open(const std::optional<BitmapFormat>& wanted) override;
    void close() override { open_ = false; }
    bool isOpen() const override { return open_; }

    BitmapFormat format() const override { return {picture_.size.width(), picture_.size.height(), bitCount_, 0}; }
    bool setFormat(const BitmapFormat& format) override;
    QList<QSize> sizes() override;
    QImage frame(std::chrono::milliseconds wait) override;

    QList<SourceControl> controls() override;
    bool setControl(quint32 id, qint32 value) override;

private:
    bool accepts(const BitmapFormat& format) const;

    QList<QSize> sizes_;
    QSize firstSize_;
    std::shared_ptr<ConnectGate> gate_;
    std::shared_ptr<const TimeSource> clock_;
    ScenePicture picture_;
    SceneRenderer renderer_;
    quint16 bitCount_ = 24;
    bool open_ = false;
};

}  // namespace platform::capdriver
