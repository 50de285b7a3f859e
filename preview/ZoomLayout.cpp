#include "preview/ZoomLayout.h"

#include <algorithm>
#include <cstdint>

#include "preview/Units.h"

long long RoundHalfEven(long long num, long long den) {
    long long q = num / den;
    long long r = num % den;
    if (r < 0) {  // floor division, so the remainder is in [0, den)
        --q;
        r += den;
    }
    if (2 * r > den || (2 * r == den && (q & 1))) ++q;
    return q;
}

TSheetSize CalcSheetSize(TZoomState state, int zoom, int viewWidth, int viewHeight, int paperWidth,
                         int paperHeight, int extra) {
    const int pw = std::max(paperWidth, 1);
    const int ph = std::max(paperHeight, 1);
    // At least one pixel of paper, so the fitted zoom never divides by nothing.
    const int minSide = extra + 1;
    if (state == zsZoomToFit)
        // The view is relatively taller than the paper: the height decides.
        state = int64_t{viewHeight} * pw <= int64_t{ph} * viewWidth ? zsZoomToHeight : zsZoomToWidth;
    int w = 0, h = 0;
    switch (state) {
        case zsZoomOther:
            w = MulDiv64(pw, zoom, 100) + extra;
            h = MulDiv64(ph, zoom, 100) + extra;
            break;
        case zsZoomToWidth:
            w = std::max(viewWidth, minSide);
            h = MulDiv64(w - extra, ph, pw) + extra;
            break;
        case zsZoomToHeight:
        case zsZoomToFit:
            h = std::max(viewHeight, minSide);
            w = MulDiv64(h - extra, pw, ph) + extra;
            break;
    }
    w = std::max(w, minSide);
    h = std::max(h, minSide);
    if (state != zsZoomOther)
        zoom = static_cast<int>(std::max(1LL, RoundHalfEven(int64_t{h - extra} * 100, ph)));
    return {w, h, zoom};
}

TSheetLayout LayoutSheet(const TSheetLayoutInput& in) {
    int viewW = in.ClientWidth - 2 * in.MarginH;
    int viewH = in.ClientHeight - 2 * in.MarginV;
    if (in.AutoScroll) {
        if (in.HorzBarVisible) viewH += in.HorzBarHeight;
        if (in.VertBarVisible) viewW += in.VertBarWidth;
    }
    auto size = [&] {
        return CalcSheetSize(in.State, in.Zoom, viewW, viewH, in.PaperWidth, in.PaperHeight, in.Extra);
    };
    TSheetSize s = size();
    bool canH = s.Width > viewW;
    bool canV = s.Height > viewH;
    if (in.AutoScroll) {
        // A bar takes room from the other direction; the other test is made
        // on the sheet sized for the narrowed view.
        if (canH) {
            viewH -= in.HorzBarHeight;
            canV = size().Height > viewH;
            if (canV) viewW -= in.VertBarWidth;
        } else if (canV) {
            viewW -= in.VertBarWidth;
            canH = size().Width > viewW;
            if (canH) viewH -= in.HorzBarHeight;
        }
        s = size();
    }
    TSheetLayout out{};
    out.Left = in.MarginH + (canH ? 0 : (viewW - s.Width) / 2);
    out.Top = in.MarginV + (canV ? 0 : (viewH - s.Height) / 2);
    out.Width = s.Width;
    out.Height = s.Height;
    out.Zoom = s.Zoom;
    out.CanScrollH = canH;
    out.CanScrollV = canV;
    out.ViewWidth = viewW;
    out.ViewHeight = viewH;
    return out;
}

int ScrollPercent(int position, int range, int view) {
    if (range - view <= 0) return 0;
    return std::max(0, MulDiv64(position, 100, range - view));
}

int ScrollPosition(int percent, int range, int view) {
    return MulDiv64(percent, range - view, 100);
}

int TWheelAccumulator::Add(int delta) {
    constexpr int kStep = 120;  // WHEEL_DELTA
    rest_ += delta;
    const int steps = rest_ / kStep;  // truncates toward zero: the sign stays with the rest
    rest_ -= steps * kStep;
    return steps;
}

TGraphicPlace PlaceGraphic(int rectLeft, int rectTop, int rectWidth, int rectHeight, int graphicWidth,
                           int graphicHeight, bool center, bool onlyShrink, bool proportional) {
    int gw = graphicWidth, gh = graphicHeight;
    if (!(onlyShrink && gw <= rectWidth && gh <= rectHeight) && gw > 0 && gh > 0) {
        if (!proportional) {
            gw = rectWidth;
            gh = rectHeight;
        } else if (int64_t{rectHeight} * gw <= int64_t{rectWidth} * gh) {  // the height limits
            gw = MulDiv64(gw, rectHeight, gh);
            gh = rectHeight;
        } else {
            gh = MulDiv64(gh, rectWidth, gw);
            gw = rectWidth;
        }
    }
    return {center ? rectLeft + (rectWidth - gw) / 2 : rectLeft,
            center ? rectTop + (rectHeight - gh) / 2 : rectTop, gw, gh};
}
