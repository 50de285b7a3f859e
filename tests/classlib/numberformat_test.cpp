#include "classlib/NumberFormat.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <cstdint>
#include <limits>

#include "classlib/Exceptions.h"

namespace cl {
namespace {

using F = TFloatFormat;

// "\240" in the expected texts is the no-break space 0xA0, the Polish thousands separator.
const TFormatSettings kPolish = TFormatSettings::Polish();
const TFormatSettings kEnglish = TFormatSettings::English();

TFormatSettings WithoutGrouping() {
    TFormatSettings fs = TFormatSettings::Polish();
    fs.ThousandSeparator = '\0';
    return fs;
}

const Extended kInf = std::numeric_limits<Extended>::infinity();
const Extended kNaN = std::numeric_limits<Extended>::quiet_NaN();
const Extended kDenormMin = std::numeric_limits<Extended>::denorm_min();

struct FormatCase {
    Extended value;
    TFloatFormat format;
    int precision;
    int digits;
    const char* expected;
};

TEST(FloatToStrF, FormatsTableWithPolishSeparators) {
    const FormatCase cases[] = {
        // ties go away from zero
        {0.125L, F::ffFixed, 18, 2, "0,13"},
        {2.5L, F::ffFixed, 15, 0, "3"},
        {-2.5L, F::ffFixed, 15, 0, "-3"},
        {0.5L, F::ffFixed, 15, 0, "1"},
        {1.5L, F::ffNumber, 15, 0, "2"},
        // 1.005 as a double is 1.00499999999999989...: 15 digits round it up first
        {static_cast<double>(1.005), F::ffFixed, 15, 2, "1,01"},
        {static_cast<double>(1.005), F::ffFixed, 18, 2, "1,00"},
        // -0.005L is -0.0049999999999999999998...: 18 digits give -0.005
        {-0.005L, F::ffFixed, 18, 2, "-0,01"},
        // no minus on a value that rounds to zero
        {-0.001L, F::ffFixed, 15, 2, "0,00"},
        {-0.004L, F::ffNumber, 16, 2, "0,00"},
        {-0.4L, F::ffFixed, 15, 0, "0"},
        {-0.0L, F::ffFixed, 15, 2, "0,00"},
        {-0.0L, F::ffGeneral, 15, 0, "0"},
        {-0.0L, F::ffExponent, 4, 2, "0,000E+00"},
        // grouping
        {static_cast<double>(1234567.891), F::ffNumber, 16, 2, "1\240234\240567,89"},
        {static_cast<double>(-1234567.891), F::ffNumber, 16, 2, "-1\240234\240567,89"},
        {static_cast<double>(999.995), F::ffNumber, 16, 2, "1\240000,00"},
        {999.0L, F::ffNumber, 16, 2, "999,00"},
        {100000.0L, F::ffNumber, 16, 0, "100\240000"},
        {1234567.891L, F::ffFixed, 16, 2, "1234567,89"},
        // padding and the clamps of digits and precision
        {0.1L, F::ffFixed, 15, 18, "0,100000000000000000"},
        {0.1L, F::ffFixed, 15, 30, "0,100000000000000000"},
        {0.1L, F::ffFixed, 15, -3, "0"},
        {1.0L / 3, F::ffGeneral, 30, 0, "0,333333333333333333"},
        {1.0L / 3, F::ffGeneral, 0, 0, "0,33"},
        // fixed falls back to general when the integer part exceeds the precision
        {1e20L, F::ffFixed, 15, 2, "1E20"},
        {1e20L, F::ffNumber, 15, 2, "1E20"},
        {123456789012345.678L, F::ffFixed, 15, 2, "123456789012346,00"},
        {9999999999999999.0L, F::ffNumber, 15, 2, "1E16"},
        // general: fixed notation down to 0.0001, then exponents
        {0.1L, F::ffGeneral, 15, 0, "0,1"},
        {123.456L, F::ffGeneral, 15, 0, "123,456"},
        {-1.25L, F::ffGeneral, 15, 0, "-1,25"},
        {0.0001L, F::ffGeneral, 15, 0, "0,0001"},
        {0.00001L, F::ffGeneral, 15, 0, "1E-5"},
        {1.5e-7L, F::ffGeneral, 15, 0, "1,5E-7"},
        {123456789012345.0L, F::ffGeneral, 15, 0, "123456789012345"},
        {1e15L, F::ffGeneral, 15, 0, "1E15"},
        {1e20L, F::ffGeneral, 15, 4, "1E0020"},
        {2.0L / 3, F::ffGeneral, 15, 0, "0,666666666666667"},
        {1e-300L, F::ffGeneral, 15, 0, "1E-300"},
        // the ends of the extended range are expanded exactly
        {LDBL_MAX, F::ffGeneral, 18, 0, "1,18973149535723177E4932"},
        {kDenormMin, F::ffGeneral, 18, 0, "3,6451995318824746E-4951"},
        {LDBL_MIN, F::ffGeneral, 18, 0, "3,36210314311209351E-4932"},
        // exponent format keeps all digits and a signed exponent
        {1234.5L, F::ffExponent, 5, 2, "1,2345E+03"},
        {-0.000123L, F::ffExponent, 3, 4, "-1,23E-0004"},
        {1e20L, F::ffExponent, 15, 3, "1,00000000000000E+020"},
        {9.96L, F::ffExponent, 2, 0, "1,0E+1"},
        // infinities and NaN in every format
        {kInf, F::ffGeneral, 15, 0, "INF"},
        {-kInf, F::ffNumber, 16, 2, "-INF"},
        {kNaN, F::ffFixed, 15, 2, "NAN"},
        {kNaN, F::ffExponent, 15, 2, "NAN"},
    };
    for (const FormatCase& c : cases) {
        EXPECT_EQ(FloatToStrF(c.value, c.format, c.precision, c.digits, kPolish), c.expected)
            << "value " << static_cast<double>(c.value) << " format " << static_cast<int>(c.format)
            << " precision " << c.precision << " digits " << c.digits;
    }
}

TEST(FloatToStrF, NulThousandSeparatorGroupsNothing) {
    EXPECT_EQ(FloatToStrF(1234567.891L, F::ffNumber, 16, 2, WithoutGrouping()), "1234567,89");
}

TEST(FloatToStrF, UsesTheSeparatorsOfTheSettings) {
    EXPECT_EQ(FloatToStrF(1234567.891L, F::ffNumber, 16, 2, kEnglish), "1,234,567.89");
    EXPECT_EQ(FloatToStr(0.5L, kEnglish), "0.5");
}

TEST(FloatToStr, UsesFifteenDigitsGeneralFormat) {
    const struct {
        Extended value;
        const char* expected;
    } cases[] = {
        {0.1L, "0,1"},
        {1e20L, "1E20"},
        {123.456L, "123,456"},
        {0.0L, "0"},
        {static_cast<double>(0.1), "0,1"},
        {1.0 / 3, "0,333333333333333"},
        {-1e-10L, "-1E-10"},
    };
    for (const auto& c : cases) EXPECT_EQ(FloatToStr(c.value, kPolish), c.expected);
}

TEST(StrToFloat, ParsesValidTextCorrectlyRounded) {
    // The compiler rounds long double literals correctly: it is the reference.
    const struct {
        const char* text;
        Extended expected;
    } cases[] = {
        {"0", 0.0L},
        {"1,5", 1.5L},
        {" -1,5 ", -1.5L},
        {"\t2\t", 2.0L},
        {"+3", 3.0L},
        {",5", 0.5L},
        {"5,", 5.0L},
        {"1e3", 1000.0L},
        {"1E+3", 1000.0L},
        {"1,5e-3", 1.5e-3L},
        {"0,1", 0.1L},
        {"0,3", 0.3L},
        {"00012,50000", 12.5L},
        {"123456789012345678901234567890", 123456789012345678901234567890.0L},
        {"1,7976931348623157e308", 1.7976931348623157e308L},
        {"1e4932", 1e4932L},
        {"1,189731495357231765021263853031e4932", LDBL_MAX},
        {"3,3621031431120935062626778173217526025981e-4932", LDBL_MIN},
        {"3,6451995318824746025e-4951", kDenormMin},
        {"2e-4951", kDenormMin},
        {"1e-4952", 0.0L},
        {"1e-999999999999", 0.0L},
        {"0e999999999999", 0.0L},
        {"1,23456789e-4940", 1.23456789e-4940L},
        {"0,1000000000000000000000000000000000000000000000001", 0.1L},
        // exact ties between neighbours round to the even mantissa
        {"1,0000000000000000000542101086242752217003726400434970855712890625", 1.0L},
        {"1,0000000000000000001626303258728256651011179201304912567138671875",
         1.0000000000000000001626303258728256651011179201304912567138671875L},
        {"1,00000000000000000005421010862427522170037264004349708557128906251",
         1.00000000000000000005421010862427522170037264004349708557128906251L},
    };
    for (const auto& c : cases) {
        Extended v = -99.0L;
        EXPECT_TRUE(TryStrToFloat(c.text, v, kPolish)) << c.text;
        EXPECT_EQ(v, c.expected) << c.text;
        EXPECT_EQ(StrToFloat(c.text, kPolish), c.expected) << c.text;
    }
    EXPECT_EQ(StrToFloat("1,0000000000000000000542101086242752217003726400434970855712890626", kPolish),
              1.0L + LDBL_EPSILON);
}

TEST(StrToFloat, RejectsMalformedText) {
    const char* const cases[] = {
        "",    " ",    ",",   "+",      "-",    "1,2,3", "1.5",   "inf",      "nan",
        "INF", "0x10", "$10", "1e",     "1e+",  "e5",    "1 234", "1\240234", "--1",
        "+-1", "1-",   "abc", "1,5 e3", "1e 3", "1e3,5", ",e1",   "12a",
    };
    for (const char* text : cases) {
        Extended v = 7.0L;
        EXPECT_FALSE(TryStrToFloat(text, v, kPolish)) << text;
        EXPECT_EQ(v, 7.0L) << text;
        EXPECT_THROW(StrToFloat(text, kPolish), EConvertError) << text;
    }
}

TEST(StrToFloat, RaisesOnOverflowOfTheExtendedRange) {
    const char* const cases[] = {"1e5000", "-1e5000", "1,2e4932",
                                 "1,18973149535723176508575932662800702e4932", "1e999999999999"};
    for (const char* text : cases) {
        Extended v;
        EXPECT_FALSE(TryStrToFloat(text, v, kPolish)) << text;
        EXPECT_THROW(StrToFloat(text, kPolish), EConvertError) << text;
    }
}

TEST(StrToFloat, AcceptsOnlyTheSettingsDecimalSeparator) {
    EXPECT_EQ(StrToFloat("1.5", kEnglish), 1.5L);
    EXPECT_THROW(StrToFloat("1,5", kEnglish), EConvertError);
}

TEST(StrToFloat, MessageQuotesTheText) {
    try {
        StrToFloat("abc", kPolish);
        FAIL() << "no exception";
    } catch (const EConvertError& e) {
        EXPECT_EQ(e.Message(), "'abc' is not a valid floating point value");
    }
}

TEST(StrToFloat, ReadsBackFixedTextOfTwoDecimals) {
    const Extended values[] = {0.01L, 1234.56L, -98765.43L, 0.1L + 0.2L};
    for (Extended v : values) {
        const std::string text = FloatToStrF(v, F::ffFixed, 18, 2, kPolish);
        EXPECT_EQ(FloatToStrF(StrToFloat(text, kPolish), F::ffFixed, 18, 2, kPolish), text);
    }
}

TEST(StrToInt, ParsesDecimalAndHexText) {
    const struct {
        const char* text;
        int32_t expected;
    } cases[] = {
        {"0", 0},
        {"123", 123},
        {" -45 ", -45},
        {"\t+7", 7},
        {"$FF", 255},
        {"0x10", 16},
        {"0X1f", 31},
        {"-$10", -16},
        {"2147483647", INT32_MAX},
        {"-2147483648", INT32_MIN},
        {"$7FFFFFFF", INT32_MAX},
        {"$FFFFFFFF", -1},  // hex text spans the unsigned range
        {"$80000000", INT32_MIN},
        {"000000000000000000000012", 12},
    };
    for (const auto& c : cases) {
        int32_t v = 0;
        EXPECT_TRUE(TryStrToInt(c.text, v)) << c.text;
        EXPECT_EQ(v, c.expected) << c.text;
        EXPECT_EQ(StrToInt(c.text), c.expected) << c.text;
        EXPECT_EQ(StrToIntDef(c.text, 99), c.expected) << c.text;
    }
}

TEST(StrToInt, RejectsBadAndOutOfRangeText) {
    const char* const cases[] = {
        "",           " ",          "-",
        "+",          "2147483648", "-2147483649",
        "$100000000", "1.5",        "1,5",
        "12a",        "0x",         "$",
        "1 2",        "abc",        "99999999999999999999999",
        "--1",        "0x-1",       "$ 1",
        "1e3",
    };
    for (const char* text : cases) {
        int32_t v = 5;
        EXPECT_FALSE(TryStrToInt(text, v)) << text;
        EXPECT_EQ(v, 5) << text;
        EXPECT_THROW(StrToInt(text), EConvertError) << text;
        EXPECT_EQ(StrToIntDef(text, 99), 99) << text;
    }
}

TEST(StrToInt64, CoversTheWholeSignedRange) {
    const struct {
        const char* text;
        int64_t expected;
    } cases[] = {
        {"9223372036854775807", INT64_MAX}, {"-9223372036854775808", INT64_MIN}, {"$FFFFFFFFFFFFFFFF", -1},
        {"0x8000000000000000", INT64_MIN},  {"2147483648", 2147483648LL},        {" -12 ", -12},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(StrToInt64(c.text), c.expected) << c.text;
        EXPECT_EQ(StrToInt64Def(c.text, 7), c.expected) << c.text;
    }
    const char* const bad[] = {"9223372036854775808", "-9223372036854775809", "$10000000000000000", "x"};
    for (const char* text : bad) {
        int64_t v = 3;
        EXPECT_FALSE(TryStrToInt64(text, v)) << text;
        EXPECT_EQ(v, 3) << text;
        EXPECT_THROW(StrToInt64(text), EConvertError) << text;
        EXPECT_EQ(StrToInt64Def(text, 7), 7) << text;
    }
}

TEST(StrToInt, MessageQuotesTheText) {
    try {
        StrToInt("12x");
        FAIL() << "no exception";
    } catch (const EConvertError& e) {
        EXPECT_EQ(e.Message(), "'12x' is not a valid integer value");
    }
}

TEST(GroupDigits, GroupsByThreeFromTheRight) {
    const struct {
        int64_t value;
        char separator;
        const char* expected;
    } cases[] = {
        {0, '\xA0', "0"},
        {999, '\xA0', "999"},
        {1000, '\xA0', "1\240000"},
        {-1000, '\xA0', "-1\240000"},
        {-999999, ' ', "-999 999"},
        {1234567, '\0', "1234567"},
        {INT64_MAX, ' ', "9 223 372 036 854 775 807"},
        {INT64_MIN, ' ', "-9 223 372 036 854 775 808"},
    };
    for (const auto& c : cases) EXPECT_EQ(GroupDigits(c.value, c.separator), c.expected) << c.value;
}

#ifdef _WIN32
// The Wine test environment runs with the Polish locale.
TEST(FormatSettings, ReadsPolishSeparatorsFromTheLocale) {
    const TFormatSettings fs = LocaleFormatSettings();
    EXPECT_EQ(fs.DecimalSeparator, ',');
    EXPECT_EQ(fs.ThousandSeparator, '\xA0');
    EXPECT_EQ(fs.DateSeparator, '.');
    EXPECT_EQ(FormatSettings().DecimalSeparator, ',');
}
#endif

}  // namespace
}  // namespace cl
