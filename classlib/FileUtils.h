#pragma once
// Files and folders by name.  Names are Windows-1250 text; the Windows
// build goes through the wide API, the native build through POSIX with the
// names in UTF-8.  No name here collides with the A/W macros of
// <windows.h> (DeleteFile, CreateDirectory, ...).

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace cl {

#ifdef _WIN32
constexpr char PathDelim = '\\';
#else
constexpr char PathDelim = '/';
#endif

// File attributes as the system reports them.  The native build knows
// read-only (no write permission for the owner), directory and archive
// (every other entry).
constexpr uint32_t faReadOnly = 0x01;
constexpr uint32_t faHidden = 0x02;
constexpr uint32_t faSysFile = 0x04;
constexpr uint32_t faVolumeID = 0x08;
constexpr uint32_t faDirectory = 0x10;
constexpr uint32_t faArchive = 0x20;
constexpr uint32_t faAnyFile = 0x3F;

// An existing entry that is not a directory.
bool FileExists(const std::string& name);
bool DirectoryExists(const std::string& name);
// One folder whose parent exists; false when it cannot be made.
bool CreateDir(const std::string& name);
// Deletes a file (never a folder); false when it cannot.
bool RemoveFile(const std::string& name);
// The faXxx bits, or -1 when the entry is missing.
int32_t FileGetAttr(const std::string& name);
// False when the attributes cannot be set (also for a missing entry).
bool FileSetAttr(const std::string& name, uint32_t attr);

// The full path of a name relative to the working folder.
std::string ExpandFileName(const std::string& name);
// The part up to and including the last path delimiter (or, on Windows,
// the drive's colon); empty when there is none.
std::string ExtractFilePath(std::string_view name);

struct TSearchRec {
    std::string Name;  // without the folder
    uint32_t Attr;
    int64_t Size;
};
// The entries of the mask's folder that match its last part ("*" and "?";
// natively "*.*" matches every name, as on Windows), "." and ".." included
// as the system lists them.  Without faDirectory in attr, folders are left
// out; hidden and system entries only with faHidden / faSysFile.  A folder
// that is missing or unreadable gives no entries.
std::vector<TSearchRec> FindFiles(const std::string& mask, uint32_t attr = faAnyFile);

}  // namespace cl
