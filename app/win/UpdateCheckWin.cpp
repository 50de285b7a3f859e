#include <urlmon.h>
#include <windows.h>

#include "app/UpdateCheck.h"
#include "classlib/FileUtils.h"
#include "classlib/win/Forms.h"
#include "classlib/win/WideText.h"

namespace {

// Success only means a file was saved: Wine saves an HTTP error page and
// reports success, so the content is judged by ParseUpdateFile.
bool Download(const std::string& url, const std::string& fileName) {
    return SUCCEEDED(
        URLDownloadToFileW(nullptr, cl::ToWide(url).c_str(), cl::ToWide(fileName).c_str(), 0, nullptr));
}

}  // namespace

int CheckForUpdate(const std::string& url) {
    struct Hourglass {
        Hourglass() { cl::Screen->SetCursor(cl::crHourGlass); }
        ~Hourglass() { cl::Screen->SetCursor(cl::crDefault); }
    } busy;
    // A copy left by an earlier check must never be read as this one's answer.
    const std::string local = UpdateFileName();
    if (!cl::RemoveFile(local) && cl::FileExists(local)) return kNoUpdateInfo;
    if (!Download(url, local) && !Download(ToggleHttpPrefix(url), local)) return kNoUpdateInfo;
    std::string info;
    return ParseUpdateFile(local, info);
}

int CheckForUpdate() {
    return CheckForUpdate(UpdateFileUrl());
}
