#pragma once
// What the enhanced controls know of the system: the Windows version class
// from a version record, and the processor from CPUID.  The Windows build
// reads the running system's values (controls/win/CoreSysInfoWin.h).

#include <cstdint>
#include <string>
#include <string_view>

enum TWindowsVersion {
    wvUnknown,
    wvWin95,
    wvWin95OSR2,
    wvWin98,
    wvWin98SE,
    wvWinME,
    wvWinNT31,
    wvWinNT35,
    wvWinNT351,
    wvWinNT4,
    wvWin2000,
    wvWinXP,
    wvWin2003,
};

// platformId, major, minor and servicePack as GetVersionEx gives them (the
// platform 1: Windows, 2: NT); osFileVersion is the high double word of the
// system's own file version (major << 16 | minor; read on Windows only).
TWindowsVersion WindowsVersionClass(uint32_t platformId, uint32_t major, uint32_t minor,
                                    std::string_view servicePack, uint32_t osFileVersion);

enum TCpuVendor { cvUnknown, cvIntel, cvCyrix, cvAMD, cvTransmeta };

constexpr uint32_t kCpuFeatureMMX = 0x800000;

struct TCpuInfo {
    bool CpuIdAvailable = false;
    std::string VendorIdString;  // "GenuineIntel", ...
    TCpuVendor Vendor = cvUnknown;
    int Family = 0;
    int Model = 0;
    int Stepping = 0;
    uint32_t Features = 0;  // CPUID 1, EDX
    std::string ModelName;
};

// The vendor's name of a processor model.
std::string CpuModelName(TCpuVendor vendor, int family, int model);
TCpuVendor CpuVendorOf(std::string_view vendorIdString);
// CPUID of the processor this runs on (CpuIdAvailable false without it).
TCpuInfo ReadCpuIdentification();
