#pragma once
// Where a panel that arranges its children puts them: left to right in tab
// order from the top-left border, in rows when they do not fit, and what
// size the panel takes afterwards.  Worked out without windows.

#include <vector>

enum TXcAutoSizePanel { asNone, asWidth, asHeight, asBoth };

struct TXcArrangeParams {
    int borderLeft = 0;
    int borderTop = 0;
    int distanceHorizontal = 0;
    int distanceVertical = 0;
    int maxWidth = 0;  // 0: none
    TXcAutoSizePanel autoSize = asNone;
    bool wrapControls = true;
};

// One windowed child in tab order; placed children get left and top.
struct TXcArrangedChild {
    int width = 0;
    int height = 0;
    bool placed = true;  // visible (or shown at design time)
    int left = 0;
    int top = 0;
};

struct TXcArrangedSize {
    int width;
    int height;
};

// Places the children of a panel of the given size whose widest windowed
// child is widestChild wide, and answers the panel's new size (the old one
// while loading).  A panel never stays narrower than its widest child plus
// both borders; with MaxWidth it is never wider than that.
TXcArrangedSize ArrangeChildren(const TXcArrangeParams& params, int width, int height, int widestChild,
                                bool loading, std::vector<TXcArrangedChild>& children);
