#pragma once

#include "platform/capdriver/CaptureSystem.h"
#include "FakeV4l2Io.h"
#include "platform/capdriver/TimeSource.h"

#include <gtest/gtest.h>

#include <QByteArray>
#include <QList>
#include <QWidget>

#include <memory>
#include <ostream>
#include <utility>

inline void PrintTo(const QSize& s, std::ostream* os)
{
    *os << s.width() << "x" << s.height();
}

namespace platform::capdriver {

inline void PrintTo(const BitmapFormat& f, std::ostream* os)
{
    *os << f.width << "x" << f.height << "@" << f.bitCount << "/" << f.compression;
}

}  // namespace platform::capdriver

namespace captest {

using namespace platform::capdriver;

// Sets environment variables for one test and puts the old values back after it.
// Every variable the capture layer reads starts out unset.
class ScopedEnv {
public:
    ScopedEnv()
    {
        for (const char* name : {"TOLVEX_CAPTURE_DRIVERS", "TOLVEX_SYNTH_DEVICES", "TOLVEX_SYNTH_SCENE",
                                 "TOLVEX_SYNTH_SIZES", "TOLVEX_SYNTH_FORMAT", "TOLVEX_SYNTH_CONNECT_FAIL",
                                 "TOLVEX_CAPTURE_TRACE"})
            set(name, QByteArray());
    }
    ~ScopedEnv()
    {
        for (auto it = saved_.crbegin(); it != saved_.crend(); ++it) {
            if (it->second.isNull())
                qunsetenv(it->first.constData());
            else
                qputenv(it->first.constData(), it->second);
        }
    }
    void set(const char* name, const QByteArray& value)
    {
        saved_.append({name, qEnvironmentVariableIsSet(name) ? qgetenv(name) : QByteArray()});
        if (value.isNull())
            qunsetenv(name);
        else
            qputenv(name, value);
    }

private:
    QList<std::pair<QByteArray, QByteArray>> saved_;
};

// A capture layer on a hand-moved clock and scripted V4L2 nodes (none unless a
// test adds some), so no test touches a real camera.
class CaptureTest : public ::testing::Test {
protected:
    CaptureSystem& cap()
    {
        if (!system_)
            system_ = std::make_unique<CaptureSystem>(clock, v4l2);
        return *system_;
    }
    // A new layer, as at the next start of the program.
    void restart() { system_.reset(); }
    CaptureHandle makeWindow(int width = 352, int height = 288)
    {
        return cap().capCreateCaptureWindowA("VykTolvex", kWsChild | kWsVisible, 0, 0, width, height, &parent, 0);
    }
    CaptureHandle connectedWindow(int index = 0)
    {
        const CaptureHandle h = makeWindow();
        EXPECT_TRUE(cap().capDriverConnect(h, index));
        return h;
    }
    QImage grabbed(CaptureHandle h)
    {
        EXPECT_TRUE(cap().capGrabFrameNoStop(h));
        return cap().lastFrame(h);
    }
    QStringList driverNames()
    {
        QStringList names;
        QString name, version;
        for (int i = 0; cap().capGetDriverDescriptionA(i, name, version); ++i)
            names << name;
        return names;
    }
    static FakeV4l2Io::Node camera(const QString& path, const char* card = "Fake Camera")
    {
        FakeV4l2Io::Node node;
        node.path = path;
        node.card = card;
        return node;
    }

    ScopedEnv env;
    std::shared_ptr<ManualTimeSource> clock = std::make_shared<ManualTimeSource>(1000);
    std::shared_ptr<FakeV4l2Io> v4l2 = std::make_shared<FakeV4l2Io>();
    QWidget parent;

private:
    std::unique_ptr<CaptureSystem> system_;
};

}  // namespace captest
