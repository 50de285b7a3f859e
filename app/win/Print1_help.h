#pragma once
// The print help ("Pomoc"): the installed text "pi\Print_help.rtf" on the
// hint colour, and an OK button.  The window is sizeable; the settings file
// keeps where it was and how large.

#include "classlib/win/Forms.h"
#include "classlib/win/Panels.h"
#include "classlib/win/StdCtrls.h"
#include "controls/win/XcRichEdit.h"
#include "persistence/win/Placemnt.h"

class TPrint1_hDlg : public cl::TForm {
    CL_CLASS(TPrint1_hDlg, cl::TForm)
public:
    explicit TPrint1_hDlg(cl::TComponent* owner);

    TXcRichEdit* XcRichEdit1;
    cl::TPanel* Panel1;  // the button's strip
    cl::TButton* OKBtn;
    TFormPlacement* FormPlacement1;

    // Loads the help text; a text that cannot be read leaves the view
    // empty after its error is shown.
    void FormCreate(cl::TObject* Sender);
};
