#include "viewer/ViewerEffects.h"
#include "core/MouseButtonCodes.h"

#include "EffectsViewFake.h"
#include "PictureFixtures.h"
#include "Sandbox.h"
#include "viewer/PictureEffects.h"

#include <gtest/gtest.h>

#include <QFile>

namespace {

// A clock that moves on by a fixed step each time it is read.
struct SteppingClock {
    int64_t now = 1000;
    int64_t step = 30;
    ViewerEffects::Clock clock()
    {
        return [this] {
            const int64_t t = now;
            now += step;
            return t;
        };
    }
};

struct EffectsRig {
    EffectsViewFake view;
    SteppingClock ticks;
    ViewerEffects effects{view, ticks.clock()};

    explicit EffectsRig(const QImage& picture = patternPicture(6, 4))
    {
        view.Image1 = picture;
        view.picResult = picture;
    }
};

TEST(ViewerEffects, GuardedEffectStepsInOrder)
{
    struct Case {
        const char* name;
        std::function<bool(ViewerEffects&)> run;
        QStringList log;
    };
    const QStringList cursorFirst = {"cursor 11", "read", "show", "yield", "cursor 0"};
    const Case cases[] = {
        {"brighten", [](ViewerEffects& e) { return e.brighten(); }, cursorFirst},
        {"darken", [](ViewerEffects& e) { return e.darken(); }, cursorFirst},
        {"grey", [](ViewerEffects& e) { return e.grey(); }, cursorFirst},
        {"smooth", [](ViewerEffects& e) { return e.smooth(); }, cursorFirst},
        {"sharpen", [](ViewerEffects& e) { return e.sharpen(); }, cursorFirst},
        // Colour rotation copies the picture before the hourglass.
        {"rotation", [](ViewerEffects& e) { return e.rotateColours(); },
         {"read", "cursor 11", "show", "yield", "cursor 0"}},
        // Contrast yields before the effect and then lets 0.1 s pass, yielding on
        // every check (the clock moves 30 ms a read: four checks).
        {"contrast", [](ViewerEffects& e) { return e.contrast(kContrastStep); },
         {"cursor 11", "read", "yield", "yield", "yield", "yield", "yield", "show", "yield", "cursor 0"}},
    };
    for (const Case& c : cases) {
        EffectsRig rig;
        bool busyInside = false;
        rig.view.onYield = [&] { busyInside = rig.effects.ViewerBusy(); };
        EXPECT_TRUE(c.run(rig.effects)) << c.name;
        EXPECT_EQ(rig.view.log, c.log) << c.name;
        EXPECT_TRUE(busyInside) << c.name;
        EXPECT_FALSE(rig.effects.ViewerBusy()) << c.name;
        EXPECT_FALSE(rig.view.waitCursor) << c.name;
        EXPECT_EQ(rig.view.picResult, rig.view.Image1) << c.name;
    }
}

TEST(ViewerEffects, EffectActsOnTheShownPicture)
{
    EffectsRig rig(pictureOf({{qRgb(255, 0, 0), qRgb(0, 0, 255)}}));
    ASSERT_TRUE(rig.effects.grey());
    EXPECT_EQ(pixelsOf(rig.view.Image1), pixelsOf(pictureOf({{qRgb(85, 85, 85), qRgb(85, 85, 85)}})));
    EXPECT_EQ(rig.view.progress, 6);  // 3 x W of 3 x W
    EXPECT_EQ(rig.view.scale, 6);
}

TEST(ViewerEffects, SecondGuardedEffectWhileOneRunsIsIgnored)
{
    EffectsRig rig;
    const QImage before = rig.view.Image1;
    bool secondRan = true;
    rig.view.onYield = [&] {
        rig.view.onYield = nullptr;
        secondRan = rig.effects.onClick("cmdGray");
    };
    ASSERT_TRUE(rig.effects.contrast(kContrastStep));
    EXPECT_FALSE(secondRan);
    EXPECT_EQ(pixelsOf(rig.view.Image1), pixelsOf(adjustContrast(before, kContrastStep)));
    EXPECT_FALSE(rig.effects.ViewerBusy());
}

TEST(ViewerEffects, UnguardedEffectsRunBesideAGuardedOne)
{
    EffectsRig rig;
    int inverted = 0;
    rig.view.onYield = [&] {
        rig.view.onYield = nullptr;
        rig.effects.invert();
        ++inverted;
    };
    ASSERT_TRUE(rig.effects.contrast(kContrastStep));
    EXPECT_EQ(inverted, 1);
}

// A failure in the middle of an effect (here the picture cannot be read) still
// puts the arrow back and frees the guard, so the next effect runs.
TEST(ViewerEffects, GuardAndCursorAreResetWhenAnEffectFails)
{
    EffectsRig rig;
    rig.view.throwOnRead = true;
    EXPECT_THROW(rig.effects.sharpen(), std::runtime_error);
    EXPECT_FALSE(rig.effects.ViewerBusy());
    EXPECT_FALSE(rig.view.waitCursor);
    rig.view.throwOnRead = false;
    EXPECT_TRUE(rig.effects.sharpen());
}

// Selecting another file while contrast waits: the result of the old picture must
// not land over the new one.
TEST(ViewerEffects, FileSelectedDuringAnEffectKeepsTheNewPicture)
{
    EffectsRig rig;
    const QImage newFile = uniformPicture(3, 3, qRgb(1, 2, 3));
    rig.view.onYield = [&] {
        rig.view.onYield = nullptr;
        rig.effects.clearBusy();  // what File1_Click does first
        rig.view.showPicture(newFile);
    };
    EXPECT_FALSE(rig.effects.contrast(kContrastStep));
    EXPECT_EQ(pixelsOf(rig.view.Image1), pixelsOf(newFile));
    EXPECT_FALSE(rig.effects.ViewerBusy());
    EXPECT_FALSE(rig.view.waitCursor);
}

TEST(ViewerEffects, ContrastWaitEndsWhenTheClockGoesBack)
{
    EffectsRig rig;
    rig.ticks.step = -5000;  // a clock that restarts, as at midnight
    EXPECT_TRUE(rig.effects.contrast(kContrastStep));
    EXPECT_LE(rig.view.yields, 3);
}

TEST(ViewerEffects, RightButtonOnContrastLowersIt)
{
    EffectsRig rig(pictureOf({{qRgb(0, 255, 127)}}));
    ASSERT_TRUE(rig.effects.onMouseDown("cmdContrast", buttons::kMouseRight));
    EXPECT_EQ(pixelsOf(rig.view.Image1), pixelsOf(pictureOf({{qRgb(12, 243, 127)}})));
    ASSERT_TRUE(rig.effects.onMouseDown("cmdContrast", buttons::kMouseLeft));
    EXPECT_EQ(pixelsOf(rig.view.Image1), pixelsOf(pictureOf({{qRgb(1, 254, 127)}})));  // 12 -> 1, 243 -> 254
}

TEST(ViewerEffects, InvertAndMirrorsDriveTheBarWithoutGuardOrHourglass)
{
    for (const char* button : {"cmdInvert", "cmdFlipV"}) {
        EffectsRig rig;
        rig.view.onYield = [&] { EXPECT_EQ(rig.view.progress, 0); };
        ASSERT_TRUE(rig.effects.onClick(button));
        EXPECT_EQ(rig.view.log, (QStringList{"read", "show", "yield"})) << button;
        EXPECT_EQ(rig.view.scale, 100);
        EXPECT_EQ(rig.view.progress, 100);
    }
    EffectsRig rig;
    const QImage before = rig.view.Image1;
    ASSERT_TRUE(rig.effects.onMouseDown("cmdFlipH", buttons::kMouseRight));
    EXPECT_EQ(pixelsOf(rig.view.Image1), pixelsOf(mirrorLeftRight(before)));
}

TEST(ViewerEffects, BlendStepsAndResult)
{
    EffectsRig rig(pictureOf({{qRgb(10, 20, 30), qRgb(1, 2, 3)}, {qRgb(4, 5, 6), qRgb(7, 8, 9)}}));
    rig.view.PicBlender = pictureOf({{qRgb(11, 21, 255)}});
    ASSERT_TRUE(rig.effects.onMouseDown("cmdDoTheBlend", buttons::kMouseRight));
    EXPECT_EQ(rig.view.log, (QStringList{"read", "yield", "cursor 11", "show", "yield", "cursor 0"}));
    EXPECT_EQ(rgbOnly(rig.view.Image1.pixel(0, 0)), rgbOnly(qRgb(10, 20, 142)));
    EXPECT_EQ(rgbOnly(rig.view.Image1.pixel(1, 1)), rgbOnly(qRgb(7, 8, 9)));
}

TEST(ViewerEffects, ReloadShowsTheFileAndTheNextEffectStartsFromIt)
{
    Sandbox sandbox;
    const QString path = sandbox.root() + "/shown.bmp";
    const QImage onDisk = pictureOf({{qRgb(10, 20, 30), qRgb(40, 50, 60)}});
    ASSERT_TRUE(onDisk.save(path, "BMP"));
    EffectsRig rig(onDisk);
    rig.view.Frame2 = path;
    rig.effects.invert();
    ASSERT_TRUE(rig.effects.onClick("cmdUndo"));
    EXPECT_EQ(pixelsOf(rig.view.Image1), pixelsOf(onDisk));
    EXPECT_EQ(pixelsOf(rig.view.picResult), pixelsOf(onDisk));
    rig.effects.invert();
    EXPECT_EQ(pixelsOf(rig.view.Image1), pixelsOf(invertPicture(onDisk)));
}

TEST(ViewerEffects, ReloadOfAnUnreadableFileKeepsThePicture)
{
    Sandbox sandbox;
    const QString broken = sandbox.root() + "/broken.jpg";
    QFile file(broken);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("not a picture");
    file.close();
    for (const QString& path : {broken, sandbox.root() + "/missing.bmp"}) {
        EffectsRig rig;
        const QImage edited = invertPicture(rig.view.Image1);
        rig.view.showPicture(edited);
        rig.view.Frame2 = path;
        const platform::Result r = rig.effects.reload();
        EXPECT_FALSE(r.ok) << path.toStdString();
        EXPECT_FALSE(r.reason.isEmpty());
        EXPECT_EQ(pixelsOf(rig.view.Image1), pixelsOf(edited));
    }
}

TEST(ViewerEffects, OpenBlendPanelGoesToTheView)
{
    EffectsRig rig;
    ASSERT_TRUE(rig.effects.onMouseDown("cmdAlphaBlend", buttons::kMouseLeft));
    EXPECT_EQ(rig.view.log, QStringList{"open blend"});
}

}  // namespace
