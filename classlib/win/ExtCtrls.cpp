#include "classlib/win/ExtCtrls.h"

#include "classlib/win/Graphics.h"
#include "classlib/win/Messages.h"

namespace cl {

namespace {
constexpr UINT_PTR kTimerId = 1;
}  // namespace

CL_CLASS_INFO(TTimer, Prop("Enabled", &TTimer::Enabled, &TTimer::SetEnabled),
              Prop("Interval", &TTimer::Interval, &TTimer::SetInterval))

TTimer::TTimer(TComponent* owner) : TComponent(owner) {
    window_ = AllocateHWnd([this](TMessage& m) {
        if (m.Msg == WM_TIMER) {
            ExceptionBarrier(this, [this] { Timer(); });
            return;
        }
        m.Result = DefWindowProcW(window_, m.Msg, m.WParam, m.LParam);
    });
    if (!window_) throw EOutOfResources("Out of system resources");
}

TTimer::~TTimer() {
    WindowTimers().Kill(window_, kTimerId);
    DeallocateHWnd(window_);
}

void TTimer::SetEnabled(bool value) {
    if (value == enabled_) return;
    enabled_ = value;
    UpdateTimer();
}

void TTimer::SetInterval(unsigned ms) {
    if (ms == interval_) return;
    interval_ = ms;
    UpdateTimer();
}

void TTimer::SetOnTimer(TNotifyEvent handler) {
    onTimer_ = std::move(handler);
    UpdateTimer();
}

void TTimer::UpdateTimer() {
    WindowTimers().Kill(window_, kTimerId);
    if (interval_ != 0 && enabled_ && onTimer_) {
        if (!WindowTimers().Set(window_, kTimerId, interval_))
            throw EOutOfResources("Not enough timers available");
    }
}

void TTimer::Timer() {
    if (onTimer_) onTimer_(this);
}

}  // namespace cl
