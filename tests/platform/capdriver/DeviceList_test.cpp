#include "CaptureTestSupport.h"

using namespace captest;

namespace {

class CaptureListTest : public CaptureTest {};

}  // namespace

TEST_F(CaptureListTest, TestPatternDevicesFormADenseList)
{
    struct Case {
        const char* count;
        QStringList names;
    };
    const Case cases[] = {
        {"0", {}},
        {"1", {"Tolvex Test Pattern"}},
        {"3", {"Tolvex Test Pattern", "Tolvex Test Pattern 2", "Tolvex Test Pattern 3"}},
    };
    env.set("TOLVEX_CAPTURE_DRIVERS", "synthetic");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.count);
        env.set("TOLVEX_SYNTH_DEVICES", c.count);
        cap().reloadSettings();
        EXPECT_EQ(driverNames(), c.names);
        QString name, version;
        EXPECT_FALSE(cap().capGetDriverDescriptionA(-1, name, version));
        EXPECT_FALSE(cap().capGetDriverDescriptionA(int(c.names.size()), name, version));
        EXPECT_FALSE(cap().capGetDriverDescriptionA(10, name, version));
    }
}

TEST_F(CaptureListTest, DescriptionCarriesAVersion)
{
    QString name, version;
    ASSERT_TRUE(cap().capGetDriverDescriptionA(0, name, version));
    EXPECT_EQ(name, "Tolvex Test Pattern");
    EXPECT_FALSE(version.isEmpty());
}

TEST_F(CaptureListTest, CameraNodesInNodeOrderWithoutGapsThenTestPatterns)
{
    v4l2->addNode(camera("/dev/video10", "Camera Ten"));
    auto metadata = camera("/dev/video1", "Camera Zero");
    metadata.deviceCaps = V4L2_CAP_META_CAPTURE | V4L2_CAP_STREAMING;
    v4l2->addNode(metadata);
    v4l2->addNode(camera("/dev/video0", "Camera Zero"));
    auto output = camera("/dev/video4", "Encoder");
    output.deviceCaps = V4L2_CAP_VIDEO_M2M | V4L2_CAP_STREAMING;
    v4l2->addNode(output);
    v4l2->addNode(camera("/dev/video3", "Camera Three"));
    v4l2->addNode(camera("/dev/v4l-subdev0", "Not a video node"));

    EXPECT_EQ(driverNames(), (QStringList{"Camera Zero", "Camera Three", "Camera Ten", "Tolvex Test Pattern"}));
    EXPECT_EQ(v4l2->openCount(), 0);
}

TEST_F(CaptureListTest, DriverChoiceSelectsTheFamilies)
{
    v4l2->addNode(camera("/dev/video0"));
    env.set("TOLVEX_SYNTH_DEVICES", "2");
    const std::pair<const char*, QStringList> cases[] = {
        {"all", {"Fake Camera", "Tolvex Test Pattern", "Tolvex Test Pattern 2"}},
        {"v4l2", {"Fake Camera"}},
        {"synthetic", {"Tolvex Test Pattern", "Tolvex Test Pattern 2"}},
    };
    for (const auto& [drivers, names] : cases) {
        SCOPED_TRACE(drivers);
        env.set("TOLVEX_CAPTURE_DRIVERS", drivers);
        cap().reloadSettings();
        EXPECT_EQ(driverNames(), names);
    }
}

TEST_F(CaptureListTest, AtMostTenDevices)
{
    for (int i = 0; i < 4; ++i)
        v4l2->addNode(camera(QString("/dev/video%1").arg(i)));
    env.set("TOLVEX_SYNTH_DEVICES", "10");
    const QStringList names = driverNames();
    ASSERT_EQ(names.size(), 10);
    EXPECT_EQ(names[3], "Fake Camera");
    EXPECT_EQ(names[4], "Tolvex Test Pattern");
    EXPECT_EQ(names[9], "Tolvex Test Pattern 6");
}

TEST_F(CaptureListTest, CameraPluggedInAppearsAtTheNextListing)
{
    EXPECT_EQ(driverNames(), QStringList{"Tolvex Test Pattern"});
    v4l2->addNode(camera("/dev/video0"));
    EXPECT_EQ(driverNames(), (QStringList{"Fake Camera", "Tolvex Test Pattern"}));
}
