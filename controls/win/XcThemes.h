#pragma once
// Theme-aware backgrounds of the enhanced controls: a control in its
// parent's colour shows the parent's (themed) background behind it, any
// other is filled with its colour.  And the two theme style bits.

#include <windows.h>

#include "classlib/win/Controls.h"
#include "controls/win/XcThemeServices.h"

// The theme style bits of ControlStyle.
constexpr cl::TControlStyle kThemeStyleMask = cl::csNeedsBorderPaint | cl::csParentBackground;

// Adds the theme bits among style to the control's ControlStyle.
void IncludeThemeStyle(cl::TControl* control, cl::TControlStyle style);
// The control's theme bits.
cl::TControlStyle ThemeStyle(const cl::TControl* control);

// Paints r of the control's canvas: the parent's background when the
// control is in its parent's colour, themes are on and (when
// needsParentBackground) the control has csParentBackground; else a fill
// with the colour (the canvas's brush colour is put back afterwards).
void DrawThemedBackground(cl::TControl* control, cl::TCanvas& canvas, const cl::TRect& r,
                          bool needsParentBackground = true);
void DrawThemedBackgroundColor(cl::TControl* control, cl::TCanvas& canvas, const cl::TRect& r,
                               bool needsParentBackground, cl::TColor color);
// The same decided by the brush's colour; the fill is with the brush.
void DrawThemedBackgroundBrush(cl::TControl* control, HDC dc, const cl::TRect& r, bool needsParentBackground,
                               HBRUSH brush);

// Has the control's parent erase its background into dc (WM_ERASEBKGND),
// the context's origin moved by offset (the control's place in the parent)
// and clipped to clip (in dc's coordinates) when given.  The context's
// origin and clip region are as before afterwards.
void PerformEraseBackground(cl::TControl* control, HDC dc, cl::TPoint offset,
                            const cl::TRect* clip = nullptr);
