#include "persistence/win/FsHook.h"

#include <algorithm>
#include <utility>

#include "classlib/Filer.h"
#include "classlib/win/Forms.h"

using namespace cl;

// ---- TControlHook -------------------------------------------------------------------------
void TControlHook::HookControl() {
    if (before_ || released_ || !control_) return;
    if (control_->ComponentState() & (csDesigning | csDestroying)) return;
    // The control's list keeps this object while it can call it.
    const std::shared_ptr<TControlHook> self = shared_from_this();
    before_ = control_->WindowHooks().Add(
        [self](TMessage& m, bool& handled) { self->Walk(m, handled, true); }, hpBefore);
    after_ = control_->WindowHooks().Add(
        [self](TMessage& m, bool& handled) { self->Walk(m, handled, false); }, hpAfter);
}

void TControlHook::UnhookControl() noexcept {
    if (!before_) return;
    if (!(control_->ComponentState() & csDestroying)) {
        control_->WindowHooks().Remove(before_);
        control_->WindowHooks().Remove(after_);
    }
    before_ = after_ = {};
}

void TControlHook::Attach(TFsWindowHook* hook) {
    if (std::find(hooks_.begin(), hooks_.end(), hook) == hooks_.end()) hooks_.push_back(hook);
}

void TControlHook::Detach(TFsWindowHook* hook) noexcept {
    std::erase(hooks_, hook);
}

void TControlHook::Walk(TMessage& m, bool& handled, bool before) {
    if (released_ || (before && m.Msg == WM_QUIT)) return;
    const std::vector<TFsWindowHook*> snapshot = hooks_;
    for (auto it = snapshot.rbegin(); it != snapshot.rend(); ++it) {
        TFsWindowHook* hook = *it;
        // Detached by an earlier handler, perhaps freed.
        if (std::find(hooks_.begin(), hooks_.end(), hook) == hooks_.end()) continue;
        // A copy: the handler may replace or free what it runs from.
        const THookMessageEvent event = before ? hook->BeforeMessage : hook->AfterMessage;
        if (!event) continue;
        bool hookHandled = false;
        event(hook, m, hookHandled);
        // Every hook left, the control with them, perhaps.
        if (released_) return;
        if (hookHandled) {
            handled = true;
            return;
        }
    }
}

// ---- THookList ----------------------------------------------------------------------------
THookList& THookList::Instance() {
    // Never freed: forms that go at the program's end, after every static,
    // still detach their hooks from it.
    static THookList* const list = new THookList;
    return *list;
}

TControlHook* THookList::Find(const TWinControl* control) const {
    for (const auto& item : items_)
        if (item->Control() == control) return item.get();
    return nullptr;
}

TControlHook* THookList::Obtain(TWinControl* control) {
    if (TControlHook* found = Find(control)) return found;
    items_.push_back(std::make_shared<TControlHook>(control));
    return items_.back().get();
}

void THookList::Release(TControlHook* hook) noexcept {
    if (!hook || hook->HookCount() > 0) return;
    hook->UnhookControl();
    hook->released_ = true;
    std::erase_if(items_, [hook](const auto& item) { return item.get() == hook; });
}

// ---- TFsWindowHook ------------------------------------------------------------------------
CL_CLASS_INFO(TFsWindowHook, Prop("Active", &TFsWindowHook::Active, &TFsWindowHook::SetActive),
              StoredWhen(Prop("WinControl", &TFsWindowHook::WinControl, &TFsWindowHook::SetWinControl),
                         &TFsWindowHook::WinControlStored))

TFsWindowHook::TFsWindowHook(TComponent* owner) : TComponent(owner) {}

TFsWindowHook::~TFsWindowHook() {
    Detach();
}

void TFsWindowHook::BeforeDestruction() {
    Destroying();
    Detach();
    TComponent::BeforeDestruction();
}

void TFsWindowHook::SetActive(bool value) {
    active_ = value;
    if (value)
        Attach();
    else
        Detach();
}

void TFsWindowHook::SetWinControl(TWinControl* value) {
    if (value == control_) return;
    Detach();
    if (control_) RemoveFreeNotification(control_);
    control_ = value;
    if (control_) FreeNotification(control_);
    if (active_) Attach();
}

bool TFsWindowHook::IsForm() const {
    return control_ && control_ == Owner();
}

void TFsWindowHook::SetIsForm(bool value) {
    if (value) SetWinControl(dynamic_cast<TWinControl*>(Owner()));
}

bool TFsWindowHook::WinControlStored() const {
    return !dynamic_cast<TCustomForm*>(control_);
}

void TFsWindowHook::DefineProperties(TFiler& filer) {
    TComponent::DefineProperties(filer);
    filer.DefineProperty(
        "IsForm", [this](TReader& reader) { SetIsForm(reader.ReadBoolean()); },
        [this](TWriter& writer) { writer.WriteBoolean(IsForm()); }, IsForm());
}

void TFsWindowHook::Notification(TComponent* component, TOperation operation) {
    TComponent::Notification(component, operation);
    if (operation == opRemove && component && component == control_) {
        Detach();
        control_ = nullptr;
    }
}

void TFsWindowHook::Attach() {
    if (!control_ || hook_ || (ComponentState() & (csDesigning | csDestroying))) return;
    hook_ = THookList::Instance().Obtain(control_);
    hook_->Attach(this);
    hook_->HookControl();
}

void TFsWindowHook::Detach() noexcept {
    TControlHook* hook = std::exchange(hook_, nullptr);
    if (!hook) return;
    hook->Detach(this);
    if (hook->HookCount() == 0) THookList::Instance().Release(hook);
}
