#include "controls/win/XcSpinEdit.h"

#include <algorithm>
#include <functional>

#include "classlib/Scope.h"
#include "classlib/StrUtils.h"

using namespace cl;

namespace {

// The plain window at the edit's side that holds a spin button.
class TXcSpinButtonHost : public TWinControl {
    CL_CLASS(TXcSpinButtonHost, TWinControl)
public:
    explicit TXcSpinButtonHost(TComponent* owner) : TWinControl(owner) {
        SetControlStyle((ControlStyle() | csAcceptsControls) & ~csSetCaption);
        SetColor(clBtnFace);
    }
};

// The system's vertical scroll-bar width, at most 15 pixels.
int DefaultButtonWidth() {
    return std::min(GetSystemMetrics(SM_CXVSCROLL), 15);
}

// A published property stored only when stored() holds.
template <class T>
TPropInfo StoredWhen(TPropInfo prop, std::function<bool(T&)> stored) {
    prop.StoredFn = [stored](TObject& obj) { return stored(static_cast<T&>(obj)); };
    return prop;
}

}  // namespace

CL_CLASS_INFO(TXcSpinButtonHost)

// ---- TXcUpDown -------------------------------------------------------------------------
CL_CLASS_INFO(TXcUpDown)

TXcUpDown::TXcUpDown(TComponent* owner) : TCustomUpDown(owner) {
    SetOrientation(udVertical);
    SetMin(-1);
    SetMax(1);
    SetPosition(0);
    SetBounds(0, 0, DefaultButtonWidth(), Height());
}

void TXcUpDown::SetBounds(int left, int top, int width, int height) {
    TCustomUpDown::SetBounds(left, top, DefaultButtonWidth(), height);
}

void TXcUpDown::Click(TUDBtnType button) {
    if (clicking_) return;
    const FlagScope clicking(clicking_);
    TCustomUpDown::Click(button);
    SetPosition(0);
}

// ---- TXcCustomSpinEdit -------------------------------------------------------------------
XC_CLASS_INFO(
    TXcCustomSpinEdit,
    StoredWhen<TXcCustomSpinEdit>(Prop("Value", &TXcCustomSpinEdit::Value, &TXcCustomSpinEdit::SetValue),
                                  [](TXcCustomSpinEdit& e) { return e.Value() != 0; }),
    EnumProp("ValueType", {"vtInteger", "vtFloat", "vtHex"}, &TXcCustomSpinEdit::ValueType,
             &TXcCustomSpinEdit::SetValueType),
    StoredWhen<TXcCustomSpinEdit>(Prop("MinValue", &TXcCustomSpinEdit::MinValue,
                                       &TXcCustomSpinEdit::SetMinValue),
                                  [](TXcCustomSpinEdit& e) { return e.MinValue() != 0; }),
    StoredWhen<TXcCustomSpinEdit>(Prop("MaxValue", &TXcCustomSpinEdit::MaxValue,
                                       &TXcCustomSpinEdit::SetMaxValue),
                                  [](TXcCustomSpinEdit& e) { return e.MaxValue() != 0; }),
    StoredWhen<TXcCustomSpinEdit>(Prop("CheckMinValue", &TXcCustomSpinEdit::CheckMinValue,
                                       &TXcCustomSpinEdit::SetCheckMinValue),
                                  [](TXcCustomSpinEdit& e) { return e.limits_.IsCheckMinValueStored(); }),
    StoredWhen<TXcCustomSpinEdit>(Prop("CheckMaxValue", &TXcCustomSpinEdit::CheckMaxValue,
                                       &TXcCustomSpinEdit::SetCheckMaxValue),
                                  [](TXcCustomSpinEdit& e) { return e.limits_.IsCheckMaxValueStored(); }),
    SetOfProp("CheckOptions", {"coCheckOnChange", "coCheckOnExit", "coCropBeyondLimit"},
              &TXcCustomSpinEdit::CheckOptions, &TXcCustomSpinEdit::SetCheckOptions),
    StoredWhen<TXcCustomSpinEdit>(Prop("Increment", &TXcCustomSpinEdit::Increment,
                                       &TXcCustomSpinEdit::SetIncrement),
                                  [](TXcCustomSpinEdit& e) { return e.Increment() != 1; }),
    Prop("Decimal", &TXcCustomSpinEdit::Decimal, &TXcCustomSpinEdit::SetDecimal),
    StoredWhen<TXcCustomSpinEdit>(
        Prop("DisplayFormat", &TXcCustomSpinEdit::DisplayFormat, &TXcCustomSpinEdit::SetDisplayFormat),
        [](TXcCustomSpinEdit& e) { return e.DisplayFormat() != e.GetDefaultDisplayFormat(); }),
    Prop("Thousands", &TXcCustomSpinEdit::Thousands, &TXcCustomSpinEdit::SetThousands),
    EnumProp("Alignment", {"taLeftJustify", "taRightJustify", "taCenter"}, &TCustomEdit::Alignment,
             &TCustomEdit::SetAlignment),
    Prop("ArrowKeys", &TXcCustomSpinEdit::ArrowKeys, &TXcCustomSpinEdit::SetArrowKeys),
    EnumProp("ButtonKind", {"bkStandard", "bkDiagonal", "bkClassic"}, &TXcCustomSpinEdit::ButtonKind,
             &TXcCustomSpinEdit::SetButtonKind),
    Prop("ShowButton", &TXcCustomSpinEdit::ShowButton, &TXcCustomSpinEdit::SetShowButton),
    Prop("EditorEnabled", &TXcCustomSpinEdit::EditorEnabled, &TXcCustomSpinEdit::SetEditorEnabled),
    Prop("BeepOnError", &TXcCustomSpinEdit::BeepOnError, &TXcCustomSpinEdit::SetBeepOnError),
    SetOfProp("ClipboardCommands", {"caCopy", "caCut", "caPaste", "caUndo"},
              &TXcCustomSpinEdit::ClipboardCommands, &TXcCustomSpinEdit::SetClipboardCommands))

TXcCustomSpinEdit::TXcCustomSpinEdit(TComponent* owner) : TXcExCustomMaskEdit(owner) {
    SetControlStyle(ControlStyle() & ~csSetCaption);
    TXcExCustomMaskEdit::SetText("0");
    RecreateButton();
}

TXcCustomSpinEdit::~TXcCustomSpinEdit() = default;

// ---- Properties ----------------------------------------------------------------------------
void TXcCustomSpinEdit::SetValueType(TValueType value) {
    if (value == format_.ValueType) return;
    format_.ValueType = value;
    if (value != vtFloat) increment_ = StepFor(value, increment_);
    if (value == vtHex) format_.Thousands = false;
    SetValue(lastValid_);
}

void TXcCustomSpinEdit::SetMinValue(Extended value) {
    limits_.SetMinValue(value);
    SetValue(Value());
}

void TXcCustomSpinEdit::SetMaxValue(Extended value) {
    limits_.SetMaxValue(value);
    SetValue(Value());
}

void TXcCustomSpinEdit::SetCheckMinValue(bool value) {
    limits_.SetCheckMinValue(value, (ComponentState() & csLoading) != 0);
    SetValue(Value());
}

void TXcCustomSpinEdit::SetCheckMaxValue(bool value) {
    limits_.SetCheckMaxValue(value, (ComponentState() & csLoading) != 0);
    SetValue(Value());
}

void TXcCustomSpinEdit::SetIncrement(Extended value) {
    increment_ = value;
}

void TXcCustomSpinEdit::SetDecimal(int value) {
    value = std::clamp(value, 0, 255);
    if (value == format_.Decimal) return;
    format_.Decimal = value;
    SetValue(Value());
}

void TXcCustomSpinEdit::SetDisplayFormat(const std::string& value) {
    if (value == format_.DisplayFormat) return;
    format_.DisplayFormat = value;
    SetValue(Value());
}

void TXcCustomSpinEdit::SetThousands(bool value) {
    if (value == format_.Thousands || format_.ValueType == vtHex) return;
    format_.Thousands = value;
    SetValue(Value());
}

void TXcCustomSpinEdit::SetButtonKind(TSpinButtonKind value) {
    if (value == buttonKind_) return;
    buttonKind_ = value;
    RecreateButton();
}

void TXcCustomSpinEdit::SetShowButton(bool value) {
    if (value == showButton_) return;
    showButton_ = value;
    RecreateButton();
}

void TXcCustomSpinEdit::Loaded() {
    TXcExCustomMaskEdit::Loaded();
    limits_.Loaded();
    lastReported_ = Value();
}

// ---- The text ----------------------------------------------------------------------------------
void TXcCustomSpinEdit::ShowText(const std::string& text) {
    if (text == Text()) return;
    const bool modified = Modified();
    SetText(text);
    SetModified(modified);
}

void TXcCustomSpinEdit::ReformatFocusedText() {
    if (format_.ValueType != vtFloat || !focused_ || format_.DisplayFormat.empty()) return;
    ShowText(FormatFloatPattern(Value(), FocusedFloatPattern(format_.Decimal)));
}

void TXcCustomSpinEdit::Change() {
    if (inStep_ || !HandleAllocated()) return;
    {
        const FlagScope quiet(inStep_);
        if (const auto parsed = ParseSpinText(Text(), format_)) {
            Extended value = *parsed;
            if (!(ComponentState() & csDesigning) && (checkOptions_ & coCheckOnChange)) {
                Extended clamped = value;
                try {
                    clamped = limits_.CheckValue(value, !(checkOptions_ & coCropBeyondLimit));
                } catch (const ERangeError&) {
                    clamped = limits_.Clamp(value);  // while typing the limit simply holds
                }
                // Only a value beyond a limit is written back; any other
                // text stays as the user types it.
                if (clamped != value) {
                    ShowText(FormatSpinValue(clamped, format_));
                    SendMessageW(WindowHandle(), EM_SETSEL, static_cast<WPARAM>(GetTextLen()), GetTextLen());
                    value = clamped;
                }
            }
            lastValid_ = value;
        }
    }
    const Extended value = Value();
    if (value == lastReported_) return;
    lastReported_ = value;
    TXcExCustomMaskEdit::Change();
}

// ---- Steps ---------------------------------------------------------------------------------------
void TXcCustomSpinEdit::ErrorBeep() {
    if (beepOnError_) MessageBeep(0);
}

void TXcCustomSpinEdit::Step(bool up) {
    if (ReadOnly()) {
        ErrorBeep();
        return;
    }
    const std::string before = Text();
    {
        const FlagScope stepping(inStep_);
        SetValue(Value() + (up ? increment_ : -increment_));
    }
    if (!AnsiSameText(Text(), before)) {
        SetModified(true);
        Change();
    }
    const TNotifyEvent& event = up ? OnTopClick : OnBottomClick;
    if (event) event(this);
}

void TXcCustomSpinEdit::UpClick(TObject*) {
    Step(true);
}

void TXcCustomSpinEdit::DownClick(TObject*) {
    Step(false);
}

// ---- Keys, focus, clipboard ---------------------------------------------------------------------------
std::string TXcCustomSpinEdit::TextAroundSelection() {
    const std::string text = Text();
    if (!HandleAllocated()) return text;
    int start = 0, stop = 0;
    GetSel(start, stop);
    start = std::clamp(start, 0, static_cast<int>(text.size()));
    stop = std::clamp(stop, start, static_cast<int>(text.size()));
    return text.substr(0, static_cast<size_t>(start)) + text.substr(static_cast<size_t>(stop));
}

bool TXcCustomSpinEdit::IsValidChar(char key) {
    return IsValidSpinChar(key, TextAroundSelection(), format_, editorEnabled_);
}

void TXcCustomSpinEdit::KeyDown(WORD& key, TShiftState shift) {
    if (arrowKeys_ && (key == VK_UP || key == VK_DOWN) && !(shift & ssAlt)) {
        Step(key == VK_UP);
        key = 0;
        return;
    }
    TXcExCustomMaskEdit::KeyDown(key, shift);
}

void TXcCustomSpinEdit::KeyPress(char& key) {
    // Enter and Esc went to the form as dialog keys when they went down;
    // the edit itself only beeps at them.
    if (key == '\r' || key == '\x1b') {
        key = 0;
        return;
    }
    if (!IsValidChar(key)) {
        ErrorBeep();
        key = 0;
        return;
    }
    const TFormatSettings& fs = FormatSettings();
    if (format_.ValueType == vtFloat && key == '.' && !(format_.Thousands && fs.ThousandSeparator == '.'))
        key = fs.DecimalSeparator;
    TXcExCustomMaskEdit::KeyPress(key);
}

void TXcCustomSpinEdit::DoEnter() {
    focused_ = true;
    ReformatFocusedText();
    TXcExCustomMaskEdit::DoEnter();
}

void TXcCustomSpinEdit::DoExit() {
    focused_ = false;
    try {
        Extended value = Value();
        if (!(ComponentState() & csDesigning) && (checkOptions_ & coCheckOnExit))
            value = limits_.CheckValue(value, !(checkOptions_ & coCropBeyondLimit));
        SetValue(value);
    } catch (...) {
        TXcExCustomMaskEdit::DoExit();
        throw;  // a value beyond the limits reaches the user
    }
    TXcExCustomMaskEdit::DoExit();
}

void TXcCustomSpinEdit::WMPaste(TMessage& m) {
    if (!editorEnabled_ || ReadOnly() || !(clipboardCommands_ & caPaste)) return;
    TXcExCustomMaskEdit::WMPaste(m);
}

void TXcCustomSpinEdit::WMCut(TMessage& m) {
    if (!editorEnabled_ || ReadOnly() || !(clipboardCommands_ & caCut)) return;
    TXcExCustomMaskEdit::WMCut(m);
}

void TXcCustomSpinEdit::WndProc(TMessage& m) {
    switch (m.Msg) {
        case WM_MOUSEWHEEL:
            if (GET_WHEEL_DELTA_WPARAM(m.WParam) < 1)
                DownClick(this);
            else
                UpClick(this);
            m.Result = 1;
            return;
        case WM_COPY:
            if (!(clipboardCommands_ & caCopy)) return;
            break;
        case WM_UNDO:
        case EM_UNDO:
            if (!(clipboardCommands_ & caUndo)) return;
            break;
        case WM_NCPAINT:
        case WM_PAINT:
            // The themed edit of the common controls 6 draws its frame over
            // the whole window, the button's window included, which is not
            // told to paint again.
            TXcExCustomMaskEdit::WndProc(m);
            RedrawButton();
            return;
    }
    TXcExCustomMaskEdit::WndProc(m);
}

// ---- The button at the side ---------------------------------------------------------------------
int TXcCustomSpinEdit::ButtonWidth() const {
    if (!showButton_) return 0;
    if (buttonKind_ == bkClassic && buttonHost_) return buttonHost_->Height();
    return DefaultButtonWidth();
}

void TXcCustomSpinEdit::RedrawButton() {
    TWinControl* button = upDown_ ? static_cast<TWinControl*>(upDown_) : buttonHost_;
    if (button && button->HandleAllocated())
        RedrawWindow(button->WindowHandle(), nullptr, nullptr,
                     RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
}

void TXcCustomSpinEdit::RecreateButton() {
    if (ComponentState() & csDestroying) return;
    FreeAndNil(buttonHost_);  // with the spin button it owns
    spinButton_ = nullptr;
    FreeAndNil(upDown_);
    if (showButton_ && buttonKind_ == bkStandard) {
        upDown_ = new TXcUpDown(this);
        upDown_->OnClick = [this](TObject*, TUDBtnType button) {
            if (CanFocus() && !Focused()) SetFocus();
            if (button == btNext)
                UpClick(this);
            else
                DownClick(this);
        };
        upDown_->SetParent(this);
    } else if (showButton_) {
        auto* host = new TXcSpinButtonHost(this);
        spinButton_ = new TXcSpinButton(host);
        spinButton_->SetButtonStyle(buttonKind_ == bkClassic ? sbsClassic : sbsDefault);
        spinButton_->SetFocusControl(this);
        spinButton_->OnTopClick = [this](TObject*) { UpClick(this); };
        spinButton_->OnBottomClick = [this](TObject*) { DownClick(this); };
        spinButton_->SetParent(host);
        host->SetParent(this);
        buttonHost_ = host;
    }
    LayoutButton();
}

void TXcCustomSpinEdit::LayoutButton() {
    if (!HandleAllocated()) return;
    const TRect client = ClientRect();
    const int height = client.bottom - client.top;
    // The button sits on the side where the reading ends.
    const bool rightToLeft = UseRightToLeftReading();
    int width = 0;
    if (upDown_) {
        width = DefaultButtonWidth();
        upDown_->SetBounds(rightToLeft ? 0 : client.right - width, 0, width, height);
    } else if (buttonHost_) {
        width = buttonKind_ == bkClassic ? height : DefaultButtonWidth();
        buttonHost_->SetBounds(rightToLeft ? 0 : client.right - width, 0, width, height);
        spinButton_->SetBounds(1, 0, width - 1, height);
    }
    // The text ends 2 pixels before the button, or starts 1 pixel after it.
    const int margin = width > 0 ? width + (rightToLeft ? 1 : 2) : 0;
    SendMessageW(WindowHandle(), EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN,
                 rightToLeft ? MAKELPARAM(margin, 0) : MAKELPARAM(0, margin));
}

void TXcCustomSpinEdit::CreateParams(TCreateParams& p) {
    TXcExCustomMaskEdit::CreateParams(p);
    p.Style |= WS_CLIPCHILDREN;
}

void TXcCustomSpinEdit::CreateWnd() {
    TXcExCustomMaskEdit::CreateWnd();
    LayoutButton();
}

void TXcCustomSpinEdit::Resize() {
    const int minimum = ScreenTextMetrics(*Font()).tmHeight + 4 * GetSystemMetrics(SM_CYBORDER) + 1;
    if (Height() < minimum) {
        SetHeight(minimum);
        return;
    }
    LayoutButton();
    TXcExCustomMaskEdit::Resize();
}

// ---- TXcSpinEdit ---------------------------------------------------------------------------------------
CL_CLASS_INFO(TXcSpinEdit)

Extended TXcSpinEdit::GetValue() {
    if (const auto parsed = ParseSpinText(Text(), format_)) return *parsed;
    return lastValid_;
}

void TXcSpinEdit::SetValue(Extended value) {
    value = limits_.Clamp(value);
    lastValid_ = value;
    ShowText(FormatSpinValue(value, format_));
    ReformatFocusedText();
}
