// Text to number and number to text of the numeric edits: stripping of
// unfinished input, grouping with the settings' separator, the blank and
// sign flags, trimming of decimals, the zero tolerance.
#include "controls/numeric/NcKitConvert.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string>

#include "classlib/Exceptions.h"

namespace {

using cl::Extended;
using cl::TFormatSettings;

// Polish grouping: "_" stands for the no-break space (0xA0) of Windows-1250.
std::string G(std::string text) {
    for (char& c : text)
        if (c == '_') c = '\xA0';
    return text;
}

TFormatSettings Polish() {
    return TFormatSettings::Polish();  // "," and 0xA0
}
TFormatSettings SpaceGrouped() {
    TFormatSettings fs = TFormatSettings::Polish();
    fs.ThousandSeparator = ' ';
    return fs;
}
TFormatSettings English() {
    return TFormatSettings::English();  // "." and ","
}

// The process-wide options each test may change, restored afterwards.
class NcConvert : public ::testing::Test {
protected:
    void TearDown() override {
        NcShowPosSignFlag = false;
        NcBlankWhenZeroFlag = false;
        NcRaiseConvertErrors = true;
    }
    static void Flags(bool blankWhenZero, bool showPosSign) {
        NcBlankWhenZeroFlag = blankWhenZero;
        NcShowPosSignFlag = showPosSign;
    }
};

TEST_F(NcConvert, ParseFloatConvertsUnfinishedInputAsTheNumberBeforeIt) {
    const struct {
        TFormatSettings fs;
        std::string text;
        Extended value;
    } cases[] = {
        {SpaceGrouped(), "  1 234,5%  ", 1234.5L},
        {Polish(), G("1_234_567,25"), 1234567.25L},
        {Polish(), "%50", 50},
        {Polish(), "-", 0},
        {Polish(), "", 0},
        {Polish(), "   ", 0},
        {Polish(), "1e", 1},
        {Polish(), "3E", 3},
        {Polish(), "5-", 5},
        {Polish(), "12,", 12},
        {Polish(), "12,+", 12},
        {Polish(), "1 e", 1},
        {Polish(), "-,", 0},
        {Polish(), "  -7,25  ", -7.25L},
        {Polish(), "1,5E3", 1500},
        {Polish(), "2,5e-1", 0.25L},
        {English(), "1,234.5", 1234.5L},
        {English(), "1.5.", 1.5L},
    };
    for (const auto& c : cases) EXPECT_EQ(NcParseFloat(c.text, c.fs), c.value) << c.text;
}

TEST_F(NcConvert, ParseFloatRaisesForBadTextUnlessTurnedOff) {
    for (const char* text : {"1,2,3", "abc", "50%%", "1.5", "1 2"}) {
        SCOPED_TRACE(text);
        NcRaiseConvertErrors = true;
        EXPECT_THROW(NcParseFloat(text, Polish()), cl::EConvertError);
        NcRaiseConvertErrors = false;
        EXPECT_EQ(NcParseFloat(text, Polish()), 0);
    }
}

TEST_F(NcConvert, ParseInt64GivesZeroForAnythingButAWholeNumber) {
    const struct {
        TFormatSettings fs;
        std::string text;
        int64_t value;
    } cases[] = {
        {Polish(), G(" 1_234_567 "), 1234567},
        {SpaceGrouped(), "1 2", 12},
        {Polish(), "1 2", 0},
        {Polish(), "+5", 5},
        {Polish(), "-9223372036854775808", std::numeric_limits<int64_t>::min()},
        {Polish(), "9223372036854775807", std::numeric_limits<int64_t>::max()},
        {Polish(), "9223372036854775808", 0},
        {Polish(), "$FF", 255},
        {Polish(), "12a", 0},
        {Polish(), "-", 0},
        {Polish(), "", 0},
        {Polish(), "1,5", 0},
        {English(), "1,234", 1234},
    };
    for (const auto& c : cases) EXPECT_EQ(NcParseInt64(c.text, c.fs), c.value) << c.text;
}

TEST_F(NcConvert, FormatIntFollowsTheBlankAndSignFlags) {
    const struct {
        bool blank, sign;
        int64_t value;
        const char* text;
        std::string grouped;
    } cases[] = {
        {false, false, 0, "0", "0"},
        {true, false, 0, "", ""},
        {false, true, 0, "0", "0"},
        {false, true, 5, "+5", "+5"},
        {true, true, -5, "-5", "-5"},
        {false, false, 999, "999", "999"},
        {false, true, 1234, "+1234", G("+1_234")},
        {false, false, -1234567, "-1234567", G("-1_234_567")},
        {false, false, std::numeric_limits<int64_t>::min(), "-9223372036854775808",
         G("-9_223_372_036_854_775_808")},
        {false, true, std::numeric_limits<int64_t>::max(), "+9223372036854775807",
         G("+9_223_372_036_854_775_807")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        Flags(c.blank, c.sign);
        EXPECT_EQ(NcFormatInt(c.value), c.text);
        EXPECT_EQ(NcFormatInt64Grouped(c.value, Polish()), c.grouped);
    }
}

TEST_F(NcConvert, GroupsWithTheSeparatorPassedIn) {
    EXPECT_EQ(NcFormatInt64Grouped(-1234567, SpaceGrouped()), "-1 234 567");
    EXPECT_EQ(NcFormatInt64Grouped(1234567, English()), "1,234,567");
    EXPECT_EQ(NcFormatInt64Grouped(999, SpaceGrouped()), "999");
}

TEST_F(NcConvert, FloatFormatsRoundFixAndGroup) {
    const struct {
        bool blank, sign;
        Extended value;
        int decimals;
        const char* fixed;
        std::string number;
    } cases[] = {
        {false, false, 1234.5L, 2, "1234,50", G("1_234,50")},
        {false, false, -1234.5L, 0, "-1235", G("-1_235")},  // ties away from zero
        {false, false, 1234567.891L, 2, "1234567,89", G("1_234_567,89")},
        {false, false, -0.001L, 2, "0,00", "0,00"},  // no minus on a rounded zero
        {false, false, 0, 0, "0", "0"},
        {true, false, 0, 2, "", ""},
        {true, false, 1E-330L, 2, "", ""},
        {true, false, -1E-330L, 2, "", ""},
        {true, false, 0.001L, 2, "0,00", "0,00"},
        {false, true, 2.5L, 1, "+2,5", "+2,5"},
        {false, true, -2.5L, 1, "-2,5", "-2,5"},
        {false, true, 0, 1, "0,0", "0,0"},
        {false, false, 1E20L, 2, "1E20", "1E20"},  // more integer digits than 18
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.fixed);
        Flags(c.blank, c.sign);
        EXPECT_EQ(NcFormatFloatFixed(c.value, c.decimals, Polish()), c.fixed);
        EXPECT_EQ(NcFormatFloatNumber(c.value, c.decimals, Polish()), c.number);
    }
}

TEST_F(NcConvert, TrimmedFormatsDropTrailingDecimalZerosOnly) {
    const struct {
        bool blank, sign;
        Extended value;
        int decimals;
        const char* fixed;
        std::string number;
    } cases[] = {
        {false, false, 3.10L, 2, "3,1", "3,1"},
        {false, false, 3.00L, 2, "3", "3"},
        {false, false, 12.50L, 2, "12,5", "12,5"},
        {false, false, 100, 0, "100", "100"},
        {false, false, 1000, 0, "1000", G("1_000")},
        {false, false, 1000, 2, "1000", G("1_000")},
        {false, false, -0.5L, 3, "-0,5", "-0,5"},
        {false, false, 0, 2, "0", "0"},
        {true, false, 0, 2, "", ""},
        {false, true, 3.1L, 2, "+3,1", "+3,1"},
        {false, false, 1E20L, 2, "1E20", "1E20"},  // no decimal part to trim
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.fixed);
        Flags(c.blank, c.sign);
        EXPECT_EQ(NcFormatFloatFixedTrimmed(c.value, c.decimals, Polish()), c.fixed);
        EXPECT_EQ(NcFormatFloatNumberTrimmed(c.value, c.decimals, Polish()), c.number);
    }
    EXPECT_EQ(NcFormatFloatFixedTrimmed(3.10L, 2, English()), "3.1");
    EXPECT_EQ(NcFormatFloatNumberTrimmed(1234.50L, 2, English()), "1,234.5");
}

TEST_F(NcConvert, ZeroIsEverythingBelowTheSmallestDouble) {
    const struct {
        Extended value;
        bool zero;
    } cases[] = {
        {0, true},         {1E-330L, true},
        {-1E-330L, true},  {std::numeric_limits<double>::denorm_min(), false},
        {-1E-300L, false}, {1, false},
    };
    for (const auto& c : cases) EXPECT_EQ(NcIsZero(c.value), c.zero) << static_cast<double>(c.value);
}

}  // namespace
