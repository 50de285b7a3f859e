#pragma once
// The end-of-selection dialog ("Uwaga"): the wizard's answers select no
// form; the user starts the selection again or ends the program.  Either
// button tells the main window by a posted message.

#include "classlib/win/Forms.h"
#include "classlib/win/StdCtrls.h"
#include "controls/win/XcLabel.h"

class Tk_konc1Dlg : public cl::TForm {
    CL_CLASS(Tk_konc1Dlg, cl::TForm)
public:
    explicit Tk_konc1Dlg(cl::TComponent* owner);

    TXcLabel* XcLabel1;
    cl::TButton* Button1;  // "Zacznij od &początku": a new statement
    cl::TButton* Button2;  // "Za&kończ program"

    void FormCreate(cl::TObject* Sender);
    void Button1Click(cl::TObject* Sender);
    void Button2Click(cl::TObject* Sender);
};
