#pragma once
// The running system as the enhanced controls see it, read once on first use.

#include <windows.h>

#include <cstdint>

#include "controls/CoreSysInfo.h"

struct TSysInfo {
    WORD ProcessorArchitecture = 0;
    DWORD PageSize = 0;
    DWORD_PTR ActiveProcessorMask = 0;
    bool IsWinNT = false;
    // The system's own file version (kernel32's; read on Windows 9x only).
    uint32_t OSFileVersionMS = 0;
    uint32_t OSFileVersionLS = 0;
    TWindowsVersion WindowsVersion = wvUnknown;

    bool Is(TWindowsVersion version) const { return WindowsVersion == version; }
};

const TSysInfo& SysInfo();
