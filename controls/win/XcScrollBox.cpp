#include "controls/win/XcScrollBox.h"

#include "controls/win/XcThemes.h"

using namespace cl;

XC_CLASS_INFO(TXcScrollBox, Prop("HotTrack", &TXcScrollBox::HotTrack, &TXcScrollBox::SetHotTrack))

TXcScrollBox::TXcScrollBox(TComponent* owner) : TXcEnhanced(owner) {
    SetControlStyle(ControlStyle() | csAcceptsControls);
    IncludeThemeStyle(this, csNeedsBorderPaint);
}

void TXcScrollBox::SetHotTrack(bool value) {
    if (value == hotTrack_) return;
    hotTrack_ = value;
    if (value) SetCtl3D(false);
}

void TXcScrollBox::ShowCtl3D() {
    if (!HandleAllocated() || BorderStyle() != bsSingle) return;
    // The frame changes in place: a new window under the pointer would
    // lose the pointer's enter and leave.
    HWND wnd = WindowHandle();
    LONG style = GetWindowLongW(wnd, GWL_STYLE);
    LONG exStyle = GetWindowLongW(wnd, GWL_EXSTYLE);
    if (Ctl3D()) {
        style &= ~WS_BORDER;
        exStyle |= WS_EX_CLIENTEDGE;
    } else {
        style |= WS_BORDER;
        exStyle &= ~WS_EX_CLIENTEDGE;
    }
    SetWindowLongW(wnd, GWL_STYLE, style);
    SetWindowLongW(wnd, GWL_EXSTYLE, exStyle);
    SetWindowPos(wnd, nullptr, 0, 0, 0, 0,
                 SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void TXcScrollBox::CreateParams(TCreateParams& p) {
    TXcEnhanced::CreateParams(p);
    if (BorderStyle() == bsSingle && !Ctl3D()) {
        p.ExStyle &= ~WS_EX_CLIENTEDGE;
        p.Style |= WS_BORDER;
    }
}

void TXcScrollBox::GetDlgCode(UINT& code) {
    // Every key but Tab, which the class library asks about by its own mask.
    code = DLGC_WANTALLKEYS | DLGC_WANTARROWS;
}

void TXcScrollBox::MouseEnter(TControl* control) {
    if (MouseOver()) return;
    if (!(ComponentState() & csDesigning) && hotTrack_) SetCtl3D(true);
    TXcEnhanced::MouseEnter(control);
}

void TXcScrollBox::MouseLeave(TControl* control) {
    if (!(ComponentState() & csDesigning) && hotTrack_) SetCtl3D(false);
    TXcEnhanced::MouseLeave(control);
}

void TXcScrollBox::WndProc(TMessage& m) {
    switch (m.Msg) {
        case CM_CTL3DCHANGED:
            ShowCtl3D();
            return;
        case WM_LBUTTONDOWN:
            if (!Focused() && !(ComponentState() & csDesigning) && CanFocus()) SetFocus();
            break;
        case WM_HSCROLL:
            TXcEnhanced::WndProc(m);
            if (m.LParam == 0 && OnHorizontalScroll) OnHorizontalScroll(this);
            return;
        case WM_VSCROLL:
            TXcEnhanced::WndProc(m);
            if (m.LParam == 0 && OnVerticalScroll) OnVerticalScroll(this);
            return;
    }
    TXcEnhanced::WndProc(m);
}
