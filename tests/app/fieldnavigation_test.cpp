// Finding fields of the balance sheet: under a point (edges included; no
// two fields of any form touch, so which of two would win cannot arise)
// and by Tab and Shift+Tab (round the form, computed fields passed over).
#include "app/FieldNavigation.h"

#include <gtest/gtest.h>

#include "app/SheetMapping.h"

namespace {

// bil without values: the search needs only its numbers.
TemFrm Bil() {
    const TFrmFeature& row = FormCatalogue[1];
    return TemFrm(std::string(row.Name), std::string(row.Title), std::string(row.TemplateName), row.PageCount,
                  row.Index, row.FirstID, row.LastID, row.Index);
}

// Page turns and totals on the way are the main window's tests; here
// where the walk starts from when no typed field is open.
TEST(NextAndPrevField, StartFromTheFormsEndsOrFromAComputedField) {
    const TemFrm bil = Bil();
    ASSERT_EQ(bil.Name, "bil");
    EXPECT_EQ(NextField(bil, 0), 5);
    EXPECT_EQ(PrevField(bil, 0), 263);
    EXPECT_EQ(NextField(bil, 8), 10);  // 8 and 9 are totals
    EXPECT_EQ(PrevField(bil, 9), 7);
}

TEST(NextAndPrevField, AFormWithNoOtherTypedFieldGivesNone) {
    // Sentinels 4 and 264 with bil's fields 8 and 9 (both totals) between.
    const TemFrm totals("t", "t", "t", 1, 1, 7, 10, 1);
    EXPECT_EQ(NextField(totals, 8), 0);
    EXPECT_EQ(PrevField(totals, 0), 0);
    // Only field 10 typed: nothing else to go to from it.
    const TemFrm one("t", "t", "t", 1, 1, 9, 11, 1);
    EXPECT_EQ(NextField(one, 10), 0);
    EXPECT_EQ(NextField(one, 0), 10);
}

TEST(FirstFieldOnPage, TheFirstAndLastTypedFieldOfEachPage) {
    const TemFrm bil = Bil();
    const struct {
        int page;
        bool last;
        int field;
    } cases[] = {{1, false, 5}, {1, true, 154}, {2, false, 157}, {2, true, 263}, {3, false, 0}};
    for (const auto& c : cases) EXPECT_EQ(FirstFieldOnPage(bil, c.page, c.last), c.field) << c.page << c.last;
    // Only the totals 8 and 9 between the sentinels: nothing to type.
    EXPECT_EQ(FirstFieldOnPage(TemFrm("t", "t", "t", 1, 1, 7, 10, 1), 1, false), 0);
}

TEST(FieldAtPoint, FindsTheFieldOfThePageEdgesIncluded) {
    const TemFrm bil = Bil();
    const double left = ScreenLeft(1, 1, 10), top = ScreenTop(1, 1, 10);
    const double right = ScreenRight(1, 1, 10), bottom = ScreenBottom(1, 1, 10);
    const struct {
        int page;
        double x, y;
        int field;
    } cases[] = {
        {1, (left + right) / 2, (top + bottom) / 2, 10},
        {1, left, top, 10},
        {1, right, bottom, 10},
        {1, left - 0.05, top, kNoField},
        {1, right, bottom + 0.05, kNoField},
        {1, -1, -1, kNoField},
        {2, ScreenLeft(1, 2, 157) + 1.0, ScreenTop(1, 2, 157) + 1.0, 157},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.page << " " << c.x << "," << c.y);
        EXPECT_EQ(FieldAtPoint(bil, c.page, c.x, c.y), c.field);
    }
}

TEST(PaperPointOnSheet, TakesAPointOfThePaperBackToTheSheet) {
    const struct {
        int x, y, width, height;
        double sheetX, sheetY;
    } cases[] = {
        {6535, 5551, 21000, 29700, 653.5, 555.1},                                  // A4, 0.01 mm
        {653, 555, 2100, 2970, 653, 555},                                          // A4, 0.1 mm
        {4602, 3924, 14800, 21000, 4602 * 2100.0 / 14800, 3924 * 2970.0 / 21000},  // A5
    };
    for (const auto& c : cases) {
        const TSheetPoint p = PaperPointOnSheet(c.x, c.y, c.width, c.height);
        EXPECT_DOUBLE_EQ(p.X, c.sheetX);
        EXPECT_DOUBLE_EQ(p.Y, c.sheetY);
    }
}

}  // namespace
