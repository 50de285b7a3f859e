#pragma once
// String helpers over Windows-1250 text held in std::string.

#include <cstdint>
#include <string>
#include <string_view>

namespace cl {

// Removes leading and trailing characters at or below the blank (controls included).
std::string Trim(std::string_view s);
std::string TrimLeft(std::string_view s);
std::string TrimRight(std::string_view s);

// ASCII-only case mapping, as the class library's plain versions do.
std::string UpperCase(std::string_view s);
std::string LowerCase(std::string_view s);
bool SameText(std::string_view a, std::string_view b);
int CompareText(std::string_view a, std::string_view b);

// Case mapping and comparison that know the Polish letters of Windows-1250.
char AnsiUpperChar(char c);
char AnsiLowerChar(char c);
std::string AnsiUpperCase(std::string_view s);
std::string AnsiLowerCase(std::string_view s);
bool AnsiSameText(std::string_view a, std::string_view b);
int AnsiCompareText(std::string_view a, std::string_view b);
int AnsiCompareStr(std::string_view a, std::string_view b);

std::string IntToStr(int64_t value);
std::string IntToHex(uint64_t value, int digits);

// A valid identifier: a letter or underscore, then letters, digits or underscores.
bool IsValidIdent(std::string_view s);

}  // namespace cl
