#include <windows.h>

#include <climits>

#include "classlib/Encoding.h"
#include "classlib/Exceptions.h"

namespace cl {

namespace {

constexpr UINT kCodePage = 1250;

int Length(size_t size) {
    if (size > INT_MAX) throw EConvertError("Text too long to convert");
    return static_cast<int>(size);
}

[[noreturn]] void RaiseConversionFailed() {
    throw EConvertError("Code page 1250 conversion failed");
}

}  // namespace

std::u16string Cp1250ToUtf16(std::string_view s) {
    if (s.empty()) return {};
    const int n = MultiByteToWideChar(kCodePage, 0, s.data(), Length(s.size()), nullptr, 0);
    if (n <= 0) RaiseConversionFailed();
    std::u16string out(static_cast<size_t>(n), u'\0');
    if (MultiByteToWideChar(kCodePage, 0, s.data(), Length(s.size()), reinterpret_cast<wchar_t*>(out.data()),
                            n) != n)
        RaiseConversionFailed();
    return out;
}

std::string Utf16ToCp1250(std::u16string_view s) {
    if (s.empty()) return {};
    // Without WC_NO_BEST_FIT_CHARS Windows would turn, say, U+0100 into 'A'.
    const auto* wide = reinterpret_cast<const wchar_t*>(s.data());
    const int n = WideCharToMultiByte(kCodePage, WC_NO_BEST_FIT_CHARS, wide, Length(s.size()), nullptr, 0,
                                      "?", nullptr);
    if (n <= 0) RaiseConversionFailed();
    std::string out(static_cast<size_t>(n), '\0');
    if (WideCharToMultiByte(kCodePage, WC_NO_BEST_FIT_CHARS, wide, Length(s.size()), out.data(), n, "?",
                            nullptr) != n)
        RaiseConversionFailed();
    return out;
}

}  // namespace cl
