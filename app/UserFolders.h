#pragma once
// The program's folders: the program folder, the user's data folder
// "_ZT" under Documents and its two subfolders.  Filled once when the main
// window is created, before any file is read.

#include <string>

extern std::string ProgramFolder;     // the executable's folder, with a trailing delimiter
extern std::string DataFolder;        // Documents + "_ZT" with a trailing delimiter, else ProgramFolder
extern std::string StatementsFolder;  // DataFolder + "sprawozdania"
extern std::string UpdateFolder;      // DataFolder + "upg_d"

// Fills the four folders from the program folder (with its trailing
// delimiter) and the Documents folder (empty when the system gave none)
// and makes the missing ones.  A folder that cannot be made is not
// reported: later file operations report their own errors.
void SetUpFolders(const std::string& programFolder, const std::string& documentsFolder);

#ifdef _WIN32
// SetUpFolders with the executable's folder and the user's Documents folder.
void InitFolders();
#endif
