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

// The exact value is first rounded to Precision significant digits (2..18),
// then, for ffFixed and ffNumber, to Digits decimals (0..18); both roundings
// take ties away from zero.  A value that rounds to zero shows no minus sign.
// ffNumber groups thousands with the settings' separator (none when it is
// the NUL character); ffCurrency formats as ffNumber (no currency symbol).
// When the integer part has more than Precision digits, ffFixed and ffNumber
// give ffGeneral.  ffGeneral drops trailing zeros and uses fixed notation
// from 0.0001 up to Precision integer digits, else "1,5E20" / "1E-5";
// ffExponent gives "1,2345E+03".  For both, Digits (0..4) is the minimum
// exponent width.  Infinities and NaN give "INF", "-INF", "NAN".
std::string FloatToStrF(Extended value, TFloatFormat format, int precision, int digits,
                        const TFormatSettings& fs = FormatSettings());
// ffGeneral with 15 digits.
std::string FloatToStr(Extended value, const TFormatSettings& fs = FormatSettings());

// Strict parse: optional blanks around, a sign, digits with at most one
// decimal separator of the settings, an optional exponent.  Never "inf",
// "nan", hex, a bare separator, thousands separators or an empty text.
// The result is correctly rounded (half to even); a value too small even
// for a denormal gives 0.  Raises EConvertError, also when the value
// overflows the extended range.
Extended StrToFloat(std::string_view s, const TFormatSettings& fs = FormatSettings());
bool TryStrToFloat(std::string_view s, Extended& value, const TFormatSettings& fs = FormatSettings());

// Decimal integers with optional blanks around and a sign, or "$"/"0x" hex,
// as the class library accepts; out of range raises EConvertError.  Hex
// text may use the whole unsigned width: "$FFFFFFFF" is -1.
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
