#include "controls/win/XcToolBar.h"

using namespace cl;

namespace {

int VisibleItems(TMenuItem* items) {
    int n = 0;
    for (int i = 0; i < items->Count(); ++i) n += items->Items(i)->Visible();
    return n;
}

}  // namespace

XC_CLASS_INFO(TXcToolBar)

TXcToolBar::TXcToolBar(TComponent* owner)
    : TXcExToolBar(owner), link_(std::make_unique<TXcMenuChangeLink>()) {
    SetControlStyle(ControlStyle() | csAcceptsControls);
    link_->OnChange = [this](TMainMenu* sender, TMenuItem*, bool) { MenuChange(sender); };
}

TXcToolBar::~TXcToolBar() {
    Unlink();
}

void TXcToolBar::BeforeDestruction() {
    Unlink();
    TXcExToolBar::BeforeDestruction();
}

void TXcToolBar::GetChildren(const TGetChildProc& proc, TComponent* root) {
    if (!Menu()) TXcExToolBar::GetChildren(proc, root);
}

void TXcToolBar::Unlink() noexcept {
    *alive_ = false;
    if (linkedMenu_) linkedMenu_->UnRegisterChanges(link_.get());
    linkedMenu_ = nullptr;
}

void TXcToolBar::SetMenu(TMainMenu* value) {
    if (value == Menu()) return;
    if (linkedMenu_) linkedMenu_->UnRegisterChanges(link_.get());
    linkedMenu_ = dynamic_cast<TXcMainMenu*>(value);
    if (linkedMenu_) linkedMenu_->RegisterChanges(link_.get());
    TXcExToolBar::SetMenu(value);
}

void TXcToolBar::MenuChange(TMainMenu* sender) {
    TMainMenu* menu = Menu();
    if (sender != menu || !menu || VisibleItems(menu->Items()) == ButtonCount()) return;
    SetMenu(nullptr);
    SetMenu(menu);
}

void TXcToolBar::Notification(TComponent* component, TOperation operation) {
    if (operation == opRemove && component == linkedMenu_) linkedMenu_ = nullptr;
    TXcExToolBar::Notification(component, operation);
}

void TXcToolBar::AdjustSize() {
    TXcExToolBar::AdjustSize();
    if (!Menu() || Wrapable() || ButtonCount() == 0) return;
    int width = 0;
    for (int i = 0; i < ButtonCount(); ++i)
        if (Buttons(i)->Visible()) width += Buttons(i)->Width();
    SetWidth(width);
}

bool TXcToolBar::TrackMenu(TToolButton* button) {
    TMenuItem* item = button->MenuItem();
    if (!linkedMenu_ || button->DropdownMenu() || !item || item->Count() == 0)
        return TXcExToolBar::TrackMenu(button);
    const std::shared_ptr<bool> alive = alive_;
    DropDownUnder(button, [&](POINT p) {
        const UINT command = TrackPopupMenu(item->Handle(), TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RETURNCMD, p.x,
                                            p.y, 0, Handle(), nullptr);
        // The bar, or its menu, may have gone while the drop-down was open.
        if (command && *alive && linkedMenu_) linkedMenu_->DispatchCommand(static_cast<WORD>(command));
    });
    return true;
}

void TXcToolBar::WndProc(TMessage& m) {
    if (m.Msg == WM_MENUCHAR && linkedMenu_ && linkedMenu_->OwnerDraw() && linkedMenu_->ProcessMenuChar(m))
        return;
    TXcExToolBar::WndProc(m);
}
