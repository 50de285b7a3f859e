#include "controls/XcMenuGeometry.h"

#include <algorithm>

int ImageColumnEnd(const TXcMenuItemMetrics& m) {
    return m.LeftMargin + m.CheckWidth + m.ImageMargin.Left + m.ImageWidth + m.ImageMargin.Right;
}

TXcDropDownColumns DropDownColumns(const TXcBox& item, const TXcMenuItemMetrics& m) {
    TXcDropDownColumns c;
    const int left = item.Left + m.LeftMargin;
    c.Check = {left, item.Top, left + m.CheckWidth, item.Bottom};
    c.ImageColumn = {c.Check.Right, item.Top, item.Left + ImageColumnEnd(m), item.Bottom};
    c.Image = {c.ImageColumn.Left + m.ImageMargin.Left, item.Top + m.ImageMargin.Top,
               c.ImageColumn.Right - m.ImageMargin.Right, item.Bottom - m.ImageMargin.Bottom};
    c.Text = {c.ImageColumn.Right, item.Top, std::max(item.Right, c.ImageColumn.Right), item.Bottom};
    return c;
}

TXcBox Mirrored(const TXcBox& box, int left, int right) {
    return {left + right - box.Right, box.Top, left + right - box.Left, box.Bottom};
}

TXcDropDownColumns MirroredColumns(const TXcDropDownColumns& c, const TXcBox& item) {
    return {Mirrored(c.Check, item.Left, item.Right), Mirrored(c.ImageColumn, item.Left, item.Right),
            Mirrored(c.Image, item.Left, item.Right), Mirrored(c.Text, item.Left, item.Right)};
}

int DropDownWidth(const TXcMenuItemMetrics& m, const TXcSiblingTexts& t) {
    int width = ImageColumnEnd(m) + m.TextMargin + t.WidestCaption;
    if (t.AnyShortCut)
        width += t.WidestShortCut + t.EightBlanks;
    else if (t.AnySubItems)
        width += t.TwoBlanks;
    return width;
}

int DropDownHeight(const TXcMenuItemMetrics& m, int menuBarHeight, int textHeight) {
    return std::max(
        {menuBarHeight, textHeight, m.CheckHeight, m.ImageHeight + m.ImageMargin.Top + m.ImageMargin.Bottom});
}

int SeparatorHeight(int dashHeight) {
    return std::max(dashHeight / 2, 9);
}

int ShortCutColumn(const TXcMenuItemMetrics& m, const TXcSiblingTexts& t) {
    return ImageColumnEnd(m) + m.TextMargin + t.WidestCaption + t.EightBlanks;
}

std::vector<TXcFrameStroke> XPDropDownFrame(int w, int h, const TXcBox& item, int imageColumnEnd,
                                            bool itemStartsAtEdge, bool selected, bool rightToLeft) {
    if (rightToLeft) {
        // Drawn left to right for the item seen in the mirror, then mirrored back.
        std::vector<TXcFrameStroke> s =
            XPDropDownFrame(w, h, Mirrored(item, 0, w), imageColumnEnd, itemStartsAtEdge, selected);
        for (TXcFrameStroke& stroke : s) stroke.Box = Mirrored(stroke.Box, 0, w);
        return s;
    }
    const int top = item.Top, bottom = item.Bottom;
    // Past the border, the image column's stripe reaches the window's edge.
    const int stripeEnd = imageColumnEnd + (itemStartsAtEdge ? 0 : 1);
    std::vector<TXcFrameStroke> s = {
        {{0, 0, w, h}, fiOutline, true},
        {{1, 1, w - 1, 3}, fiWhite},
        {{1, h - 3, w - 1, h - 1}, fiWhite},
        {{1, top, 3, bottom}, fiImageBack},
        {{w - 3, top, w - 1, bottom}, fiWhite},
        {{1, 2, stripeEnd, 3}, fiImageBack},
        {{1, h - 3, stripeEnd, h - 2}, fiImageBack},
    };
    if (!itemStartsAtEdge) s.push_back({{3, top, 4, bottom}, fiImageBack});
    if (selected) {
        s.push_back({{2, top, 3, bottom}, fiSelectionPen});
        s.push_back({{w - 3, top, w - 2, bottom}, fiSelectionPen});
        s.push_back({{3, top, 4, bottom}, fiSelectionBrush});
        s.push_back({{3, top, 4, top + 1}, fiSelectionPen});
        s.push_back({{3, bottom - 1, 4, bottom}, fiSelectionPen});
    }
    return s;
}
