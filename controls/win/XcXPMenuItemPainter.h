#pragma once
// TXcXPMenuItemPainter (style msXP, the main window's menu bar): white
// drop-down items with a grey image column, a framed blue-grey selection
// that keeps the menu text colour, a single-line separator from the image
// column on, images with a shadow when selected, and a frame of its own
// round the drop-down window, drawn through that window's context with
// each item (the item's rows and the selection reach into the border).

#include <memory>

#include "controls/win/XcMenuItemPainter.h"

class TXcXPMenuItemPainter : public TXcCustomMenuItemPainter {
    CL_CLASS(TXcXPMenuItemPainter, TXcCustomMenuItemPainter)
public:
    explicit TXcXPMenuItemPainter(cl::TComponent* owner);
    ~TXcXPMenuItemPainter() override;

    cl::TBrush* SelectionFrameBrush() const { return selectionBrush_.get(); }
    cl::TPen* SelectionFramePen() const { return selectionPen_.get(); }
    cl::TColor ShadowColor() const { return shadowColor_; }
    void SetShadowColor(cl::TColor value) { shadowColor_ = value; }
    cl::TColor SeparatorColor() const { return separatorColor_; }
    void SetSeparatorColor(cl::TColor value) { separatorColor_ = value; }
    cl::TColor CheckedImageBackColor() const { return checkedBack_; }
    void SetCheckedImageBackColor(cl::TColor value) { checkedBack_ = value; }
    cl::TColor CheckedImageBackColorSelected() const { return checkedBackSelected_; }
    void SetCheckedImageBackColorSelected(cl::TColor value) { checkedBackSelected_ = value; }

    // Separators 3 pixels high, every other item 2 pixels higher.
    void Measure(cl::TMenuItem* item, cl::TCanvas* canvas, int& width, int& height) override;
    void Paint(cl::TMenuItem* item, cl::TCanvas* canvas, const cl::TRect& rect,
               cl::TOwnerDrawState state) override;

protected:
    TXcMenuMargins ImageMargins() override;
    int TextMargin() override;
    cl::TRect CheckMarkRect(const cl::TRect& column) override;
    cl::TRect TextRect(const cl::TRect& column) override;
    cl::TPoint ImagePosition(const cl::TRect& image) override;
    void Prepare(cl::TMenuItem* item, const cl::TRect& rect, bool noFill, cl::TOwnerDrawState state) override;
    void DrawItemBackground(const cl::TRect& r) override;
    void DrawCheckMarkBackground(const cl::TRect& r) override { DrawImageBackground(r); }
    void DrawImageBackground(const cl::TRect& r) override;
    void DrawSelectionFrame(const cl::TRect& r) override;
    void DrawCheckedImageBack(const cl::TRect& r) override;
    void DrawImage(int x, int y) override;
    void DrawSeparator(const cl::TRect& r) override;

private:
    // The drop-down window's frame, when dc draws on a menu window.
    void DrawMenuWindowFrame(HDC dc, const cl::TRect& rect, bool selected);

    std::unique_ptr<cl::TBrush> selectionBrush_;
    std::unique_ptr<cl::TPen> selectionPen_;
    cl::TColor shadowColor_;
    cl::TColor separatorColor_;
    cl::TColor checkedBack_;
    cl::TColor checkedBackSelected_;
};
