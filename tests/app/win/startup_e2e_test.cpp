// Sprawozdawca.exe started as a user starts it, from a working folder of
// its own: the main window with its caption and selection status, its trees
// and error list empty, the splash window exactly when the intro page is
// installed, a missing wizard text that does not stop the start, and the
// tool bar and the menu answering the mouse and the keyboard.  The time to a
// main window ready for work is measured by benchmarks/win/startup_bench.
#include <gtest/gtest.h>

#include <optional>
#include <vector>

#include "tests/driver/ProgramTest.h"
#include "tests/support/TinyHttpServer.h"

namespace {

using namespace e2e;

constexpr int kStartMs = 20000;

class StartupTest : public ProgramTest {
protected:
    void SetUp() override { ASSERT_TRUE(updateServer_.Held()); }

    // A fresh installed tree of the test copy, kept for the whole test.
    TInstalledCopy& Install(bool withIntroPage) {
        copy_.emplace(WinePath(SPRAW_E2E_DIR), WinePath(SPRAW_BIN_DIR));
        if (!withIntroPage) copy_->Remove("pi\\intro.html");
        return *copy_;
    }

    // The test copy's update check asks this port, which refuses it here.
    cltest::ClosedPort updateServer_{SPRAW_E2E_PORT, 60000};
    std::optional<TInstalledCopy> copy_;
};

TEST_F(StartupTest, ShowsTheMainWindowWithoutASplashWhenThereIsNoIntroPage) {
    TInstalledCopy& copy = Install(false);
    TProgram program(copy.Exe(), copy.WorkFolder());
    bool splashSeen = false;
    HWND main = nullptr;
    WaitUntil(
        [&] {
            splashSeen = splashSeen || program.FindByName("SplashForm", false);
            return (main = program.FindByName("MainForm")) != nullptr;
        },
        kStartMs, 5);
    ASSERT_TRUE(main) << program.Describe();
    EXPECT_FALSE(splashSeen);
    ASSERT_TRUE(WaitUntil([&] { return WindowText(main) == "Sprawozdawca - bez nazwy"; }, 5000))
        << WindowText(main);
    HWND status = program.FindByName("XcStaticText1");
    ASSERT_TRUE(status) << program.Describe();
    EXPECT_TRUE(WaitUntil([&] { return WindowText(status) == "Dobór nie zakończony"; }, 5000))
        << WindowText(status);
    // A refused update check says nothing.
    ASSERT_TRUE(program.WaitForIdle());
    EXPECT_FALSE(program.FindMessageBox()) << ReadMessageBox(program.FindMessageBox()).Text;
    // The wizard's introduction is shown.
    HWND intro = program.FindByName("XcRichEdit1");
    ASSERT_TRUE(intro) << program.Describe();
    EXPECT_NE(WindowText(intro).find("Kreator doboru formularzy"), std::string::npos) << WindowText(intro);
}

TEST_F(StartupTest, ShowsTheSplashForFiveTicksWhenTheIntroPageIsInstalled) {
    TInstalledCopy& copy = Install(true);
    TProgram program(copy.Exe(), copy.WorkFolder());
    HWND splash = program.WaitForName("SplashForm", kStartMs);
    ASSERT_TRUE(splash) << program.Describe();
    // Borderless, on top, centred on the screen.
    const LONG style = GetWindowLongW(splash, GWL_STYLE);
    EXPECT_FALSE(style & (WS_CAPTION | WS_THICKFRAME));
    EXPECT_TRUE(GetWindowLongW(splash, GWL_EXSTYLE) & WS_EX_TOPMOST);
    RECT r{};
    GetWindowRect(splash, &r);
    EXPECT_NEAR((r.left + r.right) / 2, GetSystemMetrics(SM_CXSCREEN) / 2, 2);
    EXPECT_NEAR((r.top + r.bottom) / 2, GetSystemMetrics(SM_CYSCREEN) / 2, 2);
    EXPECT_TRUE(program.FindByName("WebBrowser1"));
    // The main window comes after the splash (which waits for five ticks of
    // its timer, tests/app/win/splash_test), and the splash is gone by then.
    EXPECT_FALSE(program.FindByName("MainForm"));
    HWND main = program.WaitForName("MainForm", kStartMs);
    ASSERT_TRUE(main) << program.Describe();
    EXPECT_FALSE(program.FindByName("SplashForm", false));
}

TEST_F(StartupTest, AMissingWizardTextIsReportedInItsViewerAndTheStartGoesOn) {
    TInstalledCopy& copy = Install(false);
    copy.Remove("pi\\k_s01.rtf");
    TProgram program(copy.Exe(), copy.WorkFolder());
    HWND main = program.WaitForName("MainForm", kStartMs);
    ASSERT_TRUE(main) << program.Describe();
    HWND intro = program.FindByName("XcRichEdit1");
    ASSERT_TRUE(intro);
    const std::string report = WindowText(intro);
    EXPECT_NE(report.find("Nie można wczytać pliku"), std::string::npos) << report;
    EXPECT_NE(report.find("k_s01.rtf"), std::string::npos) << report;
    // The rest of the set-up ran: the second text (on its hidden page, made
    // once the window is idle), the caption, the status.
    EXPECT_TRUE(WaitUntil(
        [&] {
            HWND end = program.FindByName("XcRichEdit2", false);
            return end && WindowText(end).find("Dobór formularzy") != std::string::npos;
        },
        5000));
    EXPECT_TRUE(WaitUntil([&] { return WindowText(main) == "Sprawozdawca - bez nazwy"; }, 5000));
    EXPECT_TRUE(WaitUntil(
        [&] { return WindowText(program.FindByName("XcStaticText1")) == "Dobór nie zakończony"; }, 5000));
}

TEST_F(StartupTest, StartsOnTheFirstStepWithNoFormsAndAnEmptyErrorList) {
    TInstalledCopy& copy = Install(false);
    TProgram program(copy.Exe(), copy.WorkFolder());
    ASSERT_TRUE(program.WaitForName("MainForm", kStartMs)) << program.Describe();
    ASSERT_TRUE(program.WaitForIdle());
    HWND steps = program.FindByName("XcTreeView1", false);
    ASSERT_TRUE(steps);
    EXPECT_EQ(TreeTexts(steps), std::vector<std::string>{"Informacje wstępne"});
    EXPECT_EQ(TreeSelectedIndex(steps), 0);
    HWND forms = program.FindByName("XcTreeView2", false);
    ASSERT_TRUE(forms);
    EXPECT_EQ(TreeCount(forms), 0);
    EXPECT_EQ(TreeSelectedIndex(forms), -1);
    EXPECT_FALSE(ClickTreeItem(forms, "Bilans"));
    EXPECT_EQ(ListItems(program.FindByName("ErrListBox", false)), std::vector<std::string>{});
}

TEST_F(StartupTest, TheExitButtonOfTheToolBarEndsTheProgram) {
    TInstalledCopy& copy = Install(false);
    TProgram program(copy.Exe(), copy.WorkFolder());
    HWND bar = program.WaitForName("XcToolBar1", kStartMs);
    ASSERT_TRUE(bar) << program.Describe();
    ASSERT_TRUE(program.WaitForIdle(5000));
    // The first button ("Koniec") is at the bar's left edge.
    PostClick(bar, 10, 10);
    EXPECT_TRUE(program.WaitForExit(5000)) << program.Describe();
}

TEST_F(StartupTest, TheMenuOpensWithItsAccessKeyAndEndsTheProgramWithKoniec) {
    TInstalledCopy& copy = Install(false);
    TProgram program(copy.Exe(), copy.WorkFolder());
    HWND main = program.WaitForName("MainForm", kStartMs);
    ASSERT_TRUE(main) << program.Describe();
    ASSERT_TRUE(program.WaitForIdle(5000));
    // Alt+S drops "&Sprawozdania"; K chooses "&Koniec".
    PostAltKey(main, 'S');
    ASSERT_TRUE(WaitUntil(
        [&] {
            for (HWND w : program.TopWindows())
                if (IsWindowVisible(w) && ClassName(w) == "#32768") return true;
            return false;
        },
        5000))
        << program.Describe();
    PostKey(main, 'K');
    EXPECT_TRUE(program.WaitForExit(5000)) << program.Describe();
}

// The window with the keyboard focus in the program's thread.
HWND FocusOf(HWND wnd) {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    return GetGUIThreadInfo(GetWindowThreadProcessId(wnd, nullptr), &info) ? info.hwndFocus : nullptr;
}

TEST_F(StartupTest, TabAndShiftTabMoveTheFocusThroughTheWindow) {
    TInstalledCopy& copy = Install(false);
    TProgram program(copy.Exe(), copy.WorkFolder());
    HWND main = program.WaitForName("MainForm", kStartMs);
    ASSERT_TRUE(main) << program.Describe();
    ASSERT_TRUE(program.WaitForIdle(5000));
    // Tab twice: three different controls in turn.
    HWND focus[3] = {};
    ASSERT_TRUE(WaitUntil([&] { return (focus[0] = FocusOf(main)) != nullptr; }, 5000));
    for (int i = 1; i < 3; ++i) {
        PostKey(focus[i - 1], VK_TAB);
        ASSERT_TRUE(WaitUntil([&] { return (focus[i] = FocusOf(main)) != focus[i - 1]; }, 5000))
            << ComponentName(focus[i - 1]) << "\n"
            << program.Describe();
    }
    ASSERT_NE(focus[2], focus[0]);
    // Shift+Tab goes back; Shift comes from the program's keyboard state,
    // which the driver sets.
    program.PostShortcut(focus[2], VK_TAB, {VK_SHIFT});
    EXPECT_TRUE(WaitUntil([&] { return FocusOf(main) == focus[1]; }, 5000))
        << ComponentName(focus[0]) << " -> " << ComponentName(focus[1]) << " -> " << ComponentName(focus[2])
        << " -> " << ComponentName(FocusOf(main));
}

}  // namespace
