#pragma once
// Watching the messages of a windowed control without deriving from it.
//
// TFsWindowHook is the component a user creates: pointed at a control
// (WinControl) and Active, its BeforeMessage handler sees each message
// before the control processes it, its AfterMessage handler after, with
// the control's result in the message.  All hooks of one control share a
// TControlHook, which the process-wide THookList keeps: it walks the
// attached hooks from the last attached to the first and stops at the
// first that sets Handled.  Handled in BeforeMessage keeps the message
// from the control and from every AfterMessage handler, except for
// WM_DESTROY, which the control always gets.
//
// The TControlHook sits in the control's own window-hook list rather than
// replacing its window procedure: the hooks outlive a recreated window,
// and detaching never cuts out (or is cut out by) a subclasser that came
// later.  Handlers may attach, detach or free hooks, and free the control,
// while they run.

#include <functional>
#include <memory>
#include <vector>

#include "classlib/WndProcHooks.h"
#include "classlib/win/Controls.h"

class TFsWindowHook;

using THookMessageEvent = std::function<void(cl::TObject* Sender, cl::TMessage& Msg, bool& Handled)>;

// The hooks of one control.
class TControlHook : public std::enable_shared_from_this<TControlHook> {
public:
    explicit TControlHook(cl::TWinControl* control) : control_(control) {}
    TControlHook(const TControlHook&) = delete;
    TControlHook& operator=(const TControlHook&) = delete;

    cl::TWinControl* Control() const { return control_; }
    int HookCount() const { return static_cast<int>(hooks_.size()); }
    bool Installed() const { return static_cast<bool>(before_); }

    // Joins the control's window-hook list once; not while the control is
    // being designed or destroyed.
    void HookControl();
    // Leaves it.  A control that is being destroyed has closed its list already.
    void UnhookControl() noexcept;

private:
    friend class TFsWindowHook;
    friend class THookList;
    void Attach(TFsWindowHook* hook);
    void Detach(TFsWindowHook* hook) noexcept;
    // One phase's walk over the attached hooks, last attached first.
    void Walk(cl::TMessage& m, bool& handled, bool before);

    cl::TWinControl* control_;
    std::vector<TFsWindowHook*> hooks_;
    cl::THookToken before_, after_;
    bool released_ = false;  // left the hook list: its control may be gone
};

// The TControlHook of every hooked control; made on first use.
class THookList {
public:
    static THookList& Instance();

    TControlHook* Find(const cl::TWinControl* control) const;
    // The control's TControlHook, made when it has none.
    TControlHook* Obtain(cl::TWinControl* control);
    // Unhooks and frees a TControlHook left without hooks (a walk under way
    // keeps it until it returns).
    void Release(TControlHook* hook) noexcept;
    int Count() const { return static_cast<int>(items_.size()); }

private:
    std::vector<std::shared_ptr<TControlHook>> items_;
};

class TFsWindowHook : public cl::TComponent {
    CL_CLASS(TFsWindowHook, cl::TComponent)

    explicit TFsWindowHook(cl::TComponent* owner);
    ~TFsWindowHook() override;
    void BeforeDestruction() override;

    // True (the default) watches the control while there is one.
    bool Active() const { return active_; }
    void SetActive(bool value);
    cl::TWinControl* WinControl() const { return control_; }
    // Follows the control with a free notification; a control that goes
    // leaves the hook without one.  Stored only when it is no form.
    void SetWinControl(cl::TWinControl* value);
    bool WinControlStored() const;
    // The hooked control is the hook's owner form: stored as the defined
    // property "IsForm", which read as True points the hook at the owner.
    bool IsForm() const;
    void SetIsForm(bool value);
    void DefineProperties(cl::TFiler& filer) override;

    void HookControl() { SetActive(true); }
    void UnhookControl() { SetActive(false); }

    THookMessageEvent BeforeMessage;
    THookMessageEvent AfterMessage;

protected:
    void Notification(cl::TComponent* component, cl::TOperation operation) override;

private:
    void Attach();
    void Detach() noexcept;

    bool active_ = true;
    cl::TWinControl* control_ = nullptr;
    TControlHook* hook_ = nullptr;
};
