// The tool bar over ToolbarWindow32.  System button i is the bar's i-th
// tool button: its command is i and its data the TToolButton*.  Structural
// changes (buttons added, removed, restyled, captions) build the system
// buttons again; state changes go to the one button.
#include <algorithm>

#include "classlib/Scope.h"
#include "classlib/win/ComCtrls.h"
#include "classlib/win/Forms.h"
#include "classlib/win/GdiHandles.h"
#include "classlib/win/WideText.h"

namespace cl {

namespace {

constexpr int kSeparatorWidth = 8;
constexpr int kEdge = 2;  // an etched edge is two pixels wide
// Posted by the bar to itself: build the buttons once the message that
// asked for it (a click inside the system bar's own code) is done.
constexpr UINT CM_REBUILDBUTTONS = WM_USER + 0x1001;

BYTE SystemStyle(const TToolButton* b) {
    switch (b->Style()) {
        case tbsCheck:
            return BTNS_CHECK;
        case tbsDropDown:
            return BTNS_DROPDOWN;
        case tbsSeparator:
        case tbsDivider:
            return BTNS_SEP;
        case tbsButton:
            break;
    }
    return BTNS_BUTTON;
}

bool IsSeparator(const TToolButton* b) {
    return b->Style() == tbsSeparator || b->Style() == tbsDivider;
}

BYTE SystemState(const TToolButton* b) {
    BYTE state = 0;
    if (b->Enabled()) state |= TBSTATE_ENABLED;
    if (b->Down()) state |= b->Style() == tbsCheck ? TBSTATE_CHECKED : TBSTATE_PRESSED;
    if (!b->Visible()) state |= TBSTATE_HIDDEN;
    if (b->Wrap()) state |= TBSTATE_WRAP;
    return state;
}

}  // namespace

// ---- TToolButton ------------------------------------------------------------------

// The control's own action link mirrors caption, hint, enabled and visible;
// this second link of the same action carries the image index and the
// checked state to the button.
class TToolButton::ImageLink : public TActionLink {
public:
    explicit ImageLink(TToolButton* button) : button_(button) {}

protected:
    bool IsImageIndexLinked() const override {
        auto* a = Linked();
        return a && button_->ImageIndex() == a->ImageIndex();
    }
    bool IsCheckedLinked() const override {
        auto* a = Linked();
        return a && button_->Down() == a->Checked();
    }
    void SetImageIndex(int value) override { button_->SetImageIndex(value); }
    void SetChecked(bool value) override { button_->SetDown(value); }

private:
    // Only while the action is still the button's.
    TCustomAction* Linked() const {
        return button_->Action() == action_ ? dynamic_cast<TCustomAction*>(action_) : nullptr;
    }
    TToolButton* button_;
};

CL_CLASS_INFO(TToolButton, Prop("AllowAllUp", &TToolButton::AllowAllUp, &TToolButton::SetAllowAllUp),
              Prop("Down", &TToolButton::Down, &TToolButton::SetDown),
              Prop("DropdownMenu", &TToolButton::DropdownMenu, &TToolButton::SetDropdownMenu),
              Prop("Grouped", &TToolButton::Grouped, &TToolButton::SetGrouped),
              Prop("ImageIndex", &TToolButton::ImageIndex, &TToolButton::SetImageIndex),
              Prop("MenuItem", &TToolButton::MenuItem, &TToolButton::SetMenuItem),
              EnumProp("Style", {"tbsButton", "tbsCheck", "tbsDropDown", "tbsSeparator", "tbsDivider"},
                       &TToolButton::Style, &TToolButton::SetStyle),
              Prop("Wrap", &TToolButton::Wrap, &TToolButton::SetWrap))

TToolButton::TToolButton(TComponent* owner) : TGraphicControl(owner) {
    SetBounds(0, 0, 23, 22);
}

TToolButton::~TToolButton() = default;

void TToolButton::BeforeDestruction() {
    imageLink_.reset();
    TGraphicControl::BeforeDestruction();
}

TToolBar* TToolButton::Bar() const {
    return dynamic_cast<TToolBar*>(Parent());
}

int TToolButton::Index() const {
    TToolBar* bar = Bar();
    if (!bar) return -1;
    const auto it = std::find(bar->buttons_.begin(), bar->buttons_.end(), this);
    return it == bar->buttons_.end() ? -1 : static_cast<int>(it - bar->buttons_.begin());
}

void TToolButton::Changed() {
    if (TToolBar* bar = Bar()) bar->UpdateButton(this);
}

void TToolButton::SetStyle(TToolButtonStyle value) {
    if (value == style_) return;
    const bool wasSeparator = IsSeparator(this);
    style_ = value;
    if (TToolBar* bar = Bar(); bar && bar->HandleAllocated())
        bar->PostRebuild();
    else if (IsSeparator(this) != wasSeparator)
        SetWidth(IsSeparator(this) ? kSeparatorWidth : 23);
}

void TToolButton::SetImageIndex(int value) {
    if (value == imageIndex_) return;
    imageIndex_ = value;
    Changed();
}

void TToolButton::SetDown(bool value) {
    if (value == down_) return;
    down_ = value;
    if (value && grouped_ && style_ == tbsCheck) {
        if (TToolBar* bar = Bar()) bar->ReleaseGroup(this);
    }
    Changed();
}

void TToolButton::SetGrouped(bool value) {
    grouped_ = value;
}

void TToolButton::SetAllowAllUp(bool value) {
    allowAllUp_ = value;
}

void TToolButton::SetWrap(bool value) {
    if (value == wrap_) return;
    wrap_ = value;
    Changed();
}

void TToolButton::SetDropdownMenu(TPopupMenu* value) {
    if (value == dropdownMenu_) return;
    if (dropdownMenu_) dropdownMenu_->RemoveFreeNotification(this);
    dropdownMenu_ = value;
    if (value) value->FreeNotification(this);
}

void TToolButton::SetMenuItem(TMenuItem* value) {
    if (value == menuItem_) return;
    if (menuItem_) menuItem_->RemoveFreeNotification(this);
    menuItem_ = value;
    if (value) value->FreeNotification(this);
}

void TToolButton::SetTextValue(const std::string& value) {
    TGraphicControl::SetTextValue(value);
    wideCaption_ = ToWide(value);
    TToolBar* bar = Bar();
    if (bar && bar->HandleAllocated() && bar->ShowCaptions()) bar->PostRebuild();
}

void TToolButton::VisibleChanged() {
    TGraphicControl::VisibleChanged();
    Changed();
}

void TToolButton::EnabledChanged() {
    TGraphicControl::EnabledChanged();
    Changed();
}

void TToolButton::ActionChange(TObject* sender, bool checkDefaults) {
    TGraphicControl::ActionChange(sender, checkDefaults);
    auto* a = dynamic_cast<TCustomAction*>(sender);
    if (!a) return;
    if (!checkDefaults || imageIndex_ == -1) SetImageIndex(a->ImageIndex());
    if (!checkDefaults || !down_) SetDown(a->Checked());
    if (!imageLink_) imageLink_ = std::make_unique<ImageLink>(this);
    imageLink_->SetAction(a);
}

void TToolButton::Notification(TComponent* component, TOperation operation) {
    TGraphicControl::Notification(component, operation);
    if (operation != opRemove) return;
    if (component == dropdownMenu_) dropdownMenu_ = nullptr;
    if (component == menuItem_) menuItem_ = nullptr;
}

bool TToolButton::CheckMenuDropdown() {
    TToolBar* bar = Bar();
    return bar && bar->TrackMenu(this);
}

void TToolButton::Click() {
    TGraphicControl::Click();
}

// ---- TToolBar ---------------------------------------------------------------------
CL_CLASS_INFO(TToolBar, Prop("AutoSize", &TToolBar::AutoSize, &TToolBar::SetAutoSize),
              Prop("ButtonHeight", &TToolBar::ButtonHeight, &TToolBar::SetButtonHeight),
              Prop("ButtonWidth", &TToolBar::ButtonWidth, &TToolBar::SetButtonWidth),
              Prop("DisabledImages", &TToolBar::DisabledImages, &TToolBar::SetDisabledImages),
              SetOfProp("EdgeBorders", {"ebLeft", "ebTop", "ebRight", "ebBottom"}, &TToolBar::EdgeBorders,
                        &TToolBar::SetEdgeBorders),
              Prop("Flat", &TToolBar::Flat, &TToolBar::SetFlat),
              Prop("HotImages", &TToolBar::HotImages, &TToolBar::SetHotImages),
              Prop("Images", &TToolBar::Images, &TToolBar::SetImages),
              Prop("Indent", &TToolBar::Indent, &TToolBar::SetIndent),
              Prop("List", &TToolBar::List, &TToolBar::SetList),
              Prop("Menu", &TToolBar::Menu, &TToolBar::SetMenu),
              Prop("ShowCaptions", &TToolBar::ShowCaptions, &TToolBar::SetShowCaptions),
              Prop("Transparent", &TToolBar::Transparent, &TToolBar::SetTransparent),
              Prop("Wrapable", &TToolBar::Wrapable, &TToolBar::SetWrapable))

TToolBar::TToolBar(TComponent* owner) : TWinControl(owner) {
    SetControlStyle((ControlStyle() | csAcceptsControls | csOpaque) & ~csSetCaption);
    SetColor(clBtnFace);
    SetBounds(0, 0, 150, 29);
    SetAlign(alTop);
    for (TChangeLink* link : {&imageLink_, &disabledLink_, &hotLink_})
        link->OnChange = [this](TObject*) { UpdateImages(); };
}

TToolBar::~TToolBar() {
    BarTearDown();
}

void TToolBar::BeforeDestruction() {
    BarTearDown();
    TWinControl::BeforeDestruction();
}

void TToolBar::BarTearDown() noexcept {
    if (tornDown_) return;
    tornDown_ = true;
    for (auto [list, link] : {std::pair{images_, &imageLink_}, std::pair{disabledImages_, &disabledLink_},
                              std::pair{hotImages_, &hotLink_}}) {
        if (list) list->UnRegisterChanges(link);
    }
}

TToolButton* TToolBar::Buttons(int index) const {
    if (index < 0 || index >= ButtonCount())
        throw EListError("List index out of bounds (" + std::to_string(index) + ")");
    return buttons_[static_cast<size_t>(index)];
}

void TToolBar::CreateParams(TCreateParams& p) {
    TWinControl::CreateParams(p);
    CreateSubClass(p, TOOLBARCLASSNAMEW);
    // The class library places and sizes the bar, and draws its edges.
    p.Style |= CCS_NOPARENTALIGN | CCS_NORESIZE | CCS_NODIVIDER | CCS_TOP;
    if (flat_) p.Style |= TBSTYLE_FLAT;
    if (list_) p.Style |= TBSTYLE_LIST;
    if (transparent_) p.Style |= TBSTYLE_TRANSPARENT;
    // No TBSTYLE_WRAPABLE: Wine's bar then drops the buttons' own wraps, so
    // LayoutButtons wraps the rows itself.
}

void TToolBar::CreateWnd() {
    TWinControl::CreateWnd();
    HWND wnd = WindowHandle();
    SendMessageW(wnd, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    SendMessageW(wnd, TB_SETEXTENDEDSTYLE, 0, TBSTYLE_EX_DRAWDDARROWS);
    SendMessageW(wnd, TB_SETINDENT, static_cast<WPARAM>(indent_), 0);
    UpdateImages();
}

void TToolBar::SetImages(TCustomImageList* value) {
    if (ReplaceImageList(this, images_, value, imageLink_)) UpdateImages();
}

void TToolBar::SetDisabledImages(TCustomImageList* value) {
    if (ReplaceImageList(this, disabledImages_, value, disabledLink_)) UpdateImages();
}

void TToolBar::SetHotImages(TCustomImageList* value) {
    if (ReplaceImageList(this, hotImages_, value, hotLink_)) UpdateImages();
}

void TToolBar::UpdateImages() {
    if (!HandleAllocated()) return;
    HWND wnd = WindowHandle();
    auto handleOf = [](TCustomImageList* list) {
        return reinterpret_cast<LPARAM>(list ? list->Handle() : nullptr);
    };
    SendMessageW(wnd, TB_SETIMAGELIST, 0, handleOf(images_));
    SendMessageW(wnd, TB_SETDISABLEDIMAGELIST, 0, handleOf(disabledImages_));
    SendMessageW(wnd, TB_SETHOTIMAGELIST, 0, handleOf(hotImages_));
    BuildButtons();
}

void TToolBar::SetButtonWidth(int value) {
    if (value == buttonWidth_) return;
    buttonWidth_ = value;
    BuildButtons();
}

void TToolBar::SetButtonHeight(int value) {
    if (value == buttonHeight_) return;
    buttonHeight_ = value;
    BuildButtons();
}

void TToolBar::SetShowCaptions(bool value) {
    if (value == showCaptions_) return;
    showCaptions_ = value;
    BuildButtons();
}

void TToolBar::SetList(bool value) {
    if (value == list_) return;
    list_ = value;
    UpdateStyle();
}

void TToolBar::SetFlat(bool value) {
    if (value == flat_) return;
    flat_ = value;
    UpdateStyle();
}

void TToolBar::SetTransparent(bool value) {
    if (value == transparent_) return;
    transparent_ = value;
    UpdateStyle();
}

void TToolBar::SetWrapable(bool value) {
    if (value == wrapable_) return;
    wrapable_ = value;
    LayoutButtons();
}

void TToolBar::UpdateStyle() {
    // The bar reads most of its styles only while it is created.
    RecreateWnd();
}

void TToolBar::SetIndent(int value) {
    if (value == indent_) return;
    indent_ = value;
    if (HandleAllocated()) SendMessageW(WindowHandle(), TB_SETINDENT, static_cast<WPARAM>(value), 0);
    BuildButtons();
}

void TToolBar::SetEdgeBorders(TEdgeBorders value) {
    if (value == edgeBorders_) return;
    edgeBorders_ = value;
    if (HandleAllocated())
        SetWindowPos(WindowHandle(), nullptr, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    AdjustSize();
}

void TToolBar::SetAutoSize(bool value) {
    if (value == autoSize_) return;
    autoSize_ = value;
    AdjustSize();
}

TBBUTTON TToolBar::Describe(TToolButton* b, int index) {
    TBBUTTON tb{};
    tb.idCommand = index;
    tb.fsStyle = SystemStyle(b);
    tb.fsState = SystemState(b);
    tb.dwData = reinterpret_cast<DWORD_PTR>(b);
    if (IsSeparator(b)) {
        tb.iBitmap = kSeparatorWidth;
        tb.iString = -1;
        return tb;
    }
    tb.iBitmap = b->imageIndex_ >= 0 ? b->imageIndex_ : I_IMAGENONE;
    const bool text = showCaptions_ && !b->wideCaption_.empty();
    tb.iString = text ? reinterpret_cast<INT_PTR>(b->wideCaption_.c_str()) : -1;
    return tb;
}

void TToolBar::BuildButtons() {
    if (!HandleAllocated() || tornDown_) return;
    HWND wnd = WindowHandle();
    while (SendMessageW(wnd, TB_BUTTONCOUNT, 0, 0) > 0) SendMessageW(wnd, TB_DELETEBUTTON, 0, 0);
    SendMessageW(wnd, TB_SETBUTTONSIZE, 0, MAKELPARAM(buttonWidth_, buttonHeight_));
    std::vector<TBBUTTON> described;
    for (size_t i = 0; i < buttons_.size(); ++i)
        described.push_back(Describe(buttons_[i], static_cast<int>(i)));
    if (!described.empty())
        SendMessageW(wnd, TB_ADDBUTTONSW, described.size(), reinterpret_cast<LPARAM>(described.data()));
    LayoutButtons();
}

void TToolBar::SetWrapState(int index, bool wrap) {
    HWND wnd = WindowHandle();
    const LRESULT state = SendMessageW(wnd, TB_GETSTATE, static_cast<WPARAM>(index), 0);
    if (state < 0) return;
    const BYTE wanted = static_cast<BYTE>(wrap ? (state | TBSTATE_WRAP) : (state & ~TBSTATE_WRAP));
    if (wanted == state) return;
    // TB_SETSTATE would not lay the rows out again under Wine.
    TBBUTTONINFOW info{};
    info.cbSize = sizeof info;
    info.dwMask = TBIF_BYINDEX | TBIF_STATE;
    info.fsState = wanted;
    SendMessageW(wnd, TB_SETBUTTONINFOW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&info));
}

void TToolBar::LayoutButtons() {
    if (!HandleAllocated() || layingOut_ || tornDown_) return;
    const FlagScope layingOut(layingOut_);
    HWND wnd = WindowHandle();
    for (size_t i = 0; i < buttons_.size(); ++i) SetWrapState(static_cast<int>(i), buttons_[i]->wrap_);
    SendMessageW(wnd, TB_AUTOSIZE, 0, 0);
    if (wrapable_) {
        // A button that would cross the right edge starts the next row.
        const int width = ClientWidth();
        int x = indent_;
        int previous = -1;
        for (size_t i = 0; i < buttons_.size(); ++i) {
            if (!buttons_[i]->Visible()) continue;
            RECT r{};
            SendMessageW(wnd, TB_GETITEMRECT, i, reinterpret_cast<LPARAM>(&r));
            const int w = r.right - r.left;
            if (previous >= 0 && x > indent_ && x + w > width) {
                SetWrapState(previous, true);
                x = indent_;
            }
            x = buttons_[i]->wrap_ ? indent_ : x + w;
            previous = static_cast<int>(i);
        }
        SendMessageW(wnd, TB_AUTOSIZE, 0, 0);
    }
    UpdateButtonBounds();
    AdjustSize();
}

void TToolBar::PostRebuild() {
    if (!HandleAllocated()) return;
    if (!rebuildPending_) PostMessageW(WindowHandle(), CM_REBUILDBUTTONS, 0, 0);
    rebuildPending_ = true;
}

void TToolBar::UpdateButton(TToolButton* b) {
    if (!HandleAllocated() || updatingBounds_ || tornDown_) return;
    const int index = b->Index();
    if (index < 0) return;
    HWND wnd = WindowHandle();
    TBBUTTONINFOW info{};
    info.cbSize = sizeof info;
    info.dwMask = TBIF_BYINDEX | TBIF_STATE | TBIF_IMAGE;
    // The wrap is LayoutButtons' business.
    info.fsState = SystemState(b) & ~TBSTATE_WRAP;
    info.iImage = IsSeparator(b) ? kSeparatorWidth : (b->imageIndex_ >= 0 ? b->imageIndex_ : I_IMAGENONE);
    SendMessageW(wnd, TB_SETBUTTONINFOW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&info));
    // Hiding, showing and wrapping move the buttons after this one.
    LayoutButtons();
}

void TToolBar::UpdateButtonBounds() {
    if (!HandleAllocated()) return;
    updatingBounds_ = true;
    for (size_t i = 0; i < buttons_.size(); ++i) {
        RECT r{};
        if (SendMessageW(WindowHandle(), TB_GETITEMRECT, i, reinterpret_cast<LPARAM>(&r)))
            buttons_[i]->SetBounds(r.left, r.top, r.right - r.left, r.bottom - r.top);
    }
    updatingBounds_ = false;
}

void TToolBar::AdjustSize() {
    if (!autoSize_ || !HandleAllocated() || buttons_.empty()) return;
    int bottom = 0;
    for (TToolButton* b : buttons_)
        if (b->Visible()) bottom = std::max(bottom, b->Top() + b->Height());
    const int frame = Height() - ClientHeight();
    if (bottom > 0) SetHeight(bottom + frame);
}

void TToolBar::InsertButton(TToolButton* button) {
    if (std::find(buttons_.begin(), buttons_.end(), button) != buttons_.end()) return;
    buttons_.push_back(button);
    BuildButtons();
}

void TToolBar::RemoveButton(TToolButton* button) noexcept {
    const auto it = std::find(buttons_.begin(), buttons_.end(), button);
    if (it == buttons_.end()) return;
    buttons_.erase(it);
    if (tornDown_ || !HandleAllocated()) return;
    // The system bar may be inside its own click code; build after it.
    PostRebuild();
}

TToolButton* TToolBar::ButtonAtCommand(int command) const {
    if (command < 0 || command >= ButtonCount()) return nullptr;
    return buttons_[static_cast<size_t>(command)];
}

TToolButton* TToolBar::ButtonAt(TPoint p) const {
    for (TToolButton* b : buttons_) {
        const TRect r = b->BoundsRect();
        if (b->Visible() && PtInRect(&r, p)) return b;
    }
    return nullptr;
}

void TToolBar::ReleaseGroup(TToolButton* button) {
    const auto it = std::find(buttons_.begin(), buttons_.end(), button);
    if (it == buttons_.end()) return;
    auto inGroup = [](TToolButton* b) { return b->Style() == tbsCheck && b->Grouped(); };
    auto first = it;
    while (first != buttons_.begin() && inGroup(*(first - 1))) --first;
    auto last = it;
    while (last + 1 != buttons_.end() && inGroup(*(last + 1))) ++last;
    for (auto i = first; i <= last; ++i)
        if (*i != button) (*i)->SetDown(false);
}

void TToolBar::ClickButton(TToolButton* button) {
    if (button->Style() == tbsCheck) {
        // The system button has toggled itself; the class library's rule decides.
        const bool stays = button->Grouped() && button->Down() && !button->AllowAllUp();
        const bool down = stays || !button->Down();
        button->down_ = !down;  // so that SetDown tells the system button in any case
        button->SetDown(down);
    }
    if (button->Style() != tbsDropDown && (button->DropdownMenu() || button->MenuItem())) {
        button->CheckMenuDropdown();
        return;
    }
    button->Click();
}

bool TToolBar::TrackMenu(TToolButton* button) {
    TPopupMenu* popup = button->DropdownMenu();
    TMenuItem* item = button->MenuItem();
    if (!popup && !(item && item->Count() > 0)) return false;
    DropDownUnder(button, [&](POINT p) {
        if (popup) {
            popup->SetPopupComponent(button);
            popup->Popup(p.x, p.y);
            return;
        }
        // A menu bar's item: its sub-menu owned by the bar, the command back to the menu.
        const UINT command = TrackPopupMenu(item->Handle(), TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RETURNCMD, p.x,
                                            p.y, 0, Handle(), nullptr);
        if (command && menu_) menu_->DispatchCommand(static_cast<WORD>(command));
    });
    return true;
}

void TToolBar::DropDownUnder(TToolButton* button, const std::function<void(POINT)>& open) {
    const int index = button->Index();
    HWND wnd = Handle();
    RECT r{};
    SendMessageW(wnd, TB_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&r));
    POINT p{r.left, r.bottom};
    ::ClientToScreen(wnd, &p);
    const bool press = button->Style() != tbsDropDown;
    if (press) SendMessageW(wnd, TB_PRESSBUTTON, static_cast<WPARAM>(index), TRUE);
    const ScopeExit release([wnd, index, press] {
        if (press && IsWindow(wnd)) SendMessageW(wnd, TB_PRESSBUTTON, static_cast<WPARAM>(index), FALSE);
        if (IsWindow(wnd)) PostMessageW(wnd, CN_DROPDOWNCLOSED, 0, 0);
    });
    open(p);
}

void TToolBar::SetMenu(TMainMenu* value) {
    if (value == menu_) return;
    if (menu_) menu_->RemoveFreeNotification(this);
    while (!buttons_.empty()) buttons_.back()->Free();
    menu_ = value;
    if (!value) return;
    value->FreeNotification(this);
    showCaptions_ = true;
    TMenuItem* items = value->Items();
    for (int i = 0; i < items->Count(); ++i) {
        TMenuItem* item = items->Items(i);
        if (!item->Visible()) continue;
        auto* b = new TToolButton(this);
        b->SetGrouped(true);
        b->SetMenuItem(item);
        b->SetCaption(item->Caption());
        b->SetParent(this);
    }
}

void TToolBar::Notification(TComponent* component, TOperation operation) {
    TWinControl::Notification(component, operation);
    if (operation != opRemove) return;
    if (component == images_) SetImages(nullptr);
    if (component == disabledImages_) SetDisabledImages(nullptr);
    if (component == hotImages_) SetHotImages(nullptr);
    if (component == menu_) menu_ = nullptr;
}

void TToolBar::NCCalcSize(TMessage& m) {
    DefaultHandler(m);
    auto* r = reinterpret_cast<RECT*>(m.LParam);  // the first rectangle in both forms of the message
    if (edgeBorders_ & ebLeft) r->left += kEdge;
    if (edgeBorders_ & ebTop) r->top += kEdge;
    if (edgeBorders_ & ebRight) r->right -= kEdge;
    if (edgeBorders_ & ebBottom) r->bottom -= kEdge;
}

void TToolBar::NCPaint(TMessage& m) {
    DefaultHandler(m);
    if (!edgeBorders_) return;
    HWND wnd = WindowHandle();
    const WindowDC dc(wnd, GetWindowDC(wnd));
    if (!dc) return;
    RECT r;
    GetWindowRect(wnd, &r);
    OffsetRect(&r, -r.left, -r.top);
    UINT flags = 0;
    if (edgeBorders_ & ebLeft) flags |= BF_LEFT;
    if (edgeBorders_ & ebTop) flags |= BF_TOP;
    if (edgeBorders_ & ebRight) flags |= BF_RIGHT;
    if (edgeBorders_ & ebBottom) flags |= BF_BOTTOM;
    DrawEdge(dc.get(), &r, EDGE_ETCHED, flags);
}

void TToolBar::WndProc(TMessage& m) {
    switch (m.Msg) {
        case CM_CONTROLCHANGE:
            if (auto* b = dynamic_cast<TToolButton*>(reinterpret_cast<TControl*>(m.WParam))) {
                if (m.LParam)
                    InsertButton(b);
                else
                    RemoveButton(b);
            }
            break;
        case CM_REBUILDBUTTONS:
            rebuildPending_ = false;
            BuildButtons();
            return;
        case CN_COMMAND:
            if (TToolButton* b = ButtonAtCommand(LOWORD(m.WParam))) {
                ClickButton(b);
                return;
            }
            break;
        case CN_NOTIFY: {
            const auto* hdr = reinterpret_cast<const NMHDR*>(m.LParam);
            if (hdr->code == TBN_DROPDOWN) {
                const auto* tb = reinterpret_cast<const NMTOOLBARW*>(m.LParam);
                if (TToolButton* b = ButtonAtCommand(tb->iItem)) b->CheckMenuDropdown();
                m.Result = TBDDRET_DEFAULT;
                return;
            }
            break;
        }
        case CN_DROPDOWNCLOSED:
            return;
        case WM_INITMENUPOPUP:
            if (menu_ && menu_->DispatchPopup(reinterpret_cast<HMENU>(m.WParam))) return;
            break;
        case WM_MEASUREITEM:
            if (menu_ && reinterpret_cast<MEASUREITEMSTRUCT*>(m.LParam)->CtlType == ODT_MENU &&
                menu_->MeasureItem(*reinterpret_cast<MEASUREITEMSTRUCT*>(m.LParam))) {
                m.Result = TRUE;
                return;
            }
            break;
        case WM_DRAWITEM:
            if (menu_ && reinterpret_cast<DRAWITEMSTRUCT*>(m.LParam)->CtlType == ODT_MENU &&
                menu_->DrawItem(*reinterpret_cast<DRAWITEMSTRUCT*>(m.LParam))) {
                m.Result = TRUE;
                return;
            }
            break;
        case WM_NCCALCSIZE:
            NCCalcSize(m);
            return;
        case WM_NCPAINT:
            NCPaint(m);
            return;
        case WM_SIZE:
            TWinControl::WndProc(m);
            LayoutButtons();
            return;
        case WM_MOUSEMOVE:
        case WM_LBUTTONDOWN:
        case WM_LBUTTONUP:
        case WM_LBUTTONDBLCLK:
        case WM_RBUTTONDOWN:
        case WM_RBUTTONUP:
        case WM_RBUTTONDBLCLK:
        case WM_MBUTTONDOWN:
        case WM_MBUTTONUP:
        case WM_MBUTTONDBLCLK: {
            // The system bar presses and clicks its buttons itself; the tool
            // buttons only take part in the hints.
            if (m.Msg == WM_MOUSEMOVE) {
                if (TApplication* app = TApplicationRef::Existing()) {
                    if (TToolButton* b = ButtonAt(Point(m.XPos(), m.YPos()))) {
                        TMessage local = m;
                        local.LParam = MAKELPARAM(m.XPos() - b->Left(), m.YPos() - b->Top());
                        app->HintMouseMessage(b, local);
                    } else {
                        app->HintMouseMessage(this, m);
                    }
                }
            }
            DefaultHandler(m);
            return;
        }
    }
    TWinControl::WndProc(m);
}

}  // namespace cl
