#pragma once
// TXcxSplitter: a windowed bar that resizes the control on one side of it.
// While the left button drags it an inverted line shows where it would go,
// kept between TopLeftLimit from the parent's top-left and BottomRightLimit
// from its bottom-right; releasing the button applies the move.  A key,
// another window taking the mouse, or a cancelled mode ends the drag
// without applying it, and leaves no line behind.
//
// Which control it resizes, and across which axis, follows from the
// alignments of ControlFirst (A), ControlSecond (B) and the splitter:
//   A alTop/alBottom, B none or alClient, splitter aligned as A: A's height;
//   A alClient, B alTop/alBottom, splitter aligned as B: B's height;
//   likewise alLeft/alRight for widths; anything else: no dragging.

#include <functional>
#include <memory>

#include "controls/win/XcCustomPanel.h"

using TSplitterMoveEvent = std::function<void(cl::TObject* Sender, int X, int Y, bool& AllowChange)>;

enum TXcSplitStyle { ssNoSplit, ssFirstHeight, ssSecondHeight, ssFirstWidth, ssSecondWidth };

class TXcxSplitter : public TXcCustomPanel {
    CL_CLASS(TXcxSplitter, TXcCustomPanel)
public:
    explicit TXcxSplitter(cl::TComponent* owner);
    ~TXcxSplitter() override;
    void BeforeDestruction() override;

    // From a side alignment the splitter is 3 pixels thick; aligned while
    // neither control is set, ControlFirst becomes the sibling just
    // outside the splitter's edge.
    void SetAlign(cl::TAlign value);
    // The splitter itself and forms are refused (nullptr).
    cl::TControl* ControlFirst() const { return controlFirst_; }
    void SetControlFirst(cl::TControl* value);
    cl::TControl* ControlSecond() const { return controlSecond_; }
    void SetControlSecond(cl::TControl* value);
    int TopLeftLimit() const { return topLeftLimit_; }
    void SetTopLeftLimit(int value) { topLeftLimit_ = value; }
    int BottomRightLimit() const { return bottomRightLimit_; }
    void SetBottomRightLimit(int value) { bottomRightLimit_ = value; }
    TXcSplitStyle SplitStyle() const;
    bool Dragging() const { return drag_ != nullptr; }

    // After an applied move.
    cl::TNotifyEvent OnPosChanged;
    // Before the line moves and before the move is applied; AllowChange
    // false keeps the line, or leaves the control as it was.
    TSplitterMoveEvent OnPosChanging;

    void WndProc(cl::TMessage& message) override;

    // Older layouts' "LimitOffset", both limits at once; never written.
    void DefineProperties(cl::TFiler& filer) override;

protected:
    void Loaded() override;
    void Notification(cl::TComponent* component, cl::TOperation operation) override;
    void MouseDown(cl::TMouseButton button, cl::TShiftState shift, int x, int y) override;
    void MouseMove(cl::TShiftState shift, int x, int y) override;
    virtual void Changed();
    virtual void Changing(int x, int y, bool& allowChange);

private:
    class TDrag;
    friend class TDrag;

    cl::TControl* Accepted(cl::TControl* value) const;
    void LinkControl(cl::TControl*& field, cl::TControl* value);
    void UpdateCursor();
    // Ends the drag; with apply the control gets the move to point.
    void EndDrag(bool apply, cl::TPoint point);
    void ApplyMove(int delta);

    cl::TControl* controlFirst_ = nullptr;
    cl::TControl* controlSecond_ = nullptr;
    int topLeftLimit_ = 20;
    int bottomRightLimit_ = 20;
    std::unique_ptr<TDrag> drag_;
};
