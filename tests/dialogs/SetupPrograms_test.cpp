#include "FolderCaptions.h"
#include "dialogs/SetupPrograms.h"
#include "dialogs/frmGetFolderKind.h"

#include <gtest/gtest.h>

#include <map>
#include <optional>
#include <vector>

TEST(FolderKinds, EachSetupCaptionNamesOneFolder)
{
    std::map<QString, std::optional<FolderKind>> cases = {
        {"SELECT YOUR VIDEO FOLDER", FolderKind::Video},
        {"Get Folder", std::nullopt},
    };
    for (const auto& [caption, kind] : kFolderCaptions)
        cases.emplace(caption, kind);
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
