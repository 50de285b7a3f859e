#pragma once
// What print jobs leave behind, read back by the tests: the PostScript files
// of Wine's file printer, their pages, and the folder beside the test
// program where a Ghostscript check finds them.

#include <windows.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "classlib/win/WideText.h"

namespace cltest {

inline std::string ReadFile(const std::string& cp1250Name) {
    std::ifstream in(std::filesystem::path(cl::ToWide(cp1250Name)), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline bool FileExists(const std::string& cp1250Name) {
    return GetFileAttributesW(cl::ToWide(cp1250Name).c_str()) != INVALID_FILE_ATTRIBUTES;
}

// How often what stands in text.
inline int CountOf(const std::string& text, const std::string& what) {
    int n = 0;
    for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++n;
    return n;
}

// The folder `leaf` beside the test program, where the Ghostscript check
// reads the jobs; made when missing, named with a trailing backslash.
inline std::string GhostscriptFolder(const std::wstring& leaf) {
    wchar_t path[MAX_PATH];
    const DWORD n = GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring folder(path, n);
    folder.resize(folder.find_last_of(L'\\') + 1);
    folder += leaf;
    CreateDirectoryW(folder.c_str(), nullptr);
    return cl::FromWide(folder) + "\\";
}

}  // namespace cltest
