#pragma once
// A graphic drawn into a rectangle of any device context, as the preview
// prints it: a metafile is played, any other graphic is stretched as a
// device-independent bitmap, in 8 bits of the screen's system palette when
// the screen works through a palette, with the bitmap's palette realised
// on a printer that does.

#include <windows.h>

#include <functional>

#include "classlib/win/Graphics.h"

// Draws graphic into r of dc.  A metafile plays inside its own clip, so it
// cannot paint outside the caller's.
void DrawGraphic(HDC dc, const cl::TRect& r, cl::TGraphic* graphic);

// Whether the device shows its colours through a palette (RC_PALETTE in
// its RASTERCAPS), as the device caps query answers.
bool IsPaletteDevice(HDC dc);

// The device caps DrawGraphic decides by: GetDeviceCaps unless replaced.
// A screen or printer with a palette can only be had through this under
// Wine, whose displays have more colours.
using TDeviceCapsQuery = std::function<int(HDC dc, int index)>;
// An empty query restores GetDeviceCaps.
void SetDeviceCapsQuery(TDeviceCapsQuery query);
