#pragma once
// The Windows half of the enhanced controls' base helpers: rectangle
// sizes, scaled bitmap copies, text drawing through the wide API, raster
// operations, zeroed global memory and opening a file or address with its
// program.  Text is Windows-1250.

#include <windows.h>

#include <string>

#include "classlib/win/GdiHandles.h"
#include "classlib/win/Graphics.h"

inline int RectWidth(const RECT& r) {
    return r.right - r.left;
}
inline int RectHeight(const RECT& r) {
    return r.bottom - r.top;
}

// Raises EOutOfResources with the class library's message.
[[noreturn]] void OutOfResources();

// A new bitmap of width x height (monochrome when asked, else like the
// screen) holding the source stretched onto it.
cl::OwnedBitmap CopyBitmapScaled(HBITMAP source, int width, int height, bool monochrome);

// DrawText with DT_xxx flags; DT_MODIFYSTRING is always cleared, so the
// text is never written to.  Returns the text height.
int CanvasDrawText(cl::TCanvas& canvas, const std::string& text, RECT& r, UINT flags);
int DCDrawText(HDC dc, const std::string& text, RECT& r, UINT flags);
int PCharDrawText(HDC dc, const char* text, RECT& r, UINT flags);

inline BOOL BitBltWithRop(DWORD rop, HDC dest, int x, int y, int width, int height, HDC source, int sx,
                          int sy) {
    return BitBlt(dest, x, y, width, height, source, sx, sy, rop);
}

// Zeroed global memory, locked; nullptr for sizes below 1.
void* GlobalAllocZeroed(SIZE_T size);
// Unlocks and frees what GlobalAllocZeroed gave and clears p (nothing for nullptr).
void GlobalFreeAndNil(void*& p) noexcept;

// Opens a file or an address with the program the system has for it;
// true when the system started it.
bool ShellOpen(const std::string& fileOrUrl);
