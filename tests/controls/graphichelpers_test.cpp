// Gradient bands, blends and the colour reductions, without a device.
#include <gtest/gtest.h>

#include <set>
#include <vector>

#include "controls/CoreGraphUtils.h"
#include "controls/XcColorReduction.h"
#include "controls/XcGradient.h"

namespace {

struct GradientCase {
    const char* name;
    int extent;
    uint32_t from, to;
    TFillDirection direction;
    int colors;
    std::vector<TGradientBand> bands;
};

TEST(GradientBands, FollowTheBandRule) {
    const GradientCase cases[] = {
        {"four bands of 2",
         8,
         0x000000,
         0x0000FF,
         fdTopToBottom,
         4,
         {{0, 2, 0x00}, {2, 4, 0x55}, {4, 6, 0xAA}, {6, 8, 0xFF}}},
        {"remainder in the end colour",
         7,
         0x000000,
         0xFF0000,
         fdLeftToRight,
         2,
         {{0, 3, 0x000000}, {3, 6, 0xFF0000}, {6, 7, 0xFF0000}}},
        {"one pixel is the end colour", 1, 0x102030, 0x405060, fdTopToBottom, 16, {{0, 1, 0x405060}}},
        {"equal colours fill once", 50, 0x123456, 0x123456, fdLeftToRight, 64, {{0, 50, 0x123456}}},
        {"fewer than 2 colours fill once", 50, 0x000000, 0xFFFFFF, fdTopToBottom, 1, {{0, 50, 0x000000}}},
        {"bottom to top swaps",
         2,
         0x0000FF,
         0x000000,
         fdBottomToTop,
         2,
         {{0, 1, 0x000000}, {1, 2, 0x0000FF}}},
        {"right to left swaps",
         2,
         0x00FF00,
         0x000000,
         fdRightToLeft,
         2,
         {{0, 1, 0x000000}, {1, 2, 0x00FF00}}},
        {"falling channel rounds",
         3,
         0x0000FF,
         0x000000,
         fdTopToBottom,
         3,
         {{0, 1, 0xFF}, {1, 2, 0x7F}, {2, 3, 0x00}}},
        {"empty extent", 0, 0, 0xFF, fdTopToBottom, 4, {}},
    };
    for (const GradientCase& c : cases) {
        const TGradientPlan plan = PlanGradient(c.extent, c.from, c.to, c.direction, c.colors);
        EXPECT_EQ(plan.bands, c.bands) << c.name;
        EXPECT_EQ(plan.vertical, c.direction == fdTopToBottom || c.direction == fdBottomToTop) << c.name;
    }
}

TEST(Blend, WeightsZeroHalfAndFull) {
    struct Case {
        TColor32 f, b;
        uint32_t w;
        TColor32 expected;
    } cases[] = {
        {0xFF102030, 0x80405060, 0, 0x80405060},   {0xFF102030, 0x80405060, 255, 0xFF102030},
        {0xFFFFFFFF, 0x00000000, 128, 0x80808080}, {0x00000000, 0xFFFFFFFF, 128, 0x7F7F7F7F},
        {0xFFFFFFFF, 0xFFFFFFFF, 128, 0xFFFFFFFF}, {0x20406080, 0xE0C0A080, 128, 0x7F7F7F80},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(BlendReg(c.f, c.b, c.w), c.expected) << std::hex << c.f << " " << c.b << " " << c.w;
        TColor32 cell = c.b;
        BlendMem(c.f, cell, c.w);
        EXPECT_EQ(cell, c.expected);
    }
    EXPECT_EQ(CombineReg(0x80FFFFFF, 0x00000000), 0x40808080u);
    EXPECT_EQ(CombineRegEx(0xFFFFFFFF, 0x00000000, 128), BlendReg(0xFFFFFFFF, 0, 127));
    TColor32 line[3] = {1, 2, 3};
    const TColor32 src[3] = {0x00FFFFFF, 0xFF123456, 0x80FFFFFF};
    CombineLine(src, line, 3);
    EXPECT_EQ(line[0], 1u);
    EXPECT_EQ(line[1], 0xFF123456u);
    EXPECT_EQ(line[2], BlendReg(0x80FFFFFF, 3, 0x80));
}

// A 24-bit image of the given colours ($RRGGBB) in rows of width.
std::vector<uint8_t> Image24(const std::vector<uint32_t>& colors, int width) {
    const int height = static_cast<int>(colors.size()) / width;
    const int64_t stride = DibRowBytes(width, 24);
    std::vector<uint8_t> out(static_cast<size_t>(stride * height));
    for (size_t i = 0; i < colors.size(); ++i) {
        uint8_t* p = &out[(i / width) * stride + (i % width) * 3];
        p[0] = colors[i] & 0xFF, p[1] = colors[i] >> 8 & 0xFF, p[2] = colors[i] >> 16 & 0xFF;
    }
    return out;
}

uint32_t Rgb(const TRgbQuad& q) {
    return q.red << 16 | q.green << 8 | q.blue;
}

TEST(MedianCut, MoreColoursThanTheImageHasGivesOneBoxPerEntryAndZerosAfter) {
    const std::vector<uint32_t> colors{0xFF0000, 0x00FF00, 0x0000FF, 0xFFFFFF, 0xFF0000, 0x00FF00};
    const auto rgb = Image24(colors, 3);
    const TIndexedImage out = MedianCut(rgb.data(), 3, 2, 256);
    std::set<uint32_t> used;
    for (int i = 0; i < 4; ++i) used.insert(Rgb(out.palette[i]));
    EXPECT_EQ(used, (std::set<uint32_t>{0xFF0F0F, 0x0FFF0F, 0x0F0FFF, 0xFFFFFF}));
    for (int i = 4; i < 256; ++i) EXPECT_EQ(Rgb(out.palette[i]), 0u) << i;
    const int64_t stride = DibRowBytes(3, 8);
    for (size_t i = 0; i < colors.size(); ++i) {
        const uint32_t got = Rgb(out.palette[out.pixels[(i / 3) * stride + i % 3]]);
        EXPECT_EQ(got | 0x0F0F0F, colors[i] | 0x0F0F0F) << i;
    }
}

TEST(MedianCut, SplitsTheWidestBoxAndWritesNearBlackAsBlack) {
    std::vector<uint32_t> colors;
    for (int i = 0; i < 16; ++i) colors.push_back(static_cast<uint32_t>(i * 16) << 16);
    const auto rgb = Image24(colors, 16);
    const TIndexedImage two = MedianCut(rgb.data(), 16, 1, 2);
    // Eight reds in each half: (0+..+7)*16|15 div 8 = 57, (8+..+15)*16|15 div 8 = 185.
    EXPECT_EQ(Rgb(two.palette[0]), 0x390101u);
    EXPECT_EQ(Rgb(two.palette[1]), 0xB90101u);
    EXPECT_EQ(two.pixels[0], 0);
    EXPECT_EQ(two.pixels[15], 1);
    const auto dark = Image24({0x101010, 0x000000}, 2);
    EXPECT_EQ(Rgb(MedianCut(dark.data(), 2, 1, 1).palette[0]), 0u);
}

TEST(Popularity, TakesTheMostFrequentColoursAndMapsTheRestToTheNearest) {
    std::vector<uint32_t> colors(10, 0x0000FF);
    colors.insert(colors.end(), 5, 0xFF0000);
    colors.insert(colors.end(), 5, 0x00FF00);  // ties with red: red came first
    colors.push_back(0x0000F0);
    const auto rgb = Image24(colors, 21);
    const TIndexedImage out = Popularity(rgb.data(), 21, 1, 2);
    EXPECT_EQ(Rgb(out.palette[0]), 0x0000FFu);
    EXPECT_EQ(Rgb(out.palette[1]), 0xFF0000u);
    EXPECT_EQ(Rgb(out.palette[2]), 0x808080u);
    EXPECT_EQ(out.pixels[0], 0);
    EXPECT_EQ(out.pixels[10], 1);
    EXPECT_EQ(out.pixels[15], 0);  // green is as near blue as red: the first wins
    EXPECT_EQ(out.pixels[20], 0);
}

TEST(Popularity, DropsChannelBitsWhenTooManyColours) {
    std::vector<uint32_t> colors;
    for (uint32_t i = 0; i < 4096; ++i)
        colors.push_back((i & 0xF) << 4 | (i >> 4 & 0xF) << 12 | (i >> 8) << 20);
    const auto rgb = Image24(colors, 64);
    const TIndexedImage out = Popularity(rgb.data(), 64, 64, 256);
    std::set<uint32_t> used;
    for (int i = 0; i < 256; ++i) used.insert(Rgb(out.palette[i]));
    EXPECT_EQ(used.size(), 256u);
    // Only blue's fifth bit had to go before the 2048 colours left fitted.
    for (uint32_t c : used) EXPECT_EQ(c & 0x1F, 0u) << std::hex << c;
}

TEST(FixedPalettes, MapToTheirCubesAndRamps) {
    const auto rgb = Image24({0xFF8000, 0x336699, 0x40C0FF}, 3);
    const TIndexedImage cube = ReduceColors(rgb.data(), 3, 1, rmQuantize666, 256);
    EXPECT_EQ(cube.pixels[0], 5 * 36 + 3 * 6 + 0);  // 0x80 is nearest 153
    EXPECT_EQ(Rgb(cube.palette[cube.pixels[1]]), 0x336699u);
    EXPECT_EQ(Rgb(cube.palette[216]), 0x808080u);
    const TIndexedImage c784 = ReduceColors(rgb.data(), 3, 1, rmQuantize784, 256);
    EXPECT_EQ(c784.pixels[0], 6 * 32 + 4 * 4 + 0);  // green 128 is nearer 146 than 109
    const TIndexedImage gray = ReduceColors(rgb.data(), 3, 1, rmGrayscale, 256);
    EXPECT_EQ(gray.pixels[0], (255 * 77 + 128 * 150) >> 8);
    const TIndexedImage prim = ReduceColors(rgb.data(), 3, 1, rmPrimaries, 256);
    EXPECT_EQ(prim.pixels[0], 255 >> 2);
    EXPECT_EQ(prim.pixels[1], (0x66 >> 2) + 64);
    EXPECT_EQ(prim.pixels[2], (0xFF >> 2) + 128);
    EXPECT_EQ(Rgb(prim.palette[64 + 10]), 40u << 8);
}

}  // namespace
