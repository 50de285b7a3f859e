#include "app/win/FloatSpinEdit.h"

#include <algorithm>

#include "classlib/FormatSettings.h"

using namespace cl;

CL_CLASS_INFO(TFloatSpinEdit, Prop("Value", &TFloatSpinEdit::Value, &TFloatSpinEdit::SetValue))

TFloatSpinEdit::TFloatSpinEdit(TComponent* owner) : TEdit(owner) {
    // Every click is one step: the position stays in the middle of a range
    // it never reaches, and only the direction counts.
    upDown_ = new TUpDown(this);
    upDown_->SetMin(-30000);
    upDown_->SetMax(30000);
    upDown_->OnClick = [this](TObject*, TUDBtnType button) {
        upDown_->SetPosition(0);
        Step(button == btNext);
    };
    upDown_->SetParent(this);
    SetValue(0);
}

Extended TFloatSpinEdit::Clamped(Extended value) const {
    // Limits that are both 0 are no limits.
    if (min_ == 0 && max_ == 0) return value;
    return std::clamp(value, min_, max_);
}

Extended TFloatSpinEdit::Value() {
    Extended value = 0;
    // A "." is read as the decimal separator too: the keypad's key gives it.
    std::string text = Text();
    std::replace(text.begin(), text.end(), '.', FormatSettings().DecimalSeparator);
    if (TryStrToFloat(text, value)) lastValid_ = Clamped(value);
    return lastValid_;
}

void TFloatSpinEdit::SetValue(Extended value) {
    lastValid_ = Clamped(value);
    SetText(FloatToStrF(lastValid_, TFloatFormat::ffFixed, 18, decimal_));
}

void TFloatSpinEdit::SetDecimal(int value) {
    decimal_ = std::clamp(value, 0, 18);
    SetValue(lastValid_);
}

void TFloatSpinEdit::Step(bool up) {
    SetValue(Value() + (up ? increment_ : -increment_));
    SelectAll();
}

void TFloatSpinEdit::CreateWnd() {
    TEdit::CreateWnd();
    PlaceButtons();
}

void TFloatSpinEdit::Resize() {
    TEdit::Resize();
    PlaceButtons();
}

void TFloatSpinEdit::PlaceButtons() {
    if (!HandleAllocated()) return;
    const int width = GetSystemMetrics(SM_CXVSCROLL);
    upDown_->SetBounds(ClientWidth() - width, 0, width, ClientHeight());
    // The text stays clear of the buttons.
    SendMessageW(Handle(), EM_SETMARGINS, EC_RIGHTMARGIN, MAKELPARAM(0, width + 1));
}

void TFloatSpinEdit::KeyDown(WORD& key, TShiftState shift) {
    if (key == VK_UP || key == VK_DOWN) {
        Step(key == VK_UP);
        key = 0;
        return;
    }
    TEdit::KeyDown(key, shift);
}

void TFloatSpinEdit::DoExit() {
    // What was typed shows as the value it gives.
    SetValue(Value());
    TEdit::DoExit();
}
