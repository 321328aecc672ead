// gtest main for every test program: a QApplication on the offscreen platform, a
// fixed font, and a per-process folder for everything a test might write.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QFont>
#include <QTemporaryDir>

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("TOLVEX_TESTING", "1");

    // Until a test makes its own Sandbox, the process' own folders stand in for
    // the user's home, configuration and runtime folders.
    QTemporaryDir processDir;
    const QByteArray base = processDir.path().toLocal8Bit();
    for (const char* sub : {"/home", "/config", "/runtime", "/program"})
        QDir().mkpath(processDir.path() + sub);
    qputenv("HOME", base + "/home");
    qputenv("XDG_CONFIG_HOME", base + "/config");
    qputenv("XDG_RUNTIME_DIR", base + "/runtime");
    qputenv("TOLVEX_HOME", base + "/program");
    QFile::setPermissions(processDir.path() + "/runtime", QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);

    QApplication app(argc, argv);
    QApplication::setFont(QFont("DejaVu Sans", 8));
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
