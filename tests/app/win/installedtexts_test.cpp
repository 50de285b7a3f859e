// The installed texts beside the program (bin\pi\): rich texts that the
// system's rich edit reads whole in code page 1250, the licence and the
// intro page in Windows-1250 with CR LF line ends.
#include <gtest/gtest.h>
#include <richedit.h>
#include <windows.h>

#include <algorithm>
#include <cstring>
#include <string>

#include "classlib/FileUtils.h"
#include "classlib/win/WideText.h"
#include "tests/support/Files.h"

namespace {

std::string InstalledText(const char* name) {
    return cltest::BuildFolder() + "bin\\pi\\" + name;
}

bool AllCrLf(const std::string& text) {
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\n' && (i == 0 || text[i - 1] != '\r')) return false;
        if (text[i] == '\r' && (i + 1 == text.size() || text[i + 1] != '\n')) return false;
    }
    return true;
}

struct Source {
    const std::string& data;
    size_t at = 0;
};

DWORD CALLBACK ReadSource(DWORD_PTR cookie, BYTE* buffer, LONG size, LONG* done) {
    Source& s = *reinterpret_cast<Source*>(cookie);
    const size_t n = std::min(static_cast<size_t>(size), s.data.size() - s.at);
    memcpy(buffer, s.data.data() + s.at, n);
    s.at += n;
    *done = static_cast<LONG>(n);
    return 0;
}

// The text a rich edit shows for the RTF, in Windows-1250; fails the test
// when the control reports a stream error.
std::string RichEditText(const std::string& rtf) {
    LoadLibraryW(L"riched20.dll");
    HWND edit = CreateWindowExW(0, RICHEDIT_CLASSW, L"", ES_MULTILINE, 0, 0, 400, 300, nullptr, nullptr,
                                GetModuleHandleW(nullptr), nullptr);
    EXPECT_NE(edit, nullptr);
    Source source{rtf};
    EDITSTREAM stream{};
    stream.dwCookie = reinterpret_cast<DWORD_PTR>(&source);
    stream.pfnCallback = ReadSource;
    SendMessageW(edit, EM_STREAMIN, SF_RTF, reinterpret_cast<LPARAM>(&stream));
    EXPECT_EQ(stream.dwError, 0u);
    std::string text(64 * 1024, '\0');
    GETTEXTEX get{};
    get.cb = static_cast<DWORD>(text.size());
    get.flags = GT_DEFAULT;
    get.codepage = 1250;
    const LRESULT n = SendMessageW(edit, EM_GETTEXTEX, reinterpret_cast<WPARAM>(&get),
                                   reinterpret_cast<LPARAM>(text.data()));
    DestroyWindow(edit);
    text.resize(static_cast<size_t>(n));
    return text;
}

TEST(InstalledTexts, RichTextsAreWholeRtfInCodePage1250) {
    const struct {
        const char* name;
        const char* heading;
        const char* phrase;
    } cases[] = {
        {"k_s01.rtf", "Kreator doboru formularzy", "naciśnij przycisk „Dalej >”"},
        {"k_s02.rtf", "Dobór formularzy zakończony", "Naciśnij przycisk „Formularze”"},
        {"Print_help.rtf", "Wydruk formularzy", "Korekta położenia napisów"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string rtf = cltest::ReadBytes(InstalledText(c.name));
        ASSERT_FALSE(rtf.empty());
        EXPECT_EQ(rtf.rfind("{\\rtf1\\ansi\\ansicpg1250", 0), 0u);
        EXPECT_EQ(rtf.substr(rtf.size() - 3), "}\r\n");
        int depth = 0;
        for (size_t i = 0; i < rtf.size(); ++i) {
            EXPECT_LT(static_cast<unsigned char>(rtf[i]), 0x80) << "byte " << i;
            if (rtf[i] == '\\') {
                ++i;  // an escaped brace or backslash
            } else if (rtf[i] == '{') {
                ++depth;
            } else if (rtf[i] == '}' && --depth == 0) {
                EXPECT_EQ(rtf.find_first_not_of("\r\n", i + 1), std::string::npos)
                    << "text after the last brace";
            }
        }
        EXPECT_EQ(depth, 0);
        const std::string text = RichEditText(rtf);
        EXPECT_EQ(text.rfind(c.heading, 0), 0u) << text;
        EXPECT_NE(text.find(c.phrase), std::string::npos) << text;
    }
}

TEST(InstalledTexts, LicenceIsPolishMitTextInWindows1250WithCrLf) {
    const std::string text = cltest::ReadBytes(InstalledText("LICENCJA.txt"));
    EXPECT_EQ(text.rfind("Licencja MIT\r\n", 0), 0u);
    EXPECT_TRUE(AllCrLf(text));
    EXPECT_EQ(text.substr(text.size() - 2), "\r\n");
    for (const char* phrase : {"Niniejszym udziela się bezpłatnie każdej osobie",
                               "OPROGRAMOWANIE JEST DOSTARCZANE „TAKIE, JAKIE JEST”", "NIENARUSZANIA PRAW"})
        EXPECT_NE(text.find(phrase), std::string::npos) << phrase;
}

TEST(InstalledTexts, IntroPageDeclaresWindows1250) {
    const std::string page = cltest::ReadBytes(InstalledText("intro.html"));
    EXPECT_TRUE(AllCrLf(page));
    EXPECT_NE(page.find("<meta charset=\"windows-1250\">"), std::string::npos);
    EXPECT_NE(page.find("<h1>Sprawozdawca</h1>"), std::string::npos);
    EXPECT_NE(page.find("żmudnego"), std::string::npos);
}

}  // namespace
