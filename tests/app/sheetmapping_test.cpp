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

// Printing, worked by hand.  rachppp page 1, screen 0.922, 0.955, 65, 66 and
// print 0.96, 0.942, 60, 80: x 0.96 x (0 - 65) + 125 = 62.6 and
// 0.96 x 2035 + 125 = 2078.6; y 0.942 x (0 - 66) + 146 = 83.828 and
// 0.942 x 2904 + 146 = 2881.568.  bil page 2, print 1, 0.94, 0, 87: y 87 and
// 87 + 2791.8.
TEST(PrintedTemplate, IsTheSheetThroughThePagesPrintCorrection) {
    const struct {
        int form, page;
        TSheetArea area;
    } cases[] = {{4, 1, {62.6, 83.828, 2078.6, 2881.568}}, {1, 2, {0, 87, 2100, 2878.8}}};
    for (const auto& c : cases) {
        const TSheetArea a = PrintedTemplateOnA4(c.form, c.page);
        EXPECT_NEAR(a.Left, c.area.Left, 1e-9) << c.form;
        EXPECT_NEAR(a.Top, c.area.Top, 1e-9) << c.form;
        EXPECT_NEAR(a.Right, c.area.Right, 1e-9) << c.form;
        EXPECT_NEAR(a.Bottom, c.area.Bottom, 1e-9) << c.form;
    }
}

void ExpectRect(const TPlacedRect& r, const TPlacedRect& want) {
    EXPECT_EQ(r.Left, want.Left);
    EXPECT_EQ(r.Top, want.Top);
    EXPECT_EQ(r.Right, want.Right);
    EXPECT_EQ(r.Bottom, want.Bottom);
}

// In 0.01 mm, margins 5 mm right and 3 mm up.  A5 (148 x 210 mm) is the
// narrower: A4 scaled by 148 / 210 is 209.31 mm high, 0.34 mm from the top.
// Letter (215.9 x 279.4 mm) is the lower: A4 scaled by 279.4 / 297 is
// 197.56 mm wide, 9.17 mm from the left.  rachppp's template goes to its
// area times 10 on A4, and on that A5 x 14800 / 2100, y 20931 / 2970
// from the A4 page's corner.
TEST(PrintedTemplate, LiesOnTheA4PageScaledIntoThePaper) {
    const struct {
        const char* paper;
        TPlacedRect given, a4, rachppp;
    } cases[] = {
        {"A4", {500, -300, 21500, 29400}, {500, -300, 21500, 29400}, {1126, 538, 21286, 28516}},
        {"A5", {0, 0, 14800, 21000}, {0, 34, 14800, 20965}, {441, 625, 14649, 20342}},
        {"Letter", {0, 0, 21590, 27940}, {917, 0, 20673, 27940}, {1506, 789, 20472, 27108}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.paper);
        const TPlacedRect a4 = A4OnPaper(c.given, 21000, 29700);
        ExpectRect(a4, c.a4);
        ExpectRect(AreaOnPaper(PrintedTemplateOnA4(4, 1), a4), c.rachppp);
    }
}

// The values go from the template's place on A4 to where it went: on A4
// moved by the margins only, at their size; on A5 scaled with it
// (6530 x 0.70476 = 4602.1 and 5.3 mm x 0.70476), their fonts by the
// template's height, 19717 / 27978.
TEST(TemplateFollower, OnA4MovesByTheMarginsAndOnA5ScalesWithTheTemplate) {
    const TPlacedRect onA4{626, 838, 20786, 28816}, in{6530, 7660, 8490, 7990};
    const struct {
        const char* paper;
        TPlacedRect drawn, out;
        int width;  // of 530 (5.3 mm)
        double ratio;
    } cases[] = {
        {"A4", {1126, 538, 21286, 28516}, {7030, 7360, 8990, 7690}, 530, 1.0},
        {"A5", {441, 625, 14649, 20342}, {4602, 5433, 5983, 5665}, 374, 19717.0 / 27978},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.paper);
        const TTemplateFollower follow{onA4, c.drawn};
        ExpectRect(follow.Rect(in), c.out);
        EXPECT_EQ(follow.Width(530), c.width);
        EXPECT_DOUBLE_EQ(follow.Ratio(), c.ratio);
    }
}
