// TCustomLabel (painted on its parent) and TCustomStaticText (a STATIC window).
#include "classlib/win/GdiHandles.h"
#include "classlib/win/StdCtrls.h"

namespace cl {

namespace {

const UINT kTextAlignments[] = {DT_LEFT, DT_RIGHT, DT_CENTER};

// Focuses control for a caption's accelerator; true when it took the key.
bool FocusForAccel(TMessage& m, const std::string& caption, bool enabled, bool showAccelChar,
                   TWinControl* control) {
    if (!control || !enabled || !showAccelChar || !IsAccel(static_cast<WORD>(m.WParam), caption))
        return false;
    if (!control->CanFocus()) return false;
    control->SetFocus();
    m.Result = 1;
    return true;
}

}  // namespace

// ---- TCustomLabel ------------------------------------------------------------------
CL_CLASS_INFO(TCustomLabel)
CL_CLASS_INFO(TLabel)

TCustomLabel::TCustomLabel(TComponent* owner) : TGraphicControl(owner) {
    controlStyle_ |= csOpaque | csReplicatable;
    SetBounds(0, 0, 65, 17);
}

void TCustomLabel::SetAlignment(TAlignment value) {
    if (value == alignment_) return;
    alignment_ = value;
    Invalidate();
}

void TCustomLabel::SetAutoSize(bool value) {
    if (value == autoSize_) return;
    autoSize_ = value;
    AdjustBounds();
}

void TCustomLabel::SetFocusControl(TWinControl* value) {
    if (value == focusControl_) return;
    focusControl_ = value;
    if (value) value->FreeNotification(this);
}

void TCustomLabel::SetLayout(TTextLayout value) {
    if (value == layout_) return;
    layout_ = value;
    Invalidate();
}

void TCustomLabel::SetShowAccelChar(bool value) {
    if (value == showAccelChar_) return;
    showAccelChar_ = value;
    Invalidate();
    AdjustBounds();
}

void TCustomLabel::SetTransparent(bool value) {
    if (value == Transparent()) return;
    if (value)
        controlStyle_ &= ~csOpaque;
    else
        controlStyle_ |= csOpaque;
    Invalidate();
}

void TCustomLabel::SetWordWrap(bool value) {
    if (value == wordWrap_) return;
    wordWrap_ = value;
    AdjustBounds();
    Invalidate();
}

void TCustomLabel::Notification(TComponent* component, TOperation operation) {
    TGraphicControl::Notification(component, operation);
    if (operation == opRemove && component == focusControl_) focusControl_ = nullptr;
}

void TCustomLabel::DoDrawText(TRect& rect, UINT flags) {
    std::string text = GetLabelText();
    // An empty caption still measures one line high.
    if ((flags & DT_CALCRECT) && (text.empty() || (showAccelChar_ && text == "&"))) text += ' ';
    if (!showAccelChar_) flags |= DT_NOPREFIX;
    TCanvas* canvas = Canvas();
    canvas->SetFont(Font());
    if (Enabled() || (flags & DT_CALCRECT)) {
        canvas->DrawText(text, rect, flags);
        return;
    }
    // Disabled: embossed, a highlight copy one pixel down and right.
    OffsetRect(&rect, 1, 1);
    canvas->Font()->SetColor(clBtnHighlight);
    canvas->DrawText(text, rect, flags);
    OffsetRect(&rect, -1, -1);
    canvas->Font()->SetColor(clBtnShadow);
    canvas->DrawText(text, rect, flags);
}

void TCustomLabel::Paint() {
    TCanvas* canvas = Canvas();
    TRect r = ClientRect();
    if (!Transparent()) {
        canvas->Brush()->SetColor(Color());
        canvas->Brush()->SetStyle(bsSolid);
        canvas->FillRect(r);
    }
    canvas->Brush()->SetStyle(bsClear);
    const UINT style = DT_EXPANDTABS | (wordWrap_ ? DT_WORDBREAK : 0) | kTextAlignments[alignment_];
    if (layout_ != tlTop) {
        TRect calc = r;
        DoDrawText(calc, style | DT_CALCRECT);
        const int dy = Height() - calc.bottom;
        OffsetRect(&r, 0, layout_ == tlBottom ? dy : dy / 2);
    }
    DoDrawText(r, style);
}

void TCustomLabel::AdjustBounds() {
    if ((ComponentState() & csReading) || !autoSize_) return;
    TRect r = ClientRect();
    const WindowDC screen(nullptr);
    const CanvasDCScope lent(*Canvas(), screen.get());
    DoDrawText(r, DT_EXPANDTABS | DT_CALCRECT | (wordWrap_ ? DT_WORDBREAK : 0));
    int x = Left();
    if (alignment_ == taRightJustify) x += Width() - r.right;
    SetBounds(x, Top(), r.right, r.bottom);
}

void TCustomLabel::WndProc(TMessage& m) {
    switch (m.Msg) {
        case CM_TEXTCHANGED:
            Invalidate();
            AdjustBounds();
            return;
        case CM_FONTCHANGED:
            TGraphicControl::WndProc(m);
            AdjustBounds();
            return;
        case CM_DIALOGCHAR:
            if (FocusForAccel(m, Caption(), Enabled(), showAccelChar_, focusControl_)) return;
            break;
    }
    TGraphicControl::WndProc(m);
}

// ---- TCustomStaticText -----------------------------------------------------------
CL_CLASS_INFO(TCustomStaticText)
CL_CLASS_INFO(TStaticText)

TCustomStaticText::TCustomStaticText(TComponent* owner) : TWinControl(owner) {
    controlStyle_ =
        csCaptureMouse | csClickEvents | csSetCaption | csOpaque | csReplicatable | csDoubleClicks;
    SetBounds(0, 0, 65, 17);
    AdjustBounds();
}

void TCustomStaticText::CreateParams(TCreateParams& p) {
    TWinControl::CreateParams(p);
    CreateSubClass(p, L"STATIC");
    static const DWORD kAlignments[] = {SS_LEFT, SS_RIGHT, SS_CENTER};
    static const DWORD kBorders[] = {0, WS_BORDER, SS_SUNKEN};
    p.Style |= SS_NOTIFY | kAlignments[alignment_] | kBorders[borderStyle_];
    if (!showAccelChar_) p.Style |= SS_NOPREFIX;
}

void TCustomStaticText::SetAlignment(TAlignment value) {
    if (value == alignment_) return;
    alignment_ = value;
    RecreateWnd();
}

void TCustomStaticText::SetAutoSize(bool value) {
    if (value == autoSize_) return;
    autoSize_ = value;
    AdjustBounds();
}

void TCustomStaticText::SetBorderStyle(TStaticBorderStyle value) {
    if (value == borderStyle_) return;
    borderStyle_ = value;
    RecreateWnd();
}

void TCustomStaticText::SetFocusControl(TWinControl* value) {
    if (value == focusControl_) return;
    focusControl_ = value;
    if (value) value->FreeNotification(this);
}

void TCustomStaticText::SetShowAccelChar(bool value) {
    if (value == showAccelChar_) return;
    showAccelChar_ = value;
    RecreateWnd();
}

void TCustomStaticText::Notification(TComponent* component, TOperation operation) {
    TWinControl::Notification(component, operation);
    if (operation == opRemove && component == focusControl_) focusControl_ = nullptr;
}

void TCustomStaticText::AdjustBounds() {
    if ((ComponentState() & csReading) || !autoSize_) return;
    const SIZE size = ScreenTextExtent(*Font(), Caption());
    SetBounds(Left(), Top(), size.cx + GetSystemMetrics(SM_CXBORDER) * 4,
              size.cy + GetSystemMetrics(SM_CYBORDER) * 4);
}

void TCustomStaticText::WndProc(TMessage& m) {
    switch (m.Msg) {
        case CM_TEXTCHANGED:
            AdjustBounds();
            Invalidate();
            return;
        case CM_FONTCHANGED:
            TWinControl::WndProc(m);
            AdjustBounds();
            return;
        case CM_DIALOGCHAR:
            if (FocusForAccel(m, Caption(), Enabled(), showAccelChar_, focusControl_)) return;
            break;
    }
    TWinControl::WndProc(m);
}

}  // namespace cl
