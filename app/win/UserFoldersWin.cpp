#include <shlobj.h>
#include <windows.h>

#include "app/UserFolders.h"
#include "classlib/FileUtils.h"
#include "classlib/win/Forms.h"
#include "classlib/win/WideText.h"

void InitFolders() {
    wchar_t documents[MAX_PATH] = {};
    const bool found =
        SUCCEEDED(SHGetFolderPathW(nullptr, CSIDL_PERSONAL, nullptr, SHGFP_TYPE_CURRENT, documents));
    SetUpFolders(cl::ExtractFilePath(cl::Application->ExeName()),
                 found ? cl::FromWide(documents) : std::string());
}
