#pragma once
// Locale-dependent separators and date format.  Conversions take the
// settings as an argument; the process-wide default is only read, never
// swapped, so a caller with other separators passes its own copy.

#include <string>

namespace cl {

struct TFormatSettings {
    char DecimalSeparator = ',';
    char ThousandSeparator = '\xA0';  // no-break space in Windows-1250
    char DateSeparator = '.';
    char TimeSeparator = ':';
    std::string ShortDateFormat = "dd.MM.yyyy";
    std::string LongTimeFormat = "HH:mm:ss";

    // Polish settings as Windows gives them (decimal ",", thousands 0xA0,
    // short date "d.MM.yyyy" on Wine, "dd.MM.yyyy" on Windows).
    static TFormatSettings Polish();
    // "." and "," with "M/d/yyyy", for tests that need another locale.
    static TFormatSettings English();
};

// The program's settings: read from the user's locale in the Windows build
// (once, at first use); Polish in the native build.
const TFormatSettings& FormatSettings();
// Replaces the program's settings (tests and start-up only).
void SetFormatSettings(const TFormatSettings& settings);

}  // namespace cl
