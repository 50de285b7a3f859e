#include "controls/XcBaseUtils.h"

#include <cstring>

bool VariantIsInteger(const cl::Variant& value) {
    switch (value.VarType()) {
        case cl::varSmallint:
        case cl::varInteger:
        case cl::varShortInt:
        case cl::varByte:
        case cl::varWord:
        case cl::varLongWord:
            return true;
        default:
            return false;
    }
}

int BytesPerScanline(int pixels, int bitsPerPixel) {
    const int64_t bits = static_cast<int64_t>(pixels) * bitsPerPixel;
    return static_cast<int>((bits + 31) / 32 * 4);
}

int PaletteEntriesFor(int bitCount) {
    switch (bitCount) {
        case 1:
        case 4:
        case 8:
            return 1 << bitCount;
        default:
            return 0;
    }
}

std::string ReplaceAll(std::string_view text, std::string_view search, std::string_view replacement) {
    if (search.empty()) return std::string(text);
    std::string result;
    size_t from = 0;
    for (size_t at; (at = text.find(search, from)) != std::string_view::npos; from = at + search.size()) {
        result.append(text, from, at - from);
        result.append(replacement);
    }
    result.append(text.substr(from));
    return result;
}

std::string DeleteChars(std::string_view text, char c) {
    std::string result;
    for (char ch : text)
        if (ch != c) result += ch;
    return result;
}

std::string TrimLeftSpaces(std::string_view text) {
    const size_t first = text.find_first_not_of(' ');
    return first == std::string_view::npos ? std::string() : std::string(text.substr(first));
}

std::string TrimRightSpaces(std::string_view text) {
    const size_t last = text.find_last_not_of(' ');
    return last == std::string_view::npos ? std::string() : std::string(text.substr(0, last + 1));
}

std::string TrimSpaces(std::string_view text) {
    return TrimRightSpaces(TrimLeftSpaces(text));
}

std::string StringOfChar(char c, int n) {
    return n < 1 ? std::string() : std::string(static_cast<size_t>(n), c);
}

bool CompareMemory(const void* a, const void* b, size_t size) {
    return size == 0 || std::memcmp(a, b, size) == 0;
}

void MoveMemory(const void* source, void* dest, size_t size) {
    if (size) std::memmove(dest, source, size);
}

std::string NormalizeNumberText(std::string_view text, const cl::TFormatSettings& settings) {
    const char decimal = settings.DecimalSeparator;
    const char thousand = settings.ThousandSeparator;
    std::string t = TrimSpaces(text);
    if (thousand != decimal) t = DeleteChars(t, thousand);
    for (char alternative : {'.', ','}) {
        if (decimal == alternative || thousand == alternative) continue;
        for (char& c : t)
            if (c == alternative) c = decimal;
    }
    std::string result;
    for (char c : t)
        if (c == '+' || c == '-' || (c >= '0' && c <= '9') || c == decimal || c == thousand) result += c;
    if (result.empty()) return "0";
    if (result == "-") return "-0";
    return result;
}
