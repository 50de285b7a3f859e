// Units of the print preview: the conversion table both ways, its
// truncating entries, rounding, and the edges of the arithmetic.
#include "preview/Units.h"

#include <gtest/gtest.h>

#include <climits>

namespace {

constexpr TUnits kUnits[] = {mmPixel, mmLoMetric, mmHiMetric, mmLoEnglish, mmHiEnglish, mmTWIPS, mmPoints};

// One inch in each unit, with pixels at 300 per inch.
int OneInch(TUnits unit) {
    switch (unit) {
        case mmPixel:
            return 300;
        case mmLoMetric:
            return 254;
        case mmHiMetric:
            return 2540;
        case mmLoEnglish:
            return 100;
        case mmHiEnglish:
            return 1000;
        case mmTWIPS:
            return 1440;
        case mmPoints:
            return 72;
    }
    return 0;
}

TEST(ConvertUnitTest, OneInchIsOneInchInEveryPairOfUnits) {
    for (TUnits from : kUnits)
        for (TUnits to : kUnits)
            for (int inches : {1, 3, -2})
                EXPECT_EQ(ConvertUnit(inches * OneInch(from), 300, from, to, 300), inches * OneInch(to))
                    << "from " << from << " to " << to << ", " << inches << " in";
}

TEST(ConvertUnitTest, TableEntriesRoundOrTruncateAsListed) {
    struct Case {
        int value, dpi;
        TUnits from, to;
        int expected;
    } const cases[] = {
        {2100, 96, mmLoMetric, mmHiMetric, 21000}, {2100, 600, mmLoMetric, mmHiMetric, 21000},
        {25, 96, mmHiMetric, mmLoMetric, 2},  // div 10, not rounded
        {29, 96, mmHiMetric, mmLoMetric, 2},       {-25, 96, mmHiMetric, mmLoMetric, -2},  // toward zero
        {19, 96, mmHiEnglish, mmLoEnglish, 1},     {39, 96, mmTWIPS, mmPoints, 1},         // div 20
        {7, 96, mmPoints, mmTWIPS, 140},           {254, 300, mmLoMetric, mmPixel, 300},
        {127, 96, mmLoMetric, mmLoEnglish, 50},  // MulDiv rounds: 50.0
        {1, 96, mmLoMetric, mmLoEnglish, 0},     // 0.39
        {2, 96, mmLoMetric, mmLoEnglish, 1},     // 0.79
        {18, 96, mmHiMetric, mmPoints, 1},       // 0.51
        {21000, 96, mmHiMetric, mmPixel, 794},   // 793.7
        {29700, 96, mmHiMetric, mmPixel, 1123},  // 1122.52
        {794, 96, mmPixel, mmHiMetric, 21008},   // 21007.9
        {96, 300, mmPixel, mmPixel, 300},        // from the screen's 96 dpi to 300
        {21000, 96, mmHiMetric, mmTWIPS, 11906},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ConvertUnit(c.value, c.dpi, c.from, c.to, 96), c.expected)
            << c.value << " from " << c.from << " to " << c.to << " at " << c.dpi;
}

TEST(ConvertUnitTest, UnknownUnitLeavesTheValue) {
    EXPECT_EQ(ConvertUnit(7, 96, static_cast<TUnits>(9), mmHiMetric, 96), 7);
    EXPECT_EQ(ConvertUnit(7, 96, mmHiMetric, static_cast<TUnits>(-1), 96), 7);
}

TEST(ConvertUnitTest, HugeValuesClampInsteadOfOverflowing) {
    EXPECT_EQ(ConvertUnit(INT_MAX, 96, mmLoMetric, mmHiMetric, 96), INT_MAX);
    EXPECT_EQ(ConvertUnit(INT_MIN, 96, mmPoints, mmTWIPS, 96), INT_MIN);
    EXPECT_EQ(ConvertUnit(INT_MAX, 2400, mmPoints, mmPixel, 96), INT_MAX);
    EXPECT_EQ(ConvertUnit(1000, 0, mmHiMetric, mmPixel, 96), 0);
    EXPECT_EQ(ConvertUnit(1000, 0, mmPixel, mmHiMetric, 96), 0);
}

TEST(MulDiv64Test, RoundsHalfAwayFromZeroAndRefusesWhatDoesNotFit) {
    struct Case {
        int a, b, c, expected;
    } const cases[] = {
        {5, 1, 2, 3},         {-5, 1, 2, -3},
        {5, -1, 2, -3},       {5, 1, -2, -3},
        {-5, -1, -2, -3},     {7, 1, 3, 2},
        {8, 1, 3, 3},         {100, 2, 3, 67},
        {100, 1, 3, 33},      {0, 5, 7, 0},
        {1, 1, 0, -1},        {INT_MAX, 2, 2, INT_MAX},
        {INT_MAX, 2, 1, -1},  {INT_MIN, 1, 1, INT_MIN},
        {INT_MIN, -1, 1, -1}, {65536, 65536, 65536, 65536},
    };
    for (const Case& c : cases)
        EXPECT_EQ(MulDiv64(c.a, c.b, c.c), c.expected) << c.a << "*" << c.b << "/" << c.c;
}

}  // namespace
