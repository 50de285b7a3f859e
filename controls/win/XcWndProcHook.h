#pragma once
// The window-procedure hook chain: a process-wide service through which
// several objects watch the messages of one control, or of a bare window,
// without replacing each other's window procedures.
//
// Each hooked control or window gets one chain holding the hooks of both
// orders (XcHookList.h).  A control's chain takes one entry of each phase
// in the control's own window hooks (TControl::WindowHooks()); a bare
// window's chain subclasses it with SetWindowSubclass.  A dispatch:
//   1. the before-hooks in order, until one answers true: then the message
//      is handled and nothing else runs (a window's WM_DESTROY and
//      WM_NCDESTROY still reach the window, as the class library does);
//   2. the window's own processing;
//   3. the after-hooks in order, until one answers true.
// A chain gives the window procedure back when its last hook goes, and is
// released when its control is freed, when its bare window passes
// WM_DESTROY, or when the service goes.  A released chain calls no more
// hooks, also in a dispatch under way, and lets the window's messages
// through; every dispatch keeps its chain alive until it returns, so a
// chain is never freed inside its own dispatch.
//
//   RegisterWndProcHook(form, HookMethod<&TMyMenu::FormMessage>(this), hoAfterMsg);
//   UnregisterWndProcHook(form, HookMethod<&TMyMenu::FormMessage>(this), hoAfterMsg);
//
// User-interface thread only.

#include <windows.h>

#include <memory>
#include <vector>

#include "classlib/win/Controls.h"
#include "controls/XcHookList.h"

using TXcWndHook = TXcHookMethod<cl::TMessage>;

class TXcHookInfos;

class TXcWndProcHook : public cl::TComponent {
    CL_CLASS(TXcWndProcHook, cl::TComponent)
public:
    explicit TXcWndProcHook(cl::TComponent* owner = nullptr);
    ~TXcWndProcHook() override;
    // Every chain gives its control or window its procedure back, then goes.
    void BeforeDestruction() override;

    // False, with nothing done, for no control (or window), a control
    // being destroyed, or an empty hook.  The same hook may be registered
    // more than once.
    bool RegisterWndProcHook(cl::TControl* control, const TXcWndHook& hook, TXcHookOrder order);
    bool RegisterWndProcHook(HWND wnd, const TXcWndHook& hook, TXcHookOrder order);
    // Removes the first registration of that hook and order.  False for no
    // control, an empty hook or a control without a chain; true otherwise,
    // whether or not the hook was there.
    bool UnregisterWndProcHook(cl::TControl* control, const TXcWndHook& hook, TXcHookOrder order);
    bool UnregisterWndProcHook(HWND wnd, const TXcWndHook& hook, TXcHookOrder order);

    // Chains the service holds; chains in memory (a released one lives
    // until its last dispatch returns).
    int ChainCount() const { return static_cast<int>(chains_.size()); }
    static int LiveChains();

protected:
    // A freed control's chain is released.
    void Notification(cl::TComponent* component, cl::TOperation operation) override;

private:
    friend class TXcHookInfos;
    std::shared_ptr<TXcHookInfos> Find(cl::TControl* control, HWND wnd) const;
    std::shared_ptr<TXcHookInfos> Chain(cl::TControl* control, HWND wnd);
    void Forget(TXcHookInfos* chain) noexcept;
    void ReleaseAll() noexcept;

    std::vector<std::shared_ptr<TXcHookInfos>> chains_;
};

// The process's service, made on first use; freed at shutdown.
TXcWndProcHook& WndProcHookService();
// Frees the service now (every chain lets go first); the next use makes a
// new one.
void FreeWndProcHookService() noexcept;

inline bool RegisterWndProcHook(cl::TControl* control, const TXcWndHook& hook, TXcHookOrder order) {
    return WndProcHookService().RegisterWndProcHook(control, hook, order);
}
inline bool RegisterWndProcHook(HWND wnd, const TXcWndHook& hook, TXcHookOrder order) {
    return WndProcHookService().RegisterWndProcHook(wnd, hook, order);
}
inline bool UnregisterWndProcHook(cl::TControl* control, const TXcWndHook& hook, TXcHookOrder order) {
    return WndProcHookService().UnregisterWndProcHook(control, hook, order);
}
inline bool UnregisterWndProcHook(HWND wnd, const TXcWndHook& hook, TXcHookOrder order) {
    return WndProcHookService().UnregisterWndProcHook(wnd, hook, order);
}
