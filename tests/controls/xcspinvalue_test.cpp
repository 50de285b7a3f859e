// The spin edits' numbers without a window: text read and written by value
// type and display format, the keys a text takes, the limits with their
// automatic checks, and the halves of a spin button.
#include "controls/XcSpinValue.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace {

using cl::Extended;
using cl::TFormatSettings;

const TFormatSettings kPolish = TFormatSettings::Polish();
const TFormatSettings kEnglish = TFormatSettings::English();
// The print setup's spin edits.
const TSpinTextFormat kPrintSetup{vtFloat, 1, false, ""};

TEST(SpinText, ParsesByValueType) {
    struct Case {
        std::string text;
        TSpinTextFormat format;
        std::optional<Extended> value;
    } const cases[] = {
        {"-50,0", kPrintSetup, -50},
        {"2,5", kPrintSetup, 2.5},
        {"7", kPrintSetup, 7},
        {"-", kPrintSetup, std::nullopt},
        {"", kPrintSetup, std::nullopt},
        {",", kPrintSetup, std::nullopt},
        {"2.5", kPrintSetup, std::nullopt},
        {"1\xA0"
         "234,5",
         kPrintSetup, 1234.5},
        {"1\xA0"
         "234,5",
         {vtFloat, 2, false, ",0.##"},
         1234.5},
        {"-", {vtFloat, 2, false, ",0.##"}, 0},
        {"12", {vtInteger, 2, false, ""}, 12},
        {"1,5", {vtInteger, 2, false, ""}, std::nullopt},
        {"FF", {vtHex, 2, false, ""}, 255},
        {"", {vtHex, 2, false, ""}, std::nullopt},
        {"G", {vtHex, 2, false, ""}, std::nullopt},
    };
    for (const Case& c : cases) EXPECT_EQ(ParseSpinText(c.text, c.format, kPolish), c.value) << c.text;
}

TEST(SpinText, ADecimalIsTakenRoundedToItsPlacesAsItShows) {
    const struct {
        std::string text;
        TSpinTextFormat format;
        std::string shown;  // the same value with no more places than Decimal
    } cases[] = {
        {"0,25", kPrintSetup, "0,3"},
        {"-0,25", kPrintSetup, "-0,3"},
        {"0,24", kPrintSetup, "0,2"},
        {"49,96", kPrintSetup, "50"},
        {"12,345", {vtFloat, 2, false, ""}, "12,35"},
        {"1\xA0"
         "234,567",
         {vtFloat, 2, false, ",0.##"},
         "1234,57"},
        {"2,5", {vtFloat, 0, false, ""}, "3"},
    };
    for (const auto& c : cases) {
        const std::optional<Extended> taken = ParseSpinText(c.text, c.format, kPolish);
        ASSERT_TRUE(taken) << c.text;
        EXPECT_EQ(taken, ParseSpinText(c.shown, c.format, kPolish)) << c.text;
    }
}

TEST(SpinText, FormatsWithoutANegativeZero) {
    struct Case {
        Extended value;
        TSpinTextFormat format;
        const TFormatSettings& fs;
        std::string text;
    } const cases[] = {
        {-50, kPrintSetup, kPolish, "-50,0"},
        {7, kPrintSetup, kPolish, "7,0"},
        {-0.04L, kPrintSetup, kPolish, "0,0"},
        {-0.0L, kPrintSetup, kPolish, "0,0"},
        {1234567,
         {vtInteger, 2, true, ""},
         kPolish,
         "1\xA0"
         "234\xA0"
         "567"},
        {1234.5, {vtFloat, 2, false, ",0.##"}, kEnglish, "1,234.5"},
        {1234.5,
         {vtFloat, 2, false, ",0.##"},
         kPolish,
         "1\xA0"
         "234,5"},
        {-0.001L, {vtFloat, 2, false, "0.##"}, kPolish, "0"},
        {0.5, {vtFloat, 2, false, "#.00"}, kEnglish, ".50"},
        {12.345L, {vtFloat, 2, false, "0.0#"}, kEnglish, "12.35"},
        {-3, {vtFloat, 2, false, "0 zł"}, kPolish, "-3 zł"},
        {255, {vtHex, 2, false, ""}, kPolish, "FF"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(FormatSpinValue(c.value, c.format, c.fs), c.text) << static_cast<double>(c.value);
    EXPECT_EQ(FocusedFloatPattern(2), "0.##");
    EXPECT_EQ(FocusedFloatPattern(0), "0");
}

TEST(SpinText, TakesTheKeysOfItsType) {
    const TSpinTextFormat hex{vtHex, 2, false, ""};
    const TSpinTextFormat grouped{vtFloat, 2, true, ""};
    TFormatSettings dotGroups = kPolish;
    dotGroups.ThousandSeparator = '.';
    struct Case {
        char key;
        std::string text;
        TSpinTextFormat format;
        bool editorEnabled;
        const TFormatSettings& fs;
        bool valid;
    } const cases[] = {
        {'5', "", kPrintSetup, true, kPolish, true},
        {'-', "", kPrintSetup, true, kPolish, true},
        {',', "2", kPrintSetup, true, kPolish, true},
        {'.', "2", kPrintSetup, true, kPolish, true},
        {',', "2,5", kPrintSetup, true, kPolish, false},
        {'.', "2,5", kPrintSetup, true, kPolish, false},
        {'.', "2", grouped, true, dotGroups, false},
        {'e', "2", kPrintSetup, true, kPolish, true},
        {'E', "2E", kPrintSetup, true, kPolish, false},
        {'a', "", kPrintSetup, true, kPolish, false},
        {'a', "", hex, true, kPolish, true},
        {'G', "", hex, true, kPolish, false},
        {'\b', "", kPrintSetup, true, kPolish, true},
        {'\b', "", kPrintSetup, false, kPolish, false},
        {'\x03', "", kPrintSetup, false, kPolish, true},
        {'5', "", kPrintSetup, false, kPolish, false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(IsValidSpinChar(c.key, c.text, c.format, c.editorEnabled, c.fs), c.valid)
            << "'" << c.key << "' after \"" << c.text << "\"";
}

TEST(SpinLimits, ChecksFollowTheLimitsUntilSetWhileLoading) {
    TSpinLimits printSetup;
    printSetup.SetMinValue(-50);
    printSetup.SetMaxValue(50);
    EXPECT_TRUE(printSetup.CheckMinValue() && printSetup.CheckMaxValue());
    EXPECT_EQ(printSetup.Clamp(75), 50);
    EXPECT_EQ(printSetup.Clamp(-60), -50);

    TSpinLimits both;
    both.SetMaxValue(10);
    EXPECT_TRUE(both.CheckMaxValue());
    EXPECT_TRUE(both.CheckMinValue()) << "the minimum's check was at its default";
    both.SetCheckMaxValue(false);
    EXPECT_TRUE(both.CheckMaxValue()) << "a check stays on while its limit is set";
    both.SetMaxValue(0);
    EXPECT_FALSE(both.CheckMaxValue());
    EXPECT_FALSE(both.CheckMinValue());
    EXPECT_EQ(both.Clamp(-5), -5);

    TSpinLimits loaded;
    loaded.SetCheckMinValue(false, true);
    loaded.SetMaxValue(10);
    EXPECT_TRUE(loaded.CheckMaxValue());
    EXPECT_FALSE(loaded.CheckMinValue()) << "assigned while loading";
    loaded.Loaded();
    loaded.SetMaxValue(0);
    EXPECT_FALSE(loaded.CheckMaxValue());

    TSpinLimits stored;
    EXPECT_FALSE(stored.IsCheckMaxValueStored());
    stored.SetCheckMaxValue(true);
    EXPECT_TRUE(stored.IsCheckMaxValueStored());
}

TEST(SpinLimits, CheckValueRaisesOnlyWhenAsked) {
    TSpinLimits limits;
    limits.SetMinValue(-50);
    limits.SetMaxValue(50);
    EXPECT_EQ(limits.CheckValue(75, false, kPolish), 50);
    try {
        limits.CheckValue(75, true, kPolish);
        FAIL() << "no ERangeError";
    } catch (const ERangeError& e) {
        EXPECT_EQ(e.Message(), "Value must be between -50 and 50");
    }
    EXPECT_EQ(limits.CheckValue(12.5, true, kPolish), 12.5);
}

TEST(SpinStep, IntegerTypesRoundTheIncrement) {
    EXPECT_EQ(StepFor(vtInteger, 0.4L), 1);
    EXPECT_EQ(StepFor(vtInteger, 2.6L), 3);
    EXPECT_EQ(StepFor(vtHex, 0), 1);
    EXPECT_EQ(StepFor(vtFloat, 0.5L), 0.5L);
}

TEST(SpinHalf, DiagonalSplitsOnTheLineFromBottomLeftToTopRight) {
    // 20 x 20: the line runs through (10, 10); on it is the top half.
    EXPECT_EQ(SpinHalfAt(true, 20, 20, 10, 10), shTop);
    EXPECT_EQ(SpinHalfAt(true, 20, 20, 10, 11), shBottom);
    EXPECT_EQ(SpinHalfAt(true, 20, 20, 0, 19), shTop);
    EXPECT_EQ(SpinHalfAt(true, 20, 20, 19, 2), shBottom);
    // 15 x 21: at x = 5 the line is at y = 14.
    EXPECT_EQ(SpinHalfAt(true, 15, 21, 5, 14), shTop);
    EXPECT_EQ(SpinHalfAt(true, 15, 21, 5, 15), shBottom);
    EXPECT_EQ(SpinHalfAt(false, 20, 21, 19, 10), shTop);
    EXPECT_EQ(SpinHalfAt(false, 20, 21, 0, 11), shBottom);
    EXPECT_EQ(SpinHalfAt(true, 0, 20, 0, 0), shNone);
}

}  // namespace
