#pragma once
// Currency: a signed 64-bit count of ten-thousandths.

#include <compare>
#include <cstdint>

namespace cl {

class Currency {
public:
    constexpr Currency() = default;
    static constexpr Currency FromRaw(int64_t raw) {
        Currency c;
        c.raw_ = raw;
        return c;
    }
    // Rounds half to even at the fourth decimal; EOverflow outside the range.
    static Currency FromExtended(long double value);
    static Currency FromInt(int64_t value);  // EOverflow outside the range

    constexpr int64_t Raw() const { return raw_; }
    long double ToExtended() const { return static_cast<long double>(raw_) / 10000.0L; }
    double ToDouble() const { return static_cast<double>(ToExtended()); }

    // Exact; EOverflow when the result leaves the range.
    friend Currency operator+(Currency a, Currency b);
    friend Currency operator-(Currency a, Currency b);
    friend Currency operator*(Currency a, int64_t b);
    friend Currency operator-(Currency a);
    // Products and quotients round half to even; EOverflow, EZeroDivide.
    friend Currency operator*(Currency a, Currency b);
    friend Currency operator/(Currency a, Currency b);

    friend constexpr bool operator==(Currency a, Currency b) = default;
    friend constexpr auto operator<=>(Currency a, Currency b) = default;

private:
    int64_t raw_ = 0;
};

}  // namespace cl
