#pragma once
// TDateTime: days since 30 December 1899 as the whole part, the time of
// day as the fraction.

#include <cstdint>
#include <string>
#include <string_view>

#include "classlib/FormatSettings.h"

namespace cl {

using TDateTime = double;

bool IsLeapYear(int year);
bool TryEncodeDate(int year, int month, int day, TDateTime& date);
TDateTime EncodeDate(int year, int month, int day);  // EConvertError when invalid
TDateTime EncodeTime(int hour, int min, int sec, int msec);
void DecodeDate(TDateTime date, int& year, int& month, int& day);
void DecodeTime(TDateTime time, int& hour, int& min, int& sec, int& msec);
TDateTime Now();
TDateTime Date();

// A value's day and its time of day, to the millisecond as DecodeDate and
// DecodeTime read it: DateOf(-1.25) is -1 (29.12.1899), TimeOf(-1.25) 0.25
// (06:00).  A value outside the range gives 0.
TDateTime DateOf(TDateTime value);
TDateTime TimeOf(TDateTime value);
// The day of date at the time of day of time.  Before 30.12.1899 the day is
// negative and its time still counts forwards, so the fraction is taken
// away: day -1 at 06:00 is -1.25, not -0.75.
TDateTime ComposeDateTime(TDateTime date, TDateTime time);

// FormatDateTime patterns: d dd ddd dddd m mm (month, or minutes after h) M MM
// y yy yyyy h hh H HH n nn s ss z zzz, "/" date separator, ":" time
// separator, 'quoted' and "quoted" text.
std::string FormatDateTime(std::string_view format, TDateTime value,
                           const TFormatSettings& fs = FormatSettings());
std::string DateToStr(TDateTime value, const TFormatSettings& fs = FormatSettings());
std::string TimeToStr(TDateTime value, const TFormatSettings& fs = FormatSettings());
// The date, then the time when it is not midnight.  A negative value's
// time counts forwards from its day (-1.25 is 29.12.1899 06:00).
std::string DateTimeToStr(TDateTime value, const TFormatSettings& fs = FormatSettings());

// Day, month and year in the order of the short date format, separated by
// the date separator; a missing year is the current one, a year of one or
// two digits falls in the settings' TwoDigitYearCenturyWindow.  Invalid
// text raises EConvertError.  Times are h[:m[:s[<decimal separator>ms]]].
TDateTime StrToDate(std::string_view s, const TFormatSettings& fs = FormatSettings());
TDateTime StrToTime(std::string_view s, const TFormatSettings& fs = FormatSettings());
TDateTime StrToDateTime(std::string_view s, const TFormatSettings& fs = FormatSettings());
bool TryStrToDate(std::string_view s, TDateTime& value, const TFormatSettings& fs = FormatSettings());

}  // namespace cl
