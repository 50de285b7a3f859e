#include "controls/win/CoreSysInfoWin.h"

#include "classlib/win/WideText.h"
#include "controls/win/CoreFileUtils.h"

namespace {

TSysInfo ReadSysInfo() {
    TSysInfo info;
    SYSTEM_INFO si{};
    GetSystemInfo(&si);
    info.ProcessorArchitecture = si.wProcessorArchitecture;
    info.PageSize = si.dwPageSize;
    info.ActiveProcessorMask = si.dwActiveProcessorMask;

    OSVERSIONINFOW v{};
    v.dwOSVersionInfoSize = sizeof v;
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
    GetVersionExW(&v);
#pragma GCC diagnostic pop
    info.IsWinNT = v.dwPlatformId == VER_PLATFORM_WIN32_NT;
    if (!info.IsWinNT) {
        if (auto version = FileVersionInfo(ModuleFileName(GetModuleHandleW(L"kernel32.dll")))) {
            info.OSFileVersionMS = version->dwFileVersionMS;
            info.OSFileVersionLS = version->dwFileVersionLS;
        }
    }
    info.WindowsVersion = WindowsVersionClass(v.dwPlatformId, v.dwMajorVersion, v.dwMinorVersion,
                                              cl::FromWide(v.szCSDVersion), info.OSFileVersionMS);
    return info;
}

}  // namespace

const TSysInfo& SysInfo() {
    static const TSysInfo info = ReadSysInfo();
    return info;
}
