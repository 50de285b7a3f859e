#include "controls/win/XcSpinButton.h"

#include <cmath>

#include "controls/win/XcThemeServices.h"

using namespace cl;

namespace {

constexpr unsigned kFirstRepeatMs = 400;
constexpr unsigned kRepeatMs = 100;

}  // namespace

XC_CLASS_INFO(TXcSpinButton,
              EnumProp("ButtonStyle", {"sbsDefault", "sbsClassic"}, &TXcSpinButton::ButtonStyle,
                       &TXcSpinButton::SetButtonStyle),
              Prop("UpGlyph", &TXcSpinButton::UpGlyph, &TXcSpinButton::SetUpGlyph),
              Prop("DownGlyph", &TXcSpinButton::DownGlyph, &TXcSpinButton::SetDownGlyph),
              Prop("FocusControl", &TXcSpinButton::FocusControl, &TXcSpinButton::SetFocusControl))

TXcSpinButton::TXcSpinButton(TComponent* owner)
    : TXcGraphicControl(owner),
      upGlyph_(std::make_unique<TBitmap>()),
      downGlyph_(std::make_unique<TBitmap>()) {
    SetBounds(0, 0, 20, 20);
    SetControlStyle(ControlStyle() | csOpaque);
    upGlyph_->OnChange = [this](TObject*) { GlyphChanged(); };
    downGlyph_->OnChange = [this](TObject*) { GlyphChanged(); };
}

TXcSpinButton::~TXcSpinButton() {
    ReleaseImages();
    upGlyph_->OnChange = nullptr;
    downGlyph_->OnChange = nullptr;
}

void TXcSpinButton::BeforeDestruction() {
    Destroying();
    if (repeatTimer_) repeatTimer_->SetEnabled(false);
    ReleaseImages();
    TXcGraphicControl::BeforeDestruction();
}

void TXcSpinButton::ReleaseImages() noexcept {
    if (!images_) return;
    images_ = nullptr;
    ReleaseSpinImages(imagesKey_);
}

void TXcSpinButton::GlyphChanged() {
    for (TBitmap* glyph : {upGlyph_.get(), downGlyph_.get()}) glyph->SetTransparent(true);
    ReleaseImages();
    Invalidate();
}

void TXcSpinButton::SetButtonStyle(TXcSpinButtonStyle value) {
    if (value == buttonStyle_) return;
    buttonStyle_ = value;
    Invalidate();
}

void TXcSpinButton::SetFocusControl(TWinControl* value) {
    if (value == focusControl_) return;
    if (focusControl_) focusControl_->RemoveFreeNotification(this);
    focusControl_ = value;
    if (value) value->FreeNotification(this);
}

void TXcSpinButton::Notification(TComponent* component, TOperation operation) {
    TXcGraphicControl::Notification(component, operation);
    if (operation == opRemove && component == focusControl_) focusControl_ = nullptr;
}

TSpinHalf TXcSpinButton::HalfAt(int x, int y) const {
    if (x < 0 || y < 0 || x >= Width() || y >= Height()) return shNone;
    return SpinHalfAt(buttonStyle_ == sbsDefault, Width(), Height(), x, y);
}

void TXcSpinButton::Fire(TSpinHalf half) {
    const TNotifyEvent& event = half == shTop ? OnTopClick : OnBottomClick;
    if (event) event(this);
}

void TXcSpinButton::SetPressed(TSpinHalf value) {
    if (value == pressed_) return;
    pressed_ = value;
    Invalidate();
}

void TXcSpinButton::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    TXcGraphicControl::MouseDown(button, shift, x, y);
    if (button != mbLeft || !Enabled()) return;
    if (focusControl_ && focusControl_->TabStop() && focusControl_->CanFocus() && !focusControl_->Focused())
        focusControl_->SetFocus();
    const TSpinHalf half = HalfAt(x, y);
    if (half == shNone) return;
    downHalf_ = half;
    dragging_ = true;
    SetPressed(half);
    if (!repeatTimer_) {
        repeatTimer_ = new TTimer(this);
        repeatTimer_->SetOnTimer([this](TObject*) { RepeatTick(); });
    }
    repeatTimer_->SetEnabled(false);
    repeatTimer_->SetInterval(kFirstRepeatMs);
    repeatTimer_->SetEnabled(true);
    Fire(half);
    // The click may have taken long enough for the button to be let go.
    if (GetKeyState(VK_LBUTTON) >= 0 && !MouseCapture()) {
        SetPressed(shNone);
        repeatTimer_->SetEnabled(false);
    }
}

void TXcSpinButton::RepeatTick() {
    repeatTimer_->SetInterval(kRepeatMs);
    if (pressed_ == shNone || !MouseCapture()) return;
    try {
        Fire(pressed_);
    } catch (...) {
        repeatTimer_->SetEnabled(false);
        throw;
    }
}

void TXcSpinButton::MouseMove(TShiftState shift, int x, int y) {
    TXcGraphicControl::MouseMove(shift, x, y);
    if (dragging_) {
        SetPressed(HalfAt(x, y) == downHalf_ ? downHalf_ : shNone);
        return;
    }
    const TSpinHalf hot = ThemeServicesOf().ThemesEnabled() ? HalfAt(x, y) : shNone;
    if (hot != hot_) {
        hot_ = hot;
        Invalidate();
    }
}

void TXcSpinButton::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    TXcGraphicControl::MouseUp(button, shift, x, y);
    if (button != mbLeft) return;
    dragging_ = false;
    downHalf_ = shNone;
    if (repeatTimer_) repeatTimer_->SetEnabled(false);
    SetPressed(shNone);
}

void TXcSpinButton::MouseLeave(TControl* control) {
    TXcGraphicControl::MouseLeave(control);
    if (hot_ != shNone) {
        hot_ = shNone;
        Invalidate();
    }
}

void TXcSpinButton::WndProc(TMessage& m) {
    if (m.Msg == CM_SYSCOLORCHANGE) InvalidateSpinImages();
    TXcGraphicControl::WndProc(m);
}

void TXcSpinButton::Paint() {
    const bool custom = !upGlyph_->Empty() || !downGlyph_->Empty();
    const TXcSpinImageKey key{Width(), Height(), buttonStyle_, custom};
    if (images_ && key != imagesKey_) ReleaseImages();
    if (!images_) {
        images_ = AcquireSpinImages(key);
        imagesKey_ = key;
    }
    TCanvas& canvas = *Canvas();
    images_->Draw(canvas, 0, 0, pressed_, hot_, Enabled());
    if (!custom) return;
    const int w = Width(), h = Height();
    const bool diagonal = buttonStyle_ == sbsDefault;
    const struct {
        TBitmap* glyph;
        double cx, cy;
    } glyphs[] = {
        {upGlyph_.get(), diagonal ? w / 4.0 : w / 2.0, diagonal ? h / 4.0 : h / 4.0},
        {downGlyph_.get(), diagonal ? 3.0 * w / 4 - 1 : w / 2.0, diagonal ? 3.0 * h / 4 - 1 : 3.0 * h / 4}};
    for (const auto& g : glyphs) {
        if (g.glyph->Empty()) continue;
        canvas.Draw(static_cast<int>(std::lround(g.cx - g.glyph->Width() / 2.0)),
                    static_cast<int>(std::lround(g.cy - g.glyph->Height() / 2.0)), g.glyph);
    }
}
