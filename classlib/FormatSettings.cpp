#include "classlib/FormatSettings.h"

namespace cl {

namespace {

TFormatSettings& Current() {
    static TFormatSettings settings = LocaleFormatSettings();
    return settings;
}

}  // namespace

TFormatSettings TFormatSettings::Polish() {
    return TFormatSettings{};
}

TFormatSettings TFormatSettings::English() {
    TFormatSettings fs;
    fs.DecimalSeparator = '.';
    fs.ThousandSeparator = ',';
    fs.DateSeparator = '/';
    fs.TimeSeparator = ':';
    fs.ShortDateFormat = "M/d/yyyy";
    fs.LongTimeFormat = "HH:mm:ss";
    fs.ShortDayNames = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
    fs.LongDayNames = {"Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday"};
    return fs;
}

const TFormatSettings& FormatSettings() {
    return Current();
}

void SetFormatSettings(const TFormatSettings& settings) {
    Current() = settings;
}

}  // namespace cl
