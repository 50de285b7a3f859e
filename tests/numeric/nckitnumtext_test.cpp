// What the numeric edits show for a value, regrouping while typing, and
// the decimal-places limit of typed digits.
#include "controls/numeric/NcKitNumText.h"

#include <gtest/gtest.h>

#include <string>

#include "controls/numeric/NcKitGlobals.h"

namespace {

using cl::TFormatSettings;

// "_" stands for the no-break space (0xA0), Polish grouping.
std::string G(std::string text) {
    for (char& c : text)
        if (c == '_') c = '\xA0';
    return text;
}

const TFormatSettings kPolish = TFormatSettings::Polish();

TEST(NcNumText, IntegerDisplayFollowsTheOptions) {
    const struct {
        int64_t value;
        NcNumberDisplay display;
        std::string text;
    } cases[] = {
        {1234567, {}, "1234567"},
        {-1234567, {.grouped = true}, G("-1_234_567")},
        {0, {.showPosSign = true}, "0"},
        {0, {.blankWhenZero = true}, ""},
        {42, {.zeroPad = true, .maxLength = 6}, "000042"},
        {-42, {.zeroPad = true, .maxLength = 6}, "-00042"},
        {42, {.showPosSign = true, .zeroPad = true, .maxLength = 6}, "+00042"},
        {42, {.zeroPad = true, .maxLength = 0}, "42"},  // 0 is no limit, not the window's
        {0, {.blankWhenZero = true, .zeroPad = true, .maxLength = 6}, "000000"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(NcIntDisplayText(c.value, c.display, kPolish), c.text) << c.value;
        EXPECT_FALSE(NcShowPosSignFlag);
        EXPECT_FALSE(NcBlankWhenZeroFlag);
    }
}

TEST(NcNumText, FloatDisplayFollowsTheOptions) {
    const struct {
        cl::Extended value;
        int decimals;
        NcNumberDisplay display;
        std::string text;
    } cases[] = {
        {0, 4, {}, "0,0000"},
        {1234.5L, 2, {}, "1234,50"},
        {-1234.5L, 2, {.grouped = true}, G("-1_234,50")},
        {1234.5L, 2, {.grouped = true, .trimmed = true}, G("1_234,5")},
        {2.5L, 2, {.showPosSign = true}, "+2,50"},
        {0, 2, {.blankWhenZero = true}, ""},
        {-4.2L, 1, {.zeroPad = true, .maxLength = 6}, "-004,2"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(NcFloatDisplayText(c.value, c.decimals, c.display, kPolish), c.text);
}

TEST(NcNumText, RegroupingKeepsTheCaretsDistanceFromTheEnd) {
    TFormatSettings spaced = kPolish;
    spaced.ThousandSeparator = ' ';
    const struct {
        TFormatSettings fs;
        std::string text;
        int caret;
        std::string grouped;
        int newCaret;
    } cases[] = {
        {spaced, "1234567", 7, "1 234 567", 9},
        {spaced, "12 3456", 3, "123 456", 3},  // typed in the middle
        {spaced, "-1234,5678", 10, "-1 234,5678", 11},
        {kPolish, "1234567,5", 0, G("1_234_567,5"), 2},
        {kPolish, "+123", 4, "+123", 4},
    };
    for (const auto& c : cases) {
        const NcRegrouped r = NcRegroupThousands(c.text, c.caret, c.fs);
        EXPECT_EQ(r.text, c.grouped) << c.text;
        EXPECT_EQ(r.caret, c.newCaret) << c.text;
    }
}

TEST(NcNumText, DigitsBeyondTheDecimalPlacesAreRefusedOnlyBehindTheSeparator) {
    const struct {
        std::string text;
        int caret;
        int places;
        bool full;
    } cases[] = {
        {"1,23", 4, 2, true},  {"1,2", 3, 2, false}, {"1,23", 2, 2, false},  // directly behind ","
        {"1,23", 1, 2, false}, {"123", 3, 2, false}, {"1,234", 5, 2, true},
        {"1,", 2, 0, false},   {"1,5", 3, 0, true},
    };
    for (const auto& c : cases) EXPECT_EQ(NcDecimalsFull(c.text, c.caret, c.places, ','), c.full) << c.text;
}

}  // namespace
