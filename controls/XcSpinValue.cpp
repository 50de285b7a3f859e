#include "controls/XcSpinValue.h"

#include <cmath>

#include "classlib/StrUtils.h"
#include "controls/XcBaseUtils.h"

using cl::Extended;

namespace {

std::string WithoutThousands(std::string_view text, const cl::TFormatSettings& fs) {
    if (fs.ThousandSeparator == fs.DecimalSeparator) return std::string(text);
    return DeleteChars(text, fs.ThousandSeparator);
}

bool HasNonZeroDigit(std::string_view s) {
    for (char c : s)
        if (c >= '1' && c <= '9') return true;
    return false;
}

std::string Grouped(const std::string& digits, char separator) {
    if (separator == '\0') return digits;
    std::string out;
    for (size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0) out += separator;
        out += digits[i];
    }
    return out;
}

std::string FormatGeneral(Extended value, const cl::TFormatSettings& fs) {
    return cl::FloatToStrF(value, cl::TFloatFormat::ffGeneral, 15, 0, fs);
}

// The value as the plain format shows it, Decimal places rounded half away
// from zero.
Extended RoundedAsShown(Extended value, int decimal, const cl::TFormatSettings& fs) {
    cl::TFormatSettings plain = fs;
    plain.ThousandSeparator = '\0';
    Extended rounded = value;
    if (!cl::TryStrToFloat(cl::FloatToStrF(value, cl::TFloatFormat::ffFixed, 15, decimal, plain), rounded,
                           plain))
        return value;
    return rounded;
}

}  // namespace

std::optional<Extended> ParseSpinText(std::string_view text, const TSpinTextFormat& format,
                                      const cl::TFormatSettings& fs) {
    switch (format.ValueType) {
        case vtFloat: {
            const std::string plain =
                format.DisplayFormat.empty() ? WithoutThousands(text, fs) : NormalizeNumberText(text, fs);
            Extended value = 0;
            if (cl::TryStrToFloat(plain, value, fs) && std::isfinite(value))
                return RoundedAsShown(value, format.Decimal, fs);
            return std::nullopt;
        }
        case vtHex: {
            int64_t value = 0;
            if (!text.empty() && cl::TryStrToInt64("$" + std::string(text), value))
                return static_cast<Extended>(value);
            return std::nullopt;
        }
        case vtInteger: {
            int64_t value = 0;
            if (cl::TryStrToInt64(WithoutThousands(text, fs), value)) return static_cast<Extended>(value);
            return std::nullopt;
        }
    }
    return std::nullopt;
}

std::string FormatSpinValue(Extended value, const TSpinTextFormat& format, const cl::TFormatSettings& fs) {
    using cl::TFloatFormat;
    const TFloatFormat plain = format.Thousands ? TFloatFormat::ffNumber : TFloatFormat::ffFixed;
    switch (format.ValueType) {
        case vtFloat:
            if (!format.DisplayFormat.empty()) return FormatFloatPattern(value, format.DisplayFormat, fs);
            return cl::FloatToStrF(value, plain, 15, format.Decimal, fs);
        case vtHex:
            return cl::IntToHex(static_cast<uint64_t>(std::llround(value)), 1);
        case vtInteger:
            return cl::FloatToStrF(value, plain, 15, 0, fs);
    }
    return {};
}

std::string FormatFloatPattern(Extended value, std::string_view pattern, const cl::TFormatSettings& fs) {
    const size_t first = pattern.find_first_of("0#");
    if (first == std::string_view::npos) return std::string(pattern);
    const size_t last = pattern.find_last_of("0#");
    const size_t point = pattern.find('.');
    const std::string_view intPart = pattern.substr(0, std::min(point, pattern.size()));
    const bool grouping = intPart.find(',') != std::string_view::npos;
    int intMin = 0, fracMin = 0, fracMax = 0;
    for (size_t i = 0; i < pattern.size(); ++i) {
        const char c = pattern[i];
        if (c != '0' && c != '#') continue;
        if (point == std::string_view::npos || i < point) {
            intMin += c == '0';
        } else {
            ++fracMax;
            fracMin += c == '0' && fracMax == fracMin + 1;
        }
    }
    cl::TFormatSettings plain = fs;
    plain.ThousandSeparator = '\0';
    const std::string fixed =
        cl::FloatToStrF(std::fabs(value), cl::TFloatFormat::ffFixed, 18, fracMax, plain);
    const size_t sep = fixed.find(fs.DecimalSeparator);
    std::string digits = fixed.substr(0, sep);
    std::string fraction = sep == std::string::npos ? std::string() : fixed.substr(sep + 1);
    while (static_cast<int>(fraction.size()) > fracMin && !fraction.empty() && fraction.back() == '0')
        fraction.pop_back();
    if (digits == "0" && intMin == 0) digits.clear();
    while (static_cast<int>(digits.size()) < intMin) digits.insert(digits.begin(), '0');
    if (grouping) digits = Grouped(digits, fs.ThousandSeparator);

    std::string prefix;
    for (char c : pattern.substr(0, first))
        if (c != ',') prefix += c;
    std::string out = prefix + digits;
    if (!fraction.empty()) out += fs.DecimalSeparator + fraction;
    out += pattern.substr(last + 1);
    const bool negative = value < 0 && (HasNonZeroDigit(digits) || HasNonZeroDigit(fraction));
    return negative ? "-" + out : out;
}

std::string FocusedFloatPattern(int decimal) {
    return decimal > 0 ? "0." + std::string(static_cast<size_t>(decimal), '#') : "0";
}

Extended StepFor(TValueType type, Extended increment) {
    if (type == vtFloat) return increment;
    const Extended rounded = std::round(increment);
    return rounded == 0 ? 1 : rounded;
}

bool IsValidSpinChar(char key, std::string_view text, const TSpinTextFormat& format, bool editorEnabled,
                     const cl::TFormatSettings& fs) {
    const auto byte = static_cast<unsigned char>(key);
    if (byte < 0x20) return editorEnabled || key != '\b';
    if (!editorEnabled) return false;
    if ((key >= '0' && key <= '9') || key == '+' || key == '-') return true;
    if (format.ValueType == vtFloat) {
        if (text.find(fs.DecimalSeparator) == std::string_view::npos) {
            const bool dotIsGrouping = format.Thousands && fs.ThousandSeparator == '.';
            if (key == fs.DecimalSeparator || (key == '.' && !dotIsGrouping)) return true;
        }
        if (text.find('E') == std::string_view::npos && (key == 'E' || key == 'e')) return true;
    }
    if (format.ValueType == vtHex) return (key >= 'A' && key <= 'F') || (key >= 'a' && key <= 'f');
    return false;
}

// ---- TSpinLimits ---------------------------------------------------------------
void TSpinLimits::SetMinValue(Extended value) {
    if (value == min_) return;
    const bool switched = (min_ == 0) != (value == 0);
    const bool stored = IsCheckMinValueStored();
    min_ = value;
    if (switched && autoMin_) {
        SetCheckMinValue(min_ != 0 || max_ != 0);
        if (!stored && autoMax_) SetCheckMaxValue(checkMin_);
    }
    if (min_ != 0) checkMin_ = true;
}

void TSpinLimits::SetMaxValue(Extended value) {
    if (value == max_) return;
    const bool switched = (max_ == 0) != (value == 0);
    const bool stored = IsCheckMaxValueStored();
    max_ = value;
    if (switched && autoMax_) {
        SetCheckMaxValue(min_ != 0 || max_ != 0);
        if (!stored && autoMin_) SetCheckMinValue(checkMax_);
    }
    if (max_ != 0) checkMax_ = true;
}

void TSpinLimits::SetCheckMinValue(bool value, bool loading) {
    if (loading) autoMin_ = false;
    checkMin_ = value || min_ != 0;
}

void TSpinLimits::SetCheckMaxValue(bool value, bool loading) {
    if (loading) autoMax_ = false;
    checkMax_ = value || max_ != 0;
}

Extended TSpinLimits::Clamp(Extended value) const {
    if (checkMin_ && value < min_) value = min_;
    if (checkMax_ && value > max_) value = max_;
    return value;
}

Extended TSpinLimits::CheckValue(Extended value, bool raiseOnError, const cl::TFormatSettings& fs) const {
    const Extended clamped = Clamp(value);
    if (raiseOnError && (checkMin_ || checkMax_) && clamped != value)
        throw ERangeError("Value must be between " + FormatGeneral(min_, fs) + " and " +
                          FormatGeneral(max_, fs));
    return clamped;
}

TSpinHalf SpinHalfAt(bool diagonal, int width, int height, int x, int y) {
    if (width <= 0 || height <= 0) return shNone;
    if (diagonal) {
        const double line = height - static_cast<double>(height) / width * x;
        return y > line ? shBottom : shTop;
    }
    return y > height / 2 ? shBottom : shTop;
}
