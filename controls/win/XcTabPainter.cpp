#include "controls/win/XcTabPainter.h"

#include <algorithm>

#include "classlib/win/Forms.h"
#include "controls/win/XcBaseUtilsWin.h"
#include "controls/win/XcXCLUtils.h"

using namespace cl;

namespace {

constexpr int kGlyphMargin = 4;

}  // namespace

// ---- TXcTabControlPainter -----------------------------------------------------------
CL_CLASS_INFO(TXcTabControlPainter)

TXcTabControlPainter::TXcTabControlPainter(TComponent* owner) : TComponent(owner) {}

TXcTabControlPainter::~TXcTabControlPainter() {
    UnregisterAll();
}

void TXcTabControlPainter::BeforeDestruction() {
    Destroying();
    UnregisterAll();
    TComponent::BeforeDestruction();
}

void TXcTabControlPainter::UnregisterAll() noexcept {
    const std::vector<TWinControl*> controls = std::move(controls_);
    controls_.clear();
    for (TWinControl* control : controls) {
        control->RemoveFreeNotification(this);
        if (!(control->ComponentState() & csDestroying))
            ExceptionBarrier(this, [control] { control->Invalidate(); });
    }
}

void TXcTabControlPainter::Changed() {
    for (TWinControl* control : controls_) control->Invalidate();
}

void TXcTabControlPainter::RegisterControl(TWinControl* control) {
    if (!control || std::find(controls_.begin(), controls_.end(), control) != controls_.end()) return;
    controls_.push_back(control);
    control->FreeNotification(this);
    control->Invalidate();
}

void TXcTabControlPainter::UnregisterControl(TWinControl* control) {
    const auto it = std::find(controls_.begin(), controls_.end(), control);
    if (it == controls_.end()) return;
    controls_.erase(it);
    control->RemoveFreeNotification(this);
    if (!(control->ComponentState() & csDestroying)) control->Invalidate();
}

void TXcTabControlPainter::Notification(TComponent* component, TOperation operation) {
    TComponent::Notification(component, operation);
    if (operation == opRemove)
        std::erase_if(controls_,
                      [component](TWinControl* c) { return static_cast<TComponent*>(c) == component; });
}

// ---- TXcTabDefaultPainter -----------------------------------------------------------
CL_CLASS_INFO(
    TXcTabDefaultPainter,
    Prop("ActiveFont", &TXcTabDefaultPainter::ActiveFont, &TXcTabDefaultPainter::SetActiveFont),
    Prop("ActiveColorFrom", &TXcTabDefaultPainter::ActiveColorFrom,
         &TXcTabDefaultPainter::SetActiveColorFrom),
    Prop("ActiveColorTo", &TXcTabDefaultPainter::ActiveColorTo, &TXcTabDefaultPainter::SetActiveColorTo),
    EnumProp("ActiveGradientDirection", {"fdTopToBottom", "fdBottomToTop", "fdLeftToRight", "fdRightToLeft"},
             &TXcTabDefaultPainter::ActiveGradientDirection,
             &TXcTabDefaultPainter::SetActiveGradientDirection),
    Prop("InactiveFont", &TXcTabDefaultPainter::InactiveFont, &TXcTabDefaultPainter::SetInactiveFont),
    Prop("InactiveColorFrom", &TXcTabDefaultPainter::InactiveColorFrom,
         &TXcTabDefaultPainter::SetInactiveColorFrom),
    Prop("InactiveColorTo", &TXcTabDefaultPainter::InactiveColorTo,
         &TXcTabDefaultPainter::SetInactiveColorTo),
    EnumProp("InactiveGradientDirection",
             {"fdTopToBottom", "fdBottomToTop", "fdLeftToRight", "fdRightToLeft"},
             &TXcTabDefaultPainter::InactiveGradientDirection,
             &TXcTabDefaultPainter::SetInactiveGradientDirection),
    Prop("DisabledFont", &TXcTabDefaultPainter::DisabledFont, &TXcTabDefaultPainter::SetDisabledFont),
    Prop("DisabledColorFrom", &TXcTabDefaultPainter::DisabledColorFrom,
         &TXcTabDefaultPainter::SetDisabledColorFrom),
    Prop("DisabledColorTo", &TXcTabDefaultPainter::DisabledColorTo,
         &TXcTabDefaultPainter::SetDisabledColorTo),
    EnumProp("DisabledGradientDirection",
             {"fdTopToBottom", "fdBottomToTop", "fdLeftToRight", "fdRightToLeft"},
             &TXcTabDefaultPainter::DisabledGradientDirection,
             &TXcTabDefaultPainter::SetDisabledGradientDirection),
    EnumProp("GlyphLayout", {"blGlyphLeft", "blGlyphRight", "blGlyphTop", "blGlyphBottom"},
             &TXcTabDefaultPainter::GlyphLayout, &TXcTabDefaultPainter::SetGlyphLayout),
    Prop("Divider", &TXcTabDefaultPainter::Divider, &TXcTabDefaultPainter::SetDivider),
    Prop("ShowFocus", &TXcTabDefaultPainter::ShowFocus, &TXcTabDefaultPainter::SetShowFocus))

TXcTabDefaultPainter::TXcTabDefaultPainter(TComponent* owner)
    : TXcTabControlPainter(owner),
      activeFont_(std::make_unique<TFont>()),
      inactiveFont_(std::make_unique<TFont>()),
      disabledFont_(std::make_unique<TFont>()) {
    if (auto* form = dynamic_cast<TCustomForm*>(owner)) {
        for (TFont* font : {activeFont_.get(), inactiveFont_.get(), disabledFont_.get()})
            font->Assign(form->Font());
    }
    activeFont_->SetColor(clHighlight);
    disabledFont_->SetColor(clGrayText);
    for (TFont* font : {activeFont_.get(), inactiveFont_.get(), disabledFont_.get()})
        font->OnChange = [this](TObject*) { Changed(); };
}

TXcTabDefaultPainter::~TXcTabDefaultPainter() {
    for (TFont* font : {activeFont_.get(), inactiveFont_.get(), disabledFont_.get()})
        font->OnChange = nullptr;
}

void TXcTabDefaultPainter::DrawTab(TWinControl* control, TCanvas* canvas, TCustomImageList* images,
                                   int imageIndex, const std::string& caption, const TRect& r, bool active,
                                   bool enabled) {
    TColor from = activeFrom_, to = activeTo_;
    TFillDirection direction = activeDirection_;
    TFont* font = activeFont_.get();
    if (!enabled) {
        from = disabledFrom_, to = disabledTo_, direction = disabledDirection_, font = disabledFont_.get();
    } else if (!active) {
        from = inactiveFrom_, to = inactiveTo_, direction = inactiveDirection_, font = inactiveFont_.get();
    }
    FillRectGradient(canvas, r, from, to, direction, 255);
    canvas->SetFont(font);

    TRect textRect = r;
    const bool hasGlyph = images && imageIndex >= 0 && imageIndex < images->Count();
    if (hasGlyph) {
        const int w = images->Width(), h = images->Height();
        TRect glyph = r;
        switch (glyphLayout_) {
            case blGlyphLeft:
                glyph.left = r.left + kGlyphMargin;
                glyph.right = glyph.left + w;
                textRect.left = glyph.right + kGlyphMargin;
                break;
            case blGlyphRight:
                glyph.right = r.right - kGlyphMargin;
                glyph.left = glyph.right - w;
                textRect.right = glyph.left - kGlyphMargin;
                break;
            case blGlyphTop:
            case blGlyphBottom: {
                const int middle = (r.top + r.bottom) / 2;
                const bool top = glyphLayout_ == blGlyphTop;
                glyph.top = top ? r.top : middle;
                glyph.bottom = top ? middle : r.bottom;
                textRect.top = top ? middle : r.top;
                textRect.bottom = top ? r.bottom : middle;
                if (divider_ && !caption.empty()) {
                    canvas->Pen()->SetColor(clBtnShadow);
                    canvas->MoveTo(r.left + kGlyphMargin, middle);
                    canvas->LineTo(r.right - kGlyphMargin, middle);
                    canvas->Pen()->SetColor(clBtnHighlight);
                    canvas->MoveTo(r.left + kGlyphMargin + 1, middle + 1);
                    canvas->LineTo(r.right - kGlyphMargin + 1, middle + 1);
                }
                break;
            }
        }
        images->Draw(canvas, glyph.left + (RectWidth(glyph) - w) / 2, glyph.top + (RectHeight(glyph) - h) / 2,
                     imageIndex, enabled);
    }
    if (!caption.empty()) {
        canvas->Brush()->SetStyle(bsClear);
        CanvasDrawText(*canvas, caption, textRect, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    }
    if (active && showFocus_) {
        TRect focus = r;
        InflateRect(&focus, -3, -3);
        DrawFocusRect(canvas->Handle(), &focus);
    }
}
