// Reading a GIF file into structures; every length is checked against the
// bytes left before it is used.
#include <algorithm>
#include <cstdio>
#include <cstring>

#include "frameworks/ByteCursor.h"
#include "frameworks/GifFile.h"

bool GifTolerantReading = true;

namespace {

constexpr uint8_t kExtensionIntroducer = '!';
constexpr uint8_t kImageIntroducer = ',';
constexpr uint8_t kTrailer = ';';
constexpr uint16_t kMaxRepeatCount = 30000;

bool SameLetters(const uint8_t* p, const char* text, size_t n) {
    for (size_t i = 0; i < n; ++i) {
        auto lower = [](int c) { return c >= 'A' && c <= 'Z' ? c + 32 : c; };
        if (lower(p[i]) != lower(static_cast<unsigned char>(text[i]))) return false;
    }
    return true;
}

TGifColorTable ReadColorTable(TByteCursor& in, int bits) {
    const int count = 1 << bits;
    const uint8_t* p = in.Take(static_cast<uint64_t>(count) * 3);
    TGifColorTable table(count);
    for (int i = 0; i < count; ++i) table[i] = {p[i * 3], p[i * 3 + 1], p[i * 3 + 2]};
    return table;
}

// The next block introducer: zero bytes are skipped; the end reads as ";".
uint8_t NextIntroducer(TByteCursor& in) {
    while (!in.AtEnd()) {
        const uint8_t b = in.Byte();
        if (b != 0) return b;
    }
    return kTrailer;
}

// Data sub-blocks up to an empty one or the end of the data.
std::vector<std::string> ReadSubBlocks(TByteCursor& in) {
    std::vector<std::string> blocks;
    while (!in.AtEnd()) {
        const uint8_t length = in.Byte();
        if (length == 0) break;
        const uint8_t* p = in.Take(length);
        blocks.emplace_back(reinterpret_cast<const char*>(p), length);
    }
    return blocks;
}

// The fixed part follows its own size byte.
std::vector<uint8_t> ReadFixedPart(TByteCursor& in) {
    const uint8_t size = in.Byte();
    const uint8_t* p = in.Take(size);
    std::vector<uint8_t> fixed{size};
    fixed.insert(fixed.end(), p, p + size);
    return fixed;
}

uint8_t FixedByte(const TGifExtension& e, size_t i) {
    return i < e.fixed.size() ? e.fixed[i] : 0;
}

class GifReader {
public:
    GifReader(const uint8_t* data, size_t size, TGifFile& file) : in_(data, size), file_(file) {}

    void Read() {
        file_ = TGifFile{};
        if (in_.AtEnd()) return;
        const uint8_t* signature = in_.Take(6);
        if (!SameLetters(signature, "GIF", 3)) throw cl::EInvalidGraphicOperation("Unknown GIF version");
        if (SameLetters(signature + 3, "87a", 3))
            file_.version = 1;
        else if (SameLetters(signature + 3, "89a", 3))
            file_.version = 2;
        else
            throw cl::EInvalidGraphicOperation("Unknown GIF version");

        const uint8_t* screen = in_.Take(7);
        file_.screenWidth = Le16(screen);
        file_.screenHeight = Le16(screen + 2);
        const uint8_t packed = screen[4];
        auto header = std::make_shared<TGifHeader>();
        header->bitsPerPixel = (packed & 7) + 1;
        header->colorResolution = ((packed & 0x70) >> 4) + 1;
        header->aspect = screen[6];
        if (packed & 0x80) {
            header->globalTable = ReadColorTable(in_, header->bitsPerPixel);
            if (screen[5] < header->globalTable.size()) {
                file_.backgroundIndex = screen[5];
                file_.backgroundColor = GifRgb(header->globalTable[screen[5]]);
            }
        }
        file_.header = header;
        header_ = header.get();
        ReadBlocks();
    }

private:
    void ReadBlocks() {
        uint8_t intro = NextIntroducer(in_);
        while (intro != 0 && intro != kTrailer && !in_.AtEnd()) {
            while (intro == kExtensionIntroducer) {
                ReadExtension(in_.Byte());
                intro = NextIntroducer(in_);
            }
            if (intro == kImageIntroducer) {
                ReadFrame();
                intro = NextIntroducer(in_);
                if (intro != kExtensionIntroducer && intro != kImageIntroducer && intro != kTrailer) break;
                continue;
            }
            TakeComments();
            // A stray byte is not skipped over: it would be met again for ever.
            if (intro != 0 && intro != kTrailer) StreamReadError();
        }
    }

    void TakeComments() {
        if (header_->comment.empty()) {
            for (const TGifExtension& e : collected_) {
                if (e.kind != gxComment) continue;
                if (!header_->comment.empty()) header_->comment.push_back("\r\n\r\n");
                header_->comment.insert(header_->comment.end(), e.data.begin(), e.data.end());
            }
        }
        collected_.clear();
    }

    void ReadExtension(uint8_t label) {
        TGifExtension e;
        switch (label) {
            case 0xF9:
                e.kind = gxGraphicControl;
                e.fixed = ReadFixedPart(in_);
                ReadSubBlocks(in_);
                collected_.push_back(std::move(e));
                break;
            case 0x01:
                ReadFixedPart(in_);
                ReadSubBlocks(in_);
                collected_.clear();
                break;
            case 0xFF: {
                e.fixed = ReadFixedPart(in_);
                e.data = ReadSubBlocks(in_);
                const bool loop = e.fixed.size() >= 12 && (std::memcmp(&e.fixed[1], "NETSCAPE2.0", 11) == 0 ||
                                                           std::memcmp(&e.fixed[1], "ANIMEXTS1.0", 11) == 0);
                if (loop && !e.data.empty() && e.data[0].size() >= 3 && e.data[0][0] == 1) {
                    file_.looping = true;
                    const auto* d = reinterpret_cast<const uint8_t*>(e.data[0].data());
                    file_.repeatCount = std::min<uint16_t>(Le16(d + 1), kMaxRepeatCount);
                }
                break;
            }
            case 0xFE:
                e.kind = gxComment;
                e.data = ReadSubBlocks(in_);
                collected_.push_back(std::move(e));
                break;
            default: {
                char text[64];
                std::snprintf(text, sizeof text, "Unrecognized extension block: %.2x", label);
                throw cl::EInvalidGraphicOperation(text);
            }
        }
    }

    void ReadFrame() {
        const uint8_t* d = in_.Take(9);
        TGifFrame frame;
        auto data = std::make_shared<TGifFrameData>();
        frame.left = Le16(d);
        frame.top = Le16(d + 2);
        data->width = Le16(d + 4);
        data->height = Le16(d + 6);
        const uint8_t packed = d[8];
        frame.interlaced = (packed & 0x40) != 0;
        if (packed & 0x80) {
            data->bitsPerPixel = (packed & 7) + 1;
            data->table = ReadColorTable(in_, data->bitsPerPixel);
            frame.localTable = true;
        } else if (!header_->globalTable.empty()) {
            data->bitsPerPixel = header_->bitsPerPixel;
            data->table = header_->globalTable;
        }
        frame.extensions = std::move(collected_);
        collected_.clear();
        frame.corrupted = !ReadRawData(data->raw);
        if (frame.corrupted && !GifTolerantReading) StreamReadError();
        if (data->width == 0) data->width = file_.screenWidth;
        if (data->height == 0) data->height = file_.screenHeight;
        for (const TGifExtension& e : frame.extensions) {
            if (e.kind != gxGraphicControl) continue;
            const uint8_t flags = FixedByte(e, 1);
            const int index = FixedByte(e, 4);
            if (!(flags & 1)) {
                frame.transparentColor = kGifNoColor;
                frame.transparentIndex = -1;
            } else if (index < static_cast<int>(data->table.size())) {
                frame.transparentColor = GifRgb(data->table[index]);
                frame.transparentIndex = index;
            }
            frame.delay = std::max<uint32_t>(frame.delay, 10u * (FixedByte(e, 2) | FixedByte(e, 3) << 8));
            frame.disposal = static_cast<uint8_t>((flags & 0x1C) >> 2);
        }
        frame.data = std::move(data);
        file_.frames.push_back(std::move(frame));
    }

    // The code size byte and the sub-blocks up to the empty one; false when
    // the data end first (what was there is kept, as well-formed blocks).
    bool ReadRawData(std::vector<uint8_t>& raw) {
        if (in_.AtEnd()) return false;
        raw.push_back(in_.Byte());
        while (true) {
            if (in_.AtEnd()) return false;
            const uint8_t length = in_.Byte();
            if (length == 0) return true;
            const size_t n = std::min<size_t>(length, in_.Left());
            const uint8_t* p = in_.Take(n);
            if (n == 0) return false;
            raw.push_back(static_cast<uint8_t>(n));
            raw.insert(raw.end(), p, p + n);
            if (n < length) return false;
        }
    }

    TByteCursor in_;
    TGifFile& file_;
    TGifHeader* header_ = nullptr;
    std::vector<TGifExtension> collected_;
};

}  // namespace

void ReadGif(const uint8_t* data, size_t size, TGifFile& file) {
    GifReader(data, size, file).Read();
}
