// The set-up program of the print-to-file printer (tools/wineprinter), run
// in this test's Wine environment as scripts/wine-run runs it: with
// --keep-default (a person's run) a printer Wine found installed stays the
// default; without it (the tests) the file printer becomes the default.
#include <gtest/gtest.h>
#include <windows.h>
#include <winspool.h>

#include <string>

#include "classlib/Scope.h"

namespace {

const wchar_t kFilePrinter[] = L"Wine PostScript";
const wchar_t kInstalled[] = L"Drukarka zainstalowana";

// The tool, a Linux path under the build tree, as this Wine sees it.
std::wstring ToolPath() {
    std::wstring path = L"Z:";
    for (char c : std::string(SPRAW_WINE_ROOT "/wineprinter.exe")) path += c == '/' ? L'\\' : wchar_t(c);
    return path;
}

DWORD RunTool(const wchar_t* args) {
    std::wstring line = L"\"" + ToolPath() + L"\" " + args;
    STARTUPINFOW si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi))
        return 99;
    WaitForSingleObject(pi.hProcess, 30000);
    DWORD code = 98;
    GetExitCodeProcess(pi.hProcess, &code);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    return code;
}

bool Exists(const wchar_t* name) {
    HANDLE printer = nullptr;
    if (!OpenPrinterW(const_cast<wchar_t*>(name), &printer, nullptr)) return false;
    ClosePrinter(printer);
    return true;
}

void Delete(const wchar_t* name) {
    PRINTER_DEFAULTSW access{nullptr, nullptr, PRINTER_ALL_ACCESS};
    HANDLE printer = nullptr;
    if (!OpenPrinterW(const_cast<wchar_t*>(name), &printer, &access)) return;
    DeletePrinter(printer);
    ClosePrinter(printer);
}

std::wstring DefaultPrinter() {
    wchar_t name[256];
    DWORD size = 256;
    return GetDefaultPrinterW(name, &size) ? std::wstring(name) : std::wstring();
}

// A second printer on the file printer's driver, standing for one Wine
// found installed on the machine.
bool AddInstalled() {
    PRINTER_INFO_2W info{};
    info.pPrinterName = const_cast<wchar_t*>(kInstalled);
    info.pPortName = const_cast<wchar_t*>(L"FILE:");
    info.pDriverName = const_cast<wchar_t*>(kFilePrinter);
    info.pPrintProcessor = const_cast<wchar_t*>(L"winprint");
    info.pDatatype = const_cast<wchar_t*>(L"RAW");
    info.Attributes = PRINTER_ATTRIBUTE_LOCAL;
    HANDLE printer = AddPrinterW(nullptr, 2, reinterpret_cast<BYTE*>(&info));
    if (!printer) return false;
    ClosePrinter(printer);
    return true;
}

TEST(FilePrinterSetup, AnInstalledDefaultStaysOnlyInAPersonsRun) {
    ASSERT_TRUE(Exists(kFilePrinter)) << "the tests' environment has the file printer";
    // The other tests print to the file printer as the default: it is put back.
    const cl::ScopeExit restore([] {
        Delete(kInstalled);
        if (!Exists(kFilePrinter)) RunTool(L"");
        SetDefaultPrinterW(kFilePrinter);
    });
    ASSERT_TRUE(AddInstalled());
    ASSERT_TRUE(SetDefaultPrinterW(kInstalled));
    Delete(kFilePrinter);
    ASSERT_FALSE(Exists(kFilePrinter));

    EXPECT_EQ(RunTool(L"--keep-default"), 0u);
    EXPECT_TRUE(Exists(kFilePrinter));
    EXPECT_EQ(DefaultPrinter(), kInstalled);
    // Once set up, another run changes nothing.
    EXPECT_EQ(RunTool(L"--keep-default"), 0u);
    EXPECT_EQ(DefaultPrinter(), kInstalled);

    Delete(kFilePrinter);
    EXPECT_EQ(RunTool(L""), 0u);
    EXPECT_TRUE(Exists(kFilePrinter));
    EXPECT_EQ(DefaultPrinter(), kFilePrinter);
}

TEST(FilePrinterSetup, WithoutAnyPrinterTheFilePrinterBecomesTheDefaultInAPersonsRun) {
    const cl::ScopeExit restore([] {
        if (!Exists(kFilePrinter)) RunTool(L"");
        SetDefaultPrinterW(kFilePrinter);
    });
    Delete(kFilePrinter);
    ASSERT_FALSE(Exists(kFilePrinter));
    ASSERT_EQ(DefaultPrinter(), L"") << "no other printer in the tests' environment";
    EXPECT_EQ(RunTool(L"--keep-default"), 0u);
    EXPECT_EQ(DefaultPrinter(), kFilePrinter);
}

}  // namespace
