#include "controls/win/XcPageControl.h"

#include <commctrl.h>

#include "classlib/win/Forms.h"

using namespace cl;

namespace {

// A page's window goes when the page is left: the protected DestroyHandle
// reached through a pointer to member taken where it is accessible.
struct HandleAccess : TWinControl {
    static constexpr void (TWinControl::*kDestroyHandle)() = &HandleAccess::DestroyHandle;
};

}  // namespace

XC_CLASS_INFO(TXcPageControl, Prop("TabPainter", &TXcPageControl::TabPainter, &TXcPageControl::SetTabPainter),
              Prop("HandleGlobalTab", &TXcPageControl::HandleGlobalTab, &TXcPageControl::SetHandleGlobalTab),
              Prop("ClientBorderWidth", &TXcPageControl::ClientBorderWidth,
                   &TXcPageControl::SetClientBorderWidth),
              Prop("RightClickSelect", &TXcPageControl::RightClickSelect,
                   &TXcPageControl::SetRightClickSelect),
              Prop("ReduceMemoryUse", &TXcPageControl::ReduceMemoryUse, &TXcPageControl::SetReduceMemoryUse),
              Prop("HideAllTabs", &TXcPageControl::HideAllTabs, &TXcPageControl::SetHideAllTabs))

TXcPageControl::TXcPageControl(TComponent* owner) : TXcExPageControl(owner) {}

TXcPageControl::~TXcPageControl() {
    if (tabPainter_) tabPainter_->UnregisterControl(this);
}

void TXcPageControl::BeforeDestruction() {
    Destroying();
    SetTabPainter(nullptr);
    TXcExPageControl::BeforeDestruction();
}

void TXcPageControl::SetTabPainter(TXcTabControlPainter* value) {
    if (value == tabPainter_) return;
    if (tabPainter_) {
        tabPainter_->UnregisterControl(this);
        tabPainter_->RemoveFreeNotification(this);
    }
    tabPainter_ = value;
    if (value) {
        value->FreeNotification(this);
        value->RegisterControl(this);
    }
    // A painter draws the tabs itself.
    if (!(ComponentState() & csDestroying)) RecreateWnd();
}

void TXcPageControl::SetClientBorderWidth(int value) {
    if (value == clientBorderWidth_) return;
    clientBorderWidth_ = value;
    RecreateWnd();
}

void TXcPageControl::SetHideAllTabs(bool value) {
    hideAllTabs_ = value;
    ApplyHideAllTabs();
}

void TXcPageControl::ApplyHideAllTabs() {
    if (ComponentState() & csDesigning) return;
    // Every page, window or not: a tab left showing would switch pages past
    // the program's own checks.
    TTabSheet* active = ActivePage();
    for (int i = 0; i < PageCount(); ++i) Pages(i)->SetTabVisible(Pages(i)->TabVisible() && !hideAllTabs_);
    if (active && ActivePage() != active) SetActivePage(active);
    if (hideAllTabs_) SetTabStop(false);
}

void TXcPageControl::Loaded() {
    TXcExPageControl::Loaded();
    ApplyHideAllTabs();
}

void TXcPageControl::Notification(TComponent* component, TOperation operation) {
    TXcExPageControl::Notification(component, operation);
    if (operation == opRemove && component == tabPainter_) tabPainter_ = nullptr;
}

void TXcPageControl::CreateParams(TCreateParams& p) {
    TXcExPageControl::CreateParams(p);
    if (tabPainter_) p.Style |= TCS_OWNERDRAWFIXED;
}

bool TXcPageControl::CanChange() {
    if (!TXcExPageControl::CanChange()) return false;
    if (TTabSheet* page = ActivePage(); page && reduceMemoryUse_) (page->*HandleAccess::kDestroyHandle)();
    return true;
}

TTabSheet* TXcPageControl::PageOfTab(int tabIndex) const {
    for (int i = 0; i < PageCount(); ++i) {
        TTabSheet* page = Pages(i);
        if (page->TabVisible() && tabIndex-- == 0) return page;
    }
    return nullptr;
}

void TXcPageControl::DrawTab(int tabIndex, TCanvas* canvas, const TRect& r, bool active) {
    TTabSheet* page = PageOfTab(tabIndex);
    if (!tabPainter_ || !page) return;
    tabPainter_->DrawTab(this, canvas, Images(), page->ImageIndex(), page->Caption(), r, active,
                         page->Enabled());
}

bool TXcPageControl::SelectGlobalTab(bool forward) {
    TTabSheet* start = ActivePage();
    TTabSheet* page = start;
    do {
        page = FindNextPage(page, forward, true);
    } while (page && page != start && !page->Enabled());
    if (!page || page == start || !page->Enabled() || !CanChange()) return false;
    SetActivePage(page);
    Change();
    return true;
}

void TXcPageControl::WndProc(TMessage& m) {
    switch (m.Msg) {
        case TCM_ADJUSTRECT:
            TXcExPageControl::WndProc(m);
            if (m.WParam == 0 && clientBorderWidth_ != 4) {
                const int by = 4 - clientBorderWidth_;
                InflateRect(reinterpret_cast<RECT*>(m.LParam), by, by);
            }
            return;
        case CM_CONTROLCHANGE:
            // A page joining while all tabs are hidden gets no tab either.
            if (m.LParam && hideAllTabs_ && !(ComponentState() & csDesigning))
                if (auto* page = dynamic_cast<TTabSheet*>(reinterpret_cast<TControl*>(m.WParam)))
                    page->SetTabVisible(false);
            break;
        case CM_CHILDKEY:
            if (handleGlobalTab_ && m.WParam == VK_TAB && GetKeyState(VK_CONTROL) < 0) {
                TCustomForm* form = GetParentForm(this);
                if (!(form && form->KeyPreview()) && SelectGlobalTab(GetKeyState(VK_SHIFT) >= 0)) {
                    m.Result = 1;
                    return;
                }
            }
            break;
        case WM_LBUTTONDOWN:
            if (!(ComponentState() & csDesigning)) {
                TCHITTESTINFO ht{};
                ht.pt = Point(m.XPos(), m.YPos());
                const int tab = static_cast<int>(
                    SendMessageW(WindowHandle(), TCM_HITTEST, 0, reinterpret_cast<LPARAM>(&ht)));
                TTabSheet* page = PageOfTab(tab);
                if (page && !page->Enabled() && (ht.flags & (TCHT_ONITEMICON | TCHT_ONITEMLABEL))) return;
            }
            break;
        case WM_RBUTTONDOWN:
            if (rightClickSelect_) {
                const int tab = IndexOfTabAt(m.XPos(), m.YPos());
                if (tab >= 0 && tab != TabIndex() && CanChange()) {
                    SendMessageW(WindowHandle(), TCM_SETCURSEL, static_cast<WPARAM>(tab), 0);
                    Change();
                }
            }
            break;
        case CN_DRAWITEM: {
            const auto* dis = reinterpret_cast<const DRAWITEMSTRUCT*>(m.LParam);
            if (!tabPainter_) break;
            TCanvas canvas;
            const CanvasDCScope lent(canvas, dis->hDC);
            DrawTab(static_cast<int>(dis->itemID), &canvas, dis->rcItem,
                    (dis->itemState & ODS_SELECTED) != 0);
            m.Result = TRUE;
            return;
        }
    }
    TXcExPageControl::WndProc(m);
}
