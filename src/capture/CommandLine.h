#pragma once

#include <QString>

// The start-up switches. They are searched anywhere in the trimmed, lower-cased
// command line, so their order does not matter; "/2" counts only at the very end of
// the unchanged command line.
struct CommandLineSwitches {
    bool reset = false;
    bool secondCopy = false;
    bool start = false;
    bool minimize = false;
    bool tiny = false;
    bool device = false;
    int deviceIndex = 0;  // the digit after "/device"; any other character gives 0
    bool record = false;

    // StartMode the switches ask for, or -1 when they leave it alone.
    int startMode() const;
};

CommandLineSwitches parseCommandLine(const QString& commandLine);
