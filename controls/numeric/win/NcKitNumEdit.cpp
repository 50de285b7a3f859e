#include "controls/numeric/win/NcKitNumEdit.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <string>

#include "classlib/Scope.h"
#include "controls/numeric/NcKitConvert.h"
#include "controls/numeric/win/NcKitMsgs.h"

namespace {

// FloatToStrF takes 0..18 decimals.
constexpr int kMaxDecimals = 18;

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

}  // namespace

// ---- TNcBaseNumericEdit ---------------------------------------------------------
CL_CLASS_INFO(TNcBaseNumericEdit,
              Prop("BlankWhenZero", &TNcBaseNumericEdit::BlankWhenZero,
                   &TNcBaseNumericEdit::SetBlankWhenZero),
              Prop("ColorFontNeg", &TNcBaseNumericEdit::ColorFontNeg, &TNcBaseNumericEdit::SetColorFontNeg),
              Prop("ColorFontPos", &TNcBaseNumericEdit::ColorFontPos, &TNcBaseNumericEdit::SetColorFontPos),
              Prop("ShowPosSign", &TNcBaseNumericEdit::ShowPosSign, &TNcBaseNumericEdit::SetShowPosSign),
              EnumProp("ThousandSeparators", {"essNone", "essExit", "essAuto"},
                       &TNcBaseNumericEdit::ThousandSeparators, &TNcBaseNumericEdit::SetThousandSeparators),
              NeverStored(Prop("ShowThousandSeparators", &TNcBaseNumericEdit::ShowThousandSeparators,
                               &TNcBaseNumericEdit::SetShowThousandSeparators)),
              Prop("UseSignToggling", &TNcBaseNumericEdit::UseSignToggling,
                   &TNcBaseNumericEdit::SetUseSignToggling),
              Prop("ZeroPad", &TNcBaseNumericEdit::ZeroPad, &TNcBaseNumericEdit::SetZeroPad))

TNcBaseNumericEdit::TNcBaseNumericEdit(cl::TComponent* owner)
    : TNcBaseEdit(owner),
      customThousands_(cl::FormatSettings().ThousandSeparator),
      customDecimal_(cl::FormatSettings().DecimalSeparator) {}

cl::TFormatSettings TNcBaseNumericEdit::Separators() const {
    cl::TFormatSettings fs = cl::FormatSettings();
    if (customSeparators_) {
        fs.ThousandSeparator = customThousands_;
        fs.DecimalSeparator = customDecimal_;
    }
    return fs;
}

void TNcBaseNumericEdit::SetBlankWhenZero(bool value) {
    if (value == blankWhenZero_) return;
    blankWhenZero_ = value;
    DisplayValue();
}

void TNcBaseNumericEdit::SetColorFontNeg(cl::TColor value) {
    if (value == colorFontNeg_) return;
    SetColor_Defaults(false);
    colorFontNeg_ = value;
    DisplayValue();
}

void TNcBaseNumericEdit::SetColorFontPos(cl::TColor value) {
    if (value == colorFontPos_) return;
    SetColor_Defaults(false);
    colorFontPos_ = value;
    DisplayValue();
}

void TNcBaseNumericEdit::SetShowPosSign(bool value) {
    if (value == showPosSign_) return;
    showPosSign_ = value;
    DisplayValue();
}

void TNcBaseNumericEdit::SetThousandSeparators(TNcSeparatorStyle value) {
    if (value == thousandSeparators_) return;
    thousandSeparators_ = value;
    DisplayValue();
}

void TNcBaseNumericEdit::SetZeroPad(bool value) {
    if (value == zeroPad_) return;
    zeroPad_ = value;
    DisplayValue();
}

void TNcBaseNumericEdit::SetDecimalPlaces(uint8_t value) {
    if (value == decimalPlaces_) return;
    decimalPlaces_ = value;
    DisplayValue();
}

void TNcBaseNumericEdit::SetCustomSeparators(bool value) {
    if (value == customSeparators_) return;
    customSeparators_ = value;
    SetValidChars();
    DisplayValue();
}

void TNcBaseNumericEdit::SetCustomThousands(char value) {
    if (value == customThousands_) return;
    customThousands_ = value;
    SetValidChars();
    DisplayValue();
}

void TNcBaseNumericEdit::SetCustomDecimal(char value) {
    if (value == customDecimal_) return;
    customDecimal_ = value;
    SetValidChars();
    DisplayValue();
}

cl::Extended TNcBaseNumericEdit::GetAsFloat() {
    TextToValue();
    return floatValue_;
}

void TNcBaseNumericEdit::SetAsFloat(cl::Extended value) {
    if (value == floatValue_ && !Null()) return;
    floatValue_ = value;
    SetNullFlag(false);
    DisplayValue();
}

TNcCharSet TNcBaseNumericEdit::NumberChars(bool negative, bool decimal) const {
    const cl::TFormatSettings fs = Separators();
    TNcCharSet chars;
    for (char c = '0'; c <= '9'; ++c) chars.set(static_cast<unsigned char>(c));
    chars.set('+');
    chars.set(static_cast<unsigned char>(fs.ThousandSeparator));
    if (negative) chars.set('-');
    if (decimal) chars.set(static_cast<unsigned char>(fs.DecimalSeparator));
    return chars;
}

int TNcBaseNumericEdit::ValueSign() const {
    return floatValue_ > 0 ? 1 : floatValue_ < 0 ? -1 : 0;
}

void TNcBaseNumericEdit::NegateValue() {
    floatValue_ = -floatValue_;
}

NcNumberDisplay TNcBaseNumericEdit::DisplayOptions() const {
    NcNumberDisplay d;
    d.grouped = thousandSeparators_ != essNone;
    d.blankWhenZero = blankWhenZero_;
    d.showPosSign = showPosSign_;
    d.zeroPad = zeroPad_;
    d.maxLength = MaxLength();
    return d;
}

void TNcBaseNumericEdit::ShowValueText(const std::string& text) {
    SetAsString(text);
    const cl::TColor colour = ValueSign() < 0 ? colorFontNeg_ : colorFontPos_;
    // Compared as shown: the class library's fonts start black, the edit's
    // colours as clWindowText, and a font set to its own colour would no
    // longer follow the parent's.
    if (cl::ColorToRGB(Font()->Color()) != cl::ColorToRGB(colour)) {
        Font()->SetColor(colour);
        Invalidate();
    }
}

// ---- Keys -------------------------------------------------------------------------
void TNcBaseNumericEdit::ClearForKey() {
    if (Null())
        LeaveNullCleared();
    else
        ClearSelection();
}

void TNcBaseNumericEdit::KeyPress(char& key) {
    TCustomEdit::KeyPress(key);  // OnKeyPress, not the edit base's rules: they come last
    if (key == 0) return;
    const cl::TFormatSettings fs = Separators();
    if (numPadDecimalPressed_) {
        numPadDecimalPressed_ = false;
        key = fs.DecimalSeparator;
    }
    if (IsValidChar(key)) {
        if (key == '+' || key == '-') {
            SignKey(key);
        } else if (key == fs.DecimalSeparator) {
            ClearForKey();
            if (WindowText().find(fs.DecimalSeparator) != std::string::npos) {
                key = 0;
                NcMessageBeep();
            }
        } else if (IsDigit(key) && forceDecimals_) {
            if (NcDecimalsFull(WindowText(), SelStart(), decimalPlaces_, fs.DecimalSeparator)) key = 0;
        }
    }
    if (key != 0) EditKeyPress(key);
}

void TNcBaseNumericEdit::SignKey(char& key) {
    const bool plus = key == '+';
    ClearForKey();
    const std::string text = WindowText();
    if (text.empty()) {
        // Typed as the first character; a "+" only while it is to be shown.
        if (plus && useSignToggling_) showPosSign_ = !showPosSign_;
        if (plus && !showPosSign_) key = 0;
        return;
    }
    key = 0;
    // The sign of a text that is no number is unknown: the key is refused.
    if (!ParsedTextToValue()) {
        NcMessageBeep();
        return;
    }
    if (plus) {
        if (useSignToggling_) showPosSign_ = !showPosSign_;
        if (ValueSign() < 0) NegateValue();
    } else if (useSignToggling_ || ValueSign() > 0) {
        NegateValue();
    }
    // The new text would put the caret in front; it keeps its place from the end.
    const int fromEnd = static_cast<int>(text.size()) - SelStart();
    DisplayValue();
    const int length = static_cast<int>(WindowText().size());
    SetSelStart(std::clamp(length - fromEnd, 0, length));
}

void TNcBaseNumericEdit::KeyDown(WORD& key, cl::TShiftState shift) {
    keyChangedText_ = false;
    TNcBaseEdit::KeyDown(key, shift);
}

void TNcBaseNumericEdit::Change() {
    if (!reformatting_) keyChangedText_ = true;
    TNcBaseEdit::Change();
}

void TNcBaseNumericEdit::KeyUp(WORD& key, cl::TShiftState shift) {
    TNcBaseEdit::KeyUp(key, shift);
    switch (key) {
        case 0:
        case VK_TAB:
        case VK_RETURN:
        case VK_PRIOR:
        case VK_NEXT:
        case VK_UP:
        case VK_DOWN:
            return;
    }
    // Shift, arrows and the like leave the text and its selection alone.
    if (thousandSeparators_ != essAuto || !keyChangedText_) return;
    keyChangedText_ = false;
    const cl::FlagScope regrouping(reformatting_);
    ReformatThousands();
}

void TNcBaseNumericEdit::ReformatThousands() {
    if (Null()) return;
    const std::string text = WindowText();
    const NcRegrouped regrouped = NcRegroupThousands(text, SelStart(), Separators());
    if (regrouped.text == text) return;
    SetAsString(regrouped.text);
    SetSelStart(regrouped.caret);
}

// ---- TNcPosEdit and TNcIntEdit ------------------------------------------------------
// One of the three views of the value is stored: AsLongWord here, AsInteger
// (signed) in TNcIntEdit.
CL_CLASS_INFO(TNcPosEdit, NeverStored(Prop("AsInteger", &TNcPosEdit::AsInteger, &TNcPosEdit::SetAsInteger)),
              NeverStored(Prop("AsInt64", &TNcPosEdit::AsInt64, &TNcPosEdit::SetAsInt64)),
              StoredWhen(Prop("AsLongWord", &TNcPosEdit::AsLongWord, &TNcPosEdit::SetAsLongWord),
                         &TNcCustomEdit::StoreValue),
              Prop("BoundLower", &TNcPosEdit::BoundLower, &TNcPosEdit::SetBoundLower),
              Prop("BoundUpper", &TNcPosEdit::BoundUpper, &TNcPosEdit::SetBoundUpper),
              StoredWhen(Prop("CustomThousands", &TNcPosEdit::CustomThousands,
                              &TNcPosEdit::SetCustomThousands),
                         &TNcBaseNumericEdit::CustomSeparators),
              Prop("CustomSeparators", &TNcPosEdit::CustomSeparators, &TNcPosEdit::SetCustomSeparators))
CL_CLASS_INFO(TNcIntEdit,
              StoredWhen(Prop("AsInteger", &TNcIntEdit::AsInteger, &TNcIntEdit::SetAsInteger),
                         &TNcCustomEdit::StoreValue),
              NeverStored(Prop("AsLongWord", &TNcIntEdit::AsLongWord, &TNcIntEdit::SetAsLongWord)))

TNcPosEdit::TNcPosEdit(cl::TComponent* owner) : TNcBaseNumericEdit(owner) {
    TNcPosEdit::SetValidChars();
    TNcPosEdit::DisplayValue();
}

TNcIntEdit::TNcIntEdit(cl::TComponent* owner) : TNcPosEdit(owner) {
    TNcIntEdit::SetValidChars();
}

void TNcPosEdit::SetValidChars() {
    SetValidCharSet(NumberChars(false, false));
}

void TNcIntEdit::SetValidChars() {
    SetValidCharSet(NumberChars(true, false));
}

int32_t TNcPosEdit::AsInteger() {
    return static_cast<int32_t>(AsInt64());
}

uint32_t TNcPosEdit::AsLongWord() {
    return static_cast<uint32_t>(AsInt64());
}

int64_t TNcPosEdit::AsInt64() {
    TextToValue();
    return intValue_;
}

void TNcPosEdit::SetAsInt64(int64_t value) {
    if (value == intValue_ && !Null()) return;
    intValue_ = value;
    SetNullFlag(false);
    DisplayValue();
}

void TNcPosEdit::TextToValue() {
    intValue_ = Null() ? 0 : NcParseInt64(GetAsString(), Separators());
}

void TNcPosEdit::DisplayValue() {
    if (Null()) {
        TNcBaseEdit::DisplayValue();
        return;
    }
    ShowValueText(NcIntDisplayText(intValue_, DisplayOptions(), Separators()));
}

int TNcPosEdit::ValueSign() const {
    return intValue_ > 0 ? 1 : intValue_ < 0 ? -1 : 0;
}

void TNcPosEdit::NegateValue() {
    // The smallest value has no positive counterpart.
    if (intValue_ != std::numeric_limits<int64_t>::min()) intValue_ = -intValue_;
}

void TNcPosEdit::CheckBounds() {
    if (!BoundsEnabled()) return;
    boundsError_ = intValue_ < boundLower_   ? evtBelowLower
                   : intValue_ > boundUpper_ ? evtAboveUpper
                                             : evtNone;
    if (boundsError_ == evtNone) return;
    if (OnBoundsError) {
        OnBoundsError(this, GetAsString(), boundsError_);
        return;
    }
    const bool below = boundsError_ == evtBelowLower;
    NcShowErrorMessage(std::string(below ? rsBelowLimit : rsAboveLimit) +
                       std::to_string(below ? boundLower_ : boundUpper_));
    SetFocus();
}

// ---- TNcPosFloatEdit and TNcFloatEdit -----------------------------------------------
CL_CLASS_INFO(
    TNcPosFloatEdit,
    Prop("TrimTrailingZeroes", &TNcPosFloatEdit::TrimTrailingZeroes, &TNcPosFloatEdit::SetTrimTrailingZeroes),
    Prop("FullAccuracy", &TNcPosFloatEdit::FullAccuracy, &TNcPosFloatEdit::SetFullAccuracy),
    Prop("ForceDecimals", &TNcPosFloatEdit::ForceDecimals, &TNcPosFloatEdit::SetForceDecimals),
    Prop("Scale", &TNcPosFloatEdit::Scale, &TNcPosFloatEdit::SetScale),
    StoredWhen(Prop("AsFloat", &TNcPosFloatEdit::AsFloat, &TNcPosFloatEdit::SetAsFloat),
               &TNcCustomEdit::StoreValue),
    NeverStored(Prop("AsScaledFloat", &TNcPosFloatEdit::AsScaledFloat, &TNcPosFloatEdit::SetAsScaledFloat)),
    Prop("BoundLower", &TNcPosFloatEdit::BoundLower, &TNcPosFloatEdit::SetBoundLower),
    Prop("BoundUpper", &TNcPosFloatEdit::BoundUpper, &TNcPosFloatEdit::SetBoundUpper),
    Prop("DecimalPlaces", &TNcPosFloatEdit::DecimalPlaces, &TNcPosFloatEdit::SetDecimalPlaces),
    StoredWhen(Prop("CustomDecimal", &TNcPosFloatEdit::CustomDecimal, &TNcPosFloatEdit::SetCustomDecimal),
               &TNcBaseNumericEdit::CustomSeparators),
    StoredWhen(Prop("CustomThousands", &TNcPosFloatEdit::CustomThousands,
                    &TNcPosFloatEdit::SetCustomThousands),
               &TNcBaseNumericEdit::CustomSeparators),
    Prop("CustomSeparators", &TNcPosFloatEdit::CustomSeparators, &TNcPosFloatEdit::SetCustomSeparators))
CL_CLASS_INFO(TNcFloatEdit)

TNcPosFloatEdit::TNcPosFloatEdit(cl::TComponent* owner) : TNcBaseNumericEdit(owner) {
    TNcPosFloatEdit::SetValidChars();
    TNcPosFloatEdit::DisplayValue();
}

TNcFloatEdit::TNcFloatEdit(cl::TComponent* owner) : TNcPosFloatEdit(owner) {
    TNcFloatEdit::SetValidChars();
}

void TNcPosFloatEdit::SetValidChars() {
    SetValidCharSet(NumberChars(false, true));
}

void TNcFloatEdit::SetValidChars() {
    SetValidCharSet(NumberChars(true, true));
}

void TNcPosFloatEdit::SetTrimTrailingZeroes(bool value) {
    if (value == trimTrailingZeroes_) return;
    trimTrailingZeroes_ = value;
    DisplayValue();
}

void TNcPosFloatEdit::SetFullAccuracy(bool value) {
    if (value == fullAccuracy_) return;
    fullAccuracy_ = value;
    if (!value) ParsedTextToValue();
}

void TNcPosFloatEdit::SetScale(cl::Extended value) {
    value = std::fabs(value);
    if (NcIsZero(value)) value = 1.0L;
    if (value == scale_) return;
    scale_ = value;
    DisplayValue();
}

cl::Extended TNcPosFloatEdit::AsScaledFloat() {
    const cl::Extended value = GetAsFloat();
    return NcIsZero(scale_) ? 0 : value / scale_;
}

std::string TNcPosFloatEdit::DisplayText() const {
    NcNumberDisplay d = DisplayOptions();
    d.trimmed = trimTrailingZeroes_;
    return NcFloatDisplayText(floatValue_ / scale_, std::min<int>(DecimalPlaces(), kMaxDecimals), d,
                              Separators());
}

void TNcPosFloatEdit::TextToValue() {
    if (Null()) {
        floatValue_ = 0;
        return;
    }
    const std::string text = GetAsString();
    // The display of the value as it stands keeps all of its digits.
    if (fullAccuracy_ && text == DisplayText()) return;
    floatValue_ = NcParseFloat(text, Separators()) * scale_;
}

void TNcPosFloatEdit::DisplayValue() {
    if (Null()) {
        TNcBaseEdit::DisplayValue();
        return;
    }
    ShowValueText(DisplayText());
}

void TNcPosFloatEdit::CheckBounds() {
    if (!BoundsEnabled()) return;
    boundsError_ = floatValue_ < boundLower_   ? evtBelowLower
                   : floatValue_ > boundUpper_ ? evtAboveUpper
                                               : evtNone;
    if (boundsError_ == evtNone) return;
    if (OnBoundsError) {
        OnBoundsError(this, GetAsString(), boundsError_);
        return;
    }
    const bool below = boundsError_ == evtBelowLower;
    NcShowErrorMessage(std::string(below ? rsBelowLimit : rsAboveLimit) +
                       NcFormatFloatFixed(below ? boundLower_ : boundUpper_,
                                          std::min<int>(DecimalPlaces(), kMaxDecimals), Separators()));
    SetFocus();
}
