#pragma once
// TXcScrollBox: the class library's scroll box that takes the focus when
// clicked, keeps the keys it scrolls by (Tab still moves the focus on),
// reports its scrolling, and with HotTrack shows a flat border that turns
// sunken while the pointer is over it.

#include "classlib/win/Forms.h"
#include "controls/win/XcEnhancedControl.h"

class TXcScrollBox : public TXcEnhanced<cl::TScrollBox> {
    CL_CLASS(TXcScrollBox, TXcEnhanced<cl::TScrollBox>)
public:
    explicit TXcScrollBox(cl::TComponent* owner);

    // True turns Ctl3D off until the pointer comes.  Ctl3D makes the
    // single border sunken (True) or flat.
    bool HotTrack() const { return hotTrack_; }
    void SetHotTrack(bool value);

    cl::TNotifyEvent OnHorizontalScroll;
    cl::TNotifyEvent OnVerticalScroll;

    void WndProc(cl::TMessage& message) override;

protected:
    void CreateParams(cl::TCreateParams& params) override;
    void GetDlgCode(UINT& code) override;
    void MouseEnter(cl::TControl* control) override;
    void MouseLeave(cl::TControl* control) override;

private:
    void ShowCtl3D();

    bool hotTrack_ = false;
};
