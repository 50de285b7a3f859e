#include <dirent.h>
#include <fnmatch.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>

#include "classlib/Encoding.h"
#include "classlib/FileUtils.h"

namespace cl {

namespace {

bool StatOf(const std::string& name, struct stat& st) {
    return stat(Cp1250ToUtf8(name).c_str(), &st) == 0;
}

uint32_t AttributesOf(const struct stat& st) {
    uint32_t attr = S_ISDIR(st.st_mode) ? faDirectory : faArchive;
    if (!(st.st_mode & S_IWUSR)) attr |= faReadOnly;
    return attr;
}

}  // namespace

bool FileExists(const std::string& name) {
    struct stat st;
    return StatOf(name, st) && !S_ISDIR(st.st_mode);
}

bool DirectoryExists(const std::string& name) {
    struct stat st;
    return StatOf(name, st) && S_ISDIR(st.st_mode);
}

bool CreateDir(const std::string& name) {
    return mkdir(Cp1250ToUtf8(name).c_str(), 0777) == 0;
}

bool RemoveFile(const std::string& name) {
    return !DirectoryExists(name) && unlink(Cp1250ToUtf8(name).c_str()) == 0;
}

int32_t FileGetAttr(const std::string& name) {
    struct stat st;
    return StatOf(name, st) ? static_cast<int32_t>(AttributesOf(st)) : -1;
}

// Only read-only has a POSIX counterpart: the owner's write permission.
bool FileSetAttr(const std::string& name, uint32_t attr) {
    struct stat st;
    if (!StatOf(name, st)) return false;
    const mode_t mode =
        (attr & faReadOnly) ? st.st_mode & ~(S_IWUSR | S_IWGRP | S_IWOTH) : st.st_mode | S_IWUSR;
    return chmod(Cp1250ToUtf8(name).c_str(), mode & 07777) == 0;
}

std::string ExpandFileName(const std::string& name) {
    if (!name.empty() && name[0] == '/') return name;
    char* cwd = getcwd(nullptr, 0);
    if (!cwd) return name;
    std::string full = Utf8ToCp1250(cwd);
    free(cwd);
    if (full.back() != '/') full += '/';
    return full + name;
}

std::string ExtractFilePath(std::string_view name) {
    const size_t at = name.rfind('/');
    return at == std::string_view::npos ? std::string() : std::string(name.substr(0, at + 1));
}

std::vector<TSearchRec> FindFiles(const std::string& mask, uint32_t attr) {
    const uint32_t excluded = ~attr & faDirectory;
    const std::string folder = ExtractFilePath(mask);
    std::string pattern = Cp1250ToUtf8(mask.substr(folder.size()));
    if (pattern == "*.*") pattern.resize(1);  // "*"
    std::vector<TSearchRec> found;
    DIR* dir = opendir(folder.empty() ? "." : Cp1250ToUtf8(folder).c_str());
    if (!dir) return found;
    while (const dirent* entry = readdir(dir)) {
        if (fnmatch(pattern.c_str(), entry->d_name, 0) != 0) continue;
        const std::string name = Utf8ToCp1250(entry->d_name);
        struct stat st;
        if (!StatOf(folder + name, st)) continue;
        const uint32_t a = AttributesOf(st);
        if (a & excluded) continue;
        found.push_back({name, a, S_ISDIR(st.st_mode) ? 0 : static_cast<int64_t>(st.st_size)});
    }
    closedir(dir);
    return found;
}

}  // namespace cl
