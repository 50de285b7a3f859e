#include "classlib/DateTime.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <ctime>

#include "classlib/Exceptions.h"

namespace cl {

namespace {

constexpr int64_t kDateDelta = 693594;  // day number of 1899-12-30, 0001-01-01 being day 1
constexpr int64_t kMSecsPerDay = 86400000;
constexpr double kMaxDateTime = 2958466.0;  // 10000-01-01

constexpr int kDaysInMonth[2][12] = {
    {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31},
    {31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31},
};

// Day number since 0001-01-01 (day 1) and milliseconds of the day; the
// time of a negative value counts forwards from its day, as the class
// library's TDateTime does (-1.25 is 29.12.1899 06:00).
bool ToStamp(TDateTime value, int64_t& day, int& msec) {
    if (!std::isfinite(value) || std::fabs(value) > kMaxDateTime) return false;
    const int64_t total = std::llround(static_cast<long double>(value) * kMSecsPerDay);
    day = total / kMSecsPerDay + kDateDelta;
    const int64_t rest = total % kMSecsPerDay;
    msec = static_cast<int>(rest < 0 ? -rest : rest);
    return true;
}

bool TryEncodeTime(int hour, int min, int sec, int msec, TDateTime& time) {
    if (hour < 0 || hour > 23 || min < 0 || min > 59 || sec < 0 || sec > 59 || msec < 0 || msec > 999)
        return false;
    time = static_cast<double>(((hour * 60 + min) * 60 + sec) * 1000 + msec) / kMSecsPerDay;
    return true;
}

int CurrentYear() {
    int y, m, d;
    DecodeDate(Date(), y, m, d);
    return y;
}

[[noreturn]] void RaiseInvalid(std::string_view s, const char* what) {
    throw EConvertError("'" + std::string(s) + "' is not a valid " + what);
}

// ---- formatting ----

char Upper(char c) {
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 32) : c;
}

void AppendNumber(std::string& out, int value, int width) {
    std::string digits = std::to_string(value);
    if (static_cast<int>(digits.size()) < width) out.append(static_cast<size_t>(width) - digits.size(), '0');
    out += digits;
}

struct Fields {
    int year = 0, month = 0, day = 0, dayOfWeek = 0;  // dayOfWeek: 0 is Sunday
    int hour = 0, min = 0, sec = 0, msec = 0;
};

Fields Decode(TDateTime value) {
    Fields f;
    DecodeDate(value, f.year, f.month, f.day);
    DecodeTime(value, f.hour, f.min, f.sec, f.msec);
    int64_t day;
    int msec;
    if (ToStamp(value, day, msec) && day > 0) f.dayOfWeek = static_cast<int>(day % 7);  // day 1 was a Monday
    return f;
}

// ---- parsing ----

enum class DateOrder { MDY, DMY, YMD };

DateOrder OrderOf(std::string_view format) {
    for (char c : format) {
        switch (Upper(c)) {
            case 'D':
                return DateOrder::DMY;
            case 'M':
                return DateOrder::MDY;
            case 'Y':
                return DateOrder::YMD;
            default:
                break;
        }
    }
    return DateOrder::MDY;
}

struct Scanner {
    std::string_view s;
    size_t pos = 0;

    void SkipBlanks() {
        while (pos < s.size() && (s[pos] == ' ' || s[pos] == '\t')) ++pos;
    }
    bool AtEnd() {
        SkipBlanks();
        return pos == s.size();
    }
    bool Char(char c) {
        SkipBlanks();
        if (pos < s.size() && s[pos] == c) {
            ++pos;
            return true;
        }
        return false;
    }
    // At most four digits; `length` tells how many were written.
    bool Number(int& value, int& length) {
        SkipBlanks();
        value = 0;
        length = 0;
        while (pos < s.size() && s[pos] >= '0' && s[pos] <= '9' && length < 4) {
            value = value * 10 + (s[pos++] - '0');
            ++length;
        }
        return length > 0;
    }
};

bool ScanDate(Scanner& sc, const TFormatSettings& fs, TDateTime& date) {
    int n1, n2, n3, l1, l2, l3;
    if (!(sc.Number(n1, l1) && sc.Char(fs.DateSeparator) && sc.Number(n2, l2))) return false;
    int y, m, d;
    const DateOrder order = OrderOf(fs.ShortDateFormat);
    if (sc.Char(fs.DateSeparator)) {
        if (!sc.Number(n3, l3)) return false;
        int yearLength;
        switch (order) {
            case DateOrder::MDY:
                y = n3, yearLength = l3, m = n1, d = n2;
                break;
            case DateOrder::DMY:
                y = n3, yearLength = l3, m = n2, d = n1;
                break;
            case DateOrder::YMD:
                y = n1, yearLength = l1, m = n2, d = n3;
                break;
        }
        if (yearLength <= 2) {
            const int base = CurrentYear() - fs.TwoDigitYearCenturyWindow;
            y += base / 100 * 100;
            if (fs.TwoDigitYearCenturyWindow > 0 && y < base) y += 100;
        }
    } else {
        y = CurrentYear();
        if (order == DateOrder::DMY)
            d = n1, m = n2;
        else
            m = n1, d = n2;
    }
    return TryEncodeDate(y, m, d, date);
}

bool ScanTime(Scanner& sc, const TFormatSettings& fs, TDateTime& time) {
    int hour, min = 0, sec = 0, msec = 0, length;
    if (!sc.Number(hour, length)) return false;
    if (sc.Char(fs.TimeSeparator)) {
        if (!sc.Number(min, length)) return false;
        if (sc.Char(fs.TimeSeparator)) {
            if (!sc.Number(sec, length)) return false;
            if (sc.Char(fs.DecimalSeparator) && !sc.Number(msec, length)) return false;
        }
    }
    return TryEncodeTime(hour, min, sec, msec, time);
}

bool TryStrToTimeImpl(std::string_view s, TDateTime& value, const TFormatSettings& fs) {
    Scanner sc{s};
    TDateTime t;
    if (!ScanTime(sc, fs, t) || !sc.AtEnd()) return false;
    value = t;
    return true;
}

}  // namespace

bool IsLeapYear(int year) {
    return year % 4 == 0 && (year % 100 != 0 || year % 400 == 0);
}

bool TryEncodeDate(int year, int month, int day, TDateTime& date) {
    if (year < 1 || year > 9999 || month < 1 || month > 12 || day < 1) return false;
    const int(&days)[12] = kDaysInMonth[IsLeapYear(year) ? 1 : 0];
    if (day > days[month - 1]) return false;
    for (int i = 0; i < month - 1; ++i) day += days[i];
    const int64_t y = year - 1;
    date = static_cast<double>(y * 365 + y / 4 - y / 100 + y / 400 + day - kDateDelta);
    return true;
}

TDateTime EncodeDate(int year, int month, int day) {
    TDateTime date;
    if (!TryEncodeDate(year, month, day, date)) throw EConvertError("Invalid argument to date encode");
    return date;
}

TDateTime EncodeTime(int hour, int min, int sec, int msec) {
    TDateTime time;
    if (!TryEncodeTime(hour, min, sec, msec, time)) throw EConvertError("Invalid argument to time encode");
    return time;
}

void DecodeDate(TDateTime date, int& year, int& month, int& day) {
    year = month = day = 0;
    int64_t n;
    int msec;
    if (!ToStamp(date, n, msec) || n <= 0) return;
    constexpr int64_t kD400 = 146097, kD100 = 36524, kD4 = 1461;
    int64_t t = n - 1;
    int64_t y = 1 + 400 * (t / kD400);
    t %= kD400;
    int64_t i = t / kD100;
    if (i == 4) i = 3;  // the last day of a 400-year cycle
    y += 100 * i;
    t -= i * kD100;
    y += 4 * (t / kD4);
    t %= kD4;
    i = t / 365;
    if (i == 4) i = 3;  // the last day of a leap year
    y += i;
    t -= i * 365;
    const int(&days)[12] = kDaysInMonth[IsLeapYear(static_cast<int>(y)) ? 1 : 0];
    int m = 0;
    while (t >= days[m]) t -= days[m++];
    year = static_cast<int>(y);
    month = m + 1;
    day = static_cast<int>(t) + 1;
}

void DecodeTime(TDateTime time, int& hour, int& min, int& sec, int& msec) {
    int64_t day;
    int ms = 0;
    if (!ToStamp(time, day, ms)) ms = 0;
    hour = ms / 3600000;
    min = ms / 60000 % 60;
    sec = ms / 1000 % 60;
    msec = ms % 1000;
}

TDateTime DateOf(TDateTime value) {
    int64_t day;
    int msec;
    if (!ToStamp(value, day, msec)) return 0;
    return static_cast<double>(day - kDateDelta);
}

TDateTime TimeOf(TDateTime value) {
    int64_t day;
    int msec;
    if (!ToStamp(value, day, msec)) return 0;
    return static_cast<double>(msec) / kMSecsPerDay;
}

TDateTime ComposeDateTime(TDateTime date, TDateTime time) {
    const TDateTime day = DateOf(date);
    return day < 0 ? day - TimeOf(time) : day + TimeOf(time);
}

TDateTime Now() {
    using namespace std::chrono;
    const auto now = system_clock::now();
    const std::time_t t = system_clock::to_time_t(now);
    const int msec = static_cast<int>(duration_cast<milliseconds>(now.time_since_epoch()).count() % 1000);
    std::tm tm{};
#ifdef _WIN32
    localtime_s(&tm, &t);
#else
    localtime_r(&t, &tm);
#endif
    const int sec = tm.tm_sec > 59 ? 59 : tm.tm_sec;  // a leap second
    return EncodeDate(tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday) +
           EncodeTime(tm.tm_hour, tm.tm_min, sec, msec);
}

TDateTime Date() {
    return std::floor(Now());
}

std::string FormatDateTime(std::string_view format, TDateTime value, const TFormatSettings& fs) {
    const Fields f = Decode(value);
    std::string out;
    bool afterHour = false;  // "m" right after an hour means minutes
    size_t i = 0;
    while (i < format.size()) {
        const char c = format[i];
        if (c == '\'' || c == '"') {
            const size_t close = format.find(c, i + 1);
            const size_t end = close == std::string_view::npos ? format.size() : close;
            out += format.substr(i + 1, end - i - 1);
            i = end + 1;
            continue;
        }
        const char u = Upper(c);
        size_t run = 1;
        while (i + run < format.size() && Upper(format[i + run]) == u) ++run;
        switch (u) {
            case 'D':
                run = std::min<size_t>(run, 4);
                if (run <= 2)
                    AppendNumber(out, f.day, static_cast<int>(run));
                else
                    out += (run == 3 ? fs.ShortDayNames : fs.LongDayNames)[static_cast<size_t>(f.dayOfWeek)];
                break;
            case 'M':
                run = std::min<size_t>(run, 2);
                AppendNumber(out, afterHour ? f.min : f.month, static_cast<int>(run));
                break;
            case 'Y':
                if (run <= 2)
                    AppendNumber(out, f.year % 100, 2);
                else
                    AppendNumber(out, f.year, 4);
                break;
            case 'H':
                run = std::min<size_t>(run, 2);
                AppendNumber(out, f.hour, static_cast<int>(run));
                break;
            case 'N':
                run = std::min<size_t>(run, 2);
                AppendNumber(out, f.min, static_cast<int>(run));
                break;
            case 'S':
                run = std::min<size_t>(run, 2);
                AppendNumber(out, f.sec, static_cast<int>(run));
                break;
            case 'Z':
                run = std::min<size_t>(run, 3);
                AppendNumber(out, f.msec, run == 3 ? 3 : 1);
                break;
            case '/':
                run = 1;
                out += fs.DateSeparator;
                break;
            case ':':
                run = 1;
                out += fs.TimeSeparator;
                break;
            default:
                run = 1;
                out += c;
                break;
        }
        if (std::string_view("DMYHNSZ").find(u) != std::string_view::npos) afterHour = u == 'H';
        i += run;
    }
    return out;
}

std::string DateToStr(TDateTime value, const TFormatSettings& fs) {
    return FormatDateTime(fs.ShortDateFormat, value, fs);
}

std::string TimeToStr(TDateTime value, const TFormatSettings& fs) {
    return FormatDateTime(fs.LongTimeFormat, value, fs);
}

std::string DateTimeToStr(TDateTime value, const TFormatSettings& fs) {
    std::string s = DateToStr(value, fs);
    int64_t day;
    int msec;
    if (ToStamp(value, day, msec) && msec != 0) s += " " + TimeToStr(value, fs);
    return s;
}

bool TryStrToDate(std::string_view s, TDateTime& value, const TFormatSettings& fs) {
    Scanner sc{s};
    TDateTime d;
    if (!ScanDate(sc, fs, d) || !sc.AtEnd()) return false;
    value = d;
    return true;
}

TDateTime StrToDate(std::string_view s, const TFormatSettings& fs) {
    TDateTime d;
    if (!TryStrToDate(s, d, fs)) RaiseInvalid(s, "date");
    return d;
}

TDateTime StrToTime(std::string_view s, const TFormatSettings& fs) {
    TDateTime t;
    if (!TryStrToTimeImpl(s, t, fs)) RaiseInvalid(s, "time");
    return t;
}

TDateTime StrToDateTime(std::string_view s, const TFormatSettings& fs) {
    Scanner sc{s};
    TDateTime date, time = 0;
    if (ScanDate(sc, fs, date) && (sc.AtEnd() || (ScanTime(sc, fs, time) && sc.AtEnd())))
        return date >= 0 ? date + time : date - time;
    if (TryStrToTimeImpl(s, time, fs)) return time;
    RaiseInvalid(s, "date and time");
}

}  // namespace cl
