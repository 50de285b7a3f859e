// TXcWizard: pages, the page switch, page search and the button bar.
#include "controls/win/XcWizard.h"

#include "classlib/win/Forms.h"
#include "controls/XcResources.h"
#include "controls/win/XcWizardEdges.h"

using namespace cl;

// TBitBtnKind has a bkCancel and a bkHelp too.
using Kind = TXcWizardButtonKind;

namespace {

constexpr int kButtonBarHeight = 42;
// The bar is laid out only above this height (a button's).
constexpr int kButtonHeight = 25;

// A button class as a value: its information and a maker owned by the wizard.
template <class T>
TPersistentClass ButtonClass() {
    return {&T::StaticClassInfo(),
            [](TPersistent* owner) -> TPersistent* { return new T(dynamic_cast<TComponent*>(owner)); }};
}

// The control can take the form's focus: it and its parents are visible
// and enabled, and so is the form on the screen.
bool CanTakeFocus(TCustomForm* form, TWinControl* control) {
    return form->Showing() && form->Enabled() && control->CanFocus();
}

}  // namespace

CL_CLASS_INFO(TXcWizardPageList)

XC_CLASS_INFO(TXcWizard, Prop("Pages", &TXcWizard::Pages),
              Prop("AutoHideButtonBar", &TXcWizard::AutoHideButtonBar, &TXcWizard::SetAutoHideButtonBar),
              Prop("ButtonBarHeight", &TXcWizard::ButtonBarHeight, &TXcWizard::SetButtonBarHeight),
              Prop("ShowDivider", &TXcWizard::ShowDivider, &TXcWizard::SetShowDivider),
              Prop("HeaderImages", &TXcWizard::HeaderImages, &TXcWizard::SetHeaderImages),
              Prop("ActivePage", &TXcWizard::ActivePage, &TXcWizard::SetActivePage),
              Prop("ShowRouteMap", &TXcWizard::ShowRouteMap, &TXcWizard::SetShowRouteMap),
              Prop("ButtonStart", &TXcWizard::ButtonStart), Prop("ButtonLast", &TXcWizard::ButtonLast),
              Prop("ButtonBack", &TXcWizard::ButtonBack), Prop("ButtonNext", &TXcWizard::ButtonNext),
              Prop("ButtonFinish", &TXcWizard::ButtonFinish), Prop("ButtonCancel", &TXcWizard::ButtonCancel),
              Prop("ButtonHelp", &TXcWizard::ButtonHelp))

TXcWizard::TXcWizard(TComponent* owner)
    : TXcCustomControl(owner), pages_(std::unique_ptr<TXcWizardPageList>(new TXcWizardPageList(this))) {
    controlStyle_ |= csAcceptsControls;
    SetAlign(alClient);
    SetColor(clWindow);
    SetButtonBarHeight(kButtonBarHeight);
    headerImagesLink_.OnChange = [this](TObject* sender) {
        if (HandleAllocated() && sender == headerImages_ && activePage_) activePage_->Invalidate();
    };
}

void TXcWizard::MakeButtons() {
    if (buttonsMade_) return;
    buttonsMade_ = true;
    for (int k = 0; k < kXcWizardButtonKinds; ++k) {
        const auto kind = static_cast<Kind>(k);
        TPersistent* made = GetButtonClass(kind).Create(this);
        auto* button = dynamic_cast<TXcWizardButtonControl*>(made);
        if (!button) {
            cl::Free(made);
            throw EXcWizardError("A wizard button must be a TXcWizardButtonControl");
        }
        buttons_[kind] = button;
        button->SetParent(this);
        button->SetHeight(kButtonHeight);
        button->SetWizard(this);
        navigate_[kind] = std::make_unique<TXcWizardNavigateButton>(button);
    }
}

TPersistentClass TXcWizard::GetButtonClass(Kind kind) {
    // In the order of the kinds.
    static const TPersistentClass classes[kXcWizardButtonKinds] = {
        ButtonClass<TXcWizardStartButton>(),  ButtonClass<TXcWizardLastButton>(),
        ButtonClass<TXcWizardBackButton>(),   ButtonClass<TXcWizardNextButton>(),
        ButtonClass<TXcWizardFinishButton>(), ButtonClass<TXcWizardCancelButton>(),
        ButtonClass<TXcWizardHelpButton>(),
    };
    return kind < kXcWizardButtonKinds ? classes[kind] : ButtonClass<TXcWizardButtonControl>();
}

void TXcWizard::SetParent(TWinControl* parent) {
    // Made first, so that the layout that comes with the parent places them.
    if (parent) MakeButtons();
    TXcCustomControl::SetParent(parent);
}

TXcWizardNavigateButton* TXcWizard::NavigateButton(Kind kind) {
    MakeButtons();
    return navigate_[kind].get();
}

TXcWizardButtonControl* TXcWizard::ButtonControl(Kind kind) {
    MakeButtons();
    return buttons_[kind];
}

TXcWizard::~TXcWizard() {
    DetachPages();
}

void TXcWizard::BeforeDestruction() {
    Destroying();
    DetachPages();
    TXcCustomControl::BeforeDestruction();
}

void TXcWizard::DetachPages() noexcept {
    activePage_ = nullptr;
    pages_->Clear();
}

// ---- Pages ----------------------------------------------------------------------------------
void TXcWizard::InsertPage(TXcWizardCustomPage* page) {
    if (!page || page->wizard_ == this) return;
    if (page->wizard_) page->wizard_->RemovePage(page);
    pages_->Add(page);
}

void TXcWizard::RemovePage(TXcWizardCustomPage* page) {
    const int index = pages_->IndexOf(page);
    if (index < 0) return;
    if (page != activePage_ || (ComponentState() & csDestroying)) {
        if (page == activePage_) activePage_ = nullptr;
        pages_->Remove(page);
        return;
    }
    // The successor is searched forward only.
    TXcWizardCustomPage* next = FindNextPage(index, 1, !XcWizardDesigning(*this));
    pages_->Remove(page);
    SetActivePage(next != page ? next : nullptr);
}

void TXcWizard::SetActivePage(TXcWizardCustomPage* page) {
    if (ComponentState() & csLoading) return;
    if (page && (page->Wizard() != this || (!page->Enabled() && !XcWizardDesigning(*this)))) return;
    DoSetActivePage(page);
}

void TXcWizard::DoSetActivePage(TXcWizardCustomPage* target) {
    TXcWizardCustomPage* const old = activePage_;
    if (target == old) return;
    DoActivePageChanging(target);
    // A page of another wizard (or of none) from the handler cannot be
    // shown here: the wizard stays as it is.
    if (target == old || (target && target->Wizard() != this)) return;

    TCustomForm* form = GetParentForm(this);
    // The focused child gives up the focus before its page is hidden.
    if (form && old && old->ContainsControl(form->ActiveControl()) && CanTakeFocus(form, old))
        form->SetActiveControl(old);
    // The page takes the place of the one it replaces while it is still
    // hidden: laid out there, it is shown without being moved and painted again.
    const bool oldShown = old && old->Visible();
    const TRect place = old ? old->BoundsRect() : TRect{};
    if (old) {
        old->ExitPage(target);
        old->Hide();
    }
    if (target && !target->Enabled() && !XcWizardDesigning(*this)) {
        const int from = old ? old->PageIndex() : -1;
        target = FindNextPage(from, IsForward(old, target) ? 1 : -1, true);
    }
    if (target) {
        target->EnterPage(old);
        const TRect bounds = target->BoundsRect();
        if (oldShown && !target->Visible() && !EqualRect(&place, &bounds)) target->SetBoundsRect(place);
        target->BringToFront();
        // Not Show(): that would ask this wizard to show the page again.
        target->SetVisible(true);
        if (form) {
            if (CanTakeFocus(form, target))
                form->SetActiveControl(target);
            else if (CanTakeFocus(form, this))
                form->SetActiveControl(this);
        }
    }
    activePage_ = target;
    // The buttons follow the new page, whether or not the bar hides itself.
    if (autoHideButtonBar_)
        SetButtonBarHeight(target && target->VisibleButtons().Empty() ? 0 : kButtonBarHeight);
    else
        UpdateButtonsStatus();
    if (form && target && form->ActiveControl() == target) {
        target->SelectFirst();
        target->DoPage();
    }
    DoActivePageChanged();
}

void TXcWizard::DoActivePageChanging(TXcWizardCustomPage*& toPage) {
    if (OnActivePageChanging) OnActivePageChanging(this, toPage);
}

void TXcWizard::DoActivePageChanged() {
    if (OnActivePageChanged) OnActivePageChanged(this);
}

// ---- Page search ----------------------------------------------------------------------------
TXcWizardCustomPage* TXcWizard::FindNextPage(int pageIndex, int step, bool checkDisable) const {
    if (step == 0) throw EXcWizardError("The page search needs a step");
    const int count = PageCount();
    int i = pageIndex;
    do {
        i += step;
    } while (i >= 0 && i < count && checkDisable && !pages_->Items(i)->Enabled());
    // A designer goes round once, and searches no further.
    if (XcWizardDesigning(*this)) {
        if (i < 0)
            i = count - 1;
        else if (i >= count)
            i = 0;
    }
    if (i < 0 || i >= count) return nullptr;
    TXcWizardCustomPage* page = pages_->Items(i);
    return checkDisable && !page->Enabled() ? nullptr : page;
}

TXcWizardCustomPage* TXcWizard::FindNextEnabledPage(int pageIndex, int step, bool checkDisable) const {
    TXcWizardCustomPage* page = FindNextPage(pageIndex, step, checkDisable);
    // A page that asks not to be jumped to is stepped over once.
    if (page && !page->EnableJumpToPage()) page = FindNextPage(page->PageIndex(), step, checkDisable);
    return page;
}

bool TXcWizard::IsFirstPage(TXcWizardCustomPage* page, bool checkDisable) const {
    TXcWizardCustomPage* first = FindNextPage(-1, 1, checkDisable);
    return !first || first == page;
}

bool TXcWizard::IsForward(TXcWizardCustomPage* fromPage, TXcWizardCustomPage* toPage) const {
    if (fromPage && toPage && fromPage->Wizard() != toPage->Wizard())
        throw EXcWizardError(rsWizardForeignPages);
    if (!fromPage) return true;
    if (!toPage) return false;
    return fromPage->PageIndex() < toPage->PageIndex();
}

void TXcWizard::SelectPage(int pageIndex, int step, const TXcWizardSelectPageEvent& event) {
    const bool designing = XcWizardDesigning(*this);
    TXcWizardCustomPage* page = FindNextEnabledPage(pageIndex, step, !designing);
    if (!page) return;
    if (event && !designing) event(this, activePage_, page);
    if (page) SetActivePage(page);
}

void TXcWizard::SelectFirstPage() {
    SelectPage(-1, 1, OnSelectFirstPage);
}

void TXcWizard::SelectLastPage() {
    SelectPage(PageCount(), -1, OnSelectLastPage);
}

void TXcWizard::SelectNextPage() {
    SelectPage(ActivePageIndex(), 1, OnSelectNextPage);
}

void TXcWizard::SelectPriorPage() {
    SelectPage(ActivePageIndex(), -1, OnSelectPriorPage);
}

// ---- Button bar -----------------------------------------------------------------------------
void TXcWizard::SetAutoHideButtonBar(bool value) {
    if (value == autoHideButtonBar_) return;
    autoHideButtonBar_ = value;
    RepositionButtons();
    UpdateButtonsStatus();
}

void TXcWizard::SetButtonBarHeight(int value) {
    if (value != buttonBarHeight_) {
        buttonBarHeight_ = value;
        Realign();
        RepositionButtons();
        Invalidate();
    }
    UpdateButtonsStatus();
}

void TXcWizard::SetShowDivider(bool value) {
    if (value == showDivider_) return;
    showDivider_ = value;
    Invalidate();
}

void TXcWizard::SetHeaderImages(TCustomImageList* value) {
    if (ReplaceImageList(this, headerImages_, value, headerImagesLink_) && activePage_)
        activePage_->Invalidate();
}

TNotifyEvent TXcWizard::OnButtonClick(Kind kind) {
    TXcWizardButtonControl* button = ButtonControl(kind);
    return button ? button->OnClick : TNotifyEvent();
}

void TXcWizard::SetOnButtonClick(Kind kind, TNotifyEvent handler) {
    if (TXcWizardButtonControl* button = ButtonControl(kind)) button->OnClick = std::move(handler);
}

void TXcWizard::UpdateButtonsStatus() {
    if (!Parent()) return;
    TXcWizardButtonSet enabled{Kind::bkCancel};
    TXcWizardButtonSet visible{Kind::bkBack, Kind::bkNext, Kind::bkCancel};
    if (activePage_) {
        enabled = activePage_->EnabledButtons();
        visible = activePage_->VisibleButtons();
        if (XcWizardDesigning(*this)) {
            enabled = enabled + Kind::bkBack + Kind::bkNext;
            visible = visible + Kind::bkBack + Kind::bkNext - Kind::bkFinish;
        } else if (IsFirstPage(activePage_, true)) {
            // Back is off on the first page for now; the page keeps its own set.
            enabled = enabled - Kind::bkBack;
        }
    }
    for (int k = 0; k < kXcWizardButtonKinds; ++k) {
        const auto kind = static_cast<Kind>(k);
        if (!buttons_[kind]) continue;
        buttons_[kind]->SetVisible(visible.Contains(kind));
        buttons_[kind]->SetEnabled(enabled.Contains(kind));
    }
    // Enter presses one button: Next when it can, else Finish, else none.
    const TXcWizardButtonSet usable = visible * enabled;
    const int defaultKind = usable.Contains(Kind::bkNext)     ? Kind::bkNext
                            : usable.Contains(Kind::bkFinish) ? Kind::bkFinish
                                                              : -1;
    for (int k = 0; k < kXcWizardButtonKinds; ++k) {
        TXcWizardButtonControl* button = buttons_[static_cast<Kind>(k)];
        if (button && button->Default() != (k == defaultKind)) button->SetDefault(k == defaultKind);
    }
}

void TXcWizard::RepositionButtons() {
    if (!Parent()) return;
    if (buttonBarHeight_ <= kButtonHeight) {
        for (TXcWizardButtonControl* button : buttons_)
            if (button) button->SetBounds(0, 0, button->Width(), 0);
        return;
    }
    TXcWizardButtonSet shown{Kind::bkBack, Kind::bkNext, Kind::bkCancel};
    if (activePage_) shown = activePage_->VisibleButtons();
    if (activePage_ && XcWizardDesigning(*this)) shown = shown + Kind::bkBack + Kind::bkNext - Kind::bkFinish;
    const TRect client = ClientRect();
    const int y = client.bottom - buttonBarHeight_ + 10;
    int x = 0;
    // A right-side button ends where x is, a left-side one starts there;
    // then the gap.  A kind not shown takes no room and no gap.
    auto place = [&](Kind kind, int gap) {
        TXcWizardButtonControl* button = buttons_[kind];
        if (!shown.Contains(kind) || !button) return;
        const int width = button->Width();
        if (button->Side() == alRight) x -= width;
        button->SetBounds(x, y, width, kButtonHeight);
        if (button->Side() == alLeft) x += width;
        x += gap;
    };
    x = client.left + 8;
    place(Kind::bkHelp, 10);
    place(Kind::bkStart, 1);
    place(Kind::bkLast, 0);
    x = client.right - 8;
    if (shown.Contains(Kind::bkNext) && shown.Contains(Kind::bkFinish)) {
        place(Kind::bkCancel, -1);
        place(Kind::bkFinish, -10);
    } else {
        place(Kind::bkCancel, -10);
        place(Kind::bkFinish, -1);
    }
    place(Kind::bkNext, -2);
    place(Kind::bkBack, 0);
}

// ---- Overrides ------------------------------------------------------------------------------
void TXcWizard::Loaded() {
    TXcCustomControl::Loaded();
    RepositionButtons();
    if (PageCount() > 0) SelectFirstPage();
}

void TXcWizard::Notification(TComponent* component, TOperation operation) {
    TXcCustomControl::Notification(component, operation);
    if (operation != opRemove) return;
    if (component == headerImages_) {
        headerImages_->UnRegisterChanges(&headerImagesLink_);
        headerImages_ = nullptr;
    }
    for (int k = 0; k < kXcWizardButtonKinds; ++k) {
        if (component != buttons_[k]) continue;
        buttons_[k] = nullptr;
        if (navigate_[k]) navigate_[k]->SetControl(nullptr);
    }
}

void TXcWizard::AdjustClientRect(TRect& r) {
    TXcCustomControl::AdjustClientRect(r);
    if (buttonBarHeight_ > kButtonHeight) r.bottom -= buttonBarHeight_;
}

void TXcWizard::Paint() {
    TCanvas* canvas = Canvas();
    const TRect client = ClientRect();
    if (Color() != clNone) {
        canvas->Brush()->SetColor(Color());
        canvas->Brush()->SetStyle(bsSolid);
        canvas->FillRect(client);
    }
    if (buttonBarHeight_ > kButtonHeight && showDivider_) {
        TRect bar = Rect(client.left, client.bottom - buttonBarHeight_, client.right, client.bottom);
        DrawWizardEdges(*canvas, bar, esTop, TXcWizardEdgeStyle::Etched);
    }
}

void TXcWizard::Resize() {
    RepositionButtons();
    TXcCustomControl::Resize();
}

void TXcWizard::ShowControl(TControl* control) {
    if (auto* page = dynamic_cast<TXcWizardCustomPage*>(control); page && page->Wizard() == this)
        SetActivePage(page);
    TXcCustomControl::ShowControl(control);
}

void TXcWizard::GetChildren(const TGetChildProc& proc, TComponent* root) {
    // Pages first: read back, they join the list in the order written.
    for (int i = 0; i < PageCount(); ++i) proc(GetPage(i));
    for (int i = 0; i < ControlCount(); ++i) {
        TControl* child = Controls(i);
        auto* page = dynamic_cast<TXcWizardCustomPage*>(child);
        if (child->Owner() == root && !(page && page->Wizard() == this)) proc(child);
    }
}

void TXcWizard::GetDlgCode(UINT& code) {
    code = DLGC_WANTARROWS | DLGC_WANTALLKEYS;
}
