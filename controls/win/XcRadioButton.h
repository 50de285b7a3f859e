#pragma once
// TXcRadioButton: the class library's radio button with the enhanced
// buttons' text placement, AutoSize, hot-track font and linked controls.
//
// ReadOnly is a flag of its own, not the class library's ClicksDisabled
// (which the button clears again whenever a click focuses it): while it is
// set the button ignores the mouse, and neither Space nor getting the focus
// checks it.  The program still sets Checked.

#include "controls/win/XcTextButton.h"

class TXcRadioButton : public TXcTextButton<cl::TRadioButton> {
    CL_CLASS(TXcRadioButton, TXcTextButton<cl::TRadioButton>)
public:
    using TXcTextButton::TXcTextButton;

    bool ReadOnly() const { return readOnly_; }
    void SetReadOnly(bool value) { readOnly_ = value; }

    void WndProc(cl::TMessage& message) override;

private:
    bool readOnly_ = false;
};
