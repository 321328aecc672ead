#include "AviProbe.h"
#include "MainWindowHarness.h"
#include "ModalAnswer.h"
#include "PromptsFake.h"
#include "capture/AcmS.h"

#include <QApplication>
#include <QDir>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

using platform::capdriver::SequenceStatus;
using platform::capdriver::WaveFormat;

namespace {

struct AudioFormat : ::testing::Test, MainWindowHarness {
    frmMain& previewing(const QByteArray& audio)
    {
        qputenv("TOLVEX_AUDIO", audio);
        qputenv("TOLVEX_SYNTH_FORMAT", "160x120");
        capture->reloadSettings();
        frmMain& m = start();
        s.VidCompressDialog = 0;
        m.cmdStart_Click();
        return m;
    }
    ~AudioFormat() override { qunsetenv("TOLVEX_AUDIO"); }

    // Answers the chooser once it is open: picks `row` (unless -1) and presses the button.
    struct Seen {
        int rows = -1;
        bool okEnabled = false;
        QString title;
    };
    void answer(Seen& seen, int row, const char* button, std::source_location where = std::source_location::current())
    {
        answerNextModal([&seen, row, button](QWidget* dialog) {
            auto* list = dialog->findChild<QListWidget*>("formatList");
            seen.rows = list->count();
            seen.title = dialog->windowTitle();
            if (row >= 0)
                list->setCurrentRow(row);
            seen.okEnabled = dialog->findChild<QPushButton*>("okButton")->isEnabled();
            dialog->findChild<QPushButton*>(button)->click();
        }, where);
    }
    PromptsFake prompts;
};

}  // namespace

TEST_F(AudioFormat, TheChosenFormatReachesTheNextRecording)
{
    frmMain& m = previewing("synthetic");
    const QList<WaveFormat> formats = capture->capAudioFormats(m.capwnd());
    const qsizetype row = formats.indexOf(WaveFormat::pcm(22050, 16, 2));
    ASSERT_GE(row, 0);
    Seen seen;
    answer(seen, int(row), "okButton");
    SelectAudioFormat(*capture, m.capwnd(), &m, prompts);
    EXPECT_EQ(seen.title, "Select Sound Format");
    EXPECT_EQ(seen.rows, 20);
    EXPECT_TRUE(seen.okEnabled);
    WaveFormat f;
    ASSERT_TRUE(capture->capGetAudioFormat(m.capwnd(), f));
    EXPECT_EQ(f, WaveFormat::pcm(22050, 16, 2));

    // The recording makes a capture window of its own; the device keeps the format.
    m.cmdRecord_Click();
    ASSERT_TRUE(QTest::qWaitFor([&] {
        SequenceStatus st;
        return capture->capGetStatus(m.capwnd(), st) && st.framesWritten >= 5;
    }, 5000));
    m.cmdStop_Click();
    const QStringList names = QDir(s.VideoPath).entryList({"*.avi"});
    ASSERT_EQ(names.size(), 1);
    const AviInfo info = probeAvi(s.VideoPath + "/" + names[0]);
    EXPECT_EQ(info.sampleRate, 22050);
    EXPECT_EQ(info.bitsPerSample, 16);
    EXPECT_EQ(info.channels, 2);
}

TEST_F(AudioFormat, CancelKeepsTheFormat)
{
    frmMain& m = previewing("synthetic");
    Seen seen;
    answer(seen, 5, "cancelButton");
    SelectAudioFormat(*capture, m.capwnd(), &m, prompts);
    WaveFormat f;
    ASSERT_TRUE(capture->capGetAudioFormat(m.capwnd(), f));
    EXPECT_EQ(f, WaveFormat::pcm(11025, 8, 1));
}

TEST_F(AudioFormat, NoSoundInputOrNoPreviewIsToldInsteadOfAnEmptyList)
{
    frmMain& m = previewing("none");
    for (qint32 handle : {m.capwnd(), 0}) {
        PromptsFake told;
        SelectAudioFormat(*capture, handle, &m, told);
        ASSERT_EQ(told.boxes.size(), 1) << handle;
        EXPECT_EQ(told.boxes[0].text, "No sound input: there is no sound format to choose.");
        EXPECT_EQ(told.boxes[0].title, "Select Sound Format");
        EXPECT_EQ(QApplication::activeModalWidget(), nullptr) << "no chooser stays open";
    }
}

TEST(AudioFormatChooserWindow, AnEmptyListHasOkDisabled)
{
    AudioFormatChooser chooser({}, std::nullopt, nullptr);
    EXPECT_FALSE(chooser.findChild<QPushButton*>("okButton")->isEnabled());
    EXPECT_EQ(chooser.chosen(), std::nullopt);
}
