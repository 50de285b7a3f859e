#include "controls/win/XcSplit.h"

#include <algorithm>

#include "classlib/Filer.h"
#include "classlib/win/Forms.h"
#include "classlib/win/GdiHandles.h"

using namespace cl;

namespace {

bool IsSide(TAlign a) {
    return a == alTop || a == alBottom || a == alLeft || a == alRight;
}

bool IsHeightStyle(TXcSplitStyle s) {
    return s == ssFirstHeight || s == ssSecondHeight;
}

}  // namespace

// ---- The drag ----------------------------------------------------------------------
// Everything a drag holds, given back when it ends however it ends: the
// inverted line is erased and the form's context released, the
// application's hints come back, and the key watch goes.
//
// Keys are watched for the drag's length by a hook on the thread's message
// retrieval: every key pressed that the thread takes from its queue,
// whichever control it is for, cancels the drag before it is handled.
class TXcxSplitter::TDrag {
public:
    TDrag(TXcxSplitter& splitter, TXcSplitStyle style, TPoint start, int low, int high)
        : splitter_(splitter), style_(style), start_(start), low_(low), high_(high) {
        vertical_ = IsHeightStyle(style);
        origin_ = vertical_ ? splitter.Top() : splitter.Left();
        thickness_ = vertical_ ? splitter.Height() : splitter.Width();
        TWinControl* parent = splitter.Parent();
        parentWnd_ = parent->Handle();
        parentSize_ = SIZE{parent->ClientWidth(), parent->ClientHeight()};
        TWinControl* form = GetParentForm(&splitter);
        formWnd_ = form ? form->Handle() : parentWnd_;

        savedShowHint_ = Application->ShowHint();
        Application->SetShowHint(false);
        active_ = this;
        hook_ = SetWindowsHookExW(WH_GETMESSAGE, WatchKeys, nullptr, GetCurrentThreadId());
        // Over the form's children too: no DCX_CLIPCHILDREN.
        dc_ = GetDCEx(formWnd_, nullptr, DCX_CACHE | DCX_CLIPSIBLINGS | DCX_LOCKWINDOWUPDATE);
        if (dc_) {
            savedDC_ = SaveDC(dc_);
            pen_.reset(CreatePen(PS_SOLID, thickness_ < 4 ? 2 : thickness_ - 2, RGB(255, 255, 255)));
            SelectObject(dc_, pen_.get());
            SetROP2(dc_, R2_XORPEN);
        }
        ShowLineAt(origin_);
    }

    ~TDrag() {
        if (lineShown_) DrawLine(lineCentre_);
        if (dc_) {
            RestoreDC(dc_, savedDC_);
            ReleaseDC(formWnd_, dc_);
        }
        if (hook_) UnhookWindowsHookEx(hook_);
        if (active_ == this) active_ = nullptr;
        if (TApplication* app = TApplicationRef::Existing()) app->SetShowHint(savedShowHint_);
    }

    TDrag(const TDrag&) = delete;
    TDrag& operator=(const TDrag&) = delete;

    TXcSplitStyle Style() const { return style_; }
    // Where the splitter's leading edge would go for a point of the
    // splitter's own, and the same kept within the limits.
    int PositionFor(TPoint p) const { return origin_ + (vertical_ ? p.y - start_.y : p.x - start_.x); }
    int Clamp(int position) const { return std::clamp(position, low_, high_); }
    int Origin() const { return origin_; }

    // The line at the splitter's centre for its leading edge at position.
    void ShowLineAt(int position) {
        const int centre = position + thickness_ / 2;
        if (lineShown_ && centre == lineCentre_) return;
        if (lineShown_) DrawLine(lineCentre_);
        DrawLine(centre);
        lineCentre_ = centre;
        lineShown_ = true;
    }

private:
    static LRESULT CALLBACK WatchKeys(int code, WPARAM wParam, LPARAM lParam) {
        const auto* msg = reinterpret_cast<const MSG*>(lParam);
        // A key held since before the drag repeats (bit 30): not a new press.
        constexpr LPARAM kRepeat = 1 << 30;
        if (code == HC_ACTION && wParam == PM_REMOVE && active_ &&
            (msg->message == WM_KEYDOWN || msg->message == WM_SYSKEYDOWN) && !(msg->lParam & kRepeat)) {
            TXcxSplitter* splitter = &active_->splitter_;
            ExceptionBarrier(splitter, [splitter] { splitter->EndDrag(false, TPoint{}); });
        }
        return CallNextHookEx(nullptr, code, wParam, lParam);
    }

    // XOR: drawing it twice leaves the pixels as they were.
    void DrawLine(int centre) {
        if (!dc_) return;
        POINT ends[2];
        if (vertical_) {
            const int left = std::clamp(splitter_.Left(), 0, static_cast<int>(parentSize_.cx));
            const int right =
                std::clamp(splitter_.Left() + splitter_.Width(), 0, static_cast<int>(parentSize_.cx));
            ends[0] = Point(left, centre);
            ends[1] = Point(right, centre);
        } else {
            const int top = std::clamp(splitter_.Top(), 0, static_cast<int>(parentSize_.cy));
            const int bottom =
                std::clamp(splitter_.Top() + splitter_.Height(), 0, static_cast<int>(parentSize_.cy));
            ends[0] = Point(centre, top);
            ends[1] = Point(centre, bottom);
        }
        MapWindowPoints(parentWnd_, formWnd_, ends, 2);
        MoveToEx(dc_, ends[0].x, ends[0].y, nullptr);
        LineTo(dc_, ends[1].x, ends[1].y);
    }

    static inline TDrag* active_ = nullptr;

    TXcxSplitter& splitter_;
    TXcSplitStyle style_;
    TPoint start_;
    int low_, high_;
    bool vertical_ = true;
    int origin_ = 0;
    int thickness_ = 0;
    HWND parentWnd_ = nullptr;
    HWND formWnd_ = nullptr;
    SIZE parentSize_{};
    bool savedShowHint_ = true;
    HHOOK hook_ = nullptr;
    HDC dc_ = nullptr;
    int savedDC_ = 0;
    OwnedPen pen_;
    bool lineShown_ = false;
    int lineCentre_ = 0;
};

// ---- TXcxSplitter ----------------------------------------------------------------------
XC_CLASS_INFO(TXcxSplitter,
              EnumProp("Align", {"alNone", "alTop", "alBottom", "alLeft", "alRight", "alClient"},
                       &TXcxSplitter::Align, &TXcxSplitter::SetAlign),
              Prop("ControlFirst", &TXcxSplitter::ControlFirst, &TXcxSplitter::SetControlFirst),
              Prop("ControlSecond", &TXcxSplitter::ControlSecond, &TXcxSplitter::SetControlSecond),
              Prop("TopLeftLimit", &TXcxSplitter::TopLeftLimit, &TXcxSplitter::SetTopLeftLimit),
              Prop("BottomRightLimit", &TXcxSplitter::BottomRightLimit, &TXcxSplitter::SetBottomRightLimit),
              Prop("Cursor", &TXcxSplitter::Cursor))

TXcxSplitter::TXcxSplitter(TComponent* owner) : TXcCustomPanel(owner) {
    SetControlStyle(csCaptureMouse | csClickEvents | csOpaque | csDoubleClicks);
    SetBounds(Left(), Top(), 185, 3);
    SetCtl3D(false);
    SetParentCtl3D(false);
}

void TXcxSplitter::DefineProperties(TFiler& filer) {
    TXcCustomPanel::DefineProperties(filer);
    filer.DefineProperty(
        "LimitOffset",
        [this](TReader& reader) {
            topLeftLimit_ = reader.ReadInteger();
            bottomRightLimit_ = topLeftLimit_;
        },
        nullptr, false);
}

TXcxSplitter::~TXcxSplitter() = default;

void TXcxSplitter::BeforeDestruction() {
    Destroying();
    drag_.reset();
    TXcCustomPanel::BeforeDestruction();
}

TControl* TXcxSplitter::Accepted(TControl* value) const {
    if (value == this || dynamic_cast<TCustomForm*>(value)) return nullptr;
    return value;
}

void TXcxSplitter::LinkControl(TControl*& field, TControl* value) {
    value = Accepted(value);
    if (value == field) return;
    TControl* old = std::exchange(field, value);
    if (old && old != controlFirst_ && old != controlSecond_) RemoveFreeNotification(old);
    if (value) value->FreeNotification(this);
    UpdateCursor();
}

void TXcxSplitter::SetControlFirst(TControl* value) {
    LinkControl(controlFirst_, value);
}

void TXcxSplitter::SetControlSecond(TControl* value) {
    LinkControl(controlSecond_, value);
}

void TXcxSplitter::SetAlign(TAlign value) {
    const TAlign old = Align();
    if (value == old) return;
    if (!IsSide(old) && !(ComponentState() & csLoading)) {
        if (value == alTop || value == alBottom) SetHeight(3);
        if (value == alLeft || value == alRight) SetWidth(3);
    }
    TXcCustomPanel::SetAlign(value);
    if (!controlFirst_ && !controlSecond_ && Parent()) {
        TPoint outside{};
        switch (value) {
            case alTop:
                outside = Point(Left(), Top() - 1);
                break;
            case alBottom:
                outside = Point(Left(), Top() + Height());
                break;
            case alLeft:
                outside = Point(Left() - 1, Top());
                break;
            case alRight:
                outside = Point(Left() + Width(), Top());
                break;
            default:
                break;
        }
        if (IsSide(value)) {
            for (int i = 0; i < Parent()->ControlCount(); ++i) {
                TControl* sibling = Parent()->Controls(i);
                const TRect bounds = sibling->BoundsRect();
                if (sibling != this && PtInRect(&bounds, outside)) {
                    SetControlFirst(sibling);
                    break;
                }
            }
        }
    }
    UpdateCursor();
}

TXcSplitStyle TXcxSplitter::SplitStyle() const {
    if (!controlFirst_) return ssNoSplit;
    const TAlign a = controlFirst_->Align();
    const bool bFree = !controlSecond_ || controlSecond_->Align() == alClient;
    const TAlign b = controlSecond_ ? controlSecond_->Align() : alNone;
    TXcSplitStyle style = ssNoSplit;
    TAlign own = alNone;
    if ((a == alTop || a == alBottom) && bFree) {
        style = ssFirstHeight, own = a;
    } else if (a == alClient && (b == alTop || b == alBottom)) {
        style = ssSecondHeight, own = b;
    } else if ((a == alLeft || a == alRight) && bFree) {
        style = ssFirstWidth, own = a;
    } else if (a == alClient && (b == alLeft || b == alRight)) {
        style = ssSecondWidth, own = b;
    }
    return Align() == own ? style : ssNoSplit;
}

void TXcxSplitter::UpdateCursor() {
    const TXcSplitStyle style = SplitStyle();
    SetCursor(style == ssNoSplit ? crDefault : IsHeightStyle(style) ? crVSplit : crHSplit);
}

void TXcxSplitter::Loaded() {
    TXcCustomPanel::Loaded();
    UpdateCursor();
}

void TXcxSplitter::Notification(TComponent* component, TOperation operation) {
    TXcCustomPanel::Notification(component, operation);
    if (operation != opRemove) return;
    if (component == controlFirst_) controlFirst_ = nullptr;
    if (component == controlSecond_) controlSecond_ = nullptr;
    if (!(ComponentState() & csDestroying)) UpdateCursor();
}

void TXcxSplitter::Changed() {
    if (OnPosChanged) OnPosChanged(this);
}

void TXcxSplitter::Changing(int x, int y, bool& allowChange) {
    if (OnPosChanging) OnPosChanging(this, x, y, allowChange);
}

void TXcxSplitter::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    TXcCustomPanel::MouseDown(button, shift, x, y);
    if (button != mbLeft || drag_ || (ComponentState() & csDesigning) || !Parent()) return;
    const TXcSplitStyle style = SplitStyle();
    if (style == ssNoSplit) return;
    const bool vertical = IsHeightStyle(style);
    const int parentSize = vertical ? Parent()->ClientHeight() : Parent()->ClientWidth();
    const int low = topLeftLimit_;
    const int high = parentSize - bottomRightLimit_ - (vertical ? Height() : Width());
    // Limits that cross leave no place to go.
    if (low > high) return;
    drag_ = std::make_unique<TDrag>(*this, style, Point(x, y), low, high);
}

void TXcxSplitter::MouseMove(TShiftState shift, int x, int y) {
    TXcCustomPanel::MouseMove(shift, x, y);
    if (!drag_) return;
    bool allow = true;
    Changing(x, y, allow);
    if (!allow || !drag_) return;
    const int position = drag_->PositionFor(Point(x, y));
    const int clamped = drag_->Clamp(position);
    // The mouse is captured: no WM_SETCURSOR comes, the cursor is set here.
    ::SetCursor(Screen->Cursors(clamped != position ? crNoDrop : Cursor()));
    drag_->ShowLineAt(clamped);
}

void TXcxSplitter::EndDrag(bool apply, TPoint point) {
    std::unique_ptr<TDrag> drag = std::move(drag_);
    if (!drag) return;
    // Releasing the mouse reports a capture change, which finds no drag now.
    if (MouseCapture()) SetMouseCapture(false);
    bool applied = false;
    int delta = 0;
    const TXcSplitStyle style = drag->Style();
    if (apply) {
        bool allow = true;
        Changing(point.x, point.y, allow);
        applied = allow;
        delta = drag->Clamp(drag->PositionFor(point)) - drag->Origin();
    }
    drag.reset();
    if (!applied || SplitStyle() != style) return;
    ApplyMove(delta);
    Changed();
}

void TXcxSplitter::ApplyMove(int delta) {
    const TXcSplitStyle style = SplitStyle();
    TControl* control = (style == ssFirstHeight || style == ssFirstWidth) ? controlFirst_ : controlSecond_;
    TWinControl* parent = Parent();
    if (!control || !parent) return;
    const bool vertical = IsHeightStyle(style);
    // Moving towards a control at the far side makes it smaller.
    const TAlign farSide = vertical ? alBottom : alRight;
    if (controlFirst_->Align() == farSide || (controlSecond_ && controlSecond_->Align() == farSide))
        delta = -delta;
    const int limit = vertical ? parent->ClientHeight() - Height() : parent->ClientWidth() - Width();
    int size = std::max(1, (vertical ? control->Height() : control->Width()) + delta);
    if (size >= limit) size = std::max(1, limit - 3);
    parent->DisableAlign();
    try {
        if (vertical)
            control->SetHeight(size);
        else
            control->SetWidth(size);
    } catch (...) {
        parent->EnableAlign();
        throw;
    }
    parent->EnableAlign();
}

void TXcxSplitter::WndProc(TMessage& m) {
    switch (m.Msg) {
        case WM_LBUTTONUP:
            // Before the class library releases the mouse (a capture change
            // would cancel the drag).
            if (drag_) EndDrag(true, Point(m.XPos(), m.YPos()));
            break;
        case WM_CAPTURECHANGED:
            if (drag_ && reinterpret_cast<HWND>(m.LParam) != WindowHandle()) EndDrag(false, TPoint{});
            break;
        case WM_CANCELMODE:
            if (drag_) EndDrag(false, TPoint{});
            break;
    }
    TXcCustomPanel::WndProc(m);
}
