#include "controls/XcIconDirectory.h"

#include "classlib/Exceptions.h"
#include "controls/XcBaseUtils.h"

namespace {

constexpr size_t kHeaderSize = 6;
constexpr size_t kEntrySize = 16;
constexpr uint32_t kInfoHeaderSize = 40;  // BITMAPINFOHEADER

uint16_t Get16(std::span<const uint8_t> b, size_t at) {
    return static_cast<uint16_t>(b[at] | b[at + 1] << 8);
}

uint32_t Get32(std::span<const uint8_t> b, size_t at) {
    return b[at] | b[at + 1] << 8 | b[at + 2] << 16 | static_cast<uint32_t>(b[at + 3]) << 24;
}

[[noreturn]] void Invalid() {
    throw cl::EInvalidGraphic("Invalid icon");
}

}  // namespace

uint32_t DisplayIconColorCount(int bitsPerPixel) {
    return bitsPerPixel > 0 && bitsPerPixel < 8 ? 1u << bitsPerPixel : 0;
}

std::vector<TIconDirEntry> ReadIconDirectory(std::span<const uint8_t> file) {
    if (file.size() < kHeaderSize) Invalid();
    const uint16_t count = Get16(file, 4);
    if (count == 0 || file.size() < kHeaderSize + count * kEntrySize) Invalid();
    std::vector<TIconDirEntry> entries(count);
    for (size_t i = 0; i < count; ++i) {
        const size_t at = kHeaderSize + i * kEntrySize;
        TIconDirEntry& e = entries[i];
        e.Width = file[at];
        e.Height = file[at + 1];
        e.ColorCount = file[at + 2];
        e.Planes = Get16(file, at + 4);
        e.BitCount = Get16(file, at + 6);
        e.BytesInRes = Get32(file, at + 8);
        e.ImageOffset = Get32(file, at + 12);
        if (e.ImageOffset > file.size() || e.BytesInRes > file.size() - e.ImageOffset) Invalid();
    }
    return entries;
}

size_t ChooseIconEntry(const std::vector<TIconDirEntry>& entries, uint32_t displayColors) {
    for (size_t i = 0; i < entries.size(); ++i)
        if (entries[i].ColorCount == displayColors) return i;
    size_t chosen = 0;
    bool found = false;
    for (size_t i = 0; i < entries.size(); ++i) {
        const uint32_t colors = entries[i].ColorCount;
        if (!found) {
            if (colors <= displayColors) {
                chosen = i;
                found = true;
            }
        } else if (colors > entries[chosen].ColorCount) {
            chosen = i;
        }
    }
    return chosen;
}

TIconImageLayout IconImageLayout(std::span<const uint8_t> image) {
    if (image.size() < kInfoHeaderSize) Invalid();
    TIconImageLayout l;
    l.HeaderSize = Get32(image, 0);
    const auto width = static_cast<int32_t>(Get32(image, 4));
    const auto height = static_cast<int32_t>(Get32(image, 8));
    const uint16_t planes = Get16(image, 12);
    l.BitCount = Get16(image, 14);
    const uint32_t compression = Get32(image, 16);
    const uint32_t colorsUsed = Get32(image, 32);
    if (l.HeaderSize < kInfoHeaderSize || l.HeaderSize > image.size()) Invalid();
    if (width <= 0 || width > 4096 || height <= 1 || height > 8192 || planes != 1 || compression != 0)
        Invalid();
    if (l.BitCount != 1 && l.BitCount != 4 && l.BitCount != 8 && l.BitCount != 16 && l.BitCount != 24 &&
        l.BitCount != 32)
        Invalid();
    l.Width = width;
    l.Height = height / 2;
    const uint32_t paletteMax = static_cast<uint32_t>(PaletteEntriesFor(l.BitCount));
    l.ColorCount = colorsUsed != 0 && colorsUsed < paletteMax ? colorsUsed : paletteMax;
    // Sizes stay far below 2^32 with the limits above.
    l.ColorBitsOffset = l.HeaderSize + l.ColorCount * 4;
    l.ColorBitsSize = static_cast<uint32_t>(BytesPerScanline(l.Width, l.BitCount)) * l.Height;
    l.MaskBitsOffset = l.ColorBitsOffset + l.ColorBitsSize;
    l.MaskBitsSize = static_cast<uint32_t>(BytesPerScanline(l.Width, 1)) * l.Height;
    if (l.MaskBitsOffset > image.size() || l.MaskBitsSize > image.size() - l.MaskBitsOffset) Invalid();
    return l;
}
