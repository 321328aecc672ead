#pragma once

#include "platform/capdriver/CaptureConfig.h"
#include "platform/capdriver/CaptureDevice.h"
#include "platform/capdriver/SyntheticDevice.h"
#include "platform/capdriver/TimeSource.h"
#include "platform/capdriver/V4l2Io.h"

#include <map>
#include <memory>
#include <vector>

namespace platform::capdriver {

// The devices under indexes 0..9, without gaps: the V4L2 nodes that capture video,
// in node order, then the test-pattern devices. A device keeps its object (and so
// its state) across re-scans as long as it is found again.
class DeviceList {
public:
    DeviceList(std::shared_ptr<V4l2Io> io, std::shared_ptr<const TimeSource> clock);

    // Takes new settings: test-pattern devices are made anew, open ones excepted.
    void configure(const CaptureConfig& config);
    void rescan();
    int count() const { return int(devices_.size()); }
    // Null outside 0 .. count() - 1.
    std::shared_ptr<CaptureDevice> at(int index) const;

private:
    std::shared_ptr<CaptureDevice> known(const QString& id) const;
    void appendV4l2(std::vector<std::shared_ptr<CaptureDevice>>& list);
    void appendSynthetic(std::vector<std::shared_ptr<CaptureDevice>>& list);

    std::shared_ptr<V4l2Io> io_;
    std::shared_ptr<const TimeSource> clock_;
    CaptureConfig config_;
    std::shared_ptr<ConnectGate> gate_;
    std::map<QString, std::shared_ptr<CaptureDevice>> known_;
    std::vector<std::shared_ptr<CaptureDevice>> devices_;
};

}  // namespace platform::capdriver
