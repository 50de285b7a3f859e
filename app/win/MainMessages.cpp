// The main window's message table: what the other parts of the program ask
// of it by WM_USER messages, and the two that come from its own start-up,
// the update check and the close for an update.
#include "app/UpdateCheck.h"
#include "app/win/Main.h"

using namespace cl;

void TMainForm::WndProc(TMessage& m) {
    switch (m.Msg) {
        case WM_USER_WIZARD_STEP:
            XcWizard1ActivePageChanged(XcWizard1);
            return;
        case WM_USER_ERROR_LIST:
            RefillErrorList();
            return;
        case WM_USER_CLOSE_FOR_UPDATE:
            CloseForUpdate();
            return;
        case WM_USER_CHECK_UPDATE:
            CheckUpdate();
            return;
        case WM_USER_AUTO_UPDATE:
            Chb_aktualiz->SetChecked(m.LParam != 0);
            return;
        case WM_USER_CLOSE_NO_SAVE:
            AnswersModified = DataModified = false;
            Close();
            return;
        case WM_USER_NEW_NO_SAVE:
            AnswersModified = DataModified = false;
            Application->ProcessMessages();
            NewStatement(false);
            return;
        case WM_USER_END_OF_SELECTION:
            Application->ProcessMessages();
            ShowEndOfSelection();
            return;
        case WM_USER_EDITOR_KEY:
            // Only a key packed by a field editor (the marker 1 in bits 16-23).
            if (((m.LParam >> 16) & 0xFF) == 1)
                PreviewKey(LOWORD(m.LParam), static_cast<TShiftState>((m.LParam >> 24) & 0x7F));
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
            m.Result = IsFormSelected(CurrentFormName) ? 1 : 0;
            return;
        default:
            TForm::WndProc(m);
    }
}

void TMainForm::RefillErrorList() {
    TStrings* items = ErrListBox->Items();
    items->Clear();
    for (int i = 0; i < ErrorList.Count(); ++i) items->Add(ErrorList.Items(i).Text);
}

void TMainForm::CheckUpdate() {
    Application->ProcessMessages();
    if (CheckForUpdate() != kUpdateAvailable) return;
    const int answer = Application->MessageBox(
        "Dostępna jest nowsza wersja programu, czy chcesz ją teraz pobrać i zainstalować?\r\r"
        "Instalacji może dokonać użytkownik posiadający uprawnienia do dokonywania zapisu plików w folderze "
        "instalacji programu.",
        "Aktualizacja przez internet", MB_YESNO);
    if (answer == IDYES) PostMessageW(Handle(), WM_USER_CLOSE_FOR_UPDATE, 0, 0);
}

void TMainForm::CloseForUpdate() {
    if (XcPageControl1->ActivePage() == TabSheet2) {
        CommitOpenEditor();
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
        // Cancel, or a save that failed or was cancelled, keeps the program open.
        if (answer == IDCANCEL || (answer == IDYES && !SaveStatement())) return;
    }
    // The flags are dropped only on the way out: when the page cannot be
    // opened the program stays open and still knows what is unsaved.
    const bool answers = AnswersModified, data = DataModified;
    try {
        URL_upgrade->Execute();
        AnswersModified = DataModified = false;
        FileExit1->Execute();
    } catch (const std::exception&) {
        AnswersModified = answers;
        DataModified = data;
        Application->MessageBox("Niepowodzenie przy próbie otwarcia witryny internetowej.", "Błąd", MB_OK);
    }
}
