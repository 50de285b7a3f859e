#include "app/win/Print1_help.h"

#include "app/UserFolders.h"

using namespace cl;

CL_CLASS_INFO(TPrint1_hDlg)

TPrint1_hDlg::TPrint1_hDlg(TComponent* owner) : TForm(owner) {
    SetName("Print1_hDlg");
    SetCaption("Pomoc");
    SetPosition(poScreenCenter);
    SetClientSize(520, 400);

    Panel1 = new TPanel(this);
    Panel1->SetName("Panel1");
    Panel1->SetCaption("");
    Panel1->SetBevelOuter(bvNone);
    Panel1->SetHeight(41);
    Panel1->SetAlign(alBottom);
    Panel1->SetParent(this);
    OKBtn = new TButton(this);
    OKBtn->SetName("OKBtn");
    OKBtn->SetCaption("OK");
    OKBtn->SetBounds(437, 8, 75, 25);
    OKBtn->SetAnchors(akTop | akRight);
    OKBtn->SetModalResult(mrOk);
    OKBtn->SetDefault(true);
    OKBtn->SetCancel(true);
    OKBtn->SetParent(Panel1);

    XcRichEdit1 = new TRichEdit(this);
    XcRichEdit1->SetName("XcRichEdit1");
    XcRichEdit1->SetAlign(alClient);
    XcRichEdit1->SetReadOnly(true);
    XcRichEdit1->SetColor(clInfoBk);
    XcRichEdit1->SetScrollBars(ssVertical);
    XcRichEdit1->SetParent(this);

    OnCreate = [this](TObject* s) { FormCreate(s); };
    FormPlacement1 = AddFormPlacement(*this, "FormPlacement1");
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
