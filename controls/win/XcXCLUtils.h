#pragma once
// Drawing and bitmap helpers of the enhanced controls: the desktop canvas,
// font tracking, gradient fills, transparent and disabled bitmaps, image
// grid cells and the conversion of a bitmap to a BMP stream of a chosen
// pixel format.

#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>

#include "classlib/Streams.h"
#include "classlib/win/Graphics.h"
#include "classlib/win/ImgList.h"
#include "controls/XcColorReduction.h"
#include "controls/XcGradient.h"

// A canvas on the desktop window's device context, made on first use and
// released when the handle is freed or the canvas goes.
class TXcDesktopCanvas : public cl::TCanvas {
    CL_CLASS(TXcDesktopCanvas, cl::TCanvas)
public:
    TXcDesktopCanvas() = default;
    ~TXcDesktopCanvas() override;
    void FreeHandle() noexcept;

protected:
    void CreateHandle() override;

private:
    HDC dc_ = nullptr;
};

enum TXcTrackFontOption : uint8_t {
    hoFollowFont = 1,
    hoPreserveCharSet = 2,
    hoPreserveColor = 4,
    hoPreserveHeight = 8,
    hoPreserveName = 16,
    hoPreservePitch = 32,
    hoPreserveStyle = 64,
};
using TXcTrackFontOptions = uint8_t;  // or'ed TXcTrackFontOption bits

// With hoFollowFont: the source's charset, colour, height, name, pitch and
// style, each unless its hoPreserve... option is set.
void CopyFontAttributes(cl::TFont* target, cl::TFont* source, TXcTrackFontOptions options);
// The size of one glyph of the system's check-box bitmap.
SIZE GetCheckBoxGlyphSize();
// True when the active window belongs to this thread.
bool IsThreadWindowActive();
// The application's message box; no caption gives the application's title.
int MessageBoxWithAppTitle(const std::string& text, const std::string& caption, UINT flags);
// The display's colour depth: 1, 4, 8, 15, 16, 24, 32 bits give 1 to 7, others 0.
int GetDisplayColorDepthClass();

// Bands of colour from start to end across r, with the canvas locked;
// nothing when both colours are clNone or r is empty (in MM_TEXT).
void FillRectGradient(cl::TCanvas* canvas, const cl::TRect& r, cl::TColor startColor, cl::TColor endColor,
                      TFillDirection direction, uint8_t colorCount);

// Cell index of a columns x rows grid of the graphic into target; a bitmap
// keeps its transparent colour, another graphic is drawn on clSilver.
void CopyImageGridCell(cl::TGraphic* graphic, cl::TBitmap* target, int columns, int rows, int index);

// The source rectangle stretched to (x, y, width, height) leaving out the
// pixels of the transparent colour: clNone copies everything, clDefault
// takes the source's bottom-left pixel, a monochrome source uses white.
void StretchBltTransparent(HDC dc, int x, int y, int width, int height, HDC source,
                           const cl::TRect& sourceRect, cl::TColor transparentColor, HPALETTE palette);
void DrawBitmapRectTransparent(cl::TCanvas* canvas, int x, int y, const cl::TRect& rect, cl::TBitmap* bitmap,
                               cl::TColor transparentColor);
void DrawBitmapTransparent(cl::TCanvas* canvas, int x, int y, cl::TBitmap* bitmap,
                           cl::TColor transparentColor);

// A new bitmap of the result background colour on which the pixels of the
// bitmap that have the mask background colour are stamped in the shadow
// colour, after the highlight colour one pixel down and right when asked.
std::unique_ptr<cl::TBitmap> MakeDisabledBitmap(cl::TBitmap* bitmap, cl::TColor maskBackColor,
                                                cl::TColor resultBackColor, bool drawHighlight,
                                                cl::TColor shadowColor, cl::TColor highlightColor);
// The image's silhouette in the shadow colour (after the highlight, one
// pixel down and right, when asked).
void DrawImageListItemDisabled(cl::TCustomImageList* list, cl::TCanvas* canvas, int x, int y, int index,
                               bool drawHighlight, cl::TColor shadowColor, cl::TColor highlightColor);

// The bitmap as a BMP file of the pixel format, rewound: its own format is
// saved as it is (unless grayscale is asked), 1 and 4 bits come from the
// system, 8 bits by the colour reduction, 24 bits as they are.  An empty
// bitmap raises EInvalidGraphic "Bitmap image is not valid", other formats
// EXCLException "BitmapToMemoryStream: pixel format not implemented".
std::unique_ptr<cl::TMemoryStream> BitmapToPixelFormatStream(cl::TBitmap* bitmap, cl::TPixelFormat format,
                                                             TColorReduction method);
// The smallest of 1, 4, 8 and 24 bits for the colour count, by median cut.
std::unique_ptr<cl::TMemoryStream> BitmapStreamForColors(cl::TBitmap* bitmap, int colors);
cl::TPixelFormat GetBitmapPixelFormat(cl::TBitmap* bitmap);

// Screen cursors 100 to 103: copies of the multi-drag, drag, multi-drag
// and multi-drag cursors.
void InstallXclCursors();
