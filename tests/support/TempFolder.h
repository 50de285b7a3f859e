#pragma once
// A fresh folder under the system's temporary folder for one test, removed
// afterwards, with Windows-1250 names for the files in it.

#include <filesystem>
#include <random>
#include <string>
#include <string_view>

#include "classlib/Encoding.h"
#include "tests/support/Files.h"

namespace cltest {

class TempFolder {
public:
    TempFolder() {
        std::random_device random;
        path_ = std::filesystem::temp_directory_path() /
                ("cl_test_" + std::to_string(random()) + "_" + std::to_string(random()));
        std::filesystem::create_directories(path_);
    }
    ~TempFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    // The Windows-1250 name of a file in the folder (name is Windows-1250 too).
    std::string Name(std::string_view name) const {
        return cl::Utf16ToCp1250((path_ / "").u16string()) + std::string(name);
    }

    static std::string Join(const std::string& folder, std::string_view leaf) {
        return folder + static_cast<char>(std::filesystem::path::preferred_separator) + std::string(leaf);
    }

private:
    std::filesystem::path path_;
};

}  // namespace cltest
