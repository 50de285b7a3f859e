#pragma once
// The directory of an icon file and the layout of one icon image, read
// from bytes that may come from anywhere: every count, offset and size is
// checked against the data before use.

#include <cstdint>
#include <span>
#include <vector>

struct TIconDirEntry {
    uint8_t Width = 0;
    uint8_t Height = 0;
    // 0 for 256 colours or more (the field is one byte).
    uint8_t ColorCount = 0;
    uint16_t Planes = 0;
    uint16_t BitCount = 0;
    uint32_t BytesInRes = 0;
    uint32_t ImageOffset = 0;  // from the start of the file
};

// The colour count of a display of bitsPerPixel (bits times planes) as an
// icon entry states it: 2 or 16 below 8 bits, 0 from 8 bits up.
uint32_t DisplayIconColorCount(int bitsPerPixel);

// The entries of an icon file; EInvalidGraphic when the header, an entry
// or the image an entry points to does not lie inside the data.
std::vector<TIconDirEntry> ReadIconDirectory(std::span<const uint8_t> file);

// The first entry with the display's colour count; failing that, the first
// entry with at most that many colours (0 read as a count), replaced by any later one with more
// colours than it; failing that, entry 0.
size_t ChooseIconEntry(const std::vector<TIconDirEntry>& entries, uint32_t displayColors);

// Where the parts of one icon image (BITMAPINFOHEADER, colour table, colour
// bits, mask bits) lie in its bytes; Height is the image's, half the
// header's (which counts both bitmaps).
struct TIconImageLayout {
    int32_t Width = 0;
    int32_t Height = 0;
    uint16_t BitCount = 0;
    uint32_t HeaderSize = 0;
    uint32_t ColorCount = 0;  // colour-table entries
    uint32_t ColorBitsOffset = 0;
    uint32_t ColorBitsSize = 0;
    uint32_t MaskBitsOffset = 0;
    uint32_t MaskBitsSize = 0;
};
// EInvalidGraphic when the image is not a plain (uncompressed, one plane)
// bitmap of at most 32 bits that fits its bytes.
TIconImageLayout IconImageLayout(std::span<const uint8_t> image);
