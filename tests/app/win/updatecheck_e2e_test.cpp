// The update check at start, against the tests' own server on the loopback
// port the test copy of the program asks: only a newer build asks the
// user, the program asks the server exactly once, and it keeps the file it
// downloaded in its update folder.
#include <gtest/gtest.h>

#include <string>

#include "classlib/win/WideText.h"
#include "tests/driver/ProgramTest.h"
#include "tests/support/TinyHttpServer.h"

namespace {

using namespace e2e;
using cltest::ClosedPort;
using cltest::ReadBytes;
using cltest::TinyHttpServer;

constexpr int kStartMs = 20000;
constexpr int kPortWaitMs = 60000;

const char* const kQuestion =
    "Dostępna jest nowsza wersja programu, czy chcesz ją teraz pobrać i zainstalować?\r\r"
    "Instalacji może dokonać użytkownik posiadający uprawnienia do dokonywania zapisu plików w folderze "
    "instalacji programu.";

class UpdateAtStartTest : public ProgramTest {
protected:
    void SetUp() override { copy_.Remove("pi\\intro.html"); }
    static std::string UpdateCopy() { return cltest::DataFolderName() + "upg_d\\upgr.id_"; }

    TInstalledCopy copy_{WinePath(SPRAW_E2E_DIR), WinePath(SPRAW_BIN_DIR)};
};

TEST_F(UpdateAtStartTest, OnlyANewerBuildAsksWithOneRequestEachTime) {
    const struct {
        const char* what;
        int status;
        const char* body;
        bool asks;
    } cases[] = {
        {"newer build", 200, "30008\r\n3.0.0.8\r\nWersja 3.0.0.8\r\n", true},
        {"same build", 200, "30007\r\n3.0.0.7\r\nWersja 3.0.0.7\r\n", false},
        {"error page", 404,
         "<html><head><title>404 Not Found</title></head><body>Not Found</body></html>\r\n", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        DeleteFileW(cl::ToWide(UpdateCopy()).c_str());
        TinyHttpServer server(c.status, c.body, SPRAW_E2E_PORT, kPortWaitMs);
        ASSERT_EQ(server.Error(), "");
        TProgram program(copy_.Exe(), copy_.WorkFolder());
        HWND main = program.WaitForName("MainForm", kStartMs);
        ASSERT_TRUE(main) << program.Describe();
        ASSERT_TRUE(WaitUntil([&] { return !server.Requests().empty(); }, 10000));
        // The check is over once the answer is saved and the program idle.
        HWND box = nullptr;
        if (c.asks) {
            box = program.WaitForMessageBox(10000);
        } else {
            EXPECT_TRUE(WaitUntil([&] { return ReadBytes(UpdateCopy()) == c.body; }, 10000));
            EXPECT_TRUE(program.WaitForIdle());
            box = program.FindMessageBox();
        }
        if (c.asks) {
            ASSERT_TRUE(box) << program.Describe();
            const TMessageBoxView view = ReadMessageBox(box);
            EXPECT_EQ(view.Caption, "Aktualizacja przez internet");
            EXPECT_EQ(view.Text, kQuestion);
            ASSERT_EQ(view.Buttons.size(), 2u);
            EXPECT_EQ(view.Buttons[0].first, IDYES);
            EXPECT_EQ(view.Buttons[1].first, IDNO);
            // "No": the program goes on as before.
            PressButton(box, IDNO);
            EXPECT_TRUE(WaitUntil([&] { return !program.FindMessageBox(); }, 5000));
            EXPECT_TRUE(program.Running());
            EXPECT_TRUE(WaitUntil([&] { return WindowText(main) == "Sprawozdawca - bez nazwy"; }, 5000))
                << WindowText(main);
        } else {
            EXPECT_FALSE(box) << ReadMessageBox(box).Text;
        }
        ASSERT_TRUE(program.WaitForIdle());
        const std::vector<std::string> requests = server.Requests();
        ASSERT_EQ(requests.size(), 1u);
        EXPECT_EQ(requests[0], "GET /aktualizacja/sprawozdawca/upgr.id_ HTTP/1.1");
        // What the server sent is kept in the update folder (an error page too).
        EXPECT_EQ(ReadBytes(UpdateCopy()), c.body);
    }
}

TEST_F(UpdateAtStartTest, AClosedPortAsksNothing) {
    ClosedPort port(SPRAW_E2E_PORT, kPortWaitMs);
    ASSERT_TRUE(port.Held());
    TProgram program(copy_.Exe(), copy_.WorkFolder());
    HWND main = program.WaitForName("MainForm", kStartMs);
    ASSERT_TRUE(main) << program.Describe();
    ASSERT_TRUE(program.WaitForIdle());
    EXPECT_FALSE(program.FindMessageBox());
    EXPECT_TRUE(program.Running());
    EXPECT_TRUE(WaitUntil([&] { return WindowText(main) == "Sprawozdawca - bez nazwy"; }, 5000));
    EXPECT_EQ(ReadBytes(UpdateCopy()), "");
}

}  // namespace
