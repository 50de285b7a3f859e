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
