#pragma once
// Icons of the enhanced controls: read from an icon file in the system
// icon size with the entry that suits the display's colours, made from an
// icon graphic, measured and drawn in their own size.

#include <windows.h>

#include <cstdint>
#include <span>

#include "classlib/Streams.h"
#include "classlib/win/GdiHandles.h"
#include "classlib/win/Graphics.h"

struct TIconBitmaps {
    cl::OwnedBitmap Color;
    cl::OwnedBitmap Mask;  // monochrome
};

// From one icon image (BITMAPINFOHEADER, colour table, colour bits, mask
// bits): both bitmaps scaled to the system icon size.  EInvalidGraphic
// when the image does not fit its bytes.
TIconBitmaps IconBitmapsFromDIB(std::span<const uint8_t> image);

// An icon file from the stream's position to its end, in the system icon
// size, from the entry for the display's colour count.
cl::OwnedIcon ReadIconFromStream(cl::TStream& stream);

// A new icon handle from an icon graphic: the system's application icon
// when it is empty, else read from its file image, else a copy of its handle.
cl::OwnedIcon IconFromGraphic(cl::TIcon& icon);

// From the icon's colour bitmap, else half its mask's height, else the
// system icon size.
SIZE GetIconSize(HICON icon);

// Draws the icon graphic at (x, y) in its own size.
void DrawIconActualSize(HDC dc, int x, int y, cl::TIcon& icon);
