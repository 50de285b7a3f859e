// Field rectangles follow the template from the A4 sheet onto the paper.
#include "app/SheetMapping.h"

#include <gtest/gtest.h>

namespace {

struct Case {
    const char* paper;
    int width, height;  // the paper in its unit
    TPlacedRect in, out;
};

const Case kCases[] = {
    // A4 in 0.01 mm: ten times, exactly, for every edge.
    {"A4 0.01 mm", 21000, 29700, {653, 555, 849, 590}, {6530, 5550, 8490, 5900}},
    {"A4 0.1 mm", 2100, 2970, {653, 555, 849, 590}, {653, 555, 849, 590}},
    // A5 is 148 x 210 mm: x by 1480/2100, y by 2100/2970, to the nearest.
    {"A5 0.01 mm", 14800, 21000, {653, 555, 849, 590}, {4602, 3924, 5983, 4172}},
    // Landscape A4: the sheet is stretched across the long side.
    {"A4 across", 29700, 21000, {0, 2970, 2100, 0}, {0, 21000, 29700, 0}},
    // Halves round away from zero, below zero too.
    {"halves", 1050, 1485, {1, -1, 3, 0}, {1, -1, 2, 0}},
};

TEST(SheetRectOnPaper, ScalesEachEdgeFromTheSheetToThePaper) {
    for (const Case& c : kCases) {
        SCOPED_TRACE(c.paper);
        const TPlacedRect r = SheetRectOnPaper(c.in, c.width, c.height);
        EXPECT_EQ(r.Left, c.out.Left);
        EXPECT_EQ(r.Top, c.out.Top);
        EXPECT_EQ(r.Right, c.out.Right);
        EXPECT_EQ(r.Bottom, c.out.Bottom);
    }
}

}  // namespace

// Printing: the template's place on A4 from its own proportions, and a
// print rectangle (0.01 mm of the A4 page) taken from there to where the
// template went.  Worked by hand: bil's frame is 210 x 279.18 mm.
TEST(TemplateFollower, OnA4MovesByTheMarginsAndOnA5ScalesWithTheTemplate) {
    const struct {
        const char* paper;
        TPlacedRect drawn, in, out;
        int width;  // of 530 (5.3 mm)
    } cases[] = {
        // A4 moved 5 mm right and 3 mm up: (29700 - 27918) / 2 = 891 from the top.
        {"A4", {500, 591, 21500, 28509}, {6530, 7660, 8490, 7990}, {7030, 7360, 8990, 7690}, 530},
        // A5 (148 mm wide) with the same margins: 19676 high, 662 from the top.  On
        // A4 the template of that shape is 27919 high and 890 from the top, so
        // 6530 x 14800 / 21000 = 4602.1 and (7660 - 890) x 19676 / 27919 = 4771.2.
        {"A5", {500, 362, 15300, 20038}, {6530, 7660, 8490, 7990}, {5102, 5133, 6483, 5366}, 374},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.paper);
        const TTemplateFollower follow = TTemplateFollower::For(c.drawn, 21000, 29700);
        const TPlacedRect r = follow.Rect(c.in);
        EXPECT_EQ(r.Left, c.out.Left);
        EXPECT_EQ(r.Top, c.out.Top);
        EXPECT_EQ(r.Right, c.out.Right);
        EXPECT_EQ(r.Bottom, c.out.Bottom);
        EXPECT_EQ(follow.Width(530), c.width);
    }
}
