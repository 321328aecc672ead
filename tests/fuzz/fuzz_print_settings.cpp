// The print window's TolvexPrint.ini: any text is read or refused; what is read is
// inside its ranges and reads back the same once written.
#include "FuzzSupport.h"
#include "viewer/PrintSettings.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const auto read = parsePrintSettings(fuzz::bytesOf(data, size));
    if (!read)
        return 0;
    FUZZ_CHECK(read->QualityIndex >= 0 && read->QualityIndex < kQualities);
    FUZZ_CHECK(read->PaperIndex >= 0 && read->PaperIndex < kPapers);
    FUZZ_CHECK(read->ColorIndex >= 0 && read->ColorIndex < kColourModes);
    FUZZ_CHECK(read->OrientIndex >= 0 && read->OrientIndex < kOrientations);
    FUZZ_CHECK(read->ZoomIndex >= 0 && read->ZoomIndex < kZoomSteps);
    FUZZ_CHECK(read->MarginX >= 0 && read->MarginX <= kMarginMax);
    FUZZ_CHECK(read->MarginY >= 0 && read->MarginY <= kMarginMax);
    const auto again = parsePrintSettings(printSettingsFileText(*read));
    FUZZ_CHECK(again.has_value());
    // The window's place is written as a single-precision number of seven digits:
    // places of eight digits and more (only a hand-edited file has them) come back
    // rounded.
    PrintSettings expected = *read, got = *again;
    int* const places[][2] = {{&expected.top, &got.top}, {&expected.left, &got.left},
                              {&expected.width, &got.width}, {&expected.height, &got.height}};
    for (const auto& place : places)
        if (*place[0] <= -10000000 || *place[0] >= 10000000)
            *place[0] = *place[1] = 0;
    FUZZ_CHECK(got == expected);
    pageSizeTwips(read->PaperIndex, read->OrientIndex);
    marginLabelText(read->MarginX);
    return 0;
}
