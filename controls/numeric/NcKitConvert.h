#pragma once
// Text to number and number to text for the numeric edits, on the class
// library's number engine.  Separators come with each call (an edit with
// custom separators passes its own); the blank and sign rules follow
// NcBlankWhenZeroFlag and NcShowPosSignFlag.

#include <cstdint>
#include <string>
#include <string_view>

#include "classlib/FormatSettings.h"
#include "controls/numeric/NcKitGlobals.h"

// Trimmed, thousands separators removed, then a whole decimal (or "$"/"0x"
// hex) number; anything else gives 0.  Never raises.
int64_t NcParseInt64(std::string_view text, const cl::TFormatSettings& fs = cl::FormatSettings());
// Unfinished input converts as the number before it: one "%" and every
// thousands separator go, then trailing "+", "-", "E", "e" and decimal
// separators; empty gives 0.  Other bad text raises EConvertError, or
// gives 0 when NcRaiseConvertErrors is off.
cl::Extended NcParseFloat(std::string_view text, const cl::TFormatSettings& fs = cl::FormatSettings());

std::string NcFormatInt(int64_t value);
// Digits grouped by three with the settings' thousands separator.
std::string NcFormatInt64Grouped(int64_t value, const cl::TFormatSettings& fs = cl::FormatSettings());
// ffFixed / ffNumber with 18 significant digits.
std::string NcFormatFloatFixed(cl::Extended value, int decimals,
                               const cl::TFormatSettings& fs = cl::FormatSettings());
std::string NcFormatFloatNumber(cl::Extended value, int decimals,
                                const cl::TFormatSettings& fs = cl::FormatSettings());
// As above without the trailing zeros of the decimal part, and without a
// decimal separator left at the end.
std::string NcFormatFloatFixedTrimmed(cl::Extended value, int decimals,
                                      const cl::TFormatSettings& fs = cl::FormatSettings());
std::string NcFormatFloatNumberTrimmed(cl::Extended value, int decimals,
                                       const cl::TFormatSettings& fs = cl::FormatSettings());
