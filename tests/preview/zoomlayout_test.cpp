// The sheet's geometry: sizes and fitted zooms of the four zoom states,
// the scroll-bar passes of the layout, scroll positions kept as
// percentages, and the wheel's steps.
#include "preview/ZoomLayout.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

// A4 at 96 dpi and the default frame (borders 1, shadow 3).
constexpr int kPaperW = 794, kPaperH = 1123, kExtra = 5;

TEST(ZoomLayoutTest, RoundsHalvesToEven) {
    struct Case {
        long long num, den, expected;
    } const cases[] = {
        {250, 100, 2},   {350, 100, 4},   {249, 100, 2}, {251, 100, 3},
        {-250, 100, -2}, {-251, 100, -3}, {7, 1, 7},     {0, 9, 0},
    };
    for (const Case& c : cases) EXPECT_EQ(RoundHalfEven(c.num, c.den), c.expected) << c.num << "/" << c.den;
}

TEST(ZoomLayoutTest, SheetSizeAndZoomOfEachState) {
    struct Case {
        const char* what;
        TZoomState state;
        int zoom, viewW, viewH;
        int width, height, fitted;
    } const cases[] = {
        {"fixed 100", zsZoomOther, 100, 600, 400, 799, 1128, 100},
        {"fixed 50", zsZoomOther, 50, 600, 400, 402, 567, 50},  // 561.5 rounds up
        {"to width", zsZoomToWidth, 100, 600, 400, 600, 847, 75},
        {"to height", zsZoomToHeight, 100, 600, 400, 284, 400, 35},
        {"fit, wide view", zsZoomToFit, 100, 600, 400, 284, 400, 35},
        {"fit, tall view", zsZoomToFit, 100, 300, 1000, 300, 422, 37},
    };
    for (const Case& c : cases) {
        const TSheetSize s = CalcSheetSize(c.state, c.zoom, c.viewW, c.viewH, kPaperW, kPaperH, kExtra);
        EXPECT_EQ(s.Width, c.width) << c.what;
        EXPECT_EQ(s.Height, c.height) << c.what;
        EXPECT_EQ(s.Zoom, c.fitted) << c.what;
    }
}

TEST(ZoomLayoutTest, FittedZoomRoundsHalfToEven) {
    // An 8 x 8 paper without frame: 5 pixels high is 62.5 %, 3 pixels 37.5 %.
    EXPECT_EQ(CalcSheetSize(zsZoomToHeight, 100, 100, 5, 8, 8, 0).Zoom, 62);
    EXPECT_EQ(CalcSheetSize(zsZoomToHeight, 100, 100, 3, 8, 8, 0).Zoom, 38);
}

TEST(ZoomLayoutTest, TinyViewsAndPapersStillGiveASheet) {
    const TSheetSize s = CalcSheetSize(zsZoomToWidth, 100, 2, 2, kPaperW, kPaperH, kExtra);
    EXPECT_EQ(s.Width, kExtra + 1);
    EXPECT_GE(s.Zoom, 1);
    const TSheetSize none = CalcSheetSize(zsZoomToFit, 100, 600, 400, 0, 0, kExtra);
    EXPECT_GT(none.Width, kExtra);
    EXPECT_GE(none.Zoom, 1);
}

TSheetLayoutInput Input(TZoomState state, int zoom, int clientW, int clientH) {
    TSheetLayoutInput in{};
    in.State = state;
    in.Zoom = zoom;
    in.PaperWidth = kPaperW;
    in.PaperHeight = kPaperH;
    in.Extra = kExtra;
    in.ClientWidth = clientW;
    in.ClientHeight = clientH;
    in.AutoScroll = true;
    in.HorzBarHeight = 16;
    in.VertBarWidth = 16;
    return in;
}

TEST(ZoomLayoutTest, ScrollBarPassesNarrowTheViewTheyNeed) {
    struct Case {
        const char* what;
        TSheetLayoutInput in;
        TSheetLayout expected;
    };
    std::vector<Case> cases;
    // A small sheet in a large view: centred, nothing scrolls.
    cases.push_back(
        {"centred", Input(zsZoomOther, 25, 600, 400), {198, 57, 204, 286, 25, false, false, 600, 400}});
    // Fitted to the width of a view too low for the page: the vertical bar
    // takes its width, the sheet fits the rest and needs no horizontal bar.
    cases.push_back(
        {"to width", Input(zsZoomToWidth, 100, 600, 400), {0, 0, 584, 824, 73, false, true, 584, 400}});
    // The same with the vertical bar already there: the view counts it back.
    TSheetLayoutInput barShown = Input(zsZoomToWidth, 100, 584, 400);
    barShown.VertBarVisible = true;
    cases.push_back({"bar shown", barShown, {0, 0, 584, 824, 73, false, true, 584, 400}});
    // Just narrower than the view: the vertical bar makes it too wide.
    TSheetLayoutInput tight = Input(zsZoomOther, 74, 595, 500);
    cases.push_back({"tight", tight, {0, 0, 593, 836, 74, true, true, 579, 484}});
    // Larger both ways.
    cases.push_back(
        {"large", Input(zsZoomOther, 200, 600, 400), {0, 0, 1593, 2251, 200, true, true, 584, 384}});
    // Without automatic scrolling no bar takes room.
    TSheetLayoutInput noAuto = Input(zsZoomToWidth, 100, 600, 400);
    noAuto.AutoScroll = false;
    cases.push_back({"no auto scroll", noAuto, {0, 0, 600, 847, 75, false, true, 600, 400}});
    // Margins stand off the edges.
    TSheetLayoutInput margins = Input(zsZoomOther, 25, 600, 400);
    margins.MarginH = 10;
    margins.MarginV = 20;
    cases.push_back({"margins", margins, {198, 57, 204, 286, 25, false, false, 580, 360}});
    for (const Case& c : cases) {
        const TSheetLayout l = LayoutSheet(c.in);
        const TSheetLayout& e = c.expected;
        EXPECT_EQ(l.Left, e.Left) << c.what;
        EXPECT_EQ(l.Top, e.Top) << c.what;
        EXPECT_EQ(l.Width, e.Width) << c.what;
        EXPECT_EQ(l.Height, e.Height) << c.what;
        EXPECT_EQ(l.Zoom, e.Zoom) << c.what;
        EXPECT_EQ(l.CanScrollH, e.CanScrollH) << c.what;
        EXPECT_EQ(l.CanScrollV, e.CanScrollV) << c.what;
        EXPECT_EQ(l.ViewWidth, e.ViewWidth) << c.what;
        EXPECT_EQ(l.ViewHeight, e.ViewHeight) << c.what;
    }
}

TEST(ZoomLayoutTest, ScrollPositionsKeptAsPercentagesOfTheScrollableExtent) {
    EXPECT_EQ(ScrollPercent(50, 200, 100), 50);
    EXPECT_EQ(ScrollPercent(100, 200, 100), 100);
    EXPECT_EQ(ScrollPercent(33, 300, 200), 33);
    EXPECT_EQ(ScrollPercent(10, 100, 100), 0);  // nothing to scroll
    EXPECT_EQ(ScrollPercent(10, 50, 100), 0);
    EXPECT_EQ(ScrollPercent(-10, 200, 100), 0);  // negative taken as 0
    EXPECT_EQ(ScrollPosition(50, 300, 100), 100);
    EXPECT_EQ(ScrollPosition(33, 1000, 400), 198);
    // A zoom that doubles the range keeps the same share of it.
    EXPECT_EQ(ScrollPosition(ScrollPercent(150, 700, 400), 1400, 400), 500);
}

TEST(ZoomLayoutTest, WheelStepsEveryWhole120WithTheSignKept) {
    struct Case {
        const char* what;
        std::vector<int> deltas;
        std::vector<int> steps;
        int rest;
    } const cases[] = {
        {"60 twice", {60, 60}, {0, 1}, 0},
        {"-240 at once", {-240}, {-2}, 0},
        {"back and forth", {100, -100}, {0, 0}, 0},
        {"rest kept", {130, -20}, {1, 0}, -10},
        {"rest towards the user", {-130, -110}, {-1, -1}, 0},
        {"many", {600}, {5}, 0},
    };
    for (const Case& c : cases) {
        TWheelAccumulator wheel;
        std::vector<int> steps;
        for (int d : c.deltas) steps.push_back(wheel.Add(d));
        EXPECT_EQ(steps, c.steps) << c.what;
        EXPECT_EQ(wheel.Rest(), c.rest) << c.what;
    }
}

}  // namespace
