#include "preview/Units.h"

#include <climits>
#include <cstdint>

namespace {

// How a value moves from one unit to another: unchanged, times N,
// divided by N (truncating toward zero), or MulDiv(V, Num, Den).  Num and
// Den may name the target resolution or the screen's.
enum Op { kSame, kTimes, kDiv, kMulDiv };
constexpr int D = -1;  // the dpi argument
constexpr int P = -2;  // the screen's pixels per inch

struct Step {
    Op op;
    int num;
    int den;
};

constexpr Step Same{kSame, 0, 0};
constexpr Step Times(int n) {
    return {kTimes, n, 0};
}
constexpr Step Div(int n) {
    return {kDiv, n, 0};
}
constexpr Step M(int num, int den) {
    return {kMulDiv, num, den};
}

// Row: from; column: to; in TUnits order.
constexpr Step kConversion[7][7] = {
    // to: Pixel, LoMetric, HiMetric, LoEnglish, HiEnglish, TWIPS, Points
    {M(D, P), M(254, D), M(2540, D), M(100, D), M(1000, D), M(1440, D), M(72, D)},          // Pixel
    {M(D, 254), Same, Times(10), M(100, 254), M(1000, 254), M(1440, 254), M(72, 254)},      // LoMetric
    {M(D, 2540), Div(10), Same, M(10, 254), M(100, 254), M(1440, 2540), M(72, 2540)},       // HiMetric
    {M(D, 100), M(254, 100), M(254, 10), Same, Times(10), M(1440, 100), M(72, 100)},        // LoEnglish
    {M(D, 1000), M(254, 1000), M(254, 100), Div(10), Same, M(1440, 1000), M(72, 1000)},     // HiEnglish
    {M(D, 1440), M(254, 1440), M(2540, 1440), M(100, 1440), M(1000, 1440), Same, Div(20)},  // TWIPS
    {M(D, 72), M(254, 72), M(2540, 72), M(100, 72), M(1000, 72), Times(20), Same},          // Points
};

int Clamp(int64_t v) {
    return v > INT_MAX ? INT_MAX : v < INT_MIN ? INT_MIN : static_cast<int>(v);
}

}  // namespace

int MulDiv64(int a, int b, int c) {
    if (c == 0) return -1;
    const int64_t product = static_cast<int64_t>(a) * b;
    const bool negative = (product < 0) != (c < 0);
    const uint64_t num = product < 0 ? 0 - static_cast<uint64_t>(product) : static_cast<uint64_t>(product);
    const uint64_t den =
        c < 0 ? 0 - static_cast<uint64_t>(static_cast<int64_t>(c)) : static_cast<uint64_t>(c);
    const uint64_t q = (num + den / 2) / den;
    if (q > static_cast<uint64_t>(INT_MAX) + (negative ? 1 : 0)) return -1;
    return negative ? static_cast<int>(-static_cast<int64_t>(q)) : static_cast<int>(q);
}

int ConvertUnit(int value, int dpi, TUnits from, TUnits to, int screenDpi) {
    if (from < mmPixel || from > mmPoints || to < mmPixel || to > mmPoints) return value;
    const Step& s = kConversion[from][to];
    auto resolve = [&](int n) { return n == D ? dpi : n == P ? screenDpi : n; };
    switch (s.op) {
        case kSame:
            return value;
        case kTimes:
            return Clamp(static_cast<int64_t>(value) * s.num);
        case kDiv:
            return value / s.num;
        case kMulDiv: {
            // The whole quotient, so a value beyond int clamps instead of failing.
            const int64_t num = static_cast<int64_t>(value) * resolve(s.num);
            const int64_t den = resolve(s.den);
            if (den == 0) return 0;  // a device without a resolution has no size
            const int64_t absNum = num < 0 ? -num : num;
            const int64_t absDen = den < 0 ? -den : den;
            const int64_t q = (absNum + absDen / 2) / absDen;
            return Clamp(((num < 0) != (den < 0)) ? -q : q);
        }
    }
    return value;
}
