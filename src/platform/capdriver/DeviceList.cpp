#include "platform/capdriver/DeviceList.h"

#include "platform/capdriver/V4l2Device.h"
#include "platform/capdriver/V4l2Enumerator.h"

namespace platform::capdriver {

DeviceList::DeviceList(std::shared_ptr<V4l2Io> io, std::shared_ptr<const TimeSource> clock)
    : io_(std::move(io)), clock_(std::move(clock)), gate_(std::make_shared<ConnectGate>(0, false))
{
}

void DeviceList::configure(const CaptureConfig& config)
{
    config_ = config;
    gate_ = std::make_shared<ConnectGate>(config.connectFailures, config.failAllConnects);
    for (auto it = known_.begin(); it != known_.end();)
        it = it->first.startsWith("synthetic:") && !it->second->isOpen() ? known_.erase(it) : std::next(it);
    devices_.clear();
}

std::shared_ptr<CaptureDevice> DeviceList::known(const QString& id) const
{
    const auto it = known_.find(id);
    return it == known_.end() ? nullptr : it->second;
}

void DeviceList::appendV4l2(std::vector<std::shared_ptr<CaptureDevice>>& list)
{
    for (const V4l2NodeInfo& node : enumerateV4l2(*io_)) {
        if (int(list.size()) >= kMaxDrivers)
            return;
        auto device = known(node.id());
        if (!device)
            device = std::make_shared<V4l2Device>(io_, node);
        list.push_back(device);
    }
}

void DeviceList::appendSynthetic(std::vector<std::shared_ptr<CaptureDevice>>& list)
{
    for (int ordinal = 0; ordinal < config_.syntheticDevices && int(list.size()) < kMaxDrivers; ++ordinal) {
        auto device = known(QString("synthetic:%1").arg(ordinal + 1));
        if (!device)
            device = std::make_shared<SyntheticDevice>(ordinal, config_, gate_, clock_);
        list.push_back(device);
    }
}

void DeviceList::rescan()
{
    std::vector<std::shared_ptr<CaptureDevice>> list;
    if (config_.useV4l2())
        appendV4l2(list);
    if (config_.useSynthetic())
        appendSynthetic(list);
    // Devices that vanished but are still open stay known until they are let go.
    for (auto it = known_.begin(); it != known_.end();)
        it = it->second->isOpen() ? std::next(it) : known_.erase(it);
    for (const auto& device : list)
        known_[device->id()] = device;
    devices_ = std::move(list);
}

std::shared_ptr<CaptureDevice> DeviceList::at(int index) const
{
    if (index < 0 || index >= count())
        return nullptr;
    return devices_[std::size_t(index)];
}

}  // namespace platform::capdriver
