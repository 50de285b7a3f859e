// TCustomUpDown over the common controls' up-down window.
#include "classlib/win/UpDown.h"

#include <commctrl.h>

#include "classlib/StrUtils.h"

namespace cl {

CL_CLASS_INFO(TCustomUpDown, Prop("Min", &TCustomUpDown::Min, &TCustomUpDown::SetMin),
              Prop("Max", &TCustomUpDown::Max, &TCustomUpDown::SetMax),
              Prop("Position", &TCustomUpDown::Position, &TCustomUpDown::SetPosition),
              Prop("Increment", &TCustomUpDown::Increment, &TCustomUpDown::SetIncrement))
CL_CLASS_INFO(TUpDown)

TCustomUpDown::TCustomUpDown(TComponent* owner) : TWinControl(owner) {
    controlStyle_ &= ~csDoubleClicks;
    SetBounds(0, 0, GetSystemMetrics(SM_CXVSCROLL), 33);
}

void TCustomUpDown::CreateParams(TCreateParams& p) {
    INITCOMMONCONTROLSEX icc{sizeof icc, ICC_UPDOWN_CLASS};
    InitCommonControlsEx(&icc);
    TWinControl::CreateParams(p);
    CreateSubClass(p, UPDOWN_CLASSW);
    p.Style |= UDS_SETBUDDYINT | UDS_ALIGNRIGHT | UDS_ARROWKEYS;
    if (orientation_ == udHorizontal) p.Style |= UDS_HORZ;
    if (wrap_) p.Style |= UDS_WRAP;
}

void TCustomUpDown::CreateWnd() {
    // Binding a buddy resizes the up-down; it keeps the width it had.
    const int width = Width();
    TWinControl::CreateWnd();
    HWND wnd = WindowHandle();
    if (associate_) SendMessageW(wnd, UDM_SETBUDDY, reinterpret_cast<WPARAM>(associate_->Handle()), 0);
    SetWidth(width);
    SendRange();
    SendMessageW(wnd, UDM_SETPOS32, 0, position_);
    SetIncrement(increment_);
}

void TCustomUpDown::SendRange() {
    if (HandleAllocated()) SendMessageW(WindowHandle(), UDM_SETRANGE32, static_cast<WPARAM>(min_), max_);
}

void TCustomUpDown::Notification(TComponent* component, TOperation operation) {
    TWinControl::Notification(component, operation);
    if (operation == opRemove && component == associate_) SetAssociate(nullptr);
}

void TCustomUpDown::SetAssociate(TWinControl* value) {
    if (associate_) {
        if (HandleAllocated()) SendMessageW(WindowHandle(), UDM_SETBUDDY, 0, 0);
        associate_ = nullptr;
    }
    // Only a sibling can be the buddy.
    if (!value || value == this || value->Parent() != Parent()) return;
    associate_ = value;
    value->FreeNotification(this);
    if (HandleAllocated())
        SendMessageW(WindowHandle(), UDM_SETBUDDY, reinterpret_cast<WPARAM>(value->Handle()), 0);
    value->SetText(IntToStr(position_));
}

void TCustomUpDown::SetMin(int value) {
    if (value == min_) return;
    min_ = value;
    SendRange();
}

void TCustomUpDown::SetMax(int value) {
    if (value == max_) return;
    max_ = value;
    SendRange();
}

int TCustomUpDown::Position() const {
    if (HandleAllocated()) position_ = static_cast<int>(SendMessageW(WindowHandle(), UDM_GETPOS32, 0, 0));
    return position_;
}

void TCustomUpDown::SetPosition(int value) {
    position_ = value;
    if (HandleAllocated()) SendMessageW(WindowHandle(), UDM_SETPOS32, 0, value);
}

void TCustomUpDown::SetIncrement(int value) {
    increment_ = value;
    if (!HandleAllocated()) return;
    UDACCEL accel{0, static_cast<UINT>(value)};
    SendMessageW(WindowHandle(), UDM_SETACCEL, 1, reinterpret_cast<LPARAM>(&accel));
}

void TCustomUpDown::SetOrientation(TUDOrientation value) {
    if (value == orientation_) return;
    orientation_ = value;
    if (!(ComponentState() & csLoading)) SetBounds(Left(), Top(), Height(), Width());
    RecreateWnd();
}

void TCustomUpDown::SetWrap(bool value) {
    if (value == wrap_) return;
    wrap_ = value;
    RecreateWnd();
}

bool TCustomUpDown::CanChange() {
    bool allow = true;
    if (OnChanging) OnChanging(this, allow);
    return allow;
}

void TCustomUpDown::Click(TUDBtnType button) {
    if (OnClick) OnClick(this, button);
}

void TCustomUpDown::WndProc(TMessage& m) {
    switch (m.Msg) {
        case CN_NOTIFY: {
            const auto* nm = reinterpret_cast<const NMUPDOWN*>(m.LParam);
            if (nm->hdr.code != UDN_DELTAPOS) return;
            // The step's direction, before a wrap can turn the position round.
            pendingButton_ = nm->iDelta >= 0 ? btNext : btPrev;
            m.Result = CanChange() ? 0 : 1;
            return;
        }
        case CN_HSCROLL:
        case CN_VSCROLL:
            if (LOWORD(m.WParam) == SB_THUMBPOSITION) {
                const int old = position_;
                if (Position() != old) Click(pendingButton_);
            }
            return;
    }
    TWinControl::WndProc(m);
}

}  // namespace cl
