#include "controls/win/CoreStrings.h"

#include <string>

#include "classlib/win/WideText.h"

namespace {

// The byte's case partner through UTF-16; a character whose partner is
// not in Windows-1250 keeps itself.
char CaseOf(char c, DWORD(WINAPI* convert)(LPWSTR, DWORD)) {
    std::wstring wide = cl::ToWide(std::string(1, c));
    if (wide.size() != 1) return c;
    convert(wide.data(), 1);
    const std::string back = cl::FromWide(wide);
    return back.size() == 1 && cl::ToWide(back) == wide ? back[0] : c;
}

TCharTables MakeTables() {
    TCharTables t{};
    std::string bytes(256, '\0');
    for (int i = 0; i < 256; ++i) bytes[static_cast<size_t>(i)] = static_cast<char>(i);
    // Through UTF-16, so the tables do not depend on the system code page.
    std::wstring wide = cl::ToWide(bytes);
    if (wide.size() == 256) {
        WORD types[256] = {};
        GetStringTypeExW(LOCALE_USER_DEFAULT, CT_CTYPE1, wide.c_str(), 256, types);
        for (int i = 0; i < 256; ++i) t.CharType[static_cast<size_t>(i)] = types[i];
    }
    for (size_t i = 0; i < 256; ++i) {
        const char c = static_cast<char>(i);
        t.LowerCase[i] = CaseOf(c, CharLowerBuffW);
        t.UpperCase[i] = CaseOf(c, CharUpperBuffW);
        t.ReversedCase[i] = t.LowerCase[i] != c ? t.LowerCase[i] : t.UpperCase[i];
    }
    return t;
}

}  // namespace

const TCharTables& CharTables() {
    static const TCharTables tables = MakeTables();
    return tables;
}
