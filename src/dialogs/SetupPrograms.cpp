#include "dialogs/SetupPrograms.h"

#include "platform/shell/Shell.h"

#include <QStandardPaths>

FindProgram findProgramOnPath()
{
    return [](const QString& name) { return QStandardPaths::findExecutable(name); };
}

std::vector<ProgramCommand> volumeMixerCommands(const FindProgram& find)
{
    std::vector<ProgramCommand> commands;
    for (const char* mixer : {"pavucontrol", "pavucontrol-qt"}) {
        const QString path = find(mixer);
        if (!path.isEmpty())
            commands.push_back({path, {}});
    }
    const QString alsamixer = find("alsamixer");
    if (alsamixer.isEmpty())
        return commands;
    for (const char* terminal : {"x-terminal-emulator", "xterm"}) {
        const QString path = find(terminal);
        if (!path.isEmpty())
            commands.push_back({path, {"-e", alsamixer}});
    }
    return commands;
}

bool startVolumeMixer(Shell& shell, const FindProgram& find)
{
    for (const ProgramCommand& c : volumeMixerCommands(find))
        if (shell.startProgram(c.program, c.arguments))
            return true;
    return false;
}

ProgramCommand secondInstanceCommand(const QString& appPath)
{
    return {appPath + "/tolvex", {"/2"}};
}
