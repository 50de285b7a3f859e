#pragma once
// The licence-text viewer ("Umowa licencyjna"): the installed licence in a
// read-only memo, or a note that it is missing.

#include "classlib/win/Forms.h"
#include "classlib/win/StdCtrls.h"

class TLicDlg : public cl::TForm {
    CL_CLASS(TLicDlg, cl::TForm)
public:
    explicit TLicDlg(cl::TComponent* owner);

    cl::TMemo* Memo1;
    cl::TButton* OKBtn;

    // Fills the memo from the installed file.
    void FormCreate(cl::TObject* Sender);
};
