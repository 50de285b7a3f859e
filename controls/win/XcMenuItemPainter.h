#pragma once
// TXcCustomMenuItemPainter: measures and paints the items of an owner-drawn
// menu (XcMenuSettings.h).  Each style has its painter (XcMenuPainters.h,
// XcXPMenuItemPainter.h); a painter component of the user's may stand in
// for all of them (Style msItemPainter).
//
// A drop-down item is laid out left to right (mirrored in a right-to-left
// menu): a left-margin strip, the check-mark column, the image column (the
// image inside it, less the margins), the text column.  A menu bar item uses its whole rectangle for
// every part.  Painting, in order: the item's background, the left margin,
// the check-mark and image column backgrounds, the text background, the
// selection frame, the check mark, the image (or glyph), the text and its
// shortcut.  A painter changes any step by overriding it; in this base the
// backgrounds and the selection frame draw nothing.

#include <windows.h>

#include <functional>
#include <memory>
#include <string>

#include "classlib/win/Graphics.h"
#include "classlib/win/Menus.h"
#include "controls/win/XcMenuSettings.h"

class TXcCustomMenuItemPainter : public cl::TComponent {
    CL_CLASS(TXcCustomMenuItemPainter, cl::TComponent)
public:
    explicit TXcCustomMenuItemPainter(cl::TComponent* owner);
    ~TXcCustomMenuItemPainter() override;

    // The menu it works for; the menu sets it before each use.
    TXcMenuSettings* Menu() const { return menu_; }
    void SetMenu(TXcMenuSettings* menu) { menu_ = menu; }

    // A strip at the left of every drop-down item, as high as the menu's window.
    unsigned LeftMargin() const { return leftMargin_; }
    void SetLeftMargin(unsigned value) { leftMargin_ = value; }
    cl::TColor ImageBackgroundColor() const { return imageBackgroundColor_; }
    void SetImageBackgroundColor(cl::TColor value) { imageBackgroundColor_ = value; }
    // Draws the left-margin strip instead of the default gradient.
    std::function<void(TXcCustomMenuItemPainter* Sender, cl::TCanvas* Canvas, const cl::TRect& Rect)>
        OnDrawLeftMargin;

    // The item's size in the menu's font on canvas.
    virtual void Measure(cl::TMenuItem* item, cl::TCanvas* canvas, int& width, int& height);
    virtual void Paint(cl::TMenuItem* item, cl::TCanvas* canvas, const cl::TRect& rect,
                       cl::TOwnerDrawState state);

    // The layout this painter gives the menu's items now.
    TXcMenuItemMetrics Metrics();

protected:
    // Sizes, with this painter's additions to the menu's settings.
    virtual int CheckMarkHeight();
    virtual int CheckMarkWidth();
    virtual int ImageHeight();
    virtual int ImageWidth();
    virtual int TextMargin();
    // The menu's margins as this painter uses them.
    virtual TXcMenuMargins ImageMargins();
    // Disabled text: drawn first one pixel down and right in clBtnHighlight,
    // then in DisabledTextColor.
    virtual bool UseDisabledShadow();
    virtual cl::TColor DisabledTextColor();

    // Remembers the item and state, lets OnGetItemParams change the state,
    // font, colour and glyph, fills the rectangle with the brush (unless noFill
    // or clNone) and takes the image index (OnGetImageIndex may change it).
    virtual void Prepare(cl::TMenuItem* item, const cl::TRect& rect, bool noFill, cl::TOwnerDrawState state);
    virtual void DrawItemBackground(const cl::TRect& r) {}
    virtual void DrawLeftMargin(const cl::TRect& r);
    virtual void DrawCheckMarkBackground(const cl::TRect& r) {}
    virtual void DrawImageBackground(const cl::TRect& r) {}
    virtual void DrawTextBackground(const cl::TRect& r) {}
    virtual void DrawSelectionFrame(const cl::TRect& r) {}
    virtual void DrawCheckMark(const cl::TRect& r);
    virtual void DrawCheckedImageBack(const cl::TRect& r) {}
    virtual void DrawNotCheckedImageBack(const cl::TRect& r) {}
    virtual void DrawImage(int x, int y);
    virtual void DrawDisabledImage(int x, int y);
    virtual void DrawGlyph(int x, int y);
    virtual void DrawDisabledGlyph(int x, int y);
    virtual void DrawSeparator(const cl::TRect& r);
    virtual void DrawItemText(cl::TRect r, const std::string& text, UINT flags);
    // The check mark's and the text's rectangles within their columns.
    virtual cl::TRect CheckMarkRect(const cl::TRect& column) { return column; }
    virtual cl::TRect TextRect(const cl::TRect& column) { return column; }
    // Where an image is drawn from the column's image box.
    virtual cl::TPoint ImagePosition(const cl::TRect& image) { return cl::Point(image.left, image.top); }

    // The item being measured or painted.
    cl::TMenuItem* Item() const { return item_; }
    cl::TOwnerDrawState State() const { return state_; }
    cl::TCanvas* Canvas() const { return canvas_; }
    int ImageIndex() const { return imageIndex_; }
    cl::TGraphic* Glyph() const { return glyph_; }
    bool Selected() const { return (state_ & ODS_SELECTED) != 0; }
    bool Disabled() const;
    bool Checked() const;
    // An item of a menu bar (not of a drop-down list).
    bool IsBarItem() const;
    // The menu is right to left: its items are laid out mirrored.
    bool RightToLeft() const;
    // Images: the index is valid in the list.
    static bool HasImage(cl::TCustomImageList* list, int index);
    // The menu's, or the painter's default when it has no menu.
    TXcMenuSettings& Settings() const;

private:
    void PaintImage(const cl::TRect& column, const cl::TRect& image);
    void PaintText(const cl::TRect& textColumn, const cl::TRect& item);
    // The glyph to draw, cut from a strip of glyphs by state.
    std::unique_ptr<cl::TBitmap> GlyphCell();
    void MeasureDropDown(int& width, int& height);

    TXcMenuSettings* menu_ = nullptr;
    unsigned leftMargin_ = 0;
    cl::TColor imageBackgroundColor_ = cl::clBtnFace;
    cl::TMenuItem* item_ = nullptr;
    cl::TCanvas* canvas_ = nullptr;
    cl::TOwnerDrawState state_ = 0;
    cl::TRect itemRect_{};
    int imageIndex_ = -1;
    cl::TGraphic* glyph_ = nullptr;
    int numGlyphs_ = 1;
};
