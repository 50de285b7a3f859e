#include "controls/numeric/NcKitNumText.h"

#include <algorithm>

#include "classlib/Scope.h"
#include "controls/numeric/NcKitConvert.h"

namespace {

// The sign stays in front of the zeros: "-00042"; a blank zero pads to
// zeros alone.
std::string ZeroPadded(std::string text, int maxLength) {
    std::string sign;
    if (!text.empty() && (text[0] == '-' || text[0] == '+')) {
        sign = text.substr(0, 1);
        text.erase(0, 1);
    }
    const size_t width = static_cast<size_t>(std::max(maxLength - static_cast<int>(sign.size()), 0));
    if (text.size() < width) text.insert(0, width - text.size(), '0');
    return sign + text;
}

std::string Finished(std::string text, const NcNumberDisplay& display) {
    if (display.zeroPad && display.maxLength > 0) return ZeroPadded(std::move(text), display.maxLength);
    return text;
}

}  // namespace

std::string NcIntDisplayText(int64_t value, const NcNumberDisplay& display, const cl::TFormatSettings& fs) {
    const cl::FlagScope blank(NcBlankWhenZeroFlag, display.blankWhenZero);
    const cl::FlagScope sign(NcShowPosSignFlag, display.showPosSign);
    return Finished(display.grouped ? NcFormatInt64Grouped(value, fs) : NcFormatInt(value), display);
}

std::string NcFloatDisplayText(cl::Extended value, int decimals, const NcNumberDisplay& display,
                               const cl::TFormatSettings& fs) {
    const cl::FlagScope blank(NcBlankWhenZeroFlag, display.blankWhenZero);
    const cl::FlagScope sign(NcShowPosSignFlag, display.showPosSign);
    std::string text;
    if (display.grouped)
        text = display.trimmed ? NcFormatFloatNumberTrimmed(value, decimals, fs)
                               : NcFormatFloatNumber(value, decimals, fs);
    else
        text = display.trimmed ? NcFormatFloatFixedTrimmed(value, decimals, fs)
                               : NcFormatFloatFixed(value, decimals, fs);
    return Finished(std::move(text), display);
}

NcRegrouped NcRegroupThousands(std::string_view text, int caret, const cl::TFormatSettings& fs) {
    std::string plain;
    for (char c : text)
        if (c != fs.ThousandSeparator) plain += c;
    size_t end = plain.find(fs.DecimalSeparator);
    if (end == std::string::npos) end = plain.size();
    // Built from the right: the decimal part, then the integer part walked leftwards.
    std::string grouped = plain.substr(end);
    int count = 0;
    for (size_t i = end; i-- > 0;) {
        const char c = plain[i];
        if (c >= '0' && c <= '9') {
            if (++count == 4) {
                grouped.insert(0, 1, fs.ThousandSeparator);
                count = 1;
            }
        } else {
            count = 0;
        }
        grouped.insert(0, 1, c);
    }
    const int length = static_cast<int>(grouped.size());
    const int newCaret = std::clamp(length + caret - static_cast<int>(text.size()), 0, length);
    return {std::move(grouped), newCaret};
}

bool NcDecimalsFull(std::string_view text, int caret, int decimalPlaces, char decimalSeparator) {
    const size_t separator = text.find(decimalSeparator);
    if (separator == std::string_view::npos) return false;
    // Counted from 1, the separator's position is separator + 1.
    const int p = static_cast<int>(separator) + 1;
    return p < caret && static_cast<int>(text.size()) - p >= decimalPlaces;
}
