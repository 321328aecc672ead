#include "capture/CaptureDevices.h"
#include "platform/capdriver/CaptureSystem.h"
#include "platform/capdriver/CaptureTypes.h"

#include <QWidget>

#include <gtest/gtest.h>

namespace {

struct CaptureDevicesTest : ::testing::Test {
    std::unique_ptr<platform::capdriver::CaptureSystem> capture;
    SettingsModel s;
    QStringList listed;
    int yields = 0;

    void devices(const QByteArray& count)
    {
        qputenv("TOLVEX_CAPTURE_DRIVERS", "synthetic");
        qputenv("TOLVEX_SYNTH_DEVICES", count);
        qputenv("TOLVEX_SYNTH_CONNECT_FAIL", "0");
        capture = std::make_unique<platform::capdriver::CaptureSystem>();
        s.DeviceNames.fill("stale");
    }

    void load(DeviceListTarget target)
    {
        LoadDeviceList(target, s, *capture, [this](const QString& name) { listed << name; }, [this] { ++yields; });
    }
};

}  // namespace

TEST_F(CaptureDevicesTest, ListBoxModeFillsTheListAndEmptiesDeviceNames)
{
    const struct {
        const char* count;
        QStringList names;
    } cases[] = {
        {"0", {}},
        {"1", {"Tolvex Test Pattern"}},
        {"2", {"Tolvex Test Pattern", "Tolvex Test Pattern 2"}},
    };
    for (const auto& c : cases) {
        devices(c.count);
        listed.clear();
        yields = 0;
        load(DeviceListTarget::ListBox);
        EXPECT_EQ(listed, c.names) << c.count;
        EXPECT_EQ(yields, c.names.size()) << c.count;
        for (const QString& name : s.DeviceNames)
            EXPECT_TRUE(name.isEmpty()) << c.count;
    }
}

TEST_F(CaptureDevicesTest, DeviceNamesModeStoresTheNamesByDriverIndex)
{
    devices("2");
    load(DeviceListTarget::DeviceNames);
    EXPECT_TRUE(listed.isEmpty());
    EXPECT_EQ(s.DeviceNames[0], "Tolvex Test Pattern");
    EXPECT_EQ(s.DeviceNames[1], "Tolvex Test Pattern 2");
    for (int i = 2; i < int(s.DeviceNames.size()); ++i)
        EXPECT_TRUE(s.DeviceNames[i].isEmpty()) << i;
    EXPECT_EQ(yields, 2);
}

TEST_F(CaptureDevicesTest, DriverNameOfAConnectedWindowOnly)
{
    devices("2");
    QWidget parent;
    const auto handle = capture->capCreateCaptureWindowA("VykTolvex", 0, 0, 0, 352, 288, &parent, 0);
    ASSERT_NE(handle, 0);
    EXPECT_EQ(GetCapDriverName(*capture, handle), "");
    ASSERT_TRUE(capture->capDriverConnect(handle, 1));
    EXPECT_EQ(GetCapDriverName(*capture, handle), "Tolvex Test Pattern 2");
    EXPECT_EQ(GetCapDriverName(*capture, 0), "");
    capture->capDriverDisconnect(handle);
    EXPECT_EQ(GetCapDriverName(*capture, handle), "");
}
