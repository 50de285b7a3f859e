// Sets up, once per Wine prefix, a printer that writes PostScript to a file:
// Wine's PostScript driver with its generic PPD, on the port FILE:.  The
// print tests (and the program under test) print to it with StartDoc's
// lpszOutput; a person's run asks for the file's name.  Does nothing when
// the printer already exists.
//
//   wineprinter                  the file printer becomes the default (the tests)
//   wineprinter --keep-default   an installed printer Wine found stays the default
#include <windows.h>
#include <winspool.h>

#include <cstdio>
#include <cstring>
#include <string>

namespace {

constexpr const wchar_t* kPrinter = L"Wine PostScript";
constexpr const wchar_t* kDriver = L"Wine PostScript";

struct Environment {
    const wchar_t* name;
    const wchar_t* driverFile;  // the 16-bit world has its own driver module
};
constexpr Environment kEnvironments[] = {
    {L"Windows NT x86", L"wineps.drv"},
    {L"Windows x64", L"wineps.drv"},
    {L"Windows 4.0", L"wineps16.drv"},
};

bool Fail(const char* what) {
    std::fprintf(stderr, "wineprinter: %s failed (error %lu)\n", what, GetLastError());
    return false;
}

bool PrinterExists() {
    HANDLE printer = nullptr;
    if (!OpenPrinterW(const_cast<wchar_t*>(kPrinter), &printer, nullptr)) return false;
    ClosePrinter(printer);
    return true;
}

// Wine's generic PPD is a resource of its winspool.drv.
bool WritePpd(const std::wstring& path) {
    HMODULE winspool = GetModuleHandleW(L"winspool.drv");
    if (!winspool) return Fail("GetModuleHandle(winspool.drv)");
    HRSRC res = FindResourceW(winspool, MAKEINTRESOURCEW(1), L"PPDFILE");
    if (!res) return Fail("FindResource(PPDFILE, 1)");
    HGLOBAL data = LoadResource(winspool, res);
    const DWORD size = SizeofResource(winspool, res);
    const void* bytes = data ? LockResource(data) : nullptr;
    if (!bytes || size == 0) return Fail("LoadResource(PPDFILE, 1)");
    HANDLE file =
        CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return Fail("CreateFile(PPD)");
    DWORD written = 0;
    const bool ok = WriteFile(file, bytes, size, &written, nullptr) && written == size;
    CloseHandle(file);
    return ok || Fail("WriteFile(PPD)");
}

bool AddDrivers(const std::wstring& ppd) {
    for (const Environment& env : kEnvironments) {
        // Wine's PostScript processor; it exists already in most prefixes.
        AddPrintProcessorW(nullptr, const_cast<wchar_t*>(env.name), const_cast<wchar_t*>(L"wineps.drv"),
                           const_cast<wchar_t*>(L"wineps"));
        DRIVER_INFO_3W info{};
        info.cVersion = 3;
        info.pName = const_cast<wchar_t*>(kDriver);
        info.pEnvironment = const_cast<wchar_t*>(env.name);
        info.pDriverPath = const_cast<wchar_t*>(env.driverFile);
        info.pConfigFile = const_cast<wchar_t*>(env.driverFile);
        info.pDataFile = const_cast<wchar_t*>(ppd.c_str());
        info.pDefaultDataType = const_cast<wchar_t*>(L"RAW");
        // Copies the PPD into the environment's driver folder.
        if (!AddPrinterDriverExW(nullptr, 3, reinterpret_cast<BYTE*>(&info),
                                 APD_COPY_NEW_FILES | APD_COPY_FROM_DIRECTORY) &&
            GetLastError() != ERROR_PRINTER_DRIVER_ALREADY_INSTALLED)
            return Fail("AddPrinterDriverEx");
    }
    return true;
}

bool HasDefaultPrinter() {
    DWORD size = 0;
    // Asked with no buffer: a default printer makes the call ask for one.
    return !GetDefaultPrinterW(nullptr, &size) && GetLastError() == ERROR_INSUFFICIENT_BUFFER;
}

bool AddFilePrinter(bool keepDefault) {
    PRINTER_INFO_2W info{};
    info.pPrinterName = const_cast<wchar_t*>(kPrinter);
    info.pPortName = const_cast<wchar_t*>(L"FILE:");
    info.pDriverName = const_cast<wchar_t*>(kDriver);
    // With "wineps" as the processor EndDoc fails ("RAW datatype not supported").
    info.pPrintProcessor = const_cast<wchar_t*>(L"winprint");
    info.pDatatype = const_cast<wchar_t*>(L"RAW");
    info.Attributes = PRINTER_ATTRIBUTE_LOCAL;
    HANDLE printer = AddPrinterW(nullptr, 2, reinterpret_cast<BYTE*>(&info));
    if (!printer) return Fail("AddPrinter");
    ClosePrinter(printer);
    if (keepDefault && HasDefaultPrinter()) return true;
    return SetDefaultPrinterW(kPrinter) || Fail("SetDefaultPrinter");
}

}  // namespace

int main(int argc, char** argv) {
    const bool keepDefault = argc > 1 && std::strcmp(argv[1], "--keep-default") == 0;
    if (PrinterExists()) return 0;
    wchar_t temp[MAX_PATH];
    const DWORD n = GetTempPathW(MAX_PATH, temp);
    if (n == 0 || n >= MAX_PATH) {
        Fail("GetTempPath");
        return 1;
    }
    const std::wstring ppd = std::wstring(temp) + L"wineps_generic.ppd";
    const bool ok = WritePpd(ppd) && AddDrivers(ppd) && AddFilePrinter(keepDefault);
    DeleteFileW(ppd.c_str());
    return ok ? 0 : 1;
}
