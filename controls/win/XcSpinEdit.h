#pragma once
// TXcSpinEdit: a single-line edit for a number (integer, decimal or
// hexadecimal) with step buttons at its side.  It keeps the number as
// text, reads and writes it by its value type (XcSpinValue.h), checks it
// against MinValue and MaxValue, and steps it by Increment with the
// buttons, the Up and Down keys and the mouse wheel.
//
// While the user types, the text stays as typed; only a value beyond the
// checked limits is written back at once as the nearest limit ("7", "5"
// gives "50,0" in the print setup).  Text that is no number reads as the
// last valid value.  Leaving the edit shows the value in its display form.
//
// TXcUpDown is the system up-down used for the standard button kind.

#include <memory>
#include <string>

#include "classlib/win/Mask.h"
#include "classlib/win/UpDown.h"
#include "controls/XcEditMenuStates.h"
#include "controls/XcSpinValue.h"
#include "controls/win/XcEnhancedControl.h"
#include "controls/win/XcSpinButton.h"

// The class library's masked edit with the shared glue.
using TXcExCustomMaskEdit = TXcEnhanced<cl::TCustomMaskEdit>;

enum TSpinButtonKind { bkStandard, bkDiagonal, bkClassic };
enum TXcCheckOption : uint8_t { coCheckOnChange = 1, coCheckOnExit = 2, coCropBeyondLimit = 4 };
using TXcCheckOptions = uint8_t;  // or'ed TXcCheckOption bits

// An up-down whose every step is one click: its position goes back to 0.
class TXcUpDown : public cl::TCustomUpDown {
    CL_CLASS(TXcUpDown, cl::TCustomUpDown)
public:
    explicit TXcUpDown(cl::TComponent* owner);
    // The width stays the default button width.
    void SetBounds(int left, int top, int width, int height) override;

protected:
    void Click(cl::TUDBtnType button) override;

private:
    bool clicking_ = false;
};

class TXcCustomSpinEdit : public TXcExCustomMaskEdit {
    CL_CLASS(TXcCustomSpinEdit, TXcExCustomMaskEdit)
public:
    explicit TXcCustomSpinEdit(cl::TComponent* owner);
    ~TXcCustomSpinEdit() override;

    // The number the text holds (the last valid one while it holds none).
    cl::Extended Value() { return GetValue(); }
    // Clamped to the checked limits, then shown.
    virtual void SetValue(cl::Extended value) = 0;
    TValueType ValueType() const { return format_.ValueType; }
    // An integer type rounds the increment (0 becomes 1).
    virtual void SetValueType(TValueType value);
    cl::Extended MinValue() const { return limits_.MinValue(); }
    void SetMinValue(cl::Extended value);
    cl::Extended MaxValue() const { return limits_.MaxValue(); }
    void SetMaxValue(cl::Extended value);
    bool CheckMinValue() const { return limits_.CheckMinValue(); }
    void SetCheckMinValue(bool value);
    bool CheckMaxValue() const { return limits_.CheckMaxValue(); }
    void SetCheckMaxValue(bool value);
    TXcCheckOptions CheckOptions() const { return checkOptions_; }
    void SetCheckOptions(TXcCheckOptions value) { checkOptions_ = value; }
    cl::Extended Increment() const { return increment_; }
    void SetIncrement(cl::Extended value);
    int Decimal() const { return format_.Decimal; }
    void SetDecimal(int value);
    // The form of a decimal value while the edit has no focus.
    const std::string& DisplayFormat() const { return format_.DisplayFormat; }
    void SetDisplayFormat(const std::string& value);
    bool Thousands() const { return format_.Thousands; }
    // Ignored for hexadecimal values.
    void SetThousands(bool value);
    bool ArrowKeys() const { return arrowKeys_; }
    void SetArrowKeys(bool value) { arrowKeys_ = value; }
    TSpinButtonKind ButtonKind() const { return buttonKind_; }
    void SetButtonKind(TSpinButtonKind value);
    bool ShowButton() const { return showButton_; }
    void SetShowButton(bool value);
    // False: only the buttons change the value.
    bool EditorEnabled() const { return editorEnabled_; }
    void SetEditorEnabled(bool value) { editorEnabled_ = value; }
    bool BeepOnError() const { return beepOnError_; }
    void SetBeepOnError(bool value) { beepOnError_ = value; }
    // The clipboard commands the edit takes (and the shared edit menu offers).
    TXcClipboardCommands ClipboardCommands() const { return clipboardCommands_; }
    void SetClipboardCommands(TXcClipboardCommands value) { clipboardCommands_ = value; }

    // The step buttons (nullptr while not shown or of the other kind).
    TXcSpinButton* SpinButton() const { return spinButton_; }
    TXcUpDown* UpDown() const { return upDown_; }

    // A step up or down, as the buttons, keys and wheel make it.
    virtual void UpClick(cl::TObject* sender);
    virtual void DownClick(cl::TObject* sender);

    cl::TNotifyEvent OnTopClick;
    cl::TNotifyEvent OnBottomClick;

    void WndProc(cl::TMessage& message) override;

protected:
    virtual cl::Extended GetValue() = 0;
    // A focused decimal edit with a display format shows its plain form.
    virtual void ReformatFocusedText();
    virtual std::string GetDefaultDisplayFormat() const { return ",0.##"; }
    virtual bool IsValidChar(char key);

    void Loaded() override;
    void CreateParams(cl::TCreateParams& params) override;
    void CreateWnd() override;
    void Change() override;
    void KeyDown(WORD& key, cl::TShiftState shift) override;
    void KeyPress(char& key) override;
    void DoEnter() override;
    void DoExit() override;
    void Resize() override;
    void WMPaste(cl::TMessage& message) override;
    void WMCut(cl::TMessage& message) override;

    // The text as the value's format gives it, the edit's Modified kept.
    void ShowText(const std::string& text);
    bool Focusing() const { return focused_; }

    TSpinTextFormat format_;
    TSpinLimits limits_;
    cl::Extended lastValid_ = 0;
    bool inStep_ = false;

private:
    void Step(bool up);
    void RecreateButton();
    // Paints the button again at once.
    void RedrawButton();
    void LayoutButton();
    int ButtonWidth() const;
    void ErrorBeep();
    // The text without the selected part, as a typed key would leave it.
    std::string TextAroundSelection();

    TXcCheckOptions checkOptions_ = coCheckOnChange | coCheckOnExit | coCropBeyondLimit;
    cl::Extended increment_ = 1;
    bool arrowKeys_ = true;
    TSpinButtonKind buttonKind_ = bkDiagonal;
    bool showButton_ = true;
    bool editorEnabled_ = true;
    bool beepOnError_ = true;
    TXcClipboardCommands clipboardCommands_ = kAllClipboardCommands;
    bool focused_ = false;
    cl::Extended lastReported_ = 0;
    cl::TWinControl* buttonHost_ = nullptr;
    TXcSpinButton* spinButton_ = nullptr;
    TXcUpDown* upDown_ = nullptr;
};

class TXcSpinEdit : public TXcCustomSpinEdit {
    CL_CLASS(TXcSpinEdit, TXcCustomSpinEdit)
public:
    explicit TXcSpinEdit(cl::TComponent* owner) : TXcCustomSpinEdit(owner) {}
    void SetValue(cl::Extended value) override;

protected:
    cl::Extended GetValue() override;
};
