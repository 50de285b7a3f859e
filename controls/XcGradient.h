#pragma once
// The bands of a gradient fill, worked out without a device: each band is
// a stretch along the fill direction and a plain colour.

#include <cstdint>
#include <vector>

enum TFillDirection { fdTopToBottom, fdBottomToTop, fdLeftToRight, fdRightToLeft };

struct TGradientBand {
    int from;      // offset from the rectangle's top or left edge
    int to;        // one past the last offset
    uint32_t rgb;  // $00BBGGRR
    bool operator==(const TGradientBand&) const = default;
};

struct TGradientPlan {
    bool vertical;  // bands run from top to bottom; else from left to right
    std::vector<TGradientBand> bands;
};

// extent: the rectangle's height (vertical directions) or width, at least
// 0.  Bottom-to-top and right-to-left swap the colours and run the other
// way.  Fewer than 2 colours or equal colours give one band of the start
// colour; otherwise max(2, min(colorCount, extent)) bands of extent div
// bands pixels, each channel start + MulDiv(i, end - start, bands - 1),
// and what is left at the far end in the end colour: a 1-pixel extent is
// one pixel of the end colour.
TGradientPlan PlanGradient(int extent, uint32_t startRgb, uint32_t endRgb, TFillDirection direction,
                           int colorCount);

// a*b/c rounded to the nearest, halves away from zero (as the system's MulDiv).
int MulDivRounded(int a, int b, int c);
