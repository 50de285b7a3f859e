#pragma once
// The print dialog ("Wydruk"): what to print (the current page, the form,
// the form with its attachments, every form) and four corrections of where
// the pages and the values land on the paper, in millimetres.  Confirmed,
// it stores the corrections in tenths of a millimetre (PrintCorrections.h);
// the settings file keeps the choices between runs.

#include "classlib/win/Forms.h"
#include "classlib/win/PrinterSetupDialog.h"
#include "classlib/win/StdCtrls.h"
#include "controls/win/XcGroupBox.h"
#include "controls/win/XcRadioButton.h"
#include "controls/win/XcSpinEdit.h"
#include "persistence/win/Placemnt.h"

class TPrint1Dlg : public cl::TForm {
    CL_CLASS(TPrint1Dlg, cl::TForm)
public:
    explicit TPrint1Dlg(cl::TComponent* owner);

    TXcGroupBox* XcGroupBox1;  // "Zawartość wydruku:"
    TXcRadioButton *rb1, *rb2, *rb3, *rb4;
    TXcGroupBox* XcGroupBox2;  // the margins
    TXcGroupBox* XcGroupBox3;  // the values' position
    cl::TLabel *Label1, *Label2, *Label3, *Label4;
    TXcSpinEdit *XcSpinEdit1, *XcSpinEdit2, *XcSpinEdit3, *XcSpinEdit4;
    cl::TButton *OKBtn, *SetupBtn, *CancelBtn, *HelpBtn;
    cl::TPrinterSetupDialog* PrinterSetupDialog1;
    // Keeps rb1..rb4 and the four values.
    TFormStorage* FormStorage1;

    void FormCreate(cl::TObject* Sender);
    // Confirmed: the corrections := Round(value x 10), halves to even.
    void FormCloseQuery(cl::TObject* Sender, bool& CanClose);
    // The restored choice must be one that can print: rb1 when none is
    // checked, rb2 in place of a disabled rb1.
    void FormStorage1RestorePlacement(cl::TObject* Sender);
    void SetupBtnClick(cl::TObject* Sender);
    void HelpBtnClick(cl::TObject* Sender);

    // 1..4 for the first of rb1..rb4 that is checked; 0 for none.
    int Scope() const;
};

// Tenths of a millimetre of a value in millimetres, halves to even.
int32_t CorrectionOf(cl::Extended millimetres);
