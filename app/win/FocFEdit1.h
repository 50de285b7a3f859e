#pragma once
// The developer tool's dialog ("FocFEdit"): the numbers, kind, page,
// prefix, mask, shared slot and font size of a new field, kept in the
// settings file between runs.  Closed with OK, it holds the field's
// definition lines.

#include <string>
#include <vector>

#include "app/FocFieldDefinition.h"
#include "classlib/win/Forms.h"
#include "classlib/win/StdCtrls.h"
#include "controls/win/XcSpinEdit.h"
#include "persistence/win/Placemnt.h"

class TFocFEdit : public cl::TForm {
    CL_CLASS(TFocFEdit, cl::TForm)
public:
    explicit TFocFEdit(cl::TComponent* owner);

    TXcSpinEdit* XcSpinEdit1;  // "Num. główny"
    TXcSpinEdit* XcSpinEdit2;  // "Num. pomocniczy"
    cl::TComboBox* ComboBox1;  // "Typ edycji:"
    TXcSpinEdit* XcSpinEdit3;  // "Num str."
    cl::TEdit* Edit1;          // "Przedrostek"
    cl::TComboBox* ComboBox2;  // "Maska:"
    cl::TComboBox* ComboBox3;  // "Shared ID"
    TXcSpinEdit* XcSpinEdit4;  // "Wielk. czcionki:"
    cl::TButton* OKBtn;
    cl::TButton* CancelBtn;  // "Anuluj"
    TFormStorage* FormStorage1;

    // The definition lines of the choices, built when the dialog closes
    // (none for a kind that writes none).
    std::vector<std::string> Lines;

    // What the controls hold, the spin values as integers.
    TFocFieldChoice Choice();
    void FormCreate(cl::TObject* Sender);
    void FormClose(cl::TObject* Sender, cl::TCloseAction& Action);
};
