// The enhanced controls' portable helpers: the spin edits' number text,
// blank-only trimming, scan lines and the Windows version class.
#include "controls/XcBaseUtils.h"

#include <gtest/gtest.h>

#include "controls/CoreSysInfo.h"

namespace {

TEST(NormalizeNumberText, ReadsBothSeparatorsAsTheDecimalOneAndDropsTheRest) {
    const cl::TFormatSettings polish = cl::TFormatSettings::Polish();    // ",", no-break space
    const cl::TFormatSettings english = cl::TFormatSettings::English();  // ".", ","
    const struct {
        const cl::TFormatSettings& settings;
        const char* text;
        const char* result;
    } cases[] = {
        {polish,
         "1\xA0"
         "234,5",
         "1234,5"},
        {polish,
         "  1\xA0"
         "234.5 ",
         "1234,5"},
        {polish, "-12,75", "-12,75"},
        {polish, "+7 zł", "+7"},
        {polish, "1.234,5", "1,234,5"},  // both read as decimal; the conversion judges it
        {polish, "", "0"},
        {polish, "abc", "0"},
        {polish, " - ", "-0"},
        {english, "1,234.5", "1234.5"},  // "," is the thousand separator there
        {english, "3,5", "35"},
        {english, "-", "-0"},
    };
    for (const auto& c : cases) EXPECT_EQ(NormalizeNumberText(c.text, c.settings), c.result) << c.text;
}

TEST(BaseUtils, TrimOnlyBlanksAndSizeScanLines) {
    EXPECT_EQ(TrimSpaces("  a b\t "), "a b\t");
    EXPECT_EQ(TrimLeftSpaces("   "), "");
    EXPECT_EQ(StringOfChar('x', 0), "");
    EXPECT_EQ(ReplaceAll("a--b--", "--", "-"), "a-b-");
    EXPECT_EQ(DeleteChars("1\xA0"
                          "000",
                          '\xA0'),
              "1000");
    EXPECT_EQ(BytesPerScanline(1, 1), 4);
    EXPECT_EQ(BytesPerScanline(33, 1), 8);
    EXPECT_EQ(BytesPerScanline(3, 24), 12);
    EXPECT_EQ(PaletteEntriesFor(4), 16);
    EXPECT_EQ(PaletteEntriesFor(24), 0);
}

TEST(WindowsVersionClass, NamesEachRelease) {
    const struct {
        uint32_t platform, major, minor;
        const char* servicePack;
        uint32_t osFileVersion;
        TWindowsVersion result;
    } cases[] = {
        {1, 4, 0, "", 0, wvWin95},        {1, 4, 0, " B ", 0, wvWin95OSR2},
        {1, 4, 10, "", 0x4000A, wvWin98}, {1, 4, 10, "A", 0x4000A, wvWin98SE},
        {1, 4, 10, "", 0x4005A, wvWinME}, {1, 4, 90, "", 0, wvWinME},
        {2, 3, 51, "", 0, wvWinNT351},    {2, 4, 0, "Service Pack 6", 0, wvWinNT4},
        {2, 5, 1, "", 0, wvWinXP},        {2, 6, 1, "", 0, wvUnknown},
    };
    for (const auto& c : cases)
        EXPECT_EQ(WindowsVersionClass(c.platform, c.major, c.minor, c.servicePack, c.osFileVersion), c.result)
            << c.platform << " " << c.major << "." << c.minor;
}

}  // namespace
