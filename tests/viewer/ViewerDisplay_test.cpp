#include "viewer/PictureReader.h"
#include "viewer/ViewerDisplay.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>

TEST(ViewerDisplay, SizeLineCountsWholeKilobytesPlusOne)
{
    struct Case {
        int w, h;
        qint64 bytes;
        const char* line;
    };
    const Case cases[] = {
        {16, 16, 822, "16 x 16 - 1KB"},
        {640, 480, 1024, "640 x 480 - 2KB"},
        {1, 1, 0, "1 x 1 - 1KB"},
        {1, 1, 1023, "1 x 1 - 1KB"},
        {1, 1, 2048, "1 x 1 - 3KB"},
        {4000, 3000, 5'000'000'000LL, "4000 x 3000 - 4882813KB"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(sizeLineText(c.w, c.h, c.bytes), c.line);
}

TEST(ViewerDisplay, VideosAreNamesEndingInAviInAnyCase)
{
    for (const char* name : {"a.avi", "A.AVI", "x.Avi", ".avi"})
        EXPECT_TRUE(isVideoFile(name)) << name;
    for (const char* name : {"avi", "a.avi.jpg", "a.jpg", "aavi", ""})
        EXPECT_FALSE(isVideoFile(name)) << name;
}

TEST(ViewerDisplay, EditorCaptionStripsAnExtensionOnlyWhenThereIsOne)
{
    const std::pair<const char*, const char*> cases[] = {
        {"/usr/bin/gimp", "User Editor gimp"},
        {"/opt/paint/editor.exe", "User Editor editor"},
        {"/home/me/my.paint.sh", "User Editor my.paint"},
        {"/home/me/.hidden", "User Editor .hidden"},
        {"kolourpaint", "User Editor kolourpaint"},
    };
    for (const auto& [path, caption] : cases)
        EXPECT_EQ(editorCaption(path), caption) << path;
}

TEST(ViewerDisplay, FolderWithSlashEndsInExactlyOne)
{
    EXPECT_EQ(folderWithSlash("/a/b"), "/a/b/");
    EXPECT_EQ(folderWithSlash("/a/b/"), "/a/b/");
    EXPECT_EQ(folderWithSlash("/"), "/");
}

namespace {

// The last change a set makes to a control (a later row wins, as in the window).
std::map<std::string, ControlChange> finalChanges(ButtonSet set)
{
    std::map<std::string, ControlChange> out;
    for (const ControlChange& c : buttonSetChanges(set)) {
        ControlChange& kept = out.try_emplace(c.name, ControlChange{c.name}).first->second;
        if (c.enabled != Switch::Leave)
            kept.enabled = c.enabled;
        if (c.visible != Switch::Leave)
            kept.visible = c.visible;
    }
    return out;
}

}  // namespace

TEST(ViewerDisplay, ButtonSetsPerFileKind)
{
    using S = Switch;
    struct Row {
        const char* control;
        S picture[2], nothing[2], video[2], slide[2];  // {enabled, visible}
    };
    const S L = S::Leave, On = S::On, Off = S::Off;
    const Row rows[] = {
        {"StyledButton2_0", {On, L}, {Off, L}, {Off, L}, {Off, L}},
        {"CmdPrint", {On, L}, {Off, L}, {Off, L}, {Off, L}},
        {"cmdIrfan", {On, L}, {Off, L}, {On, L}, {Off, L}},
        {"cmdMPstart", {Off, L}, {Off, L}, {On, L}, {Off, L}},
        {"cmdGray", {On, L}, {Off, L}, {Off, L}, {Off, L}},
        {"cmsSave2", {On, L}, {Off, L}, {Off, L}, {Off, L}},
        {"cmdMediaPlayer", {Off, L}, {Off, L}, {On, L}, {Off, L}},
        {"cmdMPstop", {Off, L}, {Off, L}, {On, L}, {Off, L}},
        {"cmdMPpauze", {Off, L}, {L, L}, {Off, L}, {Off, L}},
        {"cmdMPbegin", {Off, L}, {Off, L}, {Off, L}, {Off, L}},
        {"PicMovie", {L, Off}, {L, L}, {L, On}, {L, L}},
        {"FrmBlend", {L, L}, {L, Off}, {L, Off}, {L, Off}},
        {"cmdSlide", {On, L}, {Off, L}, {Off, L}, {L, L}},
        {"cmdZoom", {On, L}, {Off, L}, {Off, L}, {Off, L}},
        {"cmdZarn", {On, L}, {Off, L}, {Off, L}, {L, L}},
        {"tmrVideoStatus", {Off, L}, {L, L}, {L, L}, {L, L}},
        {"tmrPosition", {Off, L}, {On, L}, {On, L}, {L, L}},
        {"scrlMovie", {Off, Off}, {L, On}, {L, On}, {L, L}},
        {"opt_folders_4", {L, L}, {L, L}, {L, L}, {Off, L}},
        {"StyledButton1_0", {L, L}, {L, L}, {L, L}, {Off, L}},
        {"File1", {L, L}, {L, L}, {L, L}, {Off, L}},
        {"cmdDocs", {L, L}, {L, L}, {L, L}, {Off, L}},
    };
    const std::pair<ButtonSet, int> sets[] = {
        {ButtonSet::Picture, 0}, {ButtonSet::Nothing, 1}, {ButtonSet::Video, 2}, {ButtonSet::Slide, 3}};
    for (const auto& [set, column] : sets) {
        const auto changes = finalChanges(set);
        for (const Row& row : rows) {
            const S* want = column == 0 ? row.picture : column == 1 ? row.nothing : column == 2 ? row.video : row.slide;
            const auto it = changes.find(row.control);
            const S enabled = it == changes.end() ? S::Leave : it->second.enabled;
            const S visible = it == changes.end() ? S::Leave : it->second.visible;
            EXPECT_EQ(enabled, want[0]) << row.control << " in set " << column;
            EXPECT_EQ(visible, want[1]) << row.control << " in set " << column;
        }
    }
    EXPECT_EQ(buttonSetForFile("clip.AVI"), ButtonSet::Video);
    EXPECT_EQ(buttonSetForFile("snap.jpg"), ButtonSet::Picture);
    EXPECT_EQ(buttonSetOfKeuze(1), ButtonSet::Picture);
    EXPECT_EQ(buttonSetOfKeuze(2), ButtonSet::Video);
    EXPECT_EQ(buttonSetOfKeuze(3), ButtonSet::Nothing);
    EXPECT_EQ(buttonSetOfKeuze(0), ButtonSet::Nothing);
    // After a slide show the browsing controls come back on over the picture set.
    const auto after = finalChanges(ButtonSet::AfterSlide);
    EXPECT_EQ(after.at("File1").enabled, S::On);
    EXPECT_EQ(after.at("cmdGray").enabled, S::On);
}

TEST(ViewerDisplay, FolderFailuresInformAskOnTheSecondAndInformAgain)
{
    EXPECT_EQ(folderFailureBox(1), FolderFailureBox::Information);
    EXPECT_EQ(folderFailureBox(2), FolderFailureBox::FixItQuestion);
    EXPECT_EQ(folderFailureBox(3), FolderFailureBox::Information);
    EXPECT_EQ(folderFailureBox(9), FolderFailureBox::Information);

    const BoxTexts info = folderFailureTexts(FolderFailureBox::Information, "&Snapshots", 76);
    EXPECT_EQ(info.title, "Could not access folder, err:76");
    EXPECT_EQ(info.text, "Could not change to the &Snapshots. Please define the correct path using Setup-button "
                         "in main screen.\nOr reset Tolvex by deleting the file TOLVEX.INI");
    const BoxTexts ask = folderFailureTexts(FolderFailureBox::FixItQuestion, "Videos", 76);
    EXPECT_EQ(ask.text, "Could not change to the Videos\nDo you want me to try to fix the problem?");
    EXPECT_EQ(ask.title, info.title);
}

TEST(ViewerDisplay, SaveModeChoosesTheFoldersTheViewerOpensOn)
{
    const struct {
        int saveMode, motionRecordMode;
        std::vector<int> kinds;
    } cases[] = {
        {0, 0, {}}, {1, 0, {1}}, {2, 0, {3}}, {3, 0, {2}}, {3, 1, {2, 4}}, {0, 1, {4}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(folderKindsForSaveMode(c.saveMode, c.motionRecordMode), c.kinds) << c.saveMode;
}

TEST(ViewerDisplay, PicturesKeepTheirProportionsInTheirBox)
{
    const QRect box(0, 0, 400, 300);
    const struct {
        QSize picture;
        QRect shown;
    } cases[] = {
        {{640, 480}, {0, 0, 400, 300}},     // 4:3 fills the box
        {{480, 640}, {87, 0, 225, 300}},    // portrait: bars left and right
        {{1280, 720}, {0, 37, 400, 225}},   // 16:9: bars above and below
        {{8000, 6000}, {0, 0, 400, 300}},
        {{16, 16}, {50, 0, 300, 300}},      // small pictures grow to fit
        {{4000, 1}, {0, 149, 400, 1}},      // never thinner than a pixel
    };
    for (const auto& c : cases)
        EXPECT_EQ(letterboxRect(c.picture, box), c.shown) << c.picture.width() << "x" << c.picture.height();
    EXPECT_TRUE(letterboxRect({}, box).isEmpty());
    EXPECT_EQ(letterboxRect({640, 480}, {10, 20, 400, 300}), QRect(10, 20, 400, 300));
}

TEST(ViewerDisplay, PicturesAreReadWholeUpToAQuarterOfTheMachinesMemory)
{
    const qint64 mb = 1024 * 1024;
    EXPECT_EQ(pictureByteLimit(0), 256 * mb);
    EXPECT_EQ(pictureByteLimit(512 * mb), 256 * mb);
    EXPECT_EQ(pictureByteLimit(16 * 1024 * mb), 4 * 1024 * mb);
    EXPECT_TRUE(pictureFits({8000, 6000}, 256 * mb));
    EXPECT_FALSE(pictureFits({9000, 8000}, 256 * mb));
    EXPECT_FALSE(pictureFits({}, 256 * mb));
    EXPECT_FALSE(pictureFits({100000, 100000}, pictureByteLimit(16 * 1024 * mb)));
}
