// The settings file (Tolvex.ini): any file is read, repaired or rebuilt, and the
// model it leaves, saved and read again, is the same model.
#include "FuzzSupport.h"
#include "settings/SettingsFile.h"
#include "settings/SettingsFileFormat.h"

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    fuzz::quietLogs();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size > 64 * 1024)
        return 0;
    const QString folder = fuzz::scratchFolder();
    QFile::remove(folder + "/Tolvex.ini.bad");
    fuzz::writeFile(folder + "/Tolvex.ini", fuzz::bytesOf(data, size));

    SettingsModel loaded;
    loaded.AppPath = folder;
    QString name;
    LoadSettings(loaded, name, nullptr);
    FUZZ_CHECK(name == folder + "/Tolvex.ini");

    SaveSettings(loaded, name, nullptr);
    SettingsModel again;
    again.AppPath = folder;
    LoadSettings(again, name, nullptr);
    FUZZ_CHECK(settingsFileLines(again) == settingsFileLines(loaded));
    return 0;
}
