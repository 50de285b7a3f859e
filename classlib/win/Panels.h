#pragma once
// Panels and lines: TPanel (a container with bevels and a caption, its
// children aligned inside the bevels), TBevel (a windowless line or frame)
// and TSplitter (a windowless bar that resizes the control beside it when
// dragged).

#include <windows.h>

#include <functional>

#include "classlib/win/Controls.h"

namespace cl {

// Draws width nested one-pixel frames, top and left edges in topColor,
// bottom and right ones in bottomColor, and shrinks rect by width.
void Frame3D(TCanvas* canvas, TRect& rect, TColor topColor, TColor bottomColor, int width);

// ---- TPanel ------------------------------------------------------------------
enum TBevelCut { bvNone, bvLowered, bvRaised, bvSpace };

class TCustomPanel : public TCustomControl {
    CL_CLASS(TCustomPanel, TCustomControl)
public:
    explicit TCustomPanel(TComponent* owner);

    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment value);
    TBevelCut BevelInner() const { return bevelInner_; }
    void SetBevelInner(TBevelCut value);
    TBevelCut BevelOuter() const { return bevelOuter_; }
    void SetBevelOuter(TBevelCut value);
    int BevelWidth() const { return bevelWidth_; }
    void SetBevelWidth(int value);
    // A band of Color between the outer and the inner bevel.
    int BorderWidth() const { return borderWidth_; }
    void SetBorderWidth(int value);
    // bsSingle: a sunken window edge around the panel.
    TBorderStyle BorderStyle() const { return borderStyle_; }
    void SetBorderStyle(TBorderStyle value);
    // Repaints all of the panel when it is resized (else only what was uncovered).
    bool FullRepaint() const { return fullRepaint_; }
    void SetFullRepaint(bool value);

protected:
    void CreateParams(TCreateParams& params) override;
    // The children are aligned inside the border and the bevels.
    void AdjustClientRect(TRect& rect) override;
    void Paint() override;

public:
    void WndProc(TMessage& message) override;

private:
    void Changed(bool layout);

    TAlignment alignment_ = taCenter;
    TBevelCut bevelInner_ = bvNone;
    TBevelCut bevelOuter_ = bvRaised;
    int bevelWidth_ = 1;
    int borderWidth_ = 0;
    TBorderStyle borderStyle_ = bsNone;
    bool fullRepaint_ = true;
};

class TPanel : public TCustomPanel {
    CL_CLASS(TPanel, TCustomPanel)
public:
    using TCustomPanel::TCustomPanel;
};

// ---- TBevel --------------------------------------------------------------------
enum TBevelShape { bsBox, bsFrame, bsTopLine, bsBottomLine, bsLeftLine, bsRightLine, bsSpacer };
enum TBevelStyle { bsLowered, bsRaised };

class TBevel : public TGraphicControl {
    CL_CLASS(TBevel, TGraphicControl)
public:
    explicit TBevel(TComponent* owner);

    TBevelShape Shape() const { return shape_; }
    void SetShape(TBevelShape value);
    TBevelStyle Style() const { return style_; }
    void SetStyle(TBevelStyle value);

protected:
    void Paint() override;

private:
    TBevelShape shape_ = bsBox;
    TBevelStyle style_ = bsLowered;
};

// ---- TSplitter -----------------------------------------------------------------
enum TResizeStyle { rsNone, rsLine, rsUpdate, rsPattern };

// NewSize is the size the control beside the splitter would get; Accept
// false keeps the present one.
using TCanResizeEvent = std::function<void(TObject* Sender, int& NewSize, bool& Accept)>;

class TSplitter : public TGraphicControl {
    CL_CLASS(TSplitter, TGraphicControl)
public:
    explicit TSplitter(TComponent* owner);
    ~TSplitter() override;

    // Aligned to a side, like the control it resizes; the cursor follows.
    void SetAlign(TAlign value);
    // The smallest size the control beside it, and the one across from it,
    // may get.
    int MinSize() const { return minSize_; }
    void SetMinSize(int value) { minSize_ = value; }
    // rsUpdate resizes while dragging; rsLine and rsPattern draw an inverted
    // line and resize when the button is released.
    TResizeStyle ResizeStyle() const { return resizeStyle_; }
    void SetResizeStyle(TResizeStyle value) { resizeStyle_ = value; }
    bool Beveled() const { return beveled_; }
    void SetBeveled(bool value);

    TCanResizeEvent OnCanResize;
    TNotifyEvent OnMoved;

protected:
    virtual bool CanResize(int& newSize);
    virtual void Moved();
    void Paint() override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseMove(TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;

private:
    bool Vertical() const { return Align() == alLeft || Align() == alRight; }
    // The sibling aligned the same way that touches the splitter's far side.
    TControl* FindControl() const;
    int ControlSize() const;
    // The size the control gets for the pointer at (x, y), within the limits.
    int SizeAt(int x, int y) const;
    void ApplySize(int size);
    void DrawLine();
    // Removes the line and gives the control its new size.
    void EndDrag();

    int minSize_ = 30;
    TResizeStyle resizeStyle_ = rsPattern;
    bool beveled_ = false;
    // While dragging.
    TControl* control_ = nullptr;
    TPoint downPos_{};
    int maxSize_ = 0;
    int newSize_ = 0;
    int lineOffset_ = 0;  // the inverted line's distance from the splitter
    bool lineVisible_ = false;
    HDC lineDC_ = nullptr;
    HBRUSH lineBrush_ = nullptr;
};

}  // namespace cl
