#pragma once

#include "platform/capdriver/CaptureTypes.h"
#include "core/SettingsModel.h"

#include <QString>

#include <functional>

namespace platform::capdriver {
class CaptureSystem;
}

// Where LoadDeviceList puts the drivers' names.
enum class DeviceListTarget {
    ListBox,      // the setup dialog's device list (argument False)
    DeviceNames,  // the settings model's DeviceNames (argument True)
};

// Lists the installed capture drivers by driver index, from 0 up to the first index
// without a driver, at most ten. DeviceNames is emptied first in both modes; each
// name, without surrounding blanks, is then stored in DeviceNames or given to
// addToList in driver order. yield runs once after each driver.
void LoadDeviceList(DeviceListTarget target, SettingsModel& s, platform::capdriver::CaptureSystem& capture,
                    const std::function<void(const QString& name)>& addToList,
                    const std::function<void()>& yield);

// The name of the driver connected to a capture window: a 128-character buffer
// filled by the driver, up to its first NUL; empty when no driver is connected.
QString GetCapDriverName(platform::capdriver::CaptureSystem& capture, platform::capdriver::CaptureHandle handle);
