#pragma once

#include <QString>

namespace platform {

// The program folder: $TOLVEX_HOME when set, else the folder of the executable;
// never with a trailing separator (the root folder becomes empty text, so names
// join to it with a single "/").
QString programFolder();

// The command line the start-up reads its switches from: the arguments after the
// program name, joined by single blanks.
QString commandLine();

}  // namespace platform
