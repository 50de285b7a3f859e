// Icon files as the enhanced controls read them: the entry for the
// display's colours, and every count and offset checked against the bytes.
#include "controls/XcIconDirectory.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "classlib/Exceptions.h"

namespace {

void Put16(std::vector<uint8_t>& b, size_t at, uint16_t v) {
    b[at] = static_cast<uint8_t>(v);
    b[at + 1] = static_cast<uint8_t>(v >> 8);
}
void Put32(std::vector<uint8_t>& b, size_t at, uint32_t v) {
    for (int i = 0; i < 4; ++i) b[at + i] = static_cast<uint8_t>(v >> (8 * i));
}

// A 16 x 16 icon image of bitCount bits: header, colour table, both bitmaps.
std::vector<uint8_t> IconImage(uint16_t bitCount) {
    const size_t palette = bitCount <= 8 ? (1u << bitCount) * 4 : 0;
    const size_t colorBits = ((16 * bitCount + 31) / 32 * 4) * 16;
    std::vector<uint8_t> b(40 + palette + colorBits + 4 * 16);
    Put32(b, 0, 40);
    Put32(b, 4, 16);
    Put32(b, 8, 32);
    Put16(b, 12, 1);
    Put16(b, 14, bitCount);
    return b;
}

// An icon file with a 16-colour entry and a 32-bit one (colour count 0).
std::vector<uint8_t> TwoEntryIcon() {
    const std::vector<uint8_t> low = IconImage(4), high = IconImage(32);
    std::vector<uint8_t> file(6 + 2 * 16);
    Put16(file, 2, 1);
    Put16(file, 4, 2);
    const uint8_t counts[] = {16, 0};
    const std::vector<uint8_t>* images[] = {&low, &high};
    for (size_t i = 0; i < 2; ++i) {
        const size_t at = 6 + 16 * i;
        file[at] = file[at + 1] = 16;
        file[at + 2] = counts[i];
        Put16(file, at + 4, 1);
        Put16(file, at + 6, i == 0 ? 4 : 32);
        Put32(file, at + 8, static_cast<uint32_t>(images[i]->size()));
        Put32(file, at + 12, static_cast<uint32_t>(file.size()));
        file.insert(file.end(), images[i]->begin(), images[i]->end());
    }
    return file;
}

TEST(IconDirectory, PicksTheEntryOfTheDisplaysColourCount) {
    const std::vector<TIconDirEntry> entries = ReadIconDirectory(TwoEntryIcon());
    ASSERT_EQ(entries.size(), 2u);
    const struct {
        int displayBits;
        uint32_t colors;
        size_t entry;
    } cases[] = {
        {32, 0, 1},  // true colour counts 0, as 32-bit entries do
        {24, 0, 1}, {16, 0, 1}, {8, 0, 1},
        {4, 16, 0}, {1, 2, 1},  // no 2-colour entry: the first with at most 2 colours (0 read as a count)
    };
    for (const auto& c : cases) {
        EXPECT_EQ(DisplayIconColorCount(c.displayBits), c.colors) << c.displayBits;
        EXPECT_EQ(ChooseIconEntry(entries, DisplayIconColorCount(c.displayBits)), c.entry) << c.displayBits;
    }
}

TEST(IconDirectory, LaysOutA32BitImage) {
    const TIconImageLayout l = IconImageLayout(IconImage(32));
    EXPECT_EQ(l.Height, 16);
    EXPECT_EQ(l.ColorCount, 0u);
    EXPECT_EQ(l.ColorBitsOffset, 40u);
    EXPECT_EQ(l.MaskBitsOffset, 40u + 16 * 16 * 4);
    EXPECT_EQ(l.MaskBitsSize, 64u);
}

TEST(IconDirectory, RefusesCountsAndOffsetsOutsideTheData) {
    const std::vector<uint8_t> good = TwoEntryIcon();
    auto broken = [&](auto change) {
        std::vector<uint8_t> b = good;
        change(b);
        return b;
    };
    const std::vector<std::vector<uint8_t>> files = {
        {0, 0, 1, 0},                                // short header
        broken([](auto& b) { Put16(b, 4, 0); }),     // no entries
        broken([](auto& b) { Put16(b, 4, 3000); }),  // entries past the end
        broken([&](auto& b) { Put32(b, 6 + 16 + 12, static_cast<uint32_t>(b.size())); }),  // image at the end
        broken([](auto& b) { Put32(b, 6 + 12, 0xFFFFFFF0u); }),  // offset past the end
        broken([](auto& b) { Put32(b, 6 + 8, 0x7FFFFFFFu); }),   // size past the end
    };
    for (size_t i = 0; i < files.size(); ++i)
        EXPECT_THROW(ReadIconDirectory(files[i]), cl::EInvalidGraphic) << i;

    std::vector<uint8_t> image = IconImage(32);
    image.pop_back();  // the mask's last byte missing
    EXPECT_THROW(IconImageLayout(image), cl::EInvalidGraphic);
    std::vector<uint8_t> odd = IconImage(32);
    Put16(odd, 14, 3);  // no such bit count
    EXPECT_THROW(IconImageLayout(odd), cl::EInvalidGraphic);
}

}  // namespace
