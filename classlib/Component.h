#pragma once
// The roots of the class hierarchy: TObject (class information and Free),
// TPersistent (Assign) and TComponent (owner tree, names, notifications,
// loading state).
//
// How a component goes: two phases.
//
// 1. BeforeDestruction, which Free runs while the object is still whole, so
//    virtual calls reach the most derived class.  Each class's override
//    calls Destroying() first (csDestroying on the component and everything
//    it owns: from here no events fire, no window hooks run and what the
//    window reports while it goes reaches only WndProc), does its own part,
//    then calls its base's BeforeDestruction.  So the most derived part
//    goes first; for a windowed control the levels run:
//    a. the class's own part: a form's OnDestroy and its leaving the
//       screen's list, a page leaving its page control, a list's items
//       deleted, image lists and other links let go;
//    b. TWinControl: the focus moves off it, its window is destroyed (the
//       children's windows with it, each control letting go of its handle
//       in WM_NCDESTROY), then every control it is parent of is freed,
//       last inserted first, whoever owns it;
//    c. TControl: the application forgets it (hint, mouse, capture), it
//       leaves its parent, its action link and window hooks are dropped;
//    d. TComponent: every free-notification link is broken and the partner
//       told Notification(this, opRemove); the owned components are freed,
//       last created first; the owner is told (opRemove) and drops it.
// 2. The destructors.  Every level's step above is guarded by a flag,
//    never throws, and runs again from its destructor, so an object that
//    is deleted directly (or a member) still unlinks itself; but there
//    only that level and its bases run.  Whatever needs the whole object
//    (virtual calls, events, messages) belongs in BeforeDestruction.  The
//    destructors then free what the object holds (fonts, canvases, lists).
//
// Hence: freeing an owner frees its components; freeing a windowed parent
// frees the controls on it (their owners hear of it); a component freed
// first clears the pointers others keep to it through Notification; and a
// control may be freed inside one of its own messages, as a form's
// Release does.  tests/support/ControlDestruction.h checks every control
// against these cases.

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "classlib/TypeInfo.h"

namespace cl {

class TFiler;
class TComponent;
using TNotifyEvent = std::function<void(TObject* Sender)>;
// Handed each child a component streams with itself.
using TGetChildProc = std::function<void(TComponent* child)>;

class TObject {
public:
    TObject() = default;
    TObject(const TObject&) = delete;
    TObject& operator=(const TObject&) = delete;
    virtual ~TObject() = default;

    static const TClassInfo& StaticClassInfo();
    virtual const TClassInfo& ClassInfo() const;
    const std::string& ClassName() const { return ClassInfo().ClassName(); }
    bool InheritsFrom(const TClassInfo& cls) const { return ClassInfo().InheritsFrom(cls); }

    // Runs BeforeDestruction while the object is still whole, then deletes
    // it.  For objects made with new only.  Never throws.
    void Free() noexcept;
    virtual void BeforeDestruction() {}
};

// Null-safe Free, as the class library's Free on a nil reference.
inline void Free(TObject* obj) noexcept {
    if (obj) obj->Free();
}
template <class T>
void FreeAndNil(T*& obj) noexcept {
    T* dying = obj;
    obj = nullptr;
    Free(dying);
}

class TPersistent : public TObject {
    CL_CLASS(TPersistent, TObject)

    // Copies source's state; a source that cannot be assigned raises
    // EConvertError "Cannot assign a <source> to a <this>".
    virtual void Assign(TPersistent* source);
    // The dotted path of owners' names ending in this object's class name.
    virtual std::string GetNamePath() const;
    // Properties the object stores itself, beside its published ones: a
    // writer asks before it writes the object (so the object may bring
    // itself up to date here), a reader when it meets a name the object
    // does not publish.
    virtual void DefineProperties(TFiler& filer) {}

protected:
    // Lets the source copy itself into dest; the default raises.
    virtual void AssignTo(TPersistent* dest);
    virtual TPersistent* GetOwner() const { return nullptr; }
    [[noreturn]] void AssignError(TPersistent* source);
};

enum TOperation { opInsert, opRemove };

enum TComponentStateFlag : uint16_t {
    csLoading = 1 << 0,
    csReading = 1 << 1,
    csWriting = 1 << 2,
    csDestroying = 1 << 3,
    csDesigning = 1 << 4,
    csUpdating = 1 << 5,
    csFreeNotification = 1 << 6,
};
using TComponentState = uint16_t;

class TComponent : public TPersistent {
    CL_CLASS(TComponent, TPersistent)

    // The owner inserts the new component into its list and frees it with itself.
    explicit TComponent(TComponent* owner);
    ~TComponent() override;

    const std::string& Name() const { return name_; }
    // Empty or a valid identifier, unique among the owner's components
    // without regard to case; otherwise EComponentError.
    virtual void SetName(const std::string& name);
    int Tag() const { return tag_; }
    void SetTag(int tag) { tag_ = tag; }

    TComponent* Owner() const { return owner_; }
    int ComponentCount() const { return static_cast<int>(components_.size()); }
    TComponent* Components(int index) const;  // EListError out of range
    int ComponentIndex() const;               // -1 without an owner
    // The component, without regard to case; nullptr for "" or no match.
    TComponent* FindComponent(std::string_view name) const;
    // Takes component over (from its former owner, if any) and notifies
    // this owner's tree with opInsert; removal notifies with opRemove first.
    void InsertComponent(TComponent* component);
    void RemoveComponent(TComponent* component);

    TComponentState ComponentState() const { return state_; }
    // Sets csDestroying here and in every owned component.
    void Destroying();
    // The component sits in a form designer: csDesigning here and, with
    // setChildren, in every owned component.  A component inserted into a
    // designing owner designs too.
    void SetDesigning(bool value, bool setChildren = true);
    // Frees the owned components, last created first.
    void DestroyComponents();

    // Links this component and component both ways: whichever is destroyed
    // first tells the other with Notification(dying, opRemove).
    void FreeNotification(TComponent* component);
    void RemoveFreeNotification(TComponent* component);

    std::string GetNamePath() const override { return name_; }
    void BeforeDestruction() override;
    // The component this one sits in when its tree is laid out (a
    // control's parent window); nullptr when none.
    virtual TComponent* GetParentComponent() const { return nullptr; }
    // The components written inside this one when root's tree is written,
    // each handed to proc in the order they are written; none here.
    virtual void GetChildren(const TGetChildProc& proc, TComponent* root) {}

    friend void LoadComponentTree(TComponent& root, const std::function<void()>& build);
    friend void DeferLoaded(TComponent& component);
    friend void FinishLoading(TComponent& component);

protected:
    // Passes the news to every owned component; a removed component's free
    // notification link with this one is dropped.
    virtual void Notification(TComponent* component, TOperation operation);
    void Loading() { state_ |= csLoading; }
    virtual void Loaded() { state_ &= ~csLoading; }
    TPersistent* GetOwner() const override { return owner_; }

private:
    void ValidateRename(TComponent* component, std::string_view curName, std::string_view newName) const;
    void NotifyQuietly(TComponent* component, TOperation operation) noexcept;
    void Unlink(TComponent* component);  // drops it from the list, no notification
    void MarkReading();
    // Clears csReading in the tree below, listing those that had it.
    void CollectReading(std::vector<TComponent*>& out);
    // Every component below that is loading, not reading, in reading order.
    void CollectLoading(std::vector<TComponent*>& out);
    // This component or one it sits in waits for FinishLoading.
    bool LoadDeferred() const;
    // Loaded() of each (all loading, in reading order) after those it is
    // the nearest listed load parent of.
    static void RunLoaded(const std::vector<TComponent*>& components);
    // Everything destruction does while the memory is still there; safe to
    // run again, never throws.
    void TearDown() noexcept;

    TComponent* owner_ = nullptr;
    bool loadDeferred_ = false;
    std::string name_;
    int tag_ = 0;
    TComponentState state_ = 0;
    std::vector<TComponent*> components_;
    std::vector<TComponent*> freeNotifies_;
};

// The after-load step of a window built in code, as reading its stored
// layout would run it.  Builds an owner tree: root, and every component
// created under a component of the tree while build runs, is loading;
// afterwards each of them gets Loaded() once, children before parents (a
// component's parent is its GetParentComponent(), else its owner; siblings
// in creation order), and root last.
void LoadComponentTree(TComponent& root, const std::function<void()>& build);
// Called while build runs: component, and every component inside it,
// stays loading when the tree's step ends, for content that gets its
// windows later.  FinishLoading then runs their Loaded() in the same order
// (content deferred again inside it included); nothing when the component
// was not deferred or has finished.
void DeferLoaded(TComponent& component);
void FinishLoading(TComponent& component);

// Components known by name across the program (the screen's forms): each
// registered finder is asked in turn for a component of that name, without
// regard to case; nullptr when none has one.
using TFindGlobalComponent = TComponent* (*)(std::string_view name);
void RegisterFindGlobalComponentProc(TFindGlobalComponent proc);
void UnregisterFindGlobalComponentProc(TFindGlobalComponent proc);
TComponent* FindGlobalComponent(std::string_view name);

}  // namespace cl
