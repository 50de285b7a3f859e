#include "classlib/DateTime.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <tuple>

#include "classlib/Exceptions.h"

namespace cl {
namespace {

TFormatSettings PolishWithFormat(const char* shortDate, char separator = '.') {
    TFormatSettings fs = TFormatSettings::Polish();
    fs.ShortDateFormat = shortDate;
    fs.DateSeparator = separator;
    return fs;
}

const TFormatSettings kPolish = TFormatSettings::Polish();
const TFormatSettings kEnglish = TFormatSettings::English();

int ThisYear() {
    int y, m, d;
    DecodeDate(Date(), y, m, d);
    return y;
}

TEST(EncodeDate, CountsDaysFromThe30thOfDecember1899) {
    const struct {
        int y, m, d;
        double serial;
    } cases[] = {
        {1899, 12, 30, 0},      {1899, 12, 31, 1},    {1900, 1, 1, 2},    {1900, 3, 1, 61},
        {2000, 1, 1, 36526},    {2008, 2, 29, 39507}, {1, 1, 1, -693593}, {9999, 12, 31, 2958465},
        {1600, 2, 29, -109512}, {1899, 12, 29, -1},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(EncodeDate(c.y, c.m, c.d), c.serial) << c.y << "-" << c.m << "-" << c.d;
        int y, m, d;
        DecodeDate(c.serial, y, m, d);
        EXPECT_EQ(y * 10000 + m * 100 + d, c.y * 10000 + c.m * 100 + c.d) << c.serial;
    }
}

TEST(EncodeDate, RejectsDatesThatDoNotExist) {
    const struct {
        int y, m, d;
    } cases[] = {
        {2008, 2, 30}, {2007, 2, 29}, {1900, 2, 29}, {0, 1, 1},     {10000, 1, 1},
        {2008, 13, 1}, {2008, 0, 1},  {2008, 1, 0},  {2008, 4, 31}, {-5, 1, 1},
    };
    for (const auto& c : cases) {
        TDateTime date = 123;
        EXPECT_FALSE(TryEncodeDate(c.y, c.m, c.d, date)) << c.y << "-" << c.m << "-" << c.d;
        EXPECT_EQ(date, 123);
        EXPECT_THROW(EncodeDate(c.y, c.m, c.d), EConvertError);
    }
}

TEST(DecodeDate, RoundTripsEveryDayOfTheRange) {
    int prevY = 0, prevM = 12, prevD = 31;
    for (int serial = -693593; serial <= 2958465; ++serial) {
        int y, m, d;
        DecodeDate(serial, y, m, d);
        const bool nextDay = (y == prevY && m == prevM && d == prevD + 1) ||
                             (y == prevY && m == prevM + 1 && d == 1) || (y == prevY + 1 && m == 1 && d == 1);
        ASSERT_TRUE(nextDay) << serial;
        TDateTime back;
        ASSERT_TRUE(TryEncodeDate(y, m, d, back)) << serial;
        ASSERT_EQ(back, serial);
        prevY = y, prevM = m, prevD = d;
    }
}

TEST(IsLeapYear, FollowsTheGregorianRule) {
    const struct {
        int year;
        bool leap;
    } cases[] = {{1900, false}, {2000, true}, {2004, true}, {2100, false}, {2023, false}, {1600, true}};
    for (const auto& c : cases) EXPECT_EQ(IsLeapYear(c.year), c.leap) << c.year;
}

TEST(DecodeTime, SplitsTheFractionIntoClockFields) {
    const struct {
        TDateTime value;
        int y, mo, d, h, mi, s, ms;
    } cases[] = {
        {36526.75, 2000, 1, 1, 18, 0, 0, 0},
        {EncodeDate(2008, 3, 5) + EncodeTime(13, 45, 30, 250), 2008, 3, 5, 13, 45, 30, 250},
        // the time of a day before 1899-12-30 still counts forwards
        {-1.25, 1899, 12, 29, 6, 0, 0, 0},
        // half a millisecond before midnight rounds into the next day
        {36526.0 + 86399999.6 / 86400000.0, 2000, 1, 2, 0, 0, 0, 0},
    };
    for (const auto& c : cases) {
        int y, mo, d, h, mi, s, ms;
        DecodeDate(c.value, y, mo, d);
        DecodeTime(c.value, h, mi, s, ms);
        EXPECT_EQ(std::to_string(y) + "-" + std::to_string(mo) + "-" + std::to_string(d),
                  std::to_string(c.y) + "-" + std::to_string(c.mo) + "-" + std::to_string(c.d))
            << c.value;
        EXPECT_EQ(((h * 60 + mi) * 60 + s) * 1000 + ms, ((c.h * 60 + c.mi) * 60 + c.s) * 1000 + c.ms)
            << c.value;
    }
}

TEST(ComposeDateTime, JoinsTheDayOfOneValueAndTheTimeOfAnother) {
    const TDateTime t0615 = EncodeTime(6, 15, 0, 0);
    const struct {
        TDateTime date, time, joined;
    } cases[] = {
        {EncodeDate(2024, 2, 29) + 0.9, t0615, EncodeDate(2024, 2, 29) + t0615},
        // a day before 30.12.1899 is negative and its time counts forwards
        {-1.75, t0615, -1 - t0615},
        {EncodeDate(1850, 6, 15), 0.5, EncodeDate(1850, 6, 15) - 0.5},
        {-1.0, -2.25, -1.25},
        // 30.12.1899 12:00 may be written -0.5: its day is 0
        {-0.5, 0.75, 0.75},
        {0, -0.25, 0.25},
    };
    for (const auto& c : cases) {
        EXPECT_DOUBLE_EQ(ComposeDateTime(c.date, c.time), c.joined) << c.date << " " << c.time;
        EXPECT_DOUBLE_EQ(ComposeDateTime(DateOf(c.joined), TimeOf(c.joined)), c.joined) << c.joined;
        int y1, m1, d1, y2, m2, d2;
        DecodeDate(c.date, y1, m1, d1);
        DecodeDate(c.joined, y2, m2, d2);
        EXPECT_EQ(std::tie(y1, m1, d1), std::tie(y2, m2, d2)) << c.date;
    }
}

TEST(EncodeTime, RejectsFieldsOutOfRange) {
    const int cases[][4] = {{24, 0, 0, 0}, {0, 60, 0, 0}, {0, 0, 60, 0}, {0, 0, 0, 1000}, {-1, 0, 0, 0}};
    for (const auto& c : cases) EXPECT_THROW(EncodeTime(c[0], c[1], c[2], c[3]), EConvertError);
    EXPECT_EQ(EncodeTime(12, 0, 0, 0), 0.5);
}

TEST(FormatDateTime, ExpandsThePatterns) {
    const TDateTime value = EncodeDate(2008, 3, 5) + EncodeTime(7, 8, 9, 45);  // a Wednesday
    const struct {
        const char* format;
        const TFormatSettings* fs;
        const char* expected;
    } cases[] = {
        {"d.m.yy", &kPolish, "5.3.08"},
        {"dd.mm.yyyy", &kPolish, "05.03.2008"},
        {"dd/MM/yyyy", &kPolish, "05.03.2008"},
        {"dd/MM/yyyy", &kEnglish, "05/03/2008"},
        {"yyyy-mm-dd", &kPolish, "2008-03-05"},
        {"y", &kPolish, "08"},
        {"hh:nn:ss", &kPolish, "07:08:09"},
        {"h:n:s", &kPolish, "7:8:9"},
        {"HH:mm:ss", &kPolish, "07:08:09"},
        {"hh 'h' mm", &kPolish, "07 h 08"},
        {"mm", &kPolish, "03"},
        {"hh:nn:ss.zzz", &kPolish, "07:08:09.045"},
        {"z", &kPolish, "45"},
        {"ddd dddd", &kPolish, "śr. środa"},
        {"ddd dddd", &kEnglish, "Wed Wednesday"},
        {"\"dnia\" d 'r.'", &kPolish, "dnia 5 r."},
    };
    for (const auto& c : cases) EXPECT_EQ(FormatDateTime(c.format, value, *c.fs), c.expected) << c.format;
}

TEST(DateToStr, UsesTheShortDateFormat) {
    const TDateTime date = EncodeDate(2008, 3, 5);
    EXPECT_EQ(DateToStr(date, kPolish), "05.03.2008");
    EXPECT_EQ(DateToStr(date, PolishWithFormat("d.MM.yyyy")), "5.03.2008");
    EXPECT_EQ(DateToStr(date, kEnglish), "3/5/2008");
    EXPECT_EQ(TimeToStr(EncodeTime(7, 8, 9, 0), kPolish), "07:08:09");
}

TEST(DateTimeToStr, ShowsTheTimeOnlyWhenNotMidnight) {
    const TDateTime date = EncodeDate(2008, 3, 5);
    EXPECT_EQ(DateTimeToStr(date, kPolish), "05.03.2008");
    EXPECT_EQ(DateTimeToStr(date + EncodeTime(7, 8, 9, 0), kPolish), "05.03.2008 07:08:09");
}

TEST(StrToDate, ReadsNumbersInTheOrderOfTheShortDateFormat) {
    const TFormatSettings dmyWine = PolishWithFormat("d.MM.yyyy");
    const TFormatSettings ymd = PolishWithFormat("yyyy-MM-dd", '-');
    const int year = ThisYear();
    const struct {
        const char* text;
        const TFormatSettings* fs;
        TDateTime expected;
    } cases[] = {
        {"05.03.2008", &kPolish, EncodeDate(2008, 3, 5)},
        {"5.3.2008", &dmyWine, EncodeDate(2008, 3, 5)},
        {" 5 . 3 . 2008 ", &kPolish, EncodeDate(2008, 3, 5)},
        {"29.02.2008", &kPolish, EncodeDate(2008, 2, 29)},
        {"3/5/2008", &kEnglish, EncodeDate(2008, 3, 5)},
        {"2008-03-05", &ymd, EncodeDate(2008, 3, 5)},
        {"5.3.208", &kPolish, EncodeDate(208, 3, 5)},  // three digits are a year as written
        // without a year: the current one
        {"5.3", &kPolish, EncodeDate(year, 3, 5)},
        {"3/5", &kEnglish, EncodeDate(year, 3, 5)},
        {"3-5", &ymd, EncodeDate(year, 3, 5)},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(StrToDate(c.text, *c.fs), c.expected) << c.text;
        TDateTime v = 0;
        EXPECT_TRUE(TryStrToDate(c.text, v, *c.fs)) << c.text;
        EXPECT_EQ(v, c.expected) << c.text;
    }
}

TEST(StrToDate, TakesTwoDigitYearsFromTheHundredYearWindow) {
    const int year = ThisYear();
    // window 50: the 100 years from 50 years ago; window 0: the current century
    const struct {
        int window;
        int typedYear;  // the year whose last two digits are typed
        int expected;
    } cases[] = {
        {50, year, year},
        {50, year + 49, year + 49},
        {50, year - 50, year - 50},
        {50, year - 1, year - 1},
        {0, year / 100 * 100 + 8, year / 100 * 100 + 8},
        {0, year / 100 * 100 + 99, year / 100 * 100 + 99},
    };
    for (const auto& c : cases) {
        TFormatSettings fs = TFormatSettings::Polish();
        fs.TwoDigitYearCenturyWindow = c.window;
        const int yy = c.typedYear % 100;
        const std::string text = "1.2." + std::string(yy < 10 ? "0" : "") + std::to_string(yy);
        EXPECT_EQ(StrToDate(text, fs), EncodeDate(c.expected, 2, 1)) << text << " window " << c.window;
    }
    TFormatSettings fs = TFormatSettings::Polish();
    fs.TwoDigitYearCenturyWindow = 0;
    EXPECT_EQ(StrToDate("1.2.8", fs), EncodeDate(year / 100 * 100 + 8, 2, 1));
}

TEST(StrToDate, RejectsInvalidDates) {
    const char* const cases[] = {
        "31.02.2008", "29.02.2007",     "",          " ",        "5",
        "5.",         "5.3.",           "5/3/2008",  "a.b.c",    "5.3.2008x",
        "5.3.20081",  "0.1.2008",       "1.13.2008", "1.1.0000", "5..3.2008",
        "-5.3.2008",  "5.3.2008 12:00",
    };
    for (const char* text : cases) {
        TDateTime v = 7;
        EXPECT_FALSE(TryStrToDate(text, v, kPolish)) << text;
        EXPECT_EQ(v, 7) << text;
        EXPECT_THROW(StrToDate(text, kPolish), EConvertError) << text;
    }
    try {
        StrToDate("31.02.2008", kPolish);
        FAIL() << "no exception";
    } catch (const EConvertError& e) {
        EXPECT_EQ(e.Message(), "'31.02.2008' is not a valid date");
    }
}

TEST(StrToTime, ReadsHoursMinutesSecondsAndMilliseconds) {
    const struct {
        const char* text;
        TDateTime expected;
    } cases[] = {
        {"7:08:09", EncodeTime(7, 8, 9, 0)},
        {"07:08", EncodeTime(7, 8, 0, 0)},
        {"7", EncodeTime(7, 0, 0, 0)},
        {"7:08:09,045", EncodeTime(7, 8, 9, 45)},
        {" 23:59:59 ", EncodeTime(23, 59, 59, 0)},
    };
    for (const auto& c : cases) EXPECT_EQ(StrToTime(c.text, kPolish), c.expected) << c.text;
    const char* const bad[] = {"24:00", "7:60", "7:", "", "x", "7:08:09:01", "7.08", "7:08:60"};
    for (const char* text : bad) EXPECT_THROW(StrToTime(text, kPolish), EConvertError) << text;
    try {
        StrToTime("x", kPolish);
        FAIL() << "no exception";
    } catch (const EConvertError& e) {
        EXPECT_EQ(e.Message(), "'x' is not a valid time");
    }
}

TEST(StrToDateTime, ReadsADateWithAnOptionalTimeOrATimeAlone) {
    const struct {
        const char* text;
        TDateTime expected;
    } cases[] = {
        {"05.03.2008 07:08:09", EncodeDate(2008, 3, 5) + EncodeTime(7, 8, 9, 0)},
        {"05.03.2008", EncodeDate(2008, 3, 5)},
        {"07:08", EncodeTime(7, 8, 0, 0)},
        {"29.12.1899 06:00", -1.25},  // before the epoch the time is subtracted
    };
    for (const auto& c : cases) EXPECT_EQ(StrToDateTime(c.text, kPolish), c.expected) << c.text;
    const char* const bad[] = {"05.03.2008 25:00", "05.03.2008 x", "31.02.2008 07:00", ""};
    for (const char* text : bad) EXPECT_THROW(StrToDateTime(text, kPolish), EConvertError) << text;
    try {
        StrToDateTime("x", kPolish);
        FAIL() << "no exception";
    } catch (const EConvertError& e) {
        EXPECT_EQ(e.Message(), "'x' is not a valid date and time");
    }
}

TEST(DateTimeText, RoundTripsThroughTheShortFormats) {
    const TDateTime value = EncodeDate(2024, 12, 31) + EncodeTime(23, 5, 1, 0);
    for (const TFormatSettings* fs : {&kPolish, &kEnglish})
        EXPECT_EQ(StrToDateTime(DateTimeToStr(value, *fs), *fs), value);
}

TEST(Now, LiesWithinToday) {
    const TDateTime before = Date();
    const TDateTime now = Now();
    const TDateTime after = Date();
    EXPECT_EQ(before, std::floor(before));
    EXPECT_GE(now, before);
    EXPECT_LT(now, after + 1);
    EXPECT_GE(ThisYear(), 2024);
}

}  // namespace
}  // namespace cl
