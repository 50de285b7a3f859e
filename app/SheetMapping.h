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

// Printing plays a page's template into its sheet taken through the page's
// print correction, as the page's print rectangles are: a sheet coordinate
// s goes to P.Scale x (s - C.Off) + C.Off + P.Off, C being the page's
// screen calibration and P its print correction, x and y each by their own.
// In 0.1 mm of the A4 page, unrounded.
struct TSheetArea {
    double Left, Top, Right, Bottom;
};
TSheetArea PrintedTemplateOnA4(int formNo, int page);

// The A4 page printed on the paper (in any unit; a4Width x a4Height is A4
// in it): scaled into it keeping its proportions and centred.  On A4 it is
// the paper itself.
TPlacedRect A4OnPaper(const TPlacedRect& paper, int a4Width, int a4Height);

// An area of the A4 page (0.1 mm) where the A4 page lies at a4, each edge
// to the nearest unit (halves away from zero).
TPlacedRect AreaOnPaper(const TSheetArea& area, const TPlacedRect& a4);

// The values follow the template from its place on the A4 page (OnA4,
// without margins) to where it went on the paper (Drawn): on A4 a print
// rectangle only moves by the margins, on other paper it is scaled with the
// template.  Everything here is in one unit (the preview's).
struct TTemplateFollower {
    TPlacedRect OnA4, Drawn;

    int X(int x) const;
    int Y(int y) const;
    int Width(int w) const;
    TPlacedRect Rect(const TPlacedRect& r) const { return {X(r.Left), Y(r.Top), X(r.Right), Y(r.Bottom)}; }
    // How much the template was scaled from A4, by which the values' font
    // sizes go: 1 on A4.
    double Ratio() const;
};
