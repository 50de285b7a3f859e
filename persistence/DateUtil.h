#pragma once
// The date unit's start-up flag: whether the locale writes four-digit years.

#include <string_view>

// Set by InitDateUtil; nothing in the program reads it.
extern bool FourDigitYear;

// Whether the short date format, upper-cased, holds "YYYY".
bool IsFourDigitYearFormat(std::string_view shortDateFormat);
// Sets FourDigitYear from the locale's short date format; run at start.
void InitDateUtil();
