#include "platform/capdriver/SyntheticDevice.h"

#include <algorithm>

namespace platform::capdriver {

namespace {

const QList<std::pair<qint32, QString>>& sceneChoices()
{
    static const QList<std::pair<qint32, QString>> choices{
        {int(SyntheticScene::Kind::Bars), "Colour bars"},
        {int(SyntheticScene::Kind::Still), "Still picture"},
        {int(SyntheticScene::Kind::Event), "Event"}};
    return choices;
}

}  // namespace

bool ConnectGate::admit()
{
    if (failAll_)
        return false;
    if (remaining_ > 0) {
        --remaining_;
        return false;
    }
    return true;
}

SyntheticDevice::SyntheticDevice(int ordinal, const CaptureConfig& config, std::shared_ptr<ConnectGate> gate,
                                 std::shared_ptr<const TimeSource> clock)
    : sizes_(config.syntheticSizes), firstSize_(config.syntheticFormat), gate_(std::move(gate)),
      clock_(std::move(clock))
{
    picture_.scene = config.scene;
    picture_.ordinal = ordinal;
    picture_.label = nameFor(ordinal);
    picture_.size = firstSize_;
}

QString SyntheticDevice::nameFor(int ordinal)
{
    return ordinal == 0 ? QString("Tolvex Test Pattern") : QString("Tolvex Test Pattern %1").arg(ordinal + 1);
}

QString SyntheticDevice::id() const
{
    return QString("synthetic:%1").arg(picture_.ordinal + 1);
}

QString SyntheticDevice::version() const
{
    return QString("%1.%2.%3").arg(TOLVEX_VERSION_MAJOR).arg(TOLVEX_VERSION_MINOR).arg(TOLVEX_VERSION_REVISION);
}

bool SyntheticDevice::accepts(const BitmapFormat& format) const
{
    return isRequestable(format) && sizes_.contains(format.size());
}

bool SyntheticDevice::open(const std::optional<BitmapFormat>& wanted)
{
    if (open_ || !gate_->admit())
        return false;
    const bool kept = wanted && accepts(*wanted);
    picture_.size = kept ? wanted->size() : firstSize_;
    bitCount_ = kept ? wanted->bitCount : quint16(24);
    open_ = true;
    return true;
}

bool SyntheticDevice::setFormat(const BitmapFormat& format)
{
    if (!open_ || !accepts(format))
        return false;
    picture_.size = format.size();
    bitCount_ = format.bitCount;
    return true;
}

QList<QSize> SyntheticDevice::sizes()
{
    if (!open_)
        return {};
    QList<QSize> sorted = sizes_;
    std::sort(sorted.begin(), sorted.end(), [](QSize a, QSize b) {
        return std::pair(a.width(), a.height()) < std::pair(b.width(), b.height());
    });
    sorted.erase(std::unique(sorted.begin(), sorted.end()), sorted.end());
    return sorted;
}

QImage SyntheticDevice::frame(std::chrono::milliseconds)
{
    if (!open_)
        return {};
    return renderer_.render(picture_, clock_->msecsSinceStart());
}

QList<SourceControl> SyntheticDevice::controls()
{
    SourceControl scene;
    scene.id = kSceneControl;
    scene.name = "Scene";
    scene.kind = SourceControl::Kind::Menu;
    scene.minimum = 0;
    scene.maximum = int(sceneChoices().size()) - 1;
    scene.value = int(picture_.scene.kind);
    scene.choices = sceneChoices();

    SourceControl brightness;
    brightness.id = kBrightnessControl;
    brightness.name = "Brightness";
    brightness.minimum = -100;
    brightness.maximum = 100;
    brightness.value = picture_.brightness;
    return {scene, brightness};
}

bool SyntheticDevice::setControl(quint32 id, qint32 value)
{
    if (id == kSceneControl && value >= 0 && value < int(sceneChoices().size())) {
        picture_.scene.kind = SyntheticScene::Kind(value);
        return true;
    }
    if (id == kBrightnessControl && value >= -100 && value <= 100) {
        picture_.brightness = value;
        return true;
    }
    return false;
}

}  // namespace platform::capdriver
