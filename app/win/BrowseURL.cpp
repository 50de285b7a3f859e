#include "app/win/BrowseURL.h"

#include <shellapi.h>
#include <windows.h>

#include "classlib/Exceptions.h"
#include "classlib/win/WideText.h"

CL_CLASS_INFO(TBrowseURL)

bool TBrowseURL::Execute() {
    Update();
    if (!Enabled()) return false;
    const auto result = reinterpret_cast<INT_PTR>(
        ShellExecuteW(nullptr, L"open", cl::ToWide(url_).c_str(), nullptr, nullptr, SW_SHOWNORMAL));
    // ShellExecute reports success with a value above 32.
    if (result <= 32) throw cl::Exception("Cannot open " + url_);
    return true;
}
