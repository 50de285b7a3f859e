#include "classlib/StrUtils.h"

#include <array>
#include <cstdio>

namespace cl {

namespace {

bool IsBlank(char c) {
    return static_cast<unsigned char>(c) <= ' ';
}

char AsciiUpper(char c) {
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 32) : c;
}
char AsciiLower(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c;
}

// Upper/lower pairs of Windows-1250 letters beyond ASCII.
constexpr std::array<std::pair<unsigned char, unsigned char>, 30> kCp1250Pairs = {{
    {0x8A, 0x9A}, {0x8C, 0x9C}, {0x8D, 0x9D}, {0x8E, 0x9E}, {0x8F, 0x9F}, {0xA3, 0xB3},
    {0xA5, 0xB9}, {0xAA, 0xBA}, {0xAF, 0xBF}, {0xBC, 0xBE}, {0xC0, 0xE0}, {0xC1, 0xE1},
    {0xC2, 0xE2}, {0xC3, 0xE3}, {0xC4, 0xE4}, {0xC5, 0xE5}, {0xC6, 0xE6}, {0xC7, 0xE7},
    {0xC8, 0xE8}, {0xC9, 0xE9}, {0xCA, 0xEA}, {0xCB, 0xEB}, {0xCC, 0xEC}, {0xCD, 0xED},
    {0xCE, 0xEE}, {0xCF, 0xEF}, {0xD0, 0xF0}, {0xD1, 0xF1}, {0xD2, 0xF2}, {0xD3, 0xF3},
}};
constexpr std::array<std::pair<unsigned char, unsigned char>, 9> kCp1250PairsHigh = {{
    {0xD4, 0xF4},
    {0xD5, 0xF5},
    {0xD6, 0xF6},
    {0xD8, 0xF8},
    {0xD9, 0xF9},
    {0xDA, 0xFA},
    {0xDB, 0xFB},
    {0xDC, 0xFC},
    {0xDD, 0xFD},
}};

struct CaseTables {
    std::array<unsigned char, 256> upper{};
    std::array<unsigned char, 256> lower{};
    CaseTables() {
        for (int i = 0; i < 256; ++i) {
            upper[i] = static_cast<unsigned char>(AsciiUpper(static_cast<char>(i)));
            lower[i] = static_cast<unsigned char>(AsciiLower(static_cast<char>(i)));
        }
        auto add = [this](auto& pairs) {
            for (auto [u, l] : pairs) {
                upper[l] = u;
                lower[u] = l;
            }
        };
        add(kCp1250Pairs);
        add(kCp1250PairsHigh);
        upper[0xDE] = 0xDE;  // Ţ/ţ
        lower[0xDE] = 0xFE;
        upper[0xFE] = 0xDE;
    }
};

const CaseTables& Tables() {
    static const CaseTables tables;
    return tables;
}

// Collation weight of a Windows-1250 byte: letters with diacritics sort
// right after their base letter (a < ą < b), case is ignored by the caller.
int CollationWeight(unsigned char c) {
    struct Accent {
        unsigned char ch;
        char base;
        int rank;
    };
    static constexpr Accent kAccents[] = {
        {0xB9, 'a', 1}, {0xE1, 'a', 2}, {0xE2, 'a', 3}, {0xE3, 'a', 4}, {0xE4, 'a', 5}, {0xE6, 'c', 1},
        {0xE7, 'c', 2}, {0xE8, 'c', 3}, {0xEF, 'd', 1}, {0xF0, 'd', 2}, {0xEA, 'e', 1}, {0xE9, 'e', 2},
        {0xEB, 'e', 3}, {0xEC, 'e', 4}, {0xED, 'i', 1}, {0xEE, 'i', 2}, {0xB3, 'l', 1}, {0xE5, 'l', 2},
        {0xBE, 'l', 3}, {0xF1, 'n', 1}, {0xF2, 'n', 2}, {0xF3, 'o', 1}, {0xF4, 'o', 2}, {0xF5, 'o', 3},
        {0xF6, 'o', 4}, {0xE0, 'r', 1}, {0xF8, 'r', 2}, {0x9C, 's', 1}, {0x9A, 's', 2}, {0xBA, 's', 3},
        {0x9D, 't', 1}, {0xFE, 't', 2}, {0xF9, 'u', 1}, {0xFA, 'u', 2}, {0xFB, 'u', 3}, {0xFC, 'u', 4},
        {0xFD, 'y', 1}, {0x9F, 'z', 1}, {0xBF, 'z', 2}, {0x9E, 'z', 3},
    };
    const unsigned char l = Tables().lower[c];
    if (l >= 'a' && l <= 'z') return 1000 + (l - 'a') * 10;
    for (const Accent& a : kAccents)
        if (a.ch == l) return 1000 + (a.base - 'a') * 10 + a.rank;
    if (l >= '0' && l <= '9') return 500 + l;
    return l;
}

}  // namespace

std::string TrimLeft(std::string_view s) {
    size_t b = 0;
    while (b < s.size() && IsBlank(s[b])) ++b;
    return std::string(s.substr(b));
}

std::string TrimRight(std::string_view s) {
    size_t e = s.size();
    while (e > 0 && IsBlank(s[e - 1])) --e;
    return std::string(s.substr(0, e));
}

std::string Trim(std::string_view s) {
    size_t b = 0, e = s.size();
    while (b < e && IsBlank(s[b])) ++b;
    while (e > b && IsBlank(s[e - 1])) --e;
    return std::string(s.substr(b, e - b));
}

std::string UpperCase(std::string_view s) {
    std::string r(s);
    for (char& c : r) c = AsciiUpper(c);
    return r;
}

std::string LowerCase(std::string_view s) {
    std::string r(s);
    for (char& c : r) c = AsciiLower(c);
    return r;
}

int CompareText(std::string_view a, std::string_view b) {
    const size_t n = std::min(a.size(), b.size());
    for (size_t i = 0; i < n; ++i) {
        const int ca = static_cast<unsigned char>(AsciiUpper(a[i]));
        const int cb = static_cast<unsigned char>(AsciiUpper(b[i]));
        if (ca != cb) return ca - cb;
    }
    return static_cast<int>(a.size()) - static_cast<int>(b.size());
}

bool SameText(std::string_view a, std::string_view b) {
    return a.size() == b.size() && CompareText(a, b) == 0;
}

char AnsiUpperChar(char c) {
    return static_cast<char>(Tables().upper[static_cast<unsigned char>(c)]);
}
char AnsiLowerChar(char c) {
    return static_cast<char>(Tables().lower[static_cast<unsigned char>(c)]);
}

std::string AnsiUpperCase(std::string_view s) {
    std::string r(s);
    for (char& c : r) c = AnsiUpperChar(c);
    return r;
}

std::string AnsiLowerCase(std::string_view s) {
    std::string r(s);
    for (char& c : r) c = AnsiLowerChar(c);
    return r;
}

int AnsiCompareText(std::string_view a, std::string_view b) {
    const size_t n = std::min(a.size(), b.size());
    for (size_t i = 0; i < n; ++i) {
        const int wa = CollationWeight(static_cast<unsigned char>(a[i]));
        const int wb = CollationWeight(static_cast<unsigned char>(b[i]));
        if (wa != wb) return wa < wb ? -1 : 1;
    }
    if (a.size() == b.size()) return 0;
    return a.size() < b.size() ? -1 : 1;
}

bool AnsiSameText(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (AnsiLowerChar(a[i]) != AnsiLowerChar(b[i])) return false;
    return true;
}

int AnsiCompareStr(std::string_view a, std::string_view b) {
    const int t = AnsiCompareText(a, b);
    if (t != 0) return t;
    // Same letters: lower case sorts before upper case.
    for (size_t i = 0; i < a.size(); ++i) {
        const bool la = AnsiLowerChar(a[i]) == a[i], lb = AnsiLowerChar(b[i]) == b[i];
        if (la != lb) return la ? -1 : 1;
    }
    return 0;
}

std::string IntToStr(int64_t value) {
    return std::to_string(value);
}

std::string IntToHex(uint64_t value, int digits) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%0*llX", digits, static_cast<unsigned long long>(value));
    return buf;
}

bool IsValidIdent(std::string_view s) {
    if (s.empty()) return false;
    auto alpha = [](char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_'; };
    if (!alpha(s[0])) return false;
    for (char c : s.substr(1))
        if (!alpha(c) && !(c >= '0' && c <= '9')) return false;
    return true;
}

}  // namespace cl
