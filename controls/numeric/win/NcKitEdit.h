#pragma once
// The edit base of the numeric edits.  TNcCustomEdit adds state colours, a
// flat or line border, a Null state with its own text, keyboard
// conveniences and a filter of valid characters; TNcBaseEdit adds the exit
// sequence (hook, parse, redisplay, bounds check).  Neither holds a value:
// the numeric edits parse and show theirs in TextToValue and DisplayValue.

#include <bitset>
#include <functional>
#include <string>

#include "classlib/win/StdCtrls.h"
#include "controls/numeric/NcKitGlobals.h"

// The beep of a refused key, MessageBeep(0); a hook (tests) replaces it.
void NcMessageBeep();
void SetNcBeepHook(std::function<void()> hook);

using TNcCharSet = std::bitset<256>;

using TNcBoundsValidationEvent =
    std::function<void(cl::TObject* Sender, const std::string& Value, TNcBoundsValidationType ErrType)>;
using TNcExitStartEvent = std::function<void(cl::TObject* Sender, std::string& Text, bool& FurtherChecking)>;

class TNcCustomEdit : public cl::TCustomEdit {
    CL_CLASS(TNcCustomEdit, cl::TCustomEdit)
public:
    explicit TNcCustomEdit(cl::TComponent* owner);

    // Whether the numeric value is written with the form (the numeric
    // edits' As... properties); the text never is.
    bool StoreValue() const { return storeValue_; }
    void SetStoreValue(bool value) { storeValue_ = value; }
    // The numeric-pad decimal key types the decimal separator.
    bool NumPadDecimal() const { return numPadDecimal_; }
    void SetNumPadDecimal(bool value) { numPadDecimal_ = value; }
    // A border painted by the control; switching it off switches LineEdit off.
    bool Flat() const { return flat_; }
    void SetFlat(bool value);
    // A single line under the text; switching it on switches Flat on.
    bool LineEdit() const { return lineEdit_; }
    void SetLineEdit(bool value);
    // 1 or 2 pixels.
    int FlatBorder() const { return flatBorder_; }
    void SetFlatBorder(int value);
    // Ctrl+N sets Null.
    bool AllowKbdNull() const { return allowKbdNull_; }
    void SetAllowKbdNull(bool value) { allowKbdNull_ = value; }
    // No value: the edit shows NullStr (or nothing with BlankWhenNull) and
    // AsString reads ''.
    bool Null() const { return null_; }
    void SetNull(bool value);
    // Stored only when it is not the library's default and BlankWhenNull is off.
    const std::string& NullStr() const { return nullStr_; }
    void SetNullStr(const std::string& value);
    bool NullStrStored() const { return nullStr_ != NcDefaultNullStr && !blankWhenNull_; }
    bool BlankWhenNull() const { return blankWhenNull_; }
    void SetBlankWhenNull(bool value);

    // True while the colours are the library's defaults; setting it True
    // reloads them.  Any colour setter clears it.
    bool Color_Defaults() const { return colorDefaults_; }
    void SetColor_Defaults(bool value);
    cl::TColor ColorBorderFocus() const { return colorBorderFocus_; }
    void SetColorBorderFocus(cl::TColor value);
    cl::TColor ColorBorderUnfocus() const { return colorBorderUnfocus_; }
    void SetColorBorderUnfocus(cl::TColor value);
    cl::TColor ColorDisabled() const { return colorDisabled_; }
    void SetColorDisabled(cl::TColor value);
    cl::TColor ColorFocus() const { return colorFocus_; }
    void SetColorFocus(cl::TColor value);
    cl::TColor ColorRO() const { return colorRO_; }
    void SetColorRO(cl::TColor value);
    // clNone: the parent's colour.
    cl::TColor ColorRW() const { return colorRW_; }
    void SetColorRW(cl::TColor value);

    // Read-only also refuses every key with a beep and (NcReadOnlyNoTabStop)
    // leaves the tab order.
    void SetReadOnly(bool value);

    // Text and AsString are one: '' while Null.
    std::string AsString() const { return GetAsString(); }
    void SetText(const std::string& value) { SetAsString(value); }
    std::string Version() const { return "2.3 Beta 1"; }
    void SetVersion(const std::string&) {}

    cl::TNotifyEvent OnNull;
    cl::TNotifyEvent OnMouseEnter;
    cl::TNotifyEvent OnMouseExit;
    cl::TKeyEvent OnCNKeyDown;

    // The window's text ('' while Null).
    virtual std::string GetAsString() const;
    // A text other than the window's is written, parsed and (unless
    // regrouping) shown again; any text but the Null display leaves Null.
    // A text that does not parse is left as given, the value as it was.
    virtual void SetAsString(const std::string& text);
    // Parses the text into the value; may raise EConvertError.
    virtual void TextToValue() {}
    // Shows the value; while Null the Null display.
    virtual void DisplayValue();
    virtual void SetColorDefaults();

    void WndProc(cl::TMessage& message) override;

protected:
    std::string GetText() const override { return GetAsString(); }
    void SetTextValue(const std::string& value) override { SetAsString(value); }
    void DestroyWnd() override;
    void KeyPress(char& key) override;
    void KeyDown(WORD& key, cl::TShiftState shift) override;
    void MouseUp(cl::TMouseButton button, cl::TShiftState shift, int x, int y) override;
    void DoEnter() override;
    void DoExit() override;
    void WMPaste(cl::TMessage& message) override;
    void WMCut(cl::TMessage& message) override;
    // OnCNKeyDown, then the class library's dialog-key handling; a key
    // the event clears is consumed.
    virtual void CNKeyDown(cl::TMessage& message);

    // The edit's own rules for a character after OnKeyPress: Enter, Esc,
    // Ctrl+N, Ctrl+A, refused characters, and typing over the Null display.
    void EditKeyPress(char& key);
    void UpdateColours();
    void PaintFlatBorder();

    // The text as the window holds it, and written without parsing or redisplay.
    std::string WindowText() const;
    void WriteWindowText(const std::string& text);
    // TextToValue without letting a conversion error out: false leaves
    // the value as it was.
    bool ParsedTextToValue();
    // '' with BlankWhenNull, else NullStr.
    std::string NullDisplay() const { return blankWhenNull_ ? std::string() : nullStr_; }
    void SetNullFlag(bool value) { null_ = value; }
    // Null goes and the text empties, so typing replaces the Null display.
    void LeaveNullCleared();

    bool IsValidChar(char key) const { return validChars_.test(static_cast<unsigned char>(key)); }
    // The set of valid characters and the copy that read-write restores.
    void SetValidCharSet(const TNcCharSet& chars);
    // Moves the focus as Tab or Shift+Tab would.
    void SelectNextControl(bool forward);

    // Set by KeyDown on the numeric-pad decimal key; the numeric edits turn
    // the next character into the decimal separator.
    bool numPadDecimalPressed_ = false;
    // Set while the digits are regrouped: SetAsString does not redisplay.
    bool reformatting_ = false;

private:
    void ColourChanged(cl::TColor& colour, cl::TColor value);
    // The painted border for Flat or LineEdit, else the system frame.
    void BorderStyleChanged();

    bool storeValue_ = true;
    bool numPadDecimal_ = false;
    bool flat_ = false;
    bool lineEdit_ = false;
    int flatBorder_;
    bool allowKbdNull_ = true;
    bool null_ = false;
    std::string nullStr_;
    bool blankWhenNull_ = false;
    bool colorDefaults_ = true;
    cl::TColor colorBorderFocus_ = cl::clWindowFrame;
    cl::TColor colorBorderUnfocus_ = cl::clWindow;
    cl::TColor colorDisabled_ = cl::clBtnFace;
    cl::TColor colorFocus_ = cl::clWindow;
    cl::TColor colorRO_ = 0x00CCBDB5;
    cl::TColor colorRW_ = cl::clWindow;

    TNcCharSet validChars_;
    TNcCharSet savedValidChars_;
    bool hasFocus_ = false;
    bool mouseInside_ = false;
    // Entered by a left click: the release selects the whole text.
    bool selectOnClick_ = false;
};

class TNcBaseEdit : public TNcCustomEdit {
    CL_CLASS(TNcBaseEdit, TNcCustomEdit)
public:
    explicit TNcBaseEdit(cl::TComponent* owner);

    bool BoundsEnabled() const { return boundsEnabled_; }
    virtual void SetBoundsEnabled(bool value) { boundsEnabled_ = value; }
    // The edit's own limit (0: none), passed to the window; ZeroPad pads to it.
    void SetMaxLength(int value);

    // Called at exit when BoundsEnabled and a bound is broken; without it
    // an error box says so.
    TNcBoundsValidationEvent OnBoundsError;
    // First at exit: may change the text and skip the bounds check.
    TNcExitStartEvent OnExitStart;

    // Writes the text again (a change of it reaches the numeric edits).
    void DisplayValue() override;
    // Also the font colours of negative and other values.
    void SetColorDefaults() override;
    // Reports a broken bound: OnBoundsError, else an error box.
    virtual void CheckBounds();

protected:
    // Every change of the text is parsed; text that does not parse leaves
    // the value as it was.
    void Change() override;
    // OnExitStart, parse, redisplay, bounds check, then the colours and
    // OnExit; text that does not parse stays as typed.
    void DoExit() override;

    TNcBoundsValidationType boundsError_ = evtNone;
    cl::TColor colorFontNeg_ = cl::clWindowText;
    cl::TColor colorFontPos_ = cl::clWindowText;

private:
    bool boundsEnabled_ = false;
};
