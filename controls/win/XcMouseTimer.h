#pragma once
// The shared mouse timer: one 200 ms timer that tells the control under
// watch when the pointer has left it.  The class library notices the
// pointer leaving only in its idle pass, which a quick move out of the
// window may never bring; the timer does.  One control is watched at a
// time: watching another first tells the old one it was left.

#include "classlib/win/Controls.h"

class IXcMouseTimer {
public:
    // Watches control, after sending the control watched so far
    // CM_MOUSELEAVE.
    virtual void Attach(cl::TControl* control) = 0;
    // Stops watching control (nothing when another one is watched).
    virtual void Detach(cl::TControl* control) = 0;
    // The control under watch, or nullptr.
    virtual cl::TControl* WatchedControl() const = 0;

protected:
    ~IXcMouseTimer() = default;
};

// Made on first use; freed at the program's end before the application.
IXcMouseTimer& MouseTimer();
