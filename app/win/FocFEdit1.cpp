#include "app/win/FocFEdit1.h"

#include <cmath>

#include "app/win/DialogParts.h"

using namespace cl;

namespace {

constexpr int kLabelLeft = 12, kFieldLeft = 112, kRowHeight = 28, kFieldWidth = 200;

TXcSpinEdit* SpinRow(TFocFEdit& f, const char* name, int row, int initial) {
    auto* spin = MakePart<TXcSpinEdit>(&f, name, &f, kFieldLeft, 12 + row * kRowHeight, 80, 21);
    spin->SetMinValue(0);
    spin->SetMaxValue(9999);
    spin->SetValue(initial);
    return spin;
}

TComboBox* ComboRow(TFocFEdit& f, const char* name, int row, TComboBoxStyle style,
                    const std::vector<std::string>& items) {
    auto* combo = MakePart<TComboBox>(&f, name, &f, kFieldLeft, 12 + row * kRowHeight, kFieldWidth, 21);
    combo->SetStyle(style);
    for (const std::string& item : items) combo->Items()->Add(item);
    combo->SetItemIndex(0);
    return combo;
}

// A caption before the control of its row; its accelerator-less text as given.
void RowCaption(TFocFEdit& f, const char* name, int row, const char* text, TWinControl* control) {
    auto* label =
        MakePart<TLabel>(&f, name, &f, kLabelLeft, 15 + row * kRowHeight, kFieldLeft - kLabelLeft - 4, 14);
    label->SetCaption(text);
    label->SetFocusControl(control);
}

int AsInteger(TXcSpinEdit* spin) {
    return static_cast<int>(std::lround(spin->Value()));
}

}  // namespace

CL_CLASS_INFO(TFocFEdit)

TFocFEdit::TFocFEdit(TComponent* owner) : TForm(owner) {
    LoadComponentTree(*this, [this] {
        SetUpDialogFrame(*this, "FocFEdit", "FocFEdit", 324, 268);
        XcSpinEdit1 = SpinRow(*this, "XcSpinEdit1", 0, 0);
        RowCaption(*this, "Label1", 0, "Num. główny", XcSpinEdit1);
        XcSpinEdit2 = SpinRow(*this, "XcSpinEdit2", 1, 0);
        RowCaption(*this, "Label2", 1, "Num. pomocniczy", XcSpinEdit2);
        ComboBox1 = ComboRow(*this, "ComboBox1", 2, csDropDownList, kFocFieldKinds);
        RowCaption(*this, "Label3", 2, "Typ edycji:", ComboBox1);
        XcSpinEdit3 = SpinRow(*this, "XcSpinEdit3", 3, 1);
        RowCaption(*this, "Label4", 3, "Num str.", XcSpinEdit3);
        Edit1 = MakePart<TEdit>(this, "Edit1", this, kFieldLeft, 12 + 4 * kRowHeight, kFieldWidth, 21);
        Edit1->SetText(kFocDefaultPrefix);
        RowCaption(*this, "Label5", 4, "Przedrostek", Edit1);
        // A mask may be typed as well as chosen.
        ComboBox2 = ComboRow(*this, "ComboBox2", 5, csDropDown, kFocFieldMasks);
        RowCaption(*this, "Label6", 5, "Maska:", ComboBox2);
        ComboBox3 = ComboRow(*this, "ComboBox3", 6, csDropDownList, kFocSharedIds);
        RowCaption(*this, "Label7", 6, "Shared ID", ComboBox3);
        XcSpinEdit4 = SpinRow(*this, "XcSpinEdit4", 7, 9);
        RowCaption(*this, "Label8", 7, "Wielk. czcionki:", XcSpinEdit4);

        OKBtn = MakeButton(*this, "OKBtn", "OK", 156, 234, 75, mrOk);
        OKBtn->SetDefault(true);
        CancelBtn = MakeButton(*this, "CancelBtn", "Anuluj", 237, 234, 75, mrCancel);
        CancelBtn->SetCancel(true);

        OnCreate = [this](TObject* s) { FormCreate(s); };
        OnClose = [this](TObject* s, TCloseAction& action) { FormClose(s, action); };
        FormStorage1 = AddFormStorage(
            *this, "FormStorage1",
            {"XcSpinEdit1.Value", "XcSpinEdit2.Value", "ComboBox1.ItemIndex", "ComboBox2.ItemIndex",
             "ComboBox3.ItemIndex", "Edit1.Text", "XcSpinEdit3.Value", "XcSpinEdit4.Value",
             // A mask typed by hand has no list position: its text is kept too.
             "ComboBox2.Text"});
    });
}

void TFocFEdit::FormCreate(TObject*) {
    Font()->SetHeight(-11);
}

TFocFieldChoice TFocFEdit::Choice() {
    TFocFieldChoice c;
    c.MainNumber = AsInteger(XcSpinEdit1);
    c.SecondaryNumber = AsInteger(XcSpinEdit2);
    c.Kind = ComboBox1->Text();
    c.Page = AsInteger(XcSpinEdit3);
    c.Prefix = Edit1->Text();
    c.Mask = ComboBox2->Text();
    c.MaskIndex = ComboBox2->ItemIndex();
    c.SharedId = ComboBox3->Text();
    c.FontSize = AsInteger(XcSpinEdit4);
    return c;
}

void TFocFEdit::FormClose(TObject*, TCloseAction&) {
    Lines = FocFieldLines(Choice());
}
