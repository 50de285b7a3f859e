// The developer tool on the main window: "New FocFile" and "New field" from
// the preview's pop-up menu, and in design mode (the preview's
// NoDragScroll) the rubber band a left-button drag draws on the page,
// whose release places the new field and appends its definition to
// "FocFile.txt".
#include "app/UserFolders.h"
#include "app/win/FocFEdit1.h"
#include "app/win/Main.h"
#include "classlib/FileStream.h"
#include "classlib/FileUtils.h"
#include "classlib/Scope.h"

using namespace cl;

namespace {

constexpr TColor kBandColor = clBlue;  // $FF0000

// The band of the drag under way, in the preview's Units, and the sheet's
// cursor from before "New field".
struct TBand {
    bool active = false;
    TPoint start{}, current{};
    TCursor savedCursor = crDefault;
};
TBand band;

bool DesignMode(const TMainForm& f) {
    return f.PrintPreview->NoDragScroll();
}

TPaperPreview& Sheet(TMainForm& f) {
    return *f.PrintPreview->PaperPreview();
}

// Inverted on the sheet: drawn twice, it is gone.
void InvertBand(TMainForm& f) {
    const TRect r = Rect(std::min(band.start.x, band.current.x), std::min(band.start.y, band.current.y),
                         std::max(band.start.x, band.current.x), std::max(band.start.y, band.current.y));
    f.PrintPreview->DrawXorRect(r, kBandColor, 0);
}

// Back to editing: the cursor from before "New field", no band.
void EndDesignMode(TMainForm& f) noexcept {
    band.active = false;
    f.PrintPreview->SetNoDragScroll(false);
    try {
        Sheet(f).SetCursor(band.savedCursor);
    } catch (...) {
        // Setting a cursor raises nothing; the worst is the cross left on.
    }
}

std::string FocFileName() {
    return ProgramFolder + "FocFile.txt";
}

// Readers may look at the file while it is open.
void OpenFocFile(TMainForm& f, bool rewrite) {
    f.FocFile.reset();
    const std::string name = FocFileName();
    if (rewrite || !FileExists(name)) {
        f.FocFile = std::make_unique<TFileStream>(name, fmCreate | fmShareDenyWrite);
    } else {
        f.FocFile = std::make_unique<TFileStream>(name, fmOpenWrite | fmShareDenyWrite);
        f.FocFile->Seek(0, soEnd);
    }
}

// The lines and an empty one, at the end of the file in one write.
void AppendBlock(TMainForm& f, const std::vector<std::string>& lines) {
    if (!f.FocFile) OpenFocFile(f, false);
    std::string block;
    for (const std::string& line : lines) block += line + "\r\n";
    block += "\r\n";
    f.FocFile->WriteBuffer(block.data(), static_cast<int32_t>(block.size()));
}

TPoint PaperPoint(TMainForm& f, int x, int y) {
    return f.PrintPreview->ScreenToPaper(Point(x, y));
}

// A point of the paper from the preview's Units to 0.1 mm.
TPoint InTenths(TMainForm& f, TPoint p) {
    return f.PrintPreview->ConvertXY(p.x, p.y, f.PrintPreview->Units(), mmLoMetric);
}

void BandDown(TMainForm& f, int x, int y) {
    band.active = true;
    band.start = band.current = PaperPoint(f, x, y);
}

void BandMove(TMainForm& f, int x, int y) {
    if (!band.active) return;
    const TPoint p = PaperPoint(f, x, y);
    InvertBand(f);
    band.current = p;
    InvertBand(f);
}

// The field ends at the release's height; a write that fails is reported
// by the application with design mode over all the same.
void BandUp(TMainForm& f, int x, int y) {
    if (!band.active) return;
    band.active = false;
    InvertBand(f);
    const ScopeExit over([&f] { EndDesignMode(f); });
    const TPoint start = InTenths(f, band.start);
    const TPoint end = InTenths(f, PaperPoint(f, x, y));
    f.PendingDefinition.at(kFocPlacementLine) += FocFieldPlacement(start.x, end.x, end.y);
    AppendBlock(f, f.PendingDefinition);
}

}  // namespace

void TMainForm::Newfocfile1Execute(TObject*) {
    OpenFocFile(*this, true);
    PendingDefinition.clear();
}

void TMainForm::Newfield1Execute(TObject*) {
    // A command that arrives while the dialog is up (its modal loop still
    // dispatches the pop-up menu's commands) is not begun again.
    static bool dialogUp = false;
    if (dialogUp || !CommitOpenEditor(*this)) return;
    const FlagScope up(dialogUp, true);
    // A second "New field" before the drag keeps the cursor of the first.
    if (!DesignMode(*this)) band.savedCursor = Sheet(*this).Cursor();
    Sheet(*this).SetCursor(crCross);
    // Cancelled, failed, or a kind that writes nothing: no design mode.
    ScopeExit noDesignMode([this] { EndDesignMode(*this); });
    std::vector<std::string> lines;
    {
        TFocFEdit* dialog = Construct<TFocFEdit>(this);
        const ScopeExit freed([dialog] { dialog->Free(); });
        if (dialog->ShowModal() == mrOk) lines = dialog->Lines;
    }
    if (lines.empty()) return;
    PendingDefinition = std::move(lines);
    PrintPreview->SetNoDragScroll(true);
    noDesignMode.Release();
}

void CloseFocFile(TMainForm& f) noexcept {
    f.FocFile.reset();
}

void AttachDevToolHandlers(TMainForm& f) {
    band = TBand{};
    f.Newfocfile1->OnExecute = [&f](TObject* s) { f.Newfocfile1Execute(s); };
    f.Newfield1->OnExecute = [&f](TObject* s) { f.Newfield1Execute(s); };
    // In design mode the left button draws the band and nothing else runs
    // (the right one opens the pop-up menu by itself); otherwise the
    // preview's handlers attached before these run as they are.
    TPrintPreview* preview = f.PrintPreview;
    preview->OnMouseDown = [&f, editing = std::move(preview->OnMouseDown)](TObject* s, TMouseButton button,
                                                                           TShiftState shift, int x, int y) {
        if (!DesignMode(f)) {
            if (editing) editing(s, button, shift, x, y);
        } else if (button == mbLeft) {
            BandDown(f, x, y);
        }
    };
    preview->OnMouseMove = [&f, editing = std::move(preview->OnMouseMove)](TObject* s, TShiftState shift,
                                                                           int x, int y) {
        if (!DesignMode(f)) {
            if (editing) editing(s, shift, x, y);
        } else {
            BandMove(f, x, y);
        }
    };
    preview->OnMouseUp = [&f, editing = std::move(preview->OnMouseUp)](TObject* s, TMouseButton button,
                                                                       TShiftState shift, int x, int y) {
        if (!DesignMode(f)) {
            if (editing) editing(s, button, shift, x, y);
        } else if (button == mbLeft) {
            BandUp(f, x, y);
        }
    };
}
