#pragma once
// TPaperPreview: the paper sheet the print preview shows a page on, painted
// through an off-screen bitmap (frame and shadow, then the page), and
// TPaperPreviewOptions, the sheet's look as the preview publishes it.

#include <functional>
#include <memory>

#include "classlib/win/Controls.h"
#include "classlib/win/GdiHandles.h"
#include "classlib/win/Graphics.h"

namespace cl {
class TPopupMenu;
}

using TPaperPaintEvent =
    std::function<void(cl::TObject* Sender, cl::TCanvas* Canvas, const cl::TRect& PageRect)>;

class TPaperPreview : public cl::TCustomControl {
    CL_CLASS(TPaperPreview, cl::TCustomControl)
public:
    explicit TPaperPreview(cl::TComponent* owner);
    ~TPaperPreview() override;

    cl::TColor PaperColor() const { return paperColor_; }
    void SetPaperColor(cl::TColor value);
    cl::TColor BorderColor() const { return borderColor_; }
    void SetBorderColor(cl::TColor value);
    int BorderSize() const { return borderSize_; }
    // Keeps the paper's size: the control grows or shrinks.
    void SetBorderSize(int value);
    cl::TColor ShadowColor() const { return shadowColor_; }
    void SetShadowColor(cl::TColor value);
    int ShadowSize() const { return shadowSize_; }
    void SetShadowSize(int value);
    // The paper in pixels: the control less two borders and the shadow.
    int PaperWidth() const { return Width() - Extra(); }
    int PaperHeight() const { return Height() - Extra(); }
    void SetPaperWidth(int value) { SetWidth(value + Extra()); }
    void SetPaperHeight(int value) { SetHeight(value + Extra()); }
    // Two borders and the shadow.
    int Extra() const { return 2 * borderSize_ + shadowSize_; }
    // The off-screen bitmap has the control's size (a size it could not
    // take leaves the sheet unpainted).
    bool Valid() const { return valid_; }

    // Draws border and shadow into the off-screen bitmap.
    virtual void PaintFrame();
    // The paper inside border and shadow, in the control's pixels.
    virtual cl::TRect GetPageRect();
    // The outline of r on the screen, inverted against color, over a white
    // brush that leaves the inside as it is: drawn twice, the screen is as
    // before.  mode is not used.
    virtual void DrawXorRect(const cl::TRect& r, cl::TColor color, int mode);
    // The page is painted again (the frame only when it changed).
    void Invalidate() override;
    // Only r (the control's pixels) of the page is painted again, the rest
    // copied as it was: for a change OnPaint draws there alone.
    void InvalidatePageRect(const cl::TRect& r);

    // Paints the page: on the off-screen bitmap's canvas, clipped to the
    // page rectangle (or to the parts of it asked for again), after the
    // paper was filled there.
    TPaperPaintEvent OnPaint;

protected:
    void Paint() override;
    void Resize() override;

private:
    void FrameChanged();

    std::unique_ptr<cl::TBitmap> buffer_;
    // What InvalidatePageRect asked for while the page is valid otherwise.
    cl::OwnedRegion changed_;
    bool valid_ = true;  // false while no bitmap of the sheet's size could be made
    bool frameValid_ = false;
    bool pageValid_ = false;
    cl::TColor paperColor_ = cl::clWhite;
    cl::TColor borderColor_ = cl::clBlack;
    int borderSize_ = 1;
    cl::TColor shadowColor_ = cl::clBtnShadow;
    int shadowSize_ = 3;
};

// The sheet's look as the preview publishes it (PaperView); every change
// fires OnChange.
class TPaperPreviewOptions : public cl::TPersistent {
    CL_CLASS(TPaperPreviewOptions, cl::TPersistent)
public:
    // Copies all nine values from other options.
    void Assign(cl::TPersistent* source) override;

    cl::TColor BorderColor() const { return borderColor_; }
    void SetBorderColor(cl::TColor value) { Set(borderColor_, value); }
    int BorderWidth() const { return borderWidth_; }
    void SetBorderWidth(int value) { Set(borderWidth_, value); }
    cl::TCursor Cursor() const { return cursor_; }
    void SetCursor(cl::TCursor value) { Set(cursor_, value); }
    // The sheet's cursor while it can be dragged, and while it is dragged.
    cl::TCursor DragCursor() const { return dragCursor_; }
    void SetDragCursor(cl::TCursor value) { Set(dragCursor_, value); }
    cl::TCursor GrabCursor() const { return grabCursor_; }
    void SetGrabCursor(cl::TCursor value) { Set(grabCursor_, value); }
    cl::TColor PaperColor() const { return paperColor_; }
    void SetPaperColor(cl::TColor value) { Set(paperColor_, value); }
    cl::TPopupMenu* PopupMenu() const { return popupMenu_; }
    void SetPopupMenu(cl::TPopupMenu* value) { Set(popupMenu_, value); }
    cl::TColor ShadowColor() const { return shadowColor_; }
    void SetShadowColor(cl::TColor value) { Set(shadowColor_, value); }
    int ShadowWidth() const { return shadowWidth_; }
    void SetShadowWidth(int value) { Set(shadowWidth_, value); }

    cl::TNotifyEvent OnChange;

protected:
    // Onto a sheet: colours, sizes, Cursor and PopupMenu.
    void AssignTo(cl::TPersistent* dest) override;

private:
    template <class T>
    void Set(T& field, T value) {
        if (field == value) return;
        field = value;
        if (OnChange) OnChange(this);
    }

    cl::TColor borderColor_ = cl::clBlack;
    int borderWidth_ = 1;
    cl::TCursor cursor_ = cl::crDefault;
    cl::TCursor dragCursor_ = cl::crDefault;
    cl::TCursor grabCursor_ = 11;  // the grabbing hand the preview loads
    cl::TColor paperColor_ = cl::clWhite;
    cl::TPopupMenu* popupMenu_ = nullptr;
    cl::TColor shadowColor_ = cl::clBtnShadow;
    int shadowWidth_ = 3;
};
