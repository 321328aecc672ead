// The built program, started as its own process.
#include "Sandbox.h"
#include "platform/files/InstanceLock.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>

#include <gtest/gtest.h>

namespace {

constexpr int kPatienceMs = 30000;

// Runs the program over the sandbox's folders on the offscreen platform and the
// test-pattern device.
void startProgram(QProcess& program, const Sandbox& box, const QStringList& arguments)
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("TOLVEX_HOME", box.programFolder());
    env.insert("XDG_CONFIG_HOME", box.configFolder());
    env.insert("QT_QPA_PLATFORM", "offscreen");
    env.insert("TOLVEX_CAPTURE_DRIVERS", "synthetic");
    program.setProcessEnvironment(env);
    program.setReadChannel(QProcess::StandardError);
    program.start(QStringLiteral(TOLVEX_PROGRAM), arguments);
}

// Reads the program's standard error until it holds text; false when the program
// ends or the patience runs out first.
bool waitForError(QProcess& program, QByteArray& errors, const QByteArray& text)
{
    QElapsedTimer clock;
    clock.start();
    while (!errors.contains(text)) {
        if (program.state() != QProcess::Running || clock.elapsed() > kPatienceMs)
            return false;
        program.waitForReadyRead(200);
        errors += program.readAllStandardError();
    }
    return true;
}

}  // namespace

TEST(StartupProcess, EndingWhileAStartUpBoxIsOpenEndsTheProcess)
{
    Sandbox box;
    // A folder where the settings file should be: it cannot be written, so the
    // start-up shows its error box.
    ASSERT_TRUE(QDir().mkpath(box.programFolder() + "/Tolvex.ini"));
    QProcess program;
    startProgram(program, box, {"/start"});
    ASSERT_TRUE(program.waitForStarted(kPatienceMs));
    QByteArray errors;
    ASSERT_TRUE(waitForError(program, errors, "Error saving INI-file")) << errors.toStdString();
    EXPECT_TRUE(QFileInfo::exists(platform::InstanceLock::lockFileName(box.programFolder())));

    program.terminate();  // SIGTERM while the box is open
    const bool ended = program.waitForFinished(kPatienceMs);
    if (!ended) {
        program.kill();
        program.waitForFinished(kPatienceMs);
    }
    ASSERT_TRUE(ended) << "the program went on without its window";
    EXPECT_EQ(program.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(program.exitCode(), 0);
    EXPECT_FALSE(QFileInfo::exists(platform::InstanceLock::lockFileName(box.programFolder())));
}
