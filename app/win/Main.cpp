// The main window's life (creation, showing, destruction), its commands'
// enable rules, the idle handler and the switch between the wizard mode and
// the forms mode; until their own files come, the later parts' handlers.
#include "app/win/Main.h"

#include "app/UserFolders.h"
#include "app/win/About1.h"
#include "app/win/DialogParts.h"
#include "classlib/FileUtils.h"
#include "classlib/StrUtils.h"

using namespace cl;

TMainForm* MainForm = nullptr;
bool AnswersModified = false;
bool LoadingStatement = false;
bool AddingForm = false;
TemFrm* ShownForm = nullptr;
TOpenEditor OpenEditor;
uint16_t HoveredField = 0;
int32_t LeftCorrection = 0, TopCorrection = 0, TextXCorrection = 0, TextYCorrection = 0;

namespace {

// A command may run: no statement is loading, no form is being added,
// nothing is rendering.
bool IsIdle(const TMainForm& f) {
    return !LoadingStatement && !AddingForm && !f.Rendering;
}

// Loads a rich text of the wizard; a failure is shown in the viewer and
// the set-up goes on.
void LoadWizardText(TXcRichEdit* viewer, const std::string& fileName) {
    try {
        if (!FileExists(fileName)) throw Exception("brak pliku");
        viewer->Lines()->LoadFromFile(fileName);
    } catch (const Exception& e) {
        // Shown where the text belongs; the window's set-up goes on.
        viewer->SetText("Nie można wczytać pliku \"" + fileName + "\" (" + e.Message() +
                        ").\r\nPliki programu są niekompletne: proszę zainstalować program ponownie.");
    }
}

}  // namespace

bool CommitOpenEditor(TMainForm& f) {
    f.EndFieldEdit(true);
    if (!OpenEditor.Editor) return true;
    if (OpenEditor.Editor->CanFocus()) OpenEditor.Editor->SetFocus();
    return false;
}

void LoadSelectionEndText(TMainForm& f) {
    LoadWizardText(f.XcRichEdit2, ProgramFolder + "pi\\k_s02.rtf");
}

// ---- Handlers ------------------------------------------------------------------------------
void AttachShellHandlers(TMainForm& f) {
    f.OnCreate = [&f](TObject* s) { f.FormCreate(s); };
    f.OnShow = [&f](TObject* s) { f.FormShow(s); };
    f.OnDestroy = [&f](TObject* s) { f.FormDestroy(s); };

    f.FileExit1->OnExecute = [&f](TObject*) { f.Close(); };
    f.Doborformularzy1->OnExecute = [&f](TObject* s) { f.ShowWizardMode(s); };
    f.Twojeformularze1->OnExecute = [&f](TObject* s) { f.Twojeformularze1Execute(s); };
    f.Oprogramie1->OnUpdate = [&f](TObject* s) { f.Oprogramie1Update(s); };
    f.Oprogramie1->OnExecute = [&f](TObject* s) { f.Oprogramie1Execute(s); };
    for (TAction* command : {f.Nowerozliczenie1, f.Wczytajrozliczenie1, f.Zapiszjako1})
        command->OnUpdate = [&f, command](TObject*) { command->SetEnabled(IsIdle(f)); };
    f.Zapisacrozliczenie1->OnUpdate = [&f](TObject*) {
        f.Zapisacrozliczenie1->SetEnabled((AnswersModified || DataModified) && IsIdle(f));
    };

    // The view commands: each first commits an open field editor.
    const struct {
        TAction* action;
        void (*execute)(TPrintPreview&);
    } views[] = {
        {f.Powiekszenie1, [](TPrintPreview& p) { p.SetZoom(p.Zoom() + p.ZoomStep()); }},
        {f.Pomniejszenie1, [](TPrintPreview& p) { p.SetZoom(p.Zoom() - p.ZoomStep()); }},
        {f.Jedendojeden1, [](TPrintPreview& p) { p.SetZoom(100); }},
        {f.FitToWidth1, [](TPrintPreview& p) { p.SetZoomState(zsZoomToWidth); }},
        {f.Fittoheight1, [](TPrintPreview& p) { p.SetZoomState(zsZoomToHeight); }},
    };
    for (const auto& v : views) {
        v.action->OnExecute = [&f, execute = v.execute](TObject*) {
            if (CommitOpenEditor(f)) execute(*f.PrintPreview);
        };
    }
    f.Powiekszenie1->OnUpdate = [&f](TObject*) {
        f.Powiekszenie1->SetEnabled(f.PrintPreview->Zoom() < f.PrintPreview->ZoomMax());
    };
    f.Pomniejszenie1->OnUpdate = [&f](TObject*) {
        f.Pomniejszenie1->SetEnabled(f.PrintPreview->Zoom() > f.PrintPreview->ZoomMin());
    };

    f.XcTreeView1->OnEnter = [&f](TObject* s) { f.ShowWizardMode(s); };
    f.XcTreeView2->OnEnter = [&f](TObject* s) { f.Twojeformularze1Execute(s); };
}

// ---- Creation, showing, destruction ----------------------------------------------------
void TMainForm::FormCreate(TObject*) {
    Font()->SetHeight(-11);
    StatementHeader.FileName.clear();
    ShownForm = nullptr;
    HoveredField = 0;
    OpenEditor = {};
    LeftCorrection = TopCorrection = TextXCorrection = TextYCorrection = 0;
    MainWindowHandle = Handle();
    MainFormHandle = Handle();
    AnswersModified = LoadingStatement = AddingForm = DataModified = false;
    for (TTreeView* tree : {XcTreeView1, XcTreeView2}) {
        tree->OnDeletion = nullptr;
        tree->OnCompare = nullptr;
    }
    Rendering = false;

    for (TControl* c : std::initializer_list<TControl*>{
             XcPageControl1, XcPanel1, XcTreeView2, ErrListBox, PrintPreview, XcScrollBox1, XcScrollBox2,
             XcScrollBox3, XcScrollBox4, XcScrollBox5, XcRichEdit1, XcRichEdit2})
        c->SetAlign(alClient);
    ErrListBox->SetBorderStyle(bsNone);
    for (TXcPanel* p : {XcPanel1, XcPanel2, XcPanel6}) p->SetCaption("");
    XcPageControl1->SetActivePage(TabSheet1);

    XcTreeView2->SetColor(clBtnFace);
    XcTreeView2->Items()->Clear();
    XcTreeView1->SetColor(kActiveTreeColor);
    XcTreeView1->OnDeletion = [this](TObject* s, TTreeNode* node) { XcTreeView1Deletion(s, node); };
    XcTreeView1->OnCompare = [this](TObject* s, TTreeNode* a, TTreeNode* b, intptr_t data, int& result) {
        XcTreeView1Compare(s, a, b, data, result);
    };
    XcTreeView2->OnDeletion = [this](TObject* s, TTreeNode* node) { XcTreeView2Deletion(s, node); };

    PrintPreview->SetZoom(100);
    PrintPreview->SetZoomState(zsZoomToWidth);
    PrintPreview->SetDirectPrint(false);
    UseDirectPrint = true;

    InitFolders();
    SetSettingsLocation(DataFolder, Application->ExeName());
    LoadWizardText(XcRichEdit1, ProgramFolder + "pi\\k_s01.rtf");
    // Files a user may have made read-only or hidden; whatever fails is
    // left as it is (the file may not exist yet).
    for (const std::string& name : {GetSettingsFileName(), DataFolder + "rzn.ini", DataFolder + "p.gpi"})
        FileSetAttr(name, faArchive);

    PrintPreview->SetUseTempFile(false);
    PrintPreview->SetUsePrinterOptions(false);
    PrintPreview->SetFastPrint(true);
    Application->SetTitle(std::string(kProductName) + " ");
    SetCaption(Application->Title());
    // The developer tool starts with no file open and design mode off.
    CloseFocFile(*this);
    PrintPreview->SetNoDragScroll(false);
    PrintPreview->SetTabStop(true);
    // The list outlives the window; what an earlier window left is not ours.
    ClearErrors(0, false);
    PostMessageW(Handle(), WM_USER_ERROR_LIST, 0, 0);
}

void TMainForm::FormShow(TObject*) {
    if (Chb_aktualiz->Checked()) PostMessageW(Handle(), WM_USER_CHECK_UPDATE, 0, 0);
}

void TMainForm::FormDestroy(TObject*) {
    CloseFocFile(*this);
    ClearErrors(0, false);
    MainWindowHandle = nullptr;
    MainFormHandle = nullptr;
}

// ---- The about box --------------------------------------------------------------------
void TMainForm::Oprogramie1Execute(TObject*) {
    if (!CommitOpenEditor(*this)) return;
    RunDialog<TAbout1Dlg>(this, [this](TAbout1Dlg& about) { about.CheckAtStart = Chb_aktualiz->Checked(); });
}

// ---- The mode switch -------------------------------------------------------------------
void TMainForm::ShowWizardMode(TObject*) {
    if (XcPageControl1->ActivePage() != TabSheet2 || !CommitOpenEditor(*this)) return;
    PrintPreview->Clear();
    XcTreeView1->SetColor(kActiveTreeColor);
    XcTreeView2->SetColor(clBtnFace);
    XcPageControl1->SetActivePage(TabSheet1);
    if (!XcTreeView1->Focused() && XcTreeView1->CanFocus()) XcTreeView1->SetFocus();
}

void TMainForm::Twojeformularze1Execute(TObject*) {
    if (XcPageControl1->ActivePage() == TabSheet2) {
        CommitOpenEditor(*this);
        return;
    }
    if (!IsSelectionFinished() || !IsIdle(*this)) return;
    XcTreeView2->SetColor(kActiveTreeColor);
    XcTreeView1->SetColor(clBtnFace);
    XcPageControl1->SetActivePage(TabSheet2);
    if (XcPageControl1->CanFocus()) XcPageControl1->SetFocus();
    {
        TEventPause pause(XcTreeView2->OnChange);
        TTreeNodes* nodes = XcTreeView2->Items();
        if (nodes->Count() > 0 && !XcTreeView2->Selected()) {
            TTreeNode* first = nodes->GetFirstNode();
            XcTreeView2->SetSelected(first->Count() > 0 ? first->GetFirstChild() : first);
        }
    }
    if (TTreeNode* node = XcTreeView2->Selected()) XcTreeView2Change(XcTreeView2, node);
}

// ---- Idle --------------------------------------------------------------------------------
void TMainForm::Oprogramie1Update(TObject*) {
    const bool hasForms = XcTreeView2->Items()->Count() > 0;
    Oprogramie1->SetEnabled(IsIdle(*this));
    Twojeformularze1->SetEnabled(hasForms && IsSelectionFinished());
    XcTreeView2->SetEnabled(hasForms);

    auto status = [this](const char* text, TColor color) {
        // Only a change repaints.
        if (XcStaticText1->Caption() != text) XcStaticText1->SetCaption(text);
        if (XcStaticText1->Color() != color) {
            XcStaticText1->SetColor(color);
            XcStaticText1->Invalidate();
        }
    };
    if (IsSelectionFinished()) {
        status("Dobór zakończony", clGreen);
        if (XcWizard1->ActivePage() == Wiz100_1 && !hasForms)
            PostMessageW(Handle(), WM_USER_END_OF_SELECTION, 0, 0);
    } else {
        status("Dobór nie zakończony", clRed);
    }

    // The caption follows the statement's file while it starts with the
    // title (rendering puts its progress there meanwhile).  The title's
    // trailing blank is not doubled before the dash.
    const std::string& title = Application->Title();
    const std::string caption = Caption();
    if (caption.compare(0, title.size(), title) == 0) {
        const std::string& file = StatementHeader.FileName;
        const std::string wanted = TrimRight(title) + " - " + (file.empty() ? "bez nazwy" : file);
        if (caption != wanted) SetCaption(wanted);
    }
}
