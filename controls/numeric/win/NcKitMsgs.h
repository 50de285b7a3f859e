#pragma once
// The numeric edits' error display and message texts.

#include <array>
#include <string>

inline constexpr const char* rsNotAcceptable = "Your entered Value is not acceptable!";
// Followed by the bound.
inline constexpr const char* rsBelowLimit = "Your entered Value is below the acceptable limit of ";
inline constexpr const char* rsAboveLimit = "Your entered Value is above the acceptable limit of ";

// Further texts of the library that nothing in the program shows.
inline constexpr const char* rsEmpty = "<empty>";
inline constexpr const char* rsTab = "<TAB>";
inline constexpr std::array<const char*, 12> rsZodiacNames = {
    "Aries", "Taurus",  "Gemini",      "Cancer",    "Leo",      "Virgo",
    "Libra", "Scorpio", "Sagittarius", "Capricorn", "Aquarius", "Pisces"};

// A modal error box with one OK button, shown with the normal arrow
// cursor; Screen->Cursor is restored afterwards.
void NcShowErrorMessage(const std::string& text);
