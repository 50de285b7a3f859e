#pragma once
// Options of the numeric edit library: process-wide, set once at start
// (the field editors switch the first three off), and the zero test.

#include <limits>
#include <string>

#include "classlib/NumberFormat.h"
#ifdef _WIN32
#include "classlib/win/Graphics.h"
#endif

inline bool ESBEnterAsTab = true;         // Enter moves to the next control
inline bool ESBEscUndo = true;            // Esc undoes
inline bool ESBArrowsMove = true;         // Up and Down move to the previous and next control
inline bool ESBReadOnlyNoTabStop = true;  // a read-only edit is no tab stop
inline std::string ESBDefaultNullStr;     // default of NullStr
// Set by the edits around each display call from their own properties.
inline bool ESBShowPosSignFlag = false;    // "+" before positive values
inline bool ESBBlankWhenZeroFlag = false;  // an empty text for zero
inline bool ESBRaiseConvertErrors = true;  // a float that cannot be converted raises, else gives 0
inline int ESBDefaultFlatBorder = 2;
// Magnitudes below it count as zero: the smallest double, about 4.9E-324.
inline cl::Extended ESBZeroTolerance = std::numeric_limits<double>::denorm_min();

#ifdef _WIN32
// Loaded into each edit by SetColorDefaults.
inline cl::TColor ESBDefaultColorRO = 0x00CCBDB5;
inline cl::TColor ESBDefaultColorRW = cl::clWindow;
inline cl::TColor ESBDefaultColorFocus = cl::clWindow;
inline cl::TColor ESBDefaultColorBorderFocus = cl::clWindowFrame;
inline cl::TColor ESBDefaultColorBorderUnfocus = cl::clWindow;
inline cl::TColor ESBDefaultColorDisabled = cl::clBtnFace;
inline cl::TColor ESBDefaultColorFontNeg = cl::clWindowText;
inline cl::TColor ESBDefaultColorFontPos = cl::clWindowText;
#endif

enum TESBBoundsValidationType { evtNone, evtBelowLower, evtAboveUpper };

// True when the magnitude is below ESBZeroTolerance.
inline bool ESBIsZero(cl::Extended value) {
    return (value < 0 ? -value : value) < ESBZeroTolerance;
}
