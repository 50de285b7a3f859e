#include "controls/win/XcLinkedControls.h"

#include <algorithm>

#include "classlib/StrUtils.h"
#include "controls/XcResources.h"
#include "frameworks/data/XcExceptions.h"

using namespace cl;

// ---- TXcLinkedControl ------------------------------------------------------------
CL_CLASS_INFO(TXcLinkedControl, Prop("Control", &TXcLinkedControl::Control, &TXcLinkedControl::SetControl),
              SetOfProp("Options", {"loLinkChecked", "loLinkEnabled", "loInvertChecked", "loInvertEnabled"},
                        &TXcLinkedControl::Options, &TXcLinkedControl::SetOptions))

TXcLinkedControl::TXcLinkedControl(TXcLinkedControls* collection)
    : collection_(collection), owner_(collection->Owner()) {}

TXcLinkedControl::~TXcLinkedControl() {
    Unlink(collection_->RestoreEnabled());
}

void TXcLinkedControl::Unlink(bool restore) noexcept {
    TControl* control = std::exchange(control_, nullptr);
    if (!control) return;
    try {
        if (restore && !(control->ComponentState() & csDestroying)) control->SetEnabled(linkedEnabled_);
    } catch (...) {
        // Enabling a window raises nothing of ours; a handler that throws
        // must not stop the link from going.
    }
    if (owner_ && !collection_->Links(control, this)) owner_->RemoveFreeNotification(control);
}

void TXcLinkedControl::Assign(TPersistent* source) {
    if (auto* other = dynamic_cast<TXcLinkedControl*>(source)) {
        SetControl(other->Control());
        SetOptions(other->Options());
        return;
    }
    TPersistent::Assign(source);
}

void TXcLinkedControl::SetControl(TControl* value) {
    if (value == control_) return;
    if (value && value == owner_) throw EXCLException(rsCannotLinkToOwner);
    Unlink(collection_->RestoreEnabled());
    if (value && owner_ && !(owner_->ComponentState() & csDestroying)) {
        control_ = value;
        linkedEnabled_ = value->Enabled();
        owner_->FreeNotification(value);
    }
    collection_->Changed();
}

void TXcLinkedControl::SetOptions(TXcLinkedControlsOptions value) {
    if (value == options_) return;
    options_ = value;
    collection_->Changed();
}

std::string TXcLinkedControl::DisplayName() const {
    if (control_ && !control_->Name().empty()) return control_->Name();
    return ClassName();
}

int TXcLinkedControl::Index() const {
    for (int i = 0; i < collection_->Count(); ++i)
        if (collection_->Items(i) == this) return i;
    return -1;
}

// ---- TXcLinkedControls ------------------------------------------------------------
CL_CLASS_INFO(TXcLinkedControls, Prop("RestoreEnabled", &TXcLinkedControls::RestoreEnabled,
                                      &TXcLinkedControls::SetRestoreEnabled))

TXcLinkedControls::TXcLinkedControls(TControl* owner) : owner_(owner) {}

TXcLinkedControls::~TXcLinkedControls() {
    OnChange = nullptr;
    while (!items_.empty()) {
        // Out of the list before it goes, as in Delete.
        auto item = std::move(items_.back());
        items_.pop_back();
    }
}

TXcLinkedControl* TXcLinkedControls::Items(int index) const {
    if (index < 0 || index >= Count()) throw EListError("List index out of bounds (" + IntToStr(index) + ")");
    return items_[static_cast<size_t>(index)].get();
}

TXcLinkedControl* TXcLinkedControls::Add() {
    items_.push_back(std::make_unique<TXcLinkedControl>(this));
    Changed();
    return items_.back().get();
}

void TXcLinkedControls::Delete(int index) {
    Items(index);
    // Out of the list first: its going restores the control, which must
    // not find it still linked.
    auto item = std::move(items_[static_cast<size_t>(index)]);
    items_.erase(items_.begin() + index);
    item.reset();
    Changed();
}

void TXcLinkedControls::Clear() {
    if (items_.empty()) return;
    BeginUpdate();
    while (!items_.empty()) Delete(Count() - 1);
    EndUpdate();
}

void TXcLinkedControls::EndUpdate() {
    if (updateCount_ > 0) --updateCount_;
    if (updateCount_ == 0 && std::exchange(changedInUpdate_, false)) Changed();
}

void TXcLinkedControls::Changed() {
    if (updateCount_ > 0) {
        changedInUpdate_ = true;
        return;
    }
    if (OnChange) OnChange();
}

void TXcLinkedControls::Assign(TPersistent* source) {
    auto* other = dynamic_cast<TXcLinkedControls*>(source);
    if (!other) return TPersistent::Assign(source);
    if (other == this) return;
    BeginUpdate();
    struct EndUpdateScope {
        TXcLinkedControls* links;
        ~EndUpdateScope() { links->EndUpdate(); }
    } end{this};
    Clear();
    restoreEnabled_ = other->restoreEnabled_;
    for (const auto& item : other->items_) Add()->Assign(item.get());
}

void TXcLinkedControls::Notification(TComponent* component, TOperation operation) {
    if (operation != opRemove) return;
    for (const auto& item : items_)
        if (item->control_ == component) item->control_ = nullptr;
}

bool TXcLinkedControls::Links(const TControl* control, const TXcLinkedControl* except) const {
    return std::any_of(items_.begin(), items_.end(),
                       [&](const auto& item) { return item.get() != except && item->Control() == control; });
}
