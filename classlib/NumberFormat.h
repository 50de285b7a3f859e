#pragma once
// The one number engine: text to number and number to text.  Floats are
// long double, which is the 80-bit extended type on x86 in both builds.

#include <cstdint>
#include <string>
#include <string_view>

#include "classlib/FormatSettings.h"

namespace cl {

using Extended = long double;

enum class TFloatFormat { ffGeneral, ffExponent, ffFixed, ffNumber, ffCurrency };

// The value is first rounded to Precision significant digits (at most 18),
// then, for ffFixed and ffNumber, to Digits decimals; both roundings take
// ties away from zero.  A value that rounds to zero shows no minus sign.
// ffNumber groups thousands with the settings' separator (none when it is
// the NUL character).  ffGeneral gives the shortest fixed or exponent form
// with up to Precision digits, Digits being the minimum exponent width.
std::string FloatToStrF(Extended value, TFloatFormat format, int precision, int digits,
                        const TFormatSettings& fs = FormatSettings());
// ffGeneral with 15 digits.
std::string FloatToStr(Extended value, const TFormatSettings& fs = FormatSettings());

// Strict parse: optional blanks around, a sign, digits with at most one
// decimal separator of the settings, an optional exponent.  Never "inf",
// "nan", hex, a bare separator or an empty text.  Raises EConvertError,
// also when the value overflows the extended range.
Extended StrToFloat(std::string_view s, const TFormatSettings& fs = FormatSettings());
bool TryStrToFloat(std::string_view s, Extended& value, const TFormatSettings& fs = FormatSettings());

// Decimal integers with optional blanks around and a sign, or "$"/"0x" hex,
// as the class library accepts; out of range raises EConvertError.
int32_t StrToInt(std::string_view s);
int64_t StrToInt64(std::string_view s);
bool TryStrToInt(std::string_view s, int32_t& value);
bool TryStrToInt64(std::string_view s, int64_t& value);
int32_t StrToIntDef(std::string_view s, int32_t def);
int64_t StrToInt64Def(std::string_view s, int64_t def);

// Digits of the absolute value grouped by three from the right with the
// separator, then "-" in front; the smallest Int64 formats without overflow.
std::string GroupDigits(int64_t value, char thousandSeparator);

}  // namespace cl
