// The main window's life (creation, showing, destruction), its commands'
// enable rules, the idle handler and the switch between the wizard mode and
// the forms mode.
#include "app/win/Main.h"

#include <shellapi.h>

#include "app/UserFolders.h"
#include "classlib/FileUtils.h"
#include "classlib/StrUtils.h"
#include "classlib/win/WideText.h"

using namespace cl;

TMainForm* MainForm = nullptr;
HWND MainFormHandle = nullptr;
bool AnswersModified = false;
bool LoadingStatement = false;
bool AddingForm = false;
TemFrm* ShownForm = nullptr;
TOpenEditor OpenEditor;
uint16_t HoveredField = 0;
int32_t LeftCorrection = 0, TopCorrection = 0, TextXCorrection = 0, TextYCorrection = 0;
TSettingsFileNameFunc SettingsFileNameFunc = nullptr;

// ---- Small components ------------------------------------------------------------------
CL_CLASS_INFO(TBrowseURL)

bool TBrowseURL::Execute() {
    Update();
    if (!Enabled()) return false;
    const auto result = reinterpret_cast<INT_PTR>(
        ShellExecuteW(nullptr, L"open", ToWide(url_).c_str(), nullptr, nullptr, SW_SHOWNORMAL));
    // ShellExecute reports success with a value above 32.
    if (result <= 32) throw Exception("Cannot open " + url_);
    return true;
}

CL_CLASS_INFO(TPingMachine)

TPingMachine::TPingMachine(TComponent* owner) : TComponent(owner) {
    WSADATA data;
    started_ = WSAStartup(MAKEWORD(1, 1), &data) == 0;
}

TPingMachine::~TPingMachine() {
    if (started_) WSACleanup();
}

// ---- Handlers ------------------------------------------------------------------------------
void TMainForm::AttachHandlers() {
    OnCreate = [this](TObject* s) { FormCreate(s); };
    OnShow = [this](TObject* s) { FormShow(s); };
    OnDestroy = [this](TObject* s) { FormDestroy(s); };

    FileExit1->OnExecute = [this](TObject*) { Close(); };
    Doborformularzy1->OnExecute = [this](TObject* s) { ShowWizardMode(s); };
    Twojeformularze1->OnExecute = [this](TObject* s) { Twojeformularze1Execute(s); };
    Oprogramie1->OnUpdate = [this](TObject* s) { Oprogramie1Update(s); };
    // The statement commands, printing, the about box and the developer
    // tool come with their own parts of the program; until then their
    // commands do nothing.
    for (TAction* later :
         {Nowerozliczenie1, Wczytajrozliczenie1, Zapiszjako1, Wydruk1, Oprogramie1, Newfield1, Newfocfile1})
        later->OnExecute = [](TObject*) {};
    Zapisacrozliczenie1->OnExecute = [this](TObject*) { SaveStatement(); };
    for (TAction* command : {Nowerozliczenie1, Wczytajrozliczenie1, Zapiszjako1})
        command->OnUpdate = [this, command](TObject*) { command->SetEnabled(IsIdle()); };
    Zapisacrozliczenie1->OnUpdate = [this](TObject*) {
        Zapisacrozliczenie1->SetEnabled((AnswersModified || DataModified) && IsIdle());
    };
    Wydruk1->OnUpdate = [this](TObject*) {
        Wydruk1->SetEnabled(XcTreeView2->Items()->Count() > 0 && XcPageControl1->ActivePage() == TabSheet2);
    };

    // The view commands: each first commits an open field editor.
    const struct {
        TAction* action;
        void (*execute)(TPrintPreview&);
    } views[] = {
        {Powiekszenie1, [](TPrintPreview& p) { p.SetZoom(p.Zoom() + p.ZoomStep()); }},
        {Pomniejszenie1, [](TPrintPreview& p) { p.SetZoom(p.Zoom() - p.ZoomStep()); }},
        {Jedendojeden1, [](TPrintPreview& p) { p.SetZoom(100); }},
        {FitToWidth1, [](TPrintPreview& p) { p.SetZoomState(zsZoomToWidth); }},
        {Fittoheight1, [](TPrintPreview& p) { p.SetZoomState(zsZoomToHeight); }},
    };
    for (const auto& v : views) {
        v.action->OnExecute = [this, execute = v.execute](TObject*) {
            if (!CommitOpenEditor()) {
                FocusOpenEditor();
                return;
            }
            execute(*PrintPreview);
        };
    }
    Powiekszenie1->OnUpdate = [this](TObject*) {
        Powiekszenie1->SetEnabled(PrintPreview->Zoom() < PrintPreview->ZoomMax());
    };
    Pomniejszenie1->OnUpdate = [this](TObject*) {
        Pomniejszenie1->SetEnabled(PrintPreview->Zoom() > PrintPreview->ZoomMin());
    };

    XcTreeView1->OnEnter = [this](TObject* s) { ShowWizardMode(s); };
    XcTreeView2->OnEnter = [this](TObject* s) { Twojeformularze1Execute(s); };
    XcTreeView2->OnChange = [this](TObject* s, TTreeNode* node) { XcTreeView2Change(s, node); };
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
    for (TPanel* p : {XcPanel1, XcPanel2, XcPanel6}) p->SetCaption("");
    XcPageControl1->SetActivePage(TabSheet1);

    XcTreeView2->SetColor(clBtnFace);
    XcTreeView2->Items()->Clear();
    XcTreeView1->SetColor(kActiveTreeColor);
    // The steps' records and their order come with the wizard.
    XcTreeView2->OnDeletion = [this](TObject* s, TTreeNode* node) { XcTreeView2Deletion(s, node); };

    PrintPreview->SetZoom(100);
    PrintPreview->SetZoomState(zsZoomToWidth);
    PrintPreview->SetDirectPrint(false);
    UseDirectPrint = true;

    InitFolders();
    SetSettingsLocation(DataFolder, Application->ExeName());
    LoadWizardText(XcRichEdit1, ProgramFolder + "pi\\k_s01.rtf");
    LoadWizardText(XcRichEdit2, ProgramFolder + "pi\\k_s02.rtf");
    // Files a user may have made read-only or hidden; whatever fails is
    // left as it is (the file may not exist yet).
    for (const std::string& name : {GetSettingsFileName(), DataFolder + "rzn.ini", DataFolder + "p.gpi"})
        FileSetAttr(name, faArchive);

    PrintPreview->SetUseTempFile(false);
    PrintPreview->SetUsePrinterOptions(false);
    PrintPreview->SetFastPrint(true);
    Application->SetTitle(std::string(kProductName) + " ");
    SetCaption(Application->Title());
    // (The developer tool's file and its flags come with the tool.)
    PrintPreview->SetTabStop(true);
    // The list outlives the window; what an earlier window left is not ours.
    ClearErrors(0, false);
    PostMessageW(Handle(), WM_USER_ERROR_LIST, 0, 0);
}

void TMainForm::LoadWizardText(TRichEdit* viewer, const std::string& fileName) {
    try {
        if (!FileExists(fileName)) throw Exception("brak pliku");
        viewer->Lines()->LoadFromFile(fileName);
    } catch (const Exception& e) {
        // Shown where the text belongs; the window's set-up goes on.
        viewer->SetText("Nie można wczytać pliku \"" + fileName + "\" (" + e.Message() +
                        ").\r\nPliki programu są niekompletne: proszę zainstalować program ponownie.");
    }
}

void TMainForm::FormShow(TObject*) {
    if (Chb_aktualiz->Checked()) PostMessageW(Handle(), WM_USER_CHECK_UPDATE, 0, 0);
}

void TMainForm::FormDestroy(TObject*) {
    ClearErrors(0, false);
    MainWindowHandle = nullptr;
    MainFormHandle = nullptr;
}

// ---- Queries ---------------------------------------------------------------------------
bool TMainForm::IsSelectionFinished() const {
    // Finished when the last step is the wizard's end page; the steps are
    // recorded by the wizard, which is not here yet.
    return false;
}

bool TMainForm::IsFormSelected(const std::string& name) const {
    const std::string wanted = UpperCase(name);
    TTreeNodes* nodes = XcTreeView2->Items();
    for (int i = 0; i < nodes->Count(); ++i) {
        const auto* form = static_cast<const TemFrm*>(nodes->Item(i)->Data());
        if (form && UpperCase(form->Name) == wanted) return true;
    }
    return false;
}

// ---- The mode switch -------------------------------------------------------------------
void TMainForm::ShowWizardMode(TObject*) {
    if (XcPageControl1->ActivePage() != TabSheet2) return;
    if (!CommitOpenEditor()) {
        FocusOpenEditor();
        return;
    }
    PrintPreview->Clear();
    XcTreeView1->SetColor(kActiveTreeColor);
    XcTreeView2->SetColor(clBtnFace);
    XcPageControl1->SetActivePage(TabSheet1);
    if (!XcTreeView1->Focused() && XcTreeView1->CanFocus()) XcTreeView1->SetFocus();
}

void TMainForm::Twojeformularze1Execute(TObject*) {
    if (XcPageControl1->ActivePage() == TabSheet2) {
        if (!CommitOpenEditor()) FocusOpenEditor();
        return;
    }
    if (!IsSelectionFinished() || !IsIdle()) return;
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
    Oprogramie1->SetEnabled(IsIdle());
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

// ---- Trees -------------------------------------------------------------------------------
void TMainForm::XcTreeView2Change(TObject*, TTreeNode*) {
    if (XcPageControl1->ActivePage() != TabSheet2) return;
    if (!IsSelectionFinished()) {
        Application->MessageBox(
            "Edycja formularzy będzie możliwa dopiero po udzieleniu wszystkich odpowiedzi w kreatorze doboru "
            "formularzy.",
            "Uwaga", MB_OK);
        return;
    }
    // Showing the selected form's pages comes with page rendering.
}

void TMainForm::XcTreeView2Deletion(TObject*, TTreeNode* node) {
    auto* form = static_cast<TemFrm*>(node->Data());
    node->SetData(nullptr);
    cl::Free(form);
}

// ---- Parts that come later -------------------------------------------------------------
bool TMainForm::CommitOpenEditor() {
    // No in-place field editor exists yet, so none is ever left open.
    return OpenEditor.Editor == nullptr;
}

void TMainForm::FocusOpenEditor() {
    if (OpenEditor.Editor && OpenEditor.Editor->CanFocus()) OpenEditor.Editor->SetFocus();
}

void TMainForm::NewStatement(bool) {
    // The statement commands are not here yet: nothing to start anew.
}

bool TMainForm::SaveStatement() {
    // The statement file is not here yet: nothing was saved.
    return false;
}

void TMainForm::ShowEndOfSelection() {
    // The end-of-selection dialog is not here yet.
}

void TMainForm::XcWizard1ActivePageChanged(TObject*) {
    // The wizard's page handling is not here yet.
}

void TMainForm::PreviewKey(WORD, TShiftState) {
    // The in-place editing's key handling is not here yet.
}
