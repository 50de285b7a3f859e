// The about box, the licence viewer and the end-of-selection dialog of
// Sprawozdawca.exe driven as a user drives them: Alt+O with the version
// line, the update button against the tests' own server, the update-check
// choice kept for the next start, the installed licence and its fallback,
// and the dialog that ends a selection of no form.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "app/LicenceText.h"
#include "tests/app/win/InstalledProgramTest.h"
#include "tests/driver/RemoteBuffer.h"
#include "tests/driver/TreeViews.h"
#include "tests/support/Files.h"
#include "tests/support/TinyHttpServer.h"

namespace {

using namespace e2e;
using cltest::ClosedPort;
using cltest::TinyHttpServer;

constexpr int kPortWaitMs = 60000;
// Posted by the idle rule when the finished selection holds no form.
constexpr UINT kEndOfSelection = WM_USER + 11;

const char* const kNewerBuild = "30008\r\n3.0.0.8\r\nWersja 3.0.0.8\r\n";
const char* const kSameBuild = "30007\r\n3.0.0.7\r\nWersja 3.0.0.7\r\n";

class DialogsE2eTest : public InstalledProgramTest {
protected:
    void SetUp() override { copy_.Remove("pi\\intro.html"); }

    static std::string SettingsFile() { return cltest::DataFolderName() + "Sprawozdawca.kon"; }

    void Quit() {
        PostMessageW(main_, WM_CLOSE, 0, 0);
        EXPECT_TRUE(program_->WaitForExit(10000));
        program_.reset();
    }
    // The window of that name below parent.
    static HWND Child(HWND parent, const std::string& name) {
        for (HWND wnd : Descendants(parent))
            if (ComponentName(wnd) == name) return wnd;
        return nullptr;
    }
    // Alt+O, as the menu's "&O programie" takes it.
    HWND OpenAbout() {
        PostAltKey(main_, 'O');
        HWND about = program_->WaitForName("About1Dlg", 5000);
        EXPECT_TRUE(about) << program_->Describe();
        EXPECT_TRUE(program_->WaitForIdle());
        return about;
    }
    // The message box on the screen, answered with the button id.
    TMessageBoxView Answer(int id) {
        HWND box = program_->WaitForMessageBox(15000);
        EXPECT_TRUE(box) << program_->Describe();
        if (!box) return {};
        const TMessageBoxView view = ReadMessageBox(box);
        PressButton(box, id);
        EXPECT_TRUE(WaitUntil([&] { return !program_->FindMessageBox(); }, 5000));
        EXPECT_TRUE(program_->WaitForIdle());
        return view;
    }
    bool Shown(const std::string& name) { return program_->FindByName(name) != nullptr; }
    // The tool bar's save button (exit, a separator, new, load, save) can
    // be pressed: something is unsaved.
    bool SaveEnabled() const {
        HWND bar = program_->FindByName("XcToolBar1");
        TRemoteBuffer button(bar, sizeof(TBBUTTON));
        TBBUTTON b{};
        if (!button.Valid() || !Ask(bar, TB_GETBUTTON, 4, button.Param()) || !button.Read(0, &b, sizeof b)) {
            ADD_FAILURE() << "no save button";
            return false;
        }
        return Ask(bar, TB_ISBUTTONENABLED, static_cast<WPARAM>(b.idCommand)) != 0;
    }
};

TEST_F(DialogsE2eTest, AltOShowsTheAboutBoxWithTheVersionLine) {
    ClosedPort port(SPRAW_E2E_PORT, kPortWaitMs);
    ASSERT_TRUE(port.Held());
    Start();
    HWND about = OpenAbout();
    ASSERT_TRUE(about);
    EXPECT_EQ(WindowText(about), "O programie");
    HWND description = Child(about, "Label1");
    EXPECT_EQ(WindowText(description), "Sprawozdawca - roczne sprawozdanie finansowe\r\nWersja 3.0.0.7");
    RECT r{};
    GetClientRect(description, &r);
    EXPECT_GE(r.right, 300) << "room for the description";
    EXPECT_GE(r.bottom, 26) << "room for its two lines";
    EXPECT_TRUE(IsChecked(Child(about, "XcCheckBox1")));
    EXPECT_EQ(WindowText(Child(about, "XcCheckBox1")),
              "Automatyczne sprawdzanie aktualizacji programu w trakcie uruchamiania");
    EXPECT_FALSE(IsWindowEnabled(main_)) << "modal";
    PostKey(Child(about, "OKButton"), VK_ESCAPE);
    EXPECT_TRUE(WaitUntil([&] { return !Shown("About1Dlg"); }, 5000));
    EXPECT_TRUE(program_->Running());
}

TEST_F(DialogsE2eTest, TheUpdateButtonAsksTheServerAndSaysWhatItFound) {
    // No check at start: only the button asks.
    cltest::WriteBytes(SettingsFile(), "[TMainForm]\r\nChb_aktualiz_Checked=False\r\n");
    const struct {
        const char* what;
        const char* body;  // nullptr: the port refuses
        const char* caption;
        const char* text;
        int answer;
        bool staysOpen;
    } cases[] = {
        {"newer build", kNewerBuild, "Aktualizacja przez internet",
         "Dostępna jest nowsza wersja programu, czy chcesz ją teraz pobrać\rz internetu i zainstalować?\r\r"
         "Instalacji może dokonać użytkownik posiadający uprawnienia\rdo dokonywania zapisu plików w "
         "folderze instalacji programu.",
         IDNO, false},
        {"same build", kSameBuild, "Uwaga", "Nie ma nowszej wersji programu.", IDOK, true},
        {"closed port", nullptr, "Uwaga", "Brak możliwości uzyskania informacji o dostępnych aktualizacjach.",
         IDOK, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        std::optional<TinyHttpServer> server;
        std::optional<ClosedPort> closed;
        if (c.body) {
            server.emplace(200, c.body, SPRAW_E2E_PORT, kPortWaitMs);
            ASSERT_EQ(server->Error(), "");
        } else {
            closed.emplace(SPRAW_E2E_PORT, kPortWaitMs);
            ASSERT_TRUE(closed->Held());
        }
        Start();
        ASSERT_TRUE(OpenAbout());
        if (server) {
            EXPECT_TRUE(server->Requests().empty()) << "nothing asked at start";
        }
        Press("Sprawdź &aktualizację teraz");
        const TMessageBoxView view = Answer(c.answer);
        EXPECT_EQ(view.Caption, c.caption);
        EXPECT_EQ(view.Text, c.text);
        if (server) {
            EXPECT_EQ(server->Requests().size(), 1u);
        }
        EXPECT_EQ(WaitUntil([&] { return !Shown("About1Dlg"); }, c.staysOpen ? 1000 : 5000), !c.staysOpen);
        EXPECT_TRUE(program_->Running());
        if (c.staysOpen) Press("OK");
        Quit();
    }
}

TEST_F(DialogsE2eTest, TheCheckBoxShowsTheChoiceInForceAndDecidesTheNextStart) {
    // An earlier run closed the box unticked and ended before the main
    // window saved its choice: the box shows the choice in force.
    cltest::WriteBytes(
        SettingsFile(),
        "[TAbout1Dlg]\r\nXcCheckBox1_Checked=False\r\n[TMainForm]\r\nChb_aktualiz_Checked=True\r\n");
    {
        TinyHttpServer server(200, kSameBuild, SPRAW_E2E_PORT, kPortWaitMs);
        ASSERT_EQ(server.Error(), "");
        Start();
        EXPECT_TRUE(WaitUntil([&] { return server.Requests().size() == 1; }, 10000)) << "checked at start";
        ASSERT_TRUE(program_->WaitForIdle());
        HWND about = OpenAbout();
        ASSERT_TRUE(about);
        HWND box = Child(about, "XcCheckBox1");
        EXPECT_TRUE(IsChecked(box));
        ASSERT_TRUE(Click(box));
        ASSERT_TRUE(program_->WaitForIdle());
        EXPECT_FALSE(IsChecked(box));
        // Closed by its title box, it tells the main window all the same.
        PostMessageW(about, WM_CLOSE, 0, 0);
        EXPECT_TRUE(WaitUntil([&] { return !Shown("About1Dlg"); }, 5000));
        ASSERT_TRUE(program_->WaitForIdle());
        Quit();
    }
    TinyHttpServer server(200, kSameBuild, SPRAW_E2E_PORT, kPortWaitMs);
    ASSERT_EQ(server.Error(), "");
    Start();
    HWND about = OpenAbout();
    ASSERT_TRUE(about);
    EXPECT_FALSE(IsChecked(Child(about, "XcCheckBox1")));
    Press("OK");
    EXPECT_TRUE(server.Requests().empty()) << "the next start asks the server nothing";
}

TEST_F(DialogsE2eTest, TheLicenceShowsTheInstalledTextOrSaysItIsMissing) {
    ClosedPort port(SPRAW_E2E_PORT, kPortWaitMs);
    ASSERT_TRUE(port.Held());
    std::string installed;
    for (const std::string& line : LicenceLines(copy_.Folder() + "pi\\LICENCJA.txt"))
        installed += line + "\r\n";
    std::string missing;
    for (const char* line : {" ", " ", " ", kLicenceMissing}) missing += std::string(line) + "\r\n";
    ASSERT_GT(installed.size(), 500u);
    for (const std::string& expected : {installed, missing}) {
        Start();
        ASSERT_TRUE(OpenAbout());
        Press("Licencja");
        HWND licence = program_->WaitForName("LicDlg", 5000);
        ASSERT_TRUE(licence) << program_->Describe();
        EXPECT_EQ(WindowText(licence), "Umowa licencyjna");
        EXPECT_EQ(WindowText(Child(licence, "Memo1")), expected);
        Press("OK");
        EXPECT_TRUE(WaitUntil([&] { return !Shown("LicDlg"); }, 5000));
        EXPECT_TRUE(Shown("About1Dlg")) << "back in the about box";
        Press("OK");
        Quit();
        copy_.Remove("pi\\LICENCJA.txt");
    }
}

TEST_F(DialogsE2eTest, EndOfSelectionEndsTheProgramWithoutAskingOrGoesOn) {
    ClosedPort port(SPRAW_E2E_PORT, kPortWaitMs);
    ASSERT_TRUE(port.Held());
    Start();
    // Answers changed on the way.
    Press("&Dalej >");
    ASSERT_TRUE(Click(GroupItems(program_->FindByName("rb0_2_1")).at(0)));
    Press("&Dalej >");

    PostMessageW(main_, kEndOfSelection, 0, 0);
    HWND dialog = program_->WaitForName("k_konc1Dlg", 5000);
    ASSERT_TRUE(dialog) << program_->Describe();
    EXPECT_EQ(WindowText(dialog), "Uwaga");
    EXPECT_TRUE(program_->FindButton("Zacznij od &początku"));
    // Its title box closes it; it posts nothing and the program goes on.
    PostMessageW(dialog, WM_CLOSE, 0, 0);
    EXPECT_TRUE(WaitUntil([&] { return !Shown("k_konc1Dlg"); }, 5000));
    ASSERT_TRUE(program_->WaitForIdle());
    EXPECT_TRUE(program_->Running());

    // "Zacznij od &początku": a new statement without asking, the changed
    // answers forgotten.
    EXPECT_TRUE(SaveEnabled());
    PostMessageW(main_, kEndOfSelection, 0, 0);
    ASSERT_TRUE(program_->WaitForName("k_konc1Dlg", 5000));
    ASSERT_TRUE(program_->WaitForIdle());
    Press("Zacznij od &początku");
    EXPECT_TRUE(WaitUntil([&] { return !Shown("k_konc1Dlg"); }, 5000));
    ASSERT_TRUE(program_->WaitForIdle());
    EXPECT_FALSE(program_->FindMessageBox());
    EXPECT_FALSE(SaveEnabled());
    // The wizard starts over on the entity-kind question, with no forms.
    const HWND steps = program_->FindByName("XcTreeView1");
    EXPECT_EQ(TreeTexts(steps), (std::vector<std::string>{"Informacje wstępne", "Sposób rozliczenia"}));
    EXPECT_EQ(TreeSelectedIndex(steps), 1);
    EXPECT_EQ(TreeCount(program_->FindByName("XcTreeView2", false)), 0);
    EXPECT_EQ(GroupItemIndex(program_->FindByName("rb0_2_1")), -1);

    // Answers changed again.
    ASSERT_TRUE(Click(GroupItems(program_->FindByName("rb0_2_1")).at(0)));
    Press("&Dalej >");
    PostMessageW(main_, kEndOfSelection, 0, 0);
    ASSERT_TRUE(program_->WaitForName("k_konc1Dlg", 5000));
    ASSERT_TRUE(program_->WaitForIdle());
    HWND end = program_->FindButton("Za&kończ program");
    ASSERT_TRUE(end);
    ASSERT_TRUE(Click(end));
    EXPECT_TRUE(program_->WaitForExit(10000)) << "no save prompt";
    EXPECT_FALSE(program_->Running());
}

}  // namespace
