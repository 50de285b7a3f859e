#include "controls/numeric/win/NcKitEdit.h"

#include <algorithm>
#include <initializer_list>
#include <utility>

#include "classlib/Exceptions.h"
#include "classlib/win/Forms.h"
#include "classlib/win/GdiHandles.h"
#include "controls/numeric/win/NcKitMsgs.h"

namespace {

std::function<void()>& BeepHook() {
    static std::function<void()> hook;
    return hook;
}

// The first colour that is not clNone.
cl::TColor FirstColour(std::initializer_list<cl::TColor> candidates) {
    for (cl::TColor c : candidates)
        if (c != cl::clNone) return c;
    return cl::clNone;
}

constexpr cl::TShiftState kModifiers = cl::ssShift | cl::ssAlt | cl::ssCtrl;

}  // namespace

void NcMessageBeep() {
    if (BeepHook())
        BeepHook()();
    else
        MessageBeep(0);
}

void SetNcBeepHook(std::function<void()> hook) {
    BeepHook() = std::move(hook);
}

// ---- TNcCustomEdit ----------------------------------------------------------
CL_CLASS_INFO(
    TNcCustomEdit, Prop("StoreValue", &TNcCustomEdit::StoreValue, &TNcCustomEdit::SetStoreValue),
    Prop("NumPadDecimal", &TNcCustomEdit::NumPadDecimal, &TNcCustomEdit::SetNumPadDecimal),
    Prop("Flat", &TNcCustomEdit::Flat, &TNcCustomEdit::SetFlat),
    Prop("LineEdit", &TNcCustomEdit::LineEdit, &TNcCustomEdit::SetLineEdit),
    Prop("FlatBorder", &TNcCustomEdit::FlatBorder, &TNcCustomEdit::SetFlatBorder),
    Prop("AllowKbdNull", &TNcCustomEdit::AllowKbdNull, &TNcCustomEdit::SetAllowKbdNull),
    Prop("Null", &TNcCustomEdit::Null, &TNcCustomEdit::SetNull),
    StoredWhen(Prop("NullStr", &TNcCustomEdit::NullStr, &TNcCustomEdit::SetNullStr),
               &TNcCustomEdit::NullStrStored),
    Prop("BlankWhenNull", &TNcCustomEdit::BlankWhenNull, &TNcCustomEdit::SetBlankWhenNull),
    NeverStored(Prop("Color_Defaults", &TNcCustomEdit::Color_Defaults, &TNcCustomEdit::SetColor_Defaults)),
    Prop("ColorBorderFocus", &TNcCustomEdit::ColorBorderFocus, &TNcCustomEdit::SetColorBorderFocus),
    Prop("ColorBorderUnfocus", &TNcCustomEdit::ColorBorderUnfocus, &TNcCustomEdit::SetColorBorderUnfocus),
    Prop("ColorDisabled", &TNcCustomEdit::ColorDisabled, &TNcCustomEdit::SetColorDisabled),
    Prop("ColorFocus", &TNcCustomEdit::ColorFocus, &TNcCustomEdit::SetColorFocus),
    Prop("ColorRO", &TNcCustomEdit::ColorRO, &TNcCustomEdit::SetColorRO),
    Prop("ColorRW", &TNcCustomEdit::ColorRW, &TNcCustomEdit::SetColorRW),
    Prop("ReadOnly", &TNcCustomEdit::ReadOnly, &TNcCustomEdit::SetReadOnly),
    // The value is stored by the numeric edits' As... properties.
    NeverStored(Prop("Text", &cl::TControl::Text, &cl::TControl::SetText)),
    NeverStored(Prop("Caption", &cl::TControl::Caption, &cl::TControl::SetCaption)),
    NeverStored(Prop("AsString", &TNcCustomEdit::AsString, &TNcCustomEdit::SetAsString)),
    NeverStored(Prop("Version", &TNcCustomEdit::Version, &TNcCustomEdit::SetVersion)))

TNcCustomEdit::TNcCustomEdit(cl::TComponent* owner)
    : TCustomEdit(owner), flatBorder_(std::clamp(NcDefaultFlatBorder, 1, 2)), nullStr_(NcDefaultNullStr) {
    // A numeric edit never shows its component name as its text.
    controlStyle_ &= ~cl::csSetCaption;
    for (int c = 32; c < 256; ++c) validChars_.set(static_cast<size_t>(c));
    savedValidChars_ = validChars_;
    TNcCustomEdit::SetColorDefaults();
    UpdateColours();
}

std::string TNcCustomEdit::WindowText() const {
    return TCustomEdit::GetText();
}

void TNcCustomEdit::WriteWindowText(const std::string& text) {
    TCustomEdit::SetTextValue(text);
}

std::string TNcCustomEdit::GetAsString() const {
    return null_ ? std::string() : WindowText();
}

void TNcCustomEdit::SetAsString(const std::string& text) {
    // Compared with the window itself, so what the user typed counts.
    if (text == WindowText()) return;
    if (null_) null_ = text == NullDisplay();
    WriteWindowText(text);
    // A text that does not parse stays as it is, for the caller to judge.
    if (ParsedTextToValue() && !reformatting_) DisplayValue();
}

bool TNcCustomEdit::ParsedTextToValue() {
    try {
        TextToValue();
        return true;
    } catch (const cl::EConvertError&) {
        // Safe to drop: the value keeps its last good state and the text
        // stays on screen, where the owner of the edit judges it.
        return false;
    }
}

void TNcCustomEdit::DisplayValue() {
    if (null_) SetAsString(NullDisplay());
}

void TNcCustomEdit::SetNull(bool value) {
    if (value == null_) return;
    null_ = value;
    DisplayValue();
}

void TNcCustomEdit::SetNullStr(const std::string& value) {
    if (value == nullStr_) return;
    nullStr_ = value;
    DisplayValue();
}

void TNcCustomEdit::SetBlankWhenNull(bool value) {
    if (value == blankWhenNull_) return;
    blankWhenNull_ = value;
    DisplayValue();
}

void TNcCustomEdit::LeaveNullCleared() {
    null_ = false;
    WriteWindowText("");
}

void TNcCustomEdit::SetValidCharSet(const TNcCharSet& chars) {
    savedValidChars_ = chars;
    if (!ReadOnly()) validChars_ = chars;
}

void TNcCustomEdit::SetReadOnly(bool value) {
    if (value == ReadOnly()) return;
    TCustomEdit::SetReadOnly(value);
    validChars_ = value ? TNcCharSet() : savedValidChars_;
    if (NcReadOnlyNoTabStop) SetTabStop(!value);
    UpdateColours();
    Invalidate();
}

// ---- Colours and border -------------------------------------------------------
void TNcCustomEdit::SetColorDefaults() {
    colorRO_ = NcDefaultColorRO;
    colorRW_ = NcDefaultColorRW;
    colorFocus_ = NcDefaultColorFocus;
    colorBorderFocus_ = NcDefaultColorBorderFocus;
    colorBorderUnfocus_ = NcDefaultColorBorderUnfocus;
    colorDisabled_ = NcDefaultColorDisabled;
}

void TNcCustomEdit::SetColor_Defaults(bool value) {
    colorDefaults_ = value;
    if (!value) return;
    SetColorDefaults();
    UpdateColours();
}

void TNcCustomEdit::ColourChanged(cl::TColor& colour, cl::TColor value) {
    if (value == colour) return;
    colorDefaults_ = false;
    colour = value;
    // A disabled edit shows a new ColorDisabled at once, an enabled one
    // the next time it is disabled.
    UpdateColours();
}

void TNcCustomEdit::SetColorBorderFocus(cl::TColor value) {
    ColourChanged(colorBorderFocus_, value);
}
void TNcCustomEdit::SetColorBorderUnfocus(cl::TColor value) {
    ColourChanged(colorBorderUnfocus_, value);
}
void TNcCustomEdit::SetColorDisabled(cl::TColor value) {
    ColourChanged(colorDisabled_, value);
}
void TNcCustomEdit::SetColorFocus(cl::TColor value) {
    ColourChanged(colorFocus_, value);
}
void TNcCustomEdit::SetColorRO(cl::TColor value) {
    ColourChanged(colorRO_, value);
}
void TNcCustomEdit::SetColorRW(cl::TColor value) {
    ColourChanged(colorRW_, value);
}

void TNcCustomEdit::UpdateColours() {
    if (colorRW_ == cl::clNone) {
        // Switching ParentColor on takes the parent's colour afresh.
        SetParentColor(false);
        SetParentColor(true);
    }
    if (flat_ || lineEdit_) {
        PaintFlatBorder();
        return;
    }
    cl::TColor colour = colorRW_;
    if (!Enabled())
        colour = FirstColour({colorDisabled_, colorRW_});
    else if (ReadOnly())
        colour = FirstColour({colorRO_, colorRW_});
    else if (hasFocus_)
        colour = FirstColour({colorFocus_, colorRW_});
    if (colour != cl::clNone) SetColor(colour);
    Invalidate();
}

void TNcCustomEdit::SetFlat(bool value) {
    if (value == flat_) return;
    flat_ = value;
    if (!value) lineEdit_ = false;
    BorderStyleChanged();
}

void TNcCustomEdit::SetLineEdit(bool value) {
    if (value == lineEdit_) return;
    lineEdit_ = value;
    if (value) flat_ = true;
    BorderStyleChanged();
}

void TNcCustomEdit::BorderStyleChanged() {
    if (flat_ || lineEdit_) {
        PaintFlatBorder();
        return;
    }
    // The system frame returns with a new window.
    RecreateWnd();
    UpdateColours();
}

void TNcCustomEdit::SetFlatBorder(int value) {
    value = std::clamp(value, 1, 2);
    if (value == flatBorder_) return;
    flatBorder_ = value;
    if (flat_ || lineEdit_) PaintFlatBorder();
}

void TNcCustomEdit::PaintFlatBorder() {
    const cl::TColor focusBorder = FirstColour({colorBorderFocus_, colorBorderUnfocus_, colorRW_, Color()});
    const cl::TColor unfocusBorder = FirstColour({colorBorderUnfocus_, colorBorderFocus_, colorRW_, Color()});
    const bool hot = !(ComponentState() & cl::csDesigning) && (hasFocus_ || mouseInside_);
    cl::TColor fill = cl::clNone;
    if (!Enabled())
        fill = colorDisabled_;
    else if (ReadOnly())
        fill = colorRO_;
    else if (hot)
        fill = colorFocus_;
    if (fill == cl::clNone) fill = FirstColour({colorRW_, Color()});
    SetColor(fill);
    if (!HandleAllocated()) return;

    HWND wnd = WindowHandle();
    const cl::WindowDC dc(wnd, GetWindowDC(wnd));
    if (!dc) return;
    RECT r;
    GetWindowRect(wnd, &r);
    OffsetRect(&r, -r.left, -r.top);
    const cl::OwnedBrush borderBrush(
        CreateSolidBrush(static_cast<COLORREF>(cl::ColorToRGB(hot ? focusBorder : unfocusBorder))));
    const cl::OwnedBrush fillBrush(CreateSolidBrush(static_cast<COLORREF>(cl::ColorToRGB(fill))));
    if (lineEdit_) {
        for (int i = 0; i < 2; ++i) {
            FrameRect(dc.get(), &r, fillBrush.get());
            InflateRect(&r, -1, -1);
        }
        const cl::OwnedPen pen(
            CreatePen(PS_SOLID, flatBorder_, static_cast<COLORREF>(cl::ColorToRGB(focusBorder))));
        const cl::SelectedObject selected(dc.get(), pen.get());
        MoveToEx(dc.get(), r.left - 2, r.bottom + 1, nullptr);
        LineTo(dc.get(), r.right + 2, r.bottom + 1);
    } else {
        for (int i = 0; i < flatBorder_; ++i) {
            FrameRect(dc.get(), &r, borderBrush.get());
            InflateRect(&r, -1, -1);
        }
    }
    FrameRect(dc.get(), &r, fillBrush.get());
}

// ---- Keys ------------------------------------------------------------------------
void TNcCustomEdit::SelectNextControl(bool forward) {
    if (cl::TCustomForm* form = cl::GetParentForm(this)) form->SelectNext(this, forward, true);
}

void TNcCustomEdit::KeyPress(char& key) {
    TCustomEdit::KeyPress(key);
    if (key != 0) EditKeyPress(key);
}

void TNcCustomEdit::EditKeyPress(char& key) {
    switch (key) {
        case '\r':
            if (!NcEnterAsTab) return;
            key = 0;
            SelectNextControl(true);
            return;
        case '\x1B':
            if (!NcEscUndo) return;
            key = 0;
            Perform(WM_UNDO, 0, 0);
            return;
        case '\x0E':  // Ctrl+N
            if (!allowKbdNull_) return;
            key = 0;
            // A read-only value is not the keyboard's to erase.
            if (ReadOnly()) {
                NcMessageBeep();
                return;
            }
            SetNull(true);
            if (OnNull) OnNull(this);
            return;
        case '\x01':  // Ctrl+A
            key = 0;
            SelectAll();
            return;
    }
    if (static_cast<unsigned char>(key) < 32) return;
    if (validChars_.none() || !IsValidChar(key)) {
        key = 0;
        NcMessageBeep();
        return;
    }
    if (null_) LeaveNullCleared();
}

void TNcCustomEdit::KeyDown(WORD& key, cl::TShiftState shift) {
    const cl::TShiftState modifiers = shift & kModifiers;
    // A mark no character followed does not carry over to another key.
    numPadDecimalPressed_ = false;
    if (modifiers == 0) {
        if (key == VK_DELETE && ReadOnly())
            key = 0;
        else if (key == VK_DECIMAL && numPadDecimal_)
            // Only noted: the character it types follows as WM_CHAR.
            numPadDecimalPressed_ = true;
    } else if (modifiers == cl::ssShift && key == VK_INSERT && ReadOnly()) {
        key = 0;
    }
    if (NcArrowsMove && modifiers == 0) {
        if (key == VK_UP) {
            key = 0;
            SelectNextControl(false);
        } else if (key == VK_DOWN) {
            key = 0;
            SelectNextControl(true);
        }
    }
    TCustomEdit::KeyDown(key, shift);
}

void TNcCustomEdit::CNKeyDown(cl::TMessage& m) {
    if (OnCNKeyDown) {
        WORD key = LOWORD(m.WParam);
        OnCNKeyDown(this, key, cl::KeyDataToShiftState(m.LParam));
        if (key == 0) {
            m.Result = 1;
            return;
        }
        m.WParam = key;
    }
    TCustomEdit::WndProc(m);
}

void TNcCustomEdit::WMPaste(cl::TMessage& m) {
    if (ReadOnly()) return;
    null_ = false;
    TCustomEdit::WMPaste(m);
}

void TNcCustomEdit::WMCut(cl::TMessage& m) {
    if (ReadOnly()) return;
    TCustomEdit::WMCut(m);
}

// ---- Focus, mouse, window -----------------------------------------------------
void TNcCustomEdit::DoEnter() {
    hasFocus_ = true;
    UpdateColours();
    // Entered by a click, the whole text is selected once the click is
    // over (the press itself places the caret).
    selectOnClick_ = AutoSelect() && (controlState_ & cl::csLButtonDown);
    TCustomEdit::DoEnter();
}

void TNcCustomEdit::DoExit() {
    hasFocus_ = false;
    UpdateColours();
    TCustomEdit::DoExit();
}

void TNcCustomEdit::MouseUp(cl::TMouseButton button, cl::TShiftState shift, int x, int y) {
    TCustomEdit::MouseUp(button, shift, x, y);
    if (button == cl::mbLeft && std::exchange(selectOnClick_, false)) SelectAll();
    if (button != cl::mbRight) return;
    hasFocus_ = false;
    mouseInside_ = false;
    UpdateColours();
}

void TNcCustomEdit::DestroyWnd() {
    // The Null display goes into the next window too (GetText reads '' then).
    const std::string shown = WindowText();
    TCustomEdit::DestroyWnd();
    text_ = shown;
}

void TNcCustomEdit::WndProc(cl::TMessage& m) {
    switch (m.Msg) {
        case cl::CN_KEYDOWN:
            CNKeyDown(m);
            return;
        case WM_NCPAINT:
            TCustomEdit::WndProc(m);
            if (flat_ || lineEdit_) PaintFlatBorder();
            return;
        case cl::CM_MOUSEENTER:
        case cl::CM_MOUSELEAVE: {
            const bool enter = m.Msg == cl::CM_MOUSEENTER;
            mouseInside_ = enter;
            if (flat_ || lineEdit_) PaintFlatBorder();
            const cl::TNotifyEvent& event = enter ? OnMouseEnter : OnMouseExit;
            if (event) event(this);
            break;
        }
        case cl::CM_ENABLEDCHANGED:
        case cl::CM_FONTCHANGED:
            TCustomEdit::WndProc(m);
            UpdateColours();
            return;
    }
    TCustomEdit::WndProc(m);
}

// ---- TNcBaseEdit ---------------------------------------------------------------
CL_CLASS_INFO(TNcBaseEdit, Prop("BoundsEnabled", &TNcBaseEdit::BoundsEnabled, &TNcBaseEdit::SetBoundsEnabled),
              Prop("MaxLength", &TNcBaseEdit::MaxLength, &TNcBaseEdit::SetMaxLength))

TNcBaseEdit::TNcBaseEdit(cl::TComponent* owner) : TNcCustomEdit(owner) {
    SetWidth(81);
    SetAlignment(cl::taLeftJustify);
    colorFontNeg_ = NcDefaultColorFontNeg;
    colorFontPos_ = NcDefaultColorFontPos;
    TNcBaseEdit::DisplayValue();
}

void TNcBaseEdit::SetMaxLength(int value) {
    if (value == MaxLength()) return;
    TCustomEdit::SetMaxLength(value);
    DisplayValue();
}

void TNcBaseEdit::DisplayValue() {
    SetAsString(Null() ? NullDisplay() : GetAsString());
}

void TNcBaseEdit::SetColorDefaults() {
    TNcCustomEdit::SetColorDefaults();
    colorFontNeg_ = NcDefaultColorFontNeg;
    colorFontPos_ = NcDefaultColorFontPos;
    DisplayValue();
}

void TNcBaseEdit::Change() {
    if (ComponentState() & cl::csLoading) return;
    ParsedTextToValue();
    TNcCustomEdit::Change();
}

void TNcBaseEdit::DoExit() {
    try {
        bool furtherChecking = true;
        if (OnExitStart) {
            std::string text = WindowText();
            OnExitStart(this, text, furtherChecking);
            SetAsString(text);
        }
        // A text that does not parse keeps the value and stays as typed,
        // for the owner to question; its bounds are not the value's.
        if (ParsedTextToValue()) {
            DisplayValue();
            if (BoundsEnabled() && furtherChecking) CheckBounds();
        }
    } catch (...) {
        TNcCustomEdit::DoExit();
        throw;
    }
    TNcCustomEdit::DoExit();
}

void TNcBaseEdit::CheckBounds() {
    if (!BoundsEnabled()) return;
    if (OnBoundsError)
        OnBoundsError(this, GetAsString(), boundsError_);
    else
        NcShowErrorMessage(rsNotAcceptable);
}
