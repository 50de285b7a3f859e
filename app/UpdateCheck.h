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
// above the program's (info := line 3), kNoUpdate when it is one at or
// below it; kNoUpdateInfo when the file is missing or unreadable or its
// first line is not a whole decimal number (an HTTP error page).  Info is
// empty unless the result is kUpdateAvailable.
int ParseUpdateFile(const std::string& fileName, std::string& info);

#ifdef _WIN32
// Deletes the old local copy, downloads the file from url (once more
// without its "http://" when that fails) and reads it; kNoUpdateInfo when
// nothing was downloaded.  Blocks with the hourglass shown.
int CheckForUpdate(const std::string& url);
// From the build's address.
int CheckForUpdate();

// The same check with the download on a worker thread of its own, so that
// a slow network holds no window up: deletes the old local copy and starts
// the download; when it ends, Msg is posted to Window (an HWND) with
// WParam 0 and LParam 1 when a copy was downloaded, else 0, and
// UpdateCheckResult(LParam != 0) gives the check's result.  False, with
// nothing posted, when the old copy stays or a download is still running.
bool StartUpdateDownload(void* Window, unsigned Msg, const std::string& url);
int UpdateCheckResult(bool Downloaded);
#endif
