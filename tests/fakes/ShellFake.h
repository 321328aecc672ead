#pragma once

#include "platform/shell/Shell.h"

#include <QList>

// Stands in for the desktop in tests: records every request and answers with `result`.
class RecordingShell : public Shell {
public:
    struct ProgramStart {
        QString program;
        QStringList arguments;
        QString workingFolder;  // empty: started by startProgram
    };

    bool openUrl(const QUrl& url) override
    {
        openedUrls.append(url);
        return result;
    }
    bool startProgram(const QString& program, const QStringList& arguments) override
    {
        startedPrograms.append({program, arguments, {}});
        return result;
    }
    bool startProgramIn(const QString& workingFolder, const QString& program, const QStringList& arguments) override
    {
        startedPrograms.append({program, arguments, workingFolder});
        return result;
    }

    bool showItemProperties(const QString& path) override
    {
        propertiesShown.append(path);
        return propertiesResult;
    }

    bool result = true;
    bool propertiesResult = true;
    QStringList propertiesShown;
    QList<QUrl> openedUrls;
    QList<ProgramStart> startedPrograms;
};
