#pragma once
// Files as the tests read and write them: whole files as bytes under
// Windows-1250 names, and the places of the trees the tests need (the
// sources' own folders, and in the Windows build the build tree beside the
// test programs).

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>

#include "classlib/Encoding.h"

#ifdef _WIN32
#include <windows.h>

#include "classlib/win/WideText.h"
#endif

namespace cltest {

// The path of a Windows-1250 name, as the system spells it.
inline std::filesystem::path PathOf(const std::string& name) {
    return std::filesystem::path(cl::Cp1250ToUtf16(name));
}

// The whole file; empty when it cannot be read.
inline std::string ReadBytes(const std::string& name) {
    std::ifstream in(PathOf(name), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

inline void WriteBytes(const std::string& name, std::string_view bytes) {
    std::ofstream out(PathOf(name), std::ios::binary);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

inline bool FileExists(const std::string& name) {
    std::error_code ignored;
    return std::filesystem::exists(PathOf(name), ignored);
}

#ifdef SPRAW_SOURCE_DIR
// A file of the source tree by its path from the tree's root
// ("tests/data/x"); under Wine drive Z: is the Unix root.
inline std::string SourceFile(std::string_view relative) {
#ifdef _WIN32
    const std::string root = "Z:" SPRAW_SOURCE_DIR;
#else
    const std::string root = SPRAW_SOURCE_DIR;
#endif
    return root + "/" + std::string(relative);
}

// A file of tests/data.
inline std::string TestDataFile(std::string_view name) {
    return SourceFile("tests/data/" + std::string(name));
}
#endif

#ifdef _WIN32
// The test program's folder, with a trailing backslash.
inline std::string ExeFolder() {
    wchar_t path[MAX_PATH];
    const DWORD n = GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring folder(path, n);
    folder.resize(folder.find_last_of(L'\\') + 1);
    return cl::FromWide(folder);
}

// The build tree (the test programs are in its tests\), with a trailing
// backslash: the program and its installed files are in bin\.
inline std::string BuildFolder() {
    std::string folder = ExeFolder();
    folder.pop_back();
    return folder.substr(0, folder.find_last_of('\\') + 1);
}
#endif

}  // namespace cltest
