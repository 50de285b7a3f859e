// Typed text to values and values to display texts by data type, and the
// amount validator's limits.
#include "engine/ValueConversion.h"

#include <gtest/gtest.h>

#include "classlib/Currency.h"
#include "classlib/DateTime.h"
#include "classlib/Exceptions.h"
#include "engine/Validators.h"

namespace {

using cl::Variant;

const cl::TFormatSettings kPolish = cl::TFormatSettings::Polish();

TEST(ConvertTypedText, ConvertsByDataTypeAfterRemovingBlanks) {
    struct Case {
        const char* text;
        int32_t type;
        Variant value;
    };
    const Case cases[] = {
        {"1 234,5", 6, Variant(1234.5)},
        {"1\u00A0234,5", 5, Variant(1234.5)},
        {"-0,25", 4, Variant(-0.25)},
        {"", 6, Variant()},
        {"1 000", 3, Variant(int32_t{1000})},
        {"-7", 2, Variant(int32_t{-7})},
        {"  ", 20, Variant()},
        {"", 11, Variant(false)},
        {"nie", 11, Variant(true)},
        {"12.05.2008", 7, Variant::FromDate(cl::EncodeDate(2008, 5, 12))},
        {"", 7, Variant()},
        {"a b", 13, Variant("a b")},  // other codes keep the text
    };
    for (const Case& c : cases) {
        const Variant v = ConvertTypedText(c.text, c.type, kPolish);
        EXPECT_TRUE(v.SameTypeAndValue(c.value)) << c.text << " as " << c.type << ": " << v.VarType();
    }
    EXPECT_FALSE(ConvertsTypedText(256));
    EXPECT_TRUE(ConvertsTypedText(6));
}

TEST(ConvertTypedText, RaisesForTextThatIsNotOfTheType) {
    struct Case {
        const char* text;
        int32_t type;
    };
    const Case cases[] = {{"abc", 6},        {"12.5", 6},       {"1,5", 3},  {"99999999999", 3},
                          {"12-05-2008", 7}, {"32.01.2008", 7}, {"x", 16385}};
    for (const Case& c : cases)
        EXPECT_THROW(ConvertTypedText(c.text, c.type, kPolish), cl::EConvertError)
            << c.text << " as " << c.type;
}

TEST(DisplayText, ShowsEachTypeInTheLocalesForm) {
    struct Case {
        Variant value;
        int32_t type;
        int32_t digits;
        const char* text;
    };
    const Case cases[] = {
        {Variant(cl::Currency::FromRaw(12345000)), 6, 2, "1\u00A0234,50"},
        {Variant(1234567.891), 5, 2, "1\u00A0234\u00A0567,89"},
        {Variant(2.5), 6, 0, "3"},  // ties away from zero
        {Variant(-2.5), 6, 0, "-3"},
        {Variant(1.005), 6, 2, "1,01"},  // the nearest double is below: 16 digits first
        {Variant(-0.001), 6, 2, "0,00"},
        {Variant(1234.5), 6, 4, "1\u00A0234,5000"},
        {Variant(int32_t{-1234}), 3, 2, "-1234"},
        {Variant(2.5), 3, 0, "2"},  // integer fields round half to even
        {Variant(true), 11, 0, "X"},
        {Variant(false), 11, 0, ""},
        {Variant::FromDate(cl::EncodeDate(2008, 5, 12)), 7, 0, "12.05.2008"},
        {Variant::FromDate(cl::EncodeDate(2008, 5, 12) + 0.5), 16385, 0, "12.05.2008 12:00:00"},
        {Variant("tekst"), 256, 0, "tekst"},
        {Variant(12.5), 256, 2, "12,5"},
        {Variant(12.5), 13, 2, ""},
        {Variant(), 6, 2, ""},
        {Variant::Null(), 256, 0, ""},
        {Variant("abc"), 6, 2, ""},
        {Variant::BareCode(13), 256, 0, ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(DisplayText(c.value, c.type, c.digits, kPolish), c.text)
            << c.value.VarType() << " " << c.type;
}

TEST(DataUr_ValChange, TakesADayOfTheCalendarInItsShapeAndRefusesAnyOther) {
    const struct {
        const char* text;
        bool ok;
    } cases[] = {
        {"31.12.2004", true},    {"29.02.2020", true},  // a leap year
        {"29.02.2000", true},                           // divisible by 400
        {"29.02.1900", false},                          // by 100, not by 400
        {"29.02.2019", false},   {"31.02.2020", false}, {"31.04.2021", false},
        {"31.05.2021", true},    {"00.01.2020", false}, {"15.13.2020", false},
        {"15.00.2020", false},   {"01.01.0000", false},  // there is no year 0
        {"12.05.2008 r.", true}, {"1a.05.2008", false}, {"12-05-2008", false},
        {"1.05.2008", false},
    };
    for (const auto& c : cases) {
        Variant v(std::string(c.text));
        bool ok = true;
        DataUr_ValChange(v, ok);
        EXPECT_EQ(ok, c.ok) << c.text;
        EXPECT_EQ(v.AsRawString(), c.text) << "the value is left as typed";
    }
    Variant empty(std::string("  .  .    "));
    bool ok = true;
    DataUr_ValChange(empty, ok);
    EXPECT_TRUE(ok);
    EXPECT_EQ(empty.AsRawString(), "");
}

TEST(Kwota2_ValChange, RefusesAmountsBeyondTheCurrencyRangeAndTakesGroupedText) {
    cl::SetFormatSettings(kPolish);
    struct Case {
        Variant v;
        bool ok;
    };
    const Case cases[] = {
        {Variant("1\u00A0234,50"), true},
        {Variant(922337203685477.0), true},
        {Variant(-922337203685477.0), true},
        {Variant(1e15), false},
        {Variant(-1e15), false},
        {Variant("1000000000000000"), false},
        {Variant(cl::Currency::FromRaw(INT64_MAX)), true},
        {Variant::BareCode(13), false},
    };
    for (const Case& c : cases) {
        Variant v = c.v;
        bool ok = true;
        Kwota2_ValChange(v, ok);
        EXPECT_EQ(ok, c.ok) << c.v.VarType();
    }
}

}  // namespace
