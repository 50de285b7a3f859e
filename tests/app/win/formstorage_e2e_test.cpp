// The main window's settings between runs of the real program: it opens
// maximised the first time, comes back where and how the user left it,
// remembers the about box's update-check choice and takes a pane width
// from the settings file.  The data folder, and with it the settings file,
// is emptied before and after each test: a left-over
// "Chb_aktualiz_Checked=False" would switch off the other tests' update
// checks without a word.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/win/MainMessages.h"
#include "tests/driver/ProgramTest.h"
#include "tests/support/Files.h"
#include "tests/support/TinyHttpServer.h"

namespace {

using namespace e2e;
using cltest::TinyHttpServer;

constexpr int kStartMs = 20000;
constexpr int kPortWaitMs = 60000;

std::vector<int> Corners(const RECT& r) {
    return {r.left, r.top, r.right, r.bottom};
}

// Wine gives another process's window rectangle as its normal position,
// so the normal position is seen by restoring the window.
std::vector<int> WindowCorners(HWND wnd) {
    RECT r{};
    GetWindowRect(wnd, &r);
    return Corners(r);
}

class MainWindowSettingsTest : public ProgramTest {
protected:
    void SetUp() override { copy_.Remove("pi\\intro.html"); }

    static std::string SettingsFile() { return cltest::DataFolderName() + "Sprawozdawca.kon"; }

    // The main window of a started program, idle.
    static HWND MainWindow(TProgram& program) {
        HWND main = program.WaitForName("MainForm", kStartMs);
        EXPECT_TRUE(main) << program.Describe();
        EXPECT_TRUE(program.WaitForIdle());
        return main;
    }
    // Closed as with the close box; the program ends.
    static void CloseProgram(TProgram& program, HWND main) {
        PostMessageW(main, WM_CLOSE, 0, 0);
        EXPECT_TRUE(program.WaitForExit(10000));
    }

    TInstalledCopy copy_{WinePath(SPRAW_E2E_DIR), WinePath(SPRAW_BIN_DIR)};
};

TEST_F(MainWindowSettingsTest, ComesBackAsTheUserLeftIt) {
    ASSERT_FALSE(cltest::FileExists(SettingsFile()));
    const std::vector<int> moved{100, 80, 800, 580};
    auto restore = [](HWND main) {
        const std::vector<int> maximised = WindowCorners(main);
        ShowWindowAsync(main, SW_RESTORE);
        return WaitUntil([&] { return !IsZoomed(main) && WindowCorners(main) != maximised; }, 5000);
    };
    {
        TProgram program(copy_.Exe(), copy_.WorkFolder());
        HWND main = MainWindow(program);
        ASSERT_TRUE(main);
        EXPECT_TRUE(IsZoomed(main));  // the first start
        ASSERT_TRUE(restore(main));
        SetWindowPos(main, nullptr, 100, 80, 700, 500, SWP_NOZORDER | SWP_NOACTIVATE | SWP_ASYNCWINDOWPOS);
        ASSERT_TRUE(WaitUntil([&] { return WindowCorners(main) == moved; }, 5000));
        ASSERT_TRUE(program.WaitForIdle());
        CloseProgram(program, main);
    }
    ASSERT_TRUE(cltest::FileExists(SettingsFile()));
    {
        TProgram program(copy_.Exe(), copy_.WorkFolder());
        HWND main = MainWindow(program);
        ASSERT_TRUE(main);
        EXPECT_FALSE(IsZoomed(main));
        EXPECT_EQ(WindowCorners(main), moved);
        // Closed maximised, it comes back maximised over the same rectangle.
        ShowWindowAsync(main, SW_MAXIMIZE);
        ASSERT_TRUE(WaitUntil([&] { return IsZoomed(main) != 0; }, 5000));
        ASSERT_TRUE(program.WaitForIdle());
        CloseProgram(program, main);
    }
    TProgram program(copy_.Exe(), copy_.WorkFolder());
    HWND main = MainWindow(program);
    ASSERT_TRUE(main);
    EXPECT_TRUE(IsZoomed(main));
    ASSERT_TRUE(restore(main));
    EXPECT_EQ(WindowCorners(main), moved);
}

TEST_F(MainWindowSettingsTest, TheAboutBoxChoiceDecidesTheCheckAtTheNextStart) {
    const char* kSameBuild = "30007\r\n3.0.0.7\r\nWersja 3.0.0.7\r\n";
    const struct {
        LPARAM choice;
        size_t requests;  // at the start after the choice
    } cases[] = {{0, 0}, {1, 1}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.choice);
        {
            TinyHttpServer server(200, kSameBuild, SPRAW_E2E_PORT, kPortWaitMs);
            ASSERT_EQ(server.Error(), "");
            TProgram program(copy_.Exe(), copy_.WorkFolder());
            HWND main = MainWindow(program);
            ASSERT_TRUE(main);
            PostMessageW(main, WM_USER_AUTO_UPDATE, 0, c.choice);
            ASSERT_TRUE(program.WaitForIdle());
            CloseProgram(program, main);
        }
        TinyHttpServer server(200, kSameBuild, SPRAW_E2E_PORT, kPortWaitMs);
        ASSERT_EQ(server.Error(), "");
        TProgram program(copy_.Exe(), copy_.WorkFolder());
        HWND main = MainWindow(program);
        ASSERT_TRUE(main);
        if (c.requests) {
            EXPECT_TRUE(WaitUntil([&] { return !server.Requests().empty(); }, 10000));
        }
        ASSERT_TRUE(program.WaitForIdle());
        EXPECT_EQ(server.Requests().size(), c.requests);
        CloseProgram(program, main);
    }
}

TEST_F(MainWindowSettingsTest, AHandWrittenPaneWidthIsTaken) {
    cltest::WriteBytes(SettingsFile(), "[TMainForm]\r\nXcPanel2_Width=333\r\n");
    TProgram program(copy_.Exe(), copy_.WorkFolder());
    HWND main = MainWindow(program);
    ASSERT_TRUE(main);
    HWND pane = program.FindByName("XcPanel2");
    ASSERT_TRUE(pane);
    RECT r{};
    GetWindowRect(pane, &r);
    EXPECT_EQ(r.right - r.left, 333);
}

}  // namespace
