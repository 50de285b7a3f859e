#include "classlib/Component.h"

#include <algorithm>
#include <map>
#include <set>

#include "classlib/Collection.h"
#include "classlib/Exceptions.h"
#include "classlib/StrUtils.h"

namespace cl {

const TClassInfo& TObject::StaticClassInfo() {
    static const TClassInfo info("TObject", nullptr, {});
    return info;
}

const TClassInfo& TObject::ClassInfo() const {
    return StaticClassInfo();
}

void TObject::Free() noexcept {
    try {
        BeforeDestruction();
    } catch (...) {
        // The object goes away whatever a teardown step raised; what
        // BeforeDestruction left undone the destructor finishes.
    }
    delete this;
}

CL_CLASS_INFO(TPersistent)
CL_CLASS_INFO(TCollection)

void TPersistent::Assign(TPersistent* source) {
    if (source)
        source->AssignTo(this);
    else
        AssignError(nullptr);
}

void TPersistent::AssignTo(TPersistent* dest) {
    dest->AssignError(this);
}

void TPersistent::AssignError(TPersistent* source) {
    const std::string sourceName = source ? source->ClassName() : "nil";
    throw EConvertError("Cannot assign a " + sourceName + " to a " + ClassName());
}

std::string TPersistent::GetNamePath() const {
    std::string path = ClassName();
    if (TPersistent* owner = GetOwner()) {
        const std::string ownerPath = owner->GetNamePath();
        if (!ownerPath.empty()) path = ownerPath + "." + path;
    }
    return path;
}

CL_CLASS_INFO(TComponent, Prop("Name", &TComponent::Name, &TComponent::SetName),
              Prop("Tag", &TComponent::Tag, &TComponent::SetTag))

TComponent::TComponent(TComponent* owner) {
    if (!owner) return;
    // A component made while its owner's tree is being read is part of that reading.
    if (owner->state_ & csReading) state_ |= csLoading | csReading;
    try {
        owner->InsertComponent(this);
    } catch (...) {
        // No destructor runs for a failed constructor, so the owner must not keep it.
        if (owner_) owner_->Unlink(this);
        throw;
    }
}

TComponent::~TComponent() {
    TearDown();
}

void TComponent::BeforeDestruction() {
    TearDown();
}

void TComponent::TearDown() noexcept {
    Destroying();
    while (!freeNotifies_.empty()) {
        TComponent* partner = freeNotifies_.back();
        freeNotifies_.pop_back();
        std::erase(partner->freeNotifies_, this);
        partner->NotifyQuietly(this, opRemove);
    }
    DestroyComponents();
    if (owner_) owner_->NotifyQuietly(this, opRemove);
    if (owner_) owner_->Unlink(this);
}

void TComponent::NotifyQuietly(TComponent* component, TOperation operation) noexcept {
    try {
        Notification(component, operation);
    } catch (...) {
        // Only destruction notifies quietly: the component goes away either
        // way, and unwinding here would leave a half-freed tree behind.
    }
}

void TComponent::Unlink(TComponent* component) {
    std::erase(components_, component);
    component->owner_ = nullptr;
}

void TComponent::SetName(const std::string& name) {
    if (name == name_) return;
    if (!name.empty() && !IsValidIdent(name))
        throw EComponentError("Component name \"" + name + "\" is not valid");
    if (owner_) owner_->ValidateRename(this, name_, name);
    name_ = name;
}

void TComponent::ValidateRename(TComponent* component, std::string_view curName,
                                std::string_view newName) const {
    if (!SameText(curName, newName) && FindComponent(newName))
        throw EComponentError("A component named " + std::string(newName) + " already exists");
}

TComponent* TComponent::Components(int index) const {
    if (index < 0 || index >= ComponentCount())
        throw EListError("List index out of bounds (" + IntToStr(index) + ")");
    return components_[static_cast<size_t>(index)];
}

int TComponent::ComponentIndex() const {
    if (!owner_) return -1;
    const auto& list = owner_->components_;
    return static_cast<int>(std::find(list.begin(), list.end(), this) - list.begin());
}

TComponent* TComponent::FindComponent(std::string_view name) const {
    if (name.empty()) return nullptr;
    for (TComponent* c : components_)
        if (SameText(c->name_, name)) return c;
    return nullptr;
}

void TComponent::InsertComponent(TComponent* component) {
    if (!component || component->owner_ == this) return;
    ValidateRename(component, "", component->name_);
    // A component in two owners' lists would be freed twice.
    if (component->owner_) component->owner_->RemoveComponent(component);
    components_.push_back(component);
    component->owner_ = this;
    if (state_ & csDesigning) component->SetDesigning(true);
    Notification(component, opInsert);
}

void TComponent::SetDesigning(bool value, bool setChildren) {
    if (value)
        state_ |= csDesigning;
    else
        state_ &= ~csDesigning;
    if (setChildren)
        for (TComponent* c : components_) c->SetDesigning(value, true);
}

void TComponent::RemoveComponent(TComponent* component) {
    if (!component || component->owner_ != this) return;
    Notification(component, opRemove);
    Unlink(component);
}

void TComponent::Notification(TComponent* component, TOperation operation) {
    if (operation == opRemove && component) RemoveFreeNotification(component);
    // A handler may free owned components: walk from the end and keep the
    // index inside the list as it shrinks.
    int i = ComponentCount() - 1;
    while (i >= 0) {
        components_[static_cast<size_t>(i)]->Notification(component, operation);
        --i;
        if (i >= ComponentCount()) i = ComponentCount() - 1;
    }
}

void TComponent::Destroying() {
    if (state_ & csDestroying) return;
    state_ |= csDestroying;
    for (TComponent* c : components_) c->Destroying();
}

void TComponent::DestroyComponents() {
    while (!components_.empty()) {
        TComponent* c = components_.back();
        // Only a component someone asked to hear about is announced to the
        // rest of the tree; the others go silently with their owner.
        if (c->state_ & csFreeNotification) NotifyQuietly(c, opRemove);
        if (c->owner_ == this) Unlink(c);
        c->Free();
    }
}

void TComponent::FreeNotification(TComponent* component) {
    if (!component || component == this) return;
    if (std::find(freeNotifies_.begin(), freeNotifies_.end(), component) == freeNotifies_.end()) {
        freeNotifies_.push_back(component);
        component->freeNotifies_.push_back(this);
    }
    state_ |= csFreeNotification;
    component->state_ |= csFreeNotification;
}

void TComponent::RemoveFreeNotification(TComponent* component) {
    if (!component) return;
    std::erase(freeNotifies_, component);
    std::erase(component->freeNotifies_, this);
}

void TComponent::CollectReading(std::vector<TComponent*>& out) {
    for (TComponent* c : components_) {
        if (c->state_ & csReading) {
            c->state_ &= ~csReading;
            out.push_back(c);
        }
        c->CollectReading(out);
    }
}

void TComponent::MarkReading() {
    state_ |= csLoading | csReading;
    for (TComponent* c : components_) c->MarkReading();
}

namespace {

// The component c is laid out in, for the order of the after-load steps.
TComponent* LoadParent(const TComponent* c) {
    TComponent* parent = c->GetParentComponent();
    return parent ? parent : c->Owner();
}

}  // namespace

void TComponent::RunLoaded(const std::vector<TComponent*>& components) {
    std::map<const TComponent*, std::vector<TComponent*>> children;
    std::vector<TComponent*> tops;
    const std::set<const TComponent*> listed(components.begin(), components.end());
    for (TComponent* c : components) {
        TComponent* parent = LoadParent(c);
        while (parent && !listed.contains(parent)) parent = LoadParent(parent);
        (parent ? children[parent] : tops).push_back(c);
    }
    const std::function<void(TComponent*)> load = [&](TComponent* c) {
        if (const auto inner = children.find(c); inner != children.end())
            for (TComponent* child : inner->second) load(child);
        c->Loaded();
    };
    for (TComponent* c : tops) load(c);
}

bool TComponent::LoadDeferred() const {
    for (const TComponent* c = this; c; c = LoadParent(c))
        if (c->loadDeferred_) return true;
    return false;
}

void TComponent::CollectLoading(std::vector<TComponent*>& out) {
    for (TComponent* c : components_) {
        if ((c->state_ & (csLoading | csReading)) == csLoading) out.push_back(c);
        c->CollectLoading(out);
    }
}

void LoadComponentTree(TComponent& root, const std::function<void()>& build) {
    root.MarkReading();
    std::vector<TComponent*> loading;
    try {
        build();
    } catch (...) {
        root.CollectReading(loading);
        root.state_ &= ~csReading;
        throw;
    }
    root.CollectReading(loading);
    root.state_ &= ~csReading;
    std::erase_if(loading, [](const TComponent* c) { return c->LoadDeferred(); });
    TComponent::RunLoaded(loading);
    root.Loaded();
}

void DeferLoaded(TComponent& component) {
    if (component.state_ & csReading) component.loadDeferred_ = true;
}

void FinishLoading(TComponent& component) {
    if (!component.loadDeferred_) return;
    TComponent* top = &component;
    while (top->Owner()) top = top->Owner();
    std::vector<TComponent*> loading;
    top->CollectLoading(loading);
    std::erase_if(loading, [&component](const TComponent* c) {
        for (const TComponent* p = c; p; p = LoadParent(p))
            if (p == &component) return false;
        return true;
    });
    for (TComponent* c : loading) c->loadDeferred_ = false;
    TComponent::RunLoaded(loading);
}

// ---- Global components ------------------------------------------------------------

namespace {

std::vector<TFindGlobalComponent>& GlobalFinders() {
    static std::vector<TFindGlobalComponent> finders;
    return finders;
}

}  // namespace

void RegisterFindGlobalComponentProc(TFindGlobalComponent proc) {
    std::vector<TFindGlobalComponent>& finders = GlobalFinders();
    if (std::find(finders.begin(), finders.end(), proc) == finders.end()) finders.push_back(proc);
}

void UnregisterFindGlobalComponentProc(TFindGlobalComponent proc) {
    std::vector<TFindGlobalComponent>& finders = GlobalFinders();
    finders.erase(std::remove(finders.begin(), finders.end(), proc), finders.end());
}

TComponent* FindGlobalComponent(std::string_view name) {
    for (TFindGlobalComponent find : GlobalFinders())
        if (TComponent* found = find(name)) return found;
    return nullptr;
}

}  // namespace cl
