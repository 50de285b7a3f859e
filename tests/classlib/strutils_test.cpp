#include "classlib/StrUtils.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#ifdef _WIN32
#include <windows.h>
#endif

namespace cl {
namespace {

using namespace std::string_literals;

// Every Windows-1250 letter that has a case partner, in matching order.
constexpr const char* kLowerLetters = "abcdefghijklmnopqrstuvwxyząćęłńóśźżšťžľŕáâăäĺçčéëěíîďđňôőöřůúűüýţş";
constexpr const char* kUpperLetters = "ABCDEFGHIJKLMNOPQRSTUVWXYZĄĆĘŁŃÓŚŹŻŠŤŽĽŔÁÂĂÄĹÇČÉËĚÍÎĎĐŇÔŐÖŘŮÚŰÜÝŢŞ";

int Sign(int v) {
    return (v > 0) - (v < 0);
}

TEST(Trim, RemovesBlanksAndControlCharactersAtBothEnds) {
    const struct {
        std::string in, both, left, right;
    } cases[] = {
        {"  abc  ", "abc", "abc  ", "  abc"},
        {"\t\r\nabc\x01\x1F", "abc", "abc\x01\x1F", "\t\r\nabc"},
        {"\0 a b\0"s, "a b", "a b\0"s, "\0 a b"s},
        {"", "", "", ""},
        {" \t ", "", "", ""},
        // bytes above 0x7F are text, not blanks (the no-break space included)
        {"\240ą\240", "\240ą\240", "\240ą\240", "\240ą\240"},
        {"ż", "ż", "ż", "ż"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Trim(c.in), c.both) << c.in;
        EXPECT_EQ(TrimLeft(c.in), c.left) << c.in;
        EXPECT_EQ(TrimRight(c.in), c.right) << c.in;
    }
}

TEST(AnsiCase, MapsPolishLettersBothWays) {
    EXPECT_EQ(AnsiUpperCase("zażółć gęślą jaźń"), "ZAŻÓŁĆ GĘŚLĄ JAŹŃ");
    EXPECT_EQ(AnsiLowerCase("ZAŻÓŁĆ GĘŚLĄ JAŹŃ"), "zażółć gęślą jaźń");
    EXPECT_EQ(AnsiUpperCase(kLowerLetters), kUpperLetters);
    EXPECT_EQ(AnsiLowerCase(kUpperLetters), kLowerLetters);
    // letters without a partner stay as they are
    EXPECT_EQ(AnsiUpperCase("ß1-€"), "ß1-€");
}

TEST(PlainCase, ChangesOnlyAsciiLetters) {
    EXPECT_EQ(UpperCase("zażółć"), "ZAżółć");
    EXPECT_EQ(LowerCase("ZAŻÓŁĆ"), "zaŻÓŁĆ");
    EXPECT_TRUE(SameText("Abc", "aBC"));
    EXPECT_FALSE(SameText("Ż", "ż"));
    EXPECT_FALSE(SameText("abc", "abcd"));
    EXPECT_LT(CompareText("abc", "ABD"), 0);
    EXPECT_EQ(CompareText("ABC", "abc"), 0);
    EXPECT_GT(CompareText("abcd", "ABC"), 0);
}

TEST(AnsiCompareText, SortsInPolishAlphabeticalOrderIgnoringCase) {
    // Each entry sorts before the next.
    const char* const ordered[] = {
        "a", "Ą", "b", "c", "Ć", "d", "e", "ę", "f", "l", "Ł", "m",
        "n", "ń", "o", "Ó", "p", "s", "ś", "t", "z", "Ź", "ż",
    };
    for (size_t i = 0; i + 1 < std::size(ordered); ++i) {
        EXPECT_LT(AnsiCompareText(ordered[i], ordered[i + 1]), 0) << ordered[i] << " < " << ordered[i + 1];
        EXPECT_GT(AnsiCompareText(ordered[i + 1], ordered[i]), 0) << ordered[i + 1] << " > " << ordered[i];
    }
    std::vector<std::string> words = {"żaba", "Zebra", "źródło", "łódź", "Lody",
                                      "ćma",  "cel",   "ABC",    "ab",   "ąb"};
    std::sort(words.begin(), words.end(),
              [](const std::string& a, const std::string& b) { return AnsiCompareText(a, b) < 0; });
    const std::vector<std::string> expected = {"ab",   "ABC",  "ąb",    "cel",    "ćma",
                                               "Lody", "łódź", "Zebra", "źródło", "żaba"};
    EXPECT_EQ(words, expected);
}

TEST(AnsiCompareText, TreatsCaseAsEqual) {
    const struct {
        const char* a;
        const char* b;
    } cases[] = {{"Ą", "ą"}, {"ZAŻÓŁĆ", "zażółć"}, {"", ""}, {"Gęś", "gĘŚ"}};
    for (const auto& c : cases) {
        EXPECT_EQ(AnsiCompareText(c.a, c.b), 0) << c.a;
        EXPECT_TRUE(AnsiSameText(c.a, c.b)) << c.a;
    }
    EXPECT_FALSE(AnsiSameText("ą", "a"));
    EXPECT_FALSE(AnsiSameText("ab", "abc"));
}

TEST(AnsiCompareStr, PutsLowerCaseFirstAmongEqualLetters) {
    const struct {
        const char* a;
        const char* b;
        int sign;
    } cases[] = {
        {"a", "A", -1}, {"ą", "Ą", -1}, {"Ab", "ab", 1}, {"abc", "abc", 0},
        {"a", "b", -1}, {"B", "a", 1},  {"ż", "Ź", 1},
    };
    for (const auto& c : cases) EXPECT_EQ(Sign(AnsiCompareStr(c.a, c.b)), c.sign) << c.a << " vs " << c.b;
}

TEST(IntToStr, FormatsTheWholeRange) {
    EXPECT_EQ(IntToStr(0), "0");
    EXPECT_EQ(IntToStr(-42), "-42");
    EXPECT_EQ(IntToStr(INT64_MIN), "-9223372036854775808");
    EXPECT_EQ(IntToHex(255, 4), "00FF");
    EXPECT_EQ(IntToHex(0xABCDEF, 2), "ABCDEF");
    EXPECT_EQ(IntToHex(~uint64_t{0}, 1), "FFFFFFFFFFFFFFFF");
}

TEST(IsValidIdent, AcceptsLettersDigitsAndUnderscores) {
    const struct {
        const char* s;
        bool valid;
    } cases[] = {
        {"abc", true}, {"_a1", true},  {"A", true},  {"cb1_1_1", true}, {"", false},
        {"1a", false}, {"a-b", false}, {"ą", false}, {"a b", false},    {"a.b", false},
    };
    for (const auto& c : cases) EXPECT_EQ(IsValidIdent(c.s), c.valid) << c.s;
}

#ifdef _WIN32
// Windows' own case mapping at code page 1250 is the reference for every byte.
TEST(AnsiCase, AgreesWithWindowsForEveryByte) {
    for (int b = 1; b < 256; ++b) {
        char up[2] = {static_cast<char>(b), 0}, low[2] = {static_cast<char>(b), 0};
        CharUpperBuffA(up, 1);
        CharLowerBuffA(low, 1);
        EXPECT_EQ(static_cast<unsigned char>(AnsiUpperChar(static_cast<char>(b))),
                  static_cast<unsigned char>(up[0]))
            << "upper of byte " << b;
        EXPECT_EQ(static_cast<unsigned char>(AnsiLowerChar(static_cast<char>(b))),
                  static_cast<unsigned char>(low[0]))
            << "lower of byte " << b;
    }
}
#endif

}  // namespace
}  // namespace cl
