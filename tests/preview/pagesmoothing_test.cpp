// A page shown small is played larger and averaged down: how much larger,
// and the averaging of the larger picture's blocks.
#include "preview/PageSmoothing.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace {

TEST(PageSmoothing, PlaysThePageAsAtThreeHundredPercentWithinSixteenMillionPixels) {
    const struct {
        int zoom, width, height, factor;
    } cases[] = {
        {100, 799, 1128, 3},   // A4 at 96 dpi: 2397 x 3384
        {127, 1013, 1431, 3},  // fitted to a 1280-pixel screen's width
        {50, 402, 567, 6},     // 2412 x 3402
        {10, 84, 117, 30},     // 2520 x 3510
        {300, 2387, 3374, 1},  // large enough already
        {500, 3975, 5621, 1},  // larger still
        {100, 4000, 5000, 1},  // twice would be 80 million pixels
        {40, 1500, 2000, 2},   // eight times would be 192 million pixels, twice 12 million
        {0, 799, 1128, 1},     // no zoom, no picture: as it is
        {100, 0, 1128, 1},
    };
    for (const auto& c : cases)
        EXPECT_EQ(SmoothingFactor(c.zoom, c.width, c.height), c.factor) << c.zoom << " " << c.width;
}

TEST(PageSmoothing, EachBlockBecomesItsMeanPerChannelRounded) {
    // Two pixels of 2 x 2 blocks each, in rows of 12 bytes plus 4 of padding.
    const std::vector<uint8_t> rows = {
        0,   10, 255, 1, 2, 3, /**/ 9,  9,  9,  0,   0,   0,   7, 7, 7, 7,
        100, 10, 255, 3, 2, 1, /**/ 40, 40, 40, 255, 255, 255, 7, 7, 7, 7,
    };
    std::vector<uint8_t> out(6);
    AverageDown(rows.data(), 16, 2, out.data(), 6, 2, 1);
    // (0 + 1 + 100 + 3) / 4 = 26, (10 + 2 + 10 + 2) / 4 = 6, (255 + 3 + 255 + 1) / 4 = 128.5 up to 129;
    // (9 + 0 + 40 + 255) / 4 = 76 for each channel.
    EXPECT_EQ(out, (std::vector<uint8_t>{26, 6, 129, 76, 76, 76}));
}

TEST(PageSmoothing, RowsStoredBottomUpAreReadBackwards) {
    // The first row in memory is the picture's last: strides are negative.
    const std::vector<uint8_t> memory = {
        30, 30, 30, 30, 30, 30,  // row 1 (second)
        10, 10, 10, 10, 10, 10,  // row 0 (first)
    };
    std::vector<uint8_t> out(3);
    AverageDown(memory.data() + 6, -6, 2, out.data(), 3, 1, 1);
    EXPECT_EQ(out, (std::vector<uint8_t>{20, 20, 20}));
}

}  // namespace
