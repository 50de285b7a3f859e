#pragma once
// Locale-dependent separators and date format.  Conversions take the
// settings as an argument; the process-wide default is only read, never
// swapped, so a caller with other separators passes its own copy.

#include <array>
#include <string>

namespace cl {

struct TFormatSettings {
    char DecimalSeparator = ',';
    char ThousandSeparator = '\xA0';  // no-break space in Windows-1250
    char DateSeparator = '.';
    char TimeSeparator = ':';
    std::string ShortDateFormat = "dd.MM.yyyy";
    std::string LongTimeFormat = "HH:mm:ss";
    // Sunday first, as "ddd" and "dddd" show them.
    std::array<std::string, 7> ShortDayNames = {"niedz.", "pon.", "wt.", "śr.", "czw.", "pt.", "sob."};
    std::array<std::string, 7> LongDayNames = {
        "niedziela", "poniedziałek", "wtorek", "środa", "czwartek", "piątek", "sobota",
    };
    // A two-digit year falls in the 100 years starting this many years
    // before the current one; 0 takes the current century.
    int TwoDigitYearCenturyWindow = 50;

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
// What the user's locale gives now (Windows build); Polish in the native build.
TFormatSettings LocaleFormatSettings();

}  // namespace cl
