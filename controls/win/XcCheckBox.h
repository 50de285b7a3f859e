#pragma once
// TXcCheckBox: the class library's check box with the enhanced buttons'
// text placement, AutoSize, hot-track font and linked controls; ReadOnly
// keeps its state from the user's clicks and keys.

#include "controls/win/XcTextButton.h"

class TXcCheckBox : public TXcTextButton<cl::TCheckBox> {
    CL_CLASS(TXcCheckBox, TXcTextButton<cl::TCheckBox>)
public:
    using TXcTextButton::TXcTextButton;

    bool ReadOnly() const { return readOnly_; }
    void SetReadOnly(bool value) { readOnly_ = value; }

protected:
    // Nothing while ReadOnly; then the linked controls follow.
    void Toggle() override;

private:
    bool readOnly_ = false;
};
