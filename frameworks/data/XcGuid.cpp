#include "frameworks/data/XcGuid.h"

#include <cstring>

#ifdef _WIN32
#include <objbase.h>
#else
#include <random>
#endif

#include "classlib/Exceptions.h"

TGUID CreateGuid() {
    TGUID guid{};
#ifdef _WIN32
    GUID made;
    if (FAILED(CoCreateGuid(&made))) throw cl::EOSError("Cannot create a GUID");
    static_assert(sizeof made == sizeof guid);
    std::memcpy(&guid, &made, sizeof guid);
#else
    static std::random_device source;
    uint8_t bytes[16];
    for (size_t i = 0; i < sizeof bytes; i += 4) {
        const uint32_t r = source();
        std::memcpy(bytes + i, &r, 4);
    }
    std::memcpy(&guid, bytes, sizeof guid);
    guid.D3 = static_cast<uint16_t>((guid.D3 & 0x0FFF) | 0x4000);  // version 4: random
    guid.D4[0] = static_cast<uint8_t>((guid.D4[0] & 0x3F) | 0x80);
#endif
    return guid;
}

std::string GuidToHex(const TGUID& guid) {
    uint8_t bytes[16] = {
        static_cast<uint8_t>(guid.D1),       static_cast<uint8_t>(guid.D1 >> 8),
        static_cast<uint8_t>(guid.D1 >> 16), static_cast<uint8_t>(guid.D1 >> 24),
        static_cast<uint8_t>(guid.D2),       static_cast<uint8_t>(guid.D2 >> 8),
        static_cast<uint8_t>(guid.D3),       static_cast<uint8_t>(guid.D3 >> 8),
    };
    std::memcpy(bytes + 8, guid.D4, 8);
    static constexpr char kDigits[] = "0123456789ABCDEF";
    std::string text;
    text.reserve(32);
    for (uint8_t b : bytes) {
        text += kDigits[b >> 4];
        text += kDigits[b & 15];
    }
    return text;
}
