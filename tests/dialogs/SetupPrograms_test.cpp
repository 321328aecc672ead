#include "dialogs/SetupPrograms.h"
#include "dialogs/frmGetFolderKind.h"

#include <gtest/gtest.h>

#include <map>
#include <optional>
#include <vector>

TEST(FolderKinds, EachSetupCaptionNamesOneFolder)
{
    const std::map<QString, std::optional<FolderKind>> cases = {
        {"Select your motion recording save folder", FolderKind::MotionRecording},
        {"Select your autosave folder", FolderKind::AutoSave},
        {"Select your picture folder", FolderKind::Picture},
        {"Select your video folder", FolderKind::Video},
        {"Select your motionsave pics folder", FolderKind::MotionPics},
        {"Select your 'Save As...' folder", FolderKind::SaveAs},
        {"SELECT YOUR VIDEO FOLDER", FolderKind::Video},
        {"Get Folder", std::nullopt},
    };
    for (const auto& [caption, kind] : cases)
        EXPECT_EQ(folderKindOfCaption(caption), kind) << caption.toStdString();
}

TEST(VolumeMixer, FirstMixersFoundOnThePath)
{
    auto finder = [](QStringList present) {
        return [present](const QString& name) { return present.contains(name) ? "/usr/bin/" + name : QString(); };
    };
    auto programs = [](const std::vector<ProgramCommand>& commands) {
        QStringList list;
        for (const ProgramCommand& c : commands)
            list << (c.program + " " + c.arguments.join(' ')).trimmed();
        return list;
    };
    EXPECT_EQ(programs(volumeMixerCommands(finder({"pavucontrol", "alsamixer", "xterm"}))),
              QStringList({"/usr/bin/pavucontrol", "/usr/bin/xterm -e /usr/bin/alsamixer"}));
    EXPECT_EQ(programs(volumeMixerCommands(finder({"xterm"}))), QStringList()) << "no mixer without alsamixer";
    EXPECT_EQ(programs(volumeMixerCommands(finder({"alsamixer"}))), QStringList()) << "alsamixer needs a terminal";
    const ProgramCommand second = secondInstanceCommand("/opt/tolvex");
    EXPECT_EQ(second.program, "/opt/tolvex/tolvex");
    EXPECT_EQ(second.arguments, QStringList({"/2"}));
}
