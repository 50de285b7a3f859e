#pragma once
// The main window (unit Main): the wizard sheet and the forms sheet, the
// commands and their enable rules, the idle updates of the status text and
// the caption, the busy flags, the switch between the two modes, and the
// table of messages through which the other parts reach the window.
//
// The components are built in code with the names of the window's stored
// layout, so that the test driver finds them by name.  Plain class-library
// controls stand in for the enhanced controls; a page control with hidden
// tabs stands in for the wizard control, its pages laid out with the
// answer controls (the wizard's behaviour is not here yet).

#include <windows.h>

#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <utility>
#include <vector>

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
#include "engine/ErrorList.h"
#include "engine/calc1.h"
#include "engine/win/EngineHostWin.h"
#include "persistence/StrHlder.h"
#include "preview/win/PvPreview.h"

class TMainForm;

// ---- Messages to the main window (WParam 0) --------------------------------------
constexpr UINT WM_USER_WIZARD_STEP = WM_USER + 1;         // posted: run the page-changed handler again
constexpr UINT WM_USER_ERROR_LIST = WM_USER + 5;          // posted: refill ErrListBox
constexpr UINT WM_USER_CLOSE_FOR_UPDATE = WM_USER + 6;    // posted: close for an update
constexpr UINT WM_USER_CHECK_UPDATE = WM_USER + 7;        // posted: the online update check
constexpr UINT WM_USER_AUTO_UPDATE = WM_USER + 8;         // posted: LParam non-zero checks at start
constexpr UINT WM_USER_CLOSE_NO_SAVE = WM_USER + 9;       // posted: close without the save prompt
constexpr UINT WM_USER_NEW_NO_SAVE = WM_USER + 10;        // posted: new statement without the prompt
constexpr UINT WM_USER_END_OF_SELECTION = WM_USER + 11;   // posted: the end-of-selection dialog
constexpr UINT WM_USER_EDITOR_KEY = WM_USER + 100;        // posted: key, 1 << 16, shift << 24
constexpr UINT WM_USER_EDITOR_EXIT = WM_USER + 101;       // sent: a field editor lost the focus
constexpr UINT WM_USER_CHECKBOX_CLICK = WM_USER + 102;    // sent: field number (+$10000 ticked)
constexpr UINT WM_USER_FIND_FORM_CHILD = WM_USER + 200;   // query, result 0
constexpr UINT WM_USER_FIND_FORM_CHILD2 = WM_USER + 201;  // query, result 0
constexpr UINT WM_USER_ENTITY_KIND = WM_USER + 202;       // query: rb0_2_1's ItemIndex
constexpr UINT WM_USER_FORM_SELECTED = WM_USER + 203;     // sent: 1 when CurrentFormName is selected
// The engine's host sends the same two.
static_assert(WM_USER_ERROR_LIST == WM_USER_REFILL_ERRORS &&
              WM_USER_FORM_SELECTED == WM_USER_IS_FORM_SELECTED);

// ---- The shell's state --------------------------------------------------------------
inline constexpr const char* kProductName = "Sprawozdawca";
// The colour of the tree of the active mode (a light blue); the other is clBtnFace.
inline constexpr cl::TColor kActiveTreeColor = static_cast<cl::TColor>(0x00F0CAA6);

extern TMainForm* MainForm;
// The main window's handle, the target of WM_USER+1 (the engine keeps its own
// copy, MainWindowHandle, for the rest of the table).
extern HWND MainFormHandle;
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
// Print corrections in tenths of a millimetre.
extern int32_t LeftCorrection, TopCorrection, TextXCorrection, TextYCorrection;

// The settings file's name as every form-state component asks for it;
// installed by the program block before any window exists.
using TSettingsFileNameFunc = std::string (*)();
extern TSettingsFileNameFunc SettingsFileNameFunc;

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

// ---- Small components of the window -----------------------------------------------
// Opens its URL in the user's browser; raises when the system cannot.
class TBrowseURL : public cl::TAction {
    CL_CLASS(TBrowseURL, cl::TAction)
public:
    using TAction::TAction;
    const std::string& URL() const { return url_; }
    void SetURL(const std::string& value) { url_ = value; }
    bool Execute() override;

private:
    std::string url_;
};

// The window's ICMP client: it does nothing but start the Windows socket
// library while it exists.
class TPingMachine : public cl::TComponent {
    CL_CLASS(TPingMachine, cl::TComponent)
public:
    explicit TPingMachine(cl::TComponent* owner);
    ~TPingMachine() override;

private:
    bool started_ = false;
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
    cl::TImageList* XcImageList1;  // the trees' images
    cl::TImageList* XcImageList2;  // the tool bars' and the actions' images
    cl::TMainMenu* XcMainMenu1;
    cl::TPopupMenu* XcPopupMenu1;  // the preview's pop-up menu (developer tool)
    cl::TToolBar* XcToolBar1;
    cl::TStatusBar* XcStatusBar1;

    // The left pane: steps, selection status, selected forms.
    cl::TPanel* XcPanel2;
    cl::TTreeView* XcTreeView1;
    cl::TSplitter* XcxSplitter2;
    cl::TStaticText* XcStaticText1;
    cl::TPanel* XcPanel6;
    cl::TTreeView* XcTreeView2;
    cl::TSplitter* XcxSplitter1;

    // The right pane: the two sheets.
    cl::TPanel* XcPanel1;
    cl::TPageControl* XcPageControl1;
    cl::TTabSheet *TabSheet1, *TabSheet2;
    cl::TPageControl* XcWizard1;
    cl::TTabSheet *Wiz0_1, *Wiz0_2, *Wiz1_0, *Wiz1_1, *Wiz1_2, *Wiz2_1, *Wiz100_1;
    cl::TRichEdit *XcRichEdit1, *XcRichEdit2;
    cl::TScrollBox *XcScrollBox1, *XcScrollBox2, *XcScrollBox3, *XcScrollBox4, *XcScrollBox5;
    cl::TRadioGroup *rb0_2_1, *rb1_1_2, *rb1_1_3, *rb1_2_2;
    cl::TRadioButton *cb1_0_1, *cb1_0_2;
    cl::TCheckBox *cb1_1_1, *cb1_1_2, *cb1_1_3, *cb1_1_4, *cb1_2_1, *cb1_2_2, *cb2_1_1, *cb2_1_2;

    // The forms sheet.
    cl::TToolBar* XcToolBar2;
    cl::TPanel* XcPanel5;  // the paper list on the tool bar
    cl::TLabel *Label4, *Label1;
    cl::TComboBox* FormComboBox;
    cl::TPanel* XcPanel3;  // the yellow bar with the form's title
    TPrintPreview* PrintPreview;
    cl::TTabSet* PageNavigator;
    cl::TPanel* XcPanel7;  // holds the error list under the preview
    cl::TListBox* ErrListBox;

    // Without a place on the screen.
    cl::TCheckBox* Chb_aktualiz;  // hidden: check for updates at start
    cl::TOpenDialog* OpenDialog1;
    cl::TSaveDialog* SaveDialog1;
    TPingMachine* PingMachine;
    TStrHolder* StrHolder1;

    // True while pages are rendered.
    bool Rendering = false;
    // Read by printing: print straight to the printer.
    bool UseDirectPrint = false;

    // The wizard has been completed (its last step is the end page).
    bool IsSelectionFinished() const;
    // A command may run: no statement is loading, no form is being added,
    // nothing is rendering.
    bool IsIdle() const { return !LoadingStatement && !AddingForm && !Rendering; }
    // Whether a selected form has the name (without regard to case).
    bool IsFormSelected(const std::string& name) const;

    // The mode switch.
    void ShowWizardMode(cl::TObject* Sender);
    void Twojeformularze1Execute(cl::TObject* Sender);
    // The idle handler.
    void Oprogramie1Update(cl::TObject* Sender);

    void WndProc(cl::TMessage& message) override;

private:
    // Building the window (MainCreate.cpp).
    void BuildActions();
    void BuildMenus();
    void BuildLeftPane();
    void BuildWizard();
    void BuildFormsSheet();
    void BuildHiddenComponents();
    void AttachHandlers();
    // A page whose content joins it the first time it shows; AddToPage
    // puts a control on a page, at once or then.
    void FillWhenShown(cl::TTabSheet* page);
    void AddToPage(cl::TTabSheet* page, cl::TControl* control);
    void FillPage(cl::TTabSheet* page);

    // Window events (Main.cpp).
    void FormCreate(cl::TObject* Sender);
    void FormShow(cl::TObject* Sender);
    void FormDestroy(cl::TObject* Sender);
    // Loads a rich text of the wizard; a failure is shown in the viewer and
    // the set-up goes on.
    void LoadWizardText(cl::TRichEdit* viewer, const std::string& fileName);
    void XcTreeView2Change(cl::TObject* Sender, cl::TTreeNode* Node);
    void XcTreeView2Deletion(cl::TObject* Sender, cl::TTreeNode* Node);
    // Commits the open field editor; false when it stays open.
    bool CommitOpenEditor();
    void FocusOpenEditor();
    // Later parts fill these in.
    void NewStatement(bool askToSave);
    bool SaveStatement();
    void ShowEndOfSelection();
    void XcWizard1ActivePageChanged(cl::TObject* Sender);
    void PreviewKey(WORD key, cl::TShiftState shift);

    // The message table (MainMessages.cpp).
    void RefillErrorList();
    void CloseForUpdate();
    void CheckUpdate();

    std::map<cl::TTabSheet*, std::vector<cl::TControl*>> pendingContent_;
    std::vector<std::pair<cl::TRadioGroup*, cl::TScrollBox*>> pendingGroups_;
};
