// Message boxes and file dialogs: the test hooks, the wide API with the
// Windows-1250 text converted, the owner, MessageDlg's captions, icons and
// buttons, and the file dialogs' options.  Also shortcuts' text and shift
// states.
#include "classlib/win/Dialogs.h"

#include <gtest/gtest.h>

#include "classlib/win/ExtCtrls.h"
#include "classlib/win/Forms.h"
#include "classlib/win/WideText.h"
#include "tests/win/FormsTestSupport.h"

namespace {

using namespace cl;
using namespace cltest;

// Runs body once a dialog box of this thread shows, from a timer inside
// the dialog's own message loop.
class OnDialog {
public:
    explicit OnDialog(std::function<void(HWND)> body) : body_(std::move(body)) {
        timer_->SetInterval(30);
        timer_->SetOnTimer([this](TObject*) {
            HWND dialog = FindDialog();
            if (!dialog) return;
            timer_->SetEnabled(false);
            body_(dialog);
        });
    }

private:
    static BOOL CALLBACK Check(HWND wnd, LPARAM lp) {
        wchar_t cls[16] = {};
        GetClassNameW(wnd, cls, 16);
        if (std::wstring(cls) == L"#32770" && IsWindowVisible(wnd)) {
            *reinterpret_cast<HWND*>(lp) = wnd;
            return FALSE;
        }
        return TRUE;
    }
    static HWND FindDialog() {
        HWND found = nullptr;
        EnumThreadWindows(GetCurrentThreadId(), Check, reinterpret_cast<LPARAM>(&found));
        return found;
    }

    std::function<void(HWND)> body_;
    Owned<TTimer> timer_{new TTimer(nullptr)};
};

std::wstring WindowText(HWND wnd) {
    wchar_t text[256] = {};
    GetWindowTextW(wnd, text, 256);
    return text;
}

TEST(MessageBoxes, RealBoxShowsPolishTextThroughWideApi) {
    std::wstring caption, text;
    OnDialog answer([&](HWND box) {
        caption = WindowText(box);
        text = WindowText(GetDlgItem(box, 0xFFFF));
        PostMessageW(box, WM_COMMAND, IDNO, 0);
    });
    const int result = ShowMessageBox(nullptr, "Nieprawidłowa wartość pola. Poprawić?", "Uwaga", MB_YESNO);
    EXPECT_EQ(result, IDNO);
    EXPECT_EQ(caption, L"Uwaga");
    EXPECT_EQ(text, L"Nieprawidłowa wartość pola. Poprawić?");
}

TEST(MessageBoxes, ApplicationBoxIsOwnedByActiveFormAndDisablesOthers) {
    Owned<TForm> other = Make<TForm>(nullptr);
    other->Show();
    Owned<TForm> active = Make<TForm>(nullptr);
    active->Show();
    Pump();
    ASSERT_EQ(Screen->ActiveForm(), active.get());
    bool otherEnabled = true;
    MessageBoxRecord seen{};
    SetMessageBoxHook([&](HWND owner, const std::string& text, const std::string& caption, UINT flags) {
        seen = {owner, text, caption, flags};
        otherEnabled = IsWindowEnabled(other->Handle()) != FALSE;
        return IDYES;
    });
    const int answer =
        Application->MessageBox("Czy zapisać aktualne sprawozdanie na dysku?", "Pytanie", MB_YESNOCANCEL);
    SetMessageBoxHook(nullptr);
    EXPECT_EQ(answer, IDYES);
    EXPECT_EQ(seen.owner, active->Handle());
    EXPECT_EQ(seen.text, "Czy zapisać aktualne sprawozdanie na dysku?");
    EXPECT_EQ(seen.caption, "Pytanie");
    EXPECT_EQ(seen.flags, UINT(MB_YESNOCANCEL));
    EXPECT_FALSE(otherEnabled);
    EXPECT_TRUE(IsWindowEnabled(other->Handle()));
}

TEST(MessageBoxes, MessageDlgTypesAndButtons) {
    struct Case {
        TMsgDlgType type;
        TMsgDlgButtons buttons;
        const char* caption;
        UINT flags;
    };
    const Case cases[] = {
        {mtWarning, mbOK, "Ostrzeżenie", MB_OK | MB_ICONWARNING},
        {mtError, mbOK, "Błąd", MB_OK | MB_ICONERROR},
        {mtInformation, mbOKCancel, "Informacja", MB_OKCANCEL | MB_ICONINFORMATION},
        {mtConfirmation, mbYes | mbNo, "Potwierdzenie", MB_YESNO | MB_ICONQUESTION},
        {mtConfirmation, mbYesNoCancel, "Potwierdzenie", MB_YESNOCANCEL | MB_ICONQUESTION},
        {mtWarning, mbAbortRetryIgnore, "Ostrzeżenie", MB_ABORTRETRYIGNORE | MB_ICONWARNING},
        {mtError, mbRetry | mbCancel, "Błąd", MB_RETRYCANCEL | MB_ICONERROR},
        {mtCustom, mbOK | mbHelp, "Sprawozdawca ", MB_OK | MB_HELP},
    };
    const std::string savedTitle = Application->Title();
    Application->SetTitle("Sprawozdawca ");
    for (const Case& c : cases) {
        AnsweredMessageBoxes answers(IDRETRY);
        EXPECT_EQ(MessageDlg("Tekst", c.type, c.buttons, 0), mrRetry);
        ASSERT_EQ(answers.boxes.size(), 1u);
        EXPECT_EQ(answers.boxes[0].caption, c.caption);
        EXPECT_EQ(answers.boxes[0].flags, c.flags) << c.caption;
        EXPECT_EQ(answers.boxes[0].text, "Tekst");
    }
    Application->SetTitle(savedTitle);
}

TEST(FileDialogs, HookSeesPropertiesAndAnswersForTheDialog) {
    Owned<TComponent> owner(new TComponent(nullptr));
    auto* open = new TOpenDialog(owner.get());
    open->SetDefaultExt("spr");
    open->SetFilter("Pliki sprawozdań finans. (*.spr)|*.spr|Wszystkie pliki (*.*)|*.*");
    open->SetInitialDir("C:\\dane\\sprawozdania");
    open->SetOptions(ofHideReadOnly | ofPathMustExist | ofFileMustExist | ofEnableSizing);
    std::vector<bool> saves;
    SetFileDialogHook([&](TOpenDialog& d, bool save) {
        saves.push_back(save);
        EXPECT_EQ(d.InitialDir(), "C:\\dane\\sprawozdania");
        d.SetFileName("C:\\dane\\sprawozdania\\rok.spr");
        return !save;
    });
    EXPECT_TRUE(open->Execute());
    EXPECT_EQ(open->FileName(), "C:\\dane\\sprawozdania\\rok.spr");
    auto* save = new TSaveDialog(owner.get());
    save->SetInitialDir("C:\\dane\\sprawozdania");
    EXPECT_FALSE(save->Execute());
    SetFileDialogHook(nullptr);
    EXPECT_EQ(saves, (std::vector<bool>{false, true}));
}

TEST(FileDialogs, OptionsBecomeTheSystemsFlags) {
    struct Case {
        TOpenOptions options;
        DWORD flags;
    };
    const Case cases[] = {
        {0, OFN_EXPLORER},
        {ofHideReadOnly | ofEnableSizing, OFN_EXPLORER | OFN_HIDEREADONLY | OFN_ENABLESIZING},
        {ofOverwritePrompt | ofPathMustExist | ofFileMustExist,
         OFN_EXPLORER | OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST},
        {ofOldStyleDialog | ofNoChangeDir, OFN_NOCHANGEDIR},
    };
    for (const Case& c : cases) EXPECT_EQ(TOpenDialog::OptionsToFlags(c.options), c.flags) << c.options;
    Owned<TOpenDialog> d(new TOpenDialog(nullptr));
    EXPECT_EQ(d->Options(), TOpenOptions(ofHideReadOnly | ofEnableSizing));
}

TEST(FileDialogs, RealDialogShowsTitleAndCancels) {
    Owned<TOpenDialog> open(new TOpenDialog(nullptr));
    open->SetTitle("Wczytaj sprawozdanie – wybór");
    open->SetFilter("Pliki sprawozdań (*.spr)|*.spr");
    std::wstring title;
    OnDialog cancel([&](HWND dialog) {
        title = WindowText(dialog);
        PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
    });
    EXPECT_FALSE(open->Execute());
    EXPECT_EQ(title, L"Wczytaj sprawozdanie – wybór");
}

TEST(ShortCuts, TextOfShortcutsAndBack) {
    struct Case {
        TShortCut shortCut;
        const char* text;
    };
    const Case cases[] = {
        {ShortCut('N', ssCtrl), "Ctrl+N"},
        {ShortCut('S', ssCtrl), "Ctrl+S"},
        {ShortCut(VK_F5, ssShift | ssCtrl), "Shift+Ctrl+F5"},
        {ShortCut(VK_DELETE, 0), "Del"},
        {ShortCut('X', ssAlt), "Alt+X"},
        {ShortCut(VK_RETURN, ssCtrl), "Ctrl+Enter"},
        {ShortCut('7', 0), "7"},
        {ShortCut(VK_F12, 0), "F12"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ShortCutToText(c.shortCut), c.text);
        EXPECT_EQ(TextToShortCut(c.text), c.shortCut) << c.text;
    }
    EXPECT_EQ(ShortCutToText(scNone), "");
    EXPECT_EQ(TextToShortCut("Ctrl+"), scNone);
    EXPECT_EQ(TextToShortCut("ctrl+n"), ShortCut('N', ssCtrl));
    EXPECT_EQ(ShortCut(0x100, ssCtrl), scNone);
}

TEST(ShiftStates, FromMouseKeysAndKeyboard) {
    EXPECT_EQ(KeysToShiftState(MK_SHIFT | MK_LBUTTON), TShiftState(ssShift | ssLeft));
    EXPECT_EQ(KeysToShiftState(MK_CONTROL | MK_RBUTTON | MK_MBUTTON),
              TShiftState(ssCtrl | ssRight | ssMiddle));
    {
        HeldKeys keys{VK_SHIFT, VK_CONTROL};
        EXPECT_EQ(KeyDataToShiftState(0), TShiftState(ssShift | ssCtrl));
        EXPECT_EQ(KeyDataToShiftState(0x20000000), TShiftState(ssShift | ssCtrl | ssAlt));
    }
    EXPECT_EQ(KeyDataToShiftState(0), TShiftState(0));
}

TEST(UtilityWindows, AllocatedWindowHandsMessagesToItsMethod) {
    std::vector<UINT> got;
    HWND wnd = nullptr;
    wnd = AllocateHWnd([&](TMessage& m) {
        got.push_back(m.Msg);
        if (m.Msg == WM_APP) {
            m.Result = 77;
            return;
        }
        m.Result = DefWindowProcW(wnd, m.Msg, m.WParam, m.LParam);
    });
    ASSERT_NE(wnd, nullptr);
    EXPECT_FALSE(IsWindowVisible(wnd));
    EXPECT_EQ(SendMessageW(wnd, WM_APP, 0, 0), 77);
    DeallocateHWnd(wnd);
    EXPECT_FALSE(IsWindow(wnd));
    EXPECT_EQ(got.back(), UINT(WM_APP));
}

}  // namespace
