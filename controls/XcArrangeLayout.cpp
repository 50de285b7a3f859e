#include "controls/XcArrangeLayout.h"

#include <algorithm>

TXcArrangedSize ArrangeChildren(const TXcArrangeParams& p, int width, int height, int widestChild,
                                bool loading, std::vector<TXcArrangedChild>& children) {
    const bool autoWidth = p.autoSize == asWidth || p.autoSize == asBoth;
    const bool autoHeight = p.autoSize == asHeight || p.autoSize == asBoth;
    const int bl = p.borderLeft, bt = p.borderTop, mw = p.maxWidth;
    int aw = std::max(width, widestChild + 2 * bl);
    int ah = height;
    if (mw > 0 && mw < aw) aw = mw;
    int x = bl, y = bt, rowHeight = -1;
    int rightExtent = autoWidth ? width - 2 * bl : -1;
    int bottomExtent = autoHeight ? height - 2 * bt : -1;
    for (TXcArrangedChild& c : children) {
        if (!c.placed) continue;
        const int right = c.width + x + p.distanceHorizontal + bl;
        const bool overflows = (right > aw && !autoWidth) || (mw > 0 && mw < right);
        if (overflows && x > bl && p.wrapControls) {
            x = bl;
            y += rowHeight + p.distanceVertical;
            rowHeight = -1;
        }
        c.left = x;
        c.top = y;
        x += c.width;
        rightExtent = std::max(rightExtent, x);
        x += p.distanceHorizontal;
        rowHeight = std::max(rowHeight, c.height);
        bottomExtent = y + rowHeight;
    }
    if (loading) return {width, height};
    if (autoWidth) aw = (mw > 0 && mw <= rightExtent) ? mw : (rightExtent < 0 ? 0 : bl + rightExtent);
    if (autoHeight) ah = bottomExtent < 0 ? 0 : bt + bottomExtent;
    return {aw, ah};
}
