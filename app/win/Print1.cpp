#include "app/win/Print1.h"

#include <cmath>

#include "app/win/DialogParts.h"
#include "app/win/Print1_help.h"
#include "app/win/PrintCorrections.h"

using namespace cl;

namespace {

// A correction in millimetres: -50..50 in steps of 0.5, one decimal.
TXcSpinEdit* Correction(TForm& dialog, const char* name, TWinControl* parent, int top) {
    auto* edit = MakePart<TXcSpinEdit>(&dialog, name, parent, 112, top, 64, 21);
    edit->SetValueType(vtFloat);
    edit->SetDecimal(1);
    edit->SetMinValue(-50);
    edit->SetMaxValue(50);
    edit->SetIncrement(0.5);
    edit->SetValue(0);
    return edit;
}

TLabel* LabelFor(TForm& dialog, const char* name, TWinControl* parent, int top, const char* text,
                 TWinControl* focus) {
    auto* label = MakePart<TLabel>(&dialog, name, parent, 12, top + 3, 96, 14);
    label->SetCaption(text);
    label->SetFocusControl(focus);
    return label;
}

}  // namespace

int32_t CorrectionOf(Extended millimetres) {
    // nearbyint rounds halves to even in the default rounding mode.
    return static_cast<int32_t>(std::nearbyint(millimetres * 10));
}

CL_CLASS_INFO(TPrint1Dlg)

TPrint1Dlg::TPrint1Dlg(TComponent* owner) : TForm(owner) {
    LoadComponentTree(*this, [this] {
        SetUpDialogFrame(*this, "Print1Dlg", "Wydruk", 400, 240);

        XcGroupBox1 = MakePart<TXcGroupBox>(this, "XcGroupBox1", this, 8, 6, 384, 110);
        XcGroupBox1->SetCaption("Zawartość wydruku:");
        const struct {
            TXcRadioButton* TPrint1Dlg::*field;
            const char* name;
            const char* caption;
        } scopes[] = {
            {&TPrint1Dlg::rb1, "rb1", "bieżąca strona formularza"},
            {&TPrint1Dlg::rb2, "rb2", "wszystkie strony formularza"},
            {&TPrint1Dlg::rb3, "rb3", "zeznanie wraz z załącznikami"},
            {&TPrint1Dlg::rb4, "rb4", "wszystkie zeznania i załączniki bieżącego rozliczenia"},
        };
        int top = 22;
        for (const auto& s : scopes) {
            auto* button = MakePart<TXcRadioButton>(this, s.name, XcGroupBox1, 16, top, 356, 18);
            button->SetCaption(s.caption);
            this->*s.field = button;
            top += 21;
        }
        rb1->SetChecked(true);

        XcGroupBox2 = MakePart<TXcGroupBox>(this, "XcGroupBox2", this, 8, 122, 188, 76);
        XcGroupBox2->SetCaption(" Korekta marginesów strony ");
        XcSpinEdit1 = Correction(*this, "XcSpinEdit1", XcGroupBox2, 20);
        Label1 = LabelFor(*this, "Label1", XcGroupBox2, 20, "margines lewy:", XcSpinEdit1);
        XcSpinEdit2 = Correction(*this, "XcSpinEdit2", XcGroupBox2, 46);
        Label2 = LabelFor(*this, "Label2", XcGroupBox2, 46, "margines górny:", XcSpinEdit2);
        XcGroupBox3 = MakePart<TXcGroupBox>(this, "XcGroupBox3", this, 204, 122, 188, 76);
        XcGroupBox3->SetCaption(" Korekta położenia napisów ");
        XcSpinEdit3 = Correction(*this, "XcSpinEdit3", XcGroupBox3, 20);
        Label3 = LabelFor(*this, "Label3", XcGroupBox3, 20, "poziomo", XcSpinEdit3);
        XcSpinEdit4 = Correction(*this, "XcSpinEdit4", XcGroupBox3, 46);
        Label4 = LabelFor(*this, "Label4", XcGroupBox3, 46, "pionowo", XcSpinEdit4);

        OKBtn = MakeButton(*this, "OKBtn", "&Wydruk", 8, 208, 78, mrOk);
        SetupBtn = MakeButton(*this, "SetupBtn", "&Ustawienia", 110, 208, 78);
        CancelBtn = MakeButton(*this, "CancelBtn", "&Porzuć", 212, 208, 78, mrCancel);
        HelpBtn = MakeButton(*this, "HelpBtn", "&Pomoc", 314, 208, 78);
        OKBtn->SetDefault(true);
        CancelBtn->SetCancel(true);
        PrinterSetupDialog1 = MakePart<TPrinterSetupDialog>(this, "PrinterSetupDialog1");

        SetupBtn->OnClick = [this](TObject* s) { SetupBtnClick(s); };
        HelpBtn->OnClick = [this](TObject* s) { HelpBtnClick(s); };
        OnCreate = [this](TObject* s) { FormCreate(s); };
        OnCloseQuery = [this](TObject* s, bool& canClose) { FormCloseQuery(s, canClose); };
        // Last: it takes over the OnCloseQuery set above and saves after it.
        FormStorage1 =
            AddFormStorage(*this, "FormStorage1",
                           {"rb1.Checked", "rb2.Checked", "rb3.Checked", "rb4.Checked", "XcSpinEdit1.Value",
                            "XcSpinEdit2.Value", "XcSpinEdit3.Value", "XcSpinEdit4.Value"});
        FormStorage1->OnRestorePlacement = [this](TObject* s) { FormStorage1RestorePlacement(s); };
    });
}

void TPrint1Dlg::FormCreate(TObject*) {
    Font()->SetHeight(-11);
}

void TPrint1Dlg::FormCloseQuery(TObject*, bool&) {
    if (ModalResult() != mrOk) return;
    LeftCorrection = CorrectionOf(XcSpinEdit1->Value());
    TopCorrection = CorrectionOf(XcSpinEdit2->Value());
    TextXCorrection = CorrectionOf(XcSpinEdit3->Value());
    TextYCorrection = CorrectionOf(XcSpinEdit4->Value());
}

void TPrint1Dlg::FormStorage1RestorePlacement(TObject*) {
    if (Scope() == 0) rb1->SetChecked(true);
    if (rb1->Checked() && !rb1->Enabled()) rb2->SetChecked(true);
}

void TPrint1Dlg::SetupBtnClick(TObject*) {
    PrinterSetupDialog1->Execute();
}

void TPrint1Dlg::HelpBtnClick(TObject*) {
    RunDialog<TPrint1_hDlg>(this);
}

int TPrint1Dlg::Scope() const {
    const TXcRadioButton* const scopes[] = {rb1, rb2, rb3, rb4};
    for (int i = 0; i < 4; ++i)
        if (scopes[i]->Checked()) return i + 1;
    return 0;
}
