// The paper table: its rows as the printers number and measure them, and
// the lookups by size and by paper code.
#include "preview/PaperSizes.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace {

TEST(PaperSizesTest, RowsCarryTheirCodeSizeAndUnit) {
    struct Case {
        TPaperType type;
        const char* name;
        int code, width, height;
        TUnits unit;
    } const cases[] = {
        {pLetter, "pLetter", 1, 8500, 11000, mmHiEnglish},
        {pLetterSmall, "pLetterSmall", 1, 8500, 11000, mmHiEnglish},
        {pLedger, "pLedger", 4, 17000, 11000, mmHiEnglish},
        {pA3, "pA3", 8, 2970, 4200, mmLoMetric},
        {pA4, "pA4", 9, 2100, 2970, mmLoMetric},
        {pA5, "pA5", 11, 1480, 2100, mmLoMetric},
        {pEnvB6, "pEnvB6", 35, 1760, 1250, mmLoMetric},
        {pEnvInvite, "pEnvInvite", 47, 2200, 2200, mmLoMetric},
        {pLetterExtra, "pLetterExtra", 50, 9500, 12000, mmHiEnglish},
        {TabloidExtra, "TabloidExtra", 52, 11690, 18000, mmHiEnglish},
        {pA4Extra, "pA4Extra", 53, 9270, 12690, mmHiEnglish},
        {pA2, "pA2", 66, 4200, 5940, mmLoMetric},
        {pA3ExtraTransverse, "pA3ExtraTransverse", 68, 3220, 4450, mmLoMetric},
        {pCustom, "pCustom", 256, 0, 0, mmPixel},
    };
    for (const Case& c : cases) {
        const TPaperSize& row = PaperSize(c.type);
        EXPECT_STREQ(row.Name, c.name);
        EXPECT_EQ(row.Code, c.code) << c.name;
        EXPECT_EQ(row.Width, c.width) << c.name;
        EXPECT_EQ(row.Height, c.height) << c.name;
        EXPECT_EQ(row.Unit, c.unit) << c.name;
    }
}

TEST(PaperSizesTest, CodesRiseThroughTheTableWithOneRepeat) {
    EXPECT_EQ(kPaperTypeCount, 67);
    std::set<std::string> names;
    int repeats = 0;
    for (int i = 0; i < kPaperTypeCount; ++i) {
        const TPaperSize& row = PaperSize(static_cast<TPaperType>(i));
        EXPECT_TRUE(names.insert(row.Name).second) << row.Name;
        if (i == 0) continue;
        const int previous = PaperSize(static_cast<TPaperType>(i - 1)).Code;
        EXPECT_GE(row.Code, previous) << row.Name;
        repeats += row.Code == previous;
        if (i < pCustom) {
            EXPECT_GT(row.Width * row.Height, 0) << row.Name;
        }
    }
    EXPECT_EQ(repeats, 1);  // pLetterSmall shares pLetter's code
}

TEST(PaperSizesTest, FindsTheFirstRowOfAMatchingSize) {
    struct Case {
        int width, height;
        TUnits unit;
        TPaperType expected;
    } const cases[] = {
        {21000, 29700, mmHiMetric, pA4},  // never pA4Small or pA4Transverse
        {2100, 2970, mmLoMetric, pA4},        {21005, 29709, mmHiMetric, pA4},  // 0.01 mm to 0.1 mm truncates
        {11906, 16838, mmTWIPS, pA4},         {8500, 11000, mmHiEnglish, pLetter},
        {850, 1100, mmLoEnglish, pLetter},    {21590, 27940, mmHiMetric, pLetter},
        {17000, 11000, mmHiEnglish, pLedger}, {42000, 59400, mmHiMetric, pA2},
        {29700, 21000, mmHiMetric, pCustom},  // A4 across: the table is portrait
        {15000, 20000, mmHiMetric, pCustom},  {1, 5, mmHiMetric, pCustom},
    };
    for (const Case& c : cases)
        EXPECT_EQ(FindPaperTypeBySize(c.width, c.height, c.unit, 96), c.expected)
            << c.width << " x " << c.height << " in unit " << c.unit;
}

TEST(PaperSizesTest, FindsTheFirstRowOfAPaperCode) {
    struct Case {
        int code;
        TPaperType expected;
    } const cases[] = {
        {1, pLetter},   {9, pA4},      {66, pA2},    {68, pA3ExtraTransverse},
        {256, pCustom}, {48, pCustom}, {0, pCustom}, {65536 + 9, pA4},  // compared as 16 bits
    };
    for (const Case& c : cases) EXPECT_EQ(PaperTypeByCode(c.code), c.expected) << c.code;
}

TEST(PaperSizesTest, AutomaticFormNameGivesWholeMillimetres) {
    EXPECT_EQ(AutoFormName(15000, 20000), "150mm x 200mm");
    EXPECT_EQ(AutoFormName(21099, 29799), "210mm x 297mm");
    EXPECT_EQ(AutoFormName(42000, 59400), "420mm x 594mm");
}

}  // namespace
