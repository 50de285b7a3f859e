#include "controls/CoreGraphUtils.h"

namespace {

constexpr uint32_t kPairMask = 0x00FF00FF;
constexpr uint32_t kPairBias = 0x00800080;

// (x*w + 128) div 256 on two 8-bit channels 16 bits apart; no product
// reaches the neighbouring channel (255*255 + 128 < 65536).
uint32_t ScalePair(uint32_t pair, uint32_t w) {
    return ((pair * w + kPairBias) >> 8) & kPairMask;
}

}  // namespace

TColor32 BlendReg(TColor32 f, TColor32 b, uint32_t w) {
    if (w == 0) return b;
    if (w >= 255) return f;
    const uint32_t v = 255 - w;
    const uint32_t rb = ScalePair(f & kPairMask, w) + ScalePair(b & kPairMask, v);
    const uint32_t ag = ScalePair((f >> 8) & kPairMask, w) + ScalePair((b >> 8) & kPairMask, v);
    return rb | ag << 8;
}

void BlendMem(TColor32 f, TColor32& b, uint32_t w) {
    b = BlendReg(f, b, w);
}

TColor32 CombineReg(TColor32 f, TColor32 b) {
    return BlendReg(f, b, f >> 24);
}

void CombineMem(TColor32 f, TColor32& b) {
    b = CombineReg(f, b);
}

TColor32 CombineRegEx(TColor32 f, TColor32 b, uint32_t master) {
    return BlendReg(f, b, (f >> 24) * (master & 0xFF) / 256);
}

void CombineMemEx(TColor32 f, TColor32& b, uint32_t master) {
    b = CombineRegEx(f, b, master);
}

void CombineLine(const TColor32* src, TColor32* dst, size_t count) {
    for (size_t i = 0; i < count; ++i) {
        const uint32_t alpha = src[i] >> 24;
        if (alpha == 0) continue;
        dst[i] = alpha == 255 ? src[i] : BlendReg(src[i], dst[i], alpha);
    }
}
