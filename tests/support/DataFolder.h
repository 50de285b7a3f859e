#pragma once
// The program's data folder of the user the tests run as, "_ZT" under
// Documents.  Every test that starts the program or writes into the folder
// begins and ends with it empty, so that no statement, settings file or
// saved answers pass from one test to the next; a test that restarts the
// program keeps the folder across its own restarts.

#include <gtest/gtest.h>
#include <shlobj.h>
#include <windows.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <system_error>
#include <thread>

#include "classlib/win/WideText.h"

namespace cltest {

// The user's Documents folder, with a trailing backslash.
inline std::string DocumentsFolder() {
    wchar_t buffer[MAX_PATH];
    if (FAILED(SHGetFolderPathW(nullptr, CSIDL_PERSONAL, nullptr, SHGFP_TYPE_CURRENT, buffer))) return "";
    return cl::FromWide(buffer) + "\\";
}

// The data folder, with a trailing backslash.
inline std::string DataFolderName() {
    return DocumentsFolder() + "_ZT\\";
}

// Removes everything in the data folder (the folder itself stays when it
// exists).  A file a program that just ended still holds is tried again
// for a while; answers what could not be removed, "" when all went.
inline std::string ClearDataFolder() {
    namespace fs = std::filesystem;
    const fs::path folder(cl::ToWide(DataFolderName()));
    std::string left;
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    do {
        left.clear();
        std::error_code error;
        for (fs::directory_iterator entry(folder, error), last; !error && entry != last;
             entry.increment(error)) {
            std::error_code removal;
            fs::remove_all(entry->path(), removal);
            if (removal) left += cl::FromWide(entry->path().wstring()) + " (" + removal.message() + ") ";
        }
        if (left.empty()) return left;
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    } while (std::chrono::steady_clock::now() < end);
    return left;
}

// The data folder emptied when made and when destroyed.
class EmptyDataFolder {
public:
    EmptyDataFolder() { Clear(); }
    ~EmptyDataFolder() { Clear(); }
    EmptyDataFolder(const EmptyDataFolder&) = delete;
    EmptyDataFolder& operator=(const EmptyDataFolder&) = delete;

private:
    static void Clear() {
        const std::string left = ClearDataFolder();
        if (!left.empty()) ADD_FAILURE() << "the data folder could not be emptied: " << left;
    }
};

// The fixture of every test that starts the program or writes into its
// data folder: the folder is emptied before the test's own members are
// made and after they are gone.
class DataFolderTest : public ::testing::Test {
private:
    EmptyDataFolder dataFolder_;
};

}  // namespace cltest
