#pragma once
// Folder and file helpers of the shell.  Paths use the system's delimiter
// (cl::PathDelim): "\" in the Windows build, "/" in the native one.

#include <string>

// A delimiter added at the end, or ":" and the delimiter when the name is
// one letter A to Z; unchanged when empty or ending in ":" or the delimiter.
std::string NormalizeDirName(const std::string& name);
// Makes the folder and every missing parent.  A folder that cannot be made
// is not reported: later file operations report their own errors.
void ForceDirPath(std::string path);
// Deletes the files matching the mask (folders and volume labels are left),
// in the mask's folder; false at the first file that cannot be deleted.
bool DeleteFilesByMask(const std::string& mask);
