#pragma once
// TFloatSpinEdit: the print dialog's number edit with step buttons, made of
// the class library's edit and up-down until the enhanced spin edit takes
// its place.  It holds a decimal number within MinValue..MaxValue shown
// with Decimal decimals; the buttons and the Up and Down keys step it by
// Increment.  Text that is no number reads as the last valid value; a value
// beyond a limit reads as that limit.  Value is published, so that the
// settings file can keep it.

#include "classlib/NumberFormat.h"
#include "classlib/win/StdCtrls.h"
#include "classlib/win/UpDown.h"

class TFloatSpinEdit : public cl::TEdit {
    CL_CLASS(TFloatSpinEdit, cl::TEdit)
public:
    explicit TFloatSpinEdit(cl::TComponent* owner);

    cl::Extended Value();
    // Clamped to the limits, then shown.
    void SetValue(cl::Extended value);
    cl::Extended MinValue() const { return min_; }
    void SetMinValue(cl::Extended value) { min_ = value; }
    cl::Extended MaxValue() const { return max_; }
    void SetMaxValue(cl::Extended value) { max_ = value; }
    cl::Extended Increment() const { return increment_; }
    void SetIncrement(cl::Extended value) { increment_ = value; }
    int Decimal() const { return decimal_; }
    void SetDecimal(int value);

    // One step up or down from the value, within the limits.
    void Step(bool up);
    cl::TUpDown* UpDown() const { return upDown_; }

protected:
    void CreateWnd() override;
    void Resize() override;
    void KeyDown(WORD& key, cl::TShiftState shift) override;
    void DoExit() override;

private:
    cl::Extended Clamped(cl::Extended value) const;
    void PlaceButtons();

    cl::Extended min_ = 0, max_ = 0, increment_ = 1, lastValid_ = 0;
    int decimal_ = 2;
    cl::TUpDown* upDown_;
};
