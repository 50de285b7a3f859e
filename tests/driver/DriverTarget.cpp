// A small program of class-library controls for the driver's own tests:
// a tree, a list box, check boxes, radio buttons and a radio group, buttons
// named by caption, the standard file dialogs, a message box and work that
// runs through a chain of posted messages.  Whatever a control does is
// written into the "Status" text, where the driver reads it.
#include <windows.h>

#include <string>

#include "classlib/win/Dialogs.h"
#include "classlib/win/Forms.h"
#include "classlib/win/StdCtrls.h"
#include "classlib/win/TreeView.h"

using namespace cl;

namespace {

constexpr UINT WM_WORK_STEP = WM_USER + 1;  // WParam: steps left
constexpr int kWorkSteps = 12;
constexpr DWORD kStepMs = 40;

class TTargetForm : public TForm {
public:
    explicit TTargetForm(TComponent* owner) : TForm(owner) {
        SetName("TargetForm");
        SetCaption("Driver target");
        SetBounds(40, 40, 640, 480);

        Status = Place<TStaticText>("Status", 8, 440, 600, 20);
        Status->SetCaption("gotowy");

        Tree = Place<TTreeView>("Tree", 8, 8, 200, 160);
        Tree->SetReadOnly(true);
        Tree->SetHideSelection(false);
        TTreeNodes* nodes = Tree->Items();
        nodes->Add(nullptr, "Informacje wstępne");
        TTreeNode* forms = nodes->Add(nullptr, "Sposób rozliczenia");
        nodes->AddChild(forms, "Bilans");
        nodes->AddChild(forms, "Rachunek zysków i strat");
        nodes->Add(nullptr, "Dobór zakończony");
        forms->Expand(false);
        Tree->OnChange = [this](TObject*, TTreeNode* node) { Say("wybrano: " + node->Text()); };

        List = Place<TListBox>("List", 216, 8, 200, 100);
        for (const char* item : {"Pole 12: błąd sumy", "Strona 2: brak szablonu", "Zażółć gęślą jaźń"})
            List->Items()->Add(item);
        List->OnClick = [this](TObject*) { Say("pozycja " + std::to_string(List->ItemIndex())); };

        Check = Place<TCheckBox>("Check", 216, 116, 200, 20);
        Check->SetCaption("&Bilans");
        Check->SetChecked(true);
        Unchecked = Place<TCheckBox>("Unchecked", 216, 140, 200, 20);
        Unchecked->SetCaption("&Rachunek");
        Place<TEdit>("Edit", 216, 168, 200, 21);
        RadioA = Place<TRadioButton>("RadioA", 424, 8, 200, 20);
        RadioA->SetCaption("&podlega badaniu");
        RadioB = Place<TRadioButton>("RadioB", 424, 32, 200, 20);
        RadioB->SetCaption("&nie podlega badaniu");
        RadioB->SetChecked(true);
        Group = new TRadioGroup(this);
        Group->SetName("Group");
        Group->SetBounds(424, 60, 200, 80);
        Group->Items()->Add("wariant kalkulacyjny");
        Group->Items()->Add("wariant porównawczy");
        Group->SetParent(this);
        Group->SetItemIndex(1);

        auto button = [this](const char* name, const char* caption, int left, int top,
                             std::function<void()> action) {
            TButton* b = Place<TButton>(name, left, top, 96, 25);
            b->SetCaption(caption);
            b->OnClick = [action](TObject*) { action(); };
            return b;
        };
        Back = button("Back", "< &Wstecz", 8, 400, [this] { Say("wstecz"); });
        Back->SetEnabled(false);
        button("Next", "&Dalej >", 112, 400, [this] { Say("dalej"); });
        button("Open", "&Otwórz...", 216, 400, [this] { Choose(false); });
        button("Save", "&Zapisz...", 320, 400, [this] { Choose(true); });
        button("Ask", "&Pytaj", 424, 400, [this] {
            const int answer =
                Application->MessageBox("Czy kontynuować?", "Pytanie", MB_YESNO | MB_ICONQUESTION);
            Say(answer == IDYES ? "tak" : "nie");
        });
        button("Work", "&Licz", 528, 400, [this] {
            Say("liczę");
            PostMessageW(Handle(), WM_WORK_STEP, kWorkSteps, 0);
        });

        OpenDialog = new TOpenDialog(this);
        OpenDialog->SetFilter("Pliki sprawozdań finans. (*.spr)|*.spr|Wszystkie pliki (*.*)|*.*");
        OpenDialog->SetDefaultExt("spr");
        OpenDialog->SetOptions(OpenDialog->Options() | ofFileMustExist | ofPathMustExist | ofHideReadOnly);
        SaveDialog = new TSaveDialog(this);
        SaveDialog->SetFilter(OpenDialog->Filter());
        SaveDialog->SetDefaultExt("spr");
    }

    void WndProc(TMessage& m) override {
        if (m.Msg != WM_WORK_STEP) return TForm::WndProc(m);
        // Busy without pumping, then the next step through the queue: the
        // thread goes back to its message loop between the steps.
        const DWORD start = GetTickCount();
        while (GetTickCount() - start < kStepMs) {
        }
        if (m.WParam > 1)
            PostMessageW(Handle(), WM_WORK_STEP, m.WParam - 1, 0);
        else
            Say("policzone");
    }

    TStaticText* Status;
    TTreeView* Tree;
    TListBox* List;
    TCheckBox *Check, *Unchecked;
    TRadioButton *RadioA, *RadioB;
    TRadioGroup* Group;
    TButton* Back;
    TOpenDialog* OpenDialog;
    TSaveDialog* SaveDialog;

private:
    // A named control on the form; naming sets the caption, which is cleared.
    template <class T>
    T* Place(const char* name, int left, int top, int width, int height) {
        T* control = new T(this);
        control->SetName(name);
        control->SetCaption("");
        control->SetBounds(left, top, width, height);
        control->SetParent(this);
        return control;
    }
    void Say(const std::string& text) { Status->SetCaption(text); }
    void Choose(bool save) {
        TOpenDialog* dialog = save ? SaveDialog : OpenDialog;
        if (!dialog->Execute()) return Say("anulowano");
        Say((save ? "zapis: " : "odczyt: ") + dialog->FileName());
    }
};

TTargetForm* TargetForm = nullptr;

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    try {
        Application->Initialize();
        Application->SetTitle("Driver target");
        Application->CreateForm(TargetForm);
        Application->Run();
    } catch (const std::exception& e) {
        MessageBoxA(nullptr, e.what(), "Driver target", MB_OK);
        return 1;
    }
    return 0;
}
