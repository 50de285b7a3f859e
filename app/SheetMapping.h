#pragma once
// The page templates are drawn on an A4 sheet of 2100 x 2970 (0.1 mm), and
// the preview stretches each over whatever paper it shows.  A field's
// rectangle, given on that sheet, goes the same way, so that on A5 or
// Letter it still lies on its line of the template.  Painting, the hit
// test and the placing of the field editors map through here; printing
// maps through TTemplateFollower.

#include "engine/FormCatalogue.h"

inline constexpr int kSheetWidth = 2100;   // 0.1 mm
inline constexpr int kSheetHeight = 2970;  // 0.1 mm

// r (0.1 mm of the sheet) on paper paperWidth x paperHeight in any unit,
// each edge rounded to the nearest unit (halves away from zero).  On A4 in
// 0.01 mm this is exactly ten times r.
TPlacedRect SheetRectOnPaper(const TPlacedRect& r, int paperWidth, int paperHeight);

// A point of the paper (paperWidth x paperHeight in any unit) on the sheet,
// in 0.1 mm and unrounded: where the hit test looks for a field.  On A4 in
// 0.01 mm this is exactly a tenth of the point.
struct TSheetPoint {
    double X, Y;
};
TSheetPoint PaperPointOnSheet(int x, int y, int paperWidth, int paperHeight);

// Printing plays a page's template proportionally into the paper moved by
// the margins.  On A4 it lands where the print rectangles (0.1 mm of the A4
// page) expect its lines, at OnA4 without margins; on the paper it went to
// Drawn.  The values follow it by the same transform, so on A4 a print
// rectangle is only shifted by the margins and on other paper it is scaled
// with the template.  Everything here is in one unit (the preview's).
struct TTemplateFollower {
    TPlacedRect OnA4, Drawn;

    // drawn: where the template went; a4Width x a4Height: the A4 page.
    static TTemplateFollower For(const TPlacedRect& drawn, int a4Width, int a4Height);
    int X(int x) const;
    int Y(int y) const;
    int Width(int w) const;
    TPlacedRect Rect(const TPlacedRect& r) const { return {X(r.Left), Y(r.Top), X(r.Right), Y(r.Bottom)}; }
};
