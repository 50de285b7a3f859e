// TPrintPreview: printing the stored pages, progress with abort, placing
// graphics on the printer page while printing directly.
#include <algorithm>
#include <exception>

#include "preview/win/PvPreview.h"

using namespace cl;

namespace {

// What the print events get of the device: resolution and the offset of
// the printable area's corner from the sheet's.
struct DeviceValues {
    int resX, resY, offsX, offsY;
};

DeviceValues ValuesOf(HDC dc) {
    return {GetDeviceCaps(dc, LOGPIXELSX), GetDeviceCaps(dc, LOGPIXELSY), -GetDeviceCaps(dc, PHYSICALOFFSETX),
            -GetDeviceCaps(dc, PHYSICALOFFSETY)};
}

}  // namespace

bool TPrintPreview::DoProgress(int pageNo, int done, int total) {
    if (!aborted_ && OnPrintProgress) {
        bool abortIt = false;
        OnPrintProgress(this, pageNo, MulDiv64(100, done, total), abortIt);
        if (abortIt) Abort();
    }
    return aborted_;
}

void TPrintPreview::PrintPages(int fromPage, int toPage) {
    if (state_ != psIdle || !PrinterInstalled()) return;
    fromPage = std::max(fromPage, 1);
    toPage = std::min(toPage, pages_->Count());
    if (fromPage > toPage) return;

    TPrinter* printer = Printer();
    bool completed = false;
    aborted_ = false;
    state_ = psPrinting;
    // Whatever fails, the job is ended or dropped, OnAfterPrint fires and the
    // preview is idle again; the first failure is the one reported.
    std::exception_ptr failure;
    try {
        if (OnBeforePrint) OnBeforePrint(this);
        if (!usePrinterOptions_) SetPrinterOptions();
        printer->SetTitle(printJobTitle_);
        printer->BeginDoc();
        HDC dc = printer->Handle();
        const int ppi = Screen->PixelsPerInch();
        TRect r =
            usePrinterOptions_
                ? Rect(0, 0, GetDeviceCaps(dc, PHYSICALWIDTH), GetDeviceCaps(dc, PHYSICALHEIGHT))
                : Rect(0, 0, ConvertUnit(paperWidth_, GetDeviceCaps(dc, LOGPIXELSX), units_, mmPixel, ppi),
                       ConvertUnit(paperHeight_, GetDeviceCaps(dc, LOGPIXELSY), units_, mmPixel, ppi));
        OffsetRect(&r, -GetDeviceCaps(dc, PHYSICALOFFSETX), -GetDeviceCaps(dc, PHYSICALOFFSETY));
        const DeviceValues values = ValuesOf(dc);
        const int total = toPage - fromPage + 1;
        for (int page = fromPage; page <= toPage && !aborted_; ++page) {
            DoProgress(page, page - fromPage, total);
            if (!aborted_) {
                TMetafile* metafile = pages_->LoadPage(page - 1);
                DrawGraphic(printer->Handle(), r, metafile);
                if (OnPrint)
                    OnPrint(this, printer->Canvas(), page, r, values.resX, values.resY, values.offsX,
                            values.offsY);
            }
            DoProgress(page, page - fromPage + 1, total);
            if (!aborted_) {
                if (page < toPage)
                    printer->NewPage();
                else
                    completed = true;
            }
        }
    } catch (...) {
        failure = std::current_exception();
    }
    aborted_ = aborted_ || !completed;
    try {
        if (!completed && printer->Printing()) printer->Abort();
        if (printer->Printing()) printer->EndDoc();
    } catch (...) {
        if (!failure) failure = std::current_exception();
    }
    printer->SetTitle("");
    try {
        if (OnAfterPrint) OnAfterPrint(this);
    } catch (...) {
        if (!failure) failure = std::current_exception();
    }
    state_ = psIdle;
    if (failure) std::rethrow_exception(failure);
}

void TPrintPreview::PaintGraphicEx(const TRect& rect, TGraphic* graphic, TRect& drawRect, void* pvFA,
                                   int page, bool center, bool onlyShrink, bool proportional) {
    try {
        const int rw = rect.right - rect.left, rh = rect.bottom - rect.top;
        int gw = rw, gh = rh;
        if (graphic && !graphic->Empty()) {
            gw = ConvertValue(graphic->Width(), mmPixel, units_);
            gh = ConvertValue(graphic->Height(), mmPixel, units_);
        }
        const TGraphicPlace place =
            PlaceGraphic(rect.left, rect.top, rw, rh, gw, gh, center, onlyShrink, proportional);
        drawRect = Rect(place.Left, place.Top, place.Left + place.Width, place.Top + place.Height);
        TCanvas* canvas = GetCanvas();
        DrawGraphic(canvas->Handle(), drawRect, graphic);
        if (OnPrintDir) {
            const DeviceValues values = ValuesOf(canvas->Handle());
            OnPrintDir(this, canvas, drawRect, page, pvFA, values.resX, values.resY, values.offsX,
                       values.offsY);
        }
    } catch (...) {
        if (state_ != psIdle) ResetDocument();
        throw;
    }
}
