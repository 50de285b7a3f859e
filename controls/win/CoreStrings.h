#pragma once
// Character tables of the Windows-1250 byte set as the user's locale
// classifies and cases it, filled once on first use.

#include <windows.h>

#include <array>
#include <cstdint>

struct TCharTables {
    // CT_CTYPE1 bits (C1_UPPER, C1_LOWER, C1_DIGIT, ...) of each byte.
    std::array<uint16_t, 256> CharType;
    std::array<char, 256> LowerCase;
    std::array<char, 256> UpperCase;
    // Lower case becomes upper, upper becomes lower, the rest stays.
    std::array<char, 256> ReversedCase;
};

const TCharTables& CharTables();
