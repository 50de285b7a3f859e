#include "classlib/win/ActnList.h"

#include <algorithm>

#include "classlib/Exceptions.h"
#include "classlib/StrUtils.h"

namespace cl {

CL_CLASS_INFO(TBasicActionLink)
CL_CLASS_INFO(TActionLink)

TBasicActionLink::~TBasicActionLink() {
    SetAction(nullptr);
}

void TBasicActionLink::SetAction(TBasicAction* value) {
    if (value == action_) return;
    if (action_) action_->UnRegisterChanges(this);
    action_ = value;
    if (action_) action_->RegisterChanges(this);
}

bool TBasicActionLink::Execute() {
    return action_ && action_->Execute();
}

bool TBasicActionLink::Update() {
    return action_ && action_->Update();
}

// ---- TBasicAction ----------------------------------------------------------
CL_CLASS_INFO(TBasicAction)

TBasicAction::TBasicAction(TComponent* owner) : TComponent(owner) {}

TBasicAction::~TBasicAction() {
    while (!clients_.empty()) clients_.back()->SetAction(nullptr);
}

void TBasicAction::BeforeDestruction() {
    // Clients hear of the action's end through their free notification
    // (TComponent); the links must not point here afterwards.
    TComponent::BeforeDestruction();
    while (!clients_.empty()) clients_.back()->SetAction(nullptr);
}

bool TBasicAction::Execute() {
    if (!OnExecute) return false;
    OnExecute(this);
    return true;
}

bool TBasicAction::Update() {
    if (!OnUpdate) return false;
    OnUpdate(this);
    return true;
}

void TBasicAction::RegisterChanges(TBasicActionLink* link) {
    if (std::find(clients_.begin(), clients_.end(), link) == clients_.end()) clients_.push_back(link);
    link->action_ = this;
}

void TBasicAction::UnRegisterChanges(TBasicActionLink* link) {
    std::erase(clients_, link);
    if (link->action_ == this) link->action_ = nullptr;
}

void TBasicAction::Change() {
    // A client may drop its link while being told.
    const std::vector<TBasicActionLink*> clients = clients_;
    for (TBasicActionLink* link : clients)
        if (std::find(clients_.begin(), clients_.end(), link) != clients_.end()) link->Change();
}

// ---- TContainedAction --------------------------------------------------------
CL_CLASS_INFO(TContainedAction, Prop("Category", &TContainedAction::Category, &TContainedAction::SetCategory))

TContainedAction::~TContainedAction() {
    SetActionList(nullptr);
}

void TContainedAction::BeforeDestruction() {
    SetActionList(nullptr);
    TBasicAction::BeforeDestruction();
}

void TContainedAction::SetActionList(TCustomActionList* list) {
    if (list == actionList_) return;
    if (actionList_) std::erase(actionList_->actions_, this);
    actionList_ = list;
    if (actionList_) actionList_->actions_.push_back(this);
}

int TContainedAction::Index() const {
    if (!actionList_) return -1;
    const auto& a = actionList_->actions_;
    return static_cast<int>(std::find(a.begin(), a.end(), this) - a.begin());
}

bool TContainedAction::Execute() {
    if (actionList_ && actionList_->ExecuteAction(this)) return true;
    return TBasicAction::Execute();
}

bool TContainedAction::Update() {
    if (actionList_ && actionList_->UpdateAction(this)) return true;
    return TBasicAction::Update();
}

// ---- TCustomAction -----------------------------------------------------------
CL_CLASS_INFO(TCustomAction, Prop("Caption", &TCustomAction::Caption, &TCustomAction::SetCaption),
              Prop("Checked", &TCustomAction::Checked, &TCustomAction::SetChecked),
              Prop("Enabled", &TCustomAction::Enabled, &TCustomAction::SetEnabled),
              Prop("HelpContext", &TCustomAction::HelpContext, &TCustomAction::SetHelpContext),
              Prop("Hint", &TCustomAction::Hint, &TCustomAction::SetHint),
              Prop("ImageIndex", &TCustomAction::ImageIndex, &TCustomAction::SetImageIndex),
              Prop("ShortCut", &TCustomAction::ShortCut, &TCustomAction::SetShortCut),
              Prop("Visible", &TCustomAction::Visible, &TCustomAction::SetVisible))
CL_CLASS_INFO(TAction)

TCustomAction::TCustomAction(TComponent* owner) : TContainedAction(owner) {}

bool TCustomAction::Execute() {
    Update();
    if (!enabled_) return false;
    return TContainedAction::Execute();
}

// Every client that still shows the old value gets the new one; then the
// action takes it and tells the clients it changed.
template <class T, class Linked, class Set>
void TCustomAction::Mirror(T& field, const T& value, Linked linked, Set set) {
    if (field == value) return;
    const std::vector<TBasicActionLink*> clients = clients_;
    for (TBasicActionLink* c : clients)
        if (auto* link = dynamic_cast<TActionLink*>(c); link && (link->*linked)()) (link->*set)(value);
    field = value;
    Change();
}

void TCustomAction::SetCaption(const std::string& value) {
    Mirror(caption_, value, &TActionLink::IsCaptionLinked, &TActionLink::SetCaption);
}
void TCustomAction::SetChecked(bool value) {
    Mirror(checked_, value, &TActionLink::IsCheckedLinked, &TActionLink::SetChecked);
}
void TCustomAction::SetEnabled(bool value) {
    Mirror(enabled_, value, &TActionLink::IsEnabledLinked, &TActionLink::SetEnabled);
}
void TCustomAction::SetHint(const std::string& value) {
    Mirror(hint_, value, &TActionLink::IsHintLinked, &TActionLink::SetHint);
}
void TCustomAction::SetImageIndex(int value) {
    Mirror(imageIndex_, value, &TActionLink::IsImageIndexLinked, &TActionLink::SetImageIndex);
}
void TCustomAction::SetShortCut(TShortCut value) {
    Mirror(shortCut_, value, &TActionLink::IsShortCutLinked, &TActionLink::SetShortCut);
}
void TCustomAction::SetVisible(bool value) {
    Mirror(visible_, value, &TActionLink::IsVisibleLinked, &TActionLink::SetVisible);
}

// ---- TCustomActionList -------------------------------------------------------
CL_CLASS_INFO(TCustomActionList)
CL_CLASS_INFO(TActionList)

TCustomActionList::~TCustomActionList() {
    for (TContainedAction* a : actions_) a->actionList_ = nullptr;
}

void TCustomActionList::BeforeDestruction() {
    for (TContainedAction* a : actions_) a->actionList_ = nullptr;
    actions_.clear();
    TComponent::BeforeDestruction();
}

TContainedAction* TCustomActionList::Actions(int index) const {
    if (index < 0 || index >= ActionCount())
        throw EListError("List index out of bounds (" + IntToStr(index) + ")");
    return actions_[static_cast<size_t>(index)];
}

void TCustomActionList::RemoveAction(TContainedAction* action) {
    if (action && action->actionList_ == this) action->SetActionList(nullptr);
}

bool TCustomActionList::IsShortCut(TShortCut shortCut) {
    if (shortCut == scNone) return false;
    const std::vector<TContainedAction*> actions = actions_;
    for (TContainedAction* a : actions) {
        auto* action = dynamic_cast<TCustomAction*>(a);
        if (!action || action->ShortCut() != shortCut) continue;
        // A disabled action leaves the key to the control.
        return action->Execute();
    }
    return false;
}

void TCustomActionList::UpdateActions() {
    const std::vector<TContainedAction*> actions = actions_;
    for (TContainedAction* a : actions)
        if (std::find(actions_.begin(), actions_.end(), a) != actions_.end()) a->Update();
}

bool TCustomActionList::ExecuteAction(TBasicAction* action) {
    bool handled = false;
    if (OnExecute) OnExecute(action, handled);
    return handled;
}

bool TCustomActionList::UpdateAction(TBasicAction* action) {
    bool handled = false;
    if (OnUpdate) OnUpdate(action, handled);
    return handled;
}

}  // namespace cl
