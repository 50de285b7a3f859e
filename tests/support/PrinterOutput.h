#pragma once
// What print jobs leave behind, read back by the tests: the PostScript files
// of Wine's file printer (read with ReadBytes), their pages, and the folder
// beside the test program where a Ghostscript check finds them.

#include <windows.h>

#include <string>

#include "classlib/win/WideText.h"
#include "tests/support/Files.h"

namespace cltest {

// How often what stands in text.
inline int CountOf(const std::string& text, const std::string& what) {
    int n = 0;
    for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++n;
    return n;
}

// The folder `leaf` beside the test program, where the Ghostscript check
// reads the jobs; made when missing, named with a trailing backslash.
inline std::string GhostscriptFolder(const std::wstring& leaf) {
    const std::wstring folder = cl::ToWide(ExeFolder()) + leaf;
    CreateDirectoryW(folder.c_str(), nullptr);
    return cl::FromWide(folder) + "\\";
}

}  // namespace cltest
