// The per-user store (a QSettings INI file): any store file is read, and a value
// saved into a store that takes it reads back as saved.
#include "FuzzSupport.h"
#include "settings/Registry.h"

#include <QSettings>

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    fuzz::quietLogs();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size > 64 * 1024)
        return 0;
    const auto [store, valueBytes] = fuzz::splitAtNul(fuzz::bytesOf(data, size));
    const QString path = fuzz::scratchFolder() + "/VykOndrelSoft.ini";
    fuzz::writeFile(path, store);
    Registry registry(path);
    for (const char* key : {"DatumSet", "FtpPass", "WindowLeft", "x"}) {
        registry.get(key);
        registry.contains(Registry::kSection, key);
    }
    const QString value = QString::fromUtf8(valueBytes);
    registry.save("FuzzValue", value);
    QSettings check(path, QSettings::IniFormat);
    if (check.status() == QSettings::NoError)
        FUZZ_CHECK(registry.get("FuzzValue") == value);
    registry.deleteSetting(Registry::kSection, "FuzzValue");
    FUZZ_CHECK(!registry.contains(Registry::kSection, "FuzzValue") || check.status() != QSettings::NoError);
    return 0;
}
