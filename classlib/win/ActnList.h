#pragma once
// Actions: a command with a caption, shortcut, enabled and checked state,
// execute and update handlers, held in an action list; clients (menu
// items, controls) link to an action and mirror its properties.

#include <functional>
#include <string>
#include <vector>

#include "classlib/Component.h"
#include "classlib/win/Messages.h"

namespace cl {

class TBasicAction;
class TCustomActionList;

// The client side of the link between an action and its client.
class TBasicActionLink : public TObject {
    CL_CLASS(TBasicActionLink, TObject)
public:
    TBasicActionLink() = default;
    ~TBasicActionLink() override;

    TBasicAction* Action() const { return action_; }
    void SetAction(TBasicAction* value);
    // The action's Execute; false without an action.
    virtual bool Execute();
    virtual bool Update();

protected:
    friend class TBasicAction;
    // The action changed in a way the client may want to show.
    virtual void Change() {}

    TBasicAction* action_ = nullptr;
};

class TActionLink : public TBasicActionLink {
    CL_CLASS(TActionLink, TBasicActionLink)
protected:
    friend class TCustomAction;
    // A property is linked while the client still shows the action's value.
    virtual bool IsCaptionLinked() const { return false; }
    virtual bool IsCheckedLinked() const { return false; }
    virtual bool IsEnabledLinked() const { return false; }
    virtual bool IsHintLinked() const { return false; }
    virtual bool IsImageIndexLinked() const { return false; }
    virtual bool IsShortCutLinked() const { return false; }
    virtual bool IsVisibleLinked() const { return false; }
    virtual void SetCaption(const std::string& value) {}
    virtual void SetChecked(bool value) {}
    virtual void SetEnabled(bool value) {}
    virtual void SetHint(const std::string& value) {}
    virtual void SetImageIndex(int value) {}
    virtual void SetShortCut(TShortCut value) {}
    virtual void SetVisible(bool value) {}
};

class TBasicAction : public TComponent {
    CL_CLASS(TBasicAction, TComponent)
public:
    explicit TBasicAction(TComponent* owner);
    ~TBasicAction() override;
    void BeforeDestruction() override;

    // Runs OnExecute; true when a handler ran.
    virtual bool Execute();
    // Runs OnUpdate; true when a handler ran.
    virtual bool Update();

    void RegisterChanges(TBasicActionLink* link);
    void UnRegisterChanges(TBasicActionLink* link);
    int ClientCount() const { return static_cast<int>(clients_.size()); }

    TNotifyEvent OnExecute;
    TNotifyEvent OnUpdate;

protected:
    // Tells every client.
    void Change();

    std::vector<TBasicActionLink*> clients_;
};

// An action that belongs to an action list.
class TContainedAction : public TBasicAction {
    CL_CLASS(TContainedAction, TBasicAction)
public:
    using TBasicAction::TBasicAction;
    ~TContainedAction() override;
    void BeforeDestruction() override;

    TCustomActionList* ActionList() const { return actionList_; }
    void SetActionList(TCustomActionList* list);
    const std::string& Category() const { return category_; }
    void SetCategory(const std::string& value) { category_ = value; }
    int Index() const;

    // The list's OnExecute / OnUpdate may take the action first.
    bool Execute() override;
    bool Update() override;

private:
    friend class TCustomActionList;
    TCustomActionList* actionList_ = nullptr;
    std::string category_;
};

class TCustomAction : public TContainedAction {
    CL_CLASS(TCustomAction, TContainedAction)
public:
    explicit TCustomAction(TComponent* owner);

    // Updates first; a disabled action does not run and answers false.
    bool Execute() override;

    const std::string& Caption() const { return caption_; }
    void SetCaption(const std::string& value);
    bool Checked() const { return checked_; }
    void SetChecked(bool value);
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool value);
    const std::string& Hint() const { return hint_; }
    void SetHint(const std::string& value);
    int ImageIndex() const { return imageIndex_; }
    void SetImageIndex(int value);
    TShortCut ShortCut() const { return shortCut_; }
    void SetShortCut(TShortCut value);
    bool Visible() const { return visible_; }
    void SetVisible(bool value);
    int HelpContext() const { return helpContext_; }
    void SetHelpContext(int value) { helpContext_ = value; }

private:
    template <class T, class Linked, class Set>
    void Mirror(T& field, const T& value, Linked linked, Set set);

    std::string caption_;
    bool checked_ = false;
    bool enabled_ = true;
    std::string hint_;
    int imageIndex_ = -1;
    TShortCut shortCut_ = scNone;
    bool visible_ = true;
    int helpContext_ = 0;
};

class TAction : public TCustomAction {
    CL_CLASS(TAction, TCustomAction)
public:
    using TCustomAction::TCustomAction;
};

// Handled set true stops the action's own handler.
using TActionEvent = std::function<void(TBasicAction* Action, bool& Handled)>;

class TCustomActionList : public TComponent {
    CL_CLASS(TCustomActionList, TComponent)
public:
    using TComponent::TComponent;
    ~TCustomActionList() override;
    void BeforeDestruction() override;

    int ActionCount() const { return static_cast<int>(actions_.size()); }
    TContainedAction* Actions(int index) const;  // EListError out of range
    void AddAction(TContainedAction* action) { action->SetActionList(this); }
    void RemoveAction(TContainedAction* action);

    // Executes the enabled, visible action with that shortcut; true when one ran.
    bool IsShortCut(TShortCut shortCut);
    // Runs every action's update (the idle pass).
    void UpdateActions();
    // OnExecute / OnUpdate of the list; true when they handled the action.
    bool ExecuteAction(TBasicAction* action);
    bool UpdateAction(TBasicAction* action);

    TActionEvent OnExecute;
    TActionEvent OnUpdate;

private:
    friend class TContainedAction;
    std::vector<TContainedAction*> actions_;
};

class TActionList : public TCustomActionList {
    CL_CLASS(TActionList, TCustomActionList)
public:
    using TCustomActionList::TCustomActionList;
};

}  // namespace cl
