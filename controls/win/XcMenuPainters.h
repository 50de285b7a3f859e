#pragma once
// The menu item painters of the styles msStandard, msOwnerDraw,
// msBtnLowered/msBtnRaised and msOffice, and the factory that makes the
// painter of a style (msXP: XcXPMenuItemPainter.h).

#include <memory>

#include "controls/win/XcMenuItemPainter.h"

// Text 2 pixels further in; the image column at least a check mark wide
// when a sibling is checked.
class TXcStandardMenuItemPainter : public TXcCustomMenuItemPainter {
    CL_CLASS(TXcStandardMenuItemPainter, TXcCustomMenuItemPainter)
public:
    using TXcCustomMenuItemPainter::TXcCustomMenuItemPainter;

protected:
    int TextMargin() override;
    int ImageWidth() override;
};

// The menu's OnMeasureItem and OnDrawItem do everything.
class TXcOwnerDrawMenuItemPainter : public TXcCustomMenuItemPainter {
    CL_CLASS(TXcOwnerDrawMenuItemPainter, TXcCustomMenuItemPainter)
public:
    using TXcCustomMenuItemPainter::TXcCustomMenuItemPainter;
    void Measure(cl::TMenuItem* item, cl::TCanvas* canvas, int& width, int& height) override;
    void Paint(cl::TMenuItem* item, cl::TCanvas* canvas, const cl::TRect& rect,
               cl::TOwnerDrawState state) override;
};

// A selected item in a 3-D button frame, sunken (Lowered) or raised.
class TXcBtnMenuItemPainter : public TXcCustomMenuItemPainter {
    CL_CLASS(TXcBtnMenuItemPainter, TXcCustomMenuItemPainter)
public:
    explicit TXcBtnMenuItemPainter(cl::TComponent* owner, bool lowered = true);
    bool Lowered() const { return lowered_; }
    void SetLowered(bool value) { lowered_ = value; }

protected:
    TXcMenuMargins ImageMargins() override;
    bool UseDisabledShadow() override { return true; }
    cl::TColor DisabledTextColor() override { return cl::clBtnShadow; }
    void DrawSelectionFrame(const cl::TRect& r) override;

private:
    bool lowered_;
};

// Office 97: raised and sunken frames round hot and selected bar items and
// round a selected item's image, checked images on the image background.
class TXcOfficeMenuItemPainter : public TXcCustomMenuItemPainter {
    CL_CLASS(TXcOfficeMenuItemPainter, TXcCustomMenuItemPainter)
public:
    using TXcCustomMenuItemPainter::TXcCustomMenuItemPainter;

protected:
    TXcMenuMargins ImageMargins() override;
    int TextMargin() override;
    cl::TRect CheckMarkRect(const cl::TRect& column) override;
    cl::TRect TextRect(const cl::TRect& column) override;
    void DrawItemBackground(const cl::TRect& r) override;
    void DrawSelectionFrame(const cl::TRect& r) override;
    void DrawCheckedImageBack(const cl::TRect& r) override;
    void DrawItemText(cl::TRect r, const std::string& text, UINT flags) override;
};

// The painter of a style (the standard one for msItemPainter and for a
// value out of range), serving menu.
std::unique_ptr<TXcCustomMenuItemPainter, void (*)(TXcCustomMenuItemPainter*)> CreateMenuItemPainter(
    TXcMenuStyle style, TXcMenuSettings* menu);
