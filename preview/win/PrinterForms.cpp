// The printer's paper forms through the spooler, and TPrintPreview's
// printer side: paper, orientation and form name into and out of the
// printer's device mode; looking up, adding and removing forms.
#include "preview/win/PrinterForms.h"

#include <windows.h>
#include <winspool.h>

#include <algorithm>
#include <climits>
#include <cwchar>
#include <utility>

#include "classlib/StrUtils.h"
#include "classlib/win/WideText.h"
#include "preview/win/PvPreview.h"

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

// The device mode's fields locked for the scope.
class LockedDevMode {
public:
    explicit LockedDevMode(HGLOBAL block) : block_(block), dm_(static_cast<DEVMODEW*>(GlobalLock(block))) {
        if (!dm_) throw EPrinter("Printer device mode is not valid");
    }
    ~LockedDevMode() { GlobalUnlock(block_); }
    LockedDevMode(const LockedDevMode&) = delete;
    LockedDevMode& operator=(const LockedDevMode&) = delete;
    DEVMODEW* operator->() const { return dm_; }

private:
    HGLOBAL block_;
    DEVMODEW* dm_;
};

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

// ---- Device mode ---------------------------------------------------------------------------
void TPrintPreview::SetPrinterOptions() {
    if (!PrinterInstalled()) return;
    TPrinter* printer = Printer();
    std::string device, driver, port;
    HGLOBAL mode = nullptr;
    printer->GetPrinter(device, driver, port, mode);
    // Asked before the device mode is locked: it may talk to the spooler.
    const std::string form = GetFormName();
    {
        LockedDevMode dm(mode);
        dm->dmFields &= ~static_cast<DWORD>(DM_PAPERSIZE | DM_PAPERLENGTH | DM_PAPERWIDTH | DM_FORMNAME);
        if (!form.empty()) {
            // The name field holds 31 characters and the terminator.
            const std::wstring wide = ToWide(form).substr(0, CCHFORMNAME - 1);
            std::fill(std::begin(dm->dmFormName), std::end(dm->dmFormName), L'\0');
            std::copy(wide.begin(), wide.end(), dm->dmFormName);
            dm->dmFields |= DM_FORMNAME;
        }
        if (paperType_ == pCustom) {
            int w = ConvertValue(paperWidth_, units_, mmLoMetric);
            int h = ConvertValue(paperHeight_, units_, mmLoMetric);
            if (orientation_ == poLandscape) std::swap(w, h);
            // Width and length alone: with the user paper code as well, Wine
            // prints on A0.
            dm->dmPaperSize = DMPAPER_USER;
            dm->dmPaperWidth = static_cast<short>(std::clamp(w, 1, SHRT_MAX));
            dm->dmPaperLength = static_cast<short>(std::clamp(h, 1, SHRT_MAX));
            dm->dmFields |= DM_PAPERWIDTH | DM_PAPERLENGTH;
        } else {
            dm->dmPaperSize = static_cast<short>(PaperSize(paperType_).Code);
            dm->dmFields |= DM_PAPERSIZE;
        }
        dm->dmOrientation = orientation_ == poLandscape ? DMORIENT_LANDSCAPE : DMORIENT_PORTRAIT;
        dm->dmFields |= DM_ORIENTATION;
    }
    // Handing the block back makes the printer's next context use it.
    printer->SetPrinter(device, driver, port, mode);
}

void TPrintPreview::GetPrinterOptions() {
    if (!PrinterInstalled()) return;
    std::string device, driver, port;
    HGLOBAL mode = nullptr;
    Printer()->GetPrinter(device, driver, port, mode);
    DWORD fields;
    short orientation, paperSize, paperWidth, paperLength;
    std::wstring formName;
    {
        LockedDevMode dm(mode);
        fields = dm->dmFields;
        orientation = dm->dmOrientation;
        paperSize = dm->dmPaperSize;
        paperWidth = dm->dmPaperWidth;
        paperLength = dm->dmPaperLength;
        formName.assign(dm->dmFormName, wcsnlen(dm->dmFormName, CCHFORMNAME));
    }
    if (fields & DM_ORIENTATION) {
        if (orientation == DMORIENT_PORTRAIT) SetOrientation(poPortrait);
        if (orientation == DMORIENT_LANDSCAPE) SetOrientation(poLandscape);
    }
    if (fields & DM_PAPERSIZE)
        SetPaperTypeByID(paperSize);
    else
        SetPaperType(pCustom);
    if (paperType_ == pCustom) {
        const int w = ConvertValue(paperWidth, mmLoMetric, units_);
        const int h = ConvertValue(paperLength, mmLoMetric, units_);
        if (orientation_ == poLandscape)
            SetPaperSize(h, w);
        else
            SetPaperSize(w, h);
    }
    if (fields & DM_FORMNAME) printerFormName_ = FromWide(formName);
}

// ---- Forms ---------------------------------------------------------------------------------
bool TPrintPreview::GetFormNames(TStrings& list) {
    list.BeginUpdate();
    struct End {
        TStrings& list;
        ~End() { list.EndUpdate(); }
    } end{list};
    list.Clear();
    std::vector<TPrinterForm> forms;
    if (!PrinterForms().Enum(forms)) return false;
    for (const TPrinterForm& f : forms)
        if (f.Width > 10 && f.Height > 10) list.Add(f.Name);
    return true;
}

bool TPrintPreview::GetFormSize(const std::string& name, int& width, int& height) {
    TPrinterForm form;
    if (!PrinterForms().Get(name, form)) return false;
    width = ConvertValue(form.Width / 10, mmHiMetric, units_);
    height = ConvertValue(form.Height / 10, mmHiMetric, units_);
    return true;
}

bool TPrintPreview::AddNewForm(const std::string& name, int width, int height) {
    const TPrinterForm form{name, ConvertValue(width, units_, mmHiMetric) * 10,
                            ConvertValue(height, units_, mmHiMetric) * 10};
    if (!PrinterForms().Add(form)) return false;
    // The spooler may report success for a form it did not keep (Wine's
    // AddForm does nothing): only a form that is there counts.
    TPrinterForm added;
    return PrinterForms().Get(name, added);
}

bool TPrintPreview::RemoveForm(const std::string& name) {
    if (!PrinterForms().Delete(name)) return false;
    if (SameText(printerFormName_, name)) printerFormName_.clear();
    if (!autoFormName_.empty() && autoFormName_ == name) {
        const std::string removed = std::exchange(autoFormName_, std::string());
        if (!(ComponentState() & csDestroying) && OnAutoCustomForm) OnAutoCustomForm(this, removed, opRemove);
    }
    return true;
}

void TPrintPreview::CreateAutoForm() {
    if (!autoFormName_.empty() && autoFormName_ == printerFormName_) RemoveForm(autoFormName_);
    if (!printerFormName_.empty()) return;
    int w = paperWidth_, h = paperHeight_;
    if (orientation_ == poLandscape) std::swap(w, h);
    const std::string name =
        ::AutoFormName(ConvertValue(w, units_, mmHiMetric), ConvertValue(h, units_, mmHiMetric));
    // One form of the preview's own at a time: the last one is not left
    // behind in the printer.
    if (!autoFormName_.empty() && autoFormName_ != name) RemoveForm(autoFormName_);
    if (!AddNewForm(name, w, h)) return;
    printerFormName_ = name;
    autoFormName_ = name;
    if (OnAutoCustomForm) OnAutoCustomForm(this, name, opInsert);
}

std::string TPrintPreview::GetFormName() {
    if (!printerFormName_.empty() || !PrinterInstalled()) return printerFormName_;
    int w = ConvertValue(paperWidth_, units_, mmLoMetric);
    int h = ConvertValue(paperHeight_, units_, mmLoMetric);
    if (orientation_ == poLandscape) std::swap(w, h);
    std::vector<TPrinterForm> forms;
    PrinterForms().Enum(forms);
    for (const TPrinterForm& f : forms) {
        if (f.Width / 100 == w && f.Height / 100 == h) {
            printerFormName_ = f.Name;
            break;
        }
    }
    CreateAutoForm();
    return printerFormName_;
}

void TPrintPreview::SetFormName(const std::string& name) {
    if (SameText(name, printerFormName_) || state_ != psIdle) return;
    int w = 0, h = 0;
    if (!GetFormSize(name, w, h) || w == 0 || h == 0) return;
    if (orientation_ == poLandscape)
        SetPaperSize(h, w);
    else
        SetPaperSize(w, h);
    printerFormName_ = name;
}
