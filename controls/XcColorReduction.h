#pragma once
// Colour reduction of a 24-bit image to 8-bit palette indexes: median cut,
// popularity, two fixed colour cubes, a three-primaries layout and
// grayscale.  Images are device-independent rows as the system lays them
// out: bottom-up, blue-green-red, each row padded to 4 bytes.

#include <cstdint>
#include <vector>

// Blue, green, red, reserved: the system's RGBQUAD.
struct TRgbQuad {
    uint8_t blue, green, red, reserved;
    bool operator==(const TRgbQuad&) const = default;
};

enum TColorReduction {
    rmPopularity = 0,
    rmMedianCut = 1,
    rmQuantize784 = 2,  // 7 red x 8 green x 4 blue levels
    rmQuantize666 = 3,  // 6 x 6 x 6 levels
    rmPrimaries = 4,    // 64 levels of each primary, one pixel each in turn
    rmGrayscale = 5,
};

struct TIndexedImage {
    std::vector<TRgbQuad> palette;  // 256 entries
    std::vector<uint8_t> pixels;    // 8-bit rows, bottom-up, padded to 4
};

// (width * bits + 31) div 32 * 4.
int64_t DibRowBytes(int64_t width, int bits);

// rgb: 24-bit rows of width x height.  colors bounds the palette of the
// popularity and median-cut methods (at most 256).
TIndexedImage ReduceColors(const uint8_t* rgb, int width, int height, TColorReduction method, int colors);

TIndexedImage MedianCut(const uint8_t* rgb, int width, int height, int colors);
TIndexedImage Popularity(const uint8_t* rgb, int width, int height, int colors);
