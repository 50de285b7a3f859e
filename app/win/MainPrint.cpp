// Printing on the main window: the print command with its dialog, one print
// job per form in scope with every page template played straight onto the
// printer, and the values drawn over each page as on the screen.
#include <cmath>
#include <vector>

#include "app/SheetMapping.h"
#include "app/win/BusyCursor.h"
#include "app/win/FieldPainter.h"
#include "app/win/Main.h"
#include "app/win/PageTemplates.h"
#include "app/win/Print1.h"
#include "classlib/FileUtils.h"
#include "classlib/StrUtils.h"
#include "engine/Recalc.h"

using namespace cl;

namespace {

const char kTemplatesFailed[] =
    "Wczytanie formularzy nie powiodło się, przyczyną może być nadmierne obciążenie pamięci komputera.";

// A page template that could not be read.
class ETemplateLoad : public Exception {
public:
    using Exception::Exception;
};

TemFrm* FormOf(const TTreeNode* node) {
    return node ? static_cast<TemFrm*>(node->Data()) : nullptr;
}

// The forms a scope prints, in the tree's order.  Scopes 1 and 2 print the
// selected form; scope 3 the top-level node above it with every item up to
// that node's next sibling (the forms are top-level nodes, so it is the
// selected form too); scope 4, and any scope without a selected form,
// every form.
std::vector<TemFrm*> FormsInScope(const TMainForm& f, int scope) {
    std::vector<TemFrm*> forms;
    TTreeNode* selected = f.XcTreeView2->Selected();
    TTreeNode* first = f.XcTreeView2->Items()->GetFirstNode();
    TTreeNode* end = nullptr;
    if (scope == 1 || scope == 2) {
        if (selected) return {FormOf(selected)};
    } else if (scope == 3 && selected) {
        first = selected;
        while (first->Parent()) first = first->Parent();
        end = first->GetNextSibling();
    }
    for (TTreeNode* node = first; node && node != end; node = node->GetNext())
        if (TemFrm* form = FormOf(node)) forms.push_back(form);
    return forms;
}

// A length in 0.1 mm in the preview's units.
int InUnits(const TPrintPreview& preview, int tenths) {
    return preview.ConvertValue(tenths, mmLoMetric, preview.Units());
}

// The A4 page in the preview's units, at the paper's corner.
TPlacedRect A4Page(const TPrintPreview& preview) {
    return {0, 0, InUnits(preview, kSheetWidth), InUnits(preview, kSheetHeight)};
}

// Where a page's template is played: where its print correction puts it on
// the A4 page, the A4 page lying on the paper moved by the margins.
TRect TemplateOnPaper(const TPrintPreview& preview, int formNo, int page) {
    TRect paper = preview.GetPaperRect();
    OffsetRect(&paper, InUnits(preview, LeftCorrection), InUnits(preview, TopCorrection));
    const TPlacedRect a4 = A4Page(preview);
    const TPlacedRect t =
        AreaOnPaper(PrintedTemplateOnA4(formNo, page),
                    A4OnPaper({paper.left, paper.top, paper.right, paper.bottom}, a4.Right, a4.Bottom));
    return Rect(t.Left, t.Top, t.Right, t.Bottom);
}

// What a printed job left after a failure goes: the job is dropped and
// the preview idle again.
void AbandonJob(TPrintPreview& preview) noexcept {
    try {
        preview.Abort();
        preview.EndDoc();
    } catch (...) {
        // The preview makes itself idle when its own steps fail.
    }
}

}  // namespace

// ---- Handlers ------------------------------------------------------------------------------
void AttachPrintHandlers(TMainForm& f) {
    f.Wydruk1->OnExecute = [&f](TObject* s) { f.Wydruk1Execute(s); };
    f.Wydruk1->OnUpdate = [&f](TObject*) {
        f.Wydruk1->SetEnabled(f.XcTreeView2->Items()->Count() > 0 &&
                              f.XcPageControl1->ActivePage() == f.TabSheet2 && PrinterInstalled());
    };
    f.PrintPreview->OnPrintDir = [&f](TObject* s, TCanvas* c, const TRect& r, int page, void* form, int, int,
                                      int, int) { f.PrintPreviewPrinDir(s, c, r, page, form); };
}

// ---- The command -----------------------------------------------------------------------------
void TMainForm::Wydruk1Execute(TObject*) {
    const bool formsSheet = XcPageControl1->ActivePage() == TabSheet2;
    if (formsSheet && !CommitOpenEditor(*this)) return;
    if (PrintPreview->State() != psIdle || Rendering || LoadingStatement || AddingForm) return;
    int scope = 0;
    {
        PrintPreview->SetPrinterOptions();
        auto* dialog = Construct<TPrint1Dlg>(this);
        const ScopeExit freed([dialog] { dialog->Free(); });
        if (!formsSheet) dialog->rb1->SetEnabled(false);
        if (dialog->ShowModal() != mrOk) return;
        scope = dialog->Scope();
    }
    // Every form goes straight to the printer as a job of its own.
    const int pageNo = scope == 1 ? PrintPreview->CurrentPage() : -1;
    const std::vector<TemFrm*> forms = FormsInScope(*this, scope);
    PrintPreview->SetDirectPrint(UseDirectPrint);
    const ScopeExit direct([this] { PrintPreview->SetDirectPrint(false); });
    // A job that fails is told and dropped; the forms after it still print.
    for (TemFrm* form : forms) BuildPrintPages(form, pageNo);
}

bool TMainForm::BuildPrintPages(TemFrm* Form, int PageNo) {
    if (!Form || Rendering) return false;
    std::string failure;
    {
        const TBusyCursor busy;
        {
            // Bringing the totals up to date is no change of the user's.
            const bool modified = DataModified;
            const ScopeExit restore([modified] { DataModified = modified; });
            Recalculate(0);
        }
        const TBusyFlag rendering(Rendering);
        try {
            if (const int paper = FormComboBox->ItemIndex(); paper >= 0)
                PrintPreview->SetFormName(FormComboBox->Items()->Get(paper));
            PrintPreview->BeginDoc();
            int count = 0;
            for (int n = 1; n <= Form->PageCount; ++n) {
                if (PageNo > 0 && n != PageNo) continue;
                const std::string file = TemplateFile(Form->TemplateName, n);
                if (!FileExists(file)) continue;
                TMetafile page;
                try {
                    page.LoadFromFile(file);
                } catch (const std::exception& e) {
                    throw ETemplateLoad(e.what());
                }
                if (++count > 1) PrintPreview->NewPage();
                TRect drawn{};
                PrintPreview->PaintGraphicEx(TemplateOnPaper(*PrintPreview, Form->FormNo, n), &page, drawn,
                                             Form, n, true, false, false);
            }
            PrintPreview->EndDoc();
        } catch (const ETemplateLoad&) {
            AbandonJob(*PrintPreview);
            failure = kTemplatesFailed;
        } catch (const Exception& e) {
            AbandonJob(*PrintPreview);
            failure = e.Message();
        } catch (const std::exception& e) {
            AbandonJob(*PrintPreview);
            failure = e.what();
        }
    }
    if (failure.empty()) return true;
    Application->MessageBox(failure, TrimRight(Application->Title()), MB_OK | MB_ICONERROR);
    return false;
}

// ---- The values on paper --------------------------------------------------------------------
void TMainForm::PrintPreviewPrinDir(TObject*, TCanvas* Canvas, const TRect& PageRect, int Page, void* pvFA) {
    // No message is handled while a page is drawn: the form printed must
    // stay as it is until its job ends.
    const auto* form = static_cast<const TemFrm*>(pvFA);
    if (!form || !Canvas) return;
    // The template went to PageRect; the values follow it from the A4 page,
    // where their print rectangles are, and then move by the text
    // corrections, which are lengths on the paper.
    const TTemplateFollower follow{
        AreaOnPaper(PrintedTemplateOnA4(form->FormNo, Page), A4Page(*PrintPreview)),
        {PageRect.left, PageRect.top, PageRect.right, PageRect.bottom}};
    auto onPaper = [&](int tenths) { return InUnits(*PrintPreview, tenths); };
    const int dx = onPaper(TextXCorrection), dy = -onPaper(TextYCorrection);
    const int cell = static_cast<int>(std::nearbyint(PrintScaleX(form->FormNo, Page) * 53.0));
    const int cellWidth = follow.Width(onPaper(cell));
    for (int i = form->FirstID + 1; i < form->LastID; ++i) {
        if (!TEFieldTable.Contains(i)) continue;
        const TEField& field = TEFieldTable[i];
        if (field.Page > Page) break;  // the fields are in page order
        if (field.Page != Page) continue;
        const std::string text = form->GetValueText(static_cast<uint16_t>(i));
        if (text.empty()) continue;
        const TPlacedRect r = follow.Rect(
            {onPaper(PrintLeft(form->FormNo, Page, i)), onPaper(PrintTop(form->FormNo, Page, i)),
             onPaper(PrintRight(form->FormNo, Page, i)), onPaper(PrintBottom(form->FormNo, Page, i))});
        PaintField(*Canvas, field, text, Rect(r.Left + dx, r.Top + dy, r.Right + dx, r.Bottom + dy),
                   field.FontSize, cellWidth, follow.Ratio());
    }
}
