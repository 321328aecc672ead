#include "MainWindowHarness.h"
#include "ModalAnswer.h"

#include "platform/video/VideoRecording.h"

#include <QApplication>
#include <QDialog>

#include <gtest/gtest.h>

MainWindowHarness::MainWindowHarness()
{
    // Only the test-pattern device, so no test depends on a camera being plugged in.
    qputenv("TOLVEX_CAPTURE_DRIVERS", "synthetic");
    capture = std::make_unique<platform::capdriver::CaptureSystem>();
    capture->setSequencerFactory(platform::video::makeAviSequencerFactory());
}

MainWindowHarness::~MainWindowHarness()
{
    w.reset();
}

frmMain& MainWindowHarness::start(const QString& commandLine)
{
    w = std::make_unique<frmMain>(s, MainServices{registry, *capture, sound, shell});
    w->setEndProcess([this] { ++endCalls; });
    w->setSleep([this](int ms) { sleeps.append(ms); });
    w->setCommandLine(commandLine);
    w->setOpeners(openers);
    w->setPrompts(prompts);
    w->Form_Load();
    return *w;
}

frmMain& MainWindowHarness::restart(const QString& commandLine)
{
    w.reset();
    s = SettingsModel();
    return start(commandLine);
}

QStringList MainWindowHarness::iniLines(const QString& name) const
{
    const QString text = QString::fromUtf8(box.readFile(name));
    QStringList lines = text.split("\r\n");
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

void MainWindowHarness::checkCaptureSizes(frmMain& m)
{
    const int16_t keep = s.HowToCheckDriver;
    s.HowToCheckDriver = kProbeNever;
    const bool answered = cancellingDialog([&m] { m.cmdVideoSize_Click(); });
    s.HowToCheckDriver = keep;
    EXPECT_TRUE(answered) << "the driver's size dialog did not open";
    EXPECT_TRUE(m.resolutionsChecked());
}

bool MainWindowHarness::cancellingDialog(const std::function<void()>& action)
{
    ModalAnswer dialog(
        modalOfKind<QDialog>(), [](QWidget& w) { static_cast<QDialog&>(w).reject(); }, ModalAnswer::kDefaultDeadlineMs,
        false);
    action();
    return dialog.times() > 0;
}
