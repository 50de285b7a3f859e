// The wizard's navigation buttons and their published wrappers.
#include "classlib/win/Forms.h"
#include "controls/XcResources.h"
#include "controls/win/XcWizard.h"

using namespace cl;

namespace {

// What every kind's constructor sets.
void SetUp(TXcWizardButtonControl& button, const char* caption, bool visible, bool enabled, int width,
           TAnchors anchors) {
    button.SetCaption(caption);
    button.SetVisible(visible);
    button.SetEnabled(enabled);
    button.SetWidth(width);
    button.SetAnchors(anchors);
}

// The page's own event of a kind, when it has one.
void FirePageClick(const TXcWizardPageClickEvent& event, TXcWizardCustomPage* page, bool& stop) {
    if (event) event(page, stop);
}

}  // namespace

// ---- Button control -----------------------------------------------------------------
CL_CLASS_INFO(TXcWizardButtonControl)
CL_CLASS_INFO(TXcWizardBaseButton)

TXcWizardButtonControl::TXcWizardButtonControl(TComponent* owner) : TBitBtn(owner) {
    SetKind(cl::bkCustom);
    SetAnchors(akRight | akBottom);
}

void TXcWizardButtonControl::WndProc(TMessage& m) {
    TBitBtn::WndProc(m);
    if (m.Msg == CM_VISIBLECHANGED && wizard_) wizard_->RepositionButtons();
}

void TXcWizardBaseButton::Click() {
    if (!wizard_) return;
    if (!XcWizardDesigning(*this)) {
        bool stop = false;
        if (TXcWizardCustomPage* page = wizard_->ActivePage()) ButtonClick(page, stop);
        if (stop) return;
        TBitBtn::Click();
    }
    Navigate();
}

// ---- The seven kinds ---------------------------------------------------------------------
CL_CLASS_INFO(TXcWizardStartButton)
CL_CLASS_INFO(TXcWizardLastButton)
CL_CLASS_INFO(TXcWizardBackButton)
CL_CLASS_INFO(TXcWizardNextButton)
CL_CLASS_INFO(TXcWizardFinishButton)
CL_CLASS_INFO(TXcWizardCancelButton)
CL_CLASS_INFO(TXcWizardHelpButton)

TXcWizardStartButton::TXcWizardStartButton(TComponent* owner) : TXcWizardBaseButton(owner) {
    SetUp(*this, rsWizardStartButton, false, true, 85, akLeft | akBottom);
    side_ = alLeft;
}

void TXcWizardStartButton::ButtonClick(TXcWizardCustomPage* page, bool& stop) {
    FirePageClick(page->OnStartButtonClick, page, stop);
}

void TXcWizardStartButton::Navigate() {
    wizard_->SelectFirstPage();
}

TXcWizardLastButton::TXcWizardLastButton(TComponent* owner) : TXcWizardBaseButton(owner) {
    SetUp(*this, rsWizardLastButton, false, true, 85, akLeft | akBottom);
    side_ = alLeft;
}

void TXcWizardLastButton::ButtonClick(TXcWizardCustomPage* page, bool& stop) {
    FirePageClick(page->OnLastButtonClick, page, stop);
}

void TXcWizardLastButton::Navigate() {
    wizard_->SelectLastPage();
}

TXcWizardBackButton::TXcWizardBackButton(TComponent* owner) : TXcWizardBaseButton(owner) {
    SetUp(*this, rsWizardBackButton, true, false, 75, akRight | akBottom);
}

void TXcWizardBackButton::ButtonClick(TXcWizardCustomPage* page, bool& stop) {
    FirePageClick(page->OnBackButtonClick, page, stop);
}

void TXcWizardBackButton::Navigate() {
    wizard_->SelectPriorPage();
}

TXcWizardNextButton::TXcWizardNextButton(TComponent* owner) : TXcWizardBaseButton(owner) {
    SetUp(*this, rsWizardNextButton, true, false, 75, akRight | akBottom);
}

void TXcWizardNextButton::ButtonClick(TXcWizardCustomPage* page, bool& stop) {
    FirePageClick(page->OnNextButtonClick, page, stop);
}

void TXcWizardNextButton::Navigate() {
    wizard_->SelectNextPage();
}

TXcWizardFinishButton::TXcWizardFinishButton(TComponent* owner) : TXcWizardBaseButton(owner) {
    SetUp(*this, rsWizardFinishButton, false, true, 75, akRight | akBottom);
}

void TXcWizardFinishButton::ButtonClick(TXcWizardCustomPage* page, bool& stop) {
    FirePageClick(page->OnFinishButtonClick, page, stop);
}

TXcWizardCancelButton::TXcWizardCancelButton(TComponent* owner) : TXcWizardBaseButton(owner) {
    SetUp(*this, rsWizardCancelButton, true, true, 75, akRight | akBottom);
    SetCancel(true);
    SetModalResult(mrCancel);
}

void TXcWizardCancelButton::ButtonClick(TXcWizardCustomPage* page, bool& stop) {
    FirePageClick(page->OnCancelButtonClick, page, stop);
}

TXcWizardHelpButton::TXcWizardHelpButton(TComponent* owner) : TXcWizardBaseButton(owner) {
    SetUp(*this, rsWizardHelpButton, false, true, 75, akLeft | akBottom);
    side_ = alLeft;
}

void TXcWizardHelpButton::Click() {
    if (XcWizardDesigning(*this)) return;
    TXcWizardCustomPage* page = wizard_ ? wizard_->ActivePage() : nullptr;
    if (page && page->OnHelpButtonClick) {
        TXcWizardBaseButton::Click();
        return;
    }
    TControl* topic = page ? static_cast<TControl*>(page) : GetParentForm(this);
    if (topic && topic->HelpContext() != 0) Application->HelpContext(topic->HelpContext());
}

void TXcWizardHelpButton::ButtonClick(TXcWizardCustomPage* page, bool& stop) {
    FirePageClick(page->OnHelpButtonClick, page, stop);
}

// ---- Navigate-button wrapper -----------------------------------------------------------------
CL_CLASS_INFO(TXcWizardNavigateButton,
              Prop("Caption", &TXcWizardNavigateButton::Caption, &TXcWizardNavigateButton::SetCaption),
              Prop("Glyph", &TXcWizardNavigateButton::Glyph, &TXcWizardNavigateButton::SetGlyph),
              EnumProp("Layout", {"blGlyphLeft", "blGlyphRight", "blGlyphTop", "blGlyphBottom"},
                       &TXcWizardNavigateButton::Layout, &TXcWizardNavigateButton::SetLayout),
              Prop("NumGlyphs", &TXcWizardNavigateButton::NumGlyphs, &TXcWizardNavigateButton::SetNumGlyphs),
              Prop("ModalResult", &TXcWizardNavigateButton::ModalResult,
                   &TXcWizardNavigateButton::SetModalResult),
              Prop("Width", &TXcWizardNavigateButton::Width, &TXcWizardNavigateButton::SetWidth))

std::string TXcWizardNavigateButton::Caption() const {
    return control_ ? control_->Caption() : std::string();
}

void TXcWizardNavigateButton::SetCaption(const std::string& value) {
    if (control_) control_->SetCaption(value);
}

TBitmap* TXcWizardNavigateButton::Glyph() const {
    return control_ ? control_->Glyph() : nullptr;
}

void TXcWizardNavigateButton::SetGlyph(TBitmap* value) {
    if (control_) control_->SetGlyph(value);
}

TButtonLayout TXcWizardNavigateButton::Layout() const {
    return control_ ? control_->Layout() : blGlyphLeft;
}

void TXcWizardNavigateButton::SetLayout(TButtonLayout value) {
    if (control_) control_->SetLayout(value);
}

int TXcWizardNavigateButton::NumGlyphs() const {
    return control_ ? control_->NumGlyphs() : 0;
}

void TXcWizardNavigateButton::SetNumGlyphs(int value) {
    if (control_) control_->SetNumGlyphs(value);
}

TModalResult TXcWizardNavigateButton::ModalResult() const {
    return control_ ? control_->ModalResult() : mrNone;
}

void TXcWizardNavigateButton::SetModalResult(TModalResult value) {
    if (control_) control_->SetModalResult(value);
}

int TXcWizardNavigateButton::Width() const {
    return control_ ? control_->Width() : 0;
}

void TXcWizardNavigateButton::SetWidth(int value) {
    if (!control_ || value == control_->Width()) return;
    control_->SetWidth(value);
    if (TXcWizard* wizard = control_->Wizard()) wizard->RepositionButtons();
}
