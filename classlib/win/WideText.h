#pragma once
// The program's Windows-1250 text <-> the UTF-16 of the W API calls.

#include <string>
#include <string_view>

#include "classlib/Encoding.h"

namespace cl {

static_assert(sizeof(wchar_t) == sizeof(char16_t), "the W API takes 16-bit wchar_t");

inline std::wstring ToWide(std::string_view cp1250) {
    const std::u16string u = Cp1250ToUtf16(cp1250);
    return std::wstring(u.begin(), u.end());
}

inline std::string FromWide(std::wstring_view wide) {
    return Utf16ToCp1250(std::u16string_view(reinterpret_cast<const char16_t*>(wide.data()), wide.size()));
}

}  // namespace cl
