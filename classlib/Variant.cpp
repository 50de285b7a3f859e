#include "classlib/Variant.h"

#include <cmath>
#include <compare>
#include <cstdio>
#include <iterator>

#include "classlib/Exceptions.h"
#include "classlib/StrUtils.h"

namespace cl {

namespace {

constexpr const char* kOverflow = "Variant overflow";
constexpr const char* kInvalidOp = "Invalid variant operation";

// How a code takes part in conversions and arithmetic.
enum class Kind { Empty, Null, Int, Float, Currency, Date, String, Bare };

// By code, for the codes below varString; the rest are strings or bare.
constexpr Kind kKinds[] = {
    Kind::Empty, Kind::Null,   Kind::Int,  Kind::Int,  Kind::Float, Kind::Float, Kind::Currency,
    Kind::Date,  Kind::String, Kind::Bare, Kind::Bare, Kind::Int,   Kind::Bare,  Kind::Bare,
    Kind::Bare,  Kind::Bare,   Kind::Int,  Kind::Int,  Kind::Int,   Kind::Int,   Kind::Int,
};
static_assert(std::size(kKinds) == varInt64 + 1);

// A table, not a switch: every operand of every sum is looked up.
inline Kind KindOf(uint16_t code) {
    if (code < std::size(kKinds)) return kKinds[code];
    return code == varString ? Kind::String : Kind::Bare;
}

std::string TypeName(uint16_t code) {
    static const struct {
        uint16_t code;
        const char* name;
    } kNames[] = {
        {varEmpty, "Empty"},       {varNull, "Null"},       {varSmallint, "Smallint"},
        {varInteger, "Integer"},   {varSingle, "Single"},   {varDouble, "Double"},
        {varCurrency, "Currency"}, {varDate, "Date"},       {varOleStr, "OleStr"},
        {varDispatch, "Dispatch"}, {varError, "Error"},     {varBoolean, "Boolean"},
        {varVariant, "Variant"},   {varUnknown, "Unknown"}, {14, "Decimal"},
        {varShortInt, "ShortInt"}, {varByte, "Byte"},       {varWord, "Word"},
        {varLongWord, "LongWord"}, {varInt64, "Int64"},     {varString, "String"},
    };
    for (const auto& n : kNames)
        if (n.code == code) return n.name;
    return "$" + IntToHex(code, 4);
}

[[noreturn]] void CastError(uint16_t from, const char* to) {
    throw EVariantTypeCastError("Could not convert variant of type (" + TypeName(from) + ") into type (" +
                                to + ")");
}

template <class F>
auto OverflowAsVariantError(F&& f) -> decltype(f()) {
    try {
        return f();
    } catch (const EOverflow&) {
        throw EVariantOverflowError(kOverflow);
    }
}

// Booleans count as 0 and -1.
int64_t IntOf(const Variant& v) {
    if (v.VarType() == varBoolean) return v.AsRawBool() ? -1 : 0;
    return v.AsRawInt();
}

// The value of a number (Int, Float, Currency or Date kind).
Extended ExtOf(const Variant& v) {
    switch (KindOf(v.VarType())) {
        case Kind::Int:
            return static_cast<Extended>(IntOf(v));
        case Kind::Currency:
            return v.AsRawCurrency().ToExtended();
        default:
            return v.AsRawDouble();
    }
}

Currency CurrencyFromFloat(Extended x) {
    // A cast of a non-finite value to an integer is undefined, so it is refused before.
    if (!std::isfinite(x)) throw EVariantOverflowError(kOverflow);
    return OverflowAsVariantError([&] { return Currency::FromExtended(x); });
}

Currency CurrOf(const Variant& v) {
    switch (KindOf(v.VarType())) {
        case Kind::Int:
            return OverflowAsVariantError([&] { return Currency::FromInt(IntOf(v)); });
        case Kind::Currency:
            return v.AsRawCurrency();
        default:
            return CurrencyFromFloat(v.AsRawDouble());
    }
}

Extended StringToFloat(const Variant& v, const TFormatSettings& fs, const char* target) {
    Extended x = 0;
    if (!TryStrToFloat(v.AsRawString(), x, fs)) CastError(v.VarType(), target);
    return x;
}

TDateTime StringToDate(const Variant& v, const TFormatSettings& fs) {
    try {
        return StrToDateTime(v.AsRawString(), fs);
    } catch (const EConvertError&) {
        CastError(v.VarType(), "Date");
    }
}

// Round half to even, as the class library's Round does.
int64_t RoundToInt64(Extended x) {
    Extended r = std::nearbyint(x);
    if (!(r >= -0x1p63L && r < 0x1p63L)) throw EVariantOverflowError(kOverflow);
    return static_cast<int64_t>(r);
}

int64_t RoundCurrency(Currency c) {
    int64_t whole = c.Raw() / 10000;
    int64_t rest = c.Raw() % 10000;
    int64_t away = rest < 0 ? -1 : 1;
    if (rest * away > 5000 || (rest * away == 5000 && whole % 2 != 0)) whole += away;
    return whole;
}

// Rounded half to even; target names the type in a cast error.
int64_t WholeOf(const Variant& v, const TFormatSettings& fs, const char* target) {
    switch (KindOf(v.VarType())) {
        case Kind::Empty:
            return 0;
        case Kind::Int:
            return IntOf(v);
        case Kind::Currency:
            return RoundCurrency(v.AsRawCurrency());
        case Kind::Float:
        case Kind::Date:
            return RoundToInt64(v.AsRawDouble());
        case Kind::String:
            return RoundToInt64(StringToFloat(v, fs, target));
        default:
            CastError(v.VarType(), target);
    }
}

std::string CurrencyText(Currency c, const TFormatSettings& fs) {
    // Unsigned, so the smallest value negates without overflow.
    uint64_t mag = c.Raw() < 0 ? 0 - static_cast<uint64_t>(c.Raw()) : static_cast<uint64_t>(c.Raw());
    std::string s = std::to_string(mag / 10000);
    if (unsigned frac = static_cast<unsigned>(mag % 10000); frac != 0) {
        char digits[8];
        std::snprintf(digits, sizeof digits, "%04u", frac);
        std::string f = digits;
        f.erase(f.find_last_not_of('0') + 1);
        s += fs.DecimalSeparator;
        s += f;
    }
    return c.Raw() < 0 ? "-" + s : s;
}

enum class Op { Add, Sub, Mul };

Extended Apply(Op op, Extended x, Extended y) {
    switch (op) {
        case Op::Add:
            return x + y;
        case Op::Sub:
            return x - y;
        default:
            return x * y;
    }
}

// Both operands are numbers.
Variant NumericOp(Op op, const Variant& a, const Variant& b) {
    Kind ka = KindOf(a.VarType()), kb = KindOf(b.VarType());
    // Two floats, the sums of typed amounts, take the shortest way.
    if (ka == Kind::Float && kb == Kind::Float)
        return Variant(static_cast<double>(Apply(op, a.AsRawDouble(), b.AsRawDouble())));
    if (ka == Kind::Date || kb == Kind::Date) {
        double r = static_cast<double>(Apply(op, ExtOf(a), ExtOf(b)));
        // The distance between two dates is a number of days, not a date.
        if (op == Op::Sub && ka == Kind::Date && kb == Kind::Date) return Variant(r);
        return Variant::FromDate(r);
    }
    if (ka == Kind::Currency || kb == Kind::Currency) {
        return OverflowAsVariantError([&] {
            // An integer factor keeps the product exact.
            if (op == Op::Mul && ka == Kind::Int) return Variant(CurrOf(b) * IntOf(a));
            if (op == Op::Mul && kb == Kind::Int) return Variant(CurrOf(a) * IntOf(b));
            Currency x = CurrOf(a), y = CurrOf(b);
            switch (op) {
                case Op::Add:
                    return Variant(x + y);
                case Op::Sub:
                    return Variant(x - y);
                default:
                    return Variant(x * y);
            }
        });
    }
    if (ka == Kind::Float || kb == Kind::Float)
        return Variant(static_cast<double>(Apply(op, ExtOf(a), ExtOf(b))));

    int64_t x = IntOf(a), y = IntOf(b), r = 0;
    bool overflow = op == Op::Add   ? __builtin_add_overflow(x, y, &r)
                    : op == Op::Sub ? __builtin_sub_overflow(x, y, &r)
                                    : __builtin_mul_overflow(x, y, &r);
    if (overflow) throw EVariantOverflowError(kOverflow);
    if (a.VarType() == varInt64 || b.VarType() == varInt64 || r < INT32_MIN || r > INT32_MAX)
        return Variant::FromInt64(r);
    return Variant(static_cast<int32_t>(r));
}

// An operand made a number: a string is read as a double (into scratch),
// Empty is an integer 0, which leaves the other operand's type to decide
// the result.  A number is used where it is, uncopied: sums run often.
const Variant kZero(0);

const Variant& AsNumber(const Variant& v, const TFormatSettings& fs, Variant& scratch) {
    switch (KindOf(v.VarType())) {
        case Kind::String:
            scratch = Variant(static_cast<double>(StringToFloat(v, fs, "Double")));
            return scratch;
        case Kind::Empty:
            return kZero;
        default:
            return v;
    }
}

bool IsTextLike(Kind k) {
    return k == Kind::String || k == Kind::Empty;
}

const std::string& TextOf(const Variant& v) {
    static const std::string kEmpty;
    return v.IsString() ? v.AsRawString() : kEmpty;
}

bool IsNumber(Kind k) {
    return k == Kind::Int || k == Kind::Float || k == Kind::Currency || k == Kind::Date;
}

Variant BinaryOp(Op op, const Variant& a, const Variant& b, const TFormatSettings& fs) {
    Kind ka = KindOf(a.VarType()), kb = KindOf(b.VarType());
    if (IsNumber(ka) && IsNumber(kb)) return NumericOp(op, a, b);
    if (ka == Kind::Bare || kb == Kind::Bare) throw EVariantInvalidOpError(kInvalidOp);
    if (ka == Kind::Null || kb == Kind::Null) return Variant::Null();
    if (ka == Kind::Empty && kb == Kind::Empty) return Variant();
    if (op == Op::Add && IsTextLike(ka) && IsTextLike(kb)) {
        std::string s = TextOf(a) + TextOf(b);
        if (a.VarType() == varString || b.VarType() == varString) return Variant(std::move(s));
        return Variant::FromOleStr(std::move(s));
    }
    Variant scratchA, scratchB;
    return NumericOp(op, AsNumber(a, fs, scratchA), AsNumber(b, fs, scratchB));
}

// Both operands are numbers.
std::partial_ordering CompareNumbers(const Variant& a, const Variant& b) {
    Kind ka = KindOf(a.VarType()), kb = KindOf(b.VarType());
    if (ka == Kind::Int && kb == Kind::Int) return IntOf(a) <=> IntOf(b);
    if ((ka == Kind::Currency || kb == Kind::Currency) && ka != Kind::Date && kb != Kind::Date) {
        try {
            return CurrOf(a) <=> CurrOf(b);
        } catch (const EVariantOverflowError&) {
            // A float beyond the currency range still has an order: compare as floats below.
        }
    }
    return ExtOf(a) <=> ExtOf(b);
}

std::partial_ordering Compare(const Variant& a, const Variant& b) {
    Kind ka = KindOf(a.VarType()), kb = KindOf(b.VarType());
    if (ka == Kind::Bare || kb == Kind::Bare) throw EVariantInvalidOpError(kInvalidOp);
    if (ka == Kind::Null || kb == Kind::Null) {
        if (ka == kb) return std::partial_ordering::equivalent;
        return ka == Kind::Null ? std::partial_ordering::less : std::partial_ordering::greater;
    }
    if (IsTextLike(ka) && IsTextLike(kb)) return TextOf(a).compare(TextOf(b)) <=> 0;
    const TFormatSettings& fs = FormatSettings();
    Variant scratchA, scratchB;
    return CompareNumbers(AsNumber(a, fs, scratchA), AsNumber(b, fs, scratchB));
}

}  // namespace

Variant Variant::Retyped(Variant v, uint16_t type) {
    v.type_ = type;
    return v;
}

Variant Variant::Null() {
    return Retyped(Variant(), varNull);
}

Variant Variant::FromDate(TDateTime value) {
    return Retyped(Variant(value), varDate);
}

Variant Variant::FromSingle(float value) {
    return Retyped(Variant(static_cast<double>(value)), varSingle);
}

Variant Variant::FromOleStr(std::string value) {
    return Retyped(Variant(std::move(value)), varOleStr);
}

Variant Variant::BareCode(uint16_t code) {
    return Retyped(Variant(), code);
}

Variant Variant::FromInt64(int64_t value) {
    Variant v;
    v.type_ = varInt64;
    v.u_.i64 = value;
    return v;
}

Variant Variant::FromSmallint(int16_t value) {
    return Retyped(FromInt64(value), varSmallint);
}

Variant Variant::FromShortInt(int8_t value) {
    return Retyped(FromInt64(value), varShortInt);
}

Variant Variant::FromByte(uint8_t value) {
    return Retyped(FromInt64(value), varByte);
}

Variant Variant::FromWord(uint16_t value) {
    return Retyped(FromInt64(value), varWord);
}

Variant Variant::FromLongWord(uint32_t value) {
    return Retyped(FromInt64(value), varLongWord);
}

bool Variant::IsNumeric() const {
    return IsNumber(KindOf(type_));
}

int64_t Variant::AsRawInt() const {
    return u_.i64;
}

double Variant::AsRawDouble() const {
    return u_.f64;
}

Extended Variant::ToExtended(const TFormatSettings& fs) const {
    switch (KindOf(type_)) {
        case Kind::Empty:
            return 0;
        case Kind::Int:
        case Kind::Float:
        case Kind::Currency:
        case Kind::Date:
            return ExtOf(*this);
        case Kind::String:
            return StringToFloat(*this, fs, "Double");
        default:
            CastError(type_, "Double");
    }
}

double Variant::ToDouble(const TFormatSettings& fs) const {
    return static_cast<double>(ToExtended(fs));
}

int32_t Variant::ToInteger(const TFormatSettings& fs) const {
    const int64_t v = WholeOf(*this, fs, "Integer");
    if (v < INT32_MIN || v > INT32_MAX) throw EVariantOverflowError(kOverflow);
    return static_cast<int32_t>(v);
}

int64_t Variant::ToInt64(const TFormatSettings& fs) const {
    return WholeOf(*this, fs, "Int64");
}

Currency Variant::ToCurrency(const TFormatSettings& fs) const {
    switch (KindOf(type_)) {
        case Kind::Empty:
            return Currency();
        case Kind::Int:
        case Kind::Float:
        case Kind::Currency:
        case Kind::Date:
            return CurrOf(*this);
        case Kind::String:
            return CurrencyFromFloat(StringToFloat(*this, fs, "Currency"));
        default:
            CastError(type_, "Currency");
    }
}

bool Variant::ToBool(const TFormatSettings& fs) const {
    switch (KindOf(type_)) {
        case Kind::Empty:
            return false;
        case Kind::Int:
            return IntOf(*this) != 0;
        case Kind::Currency:
            return AsRawCurrency().Raw() != 0;
        case Kind::Float:
        case Kind::Date:
            return u_.f64 != 0;
        case Kind::String:
            if (SameText(str_, "True")) return true;
            if (SameText(str_, "False")) return false;
            return StringToFloat(*this, fs, "Boolean") != 0;
        default:
            CastError(type_, "Boolean");
    }
}

std::string Variant::ToString(const TFormatSettings& fs) const {
    switch (KindOf(type_)) {
        case Kind::Empty:
        case Kind::Null:
            return "";
        case Kind::Int:
            if (type_ == varBoolean) return u_.b ? "True" : "False";
            return IntToStr(u_.i64);
        case Kind::Float:
            return FloatToStr(u_.f64, fs);
        case Kind::Currency:
            return CurrencyText(AsRawCurrency(), fs);
        case Kind::Date:
            return DateTimeToStr(u_.f64, fs);
        case Kind::String:
            return str_;
        default:
            CastError(type_, "String");
    }
}

TDateTime Variant::ToDate(const TFormatSettings& fs) const {
    switch (KindOf(type_)) {
        case Kind::Empty:
            return 0;
        case Kind::Int:
        case Kind::Float:
        case Kind::Currency:
        case Kind::Date:
            return static_cast<TDateTime>(ExtOf(*this));
        case Kind::String:
            return StringToDate(*this, fs);
        default:
            CastError(type_, "Date");
    }
}

bool Variant::SameTypeAndValue(const Variant& other) const {
    if (type_ != other.type_) return false;
    switch (KindOf(type_)) {
        case Kind::Int:
            return IntOf(*this) == IntOf(other);
        case Kind::Float:
        case Kind::Date:
            return u_.f64 == other.u_.f64;
        case Kind::Currency:
            return u_.i64 == other.u_.i64;
        case Kind::String:
            return str_ == other.str_;
        default:
            return true;  // no payload
    }
}

Variant VarAdd(const Variant& a, const Variant& b, const TFormatSettings& fs) {
    return BinaryOp(Op::Add, a, b, fs);
}
Variant VarSub(const Variant& a, const Variant& b, const TFormatSettings& fs) {
    return BinaryOp(Op::Sub, a, b, fs);
}
Variant VarMul(const Variant& a, const Variant& b, const TFormatSettings& fs) {
    return BinaryOp(Op::Mul, a, b, fs);
}

Variant operator+(const Variant& a, const Variant& b) {
    return VarAdd(a, b, FormatSettings());
}
Variant operator-(const Variant& a, const Variant& b) {
    return VarSub(a, b, FormatSettings());
}
Variant operator*(const Variant& a, const Variant& b) {
    return VarMul(a, b, FormatSettings());
}
Variant operator-(const Variant& a) {
    return VarSub(Variant(), a, FormatSettings());
}

bool operator==(const Variant& a, const Variant& b) {
    return Compare(a, b) == std::partial_ordering::equivalent;
}
bool operator<(const Variant& a, const Variant& b) {
    return Compare(a, b) == std::partial_ordering::less;
}

}  // namespace cl
