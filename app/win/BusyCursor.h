#pragma once
// The hourglass while a statement is read or written or a form is printed;
// the default cursor comes back however the work ends.

#include "classlib/win/Forms.h"

class TBusyCursor {
public:
    TBusyCursor() { cl::Screen->SetCursor(cl::crHourGlass); }
    ~TBusyCursor() { cl::Screen->SetCursor(cl::crDefault); }
    TBusyCursor(const TBusyCursor&) = delete;
    TBusyCursor& operator=(const TBusyCursor&) = delete;
};
