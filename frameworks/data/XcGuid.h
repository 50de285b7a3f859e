#pragma once
// GUIDs: the identities of the frameworks' interfaces and the source of new
// item IDs.

#include <cstdint>
#include <string>

struct TGUID {
    uint32_t D1;
    uint16_t D2;
    uint16_t D3;
    uint8_t D4[8];

    friend constexpr bool operator==(const TGUID&, const TGUID&) = default;
};

// A new GUID: the system's on Windows, random bytes (marked as a random
// GUID) elsewhere.
TGUID CreateGuid();

// The 16 bytes as they lie in memory (D1, D2 and D3 little-endian, then D4),
// two upper-case hexadecimal digits each: 32 digits, no braces or dashes.
std::string GuidToHex(const TGUID& guid);
