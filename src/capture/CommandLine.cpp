#include "capture/CommandLine.h"

#include "core/SettingsModel.h"

int CommandLineSwitches::startMode() const
{
    if (minimize && tiny)
        return kStartMinimizedTiny;
    if (tiny)
        return kStartTiny;
    if (minimize)
        return kStartMinimized;
    return -1;
}

CommandLineSwitches parseCommandLine(const QString& commandLine)
{
    const QString cmd = commandLine.trimmed().toLower();
    CommandLineSwitches sw;
    sw.reset = cmd.contains("/reset");
    sw.secondCopy = !commandLine.isEmpty() && commandLine.endsWith("/2");
    sw.start = cmd.contains("/start");
    sw.minimize = cmd.contains("/minimize");
    sw.tiny = cmd.contains("/tiny");
    const int at = cmd.indexOf("/device");
    if (at >= 0) {
        sw.device = true;
        const int next = at + 7;
        const QChar c = next < cmd.size() ? cmd.at(next) : QChar();
        sw.deviceIndex = (c >= '0' && c <= '9') ? c.unicode() - '0' : 0;
    }
    sw.record = cmd.contains("/record");
    return sw;
}
