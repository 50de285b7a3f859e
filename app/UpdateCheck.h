#pragma once
// The online update check: the update information file "upgr.id_" (line 1
// the newest build number, line 2 ignored, line 3 a text about the newer
// version), downloaded into UpdateFolder and compared with the program's
// own build.

#include <string>
#include <string_view>

inline constexpr int kProgramBuild = 30007;  // version 3.0.0.7

// Results of CheckForUpdate and ParseUpdateFile.
inline constexpr int kUpdateAvailable = 0;
inline constexpr int kNoUpdate = 1;
inline constexpr int kNoUpdateInfo = -1;

// Build settings, one pair per program (app/ProgramAddresses.cpp): the
// address of "upgr.id_" on the update server,
// http://<host>/aktualizacja/<folder>/upgr.id_, and the product's web page.
const char* UpdateFileUrl();
const char* ProductPageUrl();

// The local copy: UpdateFolder + "upgr.id_".
std::string UpdateFileName();

// Without the leading "http://" if it has one, else with it put in front.
std::string ToggleHttpPrefix(std::string_view url);

// Reads the local copy.  kUpdateAvailable when line 1 is a build number
// above the program's and line 3 is not empty (info := line 3), kNoUpdate
// when the build is not newer or line 3 is empty or missing; kNoUpdateInfo
// when the file is missing or unreadable or its first line is not a whole
// decimal number (an HTTP error page).  Info is empty unless the result is
// kUpdateAvailable.
int ParseUpdateFile(const std::string& fileName, std::string& info);

#ifdef _WIN32
// Deletes the old local copy, downloads the file from url (once more
// without its "http://" when that fails) and reads it; kNoUpdateInfo when
// nothing was downloaded.  Blocks the calling thread, with the hourglass
// shown, until the download ends.
int CheckForUpdate(const std::string& url);
// From the build's address.
int CheckForUpdate();
#endif
