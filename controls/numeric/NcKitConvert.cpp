#include "controls/numeric/NcKitConvert.h"

#include "classlib/Exceptions.h"
#include "classlib/NumberFormat.h"
#include "classlib/StrUtils.h"

namespace {

std::string WithoutChar(std::string_view text, char c) {
    std::string result;
    for (char x : text)
        if (x != c) result += x;
    return result;
}

// The sign and blank rules shared by every formatter.
std::string Signed(std::string text, bool zero, bool positive) {
    if (NcBlankWhenZeroFlag && zero) return {};
    if (NcShowPosSignFlag && positive) text.insert(0, 1, '+');
    return text;
}

// A text in exponent form ("1E20") has no decimal part to trim.
std::string TrimDecimals(std::string text, char decimalSeparator) {
    if (text.find(decimalSeparator) == std::string::npos || text.find('E') != std::string::npos) return text;
    while (text.back() == '0') text.pop_back();
    if (text.back() == decimalSeparator) text.pop_back();
    return text;
}

}  // namespace

int64_t NcParseInt64(std::string_view text, const cl::TFormatSettings& fs) {
    int64_t value = 0;
    return cl::TryStrToInt64(WithoutChar(cl::Trim(text), fs.ThousandSeparator), value) ? value : 0;
}

cl::Extended NcParseFloat(std::string_view text, const cl::TFormatSettings& fs) {
    std::string s(text);
    if (const size_t percent = s.find('%'); percent != std::string::npos) s.erase(percent, 1);
    s = cl::Trim(WithoutChar(s, fs.ThousandSeparator));
    while (!s.empty()) {
        const char last = s.back();
        if (last != '+' && last != '-' && last != 'E' && last != 'e' && last != fs.DecimalSeparator) break;
        s.pop_back();
        s = cl::Trim(s);
    }
    if (s.empty()) return 0;
    try {
        return cl::StrToFloat(s, fs);
    } catch (const cl::EConvertError&) {
        if (NcRaiseConvertErrors) throw;
        return 0;
    }
}

std::string NcFormatInt(int64_t value) {
    return Signed(std::to_string(value), value == 0, value > 0);
}

std::string NcFormatInt64Grouped(int64_t value, const cl::TFormatSettings& fs) {
    return Signed(cl::GroupDigits(value, fs.ThousandSeparator), value == 0, value > 0);
}

std::string NcFormatFloatFixed(cl::Extended value, int decimals, const cl::TFormatSettings& fs) {
    return Signed(cl::FloatToStrF(value, cl::TFloatFormat::ffFixed, 18, decimals, fs), NcIsZero(value),
                  value > 0);
}

std::string NcFormatFloatNumber(cl::Extended value, int decimals, const cl::TFormatSettings& fs) {
    return Signed(cl::FloatToStrF(value, cl::TFloatFormat::ffNumber, 18, decimals, fs), NcIsZero(value),
                  value > 0);
}

std::string NcFormatFloatFixedTrimmed(cl::Extended value, int decimals, const cl::TFormatSettings& fs) {
    return TrimDecimals(NcFormatFloatFixed(value, decimals, fs), fs.DecimalSeparator);
}

std::string NcFormatFloatNumberTrimmed(cl::Extended value, int decimals, const cl::TFormatSettings& fs) {
    return TrimDecimals(NcFormatFloatNumber(value, decimals, fs), fs.DecimalSeparator);
}
