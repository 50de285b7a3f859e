#include <windows.h>

#include "classlib/FormatSettings.h"
#include "classlib/win/WideText.h"

namespace cl {

namespace {

std::string LocaleString(LCTYPE type, const std::string& fallback) {
    wchar_t buffer[128];
    const int n = GetLocaleInfoW(LOCALE_USER_DEFAULT, type, buffer, static_cast<int>(std::size(buffer)));
    if (n <= 0) return fallback;
    return FromWide(std::wstring_view(buffer, static_cast<size_t>(n - 1)));  // n counts the terminator
}

// An empty separator (a locale without thousands grouping) becomes NUL.
char LocaleChar(LCTYPE type, char fallback) {
    const std::string s = LocaleString(type, std::string(1, fallback));
    return s.empty() ? '\0' : s[0];
}

// The time format without its AM/PM marker ("h:mm:ss tt"): the formatter
// has no AM/PM, so the hour shows as on a 24-hour clock.
std::string WithoutAmPm(std::string format) {
    std::string out;
    bool quoted = false;
    for (char c : format) {
        if (c == '\'') quoted = !quoted;
        if (!quoted && (c == 't' || c == 'T')) continue;
        out += c;
    }
    while (!out.empty() && out.back() == ' ') out.pop_back();
    while (!out.empty() && out.front() == ' ') out.erase(out.begin());
    return out;
}

}  // namespace

TFormatSettings LocaleFormatSettings() {
    TFormatSettings fs;
    fs.DecimalSeparator = LocaleChar(LOCALE_SDECIMAL, fs.DecimalSeparator);
    fs.ThousandSeparator = LocaleChar(LOCALE_STHOUSAND, fs.ThousandSeparator);
    fs.DateSeparator = LocaleChar(LOCALE_SDATE, fs.DateSeparator);
    fs.TimeSeparator = LocaleChar(LOCALE_STIME, fs.TimeSeparator);
    fs.ShortDateFormat = LocaleString(LOCALE_SSHORTDATE, fs.ShortDateFormat);
    fs.LongTimeFormat = WithoutAmPm(LocaleString(LOCALE_STIMEFORMAT, fs.LongTimeFormat));
    // Windows counts from Monday (LOCALE_SDAYNAME1); the names here start on Sunday.
    for (int i = 0; i < 7; ++i) {
        const int day = (i + 6) % 7;
        fs.ShortDayNames[i] = LocaleString(LOCALE_SABBREVDAYNAME1 + day, fs.ShortDayNames[i]);
        fs.LongDayNames[i] = LocaleString(LOCALE_SDAYNAME1 + day, fs.LongDayNames[i]);
    }
    return fs;
}

}  // namespace cl
