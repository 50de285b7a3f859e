// TTabSheet and TPageControl over SysTabControl32.
#include "classlib/win/PageControl.h"

#include <algorithm>

#include "classlib/Exceptions.h"
#include "classlib/StrUtils.h"
#include "classlib/win/Forms.h"
#include "classlib/win/WideText.h"

namespace cl {

// ---- TTabSheet -------------------------------------------------------------------
CL_CLASS_INFO(TTabSheet, Prop("PageIndex", &TTabSheet::PageIndex, &TTabSheet::SetPageIndex),
              Prop("TabVisible", &TTabSheet::TabVisible, &TTabSheet::SetTabVisible),
              Prop("ImageIndex", &TTabSheet::ImageIndex, &TTabSheet::SetImageIndex))

TTabSheet::TTabSheet(TComponent* owner) : TWinControl(owner) {
    SetControlStyle(ControlStyle() | csAcceptsControls);
    // Only the active page shows; it fills the page control's display area.
    SetVisible(false);
    SetAlign(alClient);
}

TTabSheet::~TTabSheet() {
    SheetTearDown();
}

void TTabSheet::BeforeDestruction() {
    SheetTearDown();
    TWinControl::BeforeDestruction();
}

void TTabSheet::SheetTearDown() noexcept {
    if (pageControl_) pageControl_->RemovePage(this);
}

void TTabSheet::SetPageControl(TPageControl* value) {
    if (value == pageControl_) return;
    if (pageControl_) pageControl_->RemovePage(this);
    TWinControl::SetParent(value);
    if (value) value->InsertPage(this);
}

void TTabSheet::SetParent(TWinControl* parent) {
    if (auto* pages = dynamic_cast<TPageControl*>(parent)) {
        SetPageControl(pages);
        return;
    }
    if (pageControl_) pageControl_->RemovePage(this);
    TWinControl::SetParent(parent);
}

int TTabSheet::PageIndex() const {
    if (!pageControl_) return -1;
    const auto& pages = pageControl_->pages_;
    return static_cast<int>(std::find(pages.begin(), pages.end(), this) - pages.begin());
}

void TTabSheet::SetPageIndex(int value) {
    if (pageControl_) pageControl_->MovePage(this, value);
}

int TTabSheet::TabIndex() const {
    if (!pageControl_ || !tabVisible_) return -1;
    int index = 0;
    for (TTabSheet* page : pageControl_->pages_) {
        if (page == this) return index;
        if (page->tabVisible_) ++index;
    }
    return -1;
}

void TTabSheet::SetTabVisible(bool value) {
    if (value == tabVisible_) return;
    tabVisible_ = value;
    if (pageControl_) pageControl_->UpdateTabs();
}

void TTabSheet::SetImageIndex(int value) {
    if (value == imageIndex_) return;
    imageIndex_ = value;
    if (pageControl_) pageControl_->UpdateTabs();
}

void TTabSheet::WndProc(TMessage& m) {
    TWinControl::WndProc(m);
    if (m.Msg == CM_TEXTCHANGED && pageControl_) pageControl_->UpdateTabs();
}

// ---- TPageControl ----------------------------------------------------------------
CL_CLASS_INFO(TPageControl,
              Prop("ActivePageIndex", &TPageControl::ActivePageIndex, &TPageControl::SetActivePageIndex),
              EnumProp("Style", {"tsTabs", "tsButtons", "tsFlatButtons"}, &TPageControl::Style,
                       &TPageControl::SetStyle),
              EnumProp("TabPosition", {"tpTop", "tpBottom", "tpLeft", "tpRight"}, &TPageControl::TabPosition,
                       &TPageControl::SetTabPosition),
              Prop("MultiLine", &TPageControl::MultiLine, &TPageControl::SetMultiLine),
              Prop("HotTrack", &TPageControl::HotTrack, &TPageControl::SetHotTrack))

TPageControl::TPageControl(TComponent* owner)
    : TWinControl(owner), imageLink_(std::make_unique<TChangeLink>()) {
    SetControlStyle((ControlStyle() | csAcceptsControls) & ~csSetCaption);
    SetBounds(0, 0, 289, 193);
    SetTabStop(true);
    imageLink_->OnChange = [this](TObject*) {
        if (HandleAllocated())
            SendMessageW(WindowHandle(), TCM_SETIMAGELIST, 0,
                         reinterpret_cast<LPARAM>(images_ ? images_->Handle() : nullptr));
        UpdateTabs();
    };
}

TPageControl::~TPageControl() {
    if (images_) images_->UnRegisterChanges(imageLink_.get());
    for (TTabSheet* page : pages_) page->pageControl_ = nullptr;
}

TTabSheet* TPageControl::Pages(int index) const {
    if (index < 0 || index >= PageCount())
        throw EListError("List index out of bounds (" + IntToStr(index) + ")");
    return pages_[static_cast<size_t>(index)];
}

void TPageControl::SetActivePage(TTabSheet* page) {
    if (page && page->pageControl_ != this) return;
    ChangeActivePage(page);
}

int TPageControl::ActivePageIndex() const {
    return activePage_ ? activePage_->PageIndex() : -1;
}

void TPageControl::SetActivePageIndex(int value) {
    SetActivePage(value >= 0 && value < PageCount() ? pages_[static_cast<size_t>(value)] : nullptr);
}

TTabSheet* TPageControl::FindNextPage(TTabSheet* page, bool goForward, bool checkTabVisible) const {
    const int count = PageCount();
    if (count == 0) return nullptr;
    int start = page ? page->PageIndex() : -1;
    if (start < 0 || start >= count) start = goForward ? count - 1 : 0;
    int i = start;
    do {
        i = goForward ? (i + 1) % count : (i + count - 1) % count;
        TTabSheet* candidate = pages_[static_cast<size_t>(i)];
        if (!checkTabVisible || candidate->TabVisible()) return candidate;
    } while (i != start);
    return nullptr;
}

void TPageControl::SelectNextPage(bool goForward, bool checkTabVisible) {
    TTabSheet* page = FindNextPage(activePage_, goForward, checkTabVisible);
    if (!page || page == activePage_ || !CanChange()) return;
    ChangeActivePage(page);
    Change();
}

bool TPageControl::CanChange() {
    bool allow = true;
    if (OnChanging) OnChanging(this, allow);
    return allow;
}

void TPageControl::Change() {
    if (TTabSheet* page = PageOfTab(TabIndex())) ChangeActivePage(page);
    if (OnChange) OnChange(this);
}

void TPageControl::ChangeActivePage(TTabSheet* page) {
    if (page == activePage_) return;
    TCustomForm* form = GetParentForm(this);
    const bool hadFocus = form && activePage_ && activePage_->ContainsControl(form->ActiveControl());
    TTabSheet* old = activePage_;
    activePage_ = page;
    if (page) {
        page->BringToFront();
        page->SetVisible(true);
    }
    if (old) old->SetVisible(false);
    ShowSelectedTab();
    // The focus was on the page that went: it moves to the new page.
    if (hadFocus) {
        TWinControl* next = page ? page->FindNextControl(nullptr, true, true, false) : nullptr;
        if (!next && CanFocus()) next = this;
        if (next) form->SetActiveControl(next);
    }
}

void TPageControl::InsertPage(TTabSheet* page) {
    pages_.push_back(page);
    page->pageControl_ = this;
    UpdateTabs();
    if (!activePage_)
        ChangeActivePage(page);
    else
        page->SetVisible(false);
}

void TPageControl::RemovePage(TTabSheet* page) noexcept {
    auto it = std::find(pages_.begin(), pages_.end(), page);
    if (it == pages_.end()) return;
    const bool destroying = (ComponentState() & csDestroying) != 0;
    ExceptionBarrier(this, [&] {
        if (page != activePage_ || destroying) return;
        TTabSheet* next = FindNextPage(page, true, true);
        if (next == page) next = FindNextPage(page, true, false);
        ChangeActivePage(next == page ? nullptr : next);
    });
    if (page == activePage_) activePage_ = nullptr;
    pages_.erase(std::find(pages_.begin(), pages_.end(), page));
    page->pageControl_ = nullptr;
    if (!destroying) ExceptionBarrier(this, [&] { UpdateTabs(); });
}

void TPageControl::MovePage(TTabSheet* page, int index) {
    auto it = std::find(pages_.begin(), pages_.end(), page);
    if (it == pages_.end()) return;
    pages_.erase(it);
    index = std::clamp(index, 0, PageCount());
    pages_.insert(pages_.begin() + index, page);
    UpdateTabs();
}

void TPageControl::UpdateTabs() {
    if (!HandleAllocated()) return;
    HWND wnd = WindowHandle();
    SendMessageW(wnd, TCM_DELETEALLITEMS, 0, 0);
    int tab = 0;
    for (TTabSheet* page : pages_) {
        if (!page->TabVisible()) continue;
        std::wstring text = ToWide(page->Caption());
        TCITEMW item{};
        item.mask = TCIF_TEXT | TCIF_IMAGE | TCIF_PARAM;
        item.pszText = text.data();
        item.iImage = page->ImageIndex();
        item.lParam = reinterpret_cast<LPARAM>(page);
        SendMessageW(wnd, TCM_INSERTITEMW, static_cast<WPARAM>(tab++), reinterpret_cast<LPARAM>(&item));
    }
    ShowSelectedTab();
    // Tabs that come or go change the display area.
    Realign();
}

void TPageControl::ShowSelectedTab() {
    if (HandleAllocated())
        SendMessageW(WindowHandle(), TCM_SETCURSEL,
                     static_cast<WPARAM>(activePage_ ? activePage_->TabIndex() : -1), 0);
}

TTabSheet* TPageControl::PageOfTab(int tabIndex) const {
    if (tabIndex < 0) return nullptr;
    for (TTabSheet* page : pages_)
        if (page->TabVisible() && tabIndex-- == 0) return page;
    return nullptr;
}

int TPageControl::TabIndex() const {
    if (HandleAllocated()) return static_cast<int>(SendMessageW(WindowHandle(), TCM_GETCURSEL, 0, 0));
    return activePage_ ? activePage_->TabIndex() : -1;
}

int TPageControl::IndexOfTabAt(int x, int y) const {
    if (!HandleAllocated()) return -1;
    TCHITTESTINFO ht{};
    ht.pt = Point(x, y);
    return static_cast<int>(SendMessageW(WindowHandle(), TCM_HITTEST, 0, reinterpret_cast<LPARAM>(&ht)));
}

TRect TPageControl::TabRect(int tabIndex) const {
    TRect r{};
    if (HandleAllocated())
        SendMessageW(WindowHandle(), TCM_GETITEMRECT, static_cast<WPARAM>(tabIndex),
                     reinterpret_cast<LPARAM>(&r));
    return r;
}

TRect TPageControl::DisplayRect() {
    TRect r = ClientRect();
    AdjustClientRect(r);
    return r;
}

void TPageControl::AdjustClientRect(TRect& rect) {
    // Without a single tab the pages take the whole control.
    if (!HandleAllocated() || SendMessageW(WindowHandle(), TCM_GETITEMCOUNT, 0, 0) == 0) return;
    SendMessageW(WindowHandle(), TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&rect));
}

void TPageControl::CreateParams(TCreateParams& p) {
    TWinControl::CreateParams(p);
    INITCOMMONCONTROLSEX icc{sizeof icc, ICC_TAB_CLASSES};
    InitCommonControlsEx(&icc);
    CreateSubClass(p, WC_TABCONTROLW);
    if (style_ == tsButtons) p.Style |= TCS_BUTTONS;
    if (style_ == tsFlatButtons) p.Style |= TCS_BUTTONS | TCS_FLATBUTTONS;
    // Tabs on a side only come in several rows.
    if (multiLine_ || tabPosition_ == tpLeft || tabPosition_ == tpRight) p.Style |= TCS_MULTILINE;
    if (hotTrack_) p.Style |= TCS_HOTTRACK;
    if (tabPosition_ == tpBottom) p.Style |= TCS_BOTTOM;
    if (tabPosition_ == tpLeft) p.Style |= TCS_VERTICAL;
    if (tabPosition_ == tpRight) p.Style |= TCS_VERTICAL | TCS_RIGHT;
}

void TPageControl::CreateWnd() {
    TWinControl::CreateWnd();
    if (images_)
        SendMessageW(WindowHandle(), TCM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(images_->Handle()));
    UpdateTabs();
}

void TPageControl::SetStyle(TTabStyle value) {
    if (value == style_) return;
    style_ = value;
    RecreateWnd();
}

void TPageControl::SetTabPosition(TTabPosition value) {
    if (value == tabPosition_) return;
    tabPosition_ = value;
    RecreateWnd();
}

void TPageControl::SetMultiLine(bool value) {
    if (value == multiLine_) return;
    multiLine_ = value;
    RecreateWnd();
}

void TPageControl::SetHotTrack(bool value) {
    if (value == hotTrack_) return;
    hotTrack_ = value;
    RecreateWnd();
}

void TPageControl::SetImages(TCustomImageList* value) {
    if (ReplaceImageList(this, images_, value, *imageLink_)) imageLink_->Change();
}

void TPageControl::Notification(TComponent* component, TOperation operation) {
    TWinControl::Notification(component, operation);
    if (operation == opRemove && component == images_) {
        images_->UnRegisterChanges(imageLink_.get());
        images_ = nullptr;
        imageLink_->Change();
    }
}

void TPageControl::WndProc(TMessage& m) {
    if (m.Msg == CN_NOTIFY) {
        switch (reinterpret_cast<const NMHDR*>(m.LParam)->code) {
            case TCN_SELCHANGING:
                m.Result = CanChange() ? 0 : 1;
                return;
            case TCN_SELCHANGE:
                Change();
                return;
        }
    }
    TWinControl::WndProc(m);
}

}  // namespace cl
