#pragma once

#include <QString>
#include <QStringList>

#include <functional>
#include <vector>

class Shell;

// The outside programs the setup dialog starts: the desktop's volume mixer and a
// second copy of Tolvex.
struct ProgramCommand {
    QString program;
    QStringList arguments;
};

// Finds a program on PATH; empty text when there is none.
using FindProgram = std::function<QString(const QString& name)>;
FindProgram findProgramOnPath();

// The volume mixers this desktop may have, best first, each only when found: the
// PulseAudio mixers, then alsamixer in a terminal.
std::vector<ProgramCommand> volumeMixerCommands(const FindProgram& find);

// Starts the first mixer that starts; false when none did.
bool startVolumeMixer(Shell& shell, const FindProgram& find);

// "/2": the second copy keeps its own settings file.
ProgramCommand secondInstanceCommand(const QString& appPath);
