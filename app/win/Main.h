#pragma once
// The main window (unit Main): the wizard sheet and the forms sheet, the
// commands and their enable rules, the idle updates of the status text and
// the caption, the busy flags, the switch between the two modes, and the
// table of messages through which the other parts reach the window.
//
// One TMainForm with the member names of its design; the definitions are
// split by concern:
//   MainCreate.cpp    the components, built as the stored layout builds them
//   Main.cpp          creation, showing, destruction, the mode switch, the
//                     idle rules, the about box
//   MainMessages.cpp  the message table (the numbers are in MainMessages.h)
//   MainRender.cpp    the shown form's pages with their values, the page
//                     tabs, the paper list, the preview's events
//   MainWizard.cpp    the wizard's page changes, answers and steps
//   MainSelection.cpp the selection rules and the selected forms
//   MainEditing.cpp   typing values on the page: hover, the field editors,
//                     storing, Tab, Enter and Esc
//   MainDevTool.cpp   the developer tool: field definitions to "FocFile.txt"
//   MainFile.cpp      the statement commands: new, load, save, save as, close
//   MainPrint.cpp     printing the forms with their values
// Helpers without a design name stay local to their file.
//
// The components are built in code with the names of the window's stored
// layout, so that the test driver finds them by name.  Plain class-library
// controls stand in for the enhanced controls not built yet.

#include <windows.h>

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "app/AnswerSnapshot.h"
#include "app/win/BrowseURL.h"
#include "app/win/MainMessages.h"
#include "app/win/PingMachine.h"
#include "app/win/PrintCorrections.h"
#include "classlib/FileStream.h"
#include "classlib/Scope.h"
#include "classlib/win/ActnList.h"
#include "classlib/win/ComCtrls.h"
#include "classlib/win/Dialogs.h"
#include "classlib/win/Forms.h"
#include "classlib/win/ImgList.h"
#include "classlib/win/Menus.h"
#include "classlib/win/PageControl.h"
#include "classlib/win/Panels.h"
#include "classlib/win/RichEdit.h"
#include "classlib/win/StdCtrls.h"
#include "classlib/win/TabSet.h"
#include "classlib/win/TreeView.h"
#include "controls/win/XcCheckBox.h"
#include "controls/win/XcImageList.h"
#include "controls/win/XcMenus.h"
#include "controls/win/XcPageControl.h"
#include "controls/win/XcPanel.h"
#include "controls/win/XcRadioButton.h"
#include "controls/win/XcRadioGroup.h"
#include "controls/win/XcRichEdit.h"
#include "controls/win/XcScrollBox.h"
#include "controls/win/XcSplit.h"
#include "controls/win/XcStaticText.h"
#include "controls/win/XcStatusBar.h"
#include "controls/win/XcTextListBox.h"
#include "controls/win/XcToolBar.h"
#include "controls/win/XcTreeView.h"
#include "controls/win/XcWizard.h"
#include "engine/EngineHost.h"
#include "engine/ErrorList.h"
#include "engine/calc1.h"
#include "persistence/StrHlder.h"
#include "persistence/win/Placemnt.h"
#include "preview/win/PvPreview.h"

class TMainForm;

// ---- The shell's state --------------------------------------------------------------
inline constexpr const char* kProductName = "Sprawozdawca";
// The colour of the tree of the active mode (a light blue); the other is clBtnFace.
inline constexpr cl::TColor kActiveTreeColor = static_cast<cl::TColor>(0x00F0CAA6);

extern TMainForm* MainForm;
extern bool AnswersModified;   // the wizard's answers changed since new, load or save
extern bool LoadingStatement;  // a statement file is being read or written
extern bool AddingForm;        // a form is being added to the selected forms
extern TemFrm* ShownForm;      // the form whose pages the preview shows
struct TOpenEditor {
    cl::TWinControl* Editor = nullptr;
    uint16_t Field = 0;
};
extern TOpenEditor OpenEditor;  // the open in-place field editor
extern uint16_t HoveredField;   // the field under the pointer

// A busy flag held for a scope (nesting restores the outer value).
using TBusyFlag = cl::FlagScope<bool>;

// Disconnects an event handler for its lifetime and reconnects it after.
template <class Event>
class TEventPause {
public:
    explicit TEventPause(Event& event) : event_(event), saved_(std::exchange(event, nullptr)) {}
    ~TEventPause() { event_ = std::move(saved_); }
    TEventPause(const TEventPause&) = delete;
    TEventPause& operator=(const TEventPause&) = delete;

private:
    Event& event_;
    Event saved_;
};

// One step of the wizard: the record of a node of the steps tree.
struct WizardStepRec {
    TXcWizardCustomPage* Page;
    int32_t StepNo;      // 0 unless the page has a subtitle
    int32_t VisitCount;  // times the page was left with its answers accepted
};

// ---- TMainForm ------------------------------------------------------------------------
class TMainForm : public cl::TForm {
    CL_CLASS(TMainForm, cl::TForm)
public:
    explicit TMainForm(cl::TComponent* owner);
    ~TMainForm() override;

    // Commands.
    cl::TActionList* ActionList1;
    cl::TAction *FileExit1, *Nowerozliczenie1, *Wczytajrozliczenie1, *Zapisacrozliczenie1, *Zapiszjako1,
        *Wydruk1, *Twojeformularze1, *Doborformularzy1, *Oprogramie1, *Powiekszenie1, *Pomniejszenie1,
        *Jedendojeden1, *FitToWidth1, *Fittoheight1, *Newfield1, *Newfocfile1;
    TBrowseURL* URL_upgrade;
    TXcImageList* XcImageList1;  // the trees' images
    TXcImageList* XcImageList2;  // the tool bars' and the actions' images
    TXcMainMenu* XcMainMenu1;
    TXcPopupMenu* XcPopupMenu1;  // the preview's pop-up menu (developer tool)
    TXcToolBar* XcToolBar1;
    TXcStatusBar* XcStatusBar1;

    // The left pane: steps, selection status, selected forms.
    TXcPanel* XcPanel2;
    TXcTreeView* XcTreeView1;
    TXcxSplitter* XcxSplitter2;
    TXcStaticText* XcStaticText1;
    TXcPanel* XcPanel6;
    TXcTreeView* XcTreeView2;
    TXcxSplitter* XcxSplitter3;

    // The right pane: the two sheets.
    TXcPanel* XcPanel1;
    TXcPageControl* XcPageControl1;  // all tabs hidden: the code switches the sheets
    TXcTabDefaultPainter* XcTabDefaultPainter1;
    cl::TTabSheet *TabSheet1, *TabSheet2;
    TXcWizard* XcWizard1;
    TXcWizardInteriorPage *Wiz0_1, *Wiz0_2, *Wiz1_0, *Wiz1_1, *Wiz1_2, *Wiz2_1, *Wiz100_1;
    TXcRichEdit *XcRichEdit1, *XcRichEdit2;
    TXcScrollBox *XcScrollBox1, *XcScrollBox2, *XcScrollBox3, *XcScrollBox4, *XcScrollBox5;
    TXcRadioGroup *rb0_2_1, *rb1_1_2, *rb1_1_3, *rb1_2_2;
    TXcRadioButton *cb1_0_1, *cb1_0_2;
    TXcCheckBox *cb1_1_1, *cb1_1_2, *cb1_1_3, *cb1_1_4, *cb1_2_1, *cb1_2_2, *cb2_1_1, *cb2_1_2;

    // The forms sheet.
    TXcToolBar* XcToolBar2;
    TXcPanel* XcPanel5;  // the paper list on the tool bar
    cl::TLabel *Label4, *Label1;
    cl::TComboBox* FormComboBox;
    TXcPanel* XcPanel3;  // the yellow bar with the form's title
    TPrintPreview* PrintPreview;
    cl::TTabSet* PageNavigator;
    TXcPanel* XcPanel4;  // holds the error list under the preview
    TXcTextListBox* ErrListBox;

    // Without a place on the screen.
    TXcCheckBox* Chb_aktualiz;  // hidden: check for updates at start
    cl::TOpenDialog* OpenDialog1;
    cl::TSaveDialog* SaveDialog1;
    TPingMachine* PingMachine;
    TStrHolder* StrHolder1;
    // Placement, pane sizes, the update check and the dialogs' folders between runs.
    TFormStorage* FormStorage1;

    // True while pages are rendered.
    bool Rendering = false;
    // Until the first form is shown (by a selection or a change of paper).
    bool FirstRendering = true;
    // Read by printing: print straight to the printer.
    bool UseDirectPrint = false;
    // The answers as the last page change left them ("p.gpi"), made on the first store.
    std::optional<TAnswerSnapshot> Snapshot;
    // At 1 while a field is framed or an editor opened or closed: that
    // work is not begun again from the messages it handles meanwhile.
    int HoverGuard = 0;
    int EditorGuard = 0;

    // ---- The shell (Main.cpp) ---------------------------------------------------------
    void FormCreate(cl::TObject* Sender);
    void FormShow(cl::TObject* Sender);
    void FormDestroy(cl::TObject* Sender);
    // The mode switch.
    void ShowWizardMode(cl::TObject* Sender);
    void Twojeformularze1Execute(cl::TObject* Sender);
    // The idle handler.
    void Oprogramie1Update(cl::TObject* Sender);
    // The about box, after committing an open field editor.
    void Oprogramie1Execute(cl::TObject* Sender);

    // ---- The message table (MainMessages.cpp) -----------------------------------------
    void WndProc(cl::TMessage& message) override;

    // ---- The shown form's pages (MainRender.cpp) --------------------------------------
    // Records the pages of the selected node's form and shows them.
    void ShowSelectedForm();
    // The preview's OnPaint: the shown form's values over the current page.
    void PrintPreviewPaint(cl::TObject* Sender, cl::TCanvas* Canvas, const cl::TRect& PageRect);

    // ---- In-place editing (MainEditing.cpp) ---------------------------------------------
    // Opens the editor of an Enabled field of the page shown, committing
    // the open one first; with Toggle a check box opens flipped.
    void BeginFieldEdit(int Field, bool Toggle);
    // Closes the open field editor, storing its value when Commit; a
    // refused value keeps it open and focused.
    void EndFieldEdit(bool Commit);
    // The keys the editors post (WM_USER+100): Tab and Enter to the next
    // field, with Shift to the previous one; Esc closes without storing.
    void PrintPreviewKeyDown(cl::TObject* Sender, WORD& Key, cl::TShiftState Shift);

    // ---- The wizard (MainWizard.cpp) ---------------------------------------------------
    // Completed when its last step is the end page.
    bool IsSelectionFinished() const;
    void XcWizard1ActivePageChanging(cl::TObject* Sender, TXcWizardCustomPage*& ToPage);
    void XcWizard1ActivePageChanged(cl::TObject* Sender);
    void XcTreeView1Change(cl::TObject* Sender, cl::TTreeNode* Node);
    void XcTreeView1Deletion(cl::TObject* Sender, cl::TTreeNode* Node);
    void XcTreeView1Compare(cl::TObject* Sender, cl::TTreeNode* Node1, cl::TTreeNode* Node2, intptr_t Data,
                            int& Compare);
    void Wiz100_1FinishButtonClick(cl::TObject* Sender, bool& Stop);
    // Pages without answers are always answered.
    bool IsPageAnswered(TXcWizardCustomPage* Page, bool ShowMessage);
    void ResetPageAnswers(TXcWizardCustomPage* Page);
    // 2 first pass, 1 changed (and accepted when Warn asks), 0 unchanged or refused.
    int CheckPageAnswersChanged(bool Warn, TXcWizardCustomPage* Page);
    void RestorePageAnswers(TXcWizardCustomPage* Page);
    void StoreWizardAnswers();

    // ---- The selection rules and the selected forms (MainSelection.cpp) ---------------
    void ApplySelectionRules(TXcWizardCustomPage* Page);
    // The new node's index; -1 for a name not in the catalogue or already selected.
    int AddSelectedForm(const std::string& Name);
    // 0 when removed or not selected, -1 when deleting failed.
    int RemoveSelectedForm(const std::string& Name);
    // Index 0 Wiz0_1, 1 Wiz0_2, 2 Wiz1_0: every later step and every
    // selected form go.  False when a deletion failed (reported).
    bool DeleteStepsFrom(int Index);
    void DeleteStepsAfterPage(TXcWizardCustomPage* Page);
    void XcTreeView2Change(cl::TObject* Sender, cl::TTreeNode* Node);
    void XcTreeView2Deletion(cl::TObject* Sender, cl::TTreeNode* Node);

    // ---- The developer tool (MainDevTool.cpp) ------------------------------------------
    // "FocFile.txt" in the program folder, open (for appending) from "New
    // FocFile" or the first field written until the window goes.
    std::unique_ptr<cl::TFileStream> FocFile;
    // The definition "New field" made; the drag on the page that follows
    // places it and writes it to FocFile.
    std::vector<std::string> PendingDefinition;
    void Newfocfile1Execute(cl::TObject* Sender);
    void Newfield1Execute(cl::TObject* Sender);

    // ---- The statement commands (MainFile.cpp) ----------------------------------------
    void Nowerozliczenie1Execute(cl::TObject* Sender);
    void Wczytajrozliczenie1Execute(cl::TObject* Sender);
    void Zapisacrozliczenie1Execute(cl::TObject* Sender);
    void Zapiszjako1Execute(cl::TObject* Sender);
    // True when the file was written.
    bool SaveToCurrentFile();
    bool SaveWithDialog();
    // The statement file named in Header (app/StatementFile.h results).
    int SaveStatementToFile(const TRz_NaglRec& Header);
    int LoadStatementFromFile(const TRz_NaglRec& Header);
    void FormCloseQuery(cl::TObject* Sender, bool& CanClose);

    // ---- Printing (MainPrint.cpp) -------------------------------------------------------
    void Wydruk1Execute(cl::TObject* Sender);
    // One print job of the form's pages (PageNo <= 0: every page); false
    // when it failed (the user was told).
    bool BuildPrintPages(TemFrm* Form, int PageNo);
    // The preview's OnPrintDir: the values of the form pvFA over its page.
    void PrintPreviewPrinDir(cl::TObject* Sender, cl::TCanvas* Canvas, const cl::TRect& PageRect, int Page,
                             void* pvFA);
};

// Each file of the window wires its own handlers; the constructor calls them.
void AttachShellHandlers(TMainForm& form);
void AttachRenderHandlers(TMainForm& form);
void AttachWizardHandlers(TMainForm& form);
void AttachSelectionHandlers(TMainForm& form);
void AttachEditingHandlers(TMainForm& form);
// After the handlers of the preview's mouse: design mode goes first.
void AttachDevToolHandlers(TMainForm& form);
void AttachFileHandlers(TMainForm& form);
void AttachPrintHandlers(TMainForm& form);
// Closes "FocFile.txt" when it is open.
void CloseFocFile(TMainForm& form) noexcept;
// Reads the wizard's last page's text into its viewer (a failure is shown there).
void LoadSelectionEndText(TMainForm& form);

// Commits the open field editor; when it stays open (its value was
// refused) it gets the focus back and the caller does nothing: false.
bool CommitOpenEditor(TMainForm& form);
