// The printer's paper forms through the spooler.
#include "preview/win/PrinterForms.h"

#include <windows.h>
#include <winspool.h>

#include <algorithm>

#include "classlib/StrUtils.h"
#include "classlib/win/Printers.h"
#include "classlib/win/WideText.h"

using namespace cl;

namespace {

// The selected printer opened for the call's length; not Valid without one.
class OpenedPrinter {
public:
    OpenedPrinter() {
        if (!PrinterInstalled()) return;
        std::string device, driver, port;
        HGLOBAL mode = nullptr;
        try {
            Printer()->GetPrinter(device, driver, port, mode);
        } catch (const EPrinter&) {
            return;  // no default printer to ask
        }
        std::wstring name = ToWide(device);
        if (!OpenPrinterW(name.data(), &handle_, nullptr)) handle_ = nullptr;
    }
    ~OpenedPrinter() {
        if (handle_) ClosePrinter(handle_);
    }
    OpenedPrinter(const OpenedPrinter&) = delete;
    OpenedPrinter& operator=(const OpenedPrinter&) = delete;
    bool Valid() const { return handle_ != nullptr; }
    HANDLE get() const { return handle_; }

private:
    HANDLE handle_ = nullptr;
};

TPrinterForm FormOf(const FORM_INFO_1W& info) {
    return {info.pName ? FromWide(info.pName) : std::string(), static_cast<int>(info.Size.cx),
            static_cast<int>(info.Size.cy)};
}

class TSpoolerForms : public TPrinterForms {
public:
    bool Enum(std::vector<TPrinterForm>& forms) override {
        forms.clear();
        OpenedPrinter printer;
        if (!printer.Valid()) return false;
        DWORD needed = 0, count = 0;
        EnumFormsW(printer.get(), 1, nullptr, 0, &needed, &count);
        std::vector<BYTE> buffer(std::max<DWORD>(needed, 1));
        if (!EnumFormsW(printer.get(), 1, buffer.data(), static_cast<DWORD>(buffer.size()), &needed, &count))
            return false;
        // The strings follow the records in the buffer: the spooler's count
        // says how many records there are.
        const auto* info = reinterpret_cast<const FORM_INFO_1W*>(buffer.data());
        for (DWORD i = 0; i < count; ++i) forms.push_back(FormOf(info[i]));
        return true;
    }

    bool Get(const std::string& name, TPrinterForm& form) override {
        OpenedPrinter printer;
        if (!printer.Valid()) return false;
        std::wstring wide = ToWide(name);
        DWORD needed = 0;
        GetFormW(printer.get(), wide.data(), 1, nullptr, 0, &needed);
        if (needed < sizeof(FORM_INFO_1W)) return false;
        std::vector<BYTE> buffer(needed);
        if (!GetFormW(printer.get(), wide.data(), 1, buffer.data(), needed, &needed)) return false;
        form = FormOf(*reinterpret_cast<const FORM_INFO_1W*>(buffer.data()));
        return true;
    }

    bool Add(const TPrinterForm& form) override {
        OpenedPrinter printer;
        if (!printer.Valid()) return false;
        std::wstring wide = ToWide(form.Name);
        FORM_INFO_1W info{};
        info.Flags = FORM_USER;
        info.pName = wide.data();
        info.Size = {form.Width, form.Height};
        info.ImageableArea = {0, 0, form.Width, form.Height};
        return AddFormW(printer.get(), 1, reinterpret_cast<BYTE*>(&info)) != FALSE;
    }

    bool Delete(const std::string& name) override {
        OpenedPrinter printer;
        if (!printer.Valid()) return false;
        std::wstring wide = ToWide(name);
        return DeleteFormW(printer.get(), wide.data()) != FALSE;
    }
};

TPrinterForms* g_forms = nullptr;

}  // namespace

TPrinterForms& PrinterForms() {
    static TSpoolerForms spooler;
    return g_forms ? *g_forms : spooler;
}

void SetPrinterForms(TPrinterForms* forms) {
    g_forms = forms;
}

bool PrinterInstalled() {
    return Printer()->Printers().Count() > 0;
}
