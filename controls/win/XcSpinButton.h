#pragma once
// TXcSpinButton: a windowless two-part button (up and down) with
// auto-repeat: a press on a half clicks it at once, again after 400 ms and
// then every 100 ms while the half stays pressed.  The diagonal style
// (sbsDefault) splits the button along the line from its bottom-left to
// its top-right corner, the classic style at half its height.  Its
// pictures come from the shared spin images (XcSpinImages.h); custom
// glyphs are drawn over the halves.

#include <memory>

#include "classlib/win/Controls.h"
#include "classlib/win/ExtCtrls.h"
#include "controls/XcSpinValue.h"
#include "controls/win/XcEnhancedControl.h"
#include "controls/win/XcSpinImages.h"

// The class library's windowless control with the shared glue.
using TXcGraphicControl = TXcEnhanced<cl::TGraphicControl>;

class TXcSpinButton : public TXcGraphicControl {
    CL_CLASS(TXcSpinButton, TXcGraphicControl)
public:
    explicit TXcSpinButton(cl::TComponent* owner);
    ~TXcSpinButton() override;
    void BeforeDestruction() override;

    TXcSpinButtonStyle ButtonStyle() const { return buttonStyle_; }
    void SetButtonStyle(TXcSpinButtonStyle value);
    // Drawn over the halves instead of the arrows; white is transparent.
    cl::TBitmap* UpGlyph() const { return upGlyph_.get(); }
    void SetUpGlyph(cl::TBitmap* value) { upGlyph_->Assign(value); }
    cl::TBitmap* DownGlyph() const { return downGlyph_.get(); }
    void SetDownGlyph(cl::TBitmap* value) { downGlyph_->Assign(value); }
    // Takes the focus when the button is pressed.
    cl::TWinControl* FocusControl() const { return focusControl_; }
    void SetFocusControl(cl::TWinControl* value);

    // The half pressed now, and the half under the mouse (themes on).
    TSpinHalf Pressed() const { return pressed_; }
    TSpinHalf Hot() const { return hot_; }

    cl::TNotifyEvent OnTopClick;
    cl::TNotifyEvent OnBottomClick;

    void WndProc(cl::TMessage& message) override;

protected:
    void Paint() override;
    void MouseDown(cl::TMouseButton button, cl::TShiftState shift, int x, int y) override;
    void MouseMove(cl::TShiftState shift, int x, int y) override;
    void MouseUp(cl::TMouseButton button, cl::TShiftState shift, int x, int y) override;
    void MouseLeave(cl::TControl* control) override;
    void Notification(cl::TComponent* component, cl::TOperation operation) override;

private:
    TSpinHalf HalfAt(int x, int y) const;
    void Fire(TSpinHalf half);
    void SetPressed(TSpinHalf value);
    void RepeatTick();
    void ReleaseImages() noexcept;
    void GlyphChanged();

    TXcSpinButtonStyle buttonStyle_ = sbsDefault;
    std::unique_ptr<cl::TBitmap> upGlyph_, downGlyph_;
    cl::TWinControl* focusControl_ = nullptr;
    TSpinHalf pressed_ = shNone;
    TSpinHalf downHalf_ = shNone;  // the half the press began on
    TSpinHalf hot_ = shNone;
    bool dragging_ = false;
    cl::TTimer* repeatTimer_ = nullptr;
    TXcSpinImageSet* images_ = nullptr;
    TXcSpinImageKey imagesKey_{};
};
