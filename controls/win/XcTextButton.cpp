#include "controls/win/XcTextButton.h"

#include "controls/win/XcTextMeasure.h"

using namespace cl;

template <class Base>
TXcTextButton<Base>::TXcTextButton(TComponent* owner)
    : TXcEnhanced<Base>(owner),
      hotTrackFont_(std::make_unique<TFont>()),
      savedFont_(std::make_unique<TFont>()),
      linkedControls_(std::make_unique<TXcLinkedControls>(this)) {
    linkedControls_->OnChange = [this] { CheckLinkedControls(); };
}

template <class Base>
TXcTextButton<Base>::~TXcTextButton() {
    linkedControls_.reset();
}

template <class Base>
void TXcTextButton<Base>::SetAlignment(TAlignment value) {
    if (value == alignment_) return;
    alignment_ = value;
    this->RecreateWnd();
}

template <class Base>
void TXcTextButton<Base>::SetLayout(TTextLayout value) {
    if (value == layout_) return;
    layout_ = value;
    this->RecreateWnd();
}

template <class Base>
void TXcTextButton<Base>::SetLeftText(bool value) {
    if (value == leftText_) return;
    leftText_ = value;
    this->RecreateWnd();
}

template <class Base>
void TXcTextButton<Base>::SetWordWrap(bool value) {
    if (value == this->WordWrap()) return;
    Base::SetWordWrap(value);
    if (value) SetAutoSize(false);
}

template <class Base>
void TXcTextButton<Base>::SetAutoSize(bool value) {
    if (value == autoSize_) return;
    autoSize_ = value;
    if (value) Base::SetWordWrap(false);
    CalcAutoSize();
}

template <class Base>
void TXcTextButton<Base>::SetHotTrackFontOptions(TXcTrackFontOptions value) {
    if (value == hotTrackFontOptions_) return;
    hotTrackFontOptions_ = value;
    CopyFontAttributes(hotTrackFont_.get(), this->Font(), value);
}

template <class Base>
void TXcTextButton<Base>::CalcAutoSize() {
    if (!this->Parent() || !autoSize_ || (this->ComponentState() & csLoading) || Going()) return;
    const SIZE glyph = GetCheckBoxGlyphSize();
    const int glyphHeight = glyph.cy + 4;
    const std::string caption = this->Caption();
    int width = glyph.cx, height = glyphHeight;
    if (!caption.empty()) {
        const UINT flags = DT_NOCLIP | DT_LEFT | (this->WordWrap() ? DT_WORDBREAK : DT_SINGLELINE);
        const TRect r = ScreenMeasureText(*this->Font(), caption,
                                          Rect(0, 0, this->ClientWidth(), this->ClientHeight()), flags);
        width = r.right - r.left + glyph.cx + 8;
        height = r.bottom - r.top;
    }
    this->SetClientSize(std::max<int>(width, glyph.cx), std::max(height, glyphHeight));
}

template <class Base>
void TXcTextButton<Base>::CheckLinkedControls() {
    if (Going()) return;
    for (int i = 0; i < linkedControls_->Count(); ++i) {
        TXcLinkedControl* link = linkedControls_->Items(i);
        if (TControl* control = link->Control())
            control->SetEnabled(CheckLinkControlEnabled(this->Enabled(), this->Checked(), link->Options()));
    }
}

template <class Base>
void TXcTextButton<Base>::SetChecked(bool value) {
    Base::SetChecked(value);
    CheckLinkedControls();
}

template <class Base>
void TXcTextButton<Base>::CreateParams(TCreateParams& p) {
    Base::CreateParams(p);
    static constexpr DWORD kAlignments[] = {BS_LEFT, BS_RIGHT, BS_CENTER};
    static constexpr DWORD kLayouts[] = {BS_TOP, BS_VCENTER, BS_BOTTOM};
    p.Style |= kAlignments[alignment_] | kLayouts[layout_];
    if (leftText_) p.Style |= BS_LEFTTEXT;
    if (this->WordWrap()) p.Style |= BS_MULTILINE;
}

template <class Base>
void TXcTextButton<Base>::Loaded() {
    Base::Loaded();
    CheckLinkedControls();
    CalcAutoSize();
}

template <class Base>
void TXcTextButton<Base>::Notification(TComponent* component, TOperation operation) {
    Base::Notification(component, operation);
    if (linkedControls_) linkedControls_->Notification(component, operation);
}

template <class Base>
void TXcTextButton<Base>::MouseEnter(TControl* control) {
    if ((this->ComponentState() & csDesigning) || this->MouseOver()) return;
    if (hotTrack_) {
        savedFont_->Assign(this->Font());
        this->Font()->Assign(hotTrackFont_.get());
    }
    TXcEnhanced<Base>::MouseEnter(control);
}

template <class Base>
void TXcTextButton<Base>::MouseLeave(TControl* control) {
    if (!this->MouseOver()) return;
    if (hotTrack_) this->Font()->Assign(savedFont_.get());
    TXcEnhanced<Base>::MouseLeave(control);
}

template <class Base>
void TXcTextButton<Base>::FontChanged() {
    CalcAutoSize();
    CopyFontAttributes(hotTrackFont_.get(), this->Font(), hotTrackFontOptions_);
}

template <class Base>
void TXcTextButton<Base>::TextChanged() {
    CalcAutoSize();
}

template <class Base>
void TXcTextButton<Base>::WndProc(TMessage& m) {
    switch (m.Msg) {
        case CM_ENABLEDCHANGED:
        case BM_SETCHECK:
            TXcEnhanced<Base>::WndProc(m);
            CheckLinkedControls();
            return;
    }
    TXcEnhanced<Base>::WndProc(m);
}

template class TXcTextButton<TCheckBox>;
template class TXcTextButton<TRadioButton>;
