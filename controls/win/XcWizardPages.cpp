// The wizard's pages and its page list.
#include "classlib/Exceptions.h"
#include "classlib/Scope.h"
#include "classlib/StrUtils.h"
#include "controls/win/XcWizard.h"

using namespace cl;

// ---- Page list ------------------------------------------------------------------------
TXcWizardCustomPage* TXcWizardPageList::Items(int index) const {
    if (index < 0 || index >= Count()) throw EListError("List index out of bounds (" + IntToStr(index) + ")");
    return pages_[static_cast<size_t>(index)];
}

int TXcWizardPageList::IndexOf(const TXcWizardCustomPage* page) const {
    for (size_t i = 0; i < pages_.size(); ++i)
        if (pages_[i] == page) return static_cast<int>(i);
    return -1;
}

void TXcWizardPageList::Add(TXcWizardCustomPage* page) {
    if (IndexOf(page) >= 0) return;
    pages_.push_back(page);
    page->wizard_ = wizard_;
}

void TXcWizardPageList::Remove(TXcWizardCustomPage* page) {
    const int index = IndexOf(page);
    if (index < 0) return;
    pages_.erase(pages_.begin() + index);
    page->wizard_ = nullptr;
}

void TXcWizardPageList::Clear() noexcept {
    for (TXcWizardCustomPage* page : pages_) page->wizard_ = nullptr;
    pages_.clear();
}

// ---- Custom page ----------------------------------------------------------------------
namespace {
const std::vector<std::string> kButtonKindNames = {"bkStart",  "bkLast",   "bkBack", "bkNext",
                                                   "bkFinish", "bkCancel", "bkHelp"};
}  // namespace

CL_CLASS_INFO(TXcWizardCustomPage,
              SetOfProp("EnabledButtons", kButtonKindNames, &TXcWizardCustomPage::EnabledButtonBits,
                        &TXcWizardCustomPage::SetEnabledButtonBits),
              SetOfProp("VisibleButtons", kButtonKindNames, &TXcWizardCustomPage::VisibleButtonBits,
                        &TXcWizardCustomPage::SetVisibleButtonBits),
              Prop("EnableJumpToPage", &TXcWizardCustomPage::EnableJumpToPage,
                   &TXcWizardCustomPage::SetEnableJumpToPage),
              Prop("Header", &TXcWizardCustomPage::Header),
              NeverStored(Prop("Title", &TXcWizardCustomPage::Title)),
              NeverStored(Prop("Subtitle", &TXcWizardCustomPage::Subtitle)),
              Prop("Image", &TXcWizardCustomPage::Image), Prop("Panel", &TXcWizardCustomPage::Panel))
CL_CLASS_INFO(TXcWizardInteriorPage)

TXcWizardCustomPage::TXcWizardCustomPage(TComponent* owner)
    : TCustomControl(owner),
      header_(std::make_unique<TXcWizardPageHeader>(this)),
      image_(std::make_unique<TXcWizardImage>()),
      panel_(std::make_unique<TXcWizardPagePanel>(this)) {
    SetAlign(alClient);
    controlStyle_ |= csAcceptsControls;
    SetVisible(false);
    SetColor(clBtnFace);
    image_->OnChange = [this](TObject*) { Invalidate(); };
}

TXcWizardCustomPage::~TXcWizardCustomPage() {
    if (wizard_) wizard_->RemovePage(this);
}

void TXcWizardCustomPage::BeforeDestruction() {
    if (wizard_) wizard_->RemovePage(this);
    TCustomControl::BeforeDestruction();
}

void TXcWizardCustomPage::SetWizard(TXcWizard* value) {
    if (value == wizard_) return;
    if (wizard_) wizard_->RemovePage(this);
    if (value) {
        TCustomControl::SetParent(value);
        value->InsertPage(this);
    }
}

void TXcWizardCustomPage::SetParent(TWinControl* parent) {
    if (auto* wizard = dynamic_cast<TXcWizard*>(parent); wizard && wizard != wizard_) {
        SetWizard(wizard);
        return;
    }
    TCustomControl::SetParent(parent);
}

int TXcWizardCustomPage::PageIndex() const {
    return wizard_ ? wizard_->Pages()->IndexOf(this) : -1;
}

void TXcWizardCustomPage::SetEnabledButtons(TXcWizardButtonSet value) {
    if (value == enabledButtons_) return;
    enabledButtons_ = value;
    if (wizard_ && wizard_->ActivePage() == this) wizard_->UpdateButtonsStatus();
}

void TXcWizardCustomPage::SetVisibleButtons(TXcWizardButtonSet value) {
    if (value == visibleButtons_) return;
    visibleButtons_ = value;
    if (wizard_ && wizard_->ActivePage() == this) {
        // The buttons follow the page whether or not the bar hides itself.
        if (wizard_->AutoHideButtonBar())
            wizard_->SetButtonBarHeight(value.Empty() ? 0 : 42);
        else
            wizard_->UpdateButtonsStatus();
    }
    Invalidate();
}

void TXcWizardCustomPage::EnableButton(TXcWizardButtonKind button, bool enabled) {
    if (enabledButtons_.Contains(button) == enabled) return;
    SetEnabledButtons(enabled ? enabledButtons_ + button : enabledButtons_ - button);
}

void TXcWizardCustomPage::CreateParams(TCreateParams& p) {
    TCustomControl::CreateParams(p);
    p.WindowClass.style &= ~(CS_HREDRAW | CS_VREDRAW);
}

void TXcWizardCustomPage::AdjustClientRect(TRect& r) {
    TCustomControl::AdjustClientRect(r);
    if (header_->Visible()) r.top += header_->Height();
}

void TXcWizardCustomPage::Paint() {
    if (painting_) return;
    const FlagScope guard(painting_);
    TCanvas* canvas = Canvas();
    TRect r = ClientRect();
    canvas->Brush()->SetColor(Color());
    canvas->Brush()->SetStyle(bsSolid);
    canvas->FillRect(r);
    DrawHeader(*canvas, r);
    const bool designing = XcWizardDesigning(*this);
    if (OnPaintPage && !designing) {
        OnPaintPage(this, canvas, r);
        return;
    }
    image_->PaintIn(*canvas, r);
    panel_->Paint(*canvas, r);
    if (designing) {
        canvas->SetFont(Font());
        canvas->Brush()->SetStyle(bsClear);
        TRect all = ClientRect();
        canvas->DrawText(Caption(), all, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    }
}

void TXcWizardCustomPage::EnabledChanged() {
    TCustomControl::EnabledChanged();
    if (Enabled() || !wizard_ || wizard_->ActivePage() != this) return;
    const int index = PageIndex();
    TXcWizardCustomPage* next = wizard_->FindNextPage(index, 1, true);
    if (!next) next = wizard_->FindNextPage(index, -1, true);
    wizard_->SetActivePage(next);
}

void TXcWizardCustomPage::EnterPage(TXcWizardCustomPage* fromPage) {
    if (OnEnterPage && Enabled() && !XcWizardDesigning(*this)) OnEnterPage(this, fromPage);
}

void TXcWizardCustomPage::ExitPage(TXcWizardCustomPage* toPage) {
    if (OnExitPage && Enabled() && !XcWizardDesigning(*this)) OnExitPage(this, toPage);
}

void TXcWizardCustomPage::DoPage() {
    Repaint();
    if (OnPage && Enabled() && !XcWizardDesigning(*this)) OnPage(this);
}

void TXcWizardCustomPage::WndProc(TMessage& m) {
    switch (m.Msg) {
        case CM_FONTCHANGED:
            header_->AdoptPageFont();
            break;
        case CM_TEXTCHANGED:
            Invalidate();
            break;
    }
    TCustomControl::WndProc(m);
}

// ---- Interior page ---------------------------------------------------------------------
void TXcWizardInteriorPage::DrawHeader(TCanvas& canvas, TRect& r) {
    Header()->Paint(canvas, r);
}
