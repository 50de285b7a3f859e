#include "classlib/Currency.h"

#include <cstring>
#include <limits>

#include "classlib/Exceptions.h"

namespace cl {

namespace {

static_assert(std::numeric_limits<long double>::digits == 64,
              "long double must be the x87 80-bit extended type");

constexpr uint64_t kScale = 10000;
constexpr uint64_t kMinMagnitude = uint64_t{1} << 63;  // |INT64_MIN|

[[noreturn]] void RaiseOverflow() {
    throw EOverflow("Floating point overflow");
}

// Unsigned 128-bit arithmetic, enough for raw * raw and raw * 10000.
struct U128 {
    uint64_t hi = 0, lo = 0;
};

U128 Mul64(uint64_t a, uint64_t b) {
    const uint64_t a0 = a & 0xFFFFFFFFu, a1 = a >> 32, b0 = b & 0xFFFFFFFFu, b1 = b >> 32;
    const uint64_t p00 = a0 * b0, p01 = a0 * b1, p10 = a1 * b0, p11 = a1 * b1;
    const uint64_t mid = (p00 >> 32) + (p01 & 0xFFFFFFFFu) + (p10 & 0xFFFFFFFFu);
    return {p11 + (p01 >> 32) + (p10 >> 32) + (mid >> 32), (mid << 32) | (p00 & 0xFFFFFFFFu)};
}

// n / d with the remainder; d <= 2^63, so twice a remainder still fits 64 bits.
void DivMod(U128 n, uint64_t d, U128& q, uint64_t& r) {
    q = {};
    r = 0;
    for (int bit = 127; bit >= 0; --bit) {
        const uint64_t next = bit >= 64 ? (n.hi >> (bit - 64)) & 1 : (n.lo >> bit) & 1;
        r = (r << 1) | next;
        const bool set = r >= d;
        if (set) r -= d;
        q.hi = (q.hi << 1) | (q.lo >> 63);
        q.lo = (q.lo << 1) | (set ? 1 : 0);
    }
}

uint64_t Magnitude(int64_t v) {
    return v < 0 ? 0 - static_cast<uint64_t>(v) : static_cast<uint64_t>(v);
}

// The signed result of a magnitude, or EOverflow.
Currency Make(bool negative, U128 magnitude) {
    if (magnitude.hi != 0 || magnitude.lo > (negative ? kMinMagnitude : kMinMagnitude - 1)) RaiseOverflow();
    return Currency::FromRaw(negative ? static_cast<int64_t>(0 - magnitude.lo)
                                      : static_cast<int64_t>(magnitude.lo));
}

U128 Increment(U128 v) {
    return {v.hi + (v.lo == ~uint64_t{0} ? 1 : 0), v.lo + 1};
}

// Quotient of n / d rounded half to even.
U128 DivideRounded(U128 n, uint64_t d) {
    U128 q;
    uint64_t r;
    DivMod(n, d, q, r);
    if (2 * r > d || (2 * r == d && (q.lo & 1) != 0)) q = Increment(q);
    return q;
}

}  // namespace

Currency Currency::FromExtended(long double value) {
    unsigned char bytes[sizeof value];
    std::memcpy(bytes, &value, sizeof value);
    uint64_t mantissa;
    uint16_t signExp;
    std::memcpy(&mantissa, bytes, 8);
    std::memcpy(&signExp, bytes + 8, 2);
    const bool negative = (signExp & 0x8000) != 0;
    const int biased = signExp & 0x7FFF;
    if (biased == 0x7FFF) RaiseOverflow();  // infinity or NaN
    if (mantissa == 0) return Currency();
    // value = mantissa * 2^exponent exactly, so value * 10000 is exact in 128 bits.
    const int exponent = (biased == 0 ? 1 : biased) - 16383 - 63;
    U128 scaled = Mul64(mantissa, kScale);
    if (exponent >= 0) {
        for (int i = 0; i < exponent; ++i) {
            if ((scaled.hi >> 63) != 0) RaiseOverflow();
            scaled = {(scaled.hi << 1) | (scaled.lo >> 63), scaled.lo << 1};
        }
        return Make(negative, scaled);
    }
    const int shift = -exponent;
    if (shift > 80) return Currency();  // below 2^78 / 2^81: less than half a unit
    // Split scaled at bit `shift` into the quotient and the remainder.
    U128 q, rem;
    if (shift >= 64) {
        q = {0, scaled.hi >> (shift - 64)};
        rem = {shift == 64 ? 0 : scaled.hi & ((uint64_t{1} << (shift - 64)) - 1), scaled.lo};
    } else {
        q = {scaled.hi >> shift, (scaled.lo >> shift) | (shift == 0 ? 0 : scaled.hi << (64 - shift))};
        rem = {0, scaled.lo & ((uint64_t{1} << shift) - 1)};
    }
    const int halfBit = shift - 1;
    const U128 half =
        halfBit >= 64 ? U128{uint64_t{1} << (halfBit - 64), 0} : U128{0, uint64_t{1} << halfBit};
    const bool above = rem.hi != half.hi ? rem.hi > half.hi : rem.lo > half.lo;
    const bool tie = rem.hi == half.hi && rem.lo == half.lo;
    if (above || (tie && (q.lo & 1) != 0)) q = Increment(q);
    return Make(negative, q);
}

Currency Currency::FromInt(int64_t value) {
    int64_t raw;
    if (__builtin_mul_overflow(value, static_cast<int64_t>(kScale), &raw)) RaiseOverflow();
    return FromRaw(raw);
}

Currency operator+(Currency a, Currency b) {
    int64_t raw;
    if (__builtin_add_overflow(a.raw_, b.raw_, &raw)) RaiseOverflow();
    return Currency::FromRaw(raw);
}

Currency operator-(Currency a, Currency b) {
    int64_t raw;
    if (__builtin_sub_overflow(a.raw_, b.raw_, &raw)) RaiseOverflow();
    return Currency::FromRaw(raw);
}

Currency operator*(Currency a, int64_t b) {
    int64_t raw;
    if (__builtin_mul_overflow(a.raw_, b, &raw)) RaiseOverflow();
    return Currency::FromRaw(raw);
}

Currency operator-(Currency a) {
    if (a.raw_ == std::numeric_limits<int64_t>::min()) RaiseOverflow();
    return Currency::FromRaw(-a.raw_);
}

Currency operator*(Currency a, Currency b) {
    const bool negative = (a.raw_ < 0) != (b.raw_ < 0);
    return Make(negative, DivideRounded(Mul64(Magnitude(a.raw_), Magnitude(b.raw_)), kScale));
}

Currency operator/(Currency a, Currency b) {
    if (b.raw_ == 0) throw EZeroDivide("Floating point division by zero");
    const bool negative = (a.raw_ < 0) != (b.raw_ < 0);
    return Make(negative, DivideRounded(Mul64(Magnitude(a.raw_), kScale), Magnitude(b.raw_)));
}

}  // namespace cl
