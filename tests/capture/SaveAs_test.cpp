#include "FullDisk.h"
#include "Sandbox.h"
#include "capture/SaveAs.h"
#include "capture/ViewerHandOff.h"
#include "platform/files/BmpFile.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QImageReader>

namespace {

QImage greyPicture(int width = 64, int height = 48)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(0xff808080);
    return image;
}

QByteArray contentOf(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

}  // namespace

TEST(SaveAsProposal, FilterAndExtensionFromMemorySettingAndScreenSize)
{
    const struct {
        int16_t bitmapSetting;
        int16_t screenSize;
        int32_t lastFilter;
        const char* lastExtension;
        int32_t filter;
        const char* extension;
    } rows[] = {
        // Before the first save the picture-type setting decides.
        {0, 0, 0, "", 3, "jpg"},
        {1, 0, 0, "", 1, "bmp"},
        {1, 0, 0, "jpg", 1, "bmp"},
        // Afterwards the remembered filter and extension.
        {0, 0, 2, "bmp", 2, "bmp"},
        {1, 0, 4, "jpg", 4, "jpg"},
        // SaveAsScreenSize overrides the filter, keeping the kind of file.
        {0, 1, 0, "", 3, "jpg"},
        {0, 2, 0, "", 4, "jpg"},
        {0, 2, 3, "jpg", 4, "jpg"},
        {0, 2, 1, "bmp", 2, "bmp"},
        {1, 1, 4, "jpg", 3, "jpg"},
        {1, 2, 0, "", 2, "bmp"},
        // A remembered extension that is no extension: the setting's, scaled.
        {0, 0, 1, "", 4, "jpg"},
        {1, 0, 3, "x", 2, "bmp"},
    };
    Sandbox box;
    for (const auto& r : rows) {
        SettingsModel s;
        s.AppPath = box.programFolder();
        s.SaveBitmapType = r.bitmapSetting;
        s.SaveAsScreenSize = r.screenSize;
        const SaveAsMemory memory{"", r.lastFilter ? box.root() : "", r.lastFilter, r.lastExtension};
        const SaveAsProposal p = proposeSaveAs(s, memory);
        EXPECT_EQ(p.filterIndex, r.filter) << r.bitmapSetting << " " << r.screenSize << " " << r.lastFilter;
        EXPECT_EQ(p.extension, r.extension) << r.bitmapSetting << " " << r.screenSize << " " << r.lastFilter;
    }
}

TEST(SaveAsProposal, TheFirstFreeMyImageNameInTheFolder)
{
    Sandbox box;
    SettingsModel s;
    s.AppPath = box.programFolder();
    const QString pictures = box.root() + "/my pictures";
    QDir().mkpath(pictures);
    s.SaveAsPath = pictures;
    QFile(pictures + "/MyImage-01.jpg").open(QIODevice::WriteOnly);
    QFile(pictures + "/MyImage-02.bmp").open(QIODevice::WriteOnly);

    const SaveAsProposal jpeg = proposeSaveAs(s, {});
    EXPECT_EQ(jpeg.fileName, pictures + "/MyImage-02.jpg");
    EXPECT_EQ(jpeg.filterIndex, kFilterJpgTrueSize);
    EXPECT_EQ(jpeg.folder, pictures);

    s.SaveBitmapType = 1;
    EXPECT_EQ(proposeSaveAs(s, {}).fileName, pictures + "/MyImage-01.bmp");
}

TEST(SaveAsProposal, FolderIsSaveAsPathElseProgramFolderElseTheLastOne)
{
    Sandbox box;
    SettingsModel s;
    s.AppPath = box.programFolder();
    const SaveAsMemory saved{box.root() + "/elsewhere/a.jpg", box.root() + "/elsewhere", 3, "jpg"};
    const struct {
        const char* saveAsPath;
        bool savedBefore;
        QString folder;
    } rows[] = {
        {"", false, box.programFolder()},
        {"ab", false, box.programFolder()},
        {"", true, box.root() + "/elsewhere"},
        {"/tm", true, "/tm"},
        {"/tmp/x", false, "/tmp/x"},
    };
    for (const auto& r : rows) {
        s.SaveAsPath = r.saveAsPath;
        const SaveAsProposal p = proposeSaveAs(s, r.savedBefore ? saved : SaveAsMemory{});
        EXPECT_EQ(p.folder, r.folder) << r.saveAsPath << " " << r.savedBefore;
        EXPECT_EQ(p.fileName, r.folder + "/MyImage-01.jpg");
    }
}

TEST(SaveAsProposal, DialogArguments)
{
    const SaveDialogArgs a = saveAsDialogArgs({4, "jpg", "/pics", "/pics/MyImage-01.jpg"});
    EXPECT_EQ(a.fileName, "/pics/MyImage-01.jpg");
    EXPECT_EQ(a.fileTitle, "");
    EXPECT_TRUE(a.overwritePrompt);
    EXPECT_EQ(a.filterIndex, 4);
    EXPECT_EQ(a.initialFolder, "/pics");
    EXPECT_EQ(a.dialogTitle, "Save Single Frame as Picture");
    EXPECT_EQ(a.defaultExtension, "jpg");
    EXPECT_EQ(a.owner, nullptr);
    EXPECT_EQ(a.flags, 0);
    EXPECT_EQ(DialogFilterTexts(ConvertDialogFilter(a.filter)),
              QStringList({"Bitmap Files 'True Size' (*.bmp)", "Bitmap Files 'Scaled Size' (*.bmp)",
                           "JPG Picture Files 'True Size' (*.jpg)", "JPG Picture Files 'Scaled Size' (*.jpg)"}));
}

TEST(SaveAsTarget, ExtensionRulesLookAtTheFileNameOnly)
{
    const struct {
        const char* chosen;
        int32_t filter;
        const char* path;
        const char* extension;
        bool bitmap;
    } rows[] = {
        {"/p/shot", 1, "/p/shot.bmp", "bmp", true},
        {"/p/shot", 2, "/p/shot.bmp", "bmp", true},
        {"/p/shot", 3, "/p/shot.jpg", "jpg", false},
        {"/p/shot", 4, "/p/shot.jpg", "jpg", false},
        {"/p/shot.jpg", 2, "/p/shot.bmp", "bmp", true},
        {"/p/shot.bmp", 4, "/p/shot.jpg", "jpg", false},
        {"/p/shot.bmp", 1, "/p/shot.bmp", "bmp", true},
        // Only a lower-case extension is replaced; the upper-case one decides the format.
        {"/p/SHOT.JPG", 1, "/p/SHOT.JPG", "bmp", false},
        {"/p/SHOT.BMP", 3, "/p/SHOT.BMP", "jpg", true},
        // Another extension is kept and the filter's added.
        {"/p/shot.png", 1, "/p/shot.png.bmp", "bmp", true},
        {"/p/shot.png", 2, "/p/shot.png.bmp", "bmp", true},
        {"/p/shot.png", 3, "/p/shot.png.jpg", "jpg", false},
        // Folders with points or extension-like names are never rewritten.
        {"/home/u/.local/shot", 3, "/home/u/.local/shot.jpg", "jpg", false},
        {"/home/u/x.jpg.d/shot", 1, "/home/u/x.jpg.d/shot.bmp", "bmp", true},
        {"/p/x.bmp/shot.jpg", 3, "/p/x.bmp/shot.jpg", "jpg", false},
        {"/p/x.jpg/shot.bmp", 1, "/p/x.jpg/shot.bmp", "bmp", true},
        {"/p/x.jpg/shot.jpg", 2, "/p/x.jpg/shot.bmp", "bmp", true},
        {"/p/a.b/shot", 2, "/p/a.b/shot.bmp", "bmp", true},
    };
    for (const auto& r : rows) {
        const SaveAsTarget t = saveAsTarget(r.chosen, r.filter, "zzz");
        EXPECT_EQ(t.path, r.path) << r.chosen << " #" << r.filter;
        EXPECT_EQ(t.extension, r.extension) << r.chosen << " #" << r.filter;
        EXPECT_EQ(t.bitmap, r.bitmap) << r.chosen << " #" << r.filter;
    }
}

TEST(SaveAsSize, TrueOrShownSizeByFilterAndFitStretch)
{
    const QSize frame(352, 288), shown(500, 410);
    const struct {
        int32_t filter;
        bool stretched;
        QSize shown;
        QSize size;
    } rows[] = {
        {kFilterBmpTrueSize, true, shown, frame},  {kFilterJpgTrueSize, true, shown, frame},
        {kFilterBmpScaled, true, shown, shown},    {kFilterJpgScaled, true, shown, shown},
        {kFilterBmpScaled, false, shown, frame},   {kFilterJpgScaled, false, shown, frame},
        {kFilterJpgScaled, true, QSize(0, 0), frame},  // a preview not laid out yet
        {kFilterNone, true, shown, frame},         // a cancelled dialog
    };
    for (const auto& r : rows)
        EXPECT_EQ(saveAsPictureSize(r.filter, frame, r.shown, r.stretched), r.size) << r.filter << " " << r.stretched;

    QImage two(2, 1, QImage::Format_RGB32);
    two.setPixel(0, 0, 0xff000000);
    two.setPixel(1, 0, 0xffffffff);
    const QImage scaled = saveAsPicture(two, kFilterBmpScaled, QSize(4, 2), true);
    ASSERT_EQ(scaled.size(), QSize(4, 2));
    // Stretched without smoothing: each pixel is repeated, none blended.
    EXPECT_EQ(scaled.pixel(1, 1), 0xff000000);
    EXPECT_EQ(scaled.pixel(2, 0), 0xffffffff);
    EXPECT_TRUE(saveAsPicture(QImage(), kFilterBmpScaled, QSize(4, 2), true).isNull());
}

TEST(SaveAsWrite, WritesTheFormatTheTargetNames)
{
    Sandbox box;
    const QString bmp = box.root() + "/shot.bmp", jpg = box.root() + "/SHOT.JPG";
    ASSERT_TRUE(writeSaveAsPicture(greyPicture(), {bmp, "bmp", true}, 75));
    ASSERT_TRUE(writeSaveAsPicture(greyPicture(), {jpg, "bmp", false}, 75));
    EXPECT_EQ(platform::readBmp24(bmp).size(), QSize(64, 48));
    QImageReader reader(jpg);
    EXPECT_EQ(reader.format(), "jpeg");
    EXPECT_EQ(reader.read().size(), QSize(64, 48));
}

TEST(SaveAsWrite, FailuresCarryTheBoxNumberAndLeaveNoFile)
{
    Sandbox box;
    const QString plainFile = box.root() + "/plain";
    QFile(plainFile).open(QIODevice::WriteOnly);
    const struct {
        const char* what;
        QString path;
        bool bitmap;
        QImage picture;
        int code;
    } rows[] = {
        {"folder under a file, bmp", plainFile + "/shot.bmp", true, greyPicture(), kSaveAsErrorPathNotFound},
        {"folder under a file, jpg", plainFile + "/shot.jpg", false, greyPicture(), kSaveAsErrorPathNotFound},
        {"missing folder", box.root() + "/gone/shot.jpg", false, greyPicture(), kSaveAsErrorPathNotFound},
        {"no frame yet", box.root() + "/none.bmp", true, QImage(), kSaveAsErrorInvalidPicture},
    };
    for (const auto& r : rows) {
        const platform::Result result = writeSaveAsPicture(r.picture, {r.path, "", r.bitmap}, 75);
        EXPECT_FALSE(result.ok) << r.what;
        EXPECT_EQ(result.code, r.code) << r.what << ": " << result.reason.toStdString();
        EXPECT_FALSE(QFile::exists(r.path)) << r.what;
    }
    EXPECT_EQ(saveAsErrorTitle("Tolvex", 75), "Tolvex - Error nr:75");
}

TEST(SaveAsWrite, AFullDiskKeepsTheOldFileAndLeavesNoPartOfTheNewOne)
{
    Sandbox box;
    for (const bool bitmap : {true, false}) {
        const QString folder = box.root() + (bitmap ? "/bitmap" : "/jpeg");
        QDir().mkpath(folder);
        const QString path = folder + "/old.pic";
        const QByteArray before("the user's earlier picture");
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(before);
        f.close();
        platform::Result result;
        {
            FileSizeLimitScope fullDisk(4096);
            result = writeSaveAsPicture(greyPicture(640, 480), {path, "", bitmap}, 100);
        }
        EXPECT_FALSE(result.ok);
        EXPECT_EQ(result.code, kSaveAsErrorDiskFull) << result.reason.toStdString();
        EXPECT_EQ(contentOf(path), before);
        EXPECT_EQ(QDir(folder).entryList(QDir::Files | QDir::Hidden), QStringList{"old.pic"});
    }
}

TEST(ViewerHandOff, CaptionFolderKindAndOutsideViewerStart)
{
    EXPECT_EQ(snapshotCaption(3, 0), "Snapshot3.jpg");
    EXPECT_EQ(snapshotCaption(1, 1), "Snapshot1.bmp");
    EXPECT_EQ(snapshotCaption(12, -1), "Snapshot12.bmp");

    const struct {
        int selected;
        int16_t current;
        int16_t folder;
    } rows[] = {{0, 0, 0}, {0, 2, 2}, {1, 0, 1}, {2, 2, 3}, {3, 0, 4}, {-1, 2, 2}};
    for (const auto& r : rows)
        EXPECT_EQ(viewerFolderFor(r.selected, r.current), r.folder) << r.selected << " " << r.current;

    SettingsModel s;
    s.AppPath = "/opt/my tolvex";
    s.PictureViewer = "/opt/picture viewer/view er";
    const OutsideViewerStart start = outsideViewerStart(s);
    EXPECT_EQ(start.program, "/opt/picture viewer/view er");
    EXPECT_EQ(start.workingFolder, "/opt/picture viewer/");
    EXPECT_EQ(start.arguments, QStringList{"/opt/my tolvex/temp.bmp"});
    s.PictureViewer = "eog";
    EXPECT_EQ(outsideViewerStart(s).workingFolder, "") << "a bare name runs from the search path";
}
