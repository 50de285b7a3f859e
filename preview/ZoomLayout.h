#pragma once
// The geometry of the preview's paper sheet: its size for a zoom state, its
// place in the view with the scroll bars it brings, scroll positions kept as
// percentages, and the mouse wheel's steps; and where a graphic goes in a
// rectangle of the printed page.

enum TZoomState { zsZoomOther, zsZoomToWidth, zsZoomToHeight, zsZoomToFit };

// num / den rounded to nearest, halves to even; den > 0.
long long RoundHalfEven(long long num, long long den);

struct TSheetSize {
    int Width;  // the sheet control, paper plus extra
    int Height;
    int Zoom;  // the zoom it shows: the given one for zsZoomOther, else the fitted one
};

// The sheet for a view of viewWidth x viewHeight pixels; paperWidth and
// paperHeight are the paper at 100 % (at least 1); extra is the frame
// around it (two borders and the shadow).  A view too small for the frame
// still gives a sheet of at least one pixel of paper and a zoom of at least 1.
TSheetSize CalcSheetSize(TZoomState state, int zoom, int viewWidth, int viewHeight, int paperWidth,
                         int paperHeight, int extra);

struct TSheetLayoutInput {
    TZoomState State;
    int Zoom;
    int PaperWidth;  // pixels at 100 %
    int PaperHeight;
    int Extra;
    int ClientWidth;  // the preview's client area now (without visible scroll bars)
    int ClientHeight;
    int MarginH;  // the scroll bars' margins
    int MarginV;
    bool AutoScroll;
    bool HorzBarVisible;  // now
    bool VertBarVisible;
    int HorzBarHeight;  // SM_CYHSCROLL
    int VertBarWidth;   // SM_CXVSCROLL
};

struct TSheetLayout {
    int Left, Top, Width, Height;
    int Zoom;
    bool CanScrollH, CanScrollV;
    int ViewWidth, ViewHeight;  // the view left beside the scroll bars the sheet brings
};

// Sizes the sheet for the view, decides which scroll bars it needs (one
// bar narrowing the view may call for the other) and centres it along an
// axis that does not scroll.
TSheetLayout LayoutSheet(const TSheetLayoutInput& in);

// A scroll position as a percentage of the scrollable extent (range minus
// the view); nothing to scroll gives 0.
int ScrollPercent(int position, int range, int view);
// The position at that percentage of range minus view.
int ScrollPosition(int percent, int range, int view);

// The mouse wheel: deltas add up; each whole 120 is one step, towards the
// sign.  Add returns the steps (negative: towards the user) and keeps the rest.
class TWheelAccumulator {
public:
    int Add(int delta);
    int Rest() const { return rest_; }

private:
    int rest_ = 0;
};

struct TGraphicPlace {
    int Left, Top, Width, Height;
};

// Where a graphic of graphicWidth x graphicHeight goes in the rectangle
// (all in one unit): scaled to the rectangle unless onlyShrink and it fits,
// keeping its proportions when proportional (the tighter side fills), and
// centred (halves of odd room truncated) or at the rectangle's corner.
TGraphicPlace PlaceGraphic(int rectLeft, int rectTop, int rectWidth, int rectHeight, int graphicWidth,
                           int graphicHeight, bool center, bool onlyShrink, bool proportional);
