#pragma once
// TTimer: OnTimer every Interval milliseconds through a hidden window.

#include <windows.h>

#include "classlib/Component.h"

namespace cl {

class TTimer : public TComponent {
    CL_CLASS(TTimer, TComponent)
public:
    explicit TTimer(TComponent* owner);
    ~TTimer() override;

    // Runs while Enabled, Interval is not 0 and OnTimer is set (set
    // OnTimer through SetOnTimer so the timer starts).
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool value);
    unsigned Interval() const { return interval_; }
    void SetInterval(unsigned ms);
    const TNotifyEvent& OnTimer() const { return onTimer_; }
    void SetOnTimer(TNotifyEvent handler);

protected:
    // Fires OnTimer; exceptions go to the application's handler.
    virtual void Timer();

private:
    void UpdateTimer();

    bool enabled_ = true;
    unsigned interval_ = 1000;
    TNotifyEvent onTimer_;
    HWND window_ = nullptr;
};

}  // namespace cl
