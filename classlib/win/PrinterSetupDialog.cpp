// PrintDlgW with PD_PRINTSETUP.  The dialog may free the blocks it is given
// and allocate new ones, so it gets copies and returns its own.
#include "classlib/win/PrinterSetupDialog.h"

#include <windows.h>  // with commdlg.h

#include <cstring>
#include <cwchar>
#include <memory>
#include <string>

#include "classlib/win/Printers.h"
#include "classlib/win/WideText.h"

namespace cl {

namespace {

struct GlobalFreeDeleter {
    void operator()(void* block) const { GlobalFree(block); }
};
using GlobalBlock = std::unique_ptr<void, GlobalFreeDeleter>;

// Locked for the scope; the pointer is null when the lock failed.
class GlobalLockScope {
public:
    explicit GlobalLockScope(HGLOBAL block) : block_(block), data_(block ? GlobalLock(block) : nullptr) {}
    ~GlobalLockScope() {
        if (data_) GlobalUnlock(block_);
    }
    GlobalLockScope(const GlobalLockScope&) = delete;
    GlobalLockScope& operator=(const GlobalLockScope&) = delete;
    void* get() const { return data_; }

private:
    HGLOBAL block_;
    void* data_;
};

GlobalBlock CopyBlock(HGLOBAL source) {
    GlobalLockScope from(source);
    const SIZE_T size = GlobalSize(source);
    if (!from.get() || size == 0) return nullptr;
    GlobalBlock copy(GlobalAlloc(GHND, size));
    if (!copy) throw EOutOfMemory("Out of memory for the print set-up dialog");
    GlobalLockScope to(copy.get());
    if (!to.get()) throw EOutOfMemory("Out of memory for the print set-up dialog");
    std::memcpy(to.get(), from.get(), size);
    return copy;
}

// DEVNAMES: offsets in characters to driver, device and port, then the strings.
GlobalBlock MakeDevNames(const std::string& driver, const std::string& device, const std::string& port) {
    const std::wstring names[] = {ToWide(driver), ToWide(device), ToWide(port)};
    size_t chars = sizeof(DEVNAMES) / sizeof(wchar_t);
    WORD offsets[3];
    for (int i = 0; i < 3; ++i) {
        offsets[i] = static_cast<WORD>(chars);
        chars += names[i].size() + 1;
    }
    GlobalBlock block(GlobalAlloc(GHND, chars * sizeof(wchar_t)));
    if (!block) throw EOutOfMemory("Out of memory for the print set-up dialog");
    GlobalLockScope lock(block.get());
    auto* dn = static_cast<DEVNAMES*>(lock.get());
    if (!dn) throw EOutOfMemory("Out of memory for the print set-up dialog");
    dn->wDriverOffset = offsets[0];
    dn->wDeviceOffset = offsets[1];
    dn->wOutputOffset = offsets[2];
    auto* text = reinterpret_cast<wchar_t*>(dn);
    for (int i = 0; i < 3; ++i) std::wmemcpy(text + offsets[i], names[i].c_str(), names[i].size() + 1);
    return block;
}

// One of the DEVNAMES strings, bounded by the block's size.
std::string DevName(const void* block, SIZE_T size, WORD offset) {
    const auto* text = static_cast<const wchar_t*>(block);
    const size_t chars = size / sizeof(wchar_t);
    if (offset >= chars) return {};
    return FromWide(std::wstring_view(text + offset, wcsnlen(text + offset, chars - offset)));
}

}  // namespace

CL_CLASS_INFO(TPrinterSetupDialog)

bool TPrinterSetupDialog::Execute() {
    TPrinter& printer = *Printer();
    GlobalBlock devMode;
    GlobalBlock devNames;
    if (printer.Printers().Count() > 0) {
        std::string device, driver, port;
        HGLOBAL current = nullptr;
        printer.GetPrinter(device, driver, port, current);
        devMode = CopyBlock(current);
        devNames = MakeDevNames(driver, device, port);
    }
    PRINTDLGW pd{};
    pd.lStructSize = sizeof pd;
    pd.hwndOwner = GetActiveWindow();
    pd.hDevMode = devMode.release();
    pd.hDevNames = devNames.release();
    pd.Flags = PD_PRINTSETUP;
    const bool ok = PrintDlgW(&pd);
    devMode.reset(pd.hDevMode);
    devNames.reset(pd.hDevNames);
    if (!ok || !devMode || !devNames) return false;

    std::string device, driver, port;
    {
        GlobalLockScope lock(devNames.get());
        const auto* dn = static_cast<const DEVNAMES*>(lock.get());
        const SIZE_T size = GlobalSize(devNames.get());
        if (!dn || size < sizeof(DEVNAMES)) return false;
        driver = DevName(dn, size, dn->wDriverOffset);
        device = DevName(dn, size, dn->wDeviceOffset);
        port = DevName(dn, size, dn->wOutputOffset);
    }
    printer.SetPrinter(device, driver, port, devMode.get());
    devMode.release();  // the printer's now
    return true;
}

}  // namespace cl
