#pragma once
// The geometry of an owner-drawn menu item, without a window: the columns
// of a drop-down item (check mark, image, text), the size an item measures,
// where its shortcut goes, and the frame the XP style draws round its
// drop-down window.  Boxes are half-open: Right and Bottom lie outside.

#include <vector>

struct TXcBox {
    int Left = 0, Top = 0, Right = 0, Bottom = 0;
    int Width() const { return Right - Left; }
    int Height() const { return Bottom - Top; }
    friend bool operator==(const TXcBox&, const TXcBox&) = default;
};

struct TXcMenuMargins {
    int Left = 0, Top = 0, Right = 0, Bottom = 0;
    friend bool operator==(const TXcMenuMargins&, const TXcMenuMargins&) = default;
};

// What a painter lays an item out by, its own additions included.
struct TXcMenuItemMetrics {
    int CheckWidth = 0, CheckHeight = 0;
    int ImageWidth = 0, ImageHeight = 0;
    TXcMenuMargins ImageMargin;
    int TextMargin = 0;  // from the text column's left edge to the caption
    int LeftMargin = 0;  // a strip left of everything
};

// The columns of a drop-down item, left to right and as high as the item:
// the check mark, the image column (the image itself inside it, less the
// margins), then the text column to the right edge.
struct TXcDropDownColumns {
    TXcBox Check, ImageColumn, Image, Text;
};
TXcDropDownColumns DropDownColumns(const TXcBox& item, const TXcMenuItemMetrics& m);
// The box seen in a mirror between left and right (a right-to-left menu's
// item in its rectangle, or its window's frame in the window).
TXcBox Mirrored(const TXcBox& box, int left, int right);
// The columns of a right-to-left item: right to left from its right edge.
TXcDropDownColumns MirroredColumns(const TXcDropDownColumns& columns, const TXcBox& item);
// Where the image column ends, from the item's left edge.
int ImageColumnEnd(const TXcMenuItemMetrics& m);

// The texts of an item and its siblings, measured in the menu font.
struct TXcSiblingTexts {
    int WidestCaption = 0;
    int WidestShortCut = 0;
    bool AnyShortCut = false;
    bool AnySubItems = false;
    int EightBlanks = 0;  // the width of eight blanks
    int TwoBlanks = 0;
};

// A drop-down item's width: the columns, the widest caption, then the
// widest shortcut after eight blanks, or two blanks for a sub-menu arrow.
int DropDownWidth(const TXcMenuItemMetrics& m, const TXcSiblingTexts& t);
// The largest of the menu bar's height, the caption's, the check mark's
// and the image's with its margins.
int DropDownHeight(const TXcMenuItemMetrics& m, int menuBarHeight, int textHeight);
// Half the height of "-", at least 9.
int SeparatorHeight(int dashHeight);
// Where the shortcut starts, from the item's left edge: after the widest
// sibling caption and eight blanks.
int ShortCutColumn(const TXcMenuItemMetrics& m, const TXcSiblingTexts& t);

// The XP style's frame round a drop-down window, in the window's pixels,
// redrawn with each item: strokes to fill in order, each with its ink.
enum TXcFrameInk { fiOutline, fiWhite, fiImageBack, fiSelectionPen, fiSelectionBrush };
struct TXcFrameStroke {
    TXcBox Box;
    TXcFrameInk Ink;
    bool Outline = false;  // a one-pixel border round Box instead of a fill
};
// item: the item's rectangle in window pixels; imageColumnEnd likewise.
// An item that does not start at the window's client edge (Wine counts the
// border into the item rectangles) also gets its first column coloured.
// A right-to-left menu's frame is the mirror image, the image column at the
// right (imageColumnEnd then counts from the window's right edge).
std::vector<TXcFrameStroke> XPDropDownFrame(int windowWidth, int windowHeight, const TXcBox& item,
                                            int imageColumnEnd, bool itemStartsAtEdge, bool selected,
                                            bool rightToLeft = false);
