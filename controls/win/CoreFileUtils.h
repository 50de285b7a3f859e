#pragma once
// A module's file name and a file's fixed version record.

#include <windows.h>

#include <optional>
#include <string>

// The file name of a loaded module (nullptr: the program), Windows-1250.
std::string ModuleFileName(HMODULE module);
// The root block of the file's version resource; nothing when it has none.
std::optional<VS_FIXEDFILEINFO> FileVersionInfo(const std::string& fileName);
