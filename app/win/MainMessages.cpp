// The main window's message table: what the other parts of the program ask
// of it by WM_USER messages, and the two that come from its own start-up,
// the update check and the close for an update.
#include "app/win/MainMessages.h"

#include "app/UpdateCheck.h"
#include "app/win/DialogParts.h"
#include "app/win/Main.h"
#include "app/win/k_konc1.h"
#include "classlib/StrUtils.h"
#include "engine/win/EngineHostWin.h"

using namespace cl;

HWND MainFormHandle = nullptr;

// The engine's host sends the same two.
static_assert(WM_USER_ERROR_LIST == WM_USER_REFILL_ERRORS &&
              WM_USER_FORM_SELECTED == WM_USER_IS_FORM_SELECTED);

namespace {

// Whether a selected form has the name (without regard to case).
bool IsFormSelected(const TMainForm& f, const std::string& name) {
    const std::string wanted = UpperCase(name);
    TTreeNodes* nodes = f.XcTreeView2->Items();
    for (int i = 0; i < nodes->Count(); ++i) {
        const auto* form = static_cast<const TemFrm*>(nodes->Item(i)->Data());
        if (form && UpperCase(form->Name) == wanted) return true;
    }
    return false;
}

void RefillErrorList(TMainForm& f) {
    TStrings* items = f.ErrListBox->Items();
    items->Clear();
    for (int i = 0; i < ErrorList.Count(); ++i) items->Add(ErrorList.Items(i).Text);
}

// On the window's thread: the window waits, under the hourglass, until
// the server has answered or failed.
void CheckUpdate(TMainForm& f) {
    Application->ProcessMessages();
    if (CheckForUpdate() != kUpdateAvailable) return;
    const int answer = Application->MessageBox(
        "Dostępna jest nowsza wersja programu, czy chcesz ją teraz pobrać i zainstalować?\r\r"
        "Instalacji może dokonać użytkownik posiadający uprawnienia do dokonywania zapisu plików w folderze "
        "instalacji programu.",
        "Aktualizacja przez internet", MB_YESNO);
    if (answer == IDYES) PostMessageW(f.Handle(), WM_USER_CLOSE_FOR_UPDATE, 0, 0);
}

void CloseForUpdate(TMainForm& f) {
    if (f.XcPageControl1->ActivePage() == f.TabSheet2) {
        f.EndFieldEdit(true);
        Application->ProcessMessages();
        if (OpenEditor.Editor) {
            Application->MessageBox("Proces został wstrzymany. Proszę ponowić próbę.", "Uwaga", MB_OK);
            return;
        }
    }
    if (AnswersModified || DataModified) {
        const int answer = Application->MessageBox(
            "Program zostanie automatycznie zamknięty. Czy zapisać aktualne rozliczenie na dysku?", "Pytanie",
            MB_YESNOCANCEL);
        if (answer == IDCANCEL) return;
        if (answer == IDYES) {
            f.Zapisacrozliczenie1Execute(f.Zapisacrozliczenie1);
            // A save that failed or was cancelled leaves the flags set and
            // keeps the program open.
            if (AnswersModified || DataModified) return;
        }
    }
    // The flags are dropped only on the way out: when the page cannot be
    // opened the program stays open and still knows what is unsaved.
    const bool answers = AnswersModified, data = DataModified;
    try {
        f.URL_upgrade->Execute();
        AnswersModified = DataModified = false;
        f.FileExit1->Execute();
    } catch (const std::exception&) {
        AnswersModified = answers;
        DataModified = data;
        Application->MessageBox("Niepowodzenie przy próbie otwarcia witryny internetowej.", "Błąd", MB_OK);
    }
}

// While it is shown the main window is disabled, so the idle rule that
// posts WM_USER+11 rests until it closes.
void ShowEndOfSelection(TMainForm& f) {
    RunDialog<Tk_konc1Dlg>(&f);
}

}  // namespace

void TMainForm::WndProc(TMessage& m) {
    switch (m.Msg) {
        case WM_USER_WIZARD_STEP:
            XcWizard1ActivePageChanged(XcWizard1);
            return;
        case WM_USER_ERROR_LIST:
            RefillErrorList(*this);
            return;
        case WM_USER_CLOSE_FOR_UPDATE:
            CloseForUpdate(*this);
            return;
        case WM_USER_CHECK_UPDATE:
            CheckUpdate(*this);
            return;
        case WM_USER_AUTO_UPDATE:
            Chb_aktualiz->SetChecked(m.LParam != 0);
            return;
        case WM_USER_CLOSE_NO_SAVE:
            AnswersModified = DataModified = false;
            Close();
            return;
        case WM_USER_NEW_NO_SAVE:
            // With nothing modified the command does not ask to save.
            AnswersModified = DataModified = false;
            Application->ProcessMessages();
            Nowerozliczenie1Execute(Nowerozliczenie1);
            return;
        case WM_USER_END_OF_SELECTION:
            Application->ProcessMessages();
            ShowEndOfSelection(*this);
            return;
        case WM_USER_EDITOR_KEY:
            // Only a key packed by a field editor (the marker 1 in bits 16-23).
            if (((m.LParam >> 16) & 0xFF) == 1) {
                WORD key = LOWORD(m.LParam);
                PrintPreviewKeyDown(PrintPreview, key, static_cast<TShiftState>((m.LParam >> 24) & 0x7F));
            }
            return;
        case WM_USER_EDITOR_EXIT:
            return;
        case WM_USER_CHECKBOX_CLICK:
            if (LOWORD(m.LParam) != 0) {
                Application->ProcessMessages();
                PrintPreview->UpdatePreview();
                Application->ProcessMessages();
            }
            return;
        case WM_USER_FIND_FORM_CHILD:
        case WM_USER_FIND_FORM_CHILD2:
            // Selected forms have no child nodes to find.
            m.Result = 0;
            return;
        case WM_USER_ENTITY_KIND:
            m.Result = rb0_2_1->ItemIndex();
            return;
        case WM_USER_FORM_SELECTED:
            m.Result = IsFormSelected(*this, CurrentFormName) ? 1 : 0;
            return;
        default:
            TForm::WndProc(m);
    }
}
