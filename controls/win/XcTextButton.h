#pragma once
// What the enhanced check box and radio button share over their
// class-library BUTTON: the text's place inside the button (Alignment,
// Layout, LeftText for the box's side, WordWrap), a size that fits the
// caption (AutoSize), a hot-track font while the pointer is over it, and
// the linked controls.
//
// Alignment here aligns the text (BS_LEFT, BS_RIGHT, BS_CENTER); it is not
// the class library's Alignment, which puts the box on the right.

#include <memory>

#include "classlib/win/StdCtrls.h"
#include "controls/win/XcEnhancedControl.h"
#include "controls/win/XcLinkedControls.h"
#include "controls/win/XcXCLUtils.h"

template <class Base>
class TXcTextButton : public TXcEnhanced<Base> {
public:
    explicit TXcTextButton(cl::TComponent* owner);
    ~TXcTextButton() override;

    cl::TAlignment Alignment() const { return alignment_; }
    void SetAlignment(cl::TAlignment value);
    cl::TTextLayout Layout() const { return layout_; }
    void SetLayout(cl::TTextLayout value);
    // The box on the right of the text.
    bool LeftText() const { return leftText_; }
    void SetLeftText(bool value);
    // True turns AutoSize off.
    void SetWordWrap(bool value);
    // True turns WordWrap off; the client size then fits the caption.
    bool AutoSize() const { return autoSize_; }
    virtual void SetAutoSize(bool value);
    bool HotTrack() const { return hotTrack_; }
    void SetHotTrack(bool value) { hotTrack_ = value; }
    // The font while the pointer is over the control.
    cl::TFont* HotTrackFont() const { return hotTrackFont_.get(); }
    void SetHotTrackFont(cl::TFont* value) { hotTrackFont_->Assign(value); }
    // Which of Font's attributes HotTrackFont follows.
    TXcTrackFontOptions HotTrackFontOptions() const { return hotTrackFontOptions_; }
    void SetHotTrackFontOptions(TXcTrackFontOptions value);
    TXcLinkedControls* LinkedControls() const { return linkedControls_.get(); }
    void SetLinkedControls(TXcLinkedControls* value) { linkedControls_->Assign(value); }

    // Client size := the caption's extent plus the glyph and 8 pixels (the
    // glyph's size, 4 pixels higher, for no caption).  Only with a parent
    // and AutoSize, neither loading nor going.
    virtual void CalcAutoSize();
    // Every linked control's Enabled from this one's Enabled and Checked.
    virtual void CheckLinkedControls();
    // The linked controls follow also without a window (which would report
    // the change by BM_SETCHECK).
    void SetChecked(bool value) override;

    void WndProc(cl::TMessage& message) override;

protected:
    void CreateParams(cl::TCreateParams& params) override;
    void Loaded() override;
    void Notification(cl::TComponent* component, cl::TOperation operation) override;
    void MouseEnter(cl::TControl* control) override;
    void MouseLeave(cl::TControl* control) override;
    void FontChanged() override;
    void TextChanged() override;

private:
    bool Going() const { return (this->ComponentState() & cl::csDestroying) != 0; }

    bool hotTrack_ = false;
    std::unique_ptr<cl::TFont> hotTrackFont_;
    std::unique_ptr<cl::TFont> savedFont_;
    TXcTrackFontOptions hotTrackFontOptions_ = hoFollowFont | hoPreserveColor | hoPreserveStyle;
    bool autoSize_ = true;
    cl::TAlignment alignment_ = cl::taLeftJustify;
    cl::TTextLayout layout_ = cl::tlCenter;
    bool leftText_ = false;
    std::unique_ptr<TXcLinkedControls> linkedControls_;
};

extern template class TXcTextButton<cl::TCheckBox>;
extern template class TXcTextButton<cl::TRadioButton>;

// The published properties the two buttons share, for XC_CLASS_INFO.
#define XC_TEXT_BUTTON_PROPS(T)                                                                              \
    EnumProp("Alignment", {"taLeftJustify", "taRightJustify", "taCenter"}, &T::Alignment, &T::SetAlignment), \
        Prop("AutoSize", &T::AutoSize, &T::SetAutoSize), Prop("HotTrack", &T::HotTrack, &T::SetHotTrack),    \
        Prop("HotTrackFont", &T::HotTrackFont, &T::SetHotTrackFont),                                         \
        SetOfProp("HotTrackFontOptions",                                                                     \
                  {"hoFollowFont", "hoPreserveCharSet", "hoPreserveColor", "hoPreserveHeight",               \
                   "hoPreserveName", "hoPreservePitch", "hoPreserveStyle"},                                  \
                  &T::HotTrackFontOptions, &T::SetHotTrackFontOptions),                                      \
        EnumProp("Layout", {"tlTop", "tlCenter", "tlBottom"}, &T::Layout, &T::SetLayout),                    \
        Prop("LeftText", &T::LeftText, &T::SetLeftText),                                                     \
        Prop("LinkedControls", &T::LinkedControls, &T::SetLinkedControls),                                   \
        Prop("ReadOnly", &T::ReadOnly, &T::SetReadOnly), Prop("WordWrap", &T::WordWrap, &T::SetWordWrap)
