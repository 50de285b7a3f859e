#include "controls/CoreSysInfo.h"

#include <cstring>

#include "controls/XcBaseUtils.h"

#if defined(__i386__) || defined(__x86_64__)
#include <cpuid.h>
#endif

TWindowsVersion WindowsVersionClass(uint32_t platformId, uint32_t major, uint32_t minor,
                                    std::string_view servicePack, uint32_t osFileVersion) {
    const std::string sp = TrimSpaces(servicePack);
    if (platformId == 1) {
        if (minor < 10) return sp == "B" || sp == "C" ? wvWin95OSR2 : wvWin95;
        if (minor < 90) {
            // Windows Me's own files say 4.90 where the version record may not.
            if (osFileVersion == 0x4005A) return wvWinME;
            return sp == "A" ? wvWin98SE : wvWin98;
        }
        if (minor == 90) return wvWinME;
        return wvUnknown;
    }
    if (platformId == 2) {
        switch (major) {
            case 3:
                return minor == 1 ? wvWinNT31 : minor == 5 ? wvWinNT35 : minor == 51 ? wvWinNT351 : wvUnknown;
            case 4:
                return wvWinNT4;
            case 5:
                return minor == 0 ? wvWin2000 : minor == 1 ? wvWinXP : minor == 2 ? wvWin2003 : wvUnknown;
        }
    }
    return wvUnknown;
}

TCpuVendor CpuVendorOf(std::string_view id) {
    if (id == "GenuineIntel") return cvIntel;
    if (id == "CyrixInstead") return cvCyrix;
    if (id == "AuthenticAMD") return cvAMD;
    if (id == "GenuineTMx86") return cvTransmeta;
    return cvUnknown;
}

namespace {

struct ModelRow {
    TCpuVendor vendor;
    int family;
    int model;  // -1: any model of the family
    const char* name;
};

const ModelRow kModels[] = {
    {cvIntel, 4, 0, "Intel 486DX Processor"},
    {cvIntel, 4, 1, "Intel 486DX Processor"},
    {cvIntel, 4, 2, "Intel 486SX Processor"},
    {cvIntel, 4, 3, "Intel DX2 Processor"},
    {cvIntel, 4, 4, "Intel 486 Processor"},
    {cvIntel, 4, 5, "Intel SX2 Processor"},
    {cvIntel, 4, 7, "Write-Back Enhanced Intel DX2 Processor"},
    {cvIntel, 4, 8, "Intel DX4 Processor"},
    {cvIntel, 5, 1, "Pentium Processor"},
    {cvIntel, 5, 2, "Pentium Processor"},
    {cvIntel, 5, 3, "Pentium OverDrive Processor"},
    {cvIntel, 5, 4, "Pentium MMX Processor"},
    {cvIntel, 6, 1, "Pentium Pro"},
    {cvIntel, 6, 3, "Pentium II"},
    {cvIntel, 6, 5, "Pentium II"},
    {cvIntel, 6, 6, "Celeron"},
    {cvIntel, 6, 7, "Pentium III"},
    {cvIntel, 6, 8, "Pentium III"},
    {cvIntel, 15, -1, "Pentium 4"},
    {cvAMD, 4, -1, "AMD Am486"},
    {cvAMD, 5, 0, "AMD-K5"},
    {cvAMD, 5, 1, "AMD-K5"},
    {cvAMD, 5, 2, "AMD-K5"},
    {cvAMD, 5, 3, "AMD-K5"},
    {cvAMD, 5, 6, "AMD-K6(R)"},
    {cvAMD, 5, 7, "AMD-K6(R)"},
    {cvAMD, 5, 8, "AMD-K6(R) -2"},
    {cvAMD, 5, 9, "AMD-K6(R) -III"},
    {cvAMD, 6, -1, "AMD Athlon(TM)"},
    {cvCyrix, 4, 4, "Cyrix MediaGX"},
    {cvCyrix, 5, 2, "Cyrix 6x86"},
    {cvCyrix, 5, 4, "Cyrix GXm"},
    {cvCyrix, 6, 0, "6x86MX"},
    {cvTransmeta, 5, -1, "Crusoe"},
};

}  // namespace

std::string CpuModelName(TCpuVendor vendor, int family, int model) {
    for (const ModelRow& row : kModels)
        if (row.vendor == vendor && row.family == family && (row.model == -1 || row.model == model))
            return row.name;
    if (vendor == cvAMD) return family <= 6 ? "Unknown AMD Model" : "Unknown AMD Chip";
    return std::to_string(family) + "x86";
}

TCpuInfo ReadCpuIdentification() {
    TCpuInfo info;
#if defined(__i386__) || defined(__x86_64__)
    unsigned eax = 0, ebx = 0, ecx = 0, edx = 0;
    if (!__get_cpuid(0, &eax, &ebx, &ecx, &edx)) return info;
    info.CpuIdAvailable = true;
    char vendor[13] = {};
    std::memcpy(vendor, &ebx, 4);
    std::memcpy(vendor + 4, &edx, 4);
    std::memcpy(vendor + 8, &ecx, 4);
    info.VendorIdString = vendor;
    info.Vendor = CpuVendorOf(info.VendorIdString);
    if (eax >= 1 && __get_cpuid(1, &eax, &ebx, &ecx, &edx)) {
        info.Family = static_cast<int>((eax >> 8) & 0xF);
        info.Model = static_cast<int>((eax >> 4) & 0xF);
        info.Stepping = static_cast<int>(eax & 0xF);
        info.Features = edx;
    }
    info.ModelName = CpuModelName(info.Vendor, info.Family, info.Model);
#endif
    return info;
}
