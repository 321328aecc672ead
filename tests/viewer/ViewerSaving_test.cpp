#include "Sandbox.h"
#include "platform/files/BmpFile.h"
#include "viewer/ViewerSaving.h"

#include <gtest/gtest.h>

#include <QFile>

TEST(ViewerSaveAs, WhatTheDialogStartsWith)
{
    struct Case {
        const char* name;
        SaveAsInput in;
        SaveAsPlan plan;
    };
    const QDate day(2026, 1, 5);
    const Case cases[] = {
        {"shown bitmap", {"/pics/a.bmp", false, "a.bmp", "/pics", "/app", 7, day}, {"bmp", 1, "a.bmp", "/pics", false}},
        {"shown JPEG in capitals", {"/pics/b.JPG", false, "b.JPG", "/pics", "/app", 0, day},
         {"jpg", 2, "b.JPG", "/pics", false}},
        {"a .jpeg is not a .jpg", {"/pics/c.jpeg", false, "c.jpeg", "/pics", "/app", 0, day},
         {"bmp", 1, "c.jpeg", "/pics", false}},
        {"video selected", {"/vids/m.AVI", false, "m.AVI", "/vids", "/app", 42, day},
         {"bmp", 1, "VideoFrame42", "/app", true}},
        {"video open", {"/pics/a.jpg", true, "a.jpg", "/pics", "/app", 3, day}, {"jpg", 2, "VideoFrame3", "/app", true}},
        {"no file name", {"View", false, "", "/pics", "/app", 0, day}, {"bmp", 1, "Tolvex_26-01-05", "/pics", false}},
    };
    for (const Case& c : cases) {
        const SaveAsPlan p = saveAsPlan(c.in);
        EXPECT_EQ(p.defaultExtension, c.plan.defaultExtension) << c.name;
        EXPECT_EQ(p.filterIndex, c.plan.filterIndex) << c.name;
        EXPECT_EQ(p.proposedName, c.plan.proposedName) << c.name;
        EXPECT_EQ(p.startFolder, c.plan.startFolder) << c.name;
        EXPECT_EQ(p.videoFrame, c.plan.videoFrame) << c.name;
    }
    EXPECT_EQ(undatedPictureName(QDate(2031, 12, 31)), "Tolvex_31-12-31");
    EXPECT_FALSE(undatedPictureName(QDate::currentDate()).contains('/'));
}

// The written format follows the final name's extension, so no file's extension
// lies; the filter decides only for a name without one.
TEST(ViewerSaveAs, TheFormatFollowsTheNameWritten)
{
    const struct {
        const char* chosen;
        int filter;
        const char* path;
        SavedFormat format;
    } rows[] = {
        {"/p/typed.jpg", 1, "/p/typed.jpg", SavedFormat::Jpeg},
        {"/p/typed.bmp", 2, "/p/typed.bmp", SavedFormat::Bitmap},
        {"/p/a.BMP", 2, "/p/a.BMP", SavedFormat::Bitmap},
        {"/p/a.JPEG", 1, "/p/a.JPEG", SavedFormat::Jpeg},
        {"/p/VideoFrame12", 1, "/p/VideoFrame12.bmp", SavedFormat::Bitmap},
        {"/p/VideoFrame12", 2, "/p/VideoFrame12.jpg", SavedFormat::Jpeg},
        {"/p/shot.png", 2, "/p/shot.png.jpg", SavedFormat::Jpeg},
        {"/p/x.bmp/shot", 2, "/p/x.bmp/shot.jpg", SavedFormat::Jpeg},
    };
    for (const auto& r : rows) {
        const ViewerSaveTarget t = viewerSaveTarget(r.chosen, r.filter);
        EXPECT_EQ(t.path, r.path) << r.chosen;
        EXPECT_EQ(t.format, r.format) << r.chosen;
    }
}

TEST(ViewerSaveAs, AFailedWriteKeepsTheOldFileAndGivesItsNumber)
{
    Sandbox box;
    QImage picture(2, 2, QImage::Format_RGB32);
    picture.fill(Qt::blue);
    box.writeFile("old.bmp", "old content");
    const QString missingFolder = box.root() + "/no/such/folder/x.bmp";
    const platform::Result r = writeViewerPicture(picture, missingFolder, SavedFormat::Bitmap, 75);
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.code, kErrorFileAccess);
    EXPECT_FALSE(writeViewerPicture(QImage(), box.programFolder() + "/old.bmp", SavedFormat::Bitmap, 75).ok);
    EXPECT_EQ(box.readFile("old.bmp"), "old content");
}

TEST(ViewerHandOffs, ProgramsArgumentsAndWorkingFolders)
{
    const ProgramFinder only = [](const QString& name) {
        return name == "gimp" ? QString("/opt/gimp dir/bin/gimp") : QString();
    };
    EXPECT_EQ(paintCall(only, "/my app/temp.bmp"),
              (ProgramCall{"/opt/gimp dir/bin/gimp", {"/my app/temp.bmp"}, "/opt/gimp dir/bin"}));
    const ProgramFinder first = [](const QString& name) { return "/usr/bin/" + name; };
    EXPECT_EQ(paintCall(first, "/a/temp.bmp").program, "/usr/bin/" + paintPrograms().first());
    EXPECT_TRUE(paintCall([](const QString&) { return QString(); }, "/a/temp.bmp").program.isEmpty());

    EXPECT_EQ(editorCall("/home/u/bin/my editor", "/my app/temp.bmp"),
              (ProgramCall{"/home/u/bin/my editor", {"/my app/temp.bmp"}, "/home/u/bin"}));
    EXPECT_TRUE(editorCall("", "/a/temp.bmp").program.isEmpty());
    EXPECT_EQ(companionCall("/my app", "/pics/snap shots"),
              (ProgramCall{"/my app/zarn", {"/pics/snap shots"}, "/my app"}));
    EXPECT_EQ(outsideViewerClipboardCall("/opt/iv/iv").arguments, QStringList{"/clippaste"});
    EXPECT_TRUE(outsideViewerCall("", "/a.bmp").program.isEmpty());
    EXPECT_EQ(printerSettingsCall(first).program, "/usr/bin/system-config-printer");
    EXPECT_TRUE(printerSettingsCall([](const QString&) { return QString(); }).program.isEmpty());
}
