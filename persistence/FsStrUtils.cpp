#include "persistence/FsStrUtils.h"

std::string StrReplaceAll(std::string_view text, std::string_view search, std::string_view replacement) {
    if (search.empty()) return std::string(text);
    std::string result;
    size_t from = 0;
    for (size_t at; (at = text.find(search, from)) != std::string_view::npos; from = at + search.size()) {
        result.append(text.substr(from, at - from));
        result.append(replacement);
    }
    result.append(text.substr(from));
    return result;
}

namespace {

// Index of the first character of the n-th word, or npos.
size_t WordStart(int n, std::string_view text, std::string_view delimiters) {
    size_t at = 0;
    for (int word = 1; word <= n; ++word) {
        at = text.find_first_not_of(delimiters, at);
        if (at == std::string_view::npos || word == n) return at;
        at = text.find_first_of(delimiters, at);
        if (at == std::string_view::npos) return at;
    }
    return std::string_view::npos;
}

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

}  // namespace

int CountWords(std::string_view text, std::string_view delimiters) {
    int count = 0;
    for (size_t at = 0; (at = text.find_first_not_of(delimiters, at)) != std::string_view::npos;) {
        ++count;
        at = text.find_first_of(delimiters, at);
    }
    return count;
}

int WordStartPos(int n, std::string_view text, std::string_view delimiters) {
    const size_t at = WordStart(n, text, delimiters);
    return at == std::string_view::npos ? 0 : static_cast<int>(at) + 1;
}

std::string ExtractNthWord(int n, std::string_view text, std::string_view delimiters) {
    const size_t at = WordStart(n, text, delimiters);
    if (at == std::string_view::npos) return {};
    const size_t end = text.find_first_of(delimiters, at);
    return std::string(text.substr(at, end == std::string_view::npos ? std::string_view::npos : end - at));
}

std::string XorShortStr(std::string_view key, std::string_view text) {
    std::string result(text);
    if (key.empty()) return result;
    for (size_t i = 0; i < result.size(); ++i) result[i] = static_cast<char>(result[i] ^ key[i % key.size()]);
    return result;
}

std::string XorEncodeHex(std::string_view key, std::string_view text) {
    static constexpr char kDigits[] = "0123456789abcdef";
    std::string result;
    result.reserve(text.size() * 2);
    for (unsigned char c : XorShortStr(key, text)) {
        result += kDigits[c >> 4];
        result += kDigits[c & 15];
    }
    return result;
}

std::string XorDecodeHex(std::string_view key, std::string_view text) {
    std::string result;
    result.reserve(text.size() / 2);
    for (size_t i = 0; i + 1 < text.size(); i += 2) {
        const int high = HexDigit(text[i]), low = HexDigit(text[i + 1]);
        int value = high < 0 || low < 0 ? 32 : high * 16 + low;
        if (!key.empty()) value ^= static_cast<unsigned char>(key[(i / 2) % key.size()]);
        result += static_cast<char>(value);
    }
    return result;
}
