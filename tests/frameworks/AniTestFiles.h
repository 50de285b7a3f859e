#pragma once
// Icon resources and RIFF chunks built byte by byte for the animated-cursor tests.

#include <cstdint>
#include <string>
#include <vector>

namespace anitest {

using Bytes = std::vector<uint8_t>;

inline void Put16(Bytes& b, uint32_t v) {
    b.push_back(static_cast<uint8_t>(v));
    b.push_back(static_cast<uint8_t>(v >> 8));
}
inline void Put32(Bytes& b, uint32_t v) {
    Put16(b, v & 0xFFFF);
    Put16(b, v >> 16);
}

// An icon (type 1) or cursor (type 2) resource with one image of the size
// and depth, its colour half filled with the byte fill.
inline Bytes IconResource(int type, int size, int bits, int hotX = 0, int hotY = 0, uint8_t fill = 0x11) {
    const uint32_t colors = bits <= 8 ? 1u << bits : 0;
    const uint32_t xorBytes = (size * bits + 31) / 32 * 4 * size, andBytes = (size + 31) / 32 * 4 * size;
    const uint32_t image = 40 + colors * 4 + xorBytes + andBytes;
    Bytes b;
    Put16(b, 0), Put16(b, type), Put16(b, 1);
    b.push_back(static_cast<uint8_t>(size)), b.push_back(static_cast<uint8_t>(size));
    b.push_back(static_cast<uint8_t>(colors & 0xFF)), b.push_back(0);
    Put16(b, type == 2 ? hotX : 1), Put16(b, type == 2 ? hotY : bits);
    Put32(b, image), Put32(b, 22);
    Put32(b, 40), Put32(b, size), Put32(b, size * 2), Put16(b, 1), Put16(b, bits);
    for (int i = 0; i < 6; ++i) Put32(b, 0);
    for (uint32_t i = 0; i < colors; ++i) Put32(b, i * 0x00102030u & 0xFFFFFF);
    b.insert(b.end(), xorBytes, fill);
    b.insert(b.end(), andBytes, 0);
    return b;
}

// One resource of the images of one-image resources (all of one type),
// the directory entries in that order.
inline Bytes Resource(std::initializer_list<Bytes> singles) {
    const uint32_t count = static_cast<uint32_t>(singles.size());
    Bytes b(singles.begin()->begin(), singles.begin()->begin() + 4), images;
    Put16(b, count);
    for (const Bytes& one : singles) {
        b.insert(b.end(), one.begin() + 6, one.begin() + 14);
        Put32(b, static_cast<uint32_t>(one.size() - 22));
        Put32(b, 6 + 16 * count + static_cast<uint32_t>(images.size()));
        images.insert(images.end(), one.begin() + 22, one.end());
    }
    b.insert(b.end(), images.begin(), images.end());
    return b;
}

// A chunk with a given size field (the real data may be shorter or longer).
inline Bytes Chunk(const char* id, const Bytes& data, int64_t size = -1) {
    Bytes b(id, id + 4);
    Put32(b, static_cast<uint32_t>(size < 0 ? static_cast<int64_t>(data.size()) : size));
    b.insert(b.end(), data.begin(), data.end());
    if (size < 0 && data.size() % 2) b.push_back(0);
    return b;
}

inline Bytes Concat(std::initializer_list<Bytes> parts) {
    Bytes out;
    for (const Bytes& p : parts) out.insert(out.end(), p.begin(), p.end());
    return out;
}

inline Bytes List(const char* type, std::initializer_list<Bytes> chunks) {
    Bytes data(type, type + 4);
    for (const Bytes& c : chunks) data.insert(data.end(), c.begin(), c.end());
    return Chunk("LIST", data);
}

inline Bytes Anih(uint32_t frames, uint32_t steps, uint32_t rate, uint32_t flags = 1, uint32_t size = 36) {
    Bytes d;
    for (uint32_t v : {size, frames, steps, 0u, 0u, 0u, 0u, rate, flags}) Put32(d, v);
    d.resize(size, 0);
    return Chunk("anih", d);
}

inline Bytes Table(std::initializer_list<int32_t> values) {
    Bytes d;
    for (int32_t v : values) Put32(d, static_cast<uint32_t>(v));
    return d;
}

inline Bytes Riff(std::initializer_list<Bytes> chunks) {
    Bytes data{'A', 'C', 'O', 'N'};
    for (const Bytes& c : chunks) data.insert(data.end(), c.begin(), c.end());
    return Chunk("RIFF", data);
}

inline Bytes Text(const std::string& s) {
    return Bytes(s.begin(), s.end());
}

}  // namespace anitest
