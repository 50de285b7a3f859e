#pragma once
// Options of the numeric edit library: process-wide, set once at start
// (the field editors switch the first three off), and the zero test.

#include <limits>
#include <string>

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

// True when the magnitude is below NcZeroTolerance.
inline bool NcIsZero(cl::Extended value) {
    return (value < 0 ? -value : value) < NcZeroTolerance;
}
