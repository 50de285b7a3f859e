// The update information file: only a whole decimal build number on the
// first line counts; a newer build is offered only with its news on line
// 3.  The address toggles its "http://" prefix for the second try.
#include <gtest/gtest.h>

#include <string>

#include "app/UpdateCheck.h"
#include "app/UserFolders.h"
#include "classlib/FileUtils.h"
#include "tests/support/TempFolder.h"

namespace {

using cltest::TempFolder;

TEST(ParseUpdateFile, ComparesTheFirstLineWithTheProgramsBuild) {
    const struct {
        const char* what;
        std::string content;
        int result;
        const char* info;
    } cases[] = {
        {"newer", "30008\r\n3.0.0.8\r\nNowa wersja: poprawki wydruku\r\n", kUpdateAvailable,
         "Nowa wersja: poprawki wydruku"},
        {"same", "30007\r\n3.0.0.7\r\nBez zmian\r\n", kNoUpdate, ""},
        {"older", "29999\r\nx\r\ny\r\n", kNoUpdate, ""},
        {"newer, LF only", "40000\n\nOpis\n", kUpdateAvailable, "Opis"},
        {"newer, CR only", "40000\r\rOpis", kUpdateAvailable, "Opis"},
        {"newer without line 3", "30008\r\n", kNoUpdate, ""},
        {"newer, line 3 empty", "30008\r\n3.0.0.8\r\n\r\n", kNoUpdate, ""},
        {"blanks around the number", " 30008 \r\n2\r\n3", kUpdateAvailable, "3"},
        {"short file", "30007", kNoUpdate, ""},
        {"leading zeros", "0030008\r\n\r\nx", kUpdateAvailable, "x"},
        {"HTTP error page", "<html><body>404 Not Found</body></html>\r\n", kNoUpdateInfo, ""},
        {"letters", "abc\r\n1\r\n2\r\n", kNoUpdateInfo, ""},
        {"number and text", "30008abc\r\n1\r\n2", kNoUpdateInfo, ""},
        {"sign", "+30008\r\n\r\nx", kNoUpdateInfo, ""},
        {"negative", "-1\r\n\r\nx", kNoUpdateInfo, ""},
        {"decimal point", "30008.5\r\n\r\nx", kNoUpdateInfo, ""},
        {"hex", "$7538\r\n\r\nx", kNoUpdateInfo, ""},
        {"empty first line", "\r\n30008\r\nx", kNoUpdateInfo, ""},
        {"empty file", "", kNoUpdateInfo, ""},
        {"number too large", "99999999999999999999\r\n\r\nx", kNoUpdateInfo, ""},
    };
    TempFolder folder;
    const std::string file = folder.Name("upgr.id_");
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        cltest::WriteBytes(file, c.content);
        std::string info = "stale";
        EXPECT_EQ(ParseUpdateFile(file, info), c.result);
        EXPECT_EQ(info, c.info);
    }
}

TEST(ParseUpdateFile, AMissingFileGivesNoInformation) {
    TempFolder folder;
    std::string info = "stale";
    EXPECT_EQ(ParseUpdateFile(folder.Name("upgr.id_"), info), kNoUpdateInfo);
    EXPECT_EQ(info, "");
}

TEST(ToggleHttpPrefix, RemovesOrAddsTheHttpPrefix) {
    const struct {
        const char* url;
        const char* toggled;
    } cases[] = {
        {"http://127.0.0.1:8080/aktualizacja/spr/upgr.id_", "127.0.0.1:8080/aktualizacja/spr/upgr.id_"},
        {"127.0.0.1:8080/aktualizacja/spr/upgr.id_", "http://127.0.0.1:8080/aktualizacja/spr/upgr.id_"},
        {"https://host/x", "http://https://host/x"},
        {"HTTP://host/x", "http://HTTP://host/x"},
        {"http://", ""},
        {"", "http://"},
    };
    for (const auto& c : cases) EXPECT_EQ(ToggleHttpPrefix(c.url), c.toggled) << c.url;
}

TEST(UpdateFileUrl, IsTheProductsUpgrIdUnderAktualizacja) {
    // http://<host>/aktualizacja/<folder>/upgr.id_, host and folder from the build.
    const std::string url = UpdateFileUrl();
    const size_t middle = url.find("/aktualizacja/");
    const std::string host = url.substr(7, middle - 7);
    const std::string folder = middle == std::string::npos ? "" : url.substr(middle + 14);
    EXPECT_EQ(url.substr(0, 7), "http://");
    EXPECT_TRUE(!host.empty() && host.find('/') == std::string::npos) << url;
    EXPECT_TRUE(folder.size() > 9 && folder.find('/') == folder.size() - 9 &&
                folder.substr(folder.size() - 9) == "/upgr.id_")
        << url;
}

TEST(UpdateFileName, IsInTheUpdateFolder) {
    TempFolder folder;
    SetUpFolders(folder.Name(""), "");
    EXPECT_EQ(UpdateFileName(), folder.Name("upg_d") + cl::PathDelim + "upgr.id_");
}

}  // namespace
