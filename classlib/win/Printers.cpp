// The printer over the spooler: printer names from EnumPrinters, device
// modes from DocumentProperties, device contexts from CreateIC/CreateDC.
#include "classlib/win/Printers.h"

#include <climits>
#include <cstddef>
#include <vector>

#include "classlib/win/WideText.h"

namespace cl {

namespace {

constexpr const char* kNotValid = "Printer selected is not valid";
constexpr const char* kNoDefault = "There is no default printer currently selected";
constexpr const char* kPrinting = "Printing in progress";
constexpr const char* kNotPrinting = "Printer is not currently printing";
constexpr const char* kBadDeviceMode = "Printer device mode is not valid";

// The fields up to dmFormName are read and written here.
constexpr size_t kMinDevModeSize = offsetof(DEVMODEW, dmLogPixels);

class PrinterHandle {
public:
    explicit PrinterHandle(const std::wstring& name) {
        if (!OpenPrinterW(const_cast<wchar_t*>(name.c_str()), &handle_, nullptr)) throw EPrinter(kNotValid);
    }
    ~PrinterHandle() { ClosePrinter(handle_); }
    PrinterHandle(const PrinterHandle&) = delete;
    PrinterHandle& operator=(const PrinterHandle&) = delete;
    HANDLE get() const { return handle_; }

private:
    HANDLE handle_ = nullptr;
};

bool ValidDeviceMode(HGLOBAL block) {
    const SIZE_T size = GlobalSize(block);
    if (size < kMinDevModeSize) return false;
    const auto* dm = static_cast<const DEVMODEW*>(GlobalLock(block));
    if (!dm) return false;
    const bool ok = dm->dmSize >= kMinDevModeSize && size_t{dm->dmSize} + dm->dmDriverExtra <= size;
    GlobalUnlock(block);
    return ok;
}

// A new block with the printer's current settings, driver part included.
HGLOBAL LoadDeviceMode(HANDLE printer, const std::wstring& device) {
    auto* name = const_cast<wchar_t*>(device.c_str());
    const LONG size = DocumentPropertiesW(nullptr, printer, name, nullptr, nullptr, 0);
    if (size < static_cast<LONG>(kMinDevModeSize)) throw EPrinter(kNotValid);
    HGLOBAL block = GlobalAlloc(GHND, static_cast<SIZE_T>(size));
    if (!block) throw EOutOfMemory("Out of memory for the printer's device mode");
    auto* dm = static_cast<DEVMODEW*>(GlobalLock(block));
    const LONG result = dm ? DocumentPropertiesW(nullptr, printer, name, dm, nullptr, DM_OUT_BUFFER) : -1;
    if (dm) GlobalUnlock(block);
    if (result != IDOK) {
        GlobalFree(block);
        throw EPrinter(kNotValid);
    }
    return block;
}

// The canvas asks the printer for its context when it needs one and keeps
// the font's point size at the printer's resolution.
class TPrinterCanvas : public TCanvas {
public:
    explicit TPrinterCanvas(TPrinter& printer) : printer_(printer) {}

protected:
    void CreateHandle() override {
        HDC dc = printer_.Handle();
        const int ppi = GetDeviceCaps(dc, LOGPIXELSY);
        if (Font()->PixelsPerInch() != ppi) {
            const int size = Font()->Size();
            Font()->SetPixelsPerInch(ppi);
            Font()->SetSize(size);
        }
        SetHandle(dc);
    }

private:
    TPrinter& printer_;
};

}  // namespace

struct TPrinter::DevModeLock {
    explicit DevModeLock(HGLOBAL block) : block(block), dm(static_cast<DEVMODEW*>(GlobalLock(block))) {
        if (!dm) throw EPrinter(kBadDeviceMode);
    }
    ~DevModeLock() { GlobalUnlock(block); }
    DevModeLock(const DevModeLock&) = delete;
    DevModeLock& operator=(const DevModeLock&) = delete;

    HGLOBAL block;
    DEVMODEW* dm;
};

CL_CLASS_INFO(TPrinter)

TPrinter::TPrinter() = default;

TPrinter::~TPrinter() {
    EndJob();
    FreeDeviceMode();
}

void TPrinter::CheckPrinting(bool printing) const {
    if (printing_ != printing) throw EPrinter(printing ? kNotPrinting : kPrinting);
}

const TStrings& TPrinter::Printers() {
    if (!printers_) LoadPrinters();
    return *printers_;
}

void TPrinter::LoadPrinters() {
    auto list = std::make_unique<TStringList>();
    constexpr DWORD kFlags = PRINTER_ENUM_LOCAL | PRINTER_ENUM_CONNECTIONS;
    std::vector<BYTE> buffer;
    DWORD needed = 0;
    DWORD count = 0;
    while (!EnumPrintersW(kFlags, nullptr, 4, buffer.data(), static_cast<DWORD>(buffer.size()), &needed,
                          &count)) {
        // Any other failure means there is no spooler to ask: no printers.
        if (GetLastError() != ERROR_INSUFFICIENT_BUFFER || needed <= buffer.size()) {
            count = 0;
            break;
        }
        buffer.resize(needed);
    }
    const auto* info = reinterpret_cast<const PRINTER_INFO_4W*>(buffer.data());
    for (DWORD i = 0; i < count; ++i) list->Add(FromWide(info[i].pPrinterName));
    printers_ = std::move(list);
}

int TPrinter::PrinterIndex() {
    if (index_ < 0) SelectDefault();
    return index_;
}

void TPrinter::SetPrinterIndex(int index) {
    CheckPrinting(false);
    if (index == -1) {
        SelectDefault();
    } else {
        Select(index);
    }
}

void TPrinter::SelectDefault() {
    DWORD size = 0;
    GetDefaultPrinterW(nullptr, &size);
    std::wstring name(size, L'\0');
    if (size == 0 || !GetDefaultPrinterW(name.data(), &size)) throw EPrinter(kNoDefault);
    name.resize(wcslen(name.c_str()));
    const int index = Printers().IndexOf(FromWide(name));
    if (index < 0) throw EPrinter(kNoDefault);
    Select(index);
}

void TPrinter::Select(int index) {
    if (index < 0 || index >= Printers().Count()) throw EPrinter(kNotValid);
    const std::string device = printers_->Get(index);
    const std::wstring wideDevice = ToWide(device);
    PrinterHandle printer(wideDevice);
    DWORD needed = 0;
    ::GetPrinterW(printer.get(), 2, nullptr, 0, &needed);
    std::vector<BYTE> buffer(needed);
    if (needed == 0 || !::GetPrinterW(printer.get(), 2, buffer.data(), needed, &needed))
        throw EPrinter(kNotValid);
    const auto* info = reinterpret_cast<const PRINTER_INFO_2W*>(buffer.data());
    HGLOBAL deviceMode = LoadDeviceMode(printer.get(), wideDevice);
    ReleaseHandle();
    FreeDeviceMode();
    deviceMode_ = deviceMode;
    index_ = index;
    device_ = device;
    driver_ = info->pDriverName ? FromWide(info->pDriverName) : std::string();
    port_ = info->pPortName ? FromWide(info->pPortName) : std::string();
}

void TPrinter::FreeDeviceMode() noexcept {
    if (deviceMode_) GlobalFree(deviceMode_);
    deviceMode_ = nullptr;
}

void TPrinter::Refresh() {
    CheckPrinting(false);
    LoadPrinters();
    if (index_ < 0) return;
    const int index = printers_->IndexOf(device_);
    if (index >= 0) {
        index_ = index;
        return;
    }
    // The selected printer is gone; the default one is chosen next time.
    ReleaseHandle();
    FreeDeviceMode();
    index_ = -1;
    device_.clear();
    driver_.clear();
    port_.clear();
}

void TPrinter::GetPrinter(std::string& device, std::string& driver, std::string& port, HGLOBAL& deviceMode) {
    if (index_ < 0) SelectDefault();
    device = device_;
    driver = driver_;
    port = port_;
    deviceMode = deviceMode_;
}

void TPrinter::SetPrinter(const std::string& device, const std::string& driver, const std::string& port,
                          HGLOBAL deviceMode) {
    CheckPrinting(false);
    if (device.empty()) throw EPrinter(kNotValid);
    // Refused before anything changes, so the caller still owns a bad block.
    if (deviceMode && !ValidDeviceMode(deviceMode)) throw EPrinter(kBadDeviceMode);
    if (!deviceMode) {
        const std::wstring wideDevice = ToWide(device);
        deviceMode = LoadDeviceMode(PrinterHandle(wideDevice).get(), wideDevice);
    }
    int index = Printers().IndexOf(device);
    if (index < 0) index = printers_->Add(device);
    ReleaseHandle();
    if (deviceMode != deviceMode_) FreeDeviceMode();
    deviceMode_ = deviceMode;
    index_ = index;
    device_ = device;
    driver_ = driver;
    port_ = port;
}

HDC TPrinter::Handle() {
    if (state_ == HandleState::None) {
        if (index_ < 0) SelectDefault();
        DevModeLock lock(deviceMode_);
        dc_ = CreateICW(nullptr, ToWide(device_).c_str(), nullptr, lock.dm);
        if (!dc_) throw EPrinter(kNotValid);
        state_ = HandleState::Info;
    }
    return dc_;
}

TCanvas* TPrinter::Canvas() {
    if (!canvas_) canvas_ = std::make_unique<TPrinterCanvas>(*this);
    return canvas_.get();
}

void TPrinter::ReleaseHandle() noexcept {
    // The canvas takes its objects out of the context while it still exists.
    if (canvas_) canvas_->SetHandle(nullptr);
    if (dc_) DeleteDC(dc_);
    dc_ = nullptr;
    state_ = HandleState::None;
}

void TPrinter::BeginDoc() {
    CheckPrinting(false);
    if (index_ < 0) SelectDefault();
    ReleaseHandle();
    {
        DevModeLock lock(deviceMode_);
        dc_ = CreateDCW(nullptr, ToWide(device_).c_str(), nullptr, lock.dm);
    }
    if (!dc_) throw EPrinter(kNotValid);
    state_ = HandleState::Job;
    const std::wstring title = ToWide(title_);
    const std::wstring output = ToWide(outputFile_);
    DOCINFOW info{};
    info.cbSize = sizeof info;
    info.lpszDocName = title.c_str();
    info.lpszOutput = outputFile_.empty() ? nullptr : output.c_str();
    if (StartDocW(dc_, &info) <= 0) {
        ReleaseHandle();
        throw EPrinter("The print job could not be started");
    }
    if (StartPage(dc_) <= 0) {
        AbortDoc(dc_);
        ReleaseHandle();
        throw EPrinter("The printer could not start a page");
    }
    printing_ = true;
    aborted_ = false;
    pageNumber_ = 1;
}

void TPrinter::NewPage() {
    CheckPrinting(true);
    if (EndPage(dc_) <= 0 || StartPage(dc_) <= 0) throw EPrinter("The printer could not start a page");
    ++pageNumber_;
    // Drawing objects are selected afresh on the new page.
    if (canvas_) canvas_->SetHandle(nullptr);
}

void TPrinter::EndDoc() {
    CheckPrinting(true);
    const bool pageEnded = EndPage(dc_) > 0;
    // The spooler writes the output (to the file, too) here: a failure is
    // a lost job and must not pass for a printed one.
    const bool jobEnded = ::EndDoc(dc_) > 0;
    printing_ = false;
    pageNumber_ = 0;
    ReleaseHandle();
    if (!pageEnded || !jobEnded) throw EPrinter("The print job could not be finished");
}

void TPrinter::Abort() {
    CheckPrinting(true);
    EndJob();
    aborted_ = true;
}

void TPrinter::EndJob() noexcept {
    // Wine's AbortDoc reports failure although it drops the job; there is
    // nothing else to undo, so the result is not looked at.
    if (printing_) AbortDoc(dc_);
    printing_ = false;
    pageNumber_ = 0;
    ReleaseHandle();
}

int TPrinter::PageWidth() {
    return GetDeviceCaps(Handle(), HORZRES);
}

int TPrinter::PageHeight() {
    return GetDeviceCaps(Handle(), VERTRES);
}

TPrinterOrientation TPrinter::Orientation() {
    if (index_ < 0) SelectDefault();
    DevModeLock lock(deviceMode_);
    return lock.dm->dmOrientation == DMORIENT_LANDSCAPE ? poLandscape : poPortrait;
}

void TPrinter::SetOrientation(TPrinterOrientation orientation) {
    CheckPrinting(false);
    if (index_ < 0) SelectDefault();
    {
        DevModeLock lock(deviceMode_);
        lock.dm->dmOrientation = orientation == poLandscape ? DMORIENT_LANDSCAPE : DMORIENT_PORTRAIT;
        lock.dm->dmFields |= DM_ORIENTATION;
    }
    ReleaseHandle();
}

int TPrinter::Copies() {
    if (index_ < 0) SelectDefault();
    DevModeLock lock(deviceMode_);
    return lock.dm->dmCopies;
}

void TPrinter::SetCopies(int copies) {
    CheckPrinting(false);
    if (copies < 1 || copies > SHRT_MAX) throw EPrinter("Number of copies must be 1 to 32767");
    if (index_ < 0) SelectDefault();
    {
        DevModeLock lock(deviceMode_);
        lock.dm->dmCopies = static_cast<short>(copies);
        lock.dm->dmFields |= DM_COPIES;
    }
    ReleaseHandle();
}

TPrinter* Printer() {
    static TPrinter printer;
    return &printer;
}

}  // namespace cl
