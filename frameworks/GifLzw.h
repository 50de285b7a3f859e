#pragma once
// LZW coding of GIF frame data with the standard code-width rules.

#include <cstdint>
#include <functional>
#include <vector>

#include "frameworks/GifFile.h"

// Frames above this many pixels are not decoded.
constexpr int64_t kGifMaxFramePixels = int64_t{1} << 26;

struct TGifRaster {
    std::vector<uint8_t> pixels;  // width x height colour indexes, top row first
    bool corrupted = false;
};

enum TGifProgressStage { gpsStarting, gpsRunning, gpsEnding };
// Told the start (0), the share of the data read after each code (0 to
// 100) and the end (100).
using TGifProgress = std::function<void(TGifProgressStage stage, int percent)>;

// Decodes the frame's raw data, masking each index to its bits per pixel.
// With tolerant reading (GifTolerantReading) bad or missing data marks the
// raster corrupted and keeps what was decoded, and a code size outside
// 2..9 is clamped and marks it corrupted.  Without it they raise
// EReadError "Stream read error", EInvalidGraphicOperation "GIF encoded
// data is corrupt" and "GIF code size not in range 2 to 9".  A frame
// above kGifMaxFramePixels raises EOutOfMemory.
TGifRaster DecodeGifFrame(const TGifFrameData& data, bool interlaced, const TGifProgress& progress = {});

// The row order of an interlaced image: every 8th row from 0, every 8th
// from 4, every 4th from 2, every 2nd from 1.
std::vector<int> GifInterlacedRows(int height);

// The raw data of an image of colour indexes below 2^bits (top row first):
// the minimum code size (bits, but 2 for 1-bit images), then the codes in
// sub-blocks of 255 bytes, without the terminating empty block.
std::vector<uint8_t> EncodeGifFrame(const uint8_t* pixels, int width, int height, int bits);
