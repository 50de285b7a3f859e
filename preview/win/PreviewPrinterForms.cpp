// TPrintPreview's printer side: paper, orientation and form name into and
// out of the printer's device mode; looking up, adding and removing the
// printer's forms (through PrinterForms()).
#include <windows.h>

#include <algorithm>
#include <climits>
#include <cwchar>
#include <utility>

#include "classlib/Scope.h"
#include "classlib/StrUtils.h"
#include "classlib/win/WideText.h"
#include "preview/win/PrinterForms.h"
#include "preview/win/PvPreview.h"

using namespace cl;

namespace {

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
    const TPaperType type = fields & DM_PAPERSIZE ? PaperTypeByCode(paperSize) : pCustom;
    // A paper code the table does not know, with no size beside it, says
    // nothing about the paper: the current paper stays (rather than a sheet
    // of one unit square).
    if (type != pCustom || (paperWidth > 0 && paperLength > 0)) {
        SetPaperType(type);
        if (paperType_ == pCustom) {
            const int w = ConvertValue(paperWidth, mmLoMetric, units_);
            const int h = ConvertValue(paperLength, mmLoMetric, units_);
            if (orientation_ == poLandscape)
                SetPaperSize(h, w);
            else
                SetPaperSize(w, h);
        }
    }
    if (fields & DM_FORMNAME) printerFormName_ = FromWide(formName);
}

// ---- Forms ---------------------------------------------------------------------------------
bool TPrintPreview::GetFormNames(TStrings& list) {
    if (!PrinterForms().Installed()) return false;
    list.BeginUpdate();
    ScopeExit end([&list] { list.EndUpdate(); });
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
    if (!printerFormName_.empty() || !PrinterForms().Installed()) return printerFormName_;
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
