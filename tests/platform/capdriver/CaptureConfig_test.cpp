#include "CaptureTestSupport.h"

#include "platform/capdriver/CaptureConfig.h"

using namespace captest;

namespace {

struct SceneCase {
    const char* text;
    bool valid;
    SyntheticScene::Kind kind;
    std::optional<QRgb> colour;
    qint64 atMs;
    qint64 forMs;
};

}  // namespace

TEST(CaptureConfigTest, ReadsEveryFormOfSceneAndRefusesTheRest)
{
    using K = SyntheticScene::Kind;
    const SceneCase cases[] = {
        {"bars", true, K::Bars, std::nullopt, 10000, 5000},
        {"still", true, K::Still, std::nullopt, 10000, 5000},
        {"still:FF8000", true, K::Still, qRgb(0xFF, 0x80, 0x00), 10000, 5000},
        {"still:00ff7f", true, K::Still, qRgb(0x00, 0xFF, 0x7F), 10000, 5000},
        {"event:at=5,for=2", true, K::Event, std::nullopt, 5000, 2000},
        {"event:for=0.5,at=1.25", true, K::Event, std::nullopt, 1250, 500},
        {"", false, K::Bars, std::nullopt, 0, 0},
        {"Bars!", false, K::Bars, std::nullopt, 0, 0},
        {"still:FF80", false, K::Bars, std::nullopt, 0, 0},
        {"still:GG8000", false, K::Bars, std::nullopt, 0, 0},
        {"event:at=5", false, K::Bars, std::nullopt, 0, 0},
        {"event:at=5,for=-1", false, K::Bars, std::nullopt, 0, 0},
        {"event:at=x,for=2", false, K::Bars, std::nullopt, 0, 0},
        {"event:at=5,for=2,by=3", false, K::Bars, std::nullopt, 0, 0},
    };
    for (const SceneCase& c : cases) {
        SCOPED_TRACE(c.text);
        const auto scene = parseScene(c.text);
        ASSERT_EQ(scene.has_value(), c.valid);
        if (!c.valid)
            continue;
        EXPECT_EQ(scene->kind, c.kind);
        EXPECT_EQ(scene->stillColour, c.colour);
        EXPECT_EQ(scene->eventAtMs, c.atMs);
        EXPECT_EQ(scene->eventForMs, c.forMs);
    }
}

TEST(CaptureConfigTest, ReadsSizeListsAndRefusesBrokenOnes)
{
    EXPECT_EQ(parseSizes("640x480,1280x720"), (QList<QSize>{{640, 480}, {1280, 720}}));
    EXPECT_EQ(parseSizes(" 320X240 , 320x240 "), (QList<QSize>{{320, 240}}));
    for (const char* broken : {"", ",", "640x", "640x480,abc", "0x480", "-640x480", "99999x1"})
        EXPECT_FALSE(parseSizes(broken).has_value()) << broken;
}

TEST(CaptureConfigTest, DefaultsWhenNothingIsSet)
{
    ScopedEnv env;
    const CaptureConfig c = CaptureConfig::fromEnvironment();
    EXPECT_EQ(c.drivers, CaptureConfig::Drivers::All);
    EXPECT_EQ(c.syntheticDevices, 1);
    EXPECT_EQ(c.scene, SyntheticScene{});
    EXPECT_EQ(c.syntheticSizes, (QList<QSize>{{160, 120}, {176, 144}, {320, 240}, {352, 288}, {640, 480},
                                              {1280, 720}, {1920, 1080}}));
    EXPECT_EQ(c.syntheticFormat, QSize(640, 480));
    EXPECT_EQ(c.connectFailures, 0);
    EXPECT_FALSE(c.failAllConnects);
    EXPECT_TRUE(c.tracePath.isEmpty());
}

TEST(CaptureConfigTest, ReadsEveryVariable)
{
    ScopedEnv env;
    env.set("TOLVEX_CAPTURE_DRIVERS", "synthetic");
    env.set("TOLVEX_SYNTH_DEVICES", "3");
    env.set("TOLVEX_SYNTH_SCENE", "still:102030");
    env.set("TOLVEX_SYNTH_SIZES", "320x240,1280x720");
    env.set("TOLVEX_SYNTH_FORMAT", "1280x720");
    env.set("TOLVEX_SYNTH_CONNECT_FAIL", "2");
    env.set("TOLVEX_CAPTURE_TRACE", "/tmp/trace.log");
    const CaptureConfig c = CaptureConfig::fromEnvironment();
    EXPECT_EQ(c.drivers, CaptureConfig::Drivers::Synthetic);
    EXPECT_EQ(c.syntheticDevices, 3);
    EXPECT_EQ(c.scene.stillColour, qRgb(0x10, 0x20, 0x30));
    EXPECT_EQ(c.syntheticSizes, (QList<QSize>{{320, 240}, {1280, 720}}));
    EXPECT_EQ(c.syntheticFormat, QSize(1280, 720));
    EXPECT_EQ(c.connectFailures, 2);
    EXPECT_EQ(c.tracePath, "/tmp/trace.log");
}

TEST(CaptureConfigTest, UnreadableValuesKeepTheirDefaults)
{
    ScopedEnv env;
    env.set("TOLVEX_CAPTURE_DRIVERS", "dshow");
    env.set("TOLVEX_SYNTH_DEVICES", "many");
    env.set("TOLVEX_SYNTH_SCENE", "snow");
    env.set("TOLVEX_SYNTH_SIZES", "big");
    env.set("TOLVEX_SYNTH_CONNECT_FAIL", "-3");
    const CaptureConfig c = CaptureConfig::fromEnvironment();
    EXPECT_EQ(c.drivers, CaptureConfig::Drivers::All);
    EXPECT_EQ(c.syntheticDevices, 1);
    EXPECT_EQ(c.scene, SyntheticScene{});
    EXPECT_EQ(c.syntheticSizes, CaptureConfig::defaultSyntheticSizes());
    EXPECT_EQ(c.connectFailures, 0);
}

TEST(CaptureConfigTest, FirstFormatTheDeviceWouldNotAcceptFallsBackToOneItDoes)
{
    ScopedEnv env;
    env.set("TOLVEX_SYNTH_SIZES", "320x240,1280x720");
    EXPECT_EQ(CaptureConfig::fromEnvironment().syntheticFormat, QSize(320, 240));
    env.set("TOLVEX_SYNTH_FORMAT", "800x600");
    EXPECT_EQ(CaptureConfig::fromEnvironment().syntheticFormat, QSize(320, 240));
}

TEST(CaptureConfigTest, ConnectFailAllAndDeviceCountCap)
{
    ScopedEnv env;
    env.set("TOLVEX_SYNTH_CONNECT_FAIL", "all");
    env.set("TOLVEX_SYNTH_DEVICES", "25");
    const CaptureConfig c = CaptureConfig::fromEnvironment();
    EXPECT_TRUE(c.failAllConnects);
    EXPECT_EQ(c.syntheticDevices, 10);
}

// Each value that cannot be used is named once, with the value used instead, so a
// typing error in a test set-up does not pass unnoticed.
TEST(CaptureConfigTest, EveryFallbackIsNamedOnStandardError)
{
    struct Case {
        const char* name;
        const char* value;
        const char* note;
    };
    const Case cases[] = {
        {"TOLVEX_SYNTH_FORMAT", "0x0", "TOLVEX_SYNTH_FORMAT=\"0x0\" cannot be used; using 640x480"},
        {"TOLVEX_SYNTH_SCENE", "snow", "TOLVEX_SYNTH_SCENE=\"snow\" cannot be used; using bars"},
        {"TOLVEX_CAPTURE_DRIVERS", "dshow", "TOLVEX_CAPTURE_DRIVERS=\"dshow\" cannot be used; using all"},
        {"TOLVEX_SYNTH_SIZES", "0x0",
         "TOLVEX_SYNTH_SIZES=\"0x0\" cannot be used; using "
         "160x120,176x144,320x240,352x288,640x480,1280x720,1920x1080"},
        {"TOLVEX_SYNTH_DEVICES", "many", "TOLVEX_SYNTH_DEVICES=\"many\" cannot be used; using 1"},
        {"TOLVEX_SYNTH_DEVICES", "25", "TOLVEX_SYNTH_DEVICES=25 is above 10; using 10"},
        {"TOLVEX_SYNTH_CONNECT_FAIL", "-3", "TOLVEX_SYNTH_CONNECT_FAIL=\"-3\" cannot be used; using 0"},
        {"TOLVEX_AUDIO", "pulse", "TOLVEX_AUDIO=\"pulse\" cannot be used; using alsa"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ScopedEnv env;
        env.set(c.name, c.value);
        QStringList notes;
        CaptureConfig::fromEnvironment(notes);
        EXPECT_EQ(notes, QStringList{c.note});

        testing::internal::CaptureStderr();
        CaptureConfig::fromEnvironment();
        EXPECT_EQ(testing::internal::GetCapturedStderr(), std::string(c.note) + "\n");
    }

    ScopedEnv env;
    env.set("TOLVEX_SYNTH_SIZES", "320x240,1280x720");
    env.set("TOLVEX_SYNTH_FORMAT", "800x600");
    QStringList notes;
    CaptureConfig::fromEnvironment(notes);
    EXPECT_EQ(notes, QStringList{"TOLVEX_SYNTH_FORMAT=800x600 is not one of the sizes 320x240,1280x720; "
                                 "using 320x240"});
    env.set("TOLVEX_SYNTH_FORMAT", "1280x720");
    notes.clear();
    CaptureConfig::fromEnvironment(notes);
    EXPECT_TRUE(notes.isEmpty());
}
