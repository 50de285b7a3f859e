#include "app/win/Licencja1.h"

#include "app/LicenceText.h"
#include "app/win/DialogParts.h"

using namespace cl;

CL_CLASS_INFO(TLicDlg)

TLicDlg::TLicDlg(TComponent* owner) : TForm(owner) {
    LoadComponentTree(*this, [this] {
        SetUpDialogFrame(*this, "LicDlg", "Umowa licencyjna", 560, 400);
        Memo1 = MakePart<TMemo>(this, "Memo1", this, 8, 8, 544, 346);
        Memo1->SetReadOnly(true);
        Memo1->SetScrollBars(ssVertical);
        OKBtn = MakeButton(*this, "OKBtn", "OK", 477, 366, 75, mrOk);
        OKBtn->SetDefault(true);
        OKBtn->SetCancel(true);
        OnCreate = [this](TObject* s) { FormCreate(s); };
    });
}

void TLicDlg::FormCreate(TObject*) {
    Font()->SetHeight(-11);
    TStrings* lines = Memo1->Lines();
    lines->BeginUpdate();
    const ScopeExit done([lines] { lines->EndUpdate(); });
    lines->Clear();
    for (const std::string& line : LicenceLines(LicenceFileName())) lines->Add(line);
}
