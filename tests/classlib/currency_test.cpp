#include "classlib/Currency.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

#include "classlib/Exceptions.h"

namespace cl {
namespace {

Currency Raw(int64_t raw) {
    return Currency::FromRaw(raw);
}

// k * 2^-14 with k around 2^77 / 10000: values whose ten-thousandths lie at
// the ends of the 64-bit range.
long double Scaled(uint64_t k) {
    return static_cast<long double>(k) / 16384;
}
constexpr uint64_t kTopK = 15111572745182864683ULL;  // * 10000 / 2^14 = INT64_MAX + 507/1024

TEST(CurrencyFromExtended, RoundsTheExactValueHalfToEvenAtTheFourthDecimal) {
    const struct {
        long double value;
        int64_t raw;
    } cases[] = {
        // odd multiples of 1/32 are the exact binary ties
        {0.03125L, 312},
        {0.09375L, 938},
        {-0.03125L, -312},
        {-0.09375L, -938},
        {1.03125L, 10312},
        {0.15625L, 1562},
        {0.21875L, 2188},
        {1099511627776.03125L, 10995116277760312},
        // the binary value decides, not a rounded product: 0.00005 as a double
        // is 0.0000500000000000000024 and rounds up
        {static_cast<double>(0.00005), 1},
        {static_cast<double>(0.00015), 1},  // 0.000149999999999999987
        {static_cast<double>(1.23445), 12345},
        {1.23445L, 12344},  // 1.2344499999999999999799
        {1234.5L, 0xBC5EA8},
        {0.0L, 0},
        {-0.0L, 0},
        {1.0L / 16384, 1},  // 0.61 of a unit
        {1.0L / 32768, 0},  // 0.31 of a unit
        {std::numeric_limits<long double>::denorm_min(), 0},
        {Scaled(kTopK), INT64_MAX},
        {Scaled(kTopK - 1), INT64_MAX},   // INT64_MAX - 1 + 0.88
        {-Scaled(kTopK + 1), INT64_MIN},  // -(2^63 + 0.11)
        {922337203685477.0L, 9223372036854770000},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Currency::FromExtended(c.value).Raw(), c.raw) << static_cast<double>(c.value);
}

TEST(CurrencyFromExtended, RaisesOverflowOutsideTheRange) {
    const long double cases[] = {
        Scaled(kTopK + 1),
        -Scaled(kTopK + 2),
        1e15L,
        -1e15L,
        1e300L,
        std::numeric_limits<long double>::max(),
        std::numeric_limits<long double>::infinity(),
        -std::numeric_limits<long double>::infinity(),
        std::numeric_limits<long double>::quiet_NaN(),
    };
    for (long double v : cases) EXPECT_THROW(Currency::FromExtended(v), EOverflow) << static_cast<double>(v);
}

TEST(CurrencyFromInt, ScalesByTenThousandWithinTheRange) {
    EXPECT_EQ(Currency::FromInt(922337203685477).Raw(), 9223372036854770000);
    EXPECT_EQ(Currency::FromInt(-922337203685477).Raw(), -9223372036854770000);
    EXPECT_EQ(Currency::FromInt(-3).Raw(), -30000);
    EXPECT_THROW(Currency::FromInt(922337203685478), EOverflow);
    EXPECT_THROW(Currency::FromInt(-922337203685478), EOverflow);
    EXPECT_THROW(Currency::FromInt(INT64_MIN), EOverflow);
}

TEST(CurrencyArithmetic, IsExactOrRoundsHalfToEven) {
    const struct {
        const char* what;
        Currency result;
        int64_t raw;
    } cases[] = {
        {"1.5 + 2.25", Raw(15000) + Raw(22500), 37500},
        {"1.5 - 2.25", Raw(15000) - Raw(22500), -7500},
        {"-0.0003 * 4", Raw(-3) * 4, -12},
        {"-(0.0005)", -Raw(5), -5},
        {"1.5 * 2.5", Raw(15000) * Raw(25000), 37500},
        {"0.0001 * 0.5", Raw(1) * Raw(5000), 0},
        {"0.0003 * 0.5", Raw(3) * Raw(5000), 2},
        {"-0.0003 * 0.5", Raw(-3) * Raw(5000), -2},
        {"0.0001 * 1.5", Raw(1) * Raw(15000), 2},
        {"max * 1", Raw(INT64_MAX) * Currency::FromInt(1), INT64_MAX},
        {"min * 1", Raw(INT64_MIN) * Currency::FromInt(1), INT64_MIN},
        {"min * -1 / 10000", Raw(INT64_MIN) * Raw(-1), 922337203685478},  // 922337203685477.5808 rounds up
        {"1 / 3", Currency::FromInt(1) / Currency::FromInt(3), 3333},
        {"2 / 3", Currency::FromInt(2) / Currency::FromInt(3), 6667},
        {"-2 / 3", Currency::FromInt(-2) / Currency::FromInt(3), -6667},
        {"0.0001 / 2", Raw(1) / Currency::FromInt(2), 0},
        {"0.0003 / 2", Raw(3) / Currency::FromInt(2), 2},
        {"min / 1", Raw(INT64_MIN) / Currency::FromInt(1), INT64_MIN},
        {"max / max", Raw(INT64_MAX) / Raw(INT64_MAX), 10000},
        {"1 / min", Currency::FromInt(1) / Raw(INT64_MIN), 0},
    };
    for (const auto& c : cases) EXPECT_EQ(c.result.Raw(), c.raw) << c.what;
}

TEST(CurrencyArithmetic, RaisesOverflowWhenTheResultLeavesTheRange) {
    const Currency max = Raw(INT64_MAX), min = Raw(INT64_MIN), one = Currency::FromInt(1);
    EXPECT_THROW(max + Raw(1), EOverflow);
    EXPECT_THROW(min + Raw(-1), EOverflow);
    EXPECT_THROW(min - Raw(1), EOverflow);
    EXPECT_THROW(-min, EOverflow);
    EXPECT_THROW(max * int64_t{2}, EOverflow);
    EXPECT_THROW(min * int64_t{-1}, EOverflow);
    EXPECT_THROW(Currency::FromInt(10000000000) * Currency::FromInt(10000000000), EOverflow);
    EXPECT_THROW(min * Currency::FromInt(-1), EOverflow);
    EXPECT_THROW(min / Currency::FromInt(-1), EOverflow);
    EXPECT_THROW(Currency::FromInt(900000000000000) / Raw(1), EOverflow);
    EXPECT_THROW(one / Currency(), EZeroDivide);
}

TEST(Currency, ConvertsBackToFloatingPoint) {
    EXPECT_EQ(Raw(12345).ToExtended(), 1.2345L);
    EXPECT_EQ(Raw(-5000).ToDouble(), -0.5);
    EXPECT_EQ(Currency::FromExtended(Raw(123456789).ToExtended()).Raw(), 123456789);
    EXPECT_LT(Raw(-1), Raw(0));
}

}  // namespace
}  // namespace cl
