#pragma once
// Variant: a tagged value with the class library's type codes and the
// arithmetic the statement's sums rely on.

#include <cstdint>
#include <string>
#include <utility>

#include "classlib/Currency.h"
#include "classlib/DateTime.h"
#include "classlib/NumberFormat.h"

namespace cl {

// Type codes, as stored in statement files.
enum VarTypeCode : uint16_t {
    varEmpty = 0,
    varNull = 1,
    varSmallint = 2,
    varInteger = 3,
    varSingle = 4,
    varDouble = 5,
    varCurrency = 6,
    varDate = 7,
    varOleStr = 8,
    varDispatch = 9,
    varError = 10,
    varBoolean = 11,
    varVariant = 12,
    varUnknown = 13,
    varShortInt = 16,
    varByte = 17,
    varWord = 18,
    varLongWord = 19,
    varInt64 = 20,
    varString = 256,
    varArray = 0x2000,
    varByRef = 0x4000,
};

class Variant {
public:
    Variant() = default;  // Unassigned
    Variant(int32_t v) : type_(varInteger) { u_.i64 = v; }
    Variant(double v) : type_(varDouble) { u_.f64 = v; }
    Variant(bool v) : type_(varBoolean) { u_.b = v; }
    Variant(Currency v) : type_(varCurrency) { u_.i64 = v.Raw(); }
    Variant(std::string v) : type_(varString), str_(std::move(v)) {}
    Variant(const char* v) : type_(varString), str_(v) {}
    // Only a text has a non-empty str_; a number copies without touching
    // it (the sums copy many numbers).
    Variant(const Variant& o) : type_(o.type_), u_(o.u_) {
        if (!o.str_.empty()) str_ = o.str_;
    }
    Variant(Variant&& o) noexcept : type_(o.type_), u_(o.u_) {
        if (!o.str_.empty()) str_ = std::move(o.str_);
    }
    Variant& operator=(const Variant& o) {
        type_ = o.type_;
        u_ = o.u_;
        if (!str_.empty() || !o.str_.empty()) str_ = o.str_;
        return *this;
    }
    Variant& operator=(Variant&& o) noexcept {
        type_ = o.type_;
        u_ = o.u_;
        if (!str_.empty() || !o.str_.empty()) str_ = std::move(o.str_);
        return *this;
    }
    ~Variant() = default;

    static Variant Null();
    static Variant FromDate(TDateTime v);
    static Variant FromSmallint(int16_t v);
    static Variant FromShortInt(int8_t v);
    static Variant FromByte(uint8_t v);
    static Variant FromWord(uint16_t v);
    static Variant FromLongWord(uint32_t v);
    static Variant FromInt64(int64_t v);
    static Variant FromSingle(float v);
    static Variant FromOleStr(std::string v);
    // A value of a type the program does not hold (interfaces, arrays,
    // references...): only the code is kept.
    static Variant BareCode(uint16_t code);

    uint16_t VarType() const { return type_; }
    bool IsEmpty() const { return type_ == varEmpty; }
    bool IsNull() const { return type_ == varNull; }
    bool IsNumeric() const;  // integer kinds, floats, currency, date, boolean
    bool IsString() const { return type_ == varString || type_ == varOleStr; }

    // Raw payloads; each is valid only for its own type.
    int64_t AsRawInt() const;    // any integer kind, sign- or zero-extended
    double AsRawDouble() const;  // varSingle, varDouble, varDate
    Currency AsRawCurrency() const { return Currency::FromRaw(u_.i64); }
    bool AsRawBool() const { return u_.b; }
    const std::string& AsRawString() const { return str_; }

    // Casts.  Empty converts to 0, "" or False; Null and other codes raise
    // EVariantTypeCastError; a string converts through the locale settings
    // and raises EVariantTypeCastError when it is not a number.
    Extended ToExtended(const TFormatSettings& fs = FormatSettings()) const;
    double ToDouble(const TFormatSettings& fs = FormatSettings()) const;
    int32_t ToInteger(const TFormatSettings& fs = FormatSettings()) const;  // rounds half to even
    int64_t ToInt64(const TFormatSettings& fs = FormatSettings()) const;
    Currency ToCurrency(const TFormatSettings& fs = FormatSettings()) const;
    bool ToBool(const TFormatSettings& fs = FormatSettings()) const;
    // Numbers as FloatToStr, currency with up to four decimals, dates as
    // DateTimeToStr, booleans as "True"/"False", Empty and Null as "".
    std::string ToString(const TFormatSettings& fs = FormatSettings()) const;
    TDateTime ToDate(const TFormatSettings& fs = FormatSettings()) const;

    // Same type code and equal payload (no conversion between types).
    bool SameTypeAndValue(const Variant& other) const;

private:
    // v with another type code over the same payload.
    static Variant Retyped(Variant v, uint16_t type);

    uint16_t type_ = varEmpty;
    union {
        int64_t i64;  // currency raw value and every integer kind, widened
        double f64;
        bool b;
    } u_{};
    std::string str_;
};

// Arithmetic as the class library does it:
//  - Empty beside a number counts as an integer 0, so the number decides
//    the result's type; Empty op Empty is Empty; Null in either operand
//    gives Null.
//  - A date with any other number gives a date (date - date a double).
//  - Otherwise currency with currency, a float or an integer gives
//    currency, exact, floats rounded half to even at the fourth decimal.
//  - A float (single or double) with a float or integer gives double.
//  - Integers (booleans as 0 / -1) with integers give an integer, Int64
//    when it leaves the 32-bit range or an operand is Int64.
//  - A string beside a number is converted to a double first; a string
//    that is not a number raises EVariantTypeCastError.  String + string
//    and string + Empty concatenate; other string pairs convert both.
//  - Overflow of currency or Int64 raises EVariantOverflowError; other
//    codes raise EVariantInvalidOpError.
// The operators read strings with the program's settings; VarAdd, VarSub
// and VarMul take them as an argument.
Variant VarAdd(const Variant& a, const Variant& b, const TFormatSettings& fs);
Variant VarSub(const Variant& a, const Variant& b, const TFormatSettings& fs);
Variant VarMul(const Variant& a, const Variant& b, const TFormatSettings& fs);
Variant operator+(const Variant& a, const Variant& b);
Variant operator-(const Variant& a, const Variant& b);
Variant operator*(const Variant& a, const Variant& b);
Variant operator-(const Variant& a);  // as Empty - a

// Comparisons convert as the arithmetic does (Empty as 0 beside a number,
// "" beside a string); Null is only equal to Null and orders before all.
// Empty > 0 is false.  Other codes raise EVariantInvalidOpError.
bool operator==(const Variant& a, const Variant& b);
bool operator<(const Variant& a, const Variant& b);
inline bool operator!=(const Variant& a, const Variant& b) {
    return !(a == b);
}
inline bool operator>(const Variant& a, const Variant& b) {
    return b < a;
}
inline bool operator<=(const Variant& a, const Variant& b) {
    return !(b < a);
}
inline bool operator>=(const Variant& a, const Variant& b) {
    return !(a < b);
}

inline Variant Unassigned() {
    return Variant();
}
inline bool VarIsEmpty(const Variant& v) {
    return v.IsEmpty();
}
inline bool VarIsNull(const Variant& v) {
    return v.IsNull();
}
inline uint16_t VarType(const Variant& v) {
    return v.VarType();
}

}  // namespace cl
