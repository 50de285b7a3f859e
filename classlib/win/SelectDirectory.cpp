// SelectDirectory over the shell's folder browser.
#include <windows.h>
// After windows.h, which they need.
#include <objbase.h>
#include <shlobj.h>

#include "classlib/Exceptions.h"
#include "classlib/FileUtils.h"
#include "classlib/win/Dialogs.h"
#include "classlib/win/FileCtrl.h"
#include "classlib/win/Forms.h"
#include "classlib/win/WideText.h"

namespace cl {

namespace {

TSelectDirectoryHook g_selectDirectoryHook;

struct BrowseState {
    std::wstring start;
    std::wstring selected;  // the folder selected in the tree
    std::wstring typed;     // a name typed that is no existing folder
    bool allowCreate;
};

int CALLBACK BrowseCallback(HWND wnd, UINT msg, LPARAM lp, LPARAM data) {
    auto* state = reinterpret_cast<BrowseState*>(data);
    switch (msg) {
        case BFFM_INITIALIZED:
            if (!state->start.empty())
                SendMessageW(wnd, BFFM_SETSELECTIONW, TRUE, reinterpret_cast<LPARAM>(state->start.c_str()));
            break;
        case BFFM_SELCHANGED: {
            wchar_t path[MAX_PATH] = {};
            state->selected =
                SHGetPathFromIDListW(reinterpret_cast<PCIDLIST_ABSOLUTE>(lp), path) ? path : L"";
            break;
        }
        case BFFM_VALIDATEFAILEDW:
            // 0 closes the browser with the typed name, non-zero keeps it open.
            if (!state->allowCreate) return 1;
            state->typed = reinterpret_cast<const wchar_t*>(lp);
            return 0;
    }
    return 0;
}

// A typed name is taken from the folder selected in the tree unless it
// starts at a root itself.
std::wstring TypedFolder(const BrowseState& state) {
    const std::wstring& t = state.typed;
    const bool rooted = (t.size() >= 2 && t[1] == L':') || (!t.empty() && (t[0] == L'\\' || t[0] == L'/'));
    if (rooted || state.selected.empty()) return t;
    std::wstring base = state.selected;
    if (base.back() != L'\\') base += L'\\';
    return base + t;
}

bool BrowseForFolder(std::string& directory, TSelectDirOpts options, const std::string& title) {
    // The browser's newer look needs COM in this thread.
    const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    const bool uninitialize = SUCCEEDED(com);
    BrowseState state{ToWide(directory), L"", L"", (options & sdAllowCreate) != 0};
    const std::wstring wideTitle = ToWide(title);

    BROWSEINFOW bi{};
    bi.hwndOwner = DialogOwner();
    bi.lpszTitle = wideTitle.empty() ? nullptr : wideTitle.c_str();
    bi.ulFlags = BIF_RETURNONLYFSDIRS | BIF_NEWDIALOGSTYLE;
    if (options & sdAllowCreate)
        bi.ulFlags |= BIF_EDITBOX | BIF_VALIDATE;
    else
        bi.ulFlags |= BIF_NONEWFOLDERBUTTON;
    bi.lpfn = BrowseCallback;
    bi.lParam = reinterpret_cast<LPARAM>(&state);

    const std::vector<HWND> disabled = DisableTaskWindows(bi.hwndOwner);
    PIDLIST_ABSOLUTE chosen = SHBrowseForFolderW(&bi);
    EnableTaskWindows(disabled);
    bool ok = false;
    if (!state.typed.empty()) {
        directory = FromWide(TypedFolder(state));
        ok = true;
    } else if (chosen) {
        wchar_t path[MAX_PATH] = {};
        if (SHGetPathFromIDListW(chosen, path)) {
            directory = FromWide(path);
            ok = true;
        }
    }
    if (chosen) CoTaskMemFree(chosen);
    if (uninitialize) CoUninitialize();
    return ok;
}

// Makes the folder and every missing parent; false when one cannot be made.
bool MakeFolders(const std::string& folder) {
    std::string path = folder;
    while (path.size() > 3 && (path.back() == '\\' || path.back() == '/')) path.pop_back();
    if (path.empty() || DirectoryExists(path)) return true;
    const std::string parent = ExtractFilePath(path);
    if (!parent.empty() && parent != path && !MakeFolders(parent)) return false;
    return CreateDir(path) || DirectoryExists(path);
}

}  // namespace

void SetSelectDirectoryHook(TSelectDirectoryHook hook) {
    g_selectDirectoryHook = std::move(hook);
}

bool SelectDirectory(std::string& directory, TSelectDirOpts options, int /*helpCtx*/,
                     const std::string& title) {
    std::string chosen = directory;
    const bool ok = g_selectDirectoryHook ? g_selectDirectoryHook(chosen, options, title)
                                          : BrowseForFolder(chosen, options, title);
    if (!ok) return false;
    if ((options & sdPerformCreate) && !chosen.empty() && !DirectoryExists(chosen)) {
        if ((options & sdPrompt) && MessageDlg("The specified directory does not exist. Create it?",
                                               mtConfirmation, mbYes | mbNo, 0) != mrYes)
            return false;
        if (!MakeFolders(chosen)) throw EOSError("Unable to create directory");
    }
    directory = chosen;
    return true;
}

}  // namespace cl
