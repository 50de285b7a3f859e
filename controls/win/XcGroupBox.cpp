#include "controls/win/XcGroupBox.h"

#include "controls/win/XcThemeServices.h"

using namespace cl;

XC_CLASS_INFO(TXcGroupBox,
              Prop("PropagateEnable", &TXcGroupBox::PropagateEnable, &TXcGroupBox::SetPropagateEnable))

TXcGroupBox::TXcGroupBox(TComponent* owner) : TXcEnhanced(owner) {
    SetControlStyle(ControlStyle() | csAcceptsControls);
}

void TXcGroupBox::SetPropagateEnable(bool value) {
    propagateEnable_ = value;
    EnableChildren();
}

void TXcGroupBox::EnableChildren() {
    for (int i = 0; i < ControlCount(); ++i) Controls(i)->SetEnabled(Enabled());
}

void TXcGroupBox::WndProc(TMessage& m) {
    switch (m.Msg) {
        case CM_ENABLEDCHANGED:
            TXcEnhanced::WndProc(m);
            if (propagateEnable_) EnableChildren();
            Invalidate();
            return;
        case CM_CTL3DCHANGED:
            // The frame is painted, not the window's.
            Invalidate();
            return;
    }
    TXcEnhanced::WndProc(m);
}

bool TXcGroupBox::WantKey(WORD charCode, LPARAM keyData) {
    // The box answers its own accelerator before its children hear of it.
    const bool own = IsAccel(charCode, Caption()) && CanFocus();
    const bool taken = TXcEnhanced::WantKey(charCode, keyData);
    if (taken && own) DoHotKey();
    return taken;
}

void TXcGroupBox::DoHotKey() {
    if (OnHotKey) OnHotKey(this);
}

void TXcGroupBox::Paint() {
    if (ThemeServicesOf().ThemesEnabled())
        TXcEnhanced::Paint();
    else
        PaintClassic();
}

void TXcGroupBox::PaintClassic() {
    TCanvas* c = Canvas();
    HDC dc = c->Handle();
    const int savedMode = GetBkMode(dc);
    c->Brush()->SetColor(Color());
    c->FillRect(ClientRect());
    c->SetFont(Font());
    const int h = c->TextHeight("0");
    TRect r = Rect(0, h / 2 - 1, Width(), Height());
    if (Ctl3D()) {
        ++r.left;
        ++r.top;
        c->Brush()->SetColor(clBtnHighlight);
        c->FrameRect(r);
        OffsetRect(&r, -1, -1);
        c->Brush()->SetColor(clBtnShadow);
    } else {
        c->Brush()->SetColor(clWindowFrame);
    }
    c->FrameRect(r);
    const std::string text = Caption();
    if (!text.empty()) {
        // Right-to-left aligned, the caption sits at the right end of the frame.
        const int left = UseRightToLeftAlignment() ? r.right - c->TextWidth(text) - 8 : 8;
        TRect textRect = Rect(left, 0, 0, h);
        const UINT flags = DrawTextBiDiModeFlags(DT_SINGLELINE);
        SetBkMode(dc, OPAQUE);
        c->DrawText(text, textRect, flags | DT_CALCRECT);
        c->Brush()->SetColor(Color());
        if (Enabled()) {
            c->DrawText(text, textRect, flags);
        } else {
            OffsetRect(&textRect, 1, 1);
            c->Font()->SetColor(clBtnHighlight);
            c->DrawText(text, textRect, flags);
            OffsetRect(&textRect, -1, -1);
            c->Font()->SetColor(clBtnShadow);
            c->Brush()->SetStyle(bsClear);
            c->DrawText(text, textRect, flags);
        }
    }
    SetBkMode(c->Handle(), savedMode);
}
