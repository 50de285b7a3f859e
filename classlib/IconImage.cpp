#include "classlib/IconImage.h"

#include <cstring>

#include "classlib/Exceptions.h"

namespace cl {

namespace {

constexpr uint32_t kInfoHeaderSize = 40;  // BITMAPINFOHEADER
constexpr uint32_t kRgb = 0;              // BI_RGB

void Require(bool ok) {
    if (!ok) throw EInvalidGraphic("Icon image is not valid");
}

uint32_t U32(const uint8_t* p) {
    return p[0] | p[1] << 8 | p[2] << 16 | static_cast<uint32_t>(p[3]) << 24;
}
uint16_t U16(const uint8_t* p) {
    return static_cast<uint16_t>(p[0] | p[1] << 8);
}

}  // namespace

void CheckIconImage(const uint8_t* p, uint32_t bytes) {
    static constexpr uint8_t kPng[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    if (bytes >= sizeof kPng && std::memcmp(p, kPng, sizeof kPng) == 0) return;
    Require(bytes >= kInfoHeaderSize);
    const uint32_t headerSize = U32(p);
    const int64_t width = static_cast<int32_t>(U32(p + 4));
    const int64_t height2 = static_cast<int32_t>(U32(p + 8));
    const int planes = U16(p + 12);
    const int bits = U16(p + 14);
    const uint32_t compression = U32(p + 16);
    const uint32_t colorsUsed = U32(p + 32);
    Require(headerSize >= kInfoHeaderSize && headerSize <= bytes);
    Require(width >= 1 && width <= 1024 && height2 >= 2 && height2 <= 2048 && height2 % 2 == 0);
    Require(planes == 1 && (bits == 1 || bits == 4 || bits == 8 || bits == 16 || bits == 24 || bits == 32));
    Require(compression == kRgb);
    const uint32_t maxColors = bits <= 8 ? 1u << bits : 0;
    Require(colorsUsed <= maxColors || (bits > 8 && colorsUsed <= 256));
    const int64_t colors = bits <= 8 ? (colorsUsed ? colorsUsed : maxColors) : colorsUsed;
    const int64_t height = height2 / 2;
    const int64_t xorBytes = (width * bits + 31) / 32 * 4 * height;
    const int64_t andBytes = (width + 31) / 32 * 4 * height;
    Require(headerSize + colors * 4 + xorBytes + andBytes <= bytes);
}

}  // namespace cl
