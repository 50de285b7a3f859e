// The date unit's four-digit-year flag follows the short date format.
#include "persistence/DateUtil.h"

#include <gtest/gtest.h>

#include <utility>

#include "classlib/FormatSettings.h"

namespace {

TEST(DateUtil, FourDigitYearsWhenTheShortFormatHoldsYyyyInAnyCase) {
    const struct {
        const char* format;
        bool fourDigits;
    } cases[] = {
        {"dd.MM.yyyy", true}, {"yyyy-MM-dd", true}, {"M/d/YYYY", true}, {"d.M.yYyY", true},
        {"dd.MM.yy", false},  {"d/M/yyy", false},   {"", false},
    };
    for (const auto& c : cases) EXPECT_EQ(IsFourDigitYearFormat(c.format), c.fourDigits) << c.format;
}

TEST(DateUtil, TheStartSetsTheFlagFromTheLocale) {
    cl::TFormatSettings settings = cl::TFormatSettings::Polish();
    for (const auto& [format, fourDigits] : {std::pair{"dd.MM.yyyy", true}, std::pair{"dd.MM.yy", false}}) {
        settings.ShortDateFormat = format;
        cl::SetFormatSettings(settings);
        InitDateUtil();
        EXPECT_EQ(FourDigitYear, fourDigits) << format;
    }
    cl::SetFormatSettings(cl::TFormatSettings::Polish());
}

}  // namespace
