// Variant arithmetic, comparisons and casts as the statement's sums use them.
#include "classlib/Variant.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <functional>
#include <limits>
#include <ostream>
#include <string>
#include <vector>

#include "classlib/Exceptions.h"

namespace cl {

// Shows the code and the raw payload, without the conversions under test.
void PrintTo(const Variant& v, std::ostream* os) {
    *os << "type " << v.VarType() << " ";
    if (v.IsString())
        *os << '"' << v.AsRawString() << '"';
    else if (v.VarType() == varCurrency)
        *os << "raw " << v.AsRawCurrency().Raw();
    else if (v.VarType() == varBoolean)
        *os << (v.AsRawBool() ? "true" : "false");
    else if (v.VarType() == varSingle || v.VarType() == varDouble || v.VarType() == varDate)
        *os << std::to_string(v.AsRawDouble());
    else if (v.IsNumeric())
        *os << v.AsRawInt();
}

}  // namespace cl

namespace {

using namespace cl;

Variant Cur(int64_t raw) {
    return Variant(Currency::FromRaw(raw));
}
Variant Cur(double value) {
    return Cur(static_cast<int64_t>(std::llround(value * 10000)));
}
Variant DateVar(double value) {
    return Variant::FromDate(value);
}
Variant Null() {
    return Variant::Null();
}
Variant Empty() {
    return Variant();
}

constexpr int64_t kCurMax = std::numeric_limits<int64_t>::max();
constexpr int64_t kCurMin = std::numeric_limits<int64_t>::min();

// Polish separators with the date format fixed, since Wine's differs from Windows'.
TFormatSettings Polish() {
    TFormatSettings fs = TFormatSettings::Polish();
    fs.DateSeparator = '.';
    fs.ShortDateFormat = "dd.MM.yyyy";
    fs.LongTimeFormat = "HH:mm:ss";
    return fs;
}

TFormatSettings English() {
    TFormatSettings fs = TFormatSettings::English();
    fs.DateSeparator = '/';
    fs.ShortDateFormat = "M/d/yyyy";
    fs.LongTimeFormat = "HH:mm:ss";
    return fs;
}

enum class Raised { Nothing, TypeCast, Overflow, InvalidOp, Other };

const char* Name(Raised r) {
    switch (r) {
        case Raised::Nothing:
            return "nothing";
        case Raised::TypeCast:
            return "EVariantTypeCastError";
        case Raised::Overflow:
            return "EVariantOverflowError";
        case Raised::InvalidOp:
            return "EVariantInvalidOpError";
        default:
            return "another exception";
    }
}

Raised RaisedBy(const std::function<void()>& f, std::string* message = nullptr) {
    try {
        f();
        return Raised::Nothing;
    } catch (const Exception& e) {
        if (message) *message = e.Message();
        if (dynamic_cast<const EVariantTypeCastError*>(&e)) return Raised::TypeCast;
        if (dynamic_cast<const EVariantOverflowError*>(&e)) return Raised::Overflow;
        if (dynamic_cast<const EVariantInvalidOpError*>(&e)) return Raised::InvalidOp;
        return Raised::Other;
    }
}

struct BinaryCase {
    const char* name;
    Variant a, b, expected;
};

void CheckBinary(const std::vector<BinaryCase>& cases,
                 Variant (*op)(const Variant&, const Variant&, const TFormatSettings&)) {
    const TFormatSettings fs = Polish();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Variant r = op(c.a, c.b, fs);
        EXPECT_TRUE(r.SameTypeAndValue(c.expected))
            << ::testing::PrintToString(r) << " expected " << ::testing::PrintToString(c.expected);
    }
}

TEST(VariantArithmetic, AddFollowsTypeRules) {
    CheckBinary(
        {
            {"currency+currency", Cur(1.5), Cur(2.25), Cur(3.75)},
            {"currency+double", Cur(1.5), Variant(2.25), Cur(3.75)},
            {"double+currency", Variant(2.25), Cur(1.5), Cur(3.75)},
            {"currency+integer", Cur(1.5), Variant(2), Cur(3.5)},
            {"currency+single", Cur(1.5), Variant::FromSingle(0.5f), Cur(2.0)},
            {"currency+int64", Cur(1.5), Variant::FromInt64(2), Cur(3.5)},
            {"currency+boolean true is minus one", Cur(1.5), Variant(true), Cur(0.5)},
            {"double+double", Variant(1.5), Variant(2.25), Variant(3.75)},
            {"single+single gives double", Variant::FromSingle(0.5f), Variant::FromSingle(0.25f),
             Variant(0.75)},
            {"single+integer gives double", Variant::FromSingle(0.5f), Variant(1), Variant(1.5)},
            {"integer+double", Variant(1), Variant(0.5), Variant(1.5)},
            {"integer+integer", Variant(2), Variant(3), Variant(5)},
            {"smallint+byte gives integer", Variant::FromSmallint(-2), Variant::FromByte(200), Variant(198)},
            {"word+shortint gives integer", Variant::FromWord(65535), Variant::FromShortInt(-1),
             Variant(65534)},
            {"integer leaving 32 bits gives int64", Variant(INT32_MAX), Variant(1),
             Variant::FromInt64(2147483648LL)},
            {"int64 operand gives int64", Variant::FromInt64(1), Variant(1), Variant::FromInt64(2)},
            {"large longword gives int64", Variant::FromLongWord(4000000000u), Variant(0),
             Variant::FromInt64(4000000000LL)},
            {"boolean+boolean gives integer", Variant(true), Variant(true), Variant(-2)},
            {"boolean+integer", Variant(true), Variant(5), Variant(4)},
            {"date+integer gives date", DateVar(39580), Variant(1), DateVar(39581)},
            {"date+double gives date", DateVar(39580), Variant(0.5), DateVar(39580.5)},
            {"integer+date gives date", Variant(2), DateVar(39580), DateVar(39582)},
            {"date+currency gives date", DateVar(39580), Cur(1.5), DateVar(39581.5)},
            {"empty+currency", Empty(), Cur(12.34), Cur(12.34)},
            {"currency+empty", Cur(12.34), Empty(), Cur(12.34)},
            {"empty+double", Empty(), Variant(2.5), Variant(2.5)},
            {"empty+integer", Empty(), Variant(7), Variant(7)},
            {"empty+int64", Empty(), Variant::FromInt64(7), Variant::FromInt64(7)},
            {"empty+date", Empty(), DateVar(39580), DateVar(39580)},
            {"empty+empty stays empty", Empty(), Empty(), Empty()},
            {"string+number reads the string", Variant("1,5"), Variant(1), Variant(2.5)},
            {"string+currency gives currency", Cur(1.0), Variant(" 0,25 "), Cur(1.25)},
            {"string+string concatenates", Variant("1"), Variant("2"), Variant("12")},
            {"empty+string concatenates", Empty(), Variant("ab"), Variant("ab")},
            {"string+empty concatenates", Variant("ab"), Empty(), Variant("ab")},
            {"olestr+olestr stays olestr", Variant::FromOleStr("a"), Variant::FromOleStr("b"),
             Variant::FromOleStr("ab")},
            {"olestr+string gives string", Variant::FromOleStr("a"), Variant("b"), Variant("ab")},
        },
        VarAdd);
}

TEST(VariantArithmetic, SubtractFollowsTypeRules) {
    CheckBinary(
        {
            {"empty-empty stays empty", Empty(), Empty(), Empty()},
            {"empty-currency negates", Empty(), Cur(5.0), Cur(-5.0)},
            {"currency-empty", Cur(5.0), Empty(), Cur(5.0)},
            {"currency-double", Cur(5.0), Variant(0.25), Cur(4.75)},
            {"double-double", Variant(5.0), Variant(0.25), Variant(4.75)},
            {"date-date gives days as double", DateVar(39580.5), DateVar(39570), Variant(10.5)},
            {"date-integer gives date", DateVar(39580), Variant(10), DateVar(39570)},
            {"integer leaving 32 bits gives int64", Variant(INT32_MIN), Variant(1),
             Variant::FromInt64(-2147483649LL)},
            {"string-string reads both", Variant("10,5"), Variant("0,5"), Variant(10.0)},
            {"empty-string reads the string", Empty(), Variant("2,5"), Variant(-2.5)},
        },
        VarSub);
}

TEST(VariantArithmetic, MultiplyFollowsTypeRules) {
    CheckBinary(
        {
            {"currency times minus one", Cur(1234.5), Variant(-1), Cur(-1234.5)},
            {"currency times double minus one", Cur(1234.5), Variant(-1.0), Cur(-1234.5)},
            {"double times currency", Variant(2.0), Cur(1.25), Cur(2.5)},
            {"double times minus one", Variant(2.5), Variant(-1), Variant(-2.5)},
            {"currency product rounds half to even down", Cur(int64_t{1}), Cur(0.5), Cur(int64_t{0})},
            {"currency product rounds half to even up", Cur(int64_t{3}), Cur(0.5), Cur(int64_t{2})},
            {"empty times currency is zero currency", Empty(), Cur(5.0), Cur(0.0)},
            {"empty times double is zero double", Variant(5.0), Empty(), Variant(0.0)},
            {"empty times empty stays empty", Empty(), Empty(), Empty()},
            {"integer product leaving 32 bits gives int64", Variant(65536), Variant(65536),
             Variant::FromInt64(4294967296LL)},
            {"boolean times integer", Variant(true), Variant(3), Variant(-3)},
            {"date times integer gives date", DateVar(2), Variant(3), DateVar(6)},
        },
        VarMul);
}

TEST(VariantArithmetic, NullInAnOperandGivesNull) {
    const Variant others[] = {Empty(),      Null(),         Variant(1), Cur(1.0),
                              Variant(1.5), Variant("abc"), DateVar(1)};
    for (auto op : {VarAdd, VarSub, VarMul}) {
        for (const auto& other : others) {
            SCOPED_TRACE(::testing::PrintToString(other));
            EXPECT_TRUE(op(Null(), other, Polish()).IsNull());
            EXPECT_TRUE(op(other, Null(), Polish()).IsNull());
        }
    }
}

TEST(VariantArithmetic, DoublesRoundHalfToEvenIntoCurrency) {
    // Binary fractions whose fifth decimal is exactly 5, so the tie is real.
    CheckBinary(
        {
            {"0.03125 rounds down to even", Cur(0.0), Variant(0.03125), Cur(int64_t{312})},
            {"0.09375 rounds up to even", Cur(0.0), Variant(0.09375), Cur(int64_t{938})},
            {"-0.03125 rounds to even", Cur(0.0), Variant(-0.03125), Cur(int64_t{-312})},
        },
        VarAdd);
}

TEST(VariantArithmetic, CurrencySumsAreExact) {
    Variant tenth = Cur(int64_t{1000});
    EXPECT_TRUE((tenth + Cur(int64_t{2000})).SameTypeAndValue(Cur(int64_t{3000})));

    Variant sum;
    for (int i = 0; i < 1000; ++i) sum = sum + Cur(int64_t{100});  // 1000 x 0.01
    EXPECT_TRUE(sum.SameTypeAndValue(Cur(int64_t{100000})));

    // Typed doubles joining a currency sum are rounded once each, then added exactly.
    Variant mixed = Cur(0.0) + Variant(0.1) + Variant(0.2);
    EXPECT_TRUE(mixed.SameTypeAndValue(Cur(int64_t{3000})));
    EXPECT_TRUE((Cur(0.3) - mixed).SameTypeAndValue(Cur(0.0)));
}

TEST(VariantArithmetic, SumOfFieldsStaysEmptyOnlyWhenAllAreEmpty) {
    // Operands folded left to right with their signs, as a sum rule does.
    struct Case {
        const char* name;
        std::vector<std::pair<int, Variant>> operands;
        Variant expected;
    };
    const Case cases[] = {
        {"all empty", {{+1, Empty()}, {+1, Empty()}, {-1, Empty()}}, Empty()},
        {"one currency", {{+1, Empty()}, {+1, Cur(5.0)}, {+1, Empty()}}, Cur(5.0)},
        {"only a subtracted currency", {{+1, Empty()}, {-1, Cur(5.0)}}, Cur(-5.0)},
        {"typed doubles only", {{+1, Variant(1.5)}, {+1, Empty()}, {+1, Variant(2.0)}}, Variant(3.5)},
        {"double then currency", {{+1, Variant(1.5)}, {-1, Cur(0.25)}, {+1, Empty()}}, Cur(1.25)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Variant sum = c.operands[0].second;
        for (size_t i = 1; i < c.operands.size(); ++i)
            sum = c.operands[i].first > 0 ? sum + c.operands[i].second : sum - c.operands[i].second;
        EXPECT_TRUE(sum.SameTypeAndValue(c.expected)) << ::testing::PrintToString(sum);
    }
}

TEST(VariantArithmetic, NegatingWhenPositiveLeavesEmptyAlone) {
    struct Case {
        Variant value, expected;
    };
    const Case cases[] = {
        {Empty(), Empty()},           {Cur(5.0), Cur(-5.0)},         {Cur(-5.0), Cur(-5.0)},
        {Variant(0.0), Variant(0.0)}, {Variant(2.5), Variant(-2.5)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::PrintToString(c.value));
        Variant r = c.value;
        if (r > Variant(0)) r = r * Variant(-1);
        EXPECT_TRUE(r.SameTypeAndValue(c.expected)) << ::testing::PrintToString(r);
    }
}

TEST(VariantArithmetic, UnaryMinusKeepsEmptyAndPromotes) {
    struct Case {
        Variant value, expected;
    };
    const Case cases[] = {
        {Empty(), Empty()},
        {Null(), Null()},
        {Variant(5), Variant(-5)},
        {Variant(INT32_MIN), Variant::FromInt64(2147483648LL)},
        {Variant::FromSmallint(5), Variant(-5)},
        {Variant(true), Variant(1)},
        {Cur(1.5), Cur(-1.5)},
        {Variant(2.5), Variant(-2.5)},
        {Variant("2"), Variant(-2.0)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::PrintToString(c.value));
        Variant r = -c.value;
        EXPECT_TRUE(r.SameTypeAndValue(c.expected)) << ::testing::PrintToString(r);
    }
}

TEST(VariantArithmetic, RaisesOnTextBareCodesAndOverflow) {
    const TFormatSettings pl = Polish(), en = English();
    struct Case {
        const char* name;
        std::function<Variant()> op;
        Raised expected;
        const char* message;  // checked when set
    };
    const Case cases[] = {
        {"text not a number + number", [&] { return VarAdd(Variant("abc"), Variant(1), pl); },
         Raised::TypeCast, "Could not convert variant of type (String) into type (Double)"},
        {"currency + text not a number", [&] { return VarAdd(Cur(1.0), Variant("12,5 zł"), pl); },
         Raised::TypeCast, nullptr},
        {"empty text + number", [&] { return VarAdd(Variant(""), Variant(1), pl); }, Raised::TypeCast,
         nullptr},
        {"Polish text with English settings", [&] { return VarAdd(Variant("1,5"), Variant(1), en); },
         Raised::TypeCast, nullptr},
        {"olestr not a number - number", [&] { return VarSub(Variant::FromOleStr("x"), Variant(1), pl); },
         Raised::TypeCast, "Could not convert variant of type (OleStr) into type (Double)"},
        {"text - text not a number", [&] { return VarSub(Variant("1"), Variant("a"), pl); }, Raised::TypeCast,
         nullptr},
        {"bare code + number", [&] { return VarAdd(Variant::BareCode(varUnknown), Variant(1), pl); },
         Raised::InvalidOp, "Invalid variant operation"},
        {"number * array code",
         [&] { return VarMul(Variant(1), Variant::BareCode(varArray | varInteger), pl); }, Raised::InvalidOp,
         nullptr},
        {"bare code + empty", [&] { return VarAdd(Variant::BareCode(varDispatch), Empty(), pl); },
         Raised::InvalidOp, nullptr},
        {"bare code + null", [&] { return VarAdd(Variant::BareCode(varError), Null(), pl); },
         Raised::InvalidOp, nullptr},
        {"currency max + 0.0001", [&] { return VarAdd(Cur(kCurMax), Cur(int64_t{1}), pl); }, Raised::Overflow,
         "Variant overflow"},
        {"currency min - 0.0001", [&] { return VarSub(Cur(kCurMin), Cur(int64_t{1}), pl); }, Raised::Overflow,
         nullptr},
        {"currency max * 2", [&] { return VarMul(Cur(kCurMax), Variant(2), pl); }, Raised::Overflow, nullptr},
        {"currency * currency too large", [&] { return VarMul(Cur(1e9), Cur(1e9), pl); }, Raised::Overflow,
         nullptr},
        {"currency + double beyond range", [&] { return VarAdd(Cur(1.0), Variant(1e300), pl); },
         Raised::Overflow, nullptr},
        {"currency + NaN", [&] { return VarAdd(Cur(1.0), Variant(std::nan("")), pl); }, Raised::Overflow,
         nullptr},
        {"integer beyond currency range + currency",
         [&] { return VarAdd(Variant::FromInt64(INT64_MAX), Cur(1.0), pl); }, Raised::Overflow, nullptr},
        {"negated currency min", [&] { return -Cur(kCurMin); }, Raised::Overflow, nullptr},
        {"int64 max + 1", [&] { return VarAdd(Variant::FromInt64(INT64_MAX), Variant(1), pl); },
         Raised::Overflow, nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        std::string message;
        Raised r = RaisedBy([&] { c.op(); }, &message);
        EXPECT_EQ(r, c.expected) << Name(r);
        if (c.message) {
            EXPECT_EQ(message, c.message);
        }
    }
}

TEST(VariantCompare, ComparesByValueAcrossTypes) {
    struct Case {
        const char* name;
        Variant a, b;
        bool equal, less, greater;
    };
    const Case cases[] = {
        {"empty vs integer zero", Empty(), Variant(0), true, false, false},
        {"empty vs currency zero", Empty(), Cur(0.0), true, false, false},
        {"empty vs negative double", Empty(), Variant(-1.0), false, false, true},
        {"empty vs positive currency", Empty(), Cur(0.01), false, true, false},
        {"empty vs empty", Empty(), Empty(), true, false, false},
        {"empty vs empty text", Empty(), Variant(""), true, false, false},
        {"empty vs text", Empty(), Variant("a"), false, true, false},
        {"null vs null", Null(), Null(), true, false, false},
        {"null vs empty", Null(), Empty(), false, true, false},
        {"null vs zero", Null(), Variant(0), false, true, false},
        {"zero vs null", Variant(0), Null(), false, false, true},
        {"null vs empty text", Null(), Variant(""), false, true, false},
        {"currency vs same double", Cur(1234.5), Variant(1234.5), true, false, false},
        {"currency vs double a tenth", Cur(0.1), Variant(0.1), true, false, false},
        {"currency vs double differing past four decimals", Cur(1.0), Variant(1.00001), true, false, false},
        {"currency vs larger double", Cur(1.0), Variant(1.0001), false, true, false},
        {"currency vs double beyond its range", Cur(kCurMax), Variant(1e300), false, true, false},
        {"integer vs double", Variant(2), Variant(2.5), false, true, false},
        {"int64 vs nearby double", Variant::FromInt64((int64_t{1} << 53) + 1), Variant(9007199254740992.0),
         false, false, true},
        {"longword vs negative integer", Variant::FromLongWord(4000000000u), Variant(-1), false, false, true},
        {"true vs minus one", Variant(true), Variant(-1), true, false, false},
        {"date vs double", DateVar(39580.5), Variant(39580.5), true, false, false},
        {"number text vs integer", Variant("2"), Variant(2), true, false, false},
        {"text vs text", Variant("abc"), Variant("abd"), false, true, false},
        {"upper case before lower case", Variant("B"), Variant("a"), false, true, false},
        {"case matters", Variant("a"), Variant("A"), false, false, true},
        {"bytes compare unsigned", Variant("ż"), Variant("z"), false, false, true},
        {"olestr vs string", Variant::FromOleStr("x"), Variant("x"), true, false, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(c.a == c.b, c.equal);
        EXPECT_EQ(c.a != c.b, !c.equal);
        EXPECT_EQ(c.a < c.b, c.less);
        EXPECT_EQ(c.a > c.b, c.greater);
        EXPECT_EQ(c.b == c.a, c.equal);
        EXPECT_EQ(c.b < c.a, c.greater);
    }
}

TEST(VariantCompare, RaisesOnBareCodesAndText) {
    EXPECT_EQ(RaisedBy([] { (void)(Variant::BareCode(varUnknown) == Variant(0)); }), Raised::InvalidOp);
    EXPECT_EQ(RaisedBy([] { (void)(Variant::BareCode(varUnknown) == Variant::BareCode(varUnknown)); }),
              Raised::InvalidOp);
    EXPECT_EQ(RaisedBy([] { (void)(Variant("abc") < Variant(1)); }), Raised::TypeCast);
}

TEST(VariantSameTypeAndValue, NeedsSameCodeAndPayload) {
    struct Case {
        const char* name;
        Variant a, b;
        bool same;
    };
    const Case cases[] = {
        {"double vs currency of the same amount", Variant(1234.5), Cur(1234.5), false},
        {"double vs same double", Variant(1234.5), Variant(1234.5), true},
        {"currency vs same currency", Cur(1234.5), Cur(1234.5), true},
        {"currency vs other currency", Cur(1234.5), Cur(1234.51), false},
        {"integer vs smallint", Variant(5), Variant::FromSmallint(5), false},
        {"integer vs same integer", Variant(5), Variant(5), true},
        {"negative smallint vs same", Variant::FromSmallint(-5), Variant::FromSmallint(-5), true},
        {"single vs double", Variant::FromSingle(0.5f), Variant(0.5), false},
        {"date vs double", DateVar(1.0), Variant(1.0), false},
        {"empty vs empty", Empty(), Empty(), true},
        {"null vs null", Null(), Null(), true},
        {"empty vs null", Empty(), Null(), false},
        {"empty vs empty text", Empty(), Variant(""), false},
        {"text vs same text", Variant("a"), Variant("a"), true},
        {"text vs other case", Variant("a"), Variant("A"), false},
        {"string vs olestr", Variant("a"), Variant::FromOleStr("a"), false},
        {"true vs true", Variant(true), Variant(true), true},
        {"true vs false", Variant(true), Variant(false), false},
        {"same bare code", Variant::BareCode(varUnknown), Variant::BareCode(varUnknown), true},
        {"other bare code", Variant::BareCode(varUnknown), Variant::BareCode(varDispatch), false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(c.a.SameTypeAndValue(c.b), c.same);
        EXPECT_EQ(c.b.SameTypeAndValue(c.a), c.same);
    }
}

TEST(VariantConstruction, KeepsCodeAndWidenedPayload) {
    struct Case {
        Variant v;
        uint16_t code;
        int64_t raw;
    };
    const Case cases[] = {
        {Variant(-7), varInteger, -7},
        {Variant::FromSmallint(-32768), varSmallint, -32768},
        {Variant::FromShortInt(-128), varShortInt, -128},
        {Variant::FromByte(255), varByte, 255},
        {Variant::FromWord(65535), varWord, 65535},
        {Variant::FromLongWord(4294967295u), varLongWord, 4294967295LL},
        {Variant::FromInt64(INT64_MIN), varInt64, INT64_MIN},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.v.VarType(), c.code);
        EXPECT_EQ(c.v.AsRawInt(), c.raw);
        EXPECT_TRUE(c.v.IsNumeric());
    }
    for (uint16_t code : {uint16_t{varUnknown}, uint16_t{14}, uint16_t{0x2003}, uint16_t{0x4005}}) {
        Variant v = Variant::BareCode(code);
        EXPECT_EQ(v.VarType(), code);
        EXPECT_FALSE(v.IsNumeric());
        EXPECT_FALSE(v.IsString());
    }
}

// Casts: one table per target, each row with the settings it reads strings with.
struct DoubleCast {
    const char* name;
    Variant v;
    TFormatSettings fs;
    double expected;
};

TEST(VariantCast, ToDoubleConvertsNumbersAndLocaleText) {
    const DoubleCast cases[] = {
        {"empty", Empty(), Polish(), 0.0},
        {"integer", Variant(7), Polish(), 7.0},
        {"longword", Variant::FromLongWord(4294967295u), Polish(), 4294967295.0},
        {"true", Variant(true), Polish(), -1.0},
        {"currency", Cur(1.25), Polish(), 1.25},
        {"single", Variant::FromSingle(0.5f), Polish(), 0.5},
        {"date", DateVar(2.5), Polish(), 2.5},
        {"Polish text", Variant("1,5"), Polish(), 1.5},
        {"Polish text with blanks", Variant(" -2,25 "), Polish(), -2.25},
        {"English text", Variant("1.5"), English(), 1.5},
        {"olestr", Variant::FromOleStr("3"), Polish(), 3.0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(c.v.ToDouble(c.fs), c.expected);
        EXPECT_EQ(c.v.ToExtended(c.fs), static_cast<Extended>(c.expected));
    }
}

TEST(VariantCast, ToIntegerRoundsHalfToEven) {
    struct Case {
        const char* name;
        Variant v;
        int32_t expected;
    };
    const Case cases[] = {
        {"empty", Empty(), 0},
        {"double 2.5", Variant(2.5), 2},
        {"double 3.5", Variant(3.5), 4},
        {"double -2.5", Variant(-2.5), -2},
        {"double -3.5", Variant(-3.5), -4},
        {"double 2.6", Variant(2.6), 3},
        {"currency 2.5", Cur(2.5), 2},
        {"currency 3.5", Cur(3.5), 4},
        {"currency -2.5", Cur(-2.5), -2},
        {"currency -1.5", Cur(-1.5), -2},
        {"currency 2.5001", Cur(2.5001), 3},
        {"currency -0.5", Cur(-0.5), 0},
        {"currency -0.5001", Cur(-0.5001), -1},
        {"Polish text 2,5", Variant("2,5"), 2},
        {"text 7", Variant("7"), 7},
        {"true", Variant(true), -1},
        {"int64 in range", Variant::FromInt64(INT32_MAX), INT32_MAX},
        {"lowest tie rounds to the range", Variant(-2147483648.5), INT32_MIN},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(c.v.ToInteger(Polish()), c.expected);
    }
}

TEST(VariantCast, ToIntegerOutsideInt32Overflows) {
    const Variant cases[] = {
        Variant(2147483648.0),
        Variant(2147483647.5),
        Variant::FromInt64(2147483648LL),
        Variant::FromLongWord(4000000000u),
        Cur(2147483648.0),
        Variant(std::nan("")),
        Variant("1e10"),
    };
    for (const auto& v : cases) {
        SCOPED_TRACE(::testing::PrintToString(v));
        EXPECT_EQ(RaisedBy([&] { v.ToInteger(Polish()); }), Raised::Overflow);
    }
}

TEST(VariantCast, ToInt64RoundsAndChecksRange) {
    EXPECT_EQ(Variant(1e18).ToInt64(), 1000000000000000000LL);
    EXPECT_EQ(Variant::FromLongWord(4000000000u).ToInt64(), 4000000000LL);
    EXPECT_EQ(Cur(kCurMax).ToInt64(), 922337203685478LL);
    EXPECT_EQ(Cur(kCurMin).ToInt64(), -922337203685478LL);
    EXPECT_EQ(Variant("-12,5").ToInt64(Polish()), -12);
    EXPECT_EQ(RaisedBy([] { Variant(9.3e18).ToInt64(); }), Raised::Overflow);
}

TEST(VariantCast, ToCurrencyRoundsHalfToEven) {
    struct Case {
        const char* name;
        Variant v;
        TFormatSettings fs;
        int64_t raw;
    };
    const Case cases[] = {
        {"empty", Empty(), Polish(), 0},
        {"double tie rounds to even", Variant(0.03125), Polish(), 312},
        {"double", Variant(1234.5), Polish(), 12345000},
        {"integer", Variant(-3), Polish(), -30000},
        {"true", Variant(true), Polish(), -10000},
        {"Polish text", Variant("0,1"), Polish(), 1000},
        {"English text", Variant("0.1"), English(), 1000},
        {"currency", Cur(int64_t{123}), Polish(), 123},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(c.v.ToCurrency(c.fs).Raw(), c.raw);
    }
    EXPECT_EQ(RaisedBy([] { Variant(1e20).ToCurrency(); }), Raised::Overflow);
    EXPECT_EQ(RaisedBy([] { Variant::FromInt64(INT64_MAX).ToCurrency(); }), Raised::Overflow);
}

TEST(VariantCast, ToBoolReadsNumbersAndTrueFalse) {
    struct Case {
        const char* name;
        Variant v;
        bool expected;
    };
    const Case cases[] = {
        {"empty", Empty(), false},
        {"integer 0", Variant(0), false},
        {"integer 2", Variant(2), true},
        {"double 0", Variant(0.0), false},
        {"currency 0.0001", Cur(int64_t{1}), true},
        {"True", Variant("True"), true},
        {"false in lower case", Variant("false"), false},
        {"TRUE in upper case", Variant("TRUE"), true},
        {"text 0", Variant("0"), false},
        {"Polish text 1,5", Variant("1,5"), true},
        {"boolean", Variant(true), true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(c.v.ToBool(Polish()), c.expected);
    }
}

TEST(VariantCast, ToStringFormatsEachType) {
    struct Case {
        const char* name;
        Variant v;
        TFormatSettings fs;
        const char* expected;
    };
    const double may12 = 39580;  // 12 May 2008
    const Case cases[] = {
        {"empty", Empty(), Polish(), ""},
        {"null", Null(), Polish(), ""},
        {"integer", Variant(-5), Polish(), "-5"},
        {"int64", Variant::FromInt64(INT64_MAX), Polish(), "9223372036854775807"},
        {"longword", Variant::FromLongWord(4294967295u), Polish(), "4294967295"},
        {"byte", Variant::FromByte(255), Polish(), "255"},
        {"true", Variant(true), Polish(), "True"},
        {"false", Variant(false), Polish(), "False"},
        {"double Polish", Variant(1234.5), Polish(), "1234,5"},
        {"double English", Variant(1234.5), English(), "1234.5"},
        {"double a tenth", Variant(0.1), Polish(), "0,1"},
        {"single", Variant::FromSingle(0.5f), Polish(), "0,5"},
        {"currency", Cur(1234.5), Polish(), "1234,5"},
        {"currency whole", Cur(100.0), Polish(), "100"},
        {"currency four decimals", Cur(int64_t{1}), Polish(), "0,0001"},
        {"currency negative", Cur(-0.5), Polish(), "-0,5"},
        {"currency min", Cur(kCurMin), Polish(), "-922337203685477,5808"},
        {"currency max English", Cur(kCurMax), English(), "922337203685477.5807"},
        {"date", DateVar(may12), Polish(), "12.05.2008"},
        {"date and time", DateVar(may12 + 0.5), Polish(), "12.05.2008 12:00:00"},
        {"date English", DateVar(may12), English(), "5/12/2008"},
        {"string", Variant("zażółć"), Polish(), "zażółć"},
        {"olestr", Variant::FromOleStr("x"), Polish(), "x"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(c.v.ToString(c.fs), c.expected);
    }
}

TEST(VariantCast, ToDateReadsNumbersAndLocaleDates) {
    struct Case {
        const char* name;
        Variant v;
        TFormatSettings fs;
        double expected;
    };
    const Case cases[] = {
        {"empty", Empty(), Polish(), 0.0},
        {"double", Variant(39580.5), Polish(), 39580.5},
        {"currency", Cur(1.5), Polish(), 1.5},
        {"integer", Variant(2), Polish(), 2.0},
        {"Polish date text", Variant("12.05.2008"), Polish(), 39580.0},
        {"English date text", Variant("5/12/2008"), English(), 39580.0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(c.v.ToDate(c.fs), c.expected);
    }
}

TEST(VariantCast, RaisesWithTheTypesInTheMessage) {
    const TFormatSettings pl = Polish();
    struct Case {
        const char* name;
        std::function<void()> cast;
        Raised expected;
        const char* message;
    };
    const Case cases[] = {
        {"null to double", [&] { Null().ToDouble(pl); }, Raised::TypeCast,
         "Could not convert variant of type (Null) into type (Double)"},
        {"null to integer", [&] { Null().ToInteger(pl); }, Raised::TypeCast,
         "Could not convert variant of type (Null) into type (Integer)"},
        {"null to currency", [&] { Null().ToCurrency(pl); }, Raised::TypeCast,
         "Could not convert variant of type (Null) into type (Currency)"},
        {"null to boolean", [&] { Null().ToBool(pl); }, Raised::TypeCast,
         "Could not convert variant of type (Null) into type (Boolean)"},
        {"null to date", [&] { Null().ToDate(pl); }, Raised::TypeCast,
         "Could not convert variant of type (Null) into type (Date)"},
        {"English number with Polish settings", [&] { Variant("1.5").ToDouble(pl); }, Raised::TypeCast,
         "Could not convert variant of type (String) into type (Double)"},
        {"text to double", [&] { Variant("abc").ToDouble(pl); }, Raised::TypeCast, nullptr},
        {"text to integer", [&] { Variant("abc").ToInteger(pl); }, Raised::TypeCast,
         "Could not convert variant of type (String) into type (Integer)"},
        {"yes to boolean", [&] { Variant("yes").ToBool(pl); }, Raised::TypeCast,
         "Could not convert variant of type (String) into type (Boolean)"},
        {"text to date", [&] { Variant("x").ToDate(pl); }, Raised::TypeCast,
         "Could not convert variant of type (String) into type (Date)"},
        {"dispatch to double", [&] { Variant::BareCode(varDispatch).ToDouble(pl); }, Raised::TypeCast,
         "Could not convert variant of type (Dispatch) into type (Double)"},
        {"unknown to string", [&] { Variant::BareCode(varUnknown).ToString(pl); }, Raised::TypeCast,
         "Could not convert variant of type (Unknown) into type (String)"},
        {"unlisted code to int64", [&] { Variant::BareCode(0x2003).ToInt64(pl); }, Raised::TypeCast,
         "Could not convert variant of type ($2003) into type (Int64)"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        std::string message;
        Raised r = RaisedBy(c.cast, &message);
        EXPECT_EQ(r, c.expected) << Name(r);
        if (c.message) {
            EXPECT_EQ(message, c.message);
        }
    }
}

}  // namespace
