#pragma once
// The tools' arguments and drawings are UTF-8; the system's W calls take UTF-16.

#include <windows.h>

#include <stdexcept>
#include <string>

namespace tools {

// Invalid UTF-8 raises std::runtime_error.
inline std::wstring Widen(const std::string& utf8) {
    if (utf8.empty()) return {};
    const int size = static_cast<int>(utf8.size());
    const int n = MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8.data(), size, nullptr, 0);
    if (n <= 0) throw std::runtime_error("text is not UTF-8: " + utf8);
    std::wstring w(n, L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, w.data(), n);
    return w;
}

}  // namespace tools
