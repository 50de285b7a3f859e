#pragma once
// The system's print set-up dialog for the program's printer.

#include "classlib/Component.h"

namespace cl {

class TPrinterSetupDialog : public TComponent {
    CL_CLASS(TPrinterSetupDialog, TComponent)
public:
    explicit TPrinterSetupDialog(TComponent* owner) : TComponent(owner) {}

    // Shows the dialog, owned by the active window, on Printer()'s printer
    // and settings.  OK gives Printer() the chosen printer and device mode
    // and returns true; Cancel (or a dialog that cannot open) changes
    // nothing and returns false.
    bool Execute();
};

}  // namespace cl
