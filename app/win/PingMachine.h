#pragma once
// TPingMachine: the main window's ICMP client.  It does nothing but start
// the Windows socket library while it exists.

#include "classlib/Component.h"

class TPingMachine : public cl::TComponent {
    CL_CLASS(TPingMachine, cl::TComponent)
public:
    explicit TPingMachine(cl::TComponent* owner);
    ~TPingMachine() override;

private:
    bool started_ = false;
};
