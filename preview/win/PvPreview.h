#pragma once
// TPrintPreview: a scroll box that records a document's pages as enhanced
// metafiles (TMetafileList), shows one page at a time on a paper sheet
// (TPaperPreview) at a zoom, keeps its paper in step with the printer's
// device mode and forms, and prints the pages or paints straight onto the
// printer.  Drawers work in Units with the origin at the paper's corner.
//
// Document life: BeginDoc, AddPage / NewPage ..., EndDoc.  Whatever fails
// inside these operations (or their events) returns the preview to idle
// with the printer job aborted.  After a failure of the caller's own code
// between BeginDoc and EndDoc, Abort() then EndDoc() do the same.

#include <memory>
#include <span>
#include <string>
#include <vector>

#include "classlib/win/Forms.h"
#include "classlib/win/Printers.h"
#include "preview/PageSmoothing.h"
#include "preview/PaperSizes.h"
#include "preview/Units.h"
#include "preview/ZoomLayout.h"
#include "preview/win/DrawGraphic.h"
#include "preview/win/MetafileList.h"
#include "preview/win/PaperPreview.h"
#include "preview/win/PrinterForms.h"

// The screen cursor slots of the hand ("CURSOR_HAND") and the grabbing hand
// ("CURSOR_GRAB") the preview loads from the program's resources.
constexpr cl::TCursor crHand = 10;
constexpr cl::TCursor crGrab = 11;

enum TPreviewState { psIdle, psRecording, psPrinting };

using TPaperPrintEvent =
    std::function<void(cl::TObject* Sender, cl::TCanvas* Canvas, int CurrPage, const cl::TRect& PageRect,
                       int Res_x, int Res_y, int Offs_x, int Offs_y)>;
// pvFA is the caller's own value, handed through from PaintGraphicEx.
using TPaperPrintDirEvent =
    std::function<void(cl::TObject* Sender, cl::TCanvas* Canvas, const cl::TRect& PageRect, int Page,
                       void* pvFA, int Res_x, int Res_y, int Offs_x, int Offs_y)>;
using TPreviewPrintProgress =
    std::function<void(cl::TObject* Sender, int PageNo, int Progress, bool& AbortIt)>;
using TPreviewAutoCustomForm =
    std::function<void(cl::TObject* Sender, const std::string& CustomFormName, cl::TOperation Operation)>;
using TPreviewAnnotation = std::function<void(cl::TObject* Sender, int PageNo, cl::TCanvas* Canvas)>;

class TPrintPreview : public cl::TScrollBox {
    CL_CLASS(TPrintPreview, cl::TScrollBox)
public:
    explicit TPrintPreview(cl::TComponent* owner);
    ~TPrintPreview() override;
    // Removes the printer form the preview made itself.
    void BeforeDestruction() override;

    // ---- Document -------------------------------------------------------------
    // Only when idle.  With DirectPrint a printer job starts, else the pages
    // are cleared for a new recording; then OnBeginDoc and the first page.
    void BeginDoc();
    // OnEndPage, the next page (a printer page when printing directly), OnNewPage.
    void NewPage();
    void EndDoc();
    // Recording: the pages are dropped.  Printing: the printer job is
    // dropped; a direct document goes on to EndDoc on a canvas that prints
    // nothing, its pages still counted.  The state stays until EndDoc.
    void Abort();
    // Appends the metafile as a page (at any time).
    void AddPage(cl::TMetafile* page);
    // Removes every page.
    void Clear();
    // The canvas of the page being made, else the printer's canvas.
    cl::TCanvas* GetCanvas();
    // The canvas of the page being made (nullptr between pages).
    cl::TCanvas* Canvas() const { return canvas_.get(); }
    TPreviewState State() const { return state_; }
    bool Aborted() const { return aborted_; }
    bool Direct() const { return direct_; }
    int DirectPageCount() const { return directPageCount_; }
    // The pages begun while printing directly, else the stored pages.
    int TotalPages() const { return direct_ ? directPageCount_ : pages_->Count(); }
    TMetafileList* MetafileList() const { return pages_.get(); }

    // ---- Printing -----------------------------------------------------------
    void Print() { PrintPages(1, TotalPages()); }
    // The stored pages from..to (clamped to the document) as one printer job.
    void PrintPages(int fromPage, int toPage);
    // Places graphic in rect (Units) on the printer page: scaled (unless it
    // fits and onlyShrink), kept in proportion, centred; drawRect gets where
    // it went, and OnPrintDir may draw over it.
    void PaintGraphicEx(const cl::TRect& rect, cl::TGraphic* graphic, cl::TRect& drawRect, void* pvFA,
                        int page, bool center, bool onlyShrink, bool proportional);

    // ---- View ---------------------------------------------------------------------
    int CurrentPage() const { return currentPage_; }
    // Clamped to 1..TotalPages; OnBeforeChange may cancel by raising.
    void SetCurrentPage(int value);
    int Zoom() const { return zoom_; }
    // Clamped to ZoomMin..ZoomMax; moves to zsZoomOther.  A zoom whose sheet
    // cannot be made keeps the old one.
    void SetZoom(int value);
    TZoomState ZoomState() const { return zoomState_; }
    void SetZoomState(TZoomState value);
    int ZoomMin() const { return zoomMin_; }
    void SetZoomMin(int value);
    int ZoomMax() const { return zoomMax_; }
    void SetZoomMax(int value);
    int ZoomStep() const { return zoomStep_; }
    void SetZoomStep(int value) { zoomStep_ = value; }
    bool ZoomSavePos() const { return zoomSavePos_; }
    void SetZoomSavePos(bool value) { zoomSavePos_ = value; }
    // Lays the sheet out for the zoom state and the view.
    void UpdateZoom();
    // Paints the page again.
    void UpdatePreview();
    bool CanScrollH() const { return canScrollH_; }
    bool CanScrollV() const { return canScrollV_; }
    bool Dragging() const { return dragging_; }
    bool NoDragScroll() const { return noDragScroll_; }
    void SetNoDragScroll(bool value) { noDragScroll_ = value; }
    TPaperPreviewOptions* PaperView() const { return paperView_.get(); }
    void SetPaperView(TPaperPreviewOptions* value) { paperView_->Assign(value); }
    TPaperPreview* PaperPreview() const { return sheet_; }
    bool Annotation() const { return annotation_; }
    void SetAnnotation(bool value);

    // A point of the preview's client area on the paper, in Units.
    cl::TPoint ScreenToPaper(cl::TPoint p);
    // A point of the paper (Units) in the sheet's pixels, or the preview's.
    cl::TPoint PaperToScreen(cl::TPoint p, bool toPreview = false);
    cl::TRect PaperToScreenRect(const cl::TRect& r, bool toPreview = false);
    // The outline of r (Units) inverted on the sheet's screen.
    virtual void DrawXorRect(const cl::TRect& r, cl::TColor color, int mode);

    // ---- Paper ------------------------------------------------------------------
    TUnits Units() const { return units_; }
    void SetUnits(TUnits value);
    TPaperType PaperType() const { return paperType_; }
    void SetPaperType(TPaperType value);
    // The first paper type with the printer's paper code, else pCustom.
    void SetPaperTypeByID(int code);
    cl::TPrinterOrientation Orientation() const { return orientation_; }
    void SetOrientation(cl::TPrinterOrientation value);
    // In Units, as oriented.
    int PaperWidth() const { return paperWidth_; }
    int PaperHeight() const { return paperHeight_; }
    void SetPaperWidth(int value) { SetPaperSize(value, paperHeight_); }
    void SetPaperHeight(int value) { SetPaperSize(paperWidth_, value); }
    // Each side clamped to 1..kMaxPaperSize; the paper type follows the size.
    void SetPaperSize(int width, int height);
    cl::TRect GetPaperRect() const { return cl::Rect(0, 0, paperWidth_, paperHeight_); }
    // The paper in screen pixels at 100 % (at least 1).
    int PaperPixelWidth() const { return paperPixelWidth_; }
    int PaperPixelHeight() const { return paperPixelHeight_; }
    // ConvertUnit at the screen's pixels per inch.
    int ConvertValue(int value, TUnits from, TUnits to) const;
    cl::TPoint ConvertXY(int x, int y, TUnits from, TUnits to) const;
    void ConvertPoints(std::span<cl::TPoint> points, TUnits from, TUnits to) const;

    // ---- Printer ------------------------------------------------------------------
    // Writes paper, orientation and form into the printer's device mode.
    void SetPrinterOptions();
    // Reads them from the device mode.
    void GetPrinterOptions();
    // The printer's forms larger than 10 x 10 thousandths of a millimetre.
    bool GetFormNames(cl::TStrings& list);
    // A form's size in Units.
    bool GetFormSize(const std::string& name, int& width, int& height);
    // Adds a user form of that size (Units); true only when the printer has it afterwards.
    bool AddNewForm(const std::string& name, int width, int height);
    bool RemoveForm(const std::string& name);
    // Makes a form for the paper when no form fits it.
    void CreateAutoForm();
    // The printer form in use: the one set, else the first of the paper's size.
    std::string GetFormName();
    // Takes the paper size of the printer's form.
    void SetFormName(const std::string& name);
    const std::string& PrinterFormName() const { return printerFormName_; }
    const std::string& AutoFormName() const { return autoFormName_; }

    bool DirectPrint() const { return directPrint_; }
    void SetDirectPrint(bool value) { directPrint_ = value; }
    bool FastPrint() const { return fastPrint_; }
    void SetFastPrint(bool value) { fastPrint_ = value; }
    bool UsePrinterOptions() const { return usePrinterOptions_; }
    void SetUsePrinterOptions(bool value) { usePrinterOptions_ = value; }
    bool UseTempFile() const { return pages_->UseTempFile(); }
    void SetUseTempFile(bool value) { pages_->SetUseTempFile(value); }
    const std::string& PrintJobTitle() const { return printJobTitle_; }
    void SetPrintJobTitle(const std::string& value) { printJobTitle_ = value; }

    // ---- Events ---------------------------------------------------------------------
    cl::TNotifyEvent OnBeginDoc;
    cl::TNotifyEvent OnEndDoc;
    cl::TNotifyEvent OnNewPage;
    cl::TNotifyEvent OnEndPage;
    cl::TNotifyEvent OnAbort;
    cl::TNotifyEvent OnChange;
    TPreviewPrintProgress OnPrintProgress;
    cl::TNotifyEvent OnBeforePrint;
    cl::TNotifyEvent OnAfterPrint;
    cl::TNotifyEvent OnZoomChange;
    TPreviewAutoCustomForm OnAutoCustomForm;
    TPreviewAnnotation OnAnnotation;
    // OnKeyDown (the control's) fires once for every key, after the preview's own keys.
    TPaperPaintEvent OnPaint;
    TPaperPrintEvent OnPrint;
    TPaperPrintDirEvent OnPrintDir;
    // Before the current page changes; raising cancels the change.
    cl::TNotifyEvent OnBeforeChange;

    void WndProc(cl::TMessage& message) override;

protected:
    virtual void UpdateAnnotation(int pageNo);
    // Reports printing progress; answers whether printing was aborted.
    virtual bool DoProgress(int pageNo, int done, int total);
    // The sheet's painting: the page, its annotation, then OnPaint.
    virtual void PaintPage(cl::TObject* sender, cl::TCanvas* canvas, const cl::TRect& pageRect);
    void Loaded() override;
    void Resize() override;
    void KeyDown(WORD& key, cl::TShiftState shift) override;
    void MouseDown(cl::TMouseButton button, cl::TShiftState shift, int x, int y) override;
    void MouseMove(cl::TShiftState shift, int x, int y) override;
    void MouseUp(cl::TMouseButton button, cl::TShiftState shift, int x, int y) override;
    void Notification(cl::TComponent* component, cl::TOperation operation) override;

private:
    // What a writer stores: a custom paper's size (a named paper's follows
    // from its type), a zoom state other than the constructed one (so that
    // every state reads back as itself), and a fixed zoom other than 100
    // (a fitted zoom is computed, and reading a zoom fixes the state).
    bool PaperSizeStored() const { return paperType_ == pCustom; }
    bool ZoomStateStored() const { return zoomState_ != zsZoomToHeight; }
    bool ZoomStored() const { return zoomState_ == zsZoomOther && zoom_ != 100; }

    void PagesChanged();
    void PageModified(int index);
    void OptionsChanged();
    void UpdatePaperPixels();
    // The recording canvas on a new page metafile.
    void CreatePageCanvas();
    void ClosePageCanvas();
    void CreateDirectCanvas();
    // The direct canvas on the printer's current context, mapped.
    void AttachDirectCanvas();
    void ReleaseCanvas() noexcept;
    void PrepareCanvas(cl::TCanvas& canvas);
    // After a failure inside a document: idle, no canvas, the job dropped.
    void ResetDocument() noexcept;
    void RequirePrinter() const;
    // The current page onto the sheet's canvas: copied from the page as
    // last played when size and paper are the same, else played (and kept
    // for the next time).
    void DrawPlayedPage(cl::TCanvas& canvas, const cl::TRect& pageRect);
    // The kept picture of the current page, w x h on paper, played now when
    // there is none; nullptr when there is no room for one.
    cl::TBitmap* PlayedPage(int w, int h, cl::TColor paper);
    void ForgetPlayedPages() noexcept;
    // The current page played onto picture (w x h, filled with paper first),
    // smoothed when the zoom shows it small.
    void PlayPage(cl::TBitmap& picture, int w, int h, cl::TColor paper);
    void CNKeyDown(cl::TMessage& m);
    bool HandleKey(WORD key, cl::TShiftState shift);
    void WheelMessage(cl::TMessage& m);
    // One step of a key or the wheel (the .cpp's Axis and Move).
    void DoMove(int axis, int move);
    void LayOut(bool notify);
    void SheetMouseDown(cl::TObject* sender, cl::TMouseButton button, cl::TShiftState shift, int x, int y);
    void SheetMouseMove(cl::TObject* sender, cl::TShiftState shift, int x, int y);
    void SheetMouseUp(cl::TObject* sender, cl::TMouseButton button, cl::TShiftState shift, int x, int y);
    cl::TPoint SheetToPreview(cl::TPoint p) const;

    std::unique_ptr<TMetafileList> pages_;
    std::unique_ptr<TPaperPreviewOptions> paperView_;
    TPaperPreview* sheet_ = nullptr;  // owned as a component
    std::unique_ptr<cl::TMetafile> pageMetafile_;
    std::unique_ptr<cl::TCanvas> canvas_;
    std::unique_ptr<cl::TMetafile> annotationMetafile_;
    // The pages as last played for the sheet, by index (empty: not played
    // since), all of one size on one paper: a repaint that only changes
    // what OnPaint draws over a page (a value typed), and turning back to a
    // page, copy it.  A new document, a page changed, another zoom or paper
    // play them anew.
    std::vector<std::unique_ptr<cl::TBitmap>> playedPages_;
    int playedWidth_ = 0, playedHeight_ = 0;
    cl::TColor playedPaper_ = cl::clNone;

    TPreviewState state_ = psIdle;
    bool aborted_ = false;
    bool direct_ = false;
    int directPageCount_ = 0;
    bool directPrint_ = false;
    bool fastPrint_ = true;
    bool usePrinterOptions_ = false;
    std::string printJobTitle_;
    bool annotation_ = false;

    int currentPage_ = 0;
    int zoom_ = 100;
    TZoomState zoomState_ = zsZoomToHeight;
    int zoomMin_ = 10;
    int zoomMax_ = 500;
    int zoomStep_ = 10;
    bool zoomSavePos_ = true;
    bool updatingZoom_ = false;
    bool canScrollH_ = false;
    bool canScrollV_ = false;
    bool dragging_ = false;
    bool noDragScroll_ = false;
    cl::TPoint dragStart_{};
    TWheelAccumulator wheel_;

    TUnits units_ = mmHiMetric;
    TPaperType paperType_ = pA4;
    cl::TPrinterOrientation orientation_ = cl::poPortrait;
    int paperWidth_ = 0;
    int paperHeight_ = 0;
    int paperPixelWidth_ = 1;
    int paperPixelHeight_ = 1;
    std::string printerFormName_;
    std::string autoFormName_;
};

// The largest paper side in any unit: the largest paper of the table
// (44 in) in the finest unit (0.01 mm) with room to spare.
constexpr int kMaxPaperSize = 1000000;
