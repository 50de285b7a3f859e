// The shown form's pages in the print preview: recording the page
// templates of the selected form, painting its values over the current
// page on every repaint, the page tabs, the paper list, the preview's
// document and zoom events.
#include <cmath>

#include "app/UserFolders.h"
#include "app/win/EditingOnSheetChange.h"
#include "app/win/FieldPainter.h"
#include "app/win/FieldPlacement.h"
#include "app/win/Main.h"
#include "app/win/PageTemplates.h"
#include "classlib/FileUtils.h"
#include "classlib/StrUtils.h"
#include "engine/Recalc.h"

using namespace cl;

namespace {

const char kRenderFailed[] =
    "Wczytanie formularzy nie powiodło się, przyczyną może być nadmierne obciążenie pamięci komputera.";

// Error-list items of this kind go with every page change.
constexpr uint8_t kPageErrorKind = 2;

// A failure while painting values is told once per shown form: the sheet
// repaints often, and a message box on each would lock the user out.
bool paintFaultReported = false;

struct Hourglass {
    Hourglass() { Screen->SetCursor(crHourGlass); }
    ~Hourglass() { Screen->SetCursor(crDefault); }
    Hourglass(const Hourglass&) = delete;
    Hourglass& operator=(const Hourglass&) = delete;
};

// The pages of the form's templates, one after the other; a missing
// template is left out.  Only the templates are recorded: the values are
// painted over the played page on every repaint.
void RecordPages(TPrintPreview& preview, const std::string& templateName, int pageCount) {
    for (int n = 1; n <= pageCount; ++n) {
        const std::string file = TemplateFile(templateName, n);
        if (!FileExists(file)) continue;
        TMetafile page;
        page.LoadFromFile(file);
        if (n > 1) preview.NewPage();
        preview.AddPage(&page);
    }
}

// A failure between BeginDoc and EndDoc: the pages made so far go, and the
// preview returns to idle through its own end of the document (which
// restores the caption and the paper list).
void AbandonDocument(TPrintPreview& preview) noexcept {
    try {
        preview.Abort();
        preview.EndDoc();
    } catch (...) {
        // The preview makes itself idle when its own steps fail.
    }
}

// ---- The preview's events ----------------------------------------------------------------
void DocumentBegun(TMainForm& f) {
    f.SetCaption(TrimRight(Application->Title()) + " - Tworzenie stron...");
    f.FormComboBox->SetEnabled(false);
    f.Wydruk1->SetEnabled(false);
}

void DocumentEnded(TMainForm& f) {
    f.SetCaption(Application->Title());
    f.FormComboBox->SetEnabled(true);
    f.Wydruk1->SetEnabled(PrinterInstalled() && f.PrintPreview->TotalPages() > 0);
}

// The pages or the current page changed: one tab per page, the current
// one chosen; the page's errors go.
void PagesChanged(TMainForm& f) {
    TStrings* tabs = f.PageNavigator->Tabs();
    const int pages = f.PrintPreview->TotalPages();
    while (tabs->Count() < pages) tabs->Add(std::to_string(tabs->Count() + 1));
    while (tabs->Count() > pages) tabs->Delete(tabs->Count() - 1);
    f.PageNavigator->SetTabIndex(f.PrintPreview->CurrentPage() - 1);
    // The window stays responsive while the pages are recorded.
    if (f.PrintPreview->State() == psRecording) Application->ProcessMessages();
    f.Wydruk1->SetEnabled(PrinterInstalled() && pages > 0);
    ClearErrors(kPageErrorKind, false);
    NotifyErrors();
    // The hover and editor guards need no reset here: each is held by a
    // scope that puts it back however its operation ends, and clearing one
    // inside that scope would let the operation re-enter.
}

// A page change waits for the open editor's value and for the preview to
// be idle; a refusal is the silent abort, which cancels the change.
void BeforePageChange(TMainForm& f) {
    if (CommitOpenEditor(f) && f.PrintPreview->State() == psIdle) return;
    Abort();
}

// A fitted zoom is taken as a fixed one: resizing the window afterwards
// keeps it.  Every layout of the sheet ends here, and an open editor
// follows its field.
void ZoomChanged(TMainForm& f) {
    if (f.PrintPreview->ZoomState() != zsZoomOther) f.PrintPreview->SetZoom(f.PrintPreview->Zoom());
    PlaceOpenEditor(f);
}

// The preview added or removed a printer form of its own.
void AutoCustomForm(TMainForm& f, const std::string& name, TOperation operation) {
    TStrings* items = f.FormComboBox->Items();
    if (operation == opInsert) {
        items->Add(name);
    } else if (const int i = items->IndexOf(name); i >= 0) {
        items->Delete(i);
    }
    f.FormComboBox->SetItemIndex(items->IndexOf(f.PrintPreview->GetFormName()));
}

// ---- The page tabs and the paper list ---------------------------------------------------
void TabChanging(TMainForm& f, int newTab, bool& allowChange) {
    try {
        f.PrintPreview->SetCurrentPage(newTab + 1);
    } catch (const EAbort&) {
        // Refused before the change: the tab stays on the page shown.
        allowChange = false;
    }
}

void PaperChanged(TMainForm& f) {
    if (f.FirstRendering) {
        f.FirstRendering = false;
        f.PrintPreview->Update();
    }
    f.ShowSelectedForm();
}

}  // namespace

void AttachRenderHandlers(TMainForm& f) {
    TPrintPreview& p = *f.PrintPreview;
    p.OnPaint = [&f](TObject* s, TCanvas* c, const TRect& r) { f.PrintPreviewPaint(s, c, r); };
    p.OnBeginDoc = [&f](TObject*) { DocumentBegun(f); };
    p.OnEndDoc = [&f](TObject*) { DocumentEnded(f); };
    p.OnChange = [&f](TObject*) { PagesChanged(f); };
    p.OnBeforeChange = [&f](TObject*) { BeforePageChange(f); };
    p.OnZoomChange = [&f](TObject*) { ZoomChanged(f); };
    p.OnAutoCustomForm = [&f](TObject*, const std::string& name, TOperation op) {
        AutoCustomForm(f, name, op);
    };
    f.PageNavigator->OnChange = [&f](TObject*, int newTab, bool& allow) { TabChanging(f, newTab, allow); };
    f.FormComboBox->OnEnter = [&f](TObject*) {
        if (!CommitOpenEditor(f)) Abort();
    };
    f.FormComboBox->OnChange = [&f](TObject*) { PaperChanged(f); };
}

// ---- Showing the selected form --------------------------------------------------------------
void TMainForm::ShowSelectedForm() {
    if (Rendering) {
        Application->ProcessMessages();
        return;
    }
    bool failed = false;
    {
        const Hourglass busy;
        const TBusyFlag rendering(Rendering);
        XcPanel3->SetCaption("");
        ShownForm = nullptr;
        HoveredField = 0;
        paintFaultReported = false;
        TTreeNode* node = XcTreeView2->Selected();
        TemFrm* form = node ? static_cast<TemFrm*>(node->Data()) : nullptr;
        try {
            if (form) {
                XcPanel3->SetCaption(FindFormTitle(form->Name));
                if (const int paper = FormComboBox->ItemIndex(); paper >= 0)
                    PrintPreview->SetFormName(FormComboBox->Items()->Get(paper));
            }
            // Another form opens at its top: the first page recorded keeps
            // the scroll bars' place in proportion, which is the last form's.
            PrintPreview->HorzScrollBar()->SetPosition(0);
            PrintPreview->VertScrollBar()->SetPosition(0);
            PrintPreview->BeginDoc();
            ShownForm = form;
            // Copied: recording handles messages, and the form may go meanwhile.
            if (form) RecordPages(*PrintPreview, form->TemplateName, form->PageCount);
            PrintPreview->EndDoc();
        } catch (...) {
            AbandonDocument(*PrintPreview);
            ShownForm = nullptr;
            failed = true;
        }
    }
    if (failed) {
        Application->MessageBox(kRenderFailed, TrimRight(Application->Title()), MB_OK | MB_ICONERROR);
        return;
    }
    {
        // Bringing the totals up to date is no change of the user's.
        const bool modified = DataModified;
        const ScopeExit restore([modified] { DataModified = modified; });
        Recalculate(0);
    }
    // No messages are handled here: input now could store a value whose
    // modified flag the restore above would take back.
    PrintPreview->UpdatePreview();
}

// ---- Painting the values ------------------------------------------------------------------
void TMainForm::PrintPreviewPaint(TObject*, TCanvas* Canvas, const TRect&) {
    // Inside WM_PAINT no message is handled: input or a page change must
    // not run halfway through a paint.
    // The page painted anew has wiped the hover's frame.
    ForgetHover(*this);
    const TemFrm* form = ShownForm;
    if (!form || !Canvas) return;
    const int page = PrintPreview->CurrentPage();
    const int zoom = PrintPreview->Zoom();
    // On the sheet only the fields in the part painted again are drawn.
    HDC dc = Canvas->Handle();
    const bool onSheet = GetObjectType(dc) == OBJ_MEMDC;
    for (int i = form->FirstID + 1; i < form->LastID; ++i) {
        if (!TEFieldTable.Contains(i)) continue;
        const TEField& field = TEFieldTable[i];
        if (field.Page > page) break;  // the fields are in page order
        if (field.Page != page) continue;
        try {
            const std::string text = form->GetValueText(static_cast<uint16_t>(i));
            if (text.empty()) continue;
            const TRect rect = FieldScreenRect(*PrintPreview, form->FormNo, page, i);
            if (onSheet && !RectVisible(dc, &rect)) continue;
            const int cellWidth = SheetWidthOnScreen(
                *PrintPreview, static_cast<int>(std::nearbyint(PageScaleX(form->FormNo, page) * 53.0)));
            PaintField(*Canvas, field, text, rect, MulDiv(field.FontSize, zoom, 100), cellWidth);
        } catch (...) {
            // The other fields are painted; the fault is told once.
            if (!paintFaultReported) {
                paintFaultReported = true;
                Application->HandleException(this);
            }
        }
    }
}
