#pragma once
// Alpha blending of 32-bit colours $AARRGGBB with a weight 0..255: F over
// B.  One plain form of each operation; the red/blue and alpha/green
// channel pairs are computed at once.

#include <cstddef>
#include <cstdint>

using TColor32 = uint32_t;

// B for W = 0, F for W = 255, otherwise per channel
// (F*W + 128) div 256 + (B*(255 - W) + 128) div 256.
TColor32 BlendReg(TColor32 f, TColor32 b, uint32_t w);
// The blend of F into B's cell.
void BlendMem(TColor32 f, TColor32& b, uint32_t w);
// W from F's alpha.
TColor32 CombineReg(TColor32 f, TColor32 b);
void CombineMem(TColor32 f, TColor32& b);
// W = F's alpha * master div 256.
TColor32 CombineRegEx(TColor32 f, TColor32 b, uint32_t master);
void CombineMemEx(TColor32 f, TColor32& b, uint32_t master);
// Each source pixel over its destination by its alpha: alpha 0 leaves the
// destination, alpha 255 copies.
void CombineLine(const TColor32* src, TColor32* dst, size_t count);
