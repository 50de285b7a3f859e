// TPrintPreview: construction, the document's life, the sheet's layout and
// zoom, page turning, keys, wheel and dragging.  Paper is in
// PreviewPaper.cpp, the device mode and the printer's forms in
// PreviewPrinterForms.cpp, printing in PreviewPrinting.cpp.
#include "preview/win/PvPreview.h"

#include <windowsx.h>

#include <algorithm>
#include <cstdlib>
#include <vector>

#include "classlib/Scope.h"
#include "classlib/win/Menus.h"

using namespace cl;

namespace {

const char kNoPageMemory[] = "Brak pamięci do utworzenia nowej strony";

// The hand cursors of the program's resources, loaded once into the
// screen's cursor slots (which then own them).
void LoadPreviewCursors() {
    static const bool loaded = [] {
        HINSTANCE instance = GetModuleHandleW(nullptr);
        auto load = [instance](const wchar_t* name) {
            return static_cast<HCURSOR>(LoadImageW(instance, name, IMAGE_CURSOR, 0, 0, LR_DEFAULTSIZE));
        };
        Screen->SetCursors(crHand, load(L"CURSOR_HAND"));
        Screen->SetCursors(crGrab, load(L"CURSOR_GRAB"));
        return true;
    }();
    (void)loaded;
}

// ---- Keys and wheel as data -------------------------------------------------------
enum class Axis { H, V, None };
enum class Move {
    ToStart,
    ToEnd,
    BackLine,
    ForwardLine,
    BackTwoLines,
    ForwardTwoLines,
    BackPixel,
    ForwardPixel,
    BackClient,
    ForwardClient,
    PrevPage,
    NextPage,
    FirstPage,
    LastPage,
    ZoomIn,
    ZoomOut
};

struct KeyBinding {
    WORD key;
    TShiftState shift;  // exactly these
    Axis axis;
    Move move;
};

constexpr KeyBinding kKeys[] = {
    {VK_HOME, 0, Axis::H, Move::ToStart},
    {VK_HOME, ssCtrl, Axis::V, Move::ToStart},
    {VK_END, 0, Axis::H, Move::ToEnd},
    {VK_END, ssCtrl, Axis::V, Move::ToEnd},
    {VK_LEFT, 0, Axis::H, Move::BackLine},
    {VK_LEFT, ssShift, Axis::H, Move::BackPixel},
    {VK_LEFT, ssCtrl, Axis::H, Move::BackClient},
    {VK_RIGHT, 0, Axis::H, Move::ForwardLine},
    {VK_RIGHT, ssShift, Axis::H, Move::ForwardPixel},
    {VK_RIGHT, ssCtrl, Axis::H, Move::ForwardClient},
    {VK_UP, 0, Axis::V, Move::BackLine},
    {VK_UP, ssShift, Axis::V, Move::BackPixel},
    {VK_UP, ssCtrl, Axis::V, Move::BackClient},
    {VK_DOWN, 0, Axis::V, Move::ForwardLine},
    {VK_DOWN, ssShift, Axis::V, Move::ForwardPixel},
    {VK_DOWN, ssCtrl, Axis::V, Move::ForwardClient},
    {VK_NEXT, 0, Axis::None, Move::NextPage},
    {VK_NEXT, ssCtrl, Axis::None, Move::LastPage},
    {VK_PRIOR, 0, Axis::None, Move::PrevPage},
    {VK_PRIOR, ssCtrl, Axis::None, Move::FirstPage},
    {VK_ADD, 0, Axis::None, Move::ZoomIn},
    {VK_SUBTRACT, 0, Axis::None, Move::ZoomOut},
};

struct WheelBinding {
    TShiftState keys;  // exactly these
    Axis axis;
    Move away;    // wheel turned away from the user (positive delta)
    Move toward;  // towards the user
};

constexpr WheelBinding kWheel[] = {
    {0, Axis::V, Move::BackTwoLines, Move::ForwardTwoLines},
    {ssCtrl, Axis::None, Move::ZoomIn, Move::ZoomOut},
    {ssShift, Axis::None, Move::PrevPage, Move::NextPage},
    {ssMiddle, Axis::None, Move::PrevPage, Move::NextPage},
};

void ScrollTo(TControlScrollBar* bar, int position) {
    bar->SetPosition(position);
}

std::vector<std::string> PaperTypeNames() {
    std::vector<std::string> names;
    for (int i = 0; i < kPaperTypeCount; ++i) names.emplace_back(PaperSize(static_cast<TPaperType>(i)).Name);
    return names;
}

}  // namespace

// ---- Construction ---------------------------------------------------------------------
CL_CLASS_INFO(
    TPrintPreview, Prop("Annotation", &TPrintPreview::Annotation, &TPrintPreview::SetAnnotation),
    Prop("DirectPrint", &TPrintPreview::DirectPrint, &TPrintPreview::SetDirectPrint),
    Prop("FastPrint", &TPrintPreview::FastPrint, &TPrintPreview::SetFastPrint),
    EnumProp("Units",
             {"mmPixel", "mmLoMetric", "mmHiMetric", "mmLoEnglish", "mmHiEnglish", "mmTWIPS", "mmPoints"},
             &TPrintPreview::Units, &TPrintPreview::SetUnits),
    EnumProp("Orientation", {"poPortrait", "poLandscape"}, &TPrintPreview::Orientation,
             &TPrintPreview::SetOrientation),
    EnumProp("PaperType", PaperTypeNames(), &TPrintPreview::PaperType, &TPrintPreview::SetPaperType),
    Prop("PaperView", &TPrintPreview::PaperView, &TPrintPreview::SetPaperView),
    StoredWhen(Prop("PaperWidth", &TPrintPreview::PaperWidth, &TPrintPreview::SetPaperWidth),
               &TPrintPreview::PaperSizeStored),
    StoredWhen(Prop("PaperHeight", &TPrintPreview::PaperHeight, &TPrintPreview::SetPaperHeight),
               &TPrintPreview::PaperSizeStored),
    Prop("PrintJobTitle", &TPrintPreview::PrintJobTitle, &TPrintPreview::SetPrintJobTitle),
    Prop("UsePrinterOptions", &TPrintPreview::UsePrinterOptions, &TPrintPreview::SetUsePrinterOptions),
    Prop("UseTempFile", &TPrintPreview::UseTempFile, &TPrintPreview::SetUseTempFile),
    StoredWhen(EnumProp("ZoomState", {"zsZoomOther", "zsZoomToWidth", "zsZoomToHeight", "zsZoomToFit"},
                        &TPrintPreview::ZoomState, &TPrintPreview::SetZoomState),
               &TPrintPreview::ZoomStateStored),
    StoredWhen(Prop("Zoom", &TPrintPreview::Zoom, &TPrintPreview::SetZoom), &TPrintPreview::ZoomStored),
    Prop("ZoomMin", &TPrintPreview::ZoomMin, &TPrintPreview::SetZoomMin),
    Prop("ZoomMax", &TPrintPreview::ZoomMax, &TPrintPreview::SetZoomMax),
    Prop("ZoomSavePos", &TPrintPreview::ZoomSavePos, &TPrintPreview::SetZoomSavePos),
    Prop("ZoomStep", &TPrintPreview::ZoomStep, &TPrintPreview::SetZoomStep))

TPrintPreview::TPrintPreview(TComponent* owner)
    : TScrollBox(owner),
      pages_(std::make_unique<TMetafileList>()),
      paperView_(std::make_unique<TPaperPreviewOptions>()) {
    LoadPreviewCursors();
    SetAlign(alClient);
    SetTabStop(true);
    SetParentFont(false);
    Font()->SetName("Arial");
    Font()->SetSize(8);

    sheet_ = new TPaperPreview(this);
    sheet_->SetVisible(false);
    sheet_->SetParent(this);
    sheet_->Assign(paperView_.get());
    sheet_->OnPaint = [this](TObject* sender, TCanvas* canvas, const TRect& r) {
        PaintPage(sender, canvas, r);
    };
    sheet_->OnMouseDown = [this](TObject* s, TMouseButton b, TShiftState sh, int x, int y) {
        SheetMouseDown(s, b, sh, x, y);
    };
    sheet_->OnMouseMove = [this](TObject* s, TShiftState sh, int x, int y) { SheetMouseMove(s, sh, x, y); };
    sheet_->OnMouseUp = [this](TObject* s, TMouseButton b, TShiftState sh, int x, int y) {
        SheetMouseUp(s, b, sh, x, y);
    };
    sheet_->OnClick = [this](TObject*) { Click(); };
    sheet_->OnDblClick = [this](TObject*) { DblClick(); };

    paperView_->OnChange = [this](TObject*) { OptionsChanged(); };
    pages_->OnChange = [this](TObject*) { PagesChanged(); };
    pages_->OnPageModified = [this](TObject*, int index) { PageModified(index); };

    const TPaperSize& a4 = PaperSize(pA4);
    paperWidth_ = ConvertValue(a4.Width, a4.Unit, units_);
    paperHeight_ = ConvertValue(a4.Height, a4.Unit, units_);
    UpdatePaperPixels();
}

TPrintPreview::~TPrintPreview() = default;

void TPrintPreview::BeforeDestruction() {
    ResetDocument();
    pages_->OnChange = nullptr;
    pages_->OnPageModified = nullptr;
    paperView_->OnChange = nullptr;
    if (sheet_) {
        sheet_->OnPaint = nullptr;
        sheet_->OnMouseDown = nullptr;
        sheet_->OnMouseMove = nullptr;
        sheet_->OnMouseUp = nullptr;
        sheet_->OnClick = nullptr;
        sheet_->OnDblClick = nullptr;
    }
    TScrollBox::BeforeDestruction();
    if (!autoFormName_.empty()) {
        try {
            RemoveForm(autoFormName_);
        } catch (...) {
            // The printer refused: the form stays in the spooler, harmless.
        }
    }
}

void TPrintPreview::Notification(TComponent* component, TOperation operation) {
    TScrollBox::Notification(component, operation);
    if (operation != opRemove) return;
    if (component == sheet_) sheet_ = nullptr;
    if (paperView_ && component == paperView_->PopupMenu()) paperView_->SetPopupMenu(nullptr);
}

void TPrintPreview::Loaded() {
    TScrollBox::Loaded();
    UpdatePaperPixels();
    UpdateZoom();
}

// ---- Document ----------------------------------------------------------------------------
void TPrintPreview::RequirePrinter() const {
    if (!PrinterInstalled()) throw EPrinter("Nie zainstalowano żadnej drukarki.");
}

void TPrintPreview::PrepareCanvas(TCanvas& canvas) {
    HDC dc = canvas.Handle();
    const int w = paperWidth_, h = paperHeight_;
    const int ppi = Screen->PixelsPerInch();
    const int vx = std::max(1, ConvertUnit(w, GetDeviceCaps(dc, LOGPIXELSX), units_, mmPixel, ppi));
    const int vy = std::max(1, ConvertUnit(h, GetDeviceCaps(dc, LOGPIXELSY), units_, mmPixel, ppi));
    SetMapMode(dc, MM_ANISOTROPIC);
    SetWindowExtEx(dc, w, h, nullptr);
    SetViewportExtEx(dc, vx, vy, nullptr);
    SetViewportOrgEx(dc, -GetDeviceCaps(dc, PHYSICALOFFSETX), -GetDeviceCaps(dc, PHYSICALOFFSETY), nullptr);
    // The font's height is computed in the mapped units.
    const int size = canvas.Font()->Size();
    canvas.Font()->SetPixelsPerInch(MulDiv64(GetDeviceCaps(dc, LOGPIXELSY), h, vy));
    canvas.Font()->SetSize(size);
}

namespace {

// A metafile the size of the paper in screen pixels and a canvas recording
// into it (on the screen as reference device).
struct PageRecording {
    std::unique_ptr<TMetafile> metafile;
    std::unique_ptr<TMetafileCanvas> canvas;
};

PageRecording StartRecording(int pixelWidth, int pixelHeight) {
    PageRecording r;
    r.metafile = std::make_unique<TMetafile>();
    r.metafile->SetWidth(pixelWidth);
    r.metafile->SetHeight(pixelHeight);
    r.canvas = std::make_unique<TMetafileCanvas>(r.metafile.get(), nullptr);
    if (!r.canvas->HandleAllocated()) throw EOutOfMemory(kNoPageMemory);
    return r;
}

}  // namespace

void TPrintPreview::CreatePageCanvas() {
    PageRecording r = StartRecording(paperPixelWidth_, paperPixelHeight_);
    r.canvas->Font()->Assign(Font());
    PrepareCanvas(*r.canvas);
    pageMetafile_ = std::move(r.metafile);
    canvas_ = std::move(r.canvas);
}

void TPrintPreview::ClosePageCanvas() {
    // Closing the recording hands it to the metafile.
    canvas_.reset();
    const bool made = pageMetafile_ && !pageMetafile_->Empty();
    pageMetafile_.reset();
    if (!made) throw EOutOfMemory(kNoPageMemory);
}

void TPrintPreview::CreateDirectCanvas() {
    canvas_ = std::make_unique<TCanvas>();
    AttachDirectCanvas();
}

void TPrintPreview::AttachDirectCanvas() {
    // The job's context while printing; after an abort the printer's
    // information context, which has the job's measures and prints nothing.
    canvas_->SetHandle(Printer()->Handle());
    canvas_->Font()->Assign(Font());
    PrepareCanvas(*canvas_);
}

void TPrintPreview::ReleaseCanvas() noexcept {
    // The canvas goes first: a recording canvas hands its image to the
    // metafile, a printer canvas gives the context's objects back.
    if (canvas_ && direct_) canvas_->SetHandle(nullptr);
    canvas_.reset();
    pageMetafile_.reset();
}

void TPrintPreview::ResetDocument() noexcept {
    const bool printing = direct_;
    ReleaseCanvas();
    if (printing && Printer()->Printing()) Printer()->Abort();
    if (state_ != psIdle) aborted_ = true;
    direct_ = false;
    state_ = psIdle;
}

void TPrintPreview::BeginDoc() {
    if (state_ != psIdle) return;
    ReleaseCanvas();
    aborted_ = false;
    try {
        if (directPrint_) {
            RequirePrinter();
            direct_ = true;
            directPageCount_ = 0;
            if (usePrinterOptions_)
                GetPrinterOptions();
            else
                SetPrinterOptions();
            state_ = psPrinting;
            Printer()->SetTitle(printJobTitle_);
            Printer()->BeginDoc();
        } else {
            Clear();
            if (usePrinterOptions_) GetPrinterOptions();
            state_ = psRecording;
            direct_ = false;
            UpdatePaperPixels();
        }
        if (OnBeginDoc) OnBeginDoc(this);
        NewPage();
    } catch (...) {
        ResetDocument();
        throw;
    }
}

void TPrintPreview::NewPage() {
    const bool recording = state_ == psRecording && !direct_;
    if (!recording && !(state_ == psPrinting && direct_)) return;
    try {
        if (canvas_ && OnEndPage) OnEndPage(this);
        if (recording) {
            if (canvas_) ClosePageCanvas();
            CreatePageCanvas();
        } else if (canvas_) {
            ++directPageCount_;
            // The printer's next page (none when the job was aborted); the
            // canvas selects its objects and the mapping afresh there.
            canvas_->SetHandle(nullptr);
            if (Printer()->Printing()) Printer()->NewPage();
            AttachDirectCanvas();
        } else {
            CreateDirectCanvas();
        }
        if (OnNewPage) OnNewPage(this);
    } catch (...) {
        ResetDocument();
        throw;
    }
}

void TPrintPreview::EndDoc() {
    const bool recording = state_ == psRecording && !direct_;
    if (!recording && !(state_ == psPrinting && direct_)) return;
    try {
        if (OnEndPage) OnEndPage(this);
        if (recording) {
            if (canvas_) ClosePageCanvas();
        } else {
            ++directPageCount_;
            ReleaseCanvas();
            // An aborted job is over already.
            if (Printer()->Printing()) Printer()->EndDoc();
            direct_ = false;
        }
        if (OnEndDoc) OnEndDoc(this);
        state_ = psIdle;
    } catch (...) {
        ResetDocument();
        throw;
    }
}

void TPrintPreview::Abort() {
    if (aborted_ || state_ == psIdle) return;
    aborted_ = true;
    if (OnAbort) OnAbort(this);
    if (state_ == psRecording) {
        ReleaseCanvas();
        Clear();
    } else if (Printer()->Printing() && !Printer()->Aborted()) {
        // The job's context goes with the job: a direct canvas is moved
        // off it first and stays for the rest of the document.
        const bool moveCanvas = direct_ && canvas_;
        if (moveCanvas) canvas_->SetHandle(nullptr);
        Printer()->Abort();
        if (moveCanvas) AttachDirectCanvas();
    }
}

void TPrintPreview::AddPage(TMetafile* page) {
    pages_->Add(page);
}

void TPrintPreview::Clear() {
    pages_->ClearAll();
}

TCanvas* TPrintPreview::GetCanvas() {
    return canvas_ ? canvas_.get() : Printer()->Canvas();
}

// ---- Pages and annotation ---------------------------------------------------------------
void TPrintPreview::PagesChanged() {
    ForgetPlayedPages();
    if (pages_->Count() == 0) {
        currentPage_ = 0;
        if (sheet_) sheet_->Hide();
    } else if (currentPage_ == 0) {
        currentPage_ = 1;
        // Shown before the layout, so the scroll range counts it.
        sheet_->Show();
        UpdateZoom();
    }
    UpdateAnnotation(currentPage_);
    UpdatePreview();
    if (OnChange) OnChange(this);
}

void TPrintPreview::PageModified(int index) {
    if (index >= 0 && index < static_cast<int>(playedPages_.size())) playedPages_[index].reset();
    if (index == currentPage_ - 1) {
        UpdateAnnotation(currentPage_);
        UpdatePreview();
    }
    if (OnChange) OnChange(this);
}

void TPrintPreview::UpdateAnnotation(int pageNo) {
    annotationMetafile_.reset();
    if (!annotation_ || pageNo <= 0 || !OnAnnotation) return;
    PageRecording r = StartRecording(paperPixelWidth_, paperPixelHeight_);
    r.canvas->Font()->Assign(Font());
    PrepareCanvas(*r.canvas);
    OnAnnotation(this, pageNo, r.canvas.get());
    r.canvas.reset();
    if (r.metafile->Empty()) throw EOutOfMemory(kNoPageMemory);
    annotationMetafile_ = std::move(r.metafile);
}

void TPrintPreview::SetAnnotation(bool value) {
    if (value == annotation_) return;
    annotation_ = value;
    UpdateAnnotation(currentPage_);
    UpdatePreview();
}

void TPrintPreview::PaintPage(TObject*, TCanvas* canvas, const TRect& pageRect) {
    if (currentPage_ >= 1 && currentPage_ <= pages_->Count()) {
        // Drawn inside its own clip region: a page that removes its clip
        // still cannot paint beyond the paper.
        DrawPlayedPage(*canvas, pageRect);
        if (annotationMetafile_) annotationMetafile_->Draw(*canvas, pageRect);
    }
    if (OnPaint) OnPaint(this, canvas, pageRect);
}

namespace {

// The kept pictures of pages take at most this many pixels together (one
// A4 page at zoom 100 has about 0.9 million); the current page's is kept
// even when it alone takes more.
constexpr int64_t kPlayedPixels = 16 << 20;

}  // namespace

void TPrintPreview::ForgetPlayedPages() noexcept {
    playedPages_.clear();
    playedWidth_ = playedHeight_ = 0;
}

TBitmap* TPrintPreview::PlayedPage(int w, int h, TColor paper) {
    if (w != playedWidth_ || h != playedHeight_ || paper != playedPaper_) {
        ForgetPlayedPages();
        playedWidth_ = w;
        playedHeight_ = h;
        playedPaper_ = paper;
    }
    playedPages_.resize(static_cast<size_t>(pages_->Count()));
    std::unique_ptr<TBitmap>& page = playedPages_[static_cast<size_t>(currentPage_ - 1)];
    if (page) return page.get();
    // Room for this one: the others go when it would pass the limit.
    const auto kept =
        std::count_if(playedPages_.begin(), playedPages_.end(), [](const auto& p) { return !!p; });
    if ((kept + 1) * int64_t{w} * h > kPlayedPixels)
        for (auto& other : playedPages_) other.reset();
    try {
        page = std::make_unique<TBitmap>();
        page->SetSize(w, h);
    } catch (const Exception&) {
        page.reset();
        return nullptr;
    }
    try {
        PlayPage(*page, w, h, paper);
    } catch (...) {
        page.reset();
        throw;
    }
    return page.get();
}

void TPrintPreview::DrawPlayedPage(TCanvas& canvas, const TRect& r) {
    const int w = r.right - r.left, h = r.bottom - r.top;
    TBitmap* played = PlayedPage(w, h, sheet_->PaperColor());
    if (!played) {
        // No room for a picture of the page: played straight onto the
        // sheet, every time.
        pages_->LoadPage(currentPage_ - 1)->Draw(canvas, r);
        return;
    }
    BitBlt(canvas.Handle(), r.left, r.top, w, h, played->Canvas()->Handle(), 0, 0, SRCCOPY);
}

namespace {

// The first row of a 24-bit picture and the distance to the next, which is
// negative when the rows are stored bottom-up.
uint8_t* RowsOf(TBitmap& picture) {
    return static_cast<uint8_t*>(picture.ScanLine(0));
}
ptrdiff_t RowStride(TBitmap& picture) {
    return picture.Height() > 1 ? static_cast<uint8_t*>(picture.ScanLine(1)) - RowsOf(picture) : 0;
}

}  // namespace

void TPrintPreview::PlayPage(TBitmap& picture, int w, int h, TColor paper) {
    auto play = [&](TBitmap& onto, int width, int height) {
        TCanvas& c = *onto.Canvas();
        c.Brush()->SetStyle(bsSolid);
        c.Brush()->SetColor(paper);
        c.FillRect(Rect(0, 0, width, height));
        pages_->LoadPage(currentPage_ - 1)->Draw(c, Rect(0, 0, width, height));
    };
    const int factor = SmoothingFactor(zoom_, w, h);
    if (factor > 1) {
        try {
            TBitmap large;
            large.SetPixelFormat(pf24bit);
            large.SetSize(w * factor, h * factor);
            play(large, w * factor, h * factor);
            picture.SetPixelFormat(pf24bit);
            AverageDown(RowsOf(large), RowStride(large), factor, RowsOf(picture), RowStride(picture), w, h);
            return;
        } catch (const Exception&) {
            // No room for the large picture: the page is played at its size.
        }
    }
    play(picture, w, h);
}

void TPrintPreview::UpdatePreview() {
    if (sheet_) sheet_->Invalidate();
}

void TPrintPreview::SetCurrentPage(int value) {
    if (TotalPages() == 0) return;
    value = std::clamp(value, 1, TotalPages());
    if (value == currentPage_) return;
    if (OnBeforeChange) OnBeforeChange(this);
    currentPage_ = value;
    UpdateAnnotation(value);
    UpdatePreview();
    if (OnChange) OnChange(this);
}

// ---- Layout and zoom ---------------------------------------------------------------------
void TPrintPreview::Resize() {
    TScrollBox::Resize();
    UpdateZoom();
}

void TPrintPreview::OptionsChanged() {
    if (!sheet_) return;
    sheet_->Assign(paperView_.get());
    if (TPopupMenu* menu = paperView_->PopupMenu()) menu->FreeNotification(this);
    UpdateZoom();
}

void TPrintPreview::UpdateZoom() {
    LayOut(true);
}

void TPrintPreview::LayOut(bool notify) {
    if (!sheet_ || updatingZoom_ || (ComponentState() & csLoading)) return;
    if (pages_->Count() == 0 && !(ComponentState() & csDesigning)) return;
    {
        // Scroll bars coming and going resize the preview while it lays out;
        // the layout already counts them.
        const cl::FlagScope updating(updatingZoom_);
        TControlScrollBar* h = HorzScrollBar();
        TControlScrollBar* v = VertScrollBar();
        const bool keepPosition = zoomSavePos_ && currentPage_ > 0;
        const int hPercent = keepPosition ? ScrollPercent(h->Position(), h->Range(), h->ControlSize()) : 0;
        const int vPercent = keepPosition ? ScrollPercent(v->Position(), v->Range(), v->ControlSize()) : 0;
        TSheetLayoutInput in{};
        in.State = zoomState_;
        in.Zoom = zoom_;
        in.PaperWidth = paperPixelWidth_;
        in.PaperHeight = paperPixelHeight_;
        in.Extra = sheet_->Extra();
        in.ClientWidth = ClientWidth();
        in.ClientHeight = ClientHeight();
        in.MarginH = h->Margin();
        in.MarginV = v->Margin();
        in.AutoScroll = AutoScroll();
        in.HorzBarVisible = h->IsScrollBarVisible();
        in.VertBarVisible = v->IsScrollBarVisible();
        in.HorzBarHeight = GetSystemMetrics(SM_CYHSCROLL);
        in.VertBarWidth = GetSystemMetrics(SM_CXVSCROLL);
        const TSheetLayout layout = LayoutSheet(in);
        DisableAutoRange();
        try {
            h->SetPosition(0);
            v->SetPosition(0);
            canScrollH_ = layout.CanScrollH;
            canScrollV_ = layout.CanScrollV;
            zoom_ = layout.Zoom;
            sheet_->SetBounds(layout.Left, layout.Top, layout.Width, layout.Height);
        } catch (...) {
            EnableAutoRange();
            throw;
        }
        EnableAutoRange();
        if (keepPosition) {
            if (canScrollH_) h->SetPosition(ScrollPosition(hPercent, h->Range(), layout.ViewWidth));
            if (canScrollV_) v->SetPosition(ScrollPosition(vPercent, v->Range(), layout.ViewHeight));
        }
        dragging_ = false;
        sheet_->SetCursor(canScrollH_ || canScrollV_ ? paperView_->DragCursor() : paperView_->Cursor());
    }
    if (notify && OnZoomChange) OnZoomChange(this);
}

void TPrintPreview::SetZoom(int value) {
    value = std::clamp(value, zoomMin_, zoomMax_);
    const int old = zoom_;
    zoom_ = value;
    zoomState_ = zsZoomOther;
    LayOut(true);
    if (sheet_ && !sheet_->Valid()) {
        // No bitmap for a sheet that large: the old zoom stays, quietly.
        zoom_ = old;
        LayOut(false);
        return;
    }
    if (OnZoomChange) OnZoomChange(this);
}

void TPrintPreview::SetZoomState(TZoomState value) {
    zoomState_ = value;
    UpdateZoom();
}

void TPrintPreview::SetZoomMin(int value) {
    if (value == zoomMin_ || value < 1 || value > zoomMax_) return;
    zoomMin_ = value;
    if (zoomState_ == zsZoomOther && zoom_ < value) SetZoom(value);
}

void TPrintPreview::SetZoomMax(int value) {
    if (value == zoomMax_ || value < zoomMin_) return;
    zoomMax_ = value;
    if (zoomState_ == zsZoomOther && zoom_ > value) SetZoom(value);
}

// ---- Coordinates -------------------------------------------------------------------------
TPoint TPrintPreview::SheetToPreview(TPoint p) const {
    return Point(p.x + sheet_->Left(), p.y + sheet_->Top());
}

TPoint TPrintPreview::ScreenToPaper(TPoint p) {
    const int ppi = Screen->PixelsPerInch();
    const int border = sheet_->BorderSize();
    const int x = MulDiv64(p.x - sheet_->Left() - border, 100, zoom_);
    const int y = MulDiv64(p.y - sheet_->Top() - border, 100, zoom_);
    return Point(ConvertUnit(x, ppi, mmPixel, units_, ppi), ConvertUnit(y, ppi, mmPixel, units_, ppi));
}

TPoint TPrintPreview::PaperToScreen(TPoint p, bool toPreview) {
    const int ppi = Screen->PixelsPerInch();
    const int border = sheet_->BorderSize();
    TPoint s = Point(MulDiv64(ConvertUnit(p.x, ppi, units_, mmPixel, ppi), zoom_, 100) + border,
                     MulDiv64(ConvertUnit(p.y, ppi, units_, mmPixel, ppi), zoom_, 100) + border);
    return toPreview ? SheetToPreview(s) : s;
}

TRect TPrintPreview::PaperToScreenRect(const TRect& r, bool toPreview) {
    const TPoint a = PaperToScreen(Point(r.left, r.top), toPreview);
    const TPoint b = PaperToScreen(Point(r.right, r.bottom), toPreview);
    return Rect(a.x, a.y, b.x, b.y);
}

void TPrintPreview::DrawXorRect(const TRect& r, TColor color, int mode) {
    sheet_->DrawXorRect(PaperToScreenRect(r), color, mode);
}

// ---- Keys, wheel and mouse ----------------------------------------------------------------
bool TPrintPreview::HandleKey(WORD key, TShiftState shift) {
    const auto it = std::find_if(std::begin(kKeys), std::end(kKeys),
                                 [&](const KeyBinding& k) { return k.key == key && k.shift == shift; });
    if (it == std::end(kKeys)) return false;
    DoMove(static_cast<int>(it->axis), static_cast<int>(it->move));
    return true;
}

void TPrintPreview::DoMove(int axisCode, int moveCode) {
    const Axis axis = static_cast<Axis>(axisCode);
    TControlScrollBar* bar = axis == Axis::H ? HorzScrollBar() : VertScrollBar();
    const int client = axis == Axis::H ? ClientWidth() : ClientHeight();
    const int pos = bar->Position();
    switch (static_cast<Move>(moveCode)) {
        case Move::ToStart:
            return ScrollTo(bar, 0);
        case Move::ToEnd:
            return ScrollTo(bar, bar->Range());
        case Move::BackLine:
            return ScrollTo(bar, pos - bar->Increment());
        case Move::ForwardLine:
            return ScrollTo(bar, pos + bar->Increment());
        case Move::BackTwoLines:
            return ScrollTo(bar, pos - 2 * bar->Increment());
        case Move::ForwardTwoLines:
            return ScrollTo(bar, pos + 2 * bar->Increment());
        case Move::BackPixel:
            return ScrollTo(bar, pos - 1);
        case Move::ForwardPixel:
            return ScrollTo(bar, pos + 1);
        case Move::BackClient:
            return ScrollTo(bar, pos - client);
        case Move::ForwardClient:
            return ScrollTo(bar, pos + client);
        case Move::PrevPage:
            return SetCurrentPage(currentPage_ - 1);
        case Move::NextPage:
            return SetCurrentPage(currentPage_ + 1);
        case Move::FirstPage:
            return SetCurrentPage(1);
        case Move::LastPage:
            return SetCurrentPage(TotalPages());
        case Move::ZoomIn:
            return SetZoom(zoom_ + zoomStep_);
        case Move::ZoomOut:
            return SetZoom(zoom_ - zoomStep_);
    }
}

void TPrintPreview::CNKeyDown(TMessage& m) {
    WORD key = static_cast<WORD>(m.WParam);
    const TShiftState shift = KeyDataToShiftState(m.LParam);
    if (HandleKey(key, shift))
        m.Result = 1;
    else
        TScrollBox::WndProc(m);
    if (OnKeyDown) OnKeyDown(this, key, shift);
}

void TPrintPreview::KeyDown(WORD&, TShiftState) {
    // OnKeyDown fired with the key's pre-dispatch already.
}

void TPrintPreview::WheelMessage(TMessage& m) {
    RECT r;
    const POINT p{GET_X_LPARAM(m.LParam), GET_Y_LPARAM(m.LParam)};
    if (!GetWindowRect(Handle(), &r) || !PtInRect(&r, p)) return TScrollBox::WndProc(m);
    m.Result = 0;
    const int steps = wheel_.Add(GET_WHEEL_DELTA_WPARAM(m.WParam));
    if (steps == 0) return;
    const TShiftState keys = KeysToShiftState(GET_KEYSTATE_WPARAM(m.WParam));
    const auto it = std::find_if(std::begin(kWheel), std::end(kWheel),
                                 [&](const WheelBinding& w) { return w.keys == keys; });
    if (it == std::end(kWheel)) return TScrollBox::WndProc(m);
    for (int i = 0; i < std::abs(steps); ++i)
        DoMove(static_cast<int>(it->axis), static_cast<int>(steps > 0 ? it->away : it->toward));
}

void TPrintPreview::WndProc(TMessage& m) {
    switch (m.Msg) {
        case CN_KEYDOWN:
            return CNKeyDown(m);
        case WM_MOUSEWHEEL:
            return WheelMessage(m);
    }
    TScrollBox::WndProc(m);
}

void TPrintPreview::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    SheetMouseDown(this, button, shift, x, y);
}

void TPrintPreview::MouseMove(TShiftState shift, int x, int y) {
    SheetMouseMove(this, shift, x, y);
}

void TPrintPreview::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    SheetMouseUp(this, button, shift, x, y);
}

void TPrintPreview::SheetMouseDown(TObject* sender, TMouseButton button, TShiftState shift, int x, int y) {
    if (!Focused() && CanFocus()) SetFocus();
    if (state_ != psIdle) return;
    TPoint p = Point(x, y);
    if (sender == sheet_) {
        if (canScrollH_ || canScrollV_) {
            dragging_ = true;
            sheet_->SetCursor(paperView_->GrabCursor());
            ::SetCursor(Screen->Cursors(paperView_->GrabCursor()));
        }
        dragStart_ = p;
        p = SheetToPreview(p);
    }
    TScrollBox::MouseDown(button, shift, p.x, p.y);
}

void TPrintPreview::SheetMouseMove(TObject* sender, TShiftState shift, int x, int y) {
    if (state_ != psIdle) return;
    const TPoint p = sender == sheet_ ? SheetToPreview(Point(x, y)) : Point(x, y);
    TScrollBox::MouseMove(shift, p.x, p.y);
    // Only a drag begun on the sheet moves it: the start point is the sheet's.
    if (!dragging_ || sender != sheet_ || !(shift & ssLeft) || noDragScroll_) return;
    TControlScrollBar* h = HorzScrollBar();
    TControlScrollBar* v = VertScrollBar();
    if (canScrollH_) {
        const int dx = x - dragStart_.x;
        if (AutoScroll() && h->IsScrollBarVisible()) {
            h->SetPosition(h->Position() - dx);
        } else {
            const int lowest = ClientWidth() - h->Margin() - sheet_->Width();
            sheet_->SetLeft(std::min(std::max(sheet_->Left() + dx, lowest), h->Margin()));
        }
    }
    if (canScrollV_) {
        const int dy = y - dragStart_.y;
        if (AutoScroll() && v->IsScrollBarVisible()) {
            v->SetPosition(v->Position() - dy);
        } else {
            const int lowest = ClientHeight() - v->Margin() - sheet_->Height();
            sheet_->SetTop(std::min(std::max(sheet_->Top() + dy, lowest), v->Margin()));
        }
    }
}

void TPrintPreview::SheetMouseUp(TObject* sender, TMouseButton button, TShiftState shift, int x, int y) {
    const TPoint p = sender == sheet_ ? SheetToPreview(Point(x, y)) : Point(x, y);
    TScrollBox::MouseUp(button, shift, p.x, p.y);
    if (dragging_) {
        dragging_ = false;
        sheet_->SetCursor(paperView_->DragCursor());
    }
}
