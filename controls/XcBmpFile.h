#pragma once
// A BMP file in memory: file header, information header, palette and rows.

#include <cstdint>
#include <vector>

#include "controls/XcColorReduction.h"

// "BM", the file size and the offset of the rows (14 + 40 + 4 per palette
// entry), then a 40-byte header for width x height at bits per pixel
// (biClrUsed = palette size), the palette and the rows as given
// (bottom-up, padded to 4).
std::vector<uint8_t> MakeBmpFile(int width, int height, int bits, const std::vector<TRgbQuad>& palette,
                                 const std::vector<uint8_t>& rows);
