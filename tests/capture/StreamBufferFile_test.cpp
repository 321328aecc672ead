#include "Sandbox.h"
#include "capture/StreamBufferFile.h"
#include "platform/files/BmpFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>

#include <gtest/gtest.h>

namespace {

struct StreamBufferFileTest : ::testing::Test {
    Sandbox box;
    const QString app = box.programFolder();
    const QString fallback = app + "/cap$$$.tmp";

    QString path(const QString& name) const { return app + "/" + name; }

    QString bitmap(const QString& name) const
    {
        QImage frame(8, 6, QImage::Format_RGB32);
        frame.fill(Qt::darkGreen);
        EXPECT_TRUE(platform::writeBmp24(frame, path(name)));
        return path(name);
    }

    QString text(const QString& name, const QByteArray& content = "the user's notes\n") const
    {
        box.writeFile(name, content);
        return path(name);
    }
};

}  // namespace

TEST_F(StreamBufferFileTest, OnlyANewFileOrABufferBitmapIsUsed)
{
    QDir().mkpath(app);
    const QString frame = bitmap("frame.bmp");
    QByteArray cut;
    {
        QFile f(frame);
        ASSERT_TRUE(f.open(QIODevice::ReadOnly));
        cut = f.readAll().chopped(10);
    }
    QFile::link(frame, path("link.bmp"));
    QDir().mkpath(path("folder.bmp"));
    const struct {
        QString setting;
        QString used;
        bool warned;
    } cases[] = {
        {path("new.tmp"), path("new.tmp"), false},
        {frame, frame, false},
        {QString(), fallback, false},
        {text("notes.txt"), fallback, true},
        {text("cut.bmp", cut), fallback, true},
        {text("short.bmp", "BM"), fallback, true},
        {path("link.bmp"), fallback, true},
        {path("folder.bmp"), fallback, true},
    };
    for (const auto& c : cases) {
        const BufferFileChoice choice = chooseBufferFile(c.setting, app);
        EXPECT_EQ(choice.path, c.used) << c.setting.toStdString();
        EXPECT_EQ(!choice.warning.isEmpty(), c.warned) << c.setting.toStdString();
        if (c.warned) {
            EXPECT_TRUE(choice.warning.contains(c.setting)) << choice.warning.toStdString();
            EXPECT_EQ(choice.notice, "Stream buffer: using cap$$$.tmp");
        }
    }
}

TEST_F(StreamBufferFileTest, NoFileWhenTheDefaultIsTheUsersToo)
{
    text("cap$$$.tmp");
    for (const QString& setting : {text("notes.txt"), fallback, QString()}) {
        const BufferFileChoice choice = chooseBufferFile(setting, app);
        EXPECT_TRUE(choice.path.isEmpty()) << setting.toStdString();
    }
}

TEST_F(StreamBufferFileTest, RemovesOnlyTheBitmapsThisRunWrote)
{
    StreamBufferFiles files;
    const QString written = bitmap("written.tmp");
    const QString leftOver = bitmap("old.tmp");
    const QString replaced = bitmap("replaced.tmp");
    files.markWritten(written);
    files.markWritten(replaced);
    text("replaced.tmp");  // the user put a file of their own there since
    files.removeWritten();
    EXPECT_FALSE(QFileInfo::exists(written));
    EXPECT_TRUE(QFileInfo::exists(leftOver));
    EXPECT_TRUE(QFileInfo::exists(replaced));
}

TEST_F(StreamBufferFileTest, TheDiskIsLookedAtOncePerSetting)
{
    StreamBufferFiles files;
    const QString notes = text("notes.txt");
    bool isNew = false;
    EXPECT_EQ(files.choose(notes, app, isNew).path, fallback);
    EXPECT_TRUE(isNew);
    EXPECT_EQ(files.choose(notes, app, isNew).path, fallback);
    EXPECT_FALSE(isNew);
    EXPECT_EQ(files.choose(path("new.tmp"), app, isNew).path, path("new.tmp"));
    EXPECT_TRUE(isNew);
}
