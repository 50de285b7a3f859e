#pragma once
// Text measured on the screen's context, so a control sizes itself before
// (and without making) its window.

#include <windows.h>

#include <string>

#include "classlib/win/Graphics.h"

// r after DrawText with DT_CALCRECT added to flags, in font.
cl::TRect ScreenMeasureText(cl::TFont& font, const std::string& text, cl::TRect r, UINT flags);
