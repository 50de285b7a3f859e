#pragma once
// TXcPanel: a panel that takes a hot colour while the pointer is over it,
// can be transparent (without themes), have a flat border, a size grip in
// its lower-right corner (Sizeable), be moved by dragging (Movable), and
// arrange its children in rows (TXcArrangeSettings).

#include <functional>
#include <memory>

#include "controls/XcArrangeLayout.h"
#include "controls/win/XcCustomPanel.h"

class TXcPanel;

// How a panel arranges its windowed children; each change arranges again
// (AutoArrange and AutoSize only when switched on).
class TXcArrangeSettings : public cl::TPersistent {
    CL_CLASS(TXcArrangeSettings, cl::TPersistent)
public:
    explicit TXcArrangeSettings(TXcPanel* owner) : owner_(owner) {}
    // Copies all and arranges.
    void Assign(cl::TPersistent* source) override;

    bool AutoArrange() const { return autoArrange_; }
    void SetAutoArrange(bool value);
    TXcAutoSizePanel AutoSize() const { return params_.autoSize; }
    void SetAutoSize(TXcAutoSizePanel value);
    bool WrapControls() const { return params_.wrapControls; }
    void SetWrapControls(bool value);
    int BorderLeft() const { return params_.borderLeft; }
    void SetBorderLeft(int value);
    int BorderTop() const { return params_.borderTop; }
    void SetBorderTop(int value);
    int DistanceVertical() const { return params_.distanceVertical; }
    void SetDistanceVertical(int value);
    int DistanceHorizontal() const { return params_.distanceHorizontal; }
    void SetDistanceHorizontal(int value);
    bool ShowNotVisibleAtDesignTime() const { return showNotVisibleAtDesignTime_; }
    void SetShowNotVisibleAtDesignTime(bool value);
    // 0: none.
    int MaxWidth() const { return params_.maxWidth; }
    void SetMaxWidth(int value);

    const TXcArrangeParams& Params() const { return params_; }

protected:
    cl::TPersistent* GetOwner() const override;

private:
    void Rearrange();
    template <class T>
    void Store(T& field, T value);

    TXcPanel* owner_;
    bool autoArrange_ = false;
    bool showNotVisibleAtDesignTime_ = true;
    TXcArrangeParams params_;
};

using TXcPanelResizeParentEvent =
    std::function<void(cl::TObject* Sender, int ALeft, int ATop, int AWidth, int AHeight)>;
using TXcPanelMoveEvent = std::function<void(cl::TObject* Sender, int X, int Y, bool& Allow)>;

class TXcPanel : public TXcCustomPanel {
    CL_CLASS(TXcPanel, TXcCustomPanel)
public:
    explicit TXcPanel(cl::TComponent* owner);
    ~TXcPanel() override;
    void BeforeDestruction() override;

    // Counts only without themes: no background of its own, the parent
    // shows through, and the hot colour is never taken.
    bool Transparent() const { return transparent_; }
    void SetTransparent(bool value);
    // A one-pixel frame in FlatBorderColor instead of the bevels.
    bool FlatBorder() const { return flatBorder_; }
    void SetFlatBorder(bool value);
    cl::TColor FlatBorderColor() const { return flatBorderColor_; }
    void SetFlatBorderColor(cl::TColor value);
    // The caption breaks into lines.
    bool MultiLine() const { return multiLine_; }
    void SetMultiLine(bool value);
    // Color while the pointer is over the panel.
    cl::TColor HotColor() const { return hotColor_; }
    void SetHotColor(cl::TColor value) { hotColor_ = value; }
    // A size grip in the lower-right corner; dragging it resizes the panel.
    bool Sizeable() const { return sizeable_; }
    void SetSizeable(bool value);
    // Dragging the panel's inside moves it.
    bool Movable() const { return movable_; }
    void SetMovable(bool value) { movable_ = value; }
    TXcArrangeSettings* ArrangeSettings() const { return arrangeSettings_.get(); }
    void SetArrangeSettings(TXcArrangeSettings* value) { arrangeSettings_->Assign(value); }

    // A change of size tells OnResizeParent, or without one has a parent
    // panel arrange again.
    void SetBounds(int left, int top, int width, int height) override;
    // Places the windowed children by ArrangeSettings (not while locked,
    // arranging, loading, reading, or without children).
    void ArrangeControls();
    void DisableArrange() { ++arrangeLock_; }
    void EnableArrange();

    TXcPanelResizeParentEvent OnResizeParent;
    // Paints the panel instead of its own painting.
    cl::TNotifyEvent OnPaint;
    cl::TNotifyEvent OnAfterMove;
    TXcPanelMoveEvent OnBeforeMove;

    void WndProc(cl::TMessage& message) override;

protected:
    void Loaded() override;
    void AlignControls(cl::TControl* control, cl::TRect& rect) override;
    void CreateParams(cl::TCreateParams& params) override;
    void Paint() override;
    bool DoEraseBackground(HDC dc) override;
    void MouseDown(cl::TMouseButton button, cl::TShiftState shift, int x, int y) override;
    void MouseMove(cl::TShiftState shift, int x, int y) override;
    void MouseUp(cl::TMouseButton button, cl::TShiftState shift, int x, int y) override;
    void MouseEnter(cl::TControl* control) override;
    void MouseLeave(cl::TControl* control) override;
    void TextChanged() override;
    void Resize() override;
    virtual bool DoBeforeMove(int x, int y);
    virtual void DoAfterMove();

private:
    friend class TXcArrangeSettings;
    // Transparent and no themes.
    bool IsTransparent() const;
    bool Designing() const { return (ComponentState() & cl::csDesigning) != 0; }
    bool InSizeGrip(int x, int y) const { return Width() - x < 12 && Height() - y < 12; }
    void PaintCaption(cl::TCanvas& canvas);
    void PaintSizeGrip(cl::TCanvas& canvas);
    void Rearrange();

    bool transparent_ = false;
    bool flatBorder_ = false;
    cl::TColor flatBorderColor_ = cl::clBtnShadow;
    bool multiLine_ = false;
    cl::TColor savedColor_ = cl::clBtnFace;
    cl::TColor hotColor_ = cl::clBtnFace;
    bool sizeable_ = false;
    bool sizing_ = false;
    cl::TPoint lastSizingPoint_{};
    std::unique_ptr<TXcArrangeSettings> arrangeSettings_;
    int arrangeLock_ = 0;
    bool arranging_ = false;
    bool movable_ = false;
    bool moving_ = false;
    bool nudging_ = false;
};
