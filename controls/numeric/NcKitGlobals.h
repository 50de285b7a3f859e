#pragma once
// Options of the numeric edit library: process-wide, set once at start
// (the field editors switch the first three off), and the zero test.

#include <array>
#include <limits>
#include <string>
#include <string_view>

#include "classlib/NumberFormat.h"
#ifdef _WIN32
#include "classlib/win/Graphics.h"
#endif

inline bool NcEnterAsTab = true;         // Enter moves to the next control
inline bool NcEscUndo = true;            // Esc undoes
inline bool NcArrowsMove = true;         // Up and Down move to the previous and next control
inline bool NcReadOnlyNoTabStop = true;  // a read-only edit is no tab stop
inline std::string NcDefaultNullStr;     // default of NullStr
// Set by the edits around each display call from their own properties.
inline bool NcShowPosSignFlag = false;    // "+" before positive values
inline bool NcBlankWhenZeroFlag = false;  // an empty text for zero
inline bool NcRaiseConvertErrors = true;  // a float that cannot be converted raises, else gives 0
inline int NcDefaultFlatBorder = 2;
// Magnitudes below it count as zero: the smallest double, about 4.9E-324.
inline cl::Extended NcZeroTolerance = std::numeric_limits<double>::denorm_min();

#ifdef _WIN32
// Loaded into each edit by SetColorDefaults.
inline cl::TColor NcDefaultColorRO = 0x00CCBDB5;
inline cl::TColor NcDefaultColorRW = cl::clWindow;
inline cl::TColor NcDefaultColorFocus = cl::clWindow;
inline cl::TColor NcDefaultColorBorderFocus = cl::clWindowFrame;
inline cl::TColor NcDefaultColorBorderUnfocus = cl::clWindow;
inline cl::TColor NcDefaultColorDisabled = cl::clBtnFace;
inline cl::TColor NcDefaultColorFontNeg = cl::clWindowText;
inline cl::TColor NcDefaultColorFontPos = cl::clWindowText;
#endif

enum TNcBoundsValidationType { evtNone, evtBelowLower, evtAboveUpper };

// The library's own English calendar names (Sunday first) and the order
// of day, month and year in the locale's short date, set at start.
// Nothing in the program reads them, nor the names below.
inline constexpr std::array<const char*, 12> NcLongMonthNames = {
    "January", "February", "March",     "April",   "May",      "June",
    "July",    "August",   "September", "October", "November", "December"};
inline constexpr std::array<const char*, 12> NcShortMonthNames = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                                                  "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
inline constexpr std::array<const char*, 7> NcLongDayNames = {"Sunday",   "Monday", "Tuesday", "Wednesday",
                                                              "Thursday", "Friday", "Saturday"};
inline constexpr std::array<const char*, 7> NcShortDayNames = {"Sun", "Mon", "Tue", "Wed",
                                                               "Thu", "Fri", "Sat"};

enum TNcDateOrder { doMDY, doDMY, doYMD };
extern TNcDateOrder NcDateOrder;
// By the first of "d", "M" and "y" (any case) in the format: year first
// is doYMD, day before month doDMY, else doMDY.
TNcDateOrder NcDateOrderOf(std::string_view shortDateFormat);

// Where the library would keep settings of its own, and its fonts.
inline constexpr const char* NcRegistryKey = "Software\\NcKit";
inline constexpr const char* NcIniFileName = "NcKit.ini";
inline constexpr const char* NcIniSection = "NcKit";
inline constexpr const char* NcDefaultFontName = "MS Sans Serif";
inline constexpr const char* NcFixedFontName = "Courier New";

// True when the magnitude is below NcZeroTolerance.
inline bool NcIsZero(cl::Extended value) {
    return (value < 0 ? -value : value) < NcZeroTolerance;
}
