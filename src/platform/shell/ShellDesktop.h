#pragma once

#include "platform/shell/Shell.h"

class DesktopShell : public Shell {
public:
    bool openUrl(const QUrl& url) override;
    bool startProgram(const QString& program, const QStringList& arguments) override;
    bool startProgramIn(const QString& program, const QStringList& arguments,
                        const QString& workingFolder) override;
    bool showItemProperties(const QString& path) override;
};
