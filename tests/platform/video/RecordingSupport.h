#pragma once

#include "AviProbe.h"
#include "Sandbox.h"
#include "platform/capdriver/CaptureSystem.h"
#include "platform/video/VideoRecording.h"

#include <QTest>
#include <QWidget>

#include <gtest/gtest.h>

namespace rectest {

using namespace platform::capdriver;

// A capture layer with one test-pattern device of 160 x 120 showing colour bars,
// the AVI recorder, and a private folder for the files.
class RecordingTest : public ::testing::Test {
protected:
    RecordingTest()
    {
        qputenv("TOLVEX_CAPTURE_DRIVERS", "synthetic");
        qputenv("TOLVEX_SYNTH_FORMAT", "160x120");
        qputenv("TOLVEX_SYNTH_SCENE", "bars");
        qunsetenv("TOLVEX_SYNTH_CONNECT_FAIL");
    }
    CaptureSystem& cap()
    {
        if (!system_) {
            system_ = std::make_unique<CaptureSystem>();
            system_->setSequencerFactory(platform::video::makeAviSequencerFactory());
        }
        return *system_;
    }
    CaptureHandle connected()
    {
        const CaptureHandle h = cap().capCreateCaptureWindowA("VykTolvex", kWsChild | kWsVisible, 0, 0, 160, 120,
                                                              &parent, 0);
        EXPECT_TRUE(cap().capDriverConnect(h, 0));
        return h;
    }
    static CaptureParms parms(int scanRefresh, int limitSeconds, bool audio = false)
    {
        CaptureParms p;
        p.dwRequestMicroSecPerFrame = 1000000 / scanRefresh;
        p.wPercentDropForError = 35;
        p.dwIndexSize = 324000;
        p.fCaptureAudio = audio ? -1 : 0;
        p.fLimitEnabled = limitSeconds > 0 ? -1 : 0;
        p.wTimeLimit = limitSeconds;
        return p;
    }
    QString file(const QString& name) const { return box.root() + "/" + name; }
    // Sets up and starts a sequence into `path`.
    void startRecording(CaptureHandle h, const QString& path, const CaptureParms& p)
    {
        ASSERT_TRUE(cap().capFileSetCaptureFile(h, path));
        ASSERT_TRUE(cap().capCaptureSetSetup(h, p));
        ASSERT_TRUE(cap().capCaptureSequence(h));
    }
    SequenceStatus waitForEnd(CaptureHandle h, int timeoutMs = 10000)
    {
        SequenceStatus status;
        EXPECT_TRUE(QTest::qWaitFor([&] { return cap().capGetStatus(h, status) && !status.running; }, timeoutMs));
        return status;
    }
    // The test pattern has bright bars in its top part and a dark band at the bottom.
    static void expectUpright(const QImage& frame)
    {
        ASSERT_FALSE(frame.isNull());
        const QColor top = frame.pixelColor(frame.width() / 14, frame.height() / 4);
        const QColor bottom = frame.pixelColor(4, frame.height() - 3);
        EXPECT_GT(top.value(), 150) << "top";
        EXPECT_LT(bottom.value(), 60) << "bottom";
    }

    Sandbox box;
    QWidget parent;

private:
    std::unique_ptr<CaptureSystem> system_;
};

}  // namespace rectest
