#pragma once
// Small portable helpers of the enhanced controls: variant kinds, scan-line
// and palette sizes, blank-only trimming and character edits, memory
// comparison, and the number-text clean-up of the spin edits.  Text is
// Windows-1250.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "classlib/FormatSettings.h"
#include "classlib/Variant.h"

// True for smallint, integer, shortint, byte, word and longword variants.
bool VariantIsInteger(const cl::Variant& value);

// Bytes of one DIB row of pixels at bitsPerPixel, padded to four.
int BytesPerScanline(int pixels, int bitsPerPixel);
// Colour-table entries of a DIB: 2, 16 or 256 for 1, 4 or 8 bits, else 0.
int PaletteEntriesFor(int bitCount);

std::string ReplaceAll(std::string_view text, std::string_view search, std::string_view replacement);
std::string DeleteChars(std::string_view text, char c);
// These remove the blank character only, not tabs or line breaks.
std::string TrimLeftSpaces(std::string_view text);
std::string TrimRightSpaces(std::string_view text);
std::string TrimSpaces(std::string_view text);
// N copies of c; empty for n < 1.
std::string StringOfChar(char c, int n);

bool CompareMemory(const void* a, const void* b, size_t size);
inline const void* OffsetPointer(const void* p, std::ptrdiff_t offset) {
    return static_cast<const uint8_t*>(p) + offset;
}
inline void* OffsetPointer(void* p, std::ptrdiff_t offset) {
    return static_cast<uint8_t*>(p) + offset;
}
// Overlapping blocks are moved correctly.
void MoveMemory(const void* source, void* dest, size_t size);

// A number as typed, made readable by the number conversions: blanks
// trimmed, thousand separators dropped, "." and "," read as the decimal
// separator (unless one of them is the thousand separator), anything but
// signs, digits and separators dropped; nothing gives "0" and a lone "-"
// gives "-0".
std::string NormalizeNumberText(std::string_view text,
                                const cl::TFormatSettings& settings = cl::FormatSettings());
