// Field rectangles on the screen page and on paper: the calibration
// arithmetic, and the fit of every field to its form's layout.
#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "engine/FormCatalogue.h"
#include "engine/calc1_d.h"
#include "tests/engine/LayoutRows.h"

namespace {

using enginetest::kLayoutRows;
using enginetest::LayoutRow;

constexpr int kSheetW = 2100, kSheetH = 2970;

std::vector<int> Screen(int form, int page, int field) {
    return {ScreenLeft(form, page, field), ScreenTop(form, page, field), ScreenRight(form, page, field),
            ScreenBottom(form, page, field)};
}

std::vector<int> Print(int form, int page, int field) {
    return {PrintLeft(form, page, field), PrintTop(form, page, field), PrintRight(form, page, field),
            PrintBottom(form, page, field)};
}

std::vector<int> AsVector(TPlacedRect r) {
    return {r.Left, r.Top, r.Right, r.Bottom};
}

const TCalibration& Entry(int form, int entry) {
    return FormCatalogue[form].CalibEntry(entry);
}

TEST(Geometry, GivenFieldsLandWhereTheFormsPutThem) {
    EXPECT_EQ(Screen(1, 1, 5), (std::vector<int>{957, 362, 1579, 412}));
    EXPECT_EQ(Print(1, 1, 5), (std::vector<int>{957, 430, 1579, 477}));
    EXPECT_EQ(Print(1, 1, 6), (std::vector<int>{1845, 485, 1995, 518}));
}

TEST(Geometry, ScreenAndPrintCalibrationsOfAPlainX) {
    TSourceRect s{1000, 0, 0, 0};
    EXPECT_EQ(ScreenRectOf(Entry(2, 1), s).Left, 1000);
    EXPECT_EQ(PrintRectOf(Entry(2, 1), Entry(2, 5), s).Left, 999);
}

TEST(Geometry, ProductsAreExtendedBeforeRounding) {
    // In double precision 0.94 x 25 and 0.975 x 20 round to exactly .5 and
    // would go up; the extended products lie just below.
    TPlacedRect bil = PrintRectOf(Entry(1, 1), Entry(1, 5), {0, 25, 0, 25});
    EXPECT_EQ(bil.Top, 113);
    EXPECT_EQ(bil.Bottom, 136);
    EXPECT_EQ(ScreenRectOf(Entry(5, 1), {0, 20, 0, 0}).Top, 29);
}

TEST(Geometry, HalfwayValuesRoundToEven) {
    const TCalibration half{0.5, 0.5, 0, 0};
    struct Case {
        int v, want;
    };
    for (Case c : {Case{5, 2}, Case{7, 4}, Case{1, 0}, Case{3, 2}, Case{-5, -2}, Case{-7, -4}}) {
        EXPECT_EQ(ScreenRectOf(half, {c.v, 0, 0, 0}).Left, c.want) << c.v;
        EXPECT_EQ(ScreenRectOf(half, {0, c.v, 0, 0}).Top, c.want) << c.v;
        EXPECT_EQ(PrintRectOf(half, {1, 1, 0, 0}, {c.v, 0, 0, 0}).Left, c.want) << c.v;
    }
}

TEST(Geometry, WidthAndHeightAreRoundedOnTheirOwn) {
    // x = w = 3 at scale 0.5: Round(1.5) + Round(1.5) = 4, not Round(3) = 3.
    const TCalibration c{0.5, 0.5, 10, 20};
    EXPECT_EQ(AsVector(ScreenRectOf(c, {3, 3, 3, 3})), (std::vector<int>{12, 22, 14, 24}));
    EXPECT_EQ(AsVector(PrintRectOf(c, {1, 1, 5, 7}, {3, 3, 3, 3})), (std::vector<int>{17, 29, 19, 31}));
}

TEST(Geometry, BalanceFieldsArePlacedByTheBalanceTable) {
    // Field 5's own Left is 947; its balance position says 957.
    EXPECT_EQ(ScreenLeft(1, 1, 5), BalancePositionTable[5].Left);
    EXPECT_EQ(ScreenRight(1, 1, 5) - ScreenLeft(1, 1, 5), BalancePositionTable[5].Width);
    EXPECT_EQ(ScreenBottom(1, 1, 8), BalancePositionTable[8].Bottom);
    const TEField& f = TEFieldTable[266];
    TSourceRect s = SourceRectOf(266);
    EXPECT_EQ((std::vector<int>{s.x, s.y, s.w, s.h}), (std::vector<int>{f.Left, f.Top, f.Width, f.Height}));
}

TEST(Geometry, BalancePrintOffsetsDifferByPage) {
    const int field1 = 8, field2 = 155;  // first amounts of pages 1 and 2
    TSourceRect s1 = SourceRectOf(field1), s2 = SourceRectOf(field2);
    EXPECT_EQ(PrintTop(1, 1, field1), static_cast<int>(std::nearbyint(0.94L * s1.y)) + 90);
    EXPECT_EQ(PrintTop(1, 2, field2), static_cast<int>(std::nearbyint(0.94L * s2.y)) + 87);
}

TEST(Geometry, ScaleFunctionsGiveTheCatalogueScales) {
    EXPECT_EQ(PageScaleX(2, 1), 0.96);
    EXPECT_EQ(PrintScaleX(2, 1), 0.96 * 0.999);
    EXPECT_EQ(PrintScaleX(1, 2), 1.0);
}

struct PageField {
    int form, page, field;
};

std::vector<PageField> AllFields() {
    std::vector<PageField> out;
    for (int form = 1; form <= 8; ++form) {
        const TFrmFeature& f = FormCatalogue[form];
        for (int n = f.FirstID + 1; n < f.LastID; ++n) out.push_back({form, TEFieldTable[n].Page, n});
    }
    return out;
}

TEST(Geometry, EveryRectangleLiesInsideItsPage) {
    for (const PageField& p : AllFields()) {
        for (const std::vector<int>& r : {Screen(p.form, p.page, p.field), Print(p.form, p.page, p.field)}) {
            EXPECT_GE(r[0], 0) << p.field;
            EXPECT_GE(r[1], 0) << p.field;
            EXPECT_LE(r[2], kSheetW) << p.field;
            EXPECT_LE(r[3], kSheetH) << p.field;
            EXPECT_LT(r[0], r[2]) << p.field;
            EXPECT_LT(r[1], r[3]) << p.field;
        }
    }
}

TEST(Geometry, NoTwoFieldsOfAPageOverlap) {
    std::map<std::pair<int, int>, std::vector<PageField>> pages;
    for (const PageField& p : AllFields()) pages[{p.form, p.page}].push_back(p);
    for (const auto& [key, fields] : pages) {
        for (size_t i = 0; i < fields.size(); ++i) {
            std::vector<int> a = Screen(key.first, key.second, fields[i].field);
            for (size_t j = i + 1; j < fields.size(); ++j) {
                std::vector<int> b = Screen(key.first, key.second, fields[j].field);
                bool apart = a[2] <= b[0] || b[2] <= a[0] || a[3] <= b[1] || b[3] <= a[1];
                EXPECT_TRUE(apart) << fields[i].field << " and " << fields[j].field;
            }
        }
    }
}

TEST(Geometry, EveryAmountFieldHasOneLabelledRow) {
    std::set<int> rows;
    for (const LayoutRow& r : kLayoutRows) {
        EXPECT_TRUE(rows.insert(r.field).second) << r.field;
        EXPECT_EQ(TEFieldTable[r.field].Page, r.page) << r.field;
        EXPECT_TRUE(FormCatalogue[r.form].FirstID < r.field && r.field < FormCatalogue[r.form].LastID);
    }
    for (const PageField& p : AllFields()) {
        if (TEFieldTable[p.field].DataType == kDataCurrency) {
            EXPECT_TRUE(rows.count(p.field)) << p.field;
        }
    }
}

// The value is drawn over a white box the size of its rectangle: the box
// must stay inside its cell and off the rules around it.  On screen it keeps
// 4 units (1.5 pixels at 100 %) from the rules' centres; the outer border is
// thicker, 6.
constexpr int kRuleClearance = 4;

TEST(Geometry, AmountsSitInsideTheirCellsOnScreen) {
    for (const LayoutRow& r : kLayoutRows) {
        std::vector<int> s = Screen(r.form, r.page, r.field);
        EXPECT_GE(s[0], r.left + kRuleClearance) << r.field;
        EXPECT_GE(s[1], r.bandTop + kRuleClearance) << r.field;
        EXPECT_LE(s[2], r.right - kRuleClearance) << r.field;
        EXPECT_LE(s[3], r.bandBottom - kRuleClearance) << r.field;
        EXPECT_GE(r.left, r.labelRight) << r.field;
    }
}

// On paper the template goes into its sheet taken through the page's print
// correction, each axis by its own scale, as the print rectangles go; the
// printer's finer pixels leave room for a clearance of 2 units.
TEST(Geometry, AmountsSitInsideTheirCellsOnPaper) {
    for (const LayoutRow& r : kLayoutRows) {
        const TCalibration &c = Entry(r.form, r.page), &pc = Entry(r.form, r.page + 4);
        auto x = [&](double s) { return pc.ScaleX * (s - c.OffX) + c.OffX + pc.OffX; };
        auto y = [&](double s) { return pc.ScaleY * (s - c.OffY) + c.OffY + pc.OffY; };
        std::vector<int> p = Print(r.form, r.page, r.field);
        EXPECT_GE(p[0], x(r.left) + 2) << r.field;
        EXPECT_GE(p[1], y(r.bandTop) + 2) << r.field;
        EXPECT_LE(p[2], x(r.right) - 2) << r.field;
        EXPECT_LE(p[3], y(r.bandBottom) - 2) << r.field;
    }
}

}  // namespace
