#include "controls/win/XcWndProcHook.h"

#include <commctrl.h>

#include <algorithm>

namespace {

int g_liveChains = 0;
// Identifies the chain's subclass of a bare window.
constexpr UINT_PTR kSubclassId = 0x58436877;  // "XChw"

// The messages that always reach the window: it must see its own end.
bool Swallowable(UINT msg) {
    return msg != WM_DESTROY && msg != WM_NCDESTROY;
}

LRESULT CALLBACK ChainSubclassProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                   DWORD_PTR refData);

}  // namespace

// One control's (or bare window's) chain.
class TXcHookInfos : public std::enable_shared_from_this<TXcHookInfos> {
public:
    TXcHookInfos(TXcWndProcHook* service, cl::TControl* control, HWND wnd)
        : service_(service), control_(control), wnd_(wnd) {
        ++g_liveChains;
    }
    ~TXcHookInfos() {
        Unhook();
        --g_liveChains;
    }
    TXcHookInfos(const TXcHookInfos&) = delete;
    TXcHookInfos& operator=(const TXcHookInfos&) = delete;

    cl::TControl* Control() const { return control_; }
    HWND Window() const { return wnd_; }

    void Add(const TXcWndHook& hook, TXcHookOrder order) {
        hooks_.Add(hook, order);
        if (!hooked_ && !released_) Hook();
    }
    void Remove(const TXcWndHook& hook, TXcHookOrder order) {
        hooks_.Remove(hook, order);
        if (hooks_.Empty()) Unhook();
    }

    // Stops the hooks at once and gives the window procedure back; the
    // service lets go of the chain, which lives on while a dispatch runs.
    // A control that goes drops its window hooks itself (and may be past
    // its own destructor): they are not touched then.
    void Release(bool controlGone = false) noexcept {
        if (released_) return;
        released_ = true;
        if (controlGone) hooked_ = false;
        Unhook();
        if (service_) service_->Forget(this);
        service_ = nullptr;
    }

    // A before or after walk; true when a hook handled the message.
    bool Walk(TXcHookOrder order, cl::TMessage& m) {
        if (released_) return false;
        const bool ended = hooks_.Walk(order, m, [this] { return released_; });
        return ended && !released_;
    }

    // A bare window's message.
    LRESULT DispatchWindow(HWND wnd, cl::TMessage& m) {
        const bool handled = Walk(hoBeforeMsg, m) && Swallowable(m.Msg);
        if (!handled) m.Result = DefSubclassProc(wnd, m.Msg, m.WParam, m.LParam);
        if (!handled) Walk(hoAfterMsg, m);
        if (m.Msg == WM_DESTROY || m.Msg == WM_NCDESTROY) Release();
        return m.Result;
    }

private:
    void Hook() {
        if (control_) {
            std::weak_ptr<TXcHookInfos> self = weak_from_this();
            auto& list = control_->WindowHooks();
            before_ = list.Add(
                [self](cl::TMessage& m, bool& handled) {
                    if (const auto chain = self.lock()) handled = chain->Walk(hoBeforeMsg, m);
                },
                cl::hpBefore);
            after_ = list.Add(
                [self](cl::TMessage& m, bool& handled) {
                    if (const auto chain = self.lock()) handled = chain->Walk(hoAfterMsg, m);
                },
                cl::hpAfter);
            hooked_ = true;
        } else if (wnd_ && IsWindow(wnd_)) {
            hooked_ =
                SetWindowSubclass(wnd_, ChainSubclassProc, kSubclassId, reinterpret_cast<DWORD_PTR>(this));
        }
    }
    void Unhook() noexcept {
        if (!hooked_) return;
        hooked_ = false;
        if (control_) {
            control_->WindowHooks().Remove(before_);
            control_->WindowHooks().Remove(after_);
            before_ = after_ = {};
        } else {
            RemoveWindowSubclass(wnd_, ChainSubclassProc, kSubclassId);
        }
    }

    TXcWndProcHook* service_;
    cl::TControl* control_;
    HWND wnd_;
    TXcHookList<cl::TMessage> hooks_;
    bool hooked_ = false;
    bool released_ = false;
    cl::THookToken before_, after_;
};

namespace {

LRESULT CALLBACK ChainSubclassProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                   DWORD_PTR refData) {
    // The dispatch keeps the chain alive, whatever a hook releases.
    const std::shared_ptr<TXcHookInfos> chain = reinterpret_cast<TXcHookInfos*>(refData)->shared_from_this();
    cl::TMessage m{msg, wParam, lParam, 0};
    try {
        return chain->DispatchWindow(wnd, m);
    } catch (...) {
        cl::HandleCurrentException(nullptr);
        return m.Result;
    }
}

std::unique_ptr<TXcWndProcHook, void (*)(TXcWndProcHook*)>& ServiceHolder() {
    static std::unique_ptr<TXcWndProcHook, void (*)(TXcWndProcHook*)> holder(
        nullptr, [](TXcWndProcHook* s) { cl::Free(s); });
    return holder;
}

}  // namespace

// ---- TXcWndProcHook --------------------------------------------------------------
CL_CLASS_INFO(TXcWndProcHook)

TXcWndProcHook::TXcWndProcHook(cl::TComponent* owner) : TComponent(owner) {}

TXcWndProcHook::~TXcWndProcHook() {
    ReleaseAll();
}

void TXcWndProcHook::BeforeDestruction() {
    Destroying();
    ReleaseAll();
    TComponent::BeforeDestruction();
}

void TXcWndProcHook::ReleaseAll() noexcept {
    // Each chain lets go of its control first, so no control keeps
    // dispatching into a chain that went.
    const auto chains = chains_;
    for (const auto& chain : chains) {
        if (cl::TControl* control = chain->Control()) control->RemoveFreeNotification(this);
        chain->Release();
    }
    chains_.clear();
}

int TXcWndProcHook::LiveChains() {
    return g_liveChains;
}

std::shared_ptr<TXcHookInfos> TXcWndProcHook::Find(cl::TControl* control, HWND wnd) const {
    for (const auto& chain : chains_)
        if (control ? chain->Control() == control : (!chain->Control() && chain->Window() == wnd))
            return chain;
    return nullptr;
}

std::shared_ptr<TXcHookInfos> TXcWndProcHook::Chain(cl::TControl* control, HWND wnd) {
    if (auto chain = Find(control, wnd)) return chain;
    auto chain = std::make_shared<TXcHookInfos>(this, control, wnd);
    chains_.push_back(chain);
    if (control) control->FreeNotification(this);
    return chain;
}

void TXcWndProcHook::Forget(TXcHookInfos* chain) noexcept {
    std::erase_if(chains_, [chain](const auto& c) { return c.get() == chain; });
}

bool TXcWndProcHook::RegisterWndProcHook(cl::TControl* control, const TXcWndHook& hook, TXcHookOrder order) {
    if (!control || (control->ComponentState() & cl::csDestroying) || !hook) return false;
    if (ComponentState() & cl::csDestroying) return false;
    Chain(control, nullptr)->Add(hook, order);
    return true;
}

bool TXcWndProcHook::RegisterWndProcHook(HWND wnd, const TXcWndHook& hook, TXcHookOrder order) {
    if (!wnd || !IsWindow(wnd) || !hook || (ComponentState() & cl::csDestroying)) return false;
    Chain(nullptr, wnd)->Add(hook, order);
    return true;
}

bool TXcWndProcHook::UnregisterWndProcHook(cl::TControl* control, const TXcWndHook& hook,
                                           TXcHookOrder order) {
    if (!control || !hook) return false;
    const auto chain = Find(control, nullptr);
    if (!chain) return false;
    chain->Remove(hook, order);
    return true;
}

bool TXcWndProcHook::UnregisterWndProcHook(HWND wnd, const TXcWndHook& hook, TXcHookOrder order) {
    if (!wnd || !hook) return false;
    const auto chain = Find(nullptr, wnd);
    if (!chain) return false;
    chain->Remove(hook, order);
    return true;
}

void TXcWndProcHook::Notification(cl::TComponent* component, cl::TOperation operation) {
    TComponent::Notification(component, operation);
    if (operation != cl::opRemove) return;
    // Compared as a component: a control deleted directly is no control any
    // more when its component part tells.
    for (const auto& chain : chains_) {
        if (chain->Control() && static_cast<cl::TComponent*>(chain->Control()) == component) {
            const auto held = chain;  // the service lets go of it inside
            held->Release(true);
            return;
        }
    }
}

TXcWndProcHook& WndProcHookService() {
    auto& holder = ServiceHolder();
    if (!holder) holder.reset(new TXcWndProcHook(nullptr));
    return *holder;
}

void FreeWndProcHookService() noexcept {
    ServiceHolder().reset();
}
