// Controls over BUTTON windows: TButtonControl, TButton, TCustomCheckBox
// and TRadioButton.
#include "classlib/win/DialogKeys.h"
#include "classlib/win/Forms.h"
#include "classlib/win/StdCtrls.h"

namespace cl {

// ---- TButtonControl ----------------------------------------------------------------
CL_CLASS_INFO(TButtonControl)

TButtonControl::TButtonControl(TComponent* owner) : TWinControl(owner) {}

void TButtonControl::SetWordWrap(bool value) {
    if (value == wordWrap_) return;
    wordWrap_ = value;
    RecreateWnd();
}

void TButtonControl::CreateParams(TCreateParams& p) {
    TWinControl::CreateParams(p);
    if (wordWrap_) p.Style |= BS_MULTILINE;
}

void TButtonControl::WndProc(TMessage& m) {
    switch (m.Msg) {
        case CM_DIALOGCHAR:
            // A push button clicks without the focus (TButton); a check box
            // or radio button takes it.
            if (ClickForAccel(*this, static_cast<WORD>(m.WParam))) {
                m.Result = 1;
                return;
            }
            break;
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
            // A radio button that gets the focus reports a click; a click
            // that only focuses must not check it before the mouse is up.
            if (HandleAllocated() && !Focused()) {
                clicksDisabled_ = true;
                ::SetFocus(WindowHandle());
                clicksDisabled_ = false;
                if (!Focused()) return;
            }
            break;
    }
    TWinControl::WndProc(m);
}

// ---- TButton -----------------------------------------------------------------------
CL_CLASS_INFO(TButton, Prop("Default", &TButton::Default, &TButton::SetDefault),
              Prop("Cancel", &TButton::Cancel, &TButton::SetCancel),
              Prop("ModalResult", &TButton::ModalResult, &TButton::SetModalResult))

TButton::TButton(TComponent* owner) : TButtonControl(owner) {
    controlStyle_ = csSetCaption | csDoubleClicks;
    SetBounds(0, 0, 75, 25);
    SetTabStop(true);
}

void TButton::CreateParams(TCreateParams& p) {
    TButtonControl::CreateParams(p);
    CreateSubClass(p, L"BUTTON");
    p.Style |= default_ ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON;
}

void TButton::CreateWnd() {
    TButtonControl::CreateWnd();
    active_ = default_;
}

void TButton::SetDefault(bool value) {
    default_ = value;
    TCustomForm* form = HandleAllocated() ? GetParentForm(this) : nullptr;
    if (form)
        form->Perform(CM_FOCUSCHANGED, 0, reinterpret_cast<LPARAM>(form->ActiveControl()));
    else
        active_ = value;
}

void TButton::SetButtonStyle(bool isDefault) {
    if (!HandleAllocated()) return;
    const LONG style = isDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON;
    if ((GetWindowLongW(WindowHandle(), GWL_STYLE) & BS_TYPEMASK) != style)
        SendMessageW(WindowHandle(), BM_SETSTYLE, style, TRUE);
}

void TButton::Click() {
    if (TCustomForm* form = GetParentForm(this)) form->SetModalResult(modalResult_);
    TButtonControl::Click();
}

void TButton::WndProc(TMessage& m) {
    switch (m.Msg) {
        case CN_COMMAND:
            if (!ClicksDisabled() && HIWORD(m.WParam) == BN_CLICKED) Click();
            return;
        case CM_DIALOGKEY:
            // Enter for the button Enter presses, Esc for the cancel
            // button; with a modifier held neither.
            if (((m.WParam == VK_RETURN && active_) || (m.WParam == VK_ESCAPE && cancel_)) &&
                (KeyDataToShiftState(m.LParam) & (ssShift | ssAlt | ssCtrl)) == 0 && CanFocus()) {
                Click();
                m.Result = 1;
                return;
            }
            break;
        case CM_DIALOGCHAR:
            if (IsAccel(static_cast<WORD>(m.WParam), Caption()) && CanFocus()) {
                Click();
                m.Result = 1;
                return;
            }
            break;
        case CM_FOCUSCHANGED: {
            auto* focused = reinterpret_cast<TWinControl*>(m.LParam);
            active_ = dynamic_cast<TButton*>(focused) ? focused == this : default_;
            SetButtonStyle(active_);
            break;
        }
    }
    TButtonControl::WndProc(m);
}

// ---- TCustomCheckBox ----------------------------------------------------------------
CL_CLASS_INFO(TCustomCheckBox, Prop("Checked", &TCustomCheckBox::Checked, &TCustomCheckBox::SetChecked),
              EnumProp("State", {"cbUnchecked", "cbChecked", "cbGrayed"}, &TCustomCheckBox::State,
                       &TCustomCheckBox::SetState),
              Prop("AllowGrayed", &TCustomCheckBox::AllowGrayed, &TCustomCheckBox::SetAllowGrayed))
CL_CLASS_INFO(TCheckBox)

TCustomCheckBox::TCustomCheckBox(TComponent* owner) : TButtonControl(owner) {
    controlStyle_ = csSetCaption | csDoubleClicks;
    SetBounds(0, 0, 97, 17);
    SetTabStop(true);
}

void TCustomCheckBox::CreateParams(TCreateParams& p) {
    TButtonControl::CreateParams(p);
    CreateSubClass(p, L"BUTTON");
    // Not an automatic box: every change goes through SetState.
    p.Style |= BS_3STATE;
    if (alignment_ == taLeftJustify) p.Style |= BS_LEFTTEXT;
}

void TCustomCheckBox::CreateWnd() {
    TButtonControl::CreateWnd();
    SendMessageW(WindowHandle(), BM_SETCHECK, state_, 0);
}

void TCustomCheckBox::SetAlignment(TAlignment value) {
    if (value == alignment_) return;
    alignment_ = value;
    RecreateWnd();
}

void TCustomCheckBox::SetState(TCheckBoxState value) {
    if (value == state_) return;
    state_ = value;
    if (HandleAllocated()) SendMessageW(WindowHandle(), BM_SETCHECK, value, 0);
    if (!ClicksDisabled()) Click();
}

void TCustomCheckBox::Toggle() {
    switch (state_) {
        case cbUnchecked:
            SetState(allowGrayed_ ? cbGrayed : cbChecked);
            break;
        case cbChecked:
            SetState(cbUnchecked);
            break;
        case cbGrayed:
            SetState(cbChecked);
            break;
    }
}

void TCustomCheckBox::WndProc(TMessage& m) {
    if (m.Msg == CN_COMMAND) {
        if (!ClicksDisabled() && HIWORD(m.WParam) == BN_CLICKED) Toggle();
        return;
    }
    TButtonControl::WndProc(m);
}

// ---- TRadioButton --------------------------------------------------------------------
CL_CLASS_INFO(TRadioButton, Prop("Checked", &TRadioButton::Checked, &TRadioButton::SetChecked))

TRadioButton::TRadioButton(TComponent* owner) : TButtonControl(owner) {
    controlStyle_ = csSetCaption | csDoubleClicks;
    SetBounds(0, 0, 113, 17);
}

void TRadioButton::CreateParams(TCreateParams& p) {
    TButtonControl::CreateParams(p);
    CreateSubClass(p, L"BUTTON");
    // Not an automatic button: the siblings are unchecked by SetChecked.
    p.Style |= BS_RADIOBUTTON;
    if (alignment_ == taLeftJustify) p.Style |= BS_LEFTTEXT;
}

void TRadioButton::CreateWnd() {
    TButtonControl::CreateWnd();
    SendMessageW(WindowHandle(), BM_SETCHECK, checked_, 0);
}

void TRadioButton::SetAlignment(TAlignment value) {
    if (value == alignment_) return;
    alignment_ = value;
    RecreateWnd();
}

void TRadioButton::SetChecked(bool value) {
    if (value == checked_) return;
    checked_ = value;
    SetTabStop(value);
    if (HandleAllocated()) SendMessageW(WindowHandle(), BM_SETCHECK, value, 0);
    if (!value) return;
    if (TWinControl* parent = Parent()) {
        for (int i = 0; i < parent->ControlCount(); ++i) {
            auto* sibling = dynamic_cast<TRadioButton*>(parent->Controls(i));
            if (sibling && sibling != this) sibling->SetChecked(false);
        }
    }
    if (!ClicksDisabled()) Click();
}

void TRadioButton::WndProc(TMessage& m) {
    if (m.Msg == WM_SETFOCUS) {
        TButtonControl::WndProc(m);
        // Windows' radio button reports a click when it gets the focus
        // unchecked other than by the mouse (arrow keys check the next
        // radio button); Wine's does not, so the click is made here.  On
        // Windows the second report finds the button already checked.  A
        // group with no answer yet is only entered: the focus answers nothing.
        HWND wnd = WindowHandle();
        if (wnd && !checked_ && GetCapture() != wnd && GroupHasChoice(this))
            Perform(CN_COMMAND, MAKEWPARAM(GetDlgCtrlID(wnd), BN_CLICKED), reinterpret_cast<LPARAM>(wnd));
        return;
    }
    if (m.Msg == CN_COMMAND) {
        if (ClicksDisabled()) return;
        switch (HIWORD(m.WParam)) {
            case BN_CLICKED:
                SetChecked(true);
                break;
            case BN_DOUBLECLICKED:
                DblClick();
                break;
        }
        return;
    }
    TButtonControl::WndProc(m);
}

}  // namespace cl
