#pragma once
// What a spin edit does with its number without a window: the text read by
// the value type, the value written back (plainly or by a display format),
// the characters a key may add, and the limits with their checks, which
// follow the limits by themselves until a window layout sets them.  Text is
// Windows-1250.

#include <optional>
#include <string>
#include <string_view>

#include "classlib/Exceptions.h"
#include "classlib/FormatSettings.h"
#include "classlib/NumberFormat.h"

enum TValueType { vtInteger, vtFloat, vtHex };

// A value beyond the checked limits: "Value must be between %g and %g".
class ERangeError : public cl::Exception {
public:
    using Exception::Exception;
    const char* ClassName() const override { return "ERangeError"; }
};

struct TSpinTextFormat {
    TValueType ValueType = vtInteger;
    int Decimal = 2;         // digits after the decimal separator (vtFloat)
    bool Thousands = false;  // group thousands in the plain format
    std::string DisplayFormat;
};

// The number the text holds, or nothing when it holds none: a decimal
// (thousand separators left out; through NormalizeNumberText under a
// display format) rounded to Decimal places as the plain format shows it,
// so a value taken from the text is the value shown; a hexadecimal number
// without its "$", or an integer.
std::optional<cl::Extended> ParseSpinText(std::string_view text, const TSpinTextFormat& format,
                                          const cl::TFormatSettings& fs = cl::FormatSettings());

// The text of a value: by DisplayFormat (vtFloat), else fixed notation
// with Decimal decimals (none for vtInteger), grouped with Thousands, or
// hexadecimal digits.  A value that rounds to zero shows no minus sign.
std::string FormatSpinValue(cl::Extended value, const TSpinTextFormat& format,
                            const cl::TFormatSettings& fs = cl::FormatSettings());

// A number by a display format of digit placeholders: "0" a digit always
// shown, "#" one shown when needed, "," anywhere before the decimal point
// groups thousands, "." the decimal point; other characters before the
// first placeholder and after the last are shown as they are.
std::string FormatFloatPattern(cl::Extended value, std::string_view pattern,
                               const cl::TFormatSettings& fs = cl::FormatSettings());
// The plain format of a focused decimal edit: "0", or "0." and Decimal "#".
std::string FocusedFloatPattern(int decimal);

// The step of a value type: an integer type steps by the rounded
// increment, and by 1 when that rounds to 0.
cl::Extended StepFor(TValueType type, cl::Extended increment);

// Whether a typed character may go into the text: digits, signs, for
// decimals one decimal separator (a "." counts as one) and an exponent,
// for hexadecimal the letters A to F; control characters always, and only
// they (Backspace excepted) when the editor is disabled.
bool IsValidSpinChar(char key, std::string_view text, const TSpinTextFormat& format, bool editorEnabled,
                     const cl::TFormatSettings& fs = cl::FormatSettings());

// The limits of a spin edit and their checks.  A check is on while its
// limit is not 0; while a check is automatic, a limit that turns zero or
// non-zero switches it (and the other automatic check, when this one was
// at its stored default) to whether any limit is set.  A check assigned
// while loading stays as assigned until Loaded.
class TSpinLimits {
public:
    cl::Extended MinValue() const { return min_; }
    cl::Extended MaxValue() const { return max_; }
    bool CheckMinValue() const { return checkMin_; }
    bool CheckMaxValue() const { return checkMax_; }
    void SetMinValue(cl::Extended value);
    void SetMaxValue(cl::Extended value);
    void SetCheckMinValue(bool value, bool loading = false);
    void SetCheckMaxValue(bool value, bool loading = false);
    // The checks follow the limits again.
    void Loaded() { autoMin_ = autoMax_ = true; }

    // A window layout stores a check that differs from what the limits give.
    bool IsCheckMinValueStored() const { return min_ == 0 && checkMin_ == (max_ == 0); }
    bool IsCheckMaxValueStored() const { return max_ == 0 && checkMax_ == (min_ == 0); }

    // The value within the checked limits.
    cl::Extended Clamp(cl::Extended value) const;
    // The clamped value; raises ERangeError when raiseOnError, a check is on
    // and the value was out of range.
    cl::Extended CheckValue(cl::Extended value, bool raiseOnError,
                            const cl::TFormatSettings& fs = cl::FormatSettings()) const;

private:
    cl::Extended min_ = 0;
    cl::Extended max_ = 0;
    bool checkMin_ = false;
    bool checkMax_ = false;
    bool autoMin_ = true;
    bool autoMax_ = true;
};

// The half of a spin button under a point: with the diagonal layout the
// bottom half lies strictly below the line from the bottom-left to the
// top-right corner, y > h - (h / w) x; with the classic layout below
// h div 2.
enum TSpinHalf { shNone, shTop, shBottom };
TSpinHalf SpinHalfAt(bool diagonal, int width, int height, int x, int y);
