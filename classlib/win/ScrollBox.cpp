// TControlScrollBar, TScrollingWinControl and TScrollBox: window scroll
// bars over children that extend beyond the client area.
#include <algorithm>

#include "classlib/Scope.h"
#include "classlib/win/Forms.h"

namespace cl {

// ---- TControlScrollBar -------------------------------------------------------------
CL_CLASS_INFO(TControlScrollBar,
              Prop("Increment", &TControlScrollBar::Increment, &TControlScrollBar::SetIncrement),
              Prop("Margin", &TControlScrollBar::Margin, &TControlScrollBar::SetMargin),
              Prop("Position", &TControlScrollBar::Position, &TControlScrollBar::SetPosition),
              Prop("Range", &TControlScrollBar::Range, &TControlScrollBar::SetRange),
              Prop("Tracking", &TControlScrollBar::Tracking, &TControlScrollBar::SetTracking),
              Prop("Visible", &TControlScrollBar::Visible, &TControlScrollBar::SetVisible))

TControlScrollBar::TControlScrollBar(TScrollingWinControl* control, TScrollBarKind kind)
    : control_(control), kind_(kind) {}

int TControlScrollBar::ControlSize() {
    return kind_ == sbHorizontal ? control_->ClientWidth() : control_->ClientHeight();
}

bool TControlScrollBar::IsScrollBarVisible() {
    if (!visible_ || !control_->HandleAllocated()) return false;
    const LONG style = GetWindowLongW(control_->WindowHandle(), GWL_STYLE);
    return (style & (kind_ == sbHorizontal ? WS_HSCROLL : WS_VSCROLL)) != 0;
}

void TControlScrollBar::SetPosition(int value) {
    const int highest = visible_ ? std::max(0, range_ - ControlSize()) : 0;
    value = std::clamp(value, 0, highest);
    if (value == position_) return;
    const int old = position_;
    position_ = value;
    if (kind_ == sbHorizontal)
        control_->ScrollBy(old - value, 0);
    else
        control_->ScrollBy(0, old - value);
    if (control_->HandleAllocated())
        SetScrollPos(control_->WindowHandle(), kind_ == sbHorizontal ? SB_HORZ : SB_VERT, value, TRUE);
}

void TControlScrollBar::SetRange(int value) {
    control_->autoScroll_ = false;
    DoSetRange(value);
}

void TControlScrollBar::DoSetRange(int value) {
    range_ = std::max(value, 0);
    control_->UpdateScrollBars();
}

void TControlScrollBar::SetMargin(int value) {
    if (value == margin_) return;
    margin_ = value;
    control_->CalcAutoRange();
}

void TControlScrollBar::SetVisible(bool value) {
    if (value == visible_) return;
    visible_ = value;
    control_->UpdateScrollBars();
}

void TControlScrollBar::Update() {
    if (!control_->HandleAllocated()) return;
    HWND wnd = control_->WindowHandle();
    const int bar = kind_ == sbHorizontal ? SB_HORZ : SB_VERT;
    const int size = ControlSize();
    SCROLLINFO si{};
    si.cbSize = sizeof si;
    si.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
    if (visible_ && range_ > size) {
        if (position_ > range_ - size) SetPosition(range_ - size);
        // The thumb's page is the client extent, so the last position
        // shows the range's end at the client's edge.
        si.nMax = range_ - 1;
        si.nPage = static_cast<UINT>(size);
        si.nPos = position_;
    } else {
        SetPosition(0);
    }
    SetScrollInfo(wnd, bar, &si, TRUE);
}

void TControlScrollBar::ScrollMessage(TMessage& m) {
    int pos = position_;
    const int code = LOWORD(m.WParam);
    switch (code) {
        case SB_LINEUP:
            pos -= increment_;
            break;
        case SB_LINEDOWN:
            pos += increment_;
            break;
        case SB_PAGEUP:
            pos -= ControlSize();
            break;
        case SB_PAGEDOWN:
            pos += ControlSize();
            break;
        case SB_TOP:
            pos = 0;
            break;
        case SB_BOTTOM:
            pos = range_;
            break;
        case SB_THUMBTRACK:
        case SB_THUMBPOSITION: {
            if (code == SB_THUMBTRACK && !tracking_) return;
            SCROLLINFO si{};
            si.cbSize = sizeof si;
            si.fMask = SIF_TRACKPOS;
            GetScrollInfo(control_->WindowHandle(), kind_ == sbHorizontal ? SB_HORZ : SB_VERT, &si);
            pos = si.nTrackPos;
            break;
        }
        default:
            return;
    }
    SetPosition(pos);
}

// ---- TScrollingWinControl ------------------------------------------------------------
CL_CLASS_INFO(TScrollingWinControl,
              Prop("AutoScroll", &TScrollingWinControl::AutoScroll, &TScrollingWinControl::SetAutoScroll),
              Prop("HorzScrollBar", &TScrollingWinControl::HorzScrollBar),
              Prop("VertScrollBar", &TScrollingWinControl::VertScrollBar))

TScrollingWinControl::TScrollingWinControl(TComponent* owner)
    : TWinControl(owner),
      horz_(std::make_unique<TControlScrollBar>(this, sbHorizontal)),
      vert_(std::make_unique<TControlScrollBar>(this, sbVertical)) {}

TScrollingWinControl::~TScrollingWinControl() = default;

void TScrollingWinControl::SetAutoScroll(bool value) {
    if (value == autoScroll_) return;
    autoScroll_ = value;
    if (value) {
        CalcAutoRange();
    } else {
        horz_->DoSetRange(0);
        vert_->DoSetRange(0);
    }
}

void TScrollingWinControl::EnableAutoRange() {
    if (autoRangeCount_ > 0 && --autoRangeCount_ == 0) CalcAutoRange();
}

void TScrollingWinControl::CalcAutoRange() {
    if (autoRangeCount_ > 0 || !autoScroll_) return;
    int right = 0, rightAligned = 0, bottom = 0, bottomAligned = 0;
    for (int i = 0; i < ControlCount(); ++i) {
        TControl* c = Controls(i);
        if (!c->Visible()) continue;
        // Children pinned to the left or top edge set the extent; those at
        // the far edges add theirs.
        const TAlign a = c->Align();
        if (a == alLeft || (a == alNone && (c->Anchors() & (akLeft | akRight)) == akLeft))
            right = std::max(right, horz_->Position() + c->Left() + c->Width());
        if (a == alRight) rightAligned += c->Width();
        if (a == alTop || (a == alNone && (c->Anchors() & (akTop | akBottom)) == akTop))
            bottom = std::max(bottom, vert_->Position() + c->Top() + c->Height());
        if (a == alBottom) bottomAligned += c->Height();
    }
    horz_->range_ = right + rightAligned + horz_->margin_;
    vert_->range_ = bottom + bottomAligned + vert_->margin_;
    UpdateScrollBars();
}

void TScrollingWinControl::UpdateScrollBars() {
    if (updatingScrollBars_ || !HandleAllocated()) return;
    const FlagScope updating(updatingScrollBars_);
    // One bar appearing narrows the client area, which may call the other.
    for (int pass = 0; pass < 2; ++pass) {
        horz_->Update();
        vert_->Update();
    }
}

void TScrollingWinControl::AdjustClientRect(TRect& rect) {
    rect = Rect(-horz_->Position(), -vert_->Position(),
                -horz_->Position() + std::max<int>(horz_->Range(), rect.right),
                -vert_->Position() + std::max<int>(vert_->Range(), rect.bottom));
}

void TScrollingWinControl::AlignControls(TControl* control, TRect& rect) {
    TWinControl::AlignControls(control, rect);
    CalcAutoRange();
}

void TScrollingWinControl::CreateWnd() {
    TWinControl::CreateWnd();
    UpdateScrollBars();
}

void TScrollingWinControl::ScrollInView(TControl* control) {
    if (!control || control == this || !ContainsControl(control)) return;
    const TPoint origin =
        ScreenToClient(control->Parent()->ClientToScreen(Point(control->Left(), control->Top())));
    TRect r = Rect(origin.x, origin.y, origin.x + control->Width(), origin.y + control->Height());
    InflateRect(&r, horz_->Margin(), vert_->Margin());
    const TRect client = ClientRect();
    if (r.left < 0) {
        horz_->SetPosition(horz_->Position() + r.left);
    } else if (r.right > client.right) {
        if (r.right - r.left > client.right) r.right = r.left + client.right;
        horz_->SetPosition(horz_->Position() + r.right - client.right);
    }
    if (r.top < 0) {
        vert_->SetPosition(vert_->Position() + r.top);
    } else if (r.bottom > client.bottom) {
        if (r.bottom - r.top > client.bottom) r.bottom = r.top + client.bottom;
        vert_->SetPosition(vert_->Position() + r.bottom - client.bottom);
    }
}

void TScrollingWinControl::AutoScrollInView(TControl* control) {
    if (autoScroll_ && control && !(control->ComponentState() & csDestroying)) ScrollInView(control);
}

void TScrollingWinControl::WndProc(TMessage& m) {
    switch (m.Msg) {
        case WM_HSCROLL:
            if (m.LParam == 0) {
                horz_->ScrollMessage(m);
                return;
            }
            break;
        case WM_VSCROLL:
            if (m.LParam == 0) {
                vert_->ScrollMessage(m);
                return;
            }
            break;
        case WM_SIZE:
            TWinControl::WndProc(m);
            UpdateScrollBars();
            return;
    }
    TWinControl::WndProc(m);
}

// ---- TScrollBox --------------------------------------------------------------------
CL_CLASS_INFO(TScrollBox, EnumProp("BorderStyle", {"bsNone", "bsSingle"}, &TScrollBox::BorderStyle,
                                   &TScrollBox::SetBorderStyle))

TScrollBox::TScrollBox(TComponent* owner) : TScrollingWinControl(owner) {
    SetControlStyle(ControlStyle() | csAcceptsControls);
    SetBounds(0, 0, 185, 41);
}

void TScrollBox::SetBorderStyle(TBorderStyle value) {
    if (value == borderStyle_) return;
    borderStyle_ = value;
    RecreateWnd();
}

void TScrollBox::CreateParams(TCreateParams& params) {
    TScrollingWinControl::CreateParams(params);
    if (borderStyle_ == bsSingle) params.ExStyle |= WS_EX_CLIENTEDGE;
}

void TScrollBox::WndProc(TMessage& m) {
    // The arrow keys scroll the box instead of moving the focus.
    if (m.Msg == WM_GETDLGCODE) {
        m.Result = DLGC_WANTARROWS;
        return;
    }
    TScrollingWinControl::WndProc(m);
}

void TScrollBox::KeyDown(WORD& key, TShiftState shift) {
    TScrollingWinControl::KeyDown(key, shift);
    struct KeyScroll {
        WORD key;
        TShiftState modifier;  // changes the bar
        UINT bar, otherBar;
        WORD code;
    };
    static constexpr KeyScroll kKeys[] = {
        {VK_PRIOR, ssShift, WM_VSCROLL, WM_HSCROLL, SB_PAGEUP},
        {VK_NEXT, ssShift, WM_VSCROLL, WM_HSCROLL, SB_PAGEDOWN},
        {VK_HOME, ssCtrl, WM_HSCROLL, WM_VSCROLL, SB_TOP},
        {VK_END, ssCtrl, WM_HSCROLL, WM_VSCROLL, SB_BOTTOM},
        {VK_LEFT, 0, WM_HSCROLL, WM_HSCROLL, SB_LINEUP},
        {VK_RIGHT, 0, WM_HSCROLL, WM_HSCROLL, SB_LINEDOWN},
        {VK_UP, 0, WM_VSCROLL, WM_VSCROLL, SB_LINEUP},
        {VK_DOWN, 0, WM_VSCROLL, WM_VSCROLL, SB_LINEDOWN},
    };
    for (const KeyScroll& k : kKeys)
        if (k.key == key) Perform((shift & k.modifier) ? k.otherBar : k.bar, k.code, 0);
}

}  // namespace cl
