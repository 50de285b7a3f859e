#pragma once
// The texts of the numeric edits that need no window: what an edit shows
// for its value, the digits regrouped while the user types, and the
// decimal-places limit of typed digits.

#include <cstdint>
#include <string>
#include <string_view>

#include "classlib/FormatSettings.h"
#include "classlib/NumberFormat.h"

// How a numeric edit shows a value that is not Null.
struct NcNumberDisplay {
    bool grouped = false;        // thousands separators on display
    bool trimmed = false;        // trailing zeros of the decimals dropped (floats)
    bool blankWhenZero = false;  // zero shows as an empty text
    bool showPosSign = false;    // "+" before positive values
    bool zeroPad = false;        // left-padded with "0" to maxLength
    int maxLength = 0;           // 0: no limit, so no padding
};

// NcBlankWhenZeroFlag and NcShowPosSignFlag hold the display's options
// while it formats and are put back afterwards.
std::string NcIntDisplayText(int64_t value, const NcNumberDisplay& display, const cl::TFormatSettings& fs);
std::string NcFloatDisplayText(cl::Extended value, int decimals, const NcNumberDisplay& display,
                               const cl::TFormatSettings& fs);

// A text with its digits regrouped and the caret kept at the same
// distance from the end.
struct NcRegrouped {
    std::string text;
    int caret;
};
// Every thousands separator goes, then the integer part (left of the
// decimal separator) gets one after each three digits counted from the
// right; a sign starts the count anew.
NcRegrouped NcRegroupThousands(std::string_view text, int caret, const cl::TFormatSettings& fs);

// Whether a digit typed at the caret would exceed the decimal places: the
// caret lies behind the decimal separator (not directly behind it) and the
// decimals already fill the places.
bool NcDecimalsFull(std::string_view text, int caret, int decimalPlaces, char decimalSeparator);
