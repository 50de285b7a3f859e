#include "controls/win/XcMouseTimer.h"

#include <cstdlib>
#include <memory>

#include "classlib/win/ExtCtrls.h"
#include "classlib/win/Forms.h"

using namespace cl;

namespace {

constexpr unsigned kInterval = 200;

class TXcMouseTimer final : public IXcMouseTimer {
public:
    TXcMouseTimer() : timer_(std::make_unique<TTimer>(nullptr)), notifier_(*this) {
        timer_->SetEnabled(false);
        timer_->SetInterval(kInterval);
        timer_->SetOnTimer([this](TObject*) { Tick(); });
    }
    ~TXcMouseTimer() { Forget(); }

    void Attach(TControl* control) override {
        timer_->SetEnabled(false);
        if (TControl* old = watched_; old && old != control) {
            Forget();
            old->Perform(CM_MOUSELEAVE, 0, reinterpret_cast<LPARAM>(old));
        }
        if (!control) return;
        watched_ = control;
        control->FreeNotification(&notifier_);
        timer_->SetEnabled(true);
    }

    void Detach(TControl* control) override {
        if (!control || control != watched_) return;
        timer_->SetEnabled(false);
        Forget();
    }

    TControl* WatchedControl() const override { return watched_; }

private:
    // Hears of the watched control going.
    class TNotifier : public TComponent {
    public:
        explicit TNotifier(TXcMouseTimer& timer) : TComponent(nullptr), timer_(timer) {}

    protected:
        void Notification(TComponent* component, TOperation operation) override {
            TComponent::Notification(component, operation);
            if (operation == opRemove && component == timer_.watched_) timer_.Detach(timer_.watched_);
        }

    private:
        TXcMouseTimer& timer_;
    };

    void Forget() noexcept {
        if (TControl* control = std::exchange(watched_, nullptr)) control->RemoveFreeNotification(&notifier_);
    }

    void Tick() {
        TControl* control = watched_;
        if (!control) {
            timer_->SetEnabled(false);
            return;
        }
        POINT cursor{};
        if (!GetCursorPos(&cursor)) return;
        TRect bounds = control->BoundsRect();
        HWND parent = control->Parent() ? control->Parent()->WindowHandle() : nullptr;
        if (control->Parent() && !parent) return;
        MapWindowPoints(parent, nullptr, reinterpret_cast<POINT*>(&bounds), 2);
        if (!PtInRect(&bounds, cursor)) control->Perform(CM_MOUSELEAVE, 0, reinterpret_cast<LPARAM>(control));
    }

    std::unique_ptr<TTimer> timer_;
    TControl* watched_ = nullptr;
    TNotifier notifier_;
};

TXcMouseTimer* g_mouseTimer = nullptr;

void FreeMouseTimer() {
    delete std::exchange(g_mouseTimer, nullptr);
}

}  // namespace

IXcMouseTimer& MouseTimer() {
    if (!g_mouseTimer) {
        // The application frees itself at exit; made first, it goes last.
        Application.Get();
        g_mouseTimer = new TXcMouseTimer;
        std::atexit(FreeMouseTimer);
    }
    return *g_mouseTimer;
}
