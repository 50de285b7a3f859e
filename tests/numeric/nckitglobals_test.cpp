// The order of day, month and year the library takes from a short date format.
#include "controls/numeric/NcKitGlobals.h"

#include <gtest/gtest.h>

namespace {

TEST(NcKitGlobals, DateOrderFollowsTheFirstOfDayMonthAndYear) {
    const struct {
        const char* format;
        TNcDateOrder order;
    } cases[] = {
        {"dd.MM.yyyy", doDMY}, {"d.MM.yyyy", doDMY}, {"M/d/yyyy", doMDY}, {"MM-dd-yy", doMDY},
        {"yyyy-MM-dd", doYMD}, {"YY/dd/mm", doYMD},  {"", doMDY},
    };
    for (const auto& c : cases) EXPECT_EQ(NcDateOrderOf(c.format), c.order) << c.format;
    // Both builds run their tests under a Polish short date.
    EXPECT_EQ(NcDateOrder, doDMY);
}

}  // namespace
