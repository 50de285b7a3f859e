#pragma once
// TXcGroupBox: the class library's group box that can hand its Enabled to
// the controls inside it (PropagateEnable), tells when its caption's
// accelerator was used (OnHotKey), and without themes draws an etched
// frame (flat with Ctl3D False) and an embossed caption while disabled.

#include "classlib/win/StdCtrls.h"
#include "controls/win/XcEnhancedControl.h"

class TXcGroupBox : public TXcEnhanced<cl::TGroupBox> {
    CL_CLASS(TXcGroupBox, TXcEnhanced<cl::TGroupBox>)
public:
    explicit TXcGroupBox(cl::TComponent* owner);

    // Setting it, whatever the value, gives every child the box's Enabled;
    // while True every change of the box's Enabled does.
    bool PropagateEnable() const { return propagateEnable_; }
    void SetPropagateEnable(bool value);

    cl::TNotifyEvent OnHotKey;

    void WndProc(cl::TMessage& message) override;

protected:
    void Paint() override;
    bool WantKey(WORD charCode, LPARAM keyData) override;
    virtual void DoHotKey();

private:
    void PaintClassic();
    void EnableChildren();

    bool propagateEnable_ = false;
};
