// The maker's version file of the update check: any answer of a web server is
// read, and what it offers is judged without a fault.
#include "FuzzSupport.h"
#include "dialogs/UpdateCheck.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const VersionFile file = parseVersionFile(fuzz::bytesOf(data, size));
    if (!file.ok) {
        FUZZ_CHECK(!offerFor(file, 100, 0).has_value());
        return 0;
    }
    versionText(file.number);
    storedNumber(QString::number(file.number));
    if (const auto offer = offerFor(file, runningVersionNumber(1, 0, 0), 0))
        FUZZ_CHECK(file.number > runningVersionNumber(1, 0, 0));
    return 0;
}
