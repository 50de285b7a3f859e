#include "controls/XcBmpFile.h"

namespace {

void Put16(std::vector<uint8_t>& out, uint32_t v) {
    out.push_back(static_cast<uint8_t>(v));
    out.push_back(static_cast<uint8_t>(v >> 8));
}
void Put32(std::vector<uint8_t>& out, uint32_t v) {
    Put16(out, v & 0xFFFF);
    Put16(out, v >> 16);
}

}  // namespace

std::vector<uint8_t> MakeBmpFile(int width, int height, int bits, const std::vector<TRgbQuad>& palette,
                                 const std::vector<uint8_t>& rows) {
    constexpr uint32_t kFileHeader = 14, kInfoHeader = 40;
    const uint32_t offset = kFileHeader + kInfoHeader + static_cast<uint32_t>(palette.size()) * 4;
    std::vector<uint8_t> out;
    out.reserve(offset + rows.size());
    out.push_back('B');
    out.push_back('M');
    Put32(out, offset + static_cast<uint32_t>(rows.size()));
    Put32(out, 0);
    Put32(out, offset);
    Put32(out, kInfoHeader);
    Put32(out, static_cast<uint32_t>(width));
    Put32(out, static_cast<uint32_t>(height));
    Put16(out, 1);
    Put16(out, static_cast<uint32_t>(bits));
    Put32(out, 0);  // BI_RGB
    Put32(out, static_cast<uint32_t>(rows.size()));
    Put32(out, 0);
    Put32(out, 0);
    Put32(out, static_cast<uint32_t>(palette.size()));
    Put32(out, 0);
    for (const TRgbQuad& q : palette) out.insert(out.end(), {q.blue, q.green, q.red, 0});
    out.insert(out.end(), rows.begin(), rows.end());
    return out;
}
