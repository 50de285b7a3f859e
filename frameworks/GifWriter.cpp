// Writing a GIF file from structures.
#include <algorithm>

#include "classlib/Exceptions.h"
#include "frameworks/GifFile.h"

namespace {

constexpr uint8_t kLabels[] = {0xF9, 0x01, 0xFF, 0xFE};
constexpr uint16_t kMaxDelayField = 0xFFFF;

// The index of the colour: the one read while it still names that colour,
// else the first entry equal to it; -1 when none.
int IndexOf(const TGifColorTable& table, uint32_t rgb, int known) {
    if (rgb == kGifNoColor) return -1;
    if (known >= 0 && known < static_cast<int>(table.size()) && GifRgb(table[known]) == rgb) return known;
    for (size_t i = 0; i < table.size(); ++i)
        if (GifRgb(table[i]) == rgb) return static_cast<int>(i);
    return -1;
}

// The smallest n from 1 with 2^n entries at least the table's.
int TableBits(const TGifColorTable& table) {
    int bits = 1;
    while ((1u << bits) < table.size()) ++bits;
    return bits;
}

class Out {
public:
    void Byte(uint8_t b) { bytes.push_back(b); }
    void Word(uint32_t w) {
        Byte(static_cast<uint8_t>(w));
        Byte(static_cast<uint8_t>(w >> 8));
    }
    void Bytes(const void* p, size_t n) {
        const auto* b = static_cast<const uint8_t*>(p);
        bytes.insert(bytes.end(), b, b + n);
    }
    // The table padded to 2^bits entries.
    void Table(const TGifColorTable& table, int bits) {
        for (size_t i = 0; i < (size_t{1} << bits); ++i) {
            const TGifColor c = i < table.size() ? table[i] : TGifColor{};
            Byte(c.red), Byte(c.green), Byte(c.blue);
        }
    }
    // Each text in sub-blocks of at most 255 bytes (an empty text has no
    // block: an empty block would end the data), then the terminator.
    void SubBlocks(const std::vector<std::string>& texts) {
        for (const std::string& text : texts) {
            for (size_t pos = 0; pos < text.size(); pos += 255) {
                const size_t n = std::min<size_t>(255, text.size() - pos);
                Byte(static_cast<uint8_t>(n));
                Bytes(text.data() + pos, n);
            }
        }
        Byte(0);
    }
    std::vector<uint8_t> bytes;
};

}  // namespace

int GifBitsForColors(int colors) {
    for (int bits = 1; bits <= 8; ++bits)
        if (colors == 1 << bits) return bits;
    throw cl::EInvalidGraphicOperation("Wrong number of colors; must be a power of 2");
}

void PrepareGifForWrite(TGifFile& file) {
    bool extensions = !file.header->comment.empty() || (file.looping && file.frames.size() > 1);
    for (TGifFrame& frame : file.frames) {
        auto& list = frame.extensions;
        list.erase(
            std::remove_if(list.begin(), list.end(),
                           [](const TGifExtension& e) { return e.kind == gxComment && e.data.empty(); }),
            list.end());
        auto gce = std::find_if(list.begin(), list.end(),
                                [](const TGifExtension& e) { return e.kind == gxGraphicControl; });
        if (gce == list.end() &&
            (frame.delay > 0 || frame.transparentColor != kGifNoColor || frame.disposal != 0)) {
            list.insert(list.begin(), TGifExtension{gxGraphicControl, {4, 0, 0, 0, 0}, {}});
            gce = list.begin();
        }
        if (gce != list.end()) {
            if (gce->fixed.size() < 5) gce->fixed.resize(5);
            gce->fixed[0] = std::max<uint8_t>(gce->fixed[0], 4);
            const uint32_t delay = std::min<uint32_t>(frame.delay / 10, kMaxDelayField);
            const int index = IndexOf(frame.data->table, frame.transparentColor, frame.transparentIndex);
            uint8_t flags = static_cast<uint8_t>((gce->fixed[1] & ~0x1D) | (frame.disposal & 7) << 2);
            if (index >= 0) flags |= 1;
            gce->fixed[1] = flags;
            gce->fixed[2] = static_cast<uint8_t>(delay);
            gce->fixed[3] = static_cast<uint8_t>(delay >> 8);
            gce->fixed[4] = static_cast<uint8_t>(index >= 0 ? index : 0);
            frame.transparentIndex = index;
        }
        if (!list.empty()) extensions = true;
    }
    if (extensions || file.version == 0) file.version = extensions ? 2 : std::max(file.version, 1);
}

std::vector<uint8_t> WriteGif(const TGifFile& file) {
    if (file.frames.empty()) throw cl::EInvalidGraphicOperation("No GIF Data to write");
    const TGifHeader& header = *file.header;
    Out out;
    out.Bytes("GIF", 3);
    out.Bytes(file.version == 2 ? "89a" : "87a", 3);

    int width = file.screenWidth, height = file.screenHeight;
    for (const TGifFrame& f : file.frames) {
        width = std::max(width, f.left + f.data->width);
        height = std::max(height, f.top + f.data->height);
    }
    out.Word(static_cast<uint32_t>(std::min(width, 0xFFFF)));
    out.Word(static_cast<uint32_t>(std::min(height, 0xFFFF)));
    const bool global = !header.globalTable.empty();
    const int globalBits = global ? TableBits(header.globalTable) : 0;
    const int resolution = header.colorResolution >= 1 && header.colorResolution <= 8
                               ? header.colorResolution
                               : std::max(globalBits, 1);
    out.Byte(global ? static_cast<uint8_t>(0x80 | (resolution - 1) << 4 | (globalBits - 1)) : 0);
    out.Byte(static_cast<uint8_t>(
        std::max(IndexOf(header.globalTable, file.backgroundColor, file.backgroundIndex), 0)));
    out.Byte(header.aspect);
    if (global) out.Table(header.globalTable, globalBits);

    if (file.looping && file.frames.size() > 1) {
        out.Bytes("!\xFF\x0BNETSCAPE2.0\x03\x01", 16);
        out.Word(file.repeatCount);
        out.Byte(0);
    }
    for (const TGifFrame& f : file.frames) {
        for (const TGifExtension& e : f.extensions) {
            out.Byte('!');
            out.Byte(kLabels[e.kind]);
            out.Bytes(e.fixed.data(), e.fixed.size());
            out.SubBlocks(e.data);
        }
        const TGifFrameData& d = *f.data;
        const int bits = f.localTable ? std::max(TableBits(d.table), std::clamp(d.bitsPerPixel, 1, 8)) : 0;
        out.Byte(',');
        out.Word(static_cast<uint32_t>(f.left));
        out.Word(static_cast<uint32_t>(f.top));
        out.Word(static_cast<uint32_t>(d.width));
        out.Word(static_cast<uint32_t>(d.height));
        out.Byte(static_cast<uint8_t>((f.localTable ? 0x80 | (bits - 1) : 0) | (f.interlaced ? 0x40 : 0)));
        if (f.localTable) out.Table(d.table, bits);
        // A frame cut off before its code size still gets one.
        if (d.raw.empty()) out.Byte(static_cast<uint8_t>(std::clamp(d.bitsPerPixel, 2, 8)));
        out.Bytes(d.raw.data(), d.raw.size());
        out.Byte(0);
    }
    if (!header.comment.empty()) {
        out.Bytes("!\xFE", 2);
        out.SubBlocks(header.comment);
    }
    out.Byte(';');
    return std::move(out.bytes);
}
