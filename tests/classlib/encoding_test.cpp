#include "classlib/Encoding.h"

#include <gtest/gtest.h>

#include <string>

#ifdef _WIN32
#include "classlib/win/WideText.h"
#endif

namespace cl {
namespace {

// The 123 defined characters of bytes 0x80..0xFF in byte order.  The
// compiler turns the plain literal into Windows-1250 and the u"" literal
// into UTF-16 on its own, so it is a reference independent of our table.
// clang-format off
#define CP1250_UPPER_HALF \
    "€‚„…†‡‰Š‹ŚŤŽŹ‘’“”•–—™š›śťžź" \
    "\u00A0ˇ˘Ł¤Ą¦§¨©Ş«¬\u00AD®Ż°±˛ł´µ¶·¸ąş»Ľ˝ľż" \
    "ŔÁÂĂÄĹĆÇČÉĘËĚÍÎĎĐŃŇÓÔŐÖ×ŘŮÚŰÜÝŢß" \
    "ŕáâăäĺćçčéęëěíîďđńňóôőö÷řůúűüýţ˙"
// clang-format on

constexpr unsigned char kUndefined[] = {0x81, 0x83, 0x88, 0x90, 0x98};

bool IsUndefined(int b) {
    for (unsigned char u : kUndefined)
        if (u == b) return true;
    return false;
}

std::string DefinedUpperBytes() {
    std::string s;
    for (int b = 0x80; b <= 0xFF; ++b)
        if (!IsUndefined(b)) s += static_cast<char>(b);
    return s;
}

std::string AllBytes() {
    std::string s;
    for (int b = 0; b < 256; ++b) s += static_cast<char>(b);
    return s;
}

TEST(Encoding, ReferenceLiteralHoldsTheDefinedBytesInOrder) {
    EXPECT_EQ(std::string(CP1250_UPPER_HALF), DefinedUpperBytes());
}

TEST(Encoding, DecodesEveryDefinedByteAsTheCompilerDoes) {
    EXPECT_EQ(Cp1250ToUtf16(DefinedUpperBytes()), std::u16string(u"" CP1250_UPPER_HALF));
    EXPECT_EQ(Cp1250ToUtf8(DefinedUpperBytes()),
              std::string(reinterpret_cast<const char*>(u8"" CP1250_UPPER_HALF)));
}

TEST(Encoding, AsciiMapsToItself) {
    for (int b = 0; b < 0x80; ++b) {
        const std::string byte(1, static_cast<char>(b));
        ASSERT_EQ(Cp1250ToUtf16(byte), std::u16string(1, static_cast<char16_t>(b))) << b;
    }
}

TEST(Encoding, UndefinedBytesMapToTheControlOfTheSameValue) {
    for (unsigned char b : kUndefined) {
        const std::string byte(1, static_cast<char>(b));
        EXPECT_EQ(Cp1250ToUtf16(byte), std::u16string(1, static_cast<char16_t>(b))) << int{b};
        EXPECT_EQ(Utf16ToCp1250(std::u16string(1, static_cast<char16_t>(b))), byte) << int{b};
    }
}

TEST(Encoding, AllBytesRoundTripThroughUtf16AndUtf8) {
    const std::string all = AllBytes();
    const std::u16string wide = Cp1250ToUtf16(all);
    ASSERT_EQ(wide.size(), 256u);
    EXPECT_EQ(Utf16ToCp1250(wide), all);
    EXPECT_EQ(Utf8ToCp1250(Cp1250ToUtf8(all)), all);
}

TEST(Encoding, CharactersWithoutAWindows1250FormBecomeQuestionMarks) {
    const struct {
        std::u16string in;
        const char* expected;
    } cases[] = {
        {u"\u0100", "?"},         // no best fit to 'A'
        {u"\u00C5\u00E5", "??"},  // Å å are not in the code page either
        {u"\u4E2D", "?"},
        {u"\u0080", "?"},       // the C1 control 0x80 is not the euro sign's byte
        {u"\U0001F600", "??"},  // one per UTF-16 unit
        {std::u16string{u'a', char16_t{0xDC00}, u'b'}, "a?b"},  // lone surrogate
        {u"\u20AC\u00E4\u0142", "\x80\xE4\xB3"},
    };
    for (const auto& c : cases) EXPECT_EQ(Utf16ToCp1250(c.in), c.expected);
}

TEST(Encoding, Utf8ToCp1250ReplacesUnmappableAndMalformedInput) {
    const struct {
        std::string in;
        const char* expected;
    } cases[] = {
        {reinterpret_cast<const char*>(u8"zażółć gęślą jaźń"), "zażółć gęślą jaźń"},
        {reinterpret_cast<const char*>(u8"€ 5"), "\x80 5"},
        {reinterpret_cast<const char*>(u8"\U0001F600"), "?"},
        {"\xC3", "?"},            // truncated sequence
        {"\xC0\x80", "??"},       // overlong NUL
        {"\xED\xA0\x80", "???"},  // encoded surrogate
        {"\x80x", "?x"},          // stray continuation byte
        {"", ""},
    };
    for (const auto& c : cases) EXPECT_EQ(Utf8ToCp1250(c.in), c.expected);
}

TEST(Encoding, EmptyTextStaysEmpty) {
    EXPECT_EQ(Cp1250ToUtf16(""), u"");
    EXPECT_EQ(Utf16ToCp1250(u""), "");
    EXPECT_EQ(Cp1250ToUtf8(""), "");
}

#ifdef _WIN32
TEST(WideText, ConvertsForTheWideApi) {
    EXPECT_EQ(ToWide("Nieprawidłowa wartość pola"), L"Nieprawidłowa wartość pola");
    EXPECT_EQ(FromWide(L"Poprawić?"), "Poprawić?");
    EXPECT_EQ(FromWide(ToWide(AllBytes())), AllBytes());
}
#endif

}  // namespace
}  // namespace cl
