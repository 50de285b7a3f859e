#include "app/win/Print1_help.h"

#include "app/UserFolders.h"
#include "app/win/DialogParts.h"

using namespace cl;

CL_CLASS_INFO(TPrint1_hDlg)

TPrint1_hDlg::TPrint1_hDlg(TComponent* owner) : TForm(owner) {
    LoadComponentTree(*this, [this] {
        SetName("Print1_hDlg");
        SetCaption("Pomoc");
        SetPosition(poScreenCenter);
        SetClientSize(520, 400);

        Panel1 = MakePart<TPanel>(this, "Panel1", this, 0, 359, 520, 41);
        Panel1->SetBevelOuter(bvNone);
        Panel1->SetAlign(alBottom);
        OKBtn = MakePart<TButton>(this, "OKBtn", Panel1, 437, 8, 75, 25);
        OKBtn->SetCaption("OK");
        OKBtn->SetAnchors(akTop | akRight);
        OKBtn->SetModalResult(mrOk);
        OKBtn->SetDefault(true);
        OKBtn->SetCancel(true);
        XcRichEdit1 = MakePart<TXcRichEdit>(this, "XcRichEdit1", this);
        XcRichEdit1->SetAlign(alClient);
        XcRichEdit1->SetReadOnly(true);
        XcRichEdit1->SetColor(clInfoBk);

        OnCreate = [this](TObject* s) { FormCreate(s); };
        FormPlacement1 = AddFormPlacement(*this, "FormPlacement1");
    });
}

void TPrint1_hDlg::FormCreate(TObject*) {
    Font()->SetHeight(-11);
    try {
        XcRichEdit1->Lines()->LoadFromFile(ProgramFolder + "pi\\Print_help.rtf");
    } catch (...) {
        // The help is shown empty, after the failure's own message.
        Application->HandleException(this);
    }
}
