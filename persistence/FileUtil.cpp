#include "persistence/FileUtil.h"

#include "classlib/FileUtils.h"

using cl::PathDelim;

std::string NormalizeDirName(const std::string& name) {
    if (name.empty() || name.back() == ':' || name.back() == PathDelim) return name;
    const char c = name[0];
    if (name.size() == 1 && ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'))) return name + ':' + PathDelim;
    return name + PathDelim;
}

void ForceDirPath(std::string path) {
    if (!path.empty() && path.back() == PathDelim) path.pop_back();
    if (path.size() < 3 || cl::DirectoryExists(path)) return;
    const std::string parent = cl::ExtractFilePath(path);
    if (parent == path) return;
    ForceDirPath(parent);
    cl::CreateDir(path);
}

bool DeleteFilesByMask(const std::string& mask) {
    const std::string full = cl::ExpandFileName(mask);
    const std::string folder = cl::ExtractFilePath(full);
    for (const cl::TSearchRec& rec : cl::FindFiles(full, cl::faAnyFile)) {
        if (rec.Name == "." || (rec.Attr & (cl::faDirectory | cl::faVolumeID))) continue;
        if (!cl::RemoveFile(folder + rec.Name)) return false;
    }
    return true;
}
