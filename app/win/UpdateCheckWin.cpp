#include <urlmon.h>
#include <windows.h>

#include <atomic>
#include <thread>

#include "app/UpdateCheck.h"
#include "classlib/FileUtils.h"
#include "classlib/win/Forms.h"
#include "classlib/win/WideText.h"

namespace {

// Success only means a file was saved: Wine saves an HTTP error page and
// reports success, so the content is judged by ParseUpdateFile.
bool Download(const std::wstring& url, const std::wstring& fileName) {
    return SUCCEEDED(URLDownloadToFileW(nullptr, url.c_str(), fileName.c_str(), 0, nullptr));
}

// The address, then the address with its "http://" toggled, into the local copy.
bool DownloadEither(const std::wstring& url, const std::wstring& other, const std::wstring& local) {
    return Download(url, local) || Download(other, local);
}

// A copy left by an earlier check must never be read as this one's answer.
bool RemoveOldCopy(const std::string& local) {
    return cl::RemoveFile(local) || !cl::FileExists(local);
}

// One worker at a time; it touches only what it was handed.
std::atomic<bool> downloading = false;

}  // namespace

int CheckForUpdate(const std::string& url) {
    struct Hourglass {
        Hourglass() { cl::Screen->SetCursor(cl::crHourGlass); }
        ~Hourglass() { cl::Screen->SetCursor(cl::crDefault); }
    } busy;
    const std::string local = UpdateFileName();
    if (!RemoveOldCopy(local)) return kNoUpdateInfo;
    if (!DownloadEither(cl::ToWide(url), cl::ToWide(ToggleHttpPrefix(url)), cl::ToWide(local)))
        return kNoUpdateInfo;
    std::string info;
    return ParseUpdateFile(local, info);
}

bool StartUpdateDownload(void* Window, unsigned Msg, const std::string& url) {
    const std::string local = UpdateFileName();
    if (downloading || !RemoveOldCopy(local)) return false;
    downloading = true;
    try {
        std::thread([Window, Msg, url = cl::ToWide(url), other = cl::ToWide(ToggleHttpPrefix(url)),
                     local = cl::ToWide(local)] {
            // The download service needs the component object model on its thread.
            const bool com = SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
            const bool downloaded = DownloadEither(url, other, local);
            if (com) CoUninitialize();
            downloading = false;
            // A window closed meanwhile takes nothing: the post fails, harmlessly.
            PostMessageW(static_cast<HWND>(Window), Msg, 0, downloaded ? 1 : 0);
        }).detach();
    } catch (const std::exception&) {
        downloading = false;  // no thread could be started
        return false;
    }
    return true;
}

int UpdateCheckResult(bool Downloaded) {
    if (!Downloaded) return kNoUpdateInfo;
    std::string info;
    return ParseUpdateFile(UpdateFileName(), info);
}

int CheckForUpdate() {
    return CheckForUpdate(UpdateFileUrl());
}
