#pragma once
// Painters of page-control tabs: TXcTabControlPainter keeps the tab
// controls that use it and repaints them when it changes;
// TXcTabDefaultPainter fills a tab with a gradient of its state's colours
// (active, inactive or disabled) and puts the glyph and caption on it.

#include <memory>
#include <string>
#include <vector>

#include "classlib/win/Buttons.h"
#include "classlib/win/Controls.h"
#include "classlib/win/ImgList.h"
#include "controls/XcGradient.h"

class TXcTabControlPainter : public cl::TComponent {
    CL_CLASS(TXcTabControlPainter, cl::TComponent)
public:
    explicit TXcTabControlPainter(cl::TComponent* owner);
    ~TXcTabControlPainter() override;
    // Lets go of every registered control.
    void BeforeDestruction() override;

    // One tab of control into r of canvas.
    virtual void DrawTab(cl::TWinControl* control, cl::TCanvas* canvas, cl::TCustomImageList* images,
                         int imageIndex, const std::string& caption, const cl::TRect& r, bool active,
                         bool enabled) = 0;
    // Repaints every registered control.
    virtual void Changed();

    // A registered control is repainted now and at every change, and
    // dropped when it is freed.
    void RegisterControl(cl::TWinControl* control);
    void UnregisterControl(cl::TWinControl* control);
    int ControlCount() const { return static_cast<int>(controls_.size()); }

protected:
    void Notification(cl::TComponent* component, cl::TOperation operation) override;

private:
    void UnregisterAll() noexcept;
    std::vector<cl::TWinControl*> controls_;
};

class TXcTabDefaultPainter : public TXcTabControlPainter {
    CL_CLASS(TXcTabDefaultPainter, TXcTabControlPainter)
public:
    // The fonts are copies of the owner form's (the screen's default font
    // when the owner is no form): the active one in clHighlight, the
    // disabled one in clGrayText.
    explicit TXcTabDefaultPainter(cl::TComponent* owner);
    ~TXcTabDefaultPainter() override;

    void DrawTab(cl::TWinControl* control, cl::TCanvas* canvas, cl::TCustomImageList* images, int imageIndex,
                 const std::string& caption, const cl::TRect& r, bool active, bool enabled) override;

    cl::TFont* ActiveFont() const { return activeFont_.get(); }
    void SetActiveFont(cl::TFont* value) { activeFont_->Assign(value); }
    cl::TColor ActiveColorFrom() const { return activeFrom_; }
    void SetActiveColorFrom(cl::TColor value) { Set(activeFrom_, value); }
    cl::TColor ActiveColorTo() const { return activeTo_; }
    void SetActiveColorTo(cl::TColor value) { Set(activeTo_, value); }
    TFillDirection ActiveGradientDirection() const { return activeDirection_; }
    void SetActiveGradientDirection(TFillDirection value) { Set(activeDirection_, value); }
    cl::TFont* InactiveFont() const { return inactiveFont_.get(); }
    void SetInactiveFont(cl::TFont* value) { inactiveFont_->Assign(value); }
    cl::TColor InactiveColorFrom() const { return inactiveFrom_; }
    void SetInactiveColorFrom(cl::TColor value) { Set(inactiveFrom_, value); }
    cl::TColor InactiveColorTo() const { return inactiveTo_; }
    void SetInactiveColorTo(cl::TColor value) { Set(inactiveTo_, value); }
    TFillDirection InactiveGradientDirection() const { return inactiveDirection_; }
    void SetInactiveGradientDirection(TFillDirection value) { Set(inactiveDirection_, value); }
    cl::TFont* DisabledFont() const { return disabledFont_.get(); }
    void SetDisabledFont(cl::TFont* value) { disabledFont_->Assign(value); }
    cl::TColor DisabledColorFrom() const { return disabledFrom_; }
    void SetDisabledColorFrom(cl::TColor value) { Set(disabledFrom_, value); }
    cl::TColor DisabledColorTo() const { return disabledTo_; }
    void SetDisabledColorTo(cl::TColor value) { Set(disabledTo_, value); }
    TFillDirection DisabledGradientDirection() const { return disabledDirection_; }
    void SetDisabledGradientDirection(TFillDirection value) { Set(disabledDirection_, value); }
    cl::TButtonLayout GlyphLayout() const { return glyphLayout_; }
    void SetGlyphLayout(cl::TButtonLayout value) { Set(glyphLayout_, value); }
    // An etched line between glyph and caption laid out above each other.
    bool Divider() const { return divider_; }
    void SetDivider(bool value) { Set(divider_, value); }
    // A focus rectangle on the active tab.
    bool ShowFocus() const { return showFocus_; }
    void SetShowFocus(bool value) { Set(showFocus_, value); }

private:
    template <class T>
    void Set(T& field, T value) {
        if (field == value) return;
        field = value;
        Changed();
    }

    std::unique_ptr<cl::TFont> activeFont_, inactiveFont_, disabledFont_;
    cl::TColor activeFrom_ = cl::clWhite;
    cl::TColor activeTo_ = cl::clBtnFace;
    TFillDirection activeDirection_ = fdTopToBottom;
    cl::TColor inactiveFrom_ = static_cast<cl::TColor>(0xD7D7D7);
    cl::TColor inactiveTo_ = static_cast<cl::TColor>(0xADADAD);
    TFillDirection inactiveDirection_ = fdTopToBottom;
    cl::TColor disabledFrom_ = cl::clBtnFace;
    cl::TColor disabledTo_ = cl::clBtnFace;
    TFillDirection disabledDirection_ = fdTopToBottom;
    cl::TButtonLayout glyphLayout_ = cl::blGlyphLeft;
    bool divider_ = false;
    bool showFocus_ = false;
};
