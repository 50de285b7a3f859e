// Replacing, words and the XOR codings of the string helpers.
#include "persistence/FsStrUtils.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using namespace std::string_literals;

TEST(StrReplaceAll, ReplacesLeftToRightWithoutRescanningInsertedText) {
    const struct {
        const char* text;
        const char* search;
        const char* replacement;
        const char* result;
    } cases[] = {
        {"1,5", ",", ".", "1.5"},
        {"1.234.567,5", ".", "", "1234567,5"},
        {"aaa", "aa", "b", "ba"},            // the second match starts after the first
        {"abab", "ab", "abab", "abababab"},  // inserted text is not searched again
        {"aXbXc", "X", "XX", "aXXbXXc"},
        {"żółw", "ó", "o", "żołw"},
        {"brak", "x", "y", "brak"},
        {"", "a", "b", ""},
        {"abc", "abc", "", ""},
        {"abc", "", "x", "abc"},  // an empty search changes nothing
        {"", "", "x", ""},
    };
    for (const auto& c : cases) EXPECT_EQ(StrReplaceAll(c.text, c.search, c.replacement), c.result) << c.text;
}

TEST(Words, CountFindAndExtractRunsBetweenDelimiters) {
    const struct {
        const char* text;
        const char* delimiters;
        int count;
        int n;
        int start;
        const char* word;
    } cases[] = {
        {"10, 20 30", " ,", 3, 3, 8, "30"},
        {"10, 20 30", " ,", 3, 1, 1, "10"},
        {"10, 20 30", " ,", 3, 2, 5, "20"},
        {"10, 20 30", " ,", 3, 4, 0, ""},
        {"10, 20 30", " ,", 3, 0, 0, ""},
        {"  ,,a  ", " ,", 1, 1, 5, "a"},
        {"-1,-2,300,400", " ,", 4, 4, 11, "400"},
        {"", " ,", 0, 1, 0, ""},
        {" , ", " ,", 0, 1, 0, ""},
        {"bez", " ,", 1, 1, 1, "bez"},
        {"a b", "", 1, 1, 1, "a b"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.text) + " #" + std::to_string(c.n));
        EXPECT_EQ(CountWords(c.text, c.delimiters), c.count);
        EXPECT_EQ(WordStartPos(c.n, c.text, c.delimiters), c.start);
        EXPECT_EQ(ExtractNthWord(c.n, c.text, c.delimiters), c.word);
    }
}

TEST(XorShortStr, XorsEachCharacterWithTheKeyRepeated) {
    EXPECT_EQ(XorShortStr("\x01\x02", "\x10\x10\x10"), "\x11\x12\x11");
    EXPECT_EQ(XorShortStr("k", "k"), "\0"s);
    EXPECT_EQ(XorShortStr("", "tekst"), "tekst");
    EXPECT_EQ(XorShortStr("klucz", ""), "");
    EXPECT_EQ(XorShortStr("klucz", XorShortStr("klucz", "zażółć")), "zażółć");
}

TEST(XorHex, EncodesTwoLowerCaseDigitsPerCharacter) {
    const struct {
        const char* key;
        std::string text;
        const char* hex;
    } cases[] = {
        {"", "AB", "4142"},
        {"", "\xFF", "ff"},
        {"", "\0z"s, "007a"},
        {"\x01", "AB", "4043"},
        {"\x01\x02", "AAA", "404340"},
        {"", "", ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(XorEncodeHex(c.key, c.text), c.hex) << c.hex;
        EXPECT_EQ(XorDecodeHex(c.key, c.hex), c.text) << c.hex;
    }
}

TEST(XorHex, DecodingToleratesBadPairsAndAnEmptyKey) {
    const struct {
        const char* key;
        const char* hex;
        std::string text;
    } cases[] = {
        {"", "zz1", " "},    // not hex gives a blank; the lone digit is ignored
        {"", "4G41", " A"},  // one bad digit spoils the pair
        {"", "4A4a", "JJ"},  // either case of hex digits
        {"", "4", ""},
        {"\x01", "zz", "!"},               // the blank is XOR-ed too
        {"\x01\x02", "40404043", "ABAA"},  // the key goes by pair index
    };
    for (const auto& c : cases) EXPECT_EQ(XorDecodeHex(c.key, c.hex), c.text) << c.hex;
}

TEST(XorHex, RoundTripsEveryByteUnderAPolishKey) {
    std::string all;
    for (int c = 0; c < 256; ++c) all += static_cast<char>(c);
    EXPECT_EQ(XorDecodeHex("źdźbło", XorEncodeHex("źdźbło", all)), all);
}

}  // namespace
