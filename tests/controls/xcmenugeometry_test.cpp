// Owner-drawn menu geometry without a window: the columns of a drop-down
// item, its measured size and shortcut place, and the XP style's frame
// round the drop-down window, painted into a grid of inks.
#include "controls/XcMenuGeometry.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

// The main window's menu bar: msXP, no images, no check marks.
constexpr TXcMenuItemMetrics kXP{0, 0, 0, 0, {3, 4, 4, 4}, 2, 0};

TEST(MenuColumns, LieLeftToRightInsideTheItem) {
    struct Case {
        TXcMenuItemMetrics m;
        TXcBox check, column, image, text;
    };
    const Case cases[] = {
        // The 7-pixel image column of the XP bar, the text column after it.
        {kXP, {0, 0, 0, 20}, {0, 0, 7, 20}, {3, 4, 3, 16}, {7, 0, 150, 20}},
        // Check marks, a 16-pixel image and a left strip push everything right.
        {{13, 13, 16, 16, {1, 2, 3, 2}, 5, 20},
         {20, 0, 33, 20},
         {33, 0, 53, 20},
         {34, 2, 50, 18},
         {53, 0, 150, 20}},
    };
    for (const Case& c : cases) {
        const TXcDropDownColumns got = DropDownColumns({0, 0, 150, 20}, c.m);
        EXPECT_EQ(got.Check, c.check);
        EXPECT_EQ(got.ImageColumn, c.column);
        EXPECT_EQ(got.Image, c.image);
        EXPECT_EQ(got.Text, c.text);
    }
    // Right to left the same columns lie from the item's right edge.
    const TXcBox item{10, 0, 160, 20};
    const TXcDropDownColumns rtl = MirroredColumns(DropDownColumns(item, cases[1].m), item);
    EXPECT_EQ(rtl.Check, (TXcBox{127, 0, 140, 20})) << "a 13-pixel check column after the 20-pixel strip";
    EXPECT_EQ(rtl.ImageColumn, (TXcBox{107, 0, 127, 20}));
    EXPECT_EQ(rtl.Image, (TXcBox{110, 2, 126, 18})) << "margins 3 on its left, 1 on its right";
    EXPECT_EQ(rtl.Text, (TXcBox{10, 0, 107, 20}));
}

TEST(MenuMeasure, WidthHeightAndShortCutColumn) {
    TXcSiblingTexts t{80, 30, true, false, 24, 6};
    // Image column 7, text margin 2, caption, then eight blanks and the shortcut.
    EXPECT_EQ(DropDownWidth(kXP, t), 7 + 2 + 80 + 24 + 30);
    EXPECT_EQ(ShortCutColumn(kXP, t), 7 + 2 + 80 + 24);
    t.AnyShortCut = false;
    t.AnySubItems = true;
    EXPECT_EQ(DropDownWidth(kXP, t), 7 + 2 + 80 + 6) << "room for the sub-menu arrow";
    t.AnySubItems = false;
    EXPECT_EQ(DropDownWidth(kXP, t), 7 + 2 + 80);

    EXPECT_EQ(DropDownHeight(kXP, 19, 13), 19) << "the menu bar's height";
    EXPECT_EQ(DropDownHeight(kXP, 19, 21), 21) << "a taller caption";
    const TXcMenuItemMetrics image{13, 15, 16, 16, {0, 2, 0, 2}, 0, 0};
    EXPECT_EQ(DropDownHeight(image, 19, 13), 20) << "the image with its margins";
    EXPECT_EQ(SeparatorHeight(13), 9);
    EXPECT_EQ(SeparatorHeight(24), 12);
}

// The frame painted into a grid, one ink (or '.') per pixel.
std::vector<std::string> Paint(int w, int h, const TXcBox& item, int columnEnd, bool atEdge, bool selected,
                               bool rtl = false) {
    std::vector<std::string> grid(static_cast<size_t>(h), std::string(static_cast<size_t>(w), '.'));
    static const char kInk[] = {'O', 'W', 'I', 'P', 'B'};
    auto put = [&](int x, int y, char c) {
        if (x >= 0 && x < w && y >= 0 && y < h) grid[static_cast<size_t>(y)][static_cast<size_t>(x)] = c;
    };
    for (const TXcFrameStroke& s : XPDropDownFrame(w, h, item, columnEnd, atEdge, selected, rtl)) {
        for (int y = s.Box.Top; y < s.Box.Bottom; ++y)
            for (int x = s.Box.Left; x < s.Box.Right; ++x) {
                const bool border =
                    x == s.Box.Left || x == s.Box.Right - 1 || y == s.Box.Top || y == s.Box.Bottom - 1;
                if (!s.Outline || border) put(x, y, kInk[s.Ink]);
            }
    }
    return grid;
}

TEST(XPFrame, OutlinesTheWindowAndCarriesTheImageColumnIntoTheBorder) {
    // Windows: the client area starts 3 pixels in, the item at its edge.
    const auto g = Paint(40, 30, {3, 10, 37, 20}, 10, true, false);
    EXPECT_EQ(g[0], std::string(40, 'O'));
    EXPECT_EQ(g[29][17], 'O');
    EXPECT_EQ(g[1].substr(1, 38), std::string(38, 'W'));
    EXPECT_EQ(g[2].substr(0, 12), "OIIIIIIIIIWW") << "the stripe's top end, to the column's end";
    EXPECT_EQ(g[27].substr(0, 12), "OIIIIIIIIIWW") << "and its bottom end";
    EXPECT_EQ(g[28].substr(0, 12), "OWWWWWWWWWWW");
    EXPECT_EQ(g[15].substr(0, 4), "OII.") << "the item's rows: the stripe on the left";
    EXPECT_EQ(g[15].substr(36), ".WWO") << "white on the right";
    EXPECT_EQ(g[9].substr(0, 4), "O...") << "only over the item's rows";
}

TEST(XPFrame, WineItemsPastTheBorderAndTheSelection) {
    // Wine: the item rectangles start past the border inside the client area.
    const auto plain = Paint(40, 30, {3, 10, 37, 20}, 10, false, false);
    EXPECT_EQ(plain[15].substr(0, 5), "OIII.");
    EXPECT_EQ(plain[2].substr(0, 12), "OIIIIIIIIIIW") << "one pixel longer";
    const auto selected = Paint(40, 30, {3, 10, 37, 20}, 10, false, true);
    EXPECT_EQ(selected[10].substr(0, 4), "OIPP") << "the top end of the brush column in the pen";
    EXPECT_EQ(selected[15].substr(0, 4), "OIPB");
    EXPECT_EQ(selected[19].substr(0, 4), "OIPP");
    EXPECT_EQ(selected[15].substr(36), ".PWO");
}

TEST(XPFrame, RightToLeftSwapsTheSides) {
    // The image column's stripe on the right, white on the left.
    const auto g = Paint(40, 30, {3, 10, 37, 20}, 10, true, false, true);
    EXPECT_EQ(g[15].substr(0, 4), "OWW.");
    EXPECT_EQ(g[15].substr(36), ".IIO");
    EXPECT_EQ(g[2].substr(28), "WWIIIIIIIIIO") << "the stripe's top end from the right";
    // Selected under Wine: the brush column is R - 4.
    const auto selected = Paint(40, 30, {3, 10, 37, 20}, 10, false, true, true);
    EXPECT_EQ(selected[15].substr(0, 4), "OWP.");
    EXPECT_EQ(selected[15].substr(36), "BPIO");
}

}  // namespace
