#include "classlib/win/Menus.h"

#include <algorithm>

#include "classlib/Exceptions.h"
#include "classlib/Scope.h"
#include "classlib/StrUtils.h"
#include "classlib/win/Forms.h"
#include "classlib/win/GdiHandles.h"
#include "classlib/win/WideText.h"

namespace cl {

namespace {

// Command numbers are unique in the process: WM_COMMAND carries 16 bits,
// and numbers below 100 stay free for the dialog button identifiers.
constexpr WORD kFirstCommand = 100;
std::vector<bool> g_commandsUsed(0x10000, false);
WORD g_nextCommand = kFirstCommand;

WORD AllocateCommand() {
    for (int tries = 0; tries < 0x10000; ++tries) {
        const WORD c = g_nextCommand;
        g_nextCommand = static_cast<WORD>(g_nextCommand == 0xFFFF ? kFirstCommand : g_nextCommand + 1);
        if (!g_commandsUsed[c]) {
            g_commandsUsed[c] = true;
            return c;
        }
    }
    throw EOutOfResources("Out of menu command numbers");
}

void ReleaseCommand(WORD command) noexcept {
    if (command) g_commandsUsed[command] = false;
}

std::vector<TPopupMenu*> g_popupMenus;
HWND g_popupListWindow = nullptr;

// F1 on a pop-up menu's item: its help context, as a pop-up when the
// active form shows the help button in its caption.
bool PopupMenuHelp(const std::vector<TPopupMenu*>& menus, const HELPINFO& info) {
    if (info.iContextType != HELPINFO_MENUITEM) return false;
    const auto handle = reinterpret_cast<UINT_PTR>(info.hItemHandle);
    for (TPopupMenu* menu : menus) {
        if (!menu->FindItem(handle, fkHandle)) continue;
        TMenuItem* item = menu->FindItem(static_cast<UINT_PTR>(info.iCtrlId), fkCommand);
        if (!item) item = menu->FindItem(handle, fkHandle);
        if (!item) return false;
        const TCustomForm* active = Screen->ActiveForm();
        const bool popup = active && (active->BorderIcons() & biHelp);
        Application->HelpCommand(popup ? HELP_CONTEXTPOPUP : HELP_CONTEXT,
                                 static_cast<ULONG_PTR>(item->HelpContext()));
        return true;
    }
    return false;
}

void PopupListWndProc(TMessage& m) {
    const std::vector<TPopupMenu*> menus = g_popupMenus;
    switch (m.Msg) {
        case WM_COMMAND:
            for (TPopupMenu* menu : menus)
                if (menu->DispatchCommand(LOWORD(m.WParam))) return;
            break;
        case WM_INITMENUPOPUP:
            for (TPopupMenu* menu : menus)
                if (menu->DispatchPopup(reinterpret_cast<HMENU>(m.WParam))) return;
            break;
        case WM_DRAWITEM:
            for (TPopupMenu* menu : menus)
                if (menu->OwnerDraw() && menu->DrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(m.LParam))) {
                    m.Result = TRUE;
                    return;
                }
            break;
        case WM_MEASUREITEM:
            for (TPopupMenu* menu : menus)
                if (menu->OwnerDraw() && menu->MeasureItem(*reinterpret_cast<MEASUREITEMSTRUCT*>(m.LParam))) {
                    m.Result = TRUE;
                    return;
                }
            break;
        case WM_MENUCHAR:
            for (TPopupMenu* menu : menus)
                if (menu->OwnerDraw() && menu->ProcessMenuChar(m)) return;
            break;
        case WM_MENUSELECT: {
            const UINT flags = HIWORD(m.WParam);
            TMenuItem* item = nullptr;
            if (!(flags == 0xFFFF && m.LParam == 0)) {
                for (TPopupMenu* menu : menus) {
                    item = (flags & MF_POPUP)
                               ? menu->FindItem(reinterpret_cast<UINT_PTR>(GetSubMenu(
                                                    reinterpret_cast<HMENU>(m.LParam), LOWORD(m.WParam))),
                                                fkHandle)
                               : menu->FindItem(LOWORD(m.WParam), fkCommand);
                    if (item) break;
                }
            }
            Application->SetHint(item ? GetLongHint(item->Hint()) : "");
            return;
        }
        case WM_HELP:
            if (PopupMenuHelp(menus, *reinterpret_cast<const HELPINFO*>(m.LParam))) {
                m.Result = TRUE;
                return;
            }
            break;
    }
    m.Result = DefWindowProcW(g_popupListWindow, m.Msg, m.WParam, m.LParam);
}

// The access key of a caption, upper-cased; 0 when it has none.
char AccessKey(const std::string& caption) {
    for (size_t i = 0; i + 1 < caption.size(); ++i) {
        if (caption[i] != '&') continue;
        if (caption[i + 1] != '&') return AnsiUpperChar(caption[i + 1]);
        ++i;
    }
    return 0;
}

TCustomAction* AsCustomAction(TBasicAction* a) {
    return dynamic_cast<TCustomAction*>(a);
}

}  // namespace

HWND PopupListWindow() {
    if (!g_popupListWindow) g_popupListWindow = AllocateHWnd(PopupListWndProc);
    return g_popupListWindow;
}

std::string StripHotkey(const std::string& caption) {
    std::string out;
    for (size_t i = 0; i < caption.size(); ++i) {
        if (caption[i] != '&') {
            out += caption[i];
        } else if (i + 1 < caption.size() && caption[i + 1] == '&') {
            out += '&';
            ++i;
        }
    }
    return out;
}

// ---- TMenuActionLink -------------------------------------------------------------
CL_CLASS_INFO(TMenuActionLink)

bool TMenuActionLink::IsCaptionLinked() const {
    auto* a = AsCustomAction(action_);
    return a && client_->Caption() == a->Caption();
}
bool TMenuActionLink::IsCheckedLinked() const {
    auto* a = AsCustomAction(action_);
    return a && client_->Checked() == a->Checked();
}
bool TMenuActionLink::IsEnabledLinked() const {
    auto* a = AsCustomAction(action_);
    return a && client_->Enabled() == a->Enabled();
}
bool TMenuActionLink::IsHintLinked() const {
    auto* a = AsCustomAction(action_);
    return a && client_->Hint() == a->Hint();
}
bool TMenuActionLink::IsImageIndexLinked() const {
    auto* a = AsCustomAction(action_);
    return a && client_->ImageIndex() == a->ImageIndex();
}
bool TMenuActionLink::IsShortCutLinked() const {
    auto* a = AsCustomAction(action_);
    return a && client_->ShortCut() == a->ShortCut();
}
bool TMenuActionLink::IsVisibleLinked() const {
    auto* a = AsCustomAction(action_);
    return a && client_->Visible() == a->Visible();
}
void TMenuActionLink::SetCaption(const std::string& value) {
    client_->SetCaption(value);
}
void TMenuActionLink::SetChecked(bool value) {
    client_->SetChecked(value);
}
void TMenuActionLink::SetEnabled(bool value) {
    client_->SetEnabled(value);
}
void TMenuActionLink::SetHint(const std::string& value) {
    client_->SetHint(value);
}
void TMenuActionLink::SetImageIndex(int value) {
    client_->SetImageIndex(value);
}
void TMenuActionLink::SetShortCut(TShortCut value) {
    client_->SetShortCut(value);
}
void TMenuActionLink::SetVisible(bool value) {
    client_->SetVisible(value);
}

// ---- TMenuItem --------------------------------------------------------------------
CL_CLASS_INFO(TMenuItem, Prop("Caption", &TMenuItem::Caption, &TMenuItem::SetCaption),
              Prop("Checked", &TMenuItem::Checked, &TMenuItem::SetChecked),
              Prop("Default", &TMenuItem::Default, &TMenuItem::SetDefault),
              Prop("Enabled", &TMenuItem::Enabled, &TMenuItem::SetEnabled),
              Prop("HelpContext", &TMenuItem::HelpContext, &TMenuItem::SetHelpContext),
              Prop("Hint", &TMenuItem::Hint, &TMenuItem::SetHint),
              Prop("ImageIndex", &TMenuItem::ImageIndex, &TMenuItem::SetImageIndex),
              Prop("Bitmap", &TMenuItem::Bitmap, &TMenuItem::SetBitmap),
              Prop("RadioItem", &TMenuItem::RadioItem, &TMenuItem::SetRadioItem),
              Prop("ShortCut", &TMenuItem::ShortCut, &TMenuItem::SetShortCut),
              Prop("Visible", &TMenuItem::Visible, &TMenuItem::SetVisible))

TMenuItem::TMenuItem(TComponent* owner)
    : TComponent(owner), bitmap_(std::make_unique<TBitmap>()), command_(AllocateCommand()) {
    bitmap_->OnChange = [this](TObject*) { MenuChanged(false); };
}

TMenuItem::~TMenuItem() {
    ItemTearDown();
}

void TMenuItem::BeforeDestruction() {
    Destroying();
    ItemTearDown();
    TComponent::BeforeDestruction();
}

void TMenuItem::ItemTearDown() noexcept {
    if (tornDown_) return;
    tornDown_ = true;
    while (!items_.empty()) {
        TMenuItem* child = items_.back();
        items_.pop_back();
        child->parent_ = nullptr;
        child->Free();
    }
    if (parent_) {
        try {
            parent_->Remove(this);
        } catch (...) {
            // Rebuilding the parent's system menu failed; the item is out of
            // the list either way.
            std::erase(parent_->items_, this);
            parent_ = nullptr;
        }
    }
    actionLink_.reset();
    DestroyMenuHandle();
    ReleaseCommand(command_);
    command_ = 0;
}

void TMenuItem::DestroyMenuHandle() noexcept {
    if (!handle_) return;
    // The sub-menus belong to the sub-items; only this menu goes.
    while (GetMenuItemCount(handle_) > 0) RemoveMenu(handle_, 0, MF_BYPOSITION);
    DestroyMenu(handle_);
    handle_ = nullptr;
}

TMenuItem* TMenuItem::Items(int index) const {
    if (index < 0 || index >= Count()) throw EListError("List index out of bounds (" + IntToStr(index) + ")");
    return items_[static_cast<size_t>(index)];
}

int TMenuItem::MenuIndex() const {
    if (!parent_) return -1;
    return parent_->IndexOf(this);
}

int TMenuItem::IndexOf(const TMenuItem* item) const {
    const auto it = std::find(items_.begin(), items_.end(), item);
    return it == items_.end() ? -1 : static_cast<int>(it - items_.begin());
}

void TMenuItem::Insert(int index, TMenuItem* item) {
    if (!item) return;
    if (item->parent_) throw EInvalidOperation("Menu inserted twice");
    if (index < 0 || index > Count()) throw EListError("List index out of bounds (" + IntToStr(index) + ")");
    items_.insert(items_.begin() + index, item);
    item->parent_ = this;
    MenuChanged(true);
}

void TMenuItem::Delete(int index) {
    TMenuItem* item = Items(index);
    Remove(item);
    item->Free();
}

void TMenuItem::Remove(TMenuItem* item) {
    const int index = IndexOf(item);
    if (index < 0) return;
    items_.erase(items_.begin() + index);
    item->parent_ = nullptr;
    MenuChanged(true);
}

void TMenuItem::Clear() {
    while (!items_.empty()) Delete(Count() - 1);
}

TMenuItem* TMenuItem::Find(const std::string& caption) const {
    const std::string wanted = StripHotkey(caption);
    for (TMenuItem* item : items_)
        if (AnsiSameText(StripHotkey(item->caption_), wanted)) return item;
    return nullptr;
}

TMenu* TMenuItem::GetParentMenu() const {
    const TMenuItem* item = this;
    while (item->parent_) item = item->parent_;
    return item->menu_;
}

HMENU TMenuItem::Handle() {
    if (!handle_) {
        handle_ = CreatePopupMenu();
        if (!handle_) throw EOutOfResources("Out of system resources");
        FillMenu(handle_);
    }
    return handle_;
}

void TMenuItem::FillMenu(HMENU menu) {
    const TMenu* owner = GetParentMenu();
    const bool ownerDraw = owner && owner->OwnerDraw();
    for (TMenuItem* item : items_)
        if (item->visible_) item->AppendTo(menu, ownerDraw);
}

void TMenuItem::Describe(MENUITEMINFOW& mii, std::wstring& text, bool ownerDraw, OwnedBitmap& entryBitmap) {
    std::string caption = caption_;
    if (shortCut_ != scNone) caption += "\t" + ShortCutToText(shortCut_);
    text = ToWide(caption);
    mii = MENUITEMINFOW{};
    mii.cbSize = sizeof mii;
    mii.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_DATA;
    mii.fType = IsLine() ? MFT_SEPARATOR : MFT_STRING;
    if (ownerDraw) mii.fType |= MFT_OWNERDRAW;
    if (radioItem_) mii.fType |= MFT_RADIOCHECK;
    // Right to left: the system lays out and draws its entries from the
    // right, and a menu bar's items start at its right.  Owner-drawn
    // entries are mirrored by whoever draws them (Wine leaves owner-drawn
    // entries in right-to-left order unpainted).
    const TMenu* menu = GetParentMenu();
    if (menu && menu->IsRightToLeft()) {
        if (!ownerDraw) mii.fType |= MFT_RIGHTORDER;
        if (parent_ == menu->Items() && dynamic_cast<const TMainMenu*>(menu)) mii.fType |= MFT_RIGHTJUSTIFY;
    }
    mii.fState = (checked_ ? MFS_CHECKED : 0) | (enabled_ ? 0 : MFS_GRAYED) | (default_ ? MFS_DEFAULT : 0);
    mii.dwItemData = reinterpret_cast<ULONG_PTR>(this);
    if (!IsLine()) {
        mii.fMask |= MIIM_STRING;
        mii.dwTypeData = text.data();
    }
    // A copy: the bitmap's own handle stays selected in its canvas, and the
    // system cannot draw a bitmap selected elsewhere.
    mii.fMask |= MIIM_BITMAP;
    if (!ownerDraw && !IsLine() && !bitmap_->Empty()) {
        TBitmap copy;
        copy.Assign(bitmap_.get());
        entryBitmap.reset(copy.ReleaseHandle());
    }
    mii.hbmpItem = entryBitmap.get();
}

void TMenuItem::AppendTo(HMENU menu, bool ownerDraw) {
    MENUITEMINFOW mii;
    std::wstring text;
    OwnedBitmap shown;
    Describe(mii, text, ownerDraw, shown);
    mii.fMask |= MIIM_ID | MIIM_SUBMENU;
    mii.wID = command_;
    mii.hSubMenu = items_.empty() ? nullptr : Handle();
    InsertMenuItemW(menu, static_cast<UINT>(GetMenuItemCount(menu)), TRUE, &mii);
    // The entry shows the new copy now; the old one may go.
    entryBitmap_ = std::move(shown);
}

void TMenuItem::UpdateEntry() {
    if (!parent_ || !parent_->handle_ || !visible_) return;
    const TMenu* owner = GetParentMenu();
    MENUITEMINFOW mii;
    std::wstring text;
    OwnedBitmap shown;
    Describe(mii, text, owner && owner->OwnerDraw(), shown);
    SetMenuItemInfoW(parent_->handle_, command_, FALSE, &mii);
    entryBitmap_ = std::move(shown);
}

void TMenuItem::RebuildHandle() {
    if (!handle_) return;
    while (GetMenuItemCount(handle_) > 0) RemoveMenu(handle_, 0, MF_BYPOSITION);
    FillMenu(handle_);
}

void TMenuItem::MenuChanged(bool rebuild) {
    if (rebuild) {
        // The item's own menu, the parent's menu that holds its entry, and
        // the grandparent's, whose entry gains or loses a sub-menu.
        RebuildHandle();
        if (parent_) {
            parent_->RebuildHandle();
            if (parent_->parent_) parent_->parent_->RebuildHandle();
        }
    } else {
        // A state change updates the entry in place: rebuilding a menu that
        // is being opened would disturb the system's tracking.
        UpdateEntry();
    }
    if (TMenu* menu = GetParentMenu()) menu->MenuChanged(this, this, rebuild);
}

void TMenuItem::SetCaption(const std::string& value) {
    if (value == caption_) return;
    caption_ = value;
    MenuChanged(false);
}

void TMenuItem::SetChecked(bool value) {
    if (value == checked_) return;
    checked_ = value;
    if (value && radioItem_ && parent_)
        for (TMenuItem* sibling : parent_->items_)
            if (sibling != this && sibling->radioItem_ && sibling->checked_) {
                sibling->checked_ = false;
                sibling->UpdateEntry();
            }
    MenuChanged(false);
}

void TMenuItem::SetEnabled(bool value) {
    if (value == enabled_) return;
    enabled_ = value;
    MenuChanged(false);
}

void TMenuItem::SetVisible(bool value) {
    if (value == visible_) return;
    visible_ = value;
    MenuChanged(true);
}

void TMenuItem::SetDefault(bool value) {
    if (value == default_) return;
    default_ = value;
    MenuChanged(false);
}

void TMenuItem::SetRadioItem(bool value) {
    if (value == radioItem_) return;
    radioItem_ = value;
    MenuChanged(false);
}

void TMenuItem::SetShortCut(TShortCut value) {
    if (value == shortCut_) return;
    shortCut_ = value;
    MenuChanged(false);
}

void TMenuItem::SetImageIndex(int value) {
    if (value == imageIndex_) return;
    imageIndex_ = value;
    MenuChanged(false);
}

TBasicAction* TMenuItem::Action() const {
    return actionLink_ ? actionLink_->Action() : nullptr;
}

void TMenuItem::SetAction(TBasicAction* value) {
    if (!value) {
        actionLink_.reset();
        return;
    }
    if (!actionLink_) actionLink_ = std::make_unique<TMenuActionLink>(this);
    actionLink_->SetAction(value);
    ActionChange(value, (ComponentState() & csLoading) != 0);
    value->FreeNotification(this);
}

void TMenuItem::ActionChange(TObject* sender, bool checkDefaults) {
    auto* a = dynamic_cast<TCustomAction*>(sender);
    if (!a) return;
    if (!checkDefaults || caption_.empty()) SetCaption(a->Caption());
    if (!checkDefaults || !checked_) SetChecked(a->Checked());
    if (!checkDefaults || enabled_) SetEnabled(a->Enabled());
    if (!checkDefaults || hint_.empty()) SetHint(a->Hint());
    if (!checkDefaults || imageIndex_ == -1) SetImageIndex(a->ImageIndex());
    if (!checkDefaults || shortCut_ == scNone) SetShortCut(a->ShortCut());
    if (!checkDefaults || visible_) SetVisible(a->Visible());
}

void TMenuItem::Notification(TComponent* component, TOperation operation) {
    TComponent::Notification(component, operation);
    if (operation == opRemove && actionLink_ && component == actionLink_->Action()) actionLink_.reset();
}

void TMenuItem::Click() {
    if (!enabled_) return;
    if (OnClick)
        OnClick(this);
    else if (actionLink_ && actionLink_->Action())
        actionLink_->Execute();
}

void TMenuItem::InitiateAction() {
    if (actionLink_) actionLink_->Update();
}

void TMenuItem::MeasureItem(TCanvas* canvas, int& width, int& height) {
    if (OnMeasureItem) {
        OnMeasureItem(this, canvas, width, height);
        return;
    }
    if (IsLine()) {
        height = GetSystemMetrics(SM_CYMENU) / 2;
        return;
    }
    std::string text = StripHotkey(caption_);
    if (shortCut_ != scNone) text += "    " + ShortCutToText(shortCut_);
    const int check = GetSystemMetrics(SM_CXMENUCHECK);
    width = canvas->TextWidth(text) + check + std::max(check, GlyphWidth());
    height = std::max(canvas->TextHeight("Ay") + 4, GetSystemMetrics(SM_CYMENU));
    if (GlyphWidth() > 0) {
        const TCustomImageList* images = GetParentMenu()->Images();
        height = std::max(height, (images ? images->Height() : bitmap_->Height()) + 2);
    }
}

int TMenuItem::GlyphWidth() const {
    // The menu's images keep the captions of its items in line.
    const TMenu* menu = GetParentMenu();
    const int images = menu && menu->Images() ? menu->Images()->Width() : 0;
    return std::max(images, bitmap_->Empty() ? 0 : bitmap_->Width());
}

void TMenuItem::DrawGlyph(TCanvas* canvas, const TRect& rect) {
    TCustomImageList* images = GetParentMenu()->Images();
    const int column = std::max(GetSystemMetrics(SM_CXMENUCHECK), GlyphWidth());
    if (images && imageIndex_ >= 0 && imageIndex_ < images->Count()) {
        images->Draw(canvas, rect.left + (column - images->Width()) / 2,
                     (rect.top + rect.bottom - images->Height()) / 2, imageIndex_, enabled_);
    } else if (!bitmap_->Empty()) {
        canvas->Draw(rect.left + (column - bitmap_->Width()) / 2,
                     (rect.top + rect.bottom - bitmap_->Height()) / 2, bitmap_.get());
    }
}

void TMenuItem::DrawItem(TCanvas* canvas, const TRect& rect, bool selected) {
    if (OnDrawItem) {
        OnDrawItem(this, canvas, rect, selected);
        return;
    }
    canvas->FillRect(rect);
    if (IsLine()) {
        TRect line = rect;
        line.top = (rect.top + rect.bottom) / 2 - 1;
        DrawEdge(canvas->Handle(), &line, EDGE_ETCHED, BF_TOP);
        return;
    }
    DrawGlyph(canvas, rect);
    TRect r = rect;
    r.left += std::max(GetSystemMetrics(SM_CXMENUCHECK), GlyphWidth()) + 2;
    r.right -= 4;
    SetBkMode(canvas->Handle(), TRANSPARENT);
    if (!enabled_) canvas->Font()->SetColor(clGrayText);
    canvas->DrawText(caption_, r, DT_LEFT | DT_VCENTER | DT_SINGLELINE);
    if (shortCut_ != scNone)
        canvas->DrawText(ShortCutToText(shortCut_), r, DT_RIGHT | DT_VCENTER | DT_SINGLELINE);
}

// ---- TMenu ----------------------------------------------------------------------------
namespace {

TPropInfo AutoFlagProp(const char* name, TMenuAutoFlag (TMenu::*get)() const,
                       void (TMenu::*set)(TMenuAutoFlag)) {
    TPropInfo p = EnumProp(name, {"maAutomatic", "maManual", "maParent"}, get, set);
    p.StoredFn = [get](TObject& obj) { return (static_cast<TMenu&>(obj).*get)() != maAutomatic; };
    return p;
}

}  // namespace

CL_CLASS_INFO(TMenu, Prop("OwnerDraw", &TMenu::OwnerDraw, &TMenu::SetOwnerDraw),
              Prop("Images", &TMenu::Images, &TMenu::SetImages),
              EnumProp("BiDiMode",
                       {"bdLeftToRight", "bdRightToLeft", "bdRightToLeftNoAlign", "bdRightToLeftReadingOnly"},
                       &TMenu::BiDiMode, &TMenu::SetBiDiMode),
              Prop("ParentBiDiMode", &TMenu::ParentBiDiMode, &TMenu::SetParentBiDiMode),
              AutoFlagProp("AutoHotkeys", &TMenu::AutoHotkeys, &TMenu::SetAutoHotkeys),
              AutoFlagProp("AutoLineReduction", &TMenu::AutoLineReduction, &TMenu::SetAutoLineReduction))

TMenu::TMenu(TComponent* owner) : TComponent(owner), items_(new TMenuItem(this)) {
    imagesLink_.OnChange = [this](TObject*) {
        if (ownerDraw_) RebuildEntries();
    };
    items_->menu_ = this;
}

TMenu::~TMenu() = default;

HMENU TMenu::Handle() {
    return items_->Handle();
}

void TMenu::SetOwnerDraw(bool value) {
    if (value == ownerDraw_) return;
    ownerDraw_ = value;
    RebuildEntries();
}

void TMenu::SetImages(TCustomImageList* value) {
    if (ReplaceImageList(this, images_, value, imagesLink_) && ownerDraw_) RebuildEntries();
}

void TMenu::SetBiDiMode(TBiDiMode value) {
    parentBiDiMode_ = false;
    if (value == biDiMode_) return;
    biDiMode_ = value;
    RebuildEntries();
}

void TMenu::Notification(TComponent* component, TOperation operation) {
    TComponent::Notification(component, operation);
    if (operation == opRemove && component == images_) SetImages(nullptr);
}

void TMenu::RebuildEntries() {
    // Every entry is built again with the new type.
    std::vector<TMenuItem*> stack{items_};
    while (!stack.empty()) {
        TMenuItem* item = stack.back();
        stack.pop_back();
        item->RebuildHandle();
        for (TMenuItem* child : item->items_) stack.push_back(child);
    }
    MenuChanged(this, nullptr, true);
}

TMenuItem* TMenu::FindItem(UINT_PTR value, TFindItemKind kind) const {
    std::vector<TMenuItem*> stack{items_};
    while (!stack.empty()) {
        TMenuItem* item = stack.back();
        stack.pop_back();
        if (item != items_) {
            switch (kind) {
                case fkCommand:
                    if (item->command_ == value) return item;
                    break;
                case fkHandle:
                    if (item->handle_ && reinterpret_cast<UINT_PTR>(item->handle_) == value) return item;
                    break;
                case fkShortCut:
                    if (item->shortCut_ != scNone && item->shortCut_ == value) return item;
                    break;
            }
        } else if (kind == fkHandle && item->handle_ && reinterpret_cast<UINT_PTR>(item->handle_) == value) {
            return item;
        }
        for (auto it = item->items_.rbegin(); it != item->items_.rend(); ++it) stack.push_back(*it);
    }
    return nullptr;
}

bool TMenu::DispatchCommand(WORD command) {
    TMenuItem* item = FindItem(command, fkCommand);
    if (!item) return false;
    item->Click();
    return true;
}

bool TMenu::DispatchPopup(HMENU menu) {
    TMenuItem* item = FindItem(reinterpret_cast<UINT_PTR>(menu), fkHandle);
    if (!item) return false;
    for (TMenuItem* child : std::vector<TMenuItem*>(item->items_)) child->InitiateAction();
    if (item != items_) item->Click();
    return true;
}

bool TMenu::IsShortCut(TMessage& keyMessage) {
    const TShortCut shortCut = ShortCutFromKeyMessage(keyMessage.WParam, keyMessage.LParam);
    if (shortCut == scNone) return false;
    TMenuItem* item = FindItem(shortCut, fkShortCut);
    if (!item) return false;
    item->InitiateAction();
    if (!item->Enabled()) return false;
    item->Click();
    return true;
}

TMenuItem* TMenu::OwnerDrawnItem(UINT itemID) const {
    // An entry with a sub-menu may be named by its sub-menu's handle.
    TMenuItem* item = FindItem(itemID, fkCommand);
    return item ? item : FindItem(itemID, fkHandle);
}

bool TMenu::MeasureItem(MEASUREITEMSTRUCT& mis) {
    TMenuItem* item = OwnerDrawnItem(mis.itemID);
    if (!item) return false;
    const WindowDC screen(nullptr);
    TCanvas canvas(screen.get());
    canvas.Font()->Assign(Screen->MenuFont());
    int width = static_cast<int>(mis.itemWidth), height = static_cast<int>(mis.itemHeight);
    item->MeasureItem(&canvas, width, height);
    mis.itemWidth = static_cast<UINT>(std::max(width, 0));
    mis.itemHeight = static_cast<UINT>(std::max(height, 0));
    return true;
}

bool TMenu::DrawItem(const DRAWITEMSTRUCT& dis) {
    TMenuItem* item = OwnerDrawnItem(dis.itemID);
    if (!item) return false;
    const int saved = SaveDC(dis.hDC);
    const ScopeExit restore([&dis, saved] { RestoreDC(dis.hDC, saved); });
    TCanvas canvas(dis.hDC);
    const bool selected = (dis.itemState & ODS_SELECTED) != 0;
    canvas.Font()->Assign(Screen->MenuFont());
    if (item->Default()) canvas.Font()->SetStyle(canvas.Font()->Style() | fsBold);
    canvas.Font()->SetColor(selected ? clHighlightText : clMenuText);
    canvas.Brush()->SetColor(selected ? clHighlight : clMenu);
    IntersectClipRect(dis.hDC, dis.rcItem.left, dis.rcItem.top, dis.rcItem.right, dis.rcItem.bottom);
    item->DrawItem(&canvas, dis.rcItem, selected);
    return true;
}

bool TMenu::ProcessMenuChar(TMessage& message) {
    const HMENU menu = reinterpret_cast<HMENU>(message.LParam);
    TMenuItem* parent = FindItem(reinterpret_cast<UINT_PTR>(menu), fkHandle);
    if (!parent) return false;
    const wchar_t wc = static_cast<wchar_t>(LOWORD(message.WParam));
    const std::string key = FromWide(std::wstring_view(&wc, 1));
    if (key.size() != 1) return false;
    int position = 0;
    for (TMenuItem* item : parent->items_) {
        if (!item->Visible()) continue;
        if (AccessKey(item->Caption()) == AnsiUpperChar(key[0])) {
            message.Result = MAKELRESULT(position, MNC_EXECUTE);
            return true;
        }
        ++position;
    }
    return false;
}

void TMenu::MenuChanged(TObject* sender, TMenuItem* source, bool rebuild) {
    if (OnChange) OnChange(sender, source, rebuild);
}

// ---- TMainMenu ----------------------------------------------------------------------
CL_CLASS_INFO(TMainMenu)

HMENU TMainMenu::Handle() {
    TMenuItem* root = Items();
    if (!root->handle_) {
        root->handle_ = CreateMenu();
        if (!root->handle_) throw EOutOfResources("Out of system resources");
        root->FillMenu(root->handle_);
    }
    return root->handle_;
}

void TMainMenu::MenuChanged(TObject* sender, TMenuItem* source, bool rebuild) {
    if (WindowHandle()) DrawMenuBar(WindowHandle());
    TMenu::MenuChanged(sender, source, rebuild);
}

// ---- TPopupMenu ----------------------------------------------------------------------
CL_CLASS_INFO(TPopupMenu, Prop("AutoPopup", &TPopupMenu::AutoPopup, &TPopupMenu::SetAutoPopup))

TPopupMenu::TPopupMenu(TComponent* owner) : TMenu(owner) {
    g_popupMenus.push_back(this);
    SetWindowHandle(PopupListWindow());
}

TPopupMenu::~TPopupMenu() {
    std::erase(g_popupMenus, this);
}

void TPopupMenu::Notification(TComponent* component, TOperation operation) {
    TMenu::Notification(component, operation);
    if (operation == opRemove && component == popupComponent_) popupComponent_ = nullptr;
}

void TPopupMenu::Popup(int x, int y) {
    popupPoint_ = Point(x, y);
    if (OnPopup) OnPopup(this);
    for (TMenuItem* item : std::vector<TMenuItem*>(Items()->items_)) item->InitiateAction();
    UINT flags = trackButton_ == tbRightButton ? TPM_RIGHTBUTTON : TPM_LEFTBUTTON;
    // Right to left, the menu opens mirrored: left alignment from the point's right.
    const bool rtl = IsRightToLeft();
    switch (alignment_) {
        case paLeft:
            flags |= rtl ? TPM_RIGHTALIGN : TPM_LEFTALIGN;
            break;
        case paRight:
            flags |= rtl ? TPM_LEFTALIGN : TPM_RIGHTALIGN;
            break;
        case paCenter:
            flags |= TPM_CENTERALIGN;
            break;
    }
    TrackPopupMenu(Items()->Handle(), flags, x, y, 0, PopupListWindow(), nullptr);
}

}  // namespace cl
