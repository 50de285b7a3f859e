#pragma once
// TXcCheckBox: the class library's check box with the enhanced buttons'
// text placement, AutoSize, hot-track font and linked controls; ReadOnly
// keeps its state from the user's clicks and keys.

#include <string>
#include <vector>

#include "controls/win/XcTextButton.h"

class TXcCheckBox : public TXcTextButton<cl::TCheckBox> {
    CL_CLASS(TXcCheckBox, TXcTextButton<cl::TCheckBox>)
public:
    using TXcTextButton::TXcTextButton;

    bool ReadOnly() const { return readOnly_; }
    void SetReadOnly(bool value) { readOnly_ = value; }

    // Older layouts' "Associated": the owner's control of that name becomes
    // a linked control (once the layout is read, if it comes later in it).
    // Never written: the link is written with LinkedControls.
    void DefineProperties(cl::TFiler& filer) override;

protected:
    void Loaded() override;
    // Nothing while ReadOnly; then the linked controls follow.
    void Toggle() override;

private:
    // True when the owner has the control.
    bool LinkAssociated(const std::string& name);

    bool readOnly_ = false;
    std::vector<std::string> pendingAssociated_;
};
