#pragma once
// Drawing surfaces and pixel checks shared by the graphics tests.

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "classlib/Streams.h"
#include "classlib/win/Graphics.h"

namespace gfxtest {

// A white 24-bit bitmap to draw on.
struct Surface {
    Surface(int width, int height) {
        bitmap.SetPixelFormat(cl::pf24bit);
        bitmap.SetSize(width, height);
    }
    cl::TCanvas& Canvas() { return *bitmap.Canvas(); }
    cl::TColor At(int x, int y) { return bitmap.Canvas()->Pixels(x, y); }
    // Pixels of the rectangle that are not white.
    int Ink(const cl::TRect& r) {
        int n = 0;
        for (int y = r.top; y < r.bottom; ++y)
            for (int x = r.left; x < r.right; ++x) n += At(x, y) != cl::clWhite;
        return n;
    }
    std::vector<cl::TColor> All() {
        std::vector<cl::TColor> pixels;
        for (int y = 0; y < bitmap.Height(); ++y)
            for (int x = 0; x < bitmap.Width(); ++x) pixels.push_back(At(x, y));
        return pixels;
    }
    cl::TBitmap bitmap;
};

inline std::vector<uint8_t> BytesOf(cl::TMemoryStream& stream) {
    const auto* p = static_cast<const uint8_t*>(stream.Memory());
    return std::vector<uint8_t>(p, p + stream.Size());
}

inline void LoadBytes(cl::TMemoryStream& stream, const std::vector<uint8_t>& bytes) {
    stream.Clear();
    if (!bytes.empty()) stream.WriteBuffer(bytes.data(), static_cast<int32_t>(bytes.size()));
    stream.SetPosition(0);
}

inline void Put32(std::vector<uint8_t>& b, size_t at, uint32_t v) {
    for (int i = 0; i < 4; ++i) b[at + i] = static_cast<uint8_t>(v >> (8 * i));
}
inline void Put16(std::vector<uint8_t>& b, size_t at, uint16_t v) {
    b[at] = static_cast<uint8_t>(v);
    b[at + 1] = static_cast<uint8_t>(v >> 8);
}
inline uint32_t Get32(const std::vector<uint8_t>& b, size_t at) {
    return b[at] | b[at + 1] << 8 | b[at + 2] << 16 | static_cast<uint32_t>(b[at + 3]) << 24;
}

}  // namespace gfxtest
