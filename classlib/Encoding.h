#pragma once
// Windows-1250 <-> UTF-16.  The Windows build converts through the system
// with code page 1250 explicitly; the native build uses its own table.
// Both give the same result for every byte: the five bytes 1250 leaves
// undefined (0x81 0x83 0x88 0x90 0x98) map to U+0081... and back, as
// Windows and Wine do.

#include <string>
#include <string_view>

namespace cl {

std::u16string Cp1250ToUtf16(std::string_view s);
// Characters without a Windows-1250 form become '?' (no best-fit mapping;
// one per UTF-16 unit, so a surrogate pair gives "??").
std::string Utf16ToCp1250(std::u16string_view s);
// For tests and tools that read UTF-8 sources; malformed UTF-8 gives '?'.
std::string Utf8ToCp1250(std::string_view s);
std::string Cp1250ToUtf8(std::string_view s);

}  // namespace cl
