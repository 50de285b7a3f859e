#include "frameworks/GifLzw.h"

#include <algorithm>

#include "classlib/Exceptions.h"

namespace {

constexpr int kMaxCodes = 4096;
constexpr int kMaxWidth = 12;

// Codes least significant bit first across the sub-blocks of the raw data.
class CodeReader {
public:
    explicit CodeReader(const std::vector<uint8_t>& raw) : raw_(raw) {}

    // -1 when the data end first.
    int Read(int width) {
        while (bits_ < width) {
            if (blockLeft_ == 0) {
                if (pos_ >= raw_.size()) return -1;
                blockLeft_ = raw_[pos_++];
                if (blockLeft_ == 0) return -1;
                continue;
            }
            if (pos_ >= raw_.size()) return -1;
            buffer_ |= static_cast<uint32_t>(raw_[pos_++]) << bits_;
            bits_ += 8;
            --blockLeft_;
        }
        const int code = static_cast<int>(buffer_ & ((1u << width) - 1));
        buffer_ >>= width;
        bits_ -= width;
        return code;
    }
    // The share of the raw data read, 0 to 100.
    int Percent() const { return static_cast<int>(uint64_t{pos_} * 100 / raw_.size()); }

private:
    const std::vector<uint8_t>& raw_;
    size_t pos_ = 1;  // after the code size byte
    size_t blockLeft_ = 0;
    uint32_t buffer_ = 0;
    int bits_ = 0;
};

// Codes packed least significant bit first into sub-blocks of 255 bytes.
class CodeWriter {
public:
    explicit CodeWriter(std::vector<uint8_t>& out) : out_(out) {}
    void Write(int code, int width) {
        buffer_ |= static_cast<uint32_t>(code) << bits_;
        bits_ += width;
        while (bits_ >= 8) {
            Put(static_cast<uint8_t>(buffer_));
            buffer_ >>= 8;
            bits_ -= 8;
        }
    }
    void Flush() {
        if (bits_ > 0) Put(static_cast<uint8_t>(buffer_));
        bits_ = 0;
        if (!block_.empty()) EmitBlock();
    }

private:
    void Put(uint8_t byte) {
        block_.push_back(byte);
        if (block_.size() == 255) EmitBlock();
    }
    void EmitBlock() {
        out_.push_back(static_cast<uint8_t>(block_.size()));
        out_.insert(out_.end(), block_.begin(), block_.end());
        block_.clear();
    }
    std::vector<uint8_t>& out_;
    std::vector<uint8_t> block_;
    uint32_t buffer_ = 0;
    int bits_ = 0;
};

// The encoder's string table keyed by (prefix code, pixel); a stamp per
// slot empties it at a clear code without touching every slot.
class StringTable {
public:
    StringTable() : slots_(kSlots) {}
    void Clear() { ++stamp_; }
    int Find(int prefix, int pixel) const {
        const uint32_t key = Key(prefix, pixel);
        for (uint32_t i = Hash(key);; i = (i + 1) & (kSlots - 1)) {
            const Slot& s = slots_[i];
            if (s.stamp != stamp_) return -1;
            if (s.key == key) return s.code;
        }
    }
    void Add(int prefix, int pixel, int code) {
        const uint32_t key = Key(prefix, pixel);
        uint32_t i = Hash(key);
        while (slots_[i].stamp == stamp_) i = (i + 1) & (kSlots - 1);
        slots_[i] = {stamp_, key, code};
    }

private:
    static constexpr uint32_t kSlots = 8192;
    struct Slot {
        uint32_t stamp = 0;
        uint32_t key = 0;
        int code = 0;
    };
    static uint32_t Key(int prefix, int pixel) { return static_cast<uint32_t>(prefix) << 8 | pixel; }
    static uint32_t Hash(uint32_t key) { return (key * 2654435761u) >> 19; }
    std::vector<Slot> slots_;
    uint32_t stamp_ = 1;
};

}  // namespace

std::vector<int> GifInterlacedRows(int height) {
    std::vector<int> rows;
    rows.reserve(std::max(height, 0));
    static constexpr int kStart[] = {0, 4, 2, 1}, kStep[] = {8, 8, 4, 2};
    for (int pass = 0; pass < 4; ++pass)
        for (int y = kStart[pass]; y < height; y += kStep[pass]) rows.push_back(y);
    return rows;
}

namespace {

// Tolerant reading marks the raster; strict reading raises.
void Corrupt(TGifRaster& out, bool readError) {
    if (!GifTolerantReading) {
        if (readError) throw cl::EReadError("Stream read error");
        throw cl::EInvalidGraphicOperation("GIF encoded data is corrupt");
    }
    out.corrupted = true;
}

TGifRaster Decode(const TGifFrameData& data, bool interlaced, const TGifProgress& progress) {
    const int64_t w = std::max(data.width, 0), h = std::max(data.height, 0);
    TGifRaster out;
    out.pixels.assign(static_cast<size_t>(w * h), 0);
    if (w * h == 0) return out;
    if (data.raw.empty()) {
        Corrupt(out, true);
        return out;
    }
    std::vector<int> rows;
    if (interlaced) rows = GifInterlacedRows(static_cast<int>(h));
    const int bits = std::clamp(data.bitsPerPixel, 1, 8);
    const uint8_t mask = static_cast<uint8_t>((1 << bits) - 1);
    int64_t x = 0, row = 0;
    auto store = [&](int index) {
        if (row >= h) return;
        const int64_t y = interlaced ? rows[static_cast<size_t>(row)] : row;
        out.pixels[static_cast<size_t>(y * w + x)] = static_cast<uint8_t>(index) & mask;
        if (++x == w) x = 0, ++row;
    };

    int codeSize = data.raw[0];
    if (codeSize < 2 || codeSize > 9) {
        if (!GifTolerantReading) throw cl::EInvalidGraphicOperation("GIF code size not in range 2 to 9");
        codeSize = std::clamp(codeSize, 2, 9);
        out.corrupted = true;
    }
    const int clear = 1 << codeSize, end = clear + 1;
    int next = clear + 2, width = codeSize + 1, prev = -1;
    std::vector<uint16_t> prefix(kMaxCodes), suffix(kMaxCodes), first(kMaxCodes);
    for (int i = 0; i < clear; ++i) suffix[i] = first[i] = static_cast<uint16_t>(i);
    std::vector<uint8_t> stack(kMaxCodes + 1);
    CodeReader reader(data.raw);
    while (row < h) {
        const int code = reader.Read(width);
        if (code < 0) {
            Corrupt(out, true);
            break;
        }
        if (progress) progress(gpsRunning, reader.Percent());
        if (code == clear) {
            next = clear + 2;
            width = codeSize + 1;
            prev = -1;
            continue;
        }
        if (code == end) break;
        // A code beyond the table, or one that needs a previous string
        // where there is none, is corruption.
        if (code > next || (prev < 0 && code >= clear)) {
            Corrupt(out, false);
            break;
        }
        if (prev < 0) {
            store(code);
            prev = code;
            continue;
        }
        size_t depth = 0;
        int walk = code;
        if (code == next) {
            stack[depth++] = static_cast<uint8_t>(first[prev]);
            walk = prev;
        }
        while (walk >= clear) {
            stack[depth++] = static_cast<uint8_t>(suffix[walk]);
            walk = prefix[walk];
        }
        stack[depth++] = static_cast<uint8_t>(walk);
        const int head = walk;
        while (depth > 0 && row < h) store(stack[--depth]);
        if (next < kMaxCodes) {
            prefix[next] = static_cast<uint16_t>(prev);
            suffix[next] = static_cast<uint16_t>(head);
            first[next] = first[prev];
            ++next;
            if (next == 1 << width && width < kMaxWidth) ++width;
        }
        prev = code;
    }
    return out;
}

}  // namespace

TGifRaster DecodeGifFrame(const TGifFrameData& data, bool interlaced, const TGifProgress& progress) {
    if (int64_t{std::max(data.width, 0)} * std::max(data.height, 0) > kGifMaxFramePixels)
        throw cl::EOutOfMemory("Out of memory");
    if (!progress) return Decode(data, interlaced, progress);
    progress(gpsStarting, 0);
    TGifRaster out;
    try {
        out = Decode(data, interlaced, progress);
    } catch (...) {
        progress(gpsEnding, 100);
        throw;
    }
    progress(gpsEnding, 100);
    return out;
}

std::vector<uint8_t> EncodeGifFrame(const uint8_t* pixels, int width, int height, int bits) {
    const int codeSize = std::max(2, std::clamp(bits, 1, 8));
    const int clear = 1 << codeSize, end = clear + 1;
    const uint8_t mask = static_cast<uint8_t>(clear - 1);
    std::vector<uint8_t> out{static_cast<uint8_t>(codeSize)};
    CodeWriter writer(out);
    StringTable table;
    int next = clear + 2, codeWidth = codeSize + 1;
    writer.Write(clear, codeWidth);
    const int64_t count = static_cast<int64_t>(std::max(width, 0)) * std::max(height, 0);
    if (count > 0) {
        int string = pixels[0] & mask;
        for (int64_t i = 1; i < count; ++i) {
            const int pixel = pixels[i] & mask;
            const int found = table.Find(string, pixel);
            if (found >= 0) {
                string = found;
                continue;
            }
            writer.Write(string, codeWidth);
            if (next < kMaxCodes - 1) {
                table.Add(string, pixel, next);
                // The next code sent may be this one: it needs the wider code.
                if (next == 1 << codeWidth && codeWidth < kMaxWidth) ++codeWidth;
                ++next;
            } else {
                writer.Write(clear, codeWidth);
                table.Clear();
                next = clear + 2;
                codeWidth = codeSize + 1;
            }
            string = pixel;
        }
        writer.Write(string, codeWidth);
        // The decoder adds an entry after this code too and may widen.
        if (next == 1 << codeWidth && codeWidth < kMaxWidth) ++codeWidth;
    }
    writer.Write(end, codeWidth);
    writer.Flush();
    return out;
}
