// The online update check against a small HTTP server of the test's own on
// 127.0.0.1: the build number on the first line decides, an error page or
// a closed port gives no information, each check asks the server once, and
// a copy left by an earlier check never answers for this one.
#include "app/UpdateCheck.h"

#include <gtest/gtest.h>
#include <winsock2.h>
#include <ws2tcpip.h>

#include <atomic>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "app/UserFolders.h"
#include "classlib/FileUtils.h"
#include "classlib/win/Forms.h"
#include "tests/classlib/TempFolder.h"

namespace {

using cltest::TempFolder;

// Answers every request on a loopback port with one fixed response and
// closes the connection; counts the requests.
class TinyHttpServer {
public:
    TinyHttpServer(int status, std::string body) : status_(status), body_(std::move(body)) {
        listener_ = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        address.sin_port = 0;
        int size = sizeof address;
        if (bind(listener_, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
            listen(listener_, 8) != 0 ||
            getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &size) != 0)
            ADD_FAILURE() << "listen failed: " << WSAGetLastError();
        port_ = ntohs(address.sin_port);
        thread_ = std::thread([this] { Serve(); });
    }
    ~TinyHttpServer() {
        stop_ = true;
        thread_.join();
        closesocket(listener_);
    }

    void SetBody(std::string body) {
        std::lock_guard<std::mutex> lock(mutex_);
        body_ = std::move(body);
    }
    std::string Url(const std::string& path = "/aktualizacja/sprawozdawca/upgr.id_") const {
        return "http://127.0.0.1:" + std::to_string(port_) + path;
    }
    std::vector<std::string> Requests() const {
        std::lock_guard<std::mutex> lock(mutex_);
        return requests_;
    }

private:
    void Serve() {
        while (!stop_) {
            fd_set ready;
            FD_ZERO(&ready);
            FD_SET(listener_, &ready);
            timeval wait{0, 20000};
            if (select(0, &ready, nullptr, nullptr, &wait) <= 0) continue;
            const SOCKET client = accept(listener_, nullptr, nullptr);
            if (client == INVALID_SOCKET) continue;
            Answer(client);
            closesocket(client);
        }
    }

    void Answer(SOCKET client) {
        std::string request;
        char buffer[1024];
        while (request.find("\r\n\r\n") == std::string::npos) {
            const int n = recv(client, buffer, sizeof buffer, 0);
            if (n <= 0) break;
            request.append(buffer, n);
        }
        std::string body;
        {
            std::lock_guard<std::mutex> lock(mutex_);
            requests_.push_back(request.substr(0, request.find("\r\n")));
            body = body_;
        }
        const std::string response =
            "HTTP/1.1 " + std::to_string(status_) + (status_ == 200 ? " OK" : " Not Found") +
            "\r\nContent-Type: text/plain\r\nContent-Length: " + std::to_string(body.size()) +
            "\r\nConnection: close\r\n\r\n" + body;
        send(client, response.data(), static_cast<int>(response.size()), 0);
        shutdown(client, SD_SEND);
    }

    int status_;
    std::string body_;
    SOCKET listener_ = INVALID_SOCKET;
    int port_ = 0;
    std::atomic<bool> stop_{false};
    std::thread thread_;
    mutable std::mutex mutex_;
    std::vector<std::string> requests_;
};

// A loopback port nobody listens on.
int ClosedPort() {
    const SOCKET s = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    int size = sizeof address;
    bind(s, reinterpret_cast<sockaddr*>(&address), sizeof address);
    getsockname(s, reinterpret_cast<sockaddr*>(&address), &size);
    closesocket(s);
    return ntohs(address.sin_port);
}

class CheckForUpdateTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        WSADATA data;
        WSAStartup(MAKEWORD(2, 2), &data);
    }
    static void TearDownTestSuite() { WSACleanup(); }
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
    EXPECT_EQ(TempFolder::ReadBytes(UpdateFileName()), "30009\r\n3.0.0.9\r\nOpis\r\n");
}

TEST_F(CheckForUpdateTest, EveryCheckAsksTheServerAgain) {
    TinyHttpServer server(200, "30008\r\n\r\nNowa\r\n");
    EXPECT_EQ(CheckForUpdate(server.Url()), kUpdateAvailable);
    server.SetBody("30007\r\n\r\nBez zmian\r\n");
    EXPECT_EQ(CheckForUpdate(server.Url()), kNoUpdate);
    EXPECT_EQ(server.Requests().size(), 2u);
}

TEST_F(CheckForUpdateTest, AClosedPortGivesNoInformation) {
    EXPECT_EQ(CheckForUpdate("http://127.0.0.1:" + std::to_string(ClosedPort()) + "/aktualizacja/x/upgr.id_"),
              kNoUpdateInfo);
}

TEST_F(CheckForUpdateTest, ACopyLeftByAnEarlierCheckIsDeletedFirst) {
    TempFolder::WriteBytes(UpdateFileName(), "30008\r\n\r\nStara kopia\r\n");
    EXPECT_EQ(CheckForUpdate("http://127.0.0.1:" + std::to_string(ClosedPort()) + "/aktualizacja/x/upgr.id_"),
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
    cl::Screen->SetCursor(cl::crHourGlass);
    CheckForUpdate(server.Url());
    EXPECT_EQ(cl::Screen->Cursor(), cl::crDefault);
}

}  // namespace
