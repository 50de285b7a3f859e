// The online update check against a small HTTP server of the test's own on
// 127.0.0.1: the build number on the first line decides, an error page or
// a closed port gives no information, each check asks the server once, and
// a copy left by an earlier check never answers for this one.
#include "app/UpdateCheck.h"

#include <gtest/gtest.h>
#include <winsock2.h>
#include <ws2tcpip.h>

#include <atomic>
#include <string>
#include <vector>

#include "app/UserFolders.h"
#include "classlib/FileUtils.h"
#include "classlib/win/Forms.h"
#include "tests/support/TempFolder.h"
#include "tests/support/TinyHttpServer.h"

namespace {

using cltest::ClosedPort;
using cltest::TempFolder;
using cltest::TinyHttpServer;

class CheckForUpdateTest : public ::testing::Test {
protected:
    void SetUp() override { SetUpFolders(folder_.Name(""), folder_.Name("")); }

    TempFolder folder_;
};

TEST_F(CheckForUpdateTest, TheFirstLineDecidesWithOneRequestEachTime) {
    const struct {
        const char* what;
        int status;
        const char* body;
        int result;
    } cases[] = {
        {"newer build", 200, "30008\r\n3.0.0.8\r\nWersja 3.0.0.8\r\n", kUpdateAvailable},
        {"same build", 200, "30007\r\n3.0.0.7\r\nWersja 3.0.0.7\r\n", kNoUpdate},
        {"error page", 404,
         "<html><head><title>404 Not Found</title></head><body>Not Found</body></html>\r\n", kNoUpdateInfo},
        {"empty file", 200, "", kNoUpdateInfo},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        TinyHttpServer server(c.status, c.body);
        EXPECT_EQ(CheckForUpdate(server.Url()), c.result);
        const std::vector<std::string> requests = server.Requests();
        ASSERT_EQ(requests.size(), 1u);
        EXPECT_EQ(requests[0], "GET /aktualizacja/sprawozdawca/upgr.id_ HTTP/1.1");
    }
}

TEST_F(CheckForUpdateTest, TheDownloadedCopyIsKeptInTheUpdateFolder) {
    TinyHttpServer server(200, "30009\r\n3.0.0.9\r\nOpis\r\n");
    ASSERT_EQ(CheckForUpdate(server.Url()), kUpdateAvailable);
    EXPECT_EQ(UpdateFileName(), UpdateFolder + "\\upgr.id_");
    EXPECT_EQ(cltest::ReadBytes(UpdateFileName()), "30009\r\n3.0.0.9\r\nOpis\r\n");
}

TEST_F(CheckForUpdateTest, EveryCheckAsksTheServerAgain) {
    TinyHttpServer server(200, "30008\r\n\r\nNowa\r\n");
    EXPECT_EQ(CheckForUpdate(server.Url()), kUpdateAvailable);
    server.SetBody("30007\r\n\r\nBez zmian\r\n");
    EXPECT_EQ(CheckForUpdate(server.Url()), kNoUpdate);
    EXPECT_EQ(server.Requests().size(), 2u);
}

TEST_F(CheckForUpdateTest, AClosedPortGivesNoInformation) {
    ClosedPort port;
    ASSERT_TRUE(port.Held());
    EXPECT_EQ(CheckForUpdate("http://127.0.0.1:" + std::to_string(port.Port()) + "/aktualizacja/x/upgr.id_"),
              kNoUpdateInfo);
}

TEST_F(CheckForUpdateTest, ACopyLeftByAnEarlierCheckIsDeletedFirst) {
    cltest::WriteBytes(UpdateFileName(), "30008\r\n\r\nStara kopia\r\n");
    ClosedPort port;
    ASSERT_TRUE(port.Held());
    EXPECT_EQ(CheckForUpdate("http://127.0.0.1:" + std::to_string(port.Port()) + "/aktualizacja/x/upgr.id_"),
              kNoUpdateInfo);
    EXPECT_FALSE(cl::FileExists(UpdateFileName()));
}

TEST_F(CheckForUpdateTest, AnAddressWithoutHttpIsTriedAgainWithIt) {
    TinyHttpServer server(200, "30008\r\n\r\nNowa\r\n");
    const std::string withoutPrefix = ToggleHttpPrefix(server.Url());
    ASSERT_EQ(withoutPrefix.substr(0, 10), "127.0.0.1:");
    EXPECT_EQ(CheckForUpdate(withoutPrefix), kUpdateAvailable);
    EXPECT_EQ(server.Requests().size(), 1u);
}

TEST_F(CheckForUpdateTest, ShowsTheHourglassOnlyWhileItRuns) {
    TinyHttpServer server(200, "30007\r\n");
    // Read while the check waits for the answer, so it is the check's own.
    std::atomic<cl::TCursor> whileAsking = cl::crDefault;
    server.SetOnRequest([&] { whileAsking = cl::Screen->Cursor(); });
    ASSERT_EQ(cl::Screen->Cursor(), cl::crDefault);
    CheckForUpdate(server.Url());
    EXPECT_EQ(whileAsking, cl::crHourGlass);
    EXPECT_EQ(cl::Screen->Cursor(), cl::crDefault);
}

}  // namespace
