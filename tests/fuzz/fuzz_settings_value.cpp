// WriteIniValue on any settings file: the value lands on the line after the last
// key line, and no other line read from the file changes.
#include "FuzzSupport.h"
#include "settings/IniReader.h"
#include "settings/SettingsFile.h"
#include "settings/SettingsFileFormat.h"

#include <QRegularExpression>
#include <QVariant>

namespace {

const char* const kKeys[] = {"[Device]", "[NoConfirmDelete]", "[PicturePath]", "[StampText]", "", "[", "x"};

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    fuzz::quietLogs();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 2 || size > 64 * 1024)
        return 0;
    const QString key = QString::fromLatin1(kKeys[data[0] % std::size(kKeys)]);
    const bool number = data[1] & 1;
    const auto [file, valueBytes] = fuzz::splitAtNul(fuzz::bytesOf(data + 2, size - 2));
    // A value line holds no line end and, to stay findable, no key.
    QString text = QString::fromUtf8(valueBytes);
    text.remove(QRegularExpression("[\\r\\n\\[]"));
    const QVariant value = number ? QVariant(qint64(valueBytes.size()) - 100) : QVariant(text);

    const QString folder = fuzz::scratchFolder();
    const QString path = folder + "/Tolvex.ini";
    fuzz::writeFile(path, file);
    const auto before = readIniFileLines(path);
    SettingsModel s;
    s.AppPath = folder;
    WriteIniValue(s, key, value);
    const auto after = readIniFileLines(path);
    FUZZ_CHECK(before.has_value() == after.has_value());
    if (!before)
        return 0;
    qsizetype index = -1;
    for (qsizetype i = 0; i < before->size(); ++i)
        if (before->at(i).trimmed() == key)
            index = i + 1;
    if (key.size() < 2 || index < 0) {
        FUZZ_CHECK(fuzz::readFile(path) == file);
        return 0;
    }
    FUZZ_CHECK(after->size() > index);
    FUZZ_CHECK(after->at(index) == valueLineText(value));
    for (qsizetype i = 0; i < before->size(); ++i)
        if (i != index)
            FUZZ_CHECK(after->at(i) == before->at(i));
    return 0;
}
