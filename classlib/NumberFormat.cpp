#include "classlib/NumberFormat.h"

#include <cstring>
#include <limits>
#include <vector>

#include "classlib/Exceptions.h"

namespace cl {

namespace {

static_assert(std::numeric_limits<long double>::digits == 64 && std::numeric_limits<long double>::radix == 2,
              "long double must be the x87 80-bit extended type");

constexpr int kExponentBias = 16383;
constexpr int kMinNormalExponent = 1 - kExponentBias;  // of the leading bit
constexpr int kMaxExponent = kExponentBias;
constexpr int kDenormalShift = 16445;  // value of a denormal = mantissa * 2^-16445

// Unsigned big integer, base 2^32, least significant limb first.  Only what
// exact decimal <-> binary conversion needs.
class BigNat {
public:
    BigNat() = default;
    explicit BigNat(uint64_t v) {
        for (; v != 0; v >>= 32) limbs_.push_back(static_cast<uint32_t>(v));
    }

    bool IsZero() const { return limbs_.empty(); }
    size_t BitLength() const {
        if (limbs_.empty()) return 0;
        size_t bits = 32 * (limbs_.size() - 1);
        for (uint32_t top = limbs_.back(); top != 0; top >>= 1) ++bits;
        return bits;
    }

    void MulAdd(uint32_t mul, uint32_t add) {
        uint64_t carry = add;
        for (uint32_t& l : limbs_) {
            const uint64_t t = uint64_t{l} * mul + carry;
            l = static_cast<uint32_t>(t);
            carry = t >> 32;
        }
        if (carry != 0) limbs_.push_back(static_cast<uint32_t>(carry));
    }
    // Multiplies by base^count in chunks that fit 32 bits.
    void MulPow(uint32_t base, uint32_t chunk, int chunkExponent, int count) {
        for (; count >= chunkExponent; count -= chunkExponent) MulAdd(chunk, 0);
        for (; count > 0; --count) MulAdd(base, 0);
    }
    void MulPow10(int count) { MulPow(10, 1000000000u, 9, count); }
    void MulPow5(int count) { MulPow(5, 1220703125u, 13, count); }

    // Divides in place and returns the remainder.
    uint32_t DivSmall(uint32_t d) {
        uint64_t rem = 0;
        for (size_t i = limbs_.size(); i-- > 0;) {
            const uint64_t cur = (rem << 32) | limbs_[i];
            limbs_[i] = static_cast<uint32_t>(cur / d);
            rem = cur % d;
        }
        Normalise();
        return static_cast<uint32_t>(rem);
    }

    void ShiftLeft(size_t bits) {
        if (limbs_.empty()) return;
        const unsigned b = bits % 32;
        if (b != 0) {
            uint32_t carry = 0;
            for (uint32_t& l : limbs_) {
                const uint32_t out = l >> (32 - b);
                l = (l << b) | carry;
                carry = out;
            }
            if (carry != 0) limbs_.push_back(carry);
        }
        limbs_.insert(limbs_.begin(), bits / 32, 0u);
    }
    void ShiftRight1() {
        uint32_t carry = 0;
        for (size_t i = limbs_.size(); i-- > 0;) {
            const uint32_t out = limbs_[i] & 1u;
            limbs_[i] = (limbs_[i] >> 1) | (carry << 31);
            carry = out;
        }
        Normalise();
    }
    // *this -= other; requires *this >= other.
    void Sub(const BigNat& other) {
        int64_t borrow = 0;
        for (size_t i = 0; i < limbs_.size(); ++i) {
            int64_t t =
                int64_t{limbs_[i]} - borrow - (i < other.limbs_.size() ? int64_t{other.limbs_[i]} : 0);
            borrow = t < 0 ? 1 : 0;
            limbs_[i] = static_cast<uint32_t>(t + (borrow << 32));
        }
        Normalise();
    }

    friend int Compare(const BigNat& a, const BigNat& b) {
        if (a.limbs_.size() != b.limbs_.size()) return a.limbs_.size() < b.limbs_.size() ? -1 : 1;
        for (size_t i = a.limbs_.size(); i-- > 0;)
            if (a.limbs_[i] != b.limbs_[i]) return a.limbs_[i] < b.limbs_[i] ? -1 : 1;
        return 0;
    }

    // Decimal digits, most significant first; "" for zero.
    std::string ToDecimal() const {
        BigNat n = *this;
        std::string reversed;
        while (!n.IsZero()) {
            uint32_t chunk = n.DivSmall(1000000000u);
            for (int i = 0; i < 9; ++i, chunk /= 10) reversed.push_back(static_cast<char>('0' + chunk % 10));
        }
        while (!reversed.empty() && reversed.back() == '0') reversed.pop_back();  // leading zeros
        return std::string(reversed.rbegin(), reversed.rend());
    }

private:
    void Normalise() {
        while (!limbs_.empty() && limbs_.back() == 0) limbs_.pop_back();
    }
    std::vector<uint32_t> limbs_;
};

// The fields of an x87 extended value: value = mantissa * 2^exponent.
struct ExtendedParts {
    bool negative = false;
    bool infinite = false;
    bool nan = false;
    uint64_t mantissa = 0;
    int exponent = 0;
};

ExtendedParts Split(Extended value) {
    unsigned char bytes[sizeof(Extended)];
    std::memcpy(bytes, &value, sizeof value);
    ExtendedParts p;
    uint16_t signExp;
    std::memcpy(&p.mantissa, bytes, 8);
    std::memcpy(&signExp, bytes + 8, 2);
    p.negative = (signExp & 0x8000) != 0;
    const int biased = signExp & 0x7FFF;
    if (biased == 0x7FFF) {
        p.infinite = (p.mantissa << 1) == 0;
        p.nan = !p.infinite;
    } else {
        p.exponent = (biased == 0 ? 1 : biased) - kExponentBias - 63;
    }
    return p;
}

Extended Compose(bool negative, uint64_t mantissa, int biasedExponent) {
    unsigned char bytes[sizeof(Extended)] = {};
    const uint16_t signExp = static_cast<uint16_t>((negative ? 0x8000 : 0) | biasedExponent);
    std::memcpy(bytes, &mantissa, 8);
    std::memcpy(bytes + 8, &signExp, 2);
    Extended value;
    std::memcpy(&value, bytes, sizeof value);
    return value;
}

// A decimal value 0.digits * 10^exponent.  digits has no leading or trailing
// zeros and is empty for zero.
struct Decimal {
    bool negative = false;
    std::string digits;
    int exponent = 0;
};

// Digits beyond the 18 a conversion may keep plus the one that rounds them
// never change a result, because ties go away from zero.
constexpr size_t kKeptDigits = 20;

void StripTrailingZeros(std::string& digits) {
    while (!digits.empty() && digits.back() == '0') digits.pop_back();
}

// Exact decimal expansion of a finite value, cut after kKeptDigits digits.
Decimal ToDecimal(const ExtendedParts& p) {
    Decimal d;
    d.negative = p.negative;
    if (p.mantissa == 0) return d;
    BigNat n(p.mantissa);
    int scale = 0;  // value = n * 10^scale
    if (p.exponent >= 0) {
        n.ShiftLeft(static_cast<size_t>(p.exponent));
    } else {
        n.MulPow5(-p.exponent);  // m * 2^-k = m * 5^k * 10^-k
        scale = p.exponent;
    }
    d.digits = n.ToDecimal();
    d.exponent = static_cast<int>(d.digits.size()) + scale;
    if (d.digits.size() > kKeptDigits) d.digits.resize(kKeptDigits);
    StripTrailingZeros(d.digits);
    return d;
}

// Keeps the first `count` digits; the rest rounds half away from zero.
void RoundAt(Decimal& d, int count) {
    if (count >= static_cast<int>(d.digits.size())) return;
    if (count < 0) {
        d.digits.clear();
        return;
    }
    const bool up = d.digits[static_cast<size_t>(count)] >= '5';
    d.digits.resize(static_cast<size_t>(count));
    if (up) {
        size_t i = d.digits.size();
        while (i > 0 && d.digits[i - 1] == '9') d.digits[--i] = '0';
        if (i == 0) {
            d.digits.insert(d.digits.begin(), '1');
            ++d.exponent;
        } else {
            ++d.digits[i - 1];
        }
    }
    StripTrailingZeros(d.digits);
}

char DigitAt(const Decimal& d, int index) {
    return index >= 0 && index < static_cast<int>(d.digits.size()) ? d.digits[static_cast<size_t>(index)]
                                                                   : '0';
}

std::string Group(const std::string& digits, char separator) {
    if (separator == '\0') return digits;
    std::string out;
    for (size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0) out.push_back(separator);
        out.push_back(digits[i]);
    }
    return out;
}

std::string ExponentText(int exponent, int minDigits, bool plusSign) {
    std::string number = std::to_string(exponent < 0 ? -exponent : exponent);
    if (static_cast<int>(number.size()) < minDigits) number.insert(0, minDigits - number.size(), '0');
    return "E" + std::string(exponent < 0 ? "-" : (plusSign ? "+" : "")) + number;
}

std::string Sign(const Decimal& d) {
    return d.negative && !d.digits.empty() ? "-" : "";
}

// Shortest text of a value already rounded to `precision` digits.
std::string General(const Decimal& d, int precision, int expDigits, char decimalSeparator) {
    if (d.digits.empty()) return "0";
    const int n = static_cast<int>(d.digits.size());
    std::string out = Sign(d);
    if (d.exponent <= precision && d.exponent >= -3) {
        if (d.exponent <= 0) {
            out += '0';
            out += decimalSeparator;
            out.append(static_cast<size_t>(-d.exponent), '0');
            out += d.digits;
        } else {
            for (int i = 0; i < d.exponent; ++i) out += DigitAt(d, i);
            if (n > d.exponent) {
                out += decimalSeparator;
                out += d.digits.substr(static_cast<size_t>(d.exponent));
            }
        }
        return out;
    }
    out += d.digits[0];
    if (n > 1) {
        out += decimalSeparator;
        out += d.digits.substr(1);
    }
    return out + ExponentText(d.exponent - 1, expDigits, false);
}

std::string Scientific(const Decimal& d, int precision, int expDigits, char decimalSeparator) {
    std::string out = Sign(d);
    out += DigitAt(d, 0);
    out += decimalSeparator;
    for (int i = 1; i < precision; ++i) out += DigitAt(d, i);
    return out + ExponentText(d.digits.empty() ? 0 : d.exponent - 1, expDigits, true);
}

std::string Fixed(const Decimal& d, int decimals, char thousandSeparator, bool grouped,
                  char decimalSeparator) {
    std::string whole;
    for (int i = 0; i < d.exponent; ++i) whole += DigitAt(d, i);
    if (whole.empty()) whole = "0";
    std::string out = Sign(d) + (grouped ? Group(whole, thousandSeparator) : whole);
    if (decimals > 0) {
        out += decimalSeparator;
        for (int i = 0; i < decimals; ++i) out += DigitAt(d, d.exponent + i);
    }
    return out;
}

int Clamp(int v, int lo, int hi) {
    return v < lo ? lo : (v > hi ? hi : v);
}

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

std::string_view TrimBlanks(std::string_view s) {
    while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
    while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
    return s;
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// q = floor(num * 2^shift / den), which the caller keeps below 2^64, and
// how the remainder compares with half the divisor; shift may be negative.
struct Quotient {
    uint64_t q = 0;
    int roundCmp = 0;  // remainder compared with half the divisor
};

Quotient Divide(const BigNat& num, const BigNat& den, int shift) {
    BigNat n = num, d = den;
    if (shift >= 0)
        n.ShiftLeft(static_cast<size_t>(shift));
    else
        d.ShiftLeft(static_cast<size_t>(-shift));
    Quotient r;
    BigNat step = d;
    step.ShiftLeft(63);
    for (int bit = 63; bit >= 0; --bit) {
        if (Compare(n, step) >= 0) {
            n.Sub(step);
            r.q |= uint64_t{1} << bit;
        }
        step.ShiftRight1();
    }
    n.ShiftLeft(1);
    r.roundCmp = Compare(n, d);
    return r;
}

enum class ParseResult { Ok, Invalid, Overflow };

// Correctly rounded (half to even) value of digits * 10^decExp.
ParseResult DecimalToExtended(const std::string& digits, long long decExp, bool negative, Extended& out) {
    out = 0.0L;
    if (digits.empty()) return ParseResult::Ok;
    const long long magnitude = static_cast<long long>(digits.size()) + decExp;  // value < 10^magnitude
    if (magnitude > 4934) return ParseResult::Overflow;
    if (magnitude < -4951) return ParseResult::Ok;  // below half the smallest denormal
    BigNat num, den(1);
    for (char c : digits) num.MulAdd(10, static_cast<uint32_t>(c - '0'));
    if (decExp >= 0)
        num.MulPow10(static_cast<int>(decExp));
    else
        den.MulPow10(static_cast<int>(-decExp));

    // Quotient with its leading bit at 63: value = q * 2^-shift.
    int shift = 63 - (static_cast<int>(num.BitLength()) - static_cast<int>(den.BitLength()));
    Quotient r = Divide(num, den, shift);
    if ((r.q >> 63) == 0) r = Divide(num, den, ++shift);
    int lead = 63 - shift;  // binary exponent of the leading bit
    if (lead < kMinNormalExponent) {
        shift = kDenormalShift;
        r = Divide(num, den, shift);
    }
    if (r.roundCmp > 0 || (r.roundCmp == 0 && (r.q & 1) != 0)) {
        if (++r.q == 0) {
            r.q = uint64_t{1} << 63;
            --shift;
        }
    }
    if (r.q == 0) return ParseResult::Ok;
    lead = 63 - shift;
    int biased = lead + kExponentBias;
    if (shift == kDenormalShift && (r.q >> 63) == 0) biased = 0;
    if (lead > kMaxExponent) return ParseResult::Overflow;
    out = Compose(negative, r.q, biased);
    return ParseResult::Ok;
}

ParseResult ParseFloat(std::string_view text, const TFormatSettings& fs, Extended& value) {
    std::string_view s = TrimBlanks(text);
    size_t i = 0;
    bool negative = false;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) negative = s[i++] == '-';
    std::string digits;
    long long decExp = 0;
    bool anyDigit = false, seenSeparator = false;
    for (; i < s.size(); ++i) {
        const char c = s[i];
        if (IsDigit(c)) {
            anyDigit = true;
            if (!(digits.empty() && c == '0')) digits += c;
            if (seenSeparator) --decExp;
        } else if (c == fs.DecimalSeparator && !seenSeparator) {
            seenSeparator = true;
        } else {
            break;
        }
    }
    if (!anyDigit) return ParseResult::Invalid;
    if (i < s.size() && (s[i] == 'E' || s[i] == 'e')) {
        ++i;
        bool expNegative = false;
        if (i < s.size() && (s[i] == '+' || s[i] == '-')) expNegative = s[i++] == '-';
        if (i >= s.size() || !IsDigit(s[i])) return ParseResult::Invalid;
        long long e = 0;
        for (; i < s.size() && IsDigit(s[i]); ++i)
            if (e < 100000000) e = e * 10 + (s[i] - '0');  // saturates far beyond any range
        decExp += expNegative ? -e : e;
    }
    if (i != s.size()) return ParseResult::Invalid;
    while (!digits.empty() && digits.back() == '0') {
        digits.pop_back();
        ++decExp;
    }
    return DecimalToExtended(digits, decExp, negative, value);
}

[[noreturn]] void RaiseInvalidFloat(std::string_view s) {
    throw EConvertError("'" + std::string(s) + "' is not a valid floating point value");
}

// Sign, "$"/"0x" hex or decimal digits, blanks around.
struct ParsedInteger {
    bool negative = false;
    bool hex = false;
    uint64_t magnitude = 0;
};

bool ParseInteger(std::string_view text, ParsedInteger& out) {
    std::string_view s = TrimBlanks(text);
    size_t i = 0;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) out.negative = s[i++] == '-';
    if (i < s.size() && s[i] == '$') {
        out.hex = true;
        ++i;
    } else if (i + 1 < s.size() && s[i] == '0' && (s[i + 1] == 'x' || s[i + 1] == 'X')) {
        out.hex = true;
        i += 2;
    }
    const uint64_t base = out.hex ? 16 : 10;
    if (i == s.size()) return false;
    for (; i < s.size(); ++i) {
        const char c = s[i];
        uint64_t digit;
        if (IsDigit(c))
            digit = static_cast<uint64_t>(c - '0');
        else if (out.hex && c >= 'a' && c <= 'f')
            digit = static_cast<uint64_t>(c - 'a' + 10);
        else if (out.hex && c >= 'A' && c <= 'F')
            digit = static_cast<uint64_t>(c - 'A' + 10);
        else
            return false;
        if (out.magnitude > (std::numeric_limits<uint64_t>::max() - digit) / base) return false;
        out.magnitude = out.magnitude * base + digit;
    }
    return true;
}

// Decimal text must fit the signed range; hex text may use the whole
// unsigned range and is taken as two's complement ($FFFFFFFF is -1).
bool ToSigned(const ParsedInteger& p, int bits, int64_t& value) {
    const uint64_t unsignedMax = bits == 64 ? ~uint64_t{0} : (uint64_t{1} << bits) - 1;
    const uint64_t signedMax = unsignedMax >> 1;
    if (p.hex) {
        if (p.magnitude > unsignedMax) return false;
        uint64_t v = p.negative ? 0 - p.magnitude : p.magnitude;
        v &= unsignedMax;
        if (v > signedMax) v |= ~unsignedMax;  // sign-extend
        value = static_cast<int64_t>(v);
        return true;
    }
    if (p.magnitude > signedMax + (p.negative ? 1 : 0)) return false;
    value = p.negative ? static_cast<int64_t>(0 - p.magnitude) : static_cast<int64_t>(p.magnitude);
    return true;
}

bool TryParseSigned(std::string_view s, int bits, int64_t& value) {
    ParsedInteger p;
    return ParseInteger(s, p) && ToSigned(p, bits, value);
}

[[noreturn]] void RaiseInvalidInteger(std::string_view s) {
    throw EConvertError("'" + std::string(s) + "' is not a valid integer value");
}

}  // namespace

std::string FloatToStrF(Extended value, TFloatFormat format, int precision, int digits,
                        const TFormatSettings& fs) {
    const ExtendedParts parts = Split(value);
    if (parts.nan) return "NAN";
    if (parts.infinite) return parts.negative ? "-INF" : "INF";
    precision = Clamp(precision, 2, 18);
    Decimal d = ToDecimal(parts);
    RoundAt(d, precision);
    switch (format) {
        case TFloatFormat::ffGeneral:
            return General(d, precision, Clamp(digits, 0, 4), fs.DecimalSeparator);
        case TFloatFormat::ffExponent:
            return Scientific(d, precision, Clamp(digits, 0, 4), fs.DecimalSeparator);
        case TFloatFormat::ffFixed:
        case TFloatFormat::ffNumber:
        case TFloatFormat::ffCurrency:
            break;
    }
    if (d.exponent > precision) return General(d, precision, 0, fs.DecimalSeparator);
    digits = Clamp(digits, 0, 18);
    RoundAt(d, d.exponent + digits);
    return Fixed(d, digits, fs.ThousandSeparator, format != TFloatFormat::ffFixed, fs.DecimalSeparator);
}

std::string FloatToStr(Extended value, const TFormatSettings& fs) {
    return FloatToStrF(value, TFloatFormat::ffGeneral, 15, 0, fs);
}

bool TryStrToFloat(std::string_view s, Extended& value, const TFormatSettings& fs) {
    Extended v;
    if (ParseFloat(s, fs, v) != ParseResult::Ok) return false;
    value = v;
    return true;
}

Extended StrToFloat(std::string_view s, const TFormatSettings& fs) {
    Extended v;
    if (ParseFloat(s, fs, v) != ParseResult::Ok) RaiseInvalidFloat(s);
    return v;
}

bool TryStrToInt64(std::string_view s, int64_t& value) {
    return TryParseSigned(s, 64, value);
}

bool TryStrToInt(std::string_view s, int32_t& value) {
    int64_t v;
    if (!TryParseSigned(s, 32, v)) return false;
    value = static_cast<int32_t>(v);
    return true;
}

int64_t StrToInt64(std::string_view s) {
    int64_t v;
    if (!TryStrToInt64(s, v)) RaiseInvalidInteger(s);
    return v;
}

int32_t StrToInt(std::string_view s) {
    int32_t v;
    if (!TryStrToInt(s, v)) RaiseInvalidInteger(s);
    return v;
}

int32_t StrToIntDef(std::string_view s, int32_t def) {
    int32_t v;
    return TryStrToInt(s, v) ? v : def;
}

int64_t StrToInt64Def(std::string_view s, int64_t def) {
    int64_t v;
    return TryStrToInt64(s, v) ? v : def;
}

std::string GroupDigits(int64_t value, char thousandSeparator) {
    const uint64_t magnitude = value < 0 ? 0 - static_cast<uint64_t>(value) : static_cast<uint64_t>(value);
    return (value < 0 ? "-" : "") + Group(std::to_string(magnitude), thousandSeparator);
}

}  // namespace cl
