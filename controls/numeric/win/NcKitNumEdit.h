#pragma once
// Number entry fields over the edit base: TNcBaseNumericEdit (the value,
// the sign keys, separators and digit grouping), TNcPosEdit and TNcIntEdit
// (a 64-bit whole number, non-negative and signed), TNcPosFloatEdit and
// TNcFloatEdit (an extended float with a scale and decimal places).
//
// Every format and parse uses the edit's separators: the locale's, or
// CustomThousands/CustomDecimal while CustomSeparators is on; the
// program's own settings are never changed.

#include <cstdint>

#include "classlib/FormatSettings.h"
#include "classlib/NumberFormat.h"
#include "controls/numeric/NcKitNumText.h"
#include "controls/numeric/win/NcKitEdit.h"

// essExit groups thousands on display, essAuto also while typing.
enum TNcSeparatorStyle { essNone, essExit, essAuto };

class TNcBaseNumericEdit : public TNcBaseEdit {
    CL_CLASS(TNcBaseNumericEdit, TNcBaseEdit)
public:
    explicit TNcBaseNumericEdit(cl::TComponent* owner);

    // Zero shows as an empty text.
    bool BlankWhenZero() const { return blankWhenZero_; }
    void SetBlankWhenZero(bool value);
    // Font colours of negative and of other values.
    cl::TColor ColorFontNeg() const { return colorFontNeg_; }
    void SetColorFontNeg(cl::TColor value);
    cl::TColor ColorFontPos() const { return colorFontPos_; }
    void SetColorFontPos(cl::TColor value);
    // "+" before positive values.
    bool ShowPosSign() const { return showPosSign_; }
    void SetShowPosSign(bool value);
    TNcSeparatorStyle ThousandSeparators() const { return thousandSeparators_; }
    void SetThousandSeparators(TNcSeparatorStyle value);
    // True is essExit, False essNone.
    bool ShowThousandSeparators() const { return thousandSeparators_ != essNone; }
    void SetShowThousandSeparators(bool value) { SetThousandSeparators(value ? essExit : essNone); }
    // "-" toggles the sign and "+" toggles ShowPosSign; without it "-"
    // only makes a positive value negative.
    bool UseSignToggling() const { return useSignToggling_; }
    void SetUseSignToggling(bool value) { useSignToggling_ = value; }
    // Left-padded with "0" to MaxLength (none while MaxLength is 0).
    bool ZeroPad() const { return zeroPad_; }
    void SetZeroPad(bool value);
    bool CustomSeparators() const { return customSeparators_; }
    virtual void SetCustomSeparators(bool value);
    char CustomThousands() const { return customThousands_; }
    virtual void SetCustomThousands(char value);
    char CustomDecimal() const { return customDecimal_; }
    virtual void SetCustomDecimal(char value);
    uint8_t DecimalPlaces() const { return decimalPlaces_; }
    void SetDecimalPlaces(uint8_t value);
    // A digit behind full decimal places is refused.
    bool ForceDecimals() const { return forceDecimals_; }
    void SetForceDecimals(bool value) { forceDecimals_ = value; }

    // Groups the digits of the text anew, keeping the caret's distance
    // from the end.
    virtual void ReformatThousands();
    // The value of the text on screen (parsed first; may raise EConvertError).
    virtual cl::Extended GetAsFloat();
    virtual void SetAsFloat(cl::Extended value);
    // The characters the edit accepts (also kept for read-write).
    virtual void SetValidChars() {}

    // The separators this edit formats and parses with.
    cl::TFormatSettings Separators() const;

protected:
    // The sign keys, the decimal separator, full decimals and the
    // numeric-pad decimal key, then the edit base's rules.
    void KeyPress(char& key) override;
    void KeyDown(WORD& key, cl::TShiftState shift) override;
    // Regroups under essAuto after a key that changed the text.
    void KeyUp(WORD& key, cl::TShiftState shift) override;
    void Change() override;

    // The value's sign and its negation, by the class's value field.
    virtual int ValueSign() const;
    virtual void NegateValue();
    // What DisplayValue shows for a value that is not Null.
    NcNumberDisplay DisplayOptions() const;
    // Writes the text and sets the font colour by the sign.
    void ShowValueText(const std::string& text);
    // The valid characters of the whole-number and decimal classes.
    TNcCharSet NumberChars(bool negative, bool decimal) const;

    cl::Extended floatValue_ = 0;
    int64_t intValue_ = 0;

private:
    void SignKey(char& key);
    // A Null edit is cleared, otherwise the selection goes.
    void ClearForKey();

    bool blankWhenZero_ = false;
    bool showPosSign_ = false;
    TNcSeparatorStyle thousandSeparators_ = essNone;
    bool useSignToggling_ = true;
    bool zeroPad_ = false;
    bool customSeparators_ = false;
    char customThousands_;
    char customDecimal_;
    uint8_t decimalPlaces_ = 4;
    bool forceDecimals_ = false;
    // A key changed the text since its key went down.
    bool keyChangedText_ = false;
};

class TNcPosEdit : public TNcBaseNumericEdit {
    CL_CLASS(TNcPosEdit, TNcBaseNumericEdit)
public:
    explicit TNcPosEdit(cl::TComponent* owner);

    // The getters parse the text first.
    int32_t AsInteger();
    void SetAsInteger(int32_t value) { SetAsInt64(value); }
    int64_t AsInt64();
    void SetAsInt64(int64_t value);
    uint32_t AsLongWord();
    void SetAsLongWord(uint32_t value) { SetAsInt64(value); }
    int32_t BoundLower() const { return boundLower_; }
    void SetBoundLower(int32_t value) { boundLower_ = value; }
    int32_t BoundUpper() const { return boundUpper_; }
    void SetBoundUpper(int32_t value) { boundUpper_ = value; }

    // Null is 0; a text that is no whole number gives 0.
    void TextToValue() override;
    void DisplayValue() override;
    void CheckBounds() override;
    void SetValidChars() override;

protected:
    int ValueSign() const override;
    void NegateValue() override;

private:
    int32_t boundLower_ = 0;
    int32_t boundUpper_ = 0;
};

class TNcIntEdit : public TNcPosEdit {
    CL_CLASS(TNcIntEdit, TNcPosEdit)
public:
    explicit TNcIntEdit(cl::TComponent* owner);
    void SetValidChars() override;
};

class TNcPosFloatEdit : public TNcBaseNumericEdit {
    CL_CLASS(TNcPosFloatEdit, TNcBaseNumericEdit)
public:
    explicit TNcPosFloatEdit(cl::TComponent* owner);

    bool TrimTrailingZeroes() const { return trimTrailingZeroes_; }
    void SetTrimTrailingZeroes(bool value);
    // An unchanged display keeps the value's full precision.
    bool FullAccuracy() const { return fullAccuracy_; }
    void SetFullAccuracy(bool value);
    // The value is the shown number times Scale; 0 becomes 1, negative positive.
    cl::Extended Scale() const { return scale_; }
    void SetScale(cl::Extended value);
    cl::Extended AsFloat() { return GetAsFloat(); }
    cl::Extended AsScaledFloat();
    void SetAsScaledFloat(cl::Extended value) { SetAsFloat(value * scale_); }
    cl::Extended BoundLower() const { return boundLower_; }
    void SetBoundLower(cl::Extended value) { boundLower_ = value; }
    cl::Extended BoundUpper() const { return boundUpper_; }
    void SetBoundUpper(cl::Extended value) { boundUpper_ = value; }

    // Null is 0; a text that is no number raises EConvertError (or gives
    // 0 without NcRaiseConvertErrors).
    void TextToValue() override;
    void DisplayValue() override;
    void CheckBounds() override;
    void SetValidChars() override;

private:
    std::string DisplayText() const;

    bool trimTrailingZeroes_ = false;
    bool fullAccuracy_ = false;
    cl::Extended scale_ = 1.0L;
    cl::Extended boundLower_ = 0;
    cl::Extended boundUpper_ = 0;
};

class TNcFloatEdit : public TNcPosFloatEdit {
    CL_CLASS(TNcFloatEdit, TNcPosFloatEdit)
public:
    explicit TNcFloatEdit(cl::TComponent* owner);
    void SetValidChars() override;
};
