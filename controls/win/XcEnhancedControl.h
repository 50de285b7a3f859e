#pragma once
// What every enhanced control adds to the class-library control it derives
// from, written once as a template over that base:
//   - the published HintColor (default clInfoBk), the colour of its hints;
//   - OnMouseEnter, OnMouseLeave and the mouse-over flag between them;
//   - OnParentColorChange, after the control took its parent's colour;
//   - the class library's control notifications as operations a control
//     overrides (calling the template's own at the point it chooses).
//
// A control instantiates it over its base and declares its class
// information with XC_CLASS_INFO, which publishes HintColor too:
//
//     class TXcCustomControl : public TXcEnhanced<cl::TCustomControl> {
//         CL_CLASS(TXcCustomControl, TXcEnhanced<cl::TCustomControl>)
//     public:
//         using TXcEnhanced::TXcEnhanced;
//     };
//     XC_CLASS_INFO(TXcCustomControl)           // in the .cpp
//
// Enabled and visible changes are the class library's own overridable
// EnabledChanged() and VisibleChanged().

#include <windows.h>

#include "classlib/win/Controls.h"

template <class Base>
class TXcEnhanced : public Base {
public:
    explicit TXcEnhanced(cl::TComponent* owner) : Base(owner) {}

    cl::TColor HintColor() const { return hintColor_; }
    void SetHintColor(cl::TColor value) { hintColor_ = value; }
    // The mouse is over the control: between its enter and its leave.
    bool MouseOver() const { return mouseOver_; }

    cl::TNotifyEvent OnMouseEnter;
    cl::TNotifyEvent OnMouseLeave;
    cl::TNotifyEvent OnParentColorChange;

    void WndProc(cl::TMessage& m) override {
        switch (m.Msg) {
            case cl::CM_MOUSEENTER:
                Base::WndProc(m);
                MouseEnter(reinterpret_cast<cl::TControl*>(m.LParam));
                return;
            case cl::CM_MOUSELEAVE:
                Base::WndProc(m);
                MouseLeave(reinterpret_cast<cl::TControl*>(m.LParam));
                return;
            case cl::CM_PARENTCOLORCHANGED:
                Base::WndProc(m);
                ParentColorChanged();
                return;
            case cl::CM_COLORCHANGED:
                Base::WndProc(m);
                ColorChanged();
                return;
            case cl::CM_FONTCHANGED:
                Base::WndProc(m);
                FontChanged();
                return;
            case cl::CM_TEXTCHANGED:
                Base::WndProc(m);
                TextChanged();
                return;
            case cl::CM_FOCUSCHANGED:
                Base::WndProc(m);
                FocusChanged(reinterpret_cast<cl::TWinControl*>(m.LParam));
                return;
            case cl::CM_DIALOGCHAR:
                m.Result = WantKey(static_cast<WORD>(m.WParam), m.LParam) ? 1 : 0;
                return;
            case WM_GETDLGCODE: {
                Base::WndProc(m);
                auto code = static_cast<UINT>(m.Result);
                GetDlgCode(code);
                m.Result = code;
                return;
            }
            case WM_ERASEBKGND:
                m.Result = DoEraseBackground(reinterpret_cast<HDC>(m.WParam)) ? 1 : 0;
                return;
            case cl::CM_HINTSHOW: {
                auto* info = reinterpret_cast<cl::THintInfo*>(m.LParam);
                if (hintColor_ != cl::clDefault) info->HintColor = hintColor_;
                m.Result = HintShow(*info) ? 1 : 0;
                return;
            }
        }
        Base::WndProc(m);
    }

protected:
    void SetMouseOver(bool value) { mouseOver_ = value; }

    // The notifications, each after the class library handled it.
    // control is the one the pointer entered or left (this control).
    virtual void MouseEnter(cl::TControl* control) {
        mouseOver_ = true;
        if (OnMouseEnter) OnMouseEnter(this);
    }
    virtual void MouseLeave(cl::TControl* control) {
        mouseOver_ = false;
        if (OnMouseLeave) OnMouseLeave(this);
    }
    virtual void ParentColorChanged() {
        if (OnParentColorChange) OnParentColorChange(this);
    }
    virtual void ColorChanged() {}
    virtual void FontChanged() {}
    virtual void TextChanged() {}
    virtual void FocusChanged(cl::TWinControl* focused) {}

    // The hooks, whose default is the class library's answer.
    // An accelerator key (CM_DIALOGCHAR): true takes it.
    virtual bool WantKey(WORD charCode, LPARAM keyData) {
        return Inherited(cl::CM_DIALOGCHAR, charCode, keyData);
    }
    // WM_GETDLGCODE: code holds the class library's answer.
    virtual void GetDlgCode(UINT& code) {}
    // WM_ERASEBKGND: true when the background counts as erased.
    virtual bool DoEraseBackground(HDC dc) {
        return Inherited(WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(dc));
    }
    // CM_HINTSHOW with HintColor applied: true shows no hint.
    virtual bool HintShow(cl::THintInfo& info) {
        return Inherited(cl::CM_HINTSHOW, 0, reinterpret_cast<LPARAM>(&info));
    }

private:
    // The base class's handling of a message; true for a non-zero result.
    bool Inherited(UINT msg, WPARAM wParam, LPARAM lParam) {
        cl::TMessage m{msg, wParam, lParam, 0};
        Base::WndProc(m);
        return m.Result != 0;
    }

    cl::TColor hintColor_ = cl::clInfoBk;
    bool mouseOver_ = false;
};

// The published property the template adds, for XC_CLASS_INFO.
template <class T>
cl::TPropInfo XcHintColorProp() {
    return cl::Prop("HintColor", &T::HintColor, &T::SetHintColor);
}

// CL_CLASS_INFO of a class over TXcEnhanced: HintColor, then its own.
#define XC_CLASS_INFO(Name, ...) CL_CLASS_INFO(Name, ::XcHintColorProp<Name>() __VA_OPT__(, ) __VA_ARGS__)
