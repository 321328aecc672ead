#pragma once

#include <QString>
#include <QStringList>
#include <QUrl>

#include <memory>

// Hands work to other programs of the desktop. Nothing goes through a command
// interpreter: a program gets its arguments as a list, so no name or path is ever
// parsed as a command.
class Shell {
public:
    virtual ~Shell() = default;
    // A document (file URL), web page or mail link, opened with the desktop's
    // default handler for it.
    virtual bool openUrl(const QUrl& url) = 0;
    // Starts a program on its own, not waiting for it.
    virtual bool startProgram(const QString& program, const QStringList& arguments) = 0;
    // The same, in its own working folder (the program's own folder never changes).
    virtual bool startProgramIn(const QString& program, const QStringList& arguments,
                                const QString& workingFolder) = 0;
    // The desktop file manager's properties dialog of a file; false when no file
    // manager answers.
    virtual bool showItemProperties(const QString& path) = 0;
};

// The desktop's handlers (QDesktopServices) and programs started through QProcess.
std::unique_ptr<Shell> makeDesktopShell();
