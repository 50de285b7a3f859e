#pragma once
// GIF files built byte by byte for the codec tests.

#include <cstdint>
#include <initializer_list>
#include <random>
#include <string>
#include <vector>

#include "frameworks/GifFile.h"
#include "frameworks/GifLzw.h"

namespace giftest {

using Bytes = std::vector<uint8_t>;

struct GifBuilder {
    Bytes bytes;
    GifBuilder& Raw(std::initializer_list<int> values) {
        for (int v : values) bytes.push_back(static_cast<uint8_t>(v));
        return *this;
    }
    GifBuilder& Text(const std::string& s) {
        bytes.insert(bytes.end(), s.begin(), s.end());
        return *this;
    }
    GifBuilder& Word(int v) { return Raw({v & 0xFF, v >> 8 & 0xFF}); }
    // "GIF89a", the screen and a grey global table of 2^bits entries.
    GifBuilder& Header(int width, int height, int bits, const char* version = "89a") {
        Text("GIF").Text(version).Word(width).Word(height).Raw({0x80 | (bits - 1) << 4 | (bits - 1), 0, 0});
        for (int i = 0; i < (1 << bits); ++i) Raw({i, i, i});
        return *this;
    }
    GifBuilder& Gce(int flags, int delay, int index) {
        return Raw({'!', 0xF9, 4, flags}).Word(delay).Raw({index, 0});
    }
    GifBuilder& Comment(const std::string& text) {
        Raw({'!', 0xFE, static_cast<int>(text.size())}).Text(text);
        return Raw({0});
    }
    // An image descriptor and the pixels encoded by our encoder.
    GifBuilder& Image(int width, int height, const Bytes& pixels, int bits, int packed = 0) {
        Raw({','}).Word(0).Word(0).Word(width).Word(height).Raw({packed});
        const Bytes raw = EncodeGifFrame(pixels.data(), width, height, bits);
        bytes.insert(bytes.end(), raw.begin(), raw.end());
        return Raw({0});
    }
    Bytes End() {
        bytes.push_back(';');
        return bytes;
    }
};

inline Bytes RandomPixels(std::mt19937& rng, size_t count, int bits, bool runs) {
    Bytes out(count);
    std::uniform_int_distribution<int> pixel(0, (1 << bits) - 1), length(1, 40);
    for (size_t i = 0; i < count;) {
        const uint8_t v = static_cast<uint8_t>(pixel(rng));
        const size_t n = runs ? static_cast<size_t>(length(rng)) : 1;
        for (size_t k = 0; k < n && i < count; ++k) out[i++] = v;
    }
    return out;
}

// A one-frame file of our own encoding, grey table of 2^bits entries.
inline TGifFile OneFrameFile(int width, int height, int bits, const Bytes& pixels) {
    TGifFile file;
    auto header = std::make_shared<TGifHeader>();
    for (int i = 0; i < (1 << bits); ++i)
        header->globalTable.push_back(
            {static_cast<uint8_t>(i), static_cast<uint8_t>(i), static_cast<uint8_t>(i)});
    header->bitsPerPixel = header->colorResolution = bits;
    file.header = header;
    auto data = std::make_shared<TGifFrameData>();
    data->width = width;
    data->height = height;
    data->bitsPerPixel = bits;
    data->table = header->globalTable;
    data->raw = EncodeGifFrame(pixels.data(), width, height, bits);
    TGifFrame frame;
    frame.data = data;
    file.frames.push_back(frame);
    return file;
}

}  // namespace giftest
