// Typing values on the shown page: the field under the pointer framed, a
// click opening the field's editor exactly over it, the value stored when
// the editor closes, and Tab, Enter and Esc moving from field to field and
// from page to page.
#include <string>
#include <utility>
#include <vector>

#include "app/FieldNavigation.h"
#include "app/SheetMapping.h"
#include "app/win/EEdits.h"
#include "app/win/EditingOnSheetChange.h"
#include "app/win/FieldEditorByKind.h"
#include "app/win/FieldPlacement.h"
#include "app/win/Main.h"
#include "classlib/NumberFormat.h"

using namespace cl;

namespace {

constexpr TColor kTypedFrame = clGreen;   // $008000
constexpr TColor kComputedFrame = clRed;  // $0000FF

// What the open editor showed when it opened, and for which form: a text
// that still reads so was not changed.
struct TOpening {
    const TemFrm* form = nullptr;
    std::string text;
    bool checked = false;
};
TOpening opening;

using TGuard = FlagScope<int>;

bool PreviewIdle(const TMainForm& f) {
    return f.PrintPreview->State() == psIdle;
}

// The pointer frames nothing while the preview records or prints, a
// statement loads, a form is added or pages are rendered.
bool PointerWorks(const TMainForm& f) {
    return ShownForm && PreviewIdle(f) && !LoadingStatement && !AddingForm && !f.Rendering;
}

// A point of the preview's client area on the A4 sheet, in 0.1 mm.
TSheetPoint SheetPointOf(TMainForm& f, int x, int y) {
    const TPoint p = f.PrintPreview->ScreenToPaper(Point(x, y));
    return PaperPointOnSheet(p.x, p.y, f.PrintPreview->PaperWidth(), f.PrintPreview->PaperHeight());
}

int FieldUnder(TMainForm& f, const TSheetPoint& p) {
    return FieldAtPoint(*ShownForm, f.PrintPreview->CurrentPage(), p.X, p.Y);
}

// The field's frame, inverted on the sheet: drawn twice, it is gone.
void InvertFrame(TMainForm& f, int field) {
    const TEField& def = TEFieldTable[field];
    f.PrintPreview->DrawXorRect(FieldPaperRect(*f.PrintPreview, ShownForm->FormNo, def.Page, field),
                                def.Enabled ? kTypedFrame : kComputedFrame, 0);
}

// Without a frame: the plain cursor, and the coordinates in black.
void PlainPointer(TMainForm& f) {
    f.PrintPreview->PaperPreview()->SetCursor(crDefault);
    if (f.Label1->Visible()) f.Label1->Font()->SetColor(clBlack);
}

void Unhover(TMainForm& f) {
    if (!PreviewIdle(f) || f.HoverGuard >= 1 || HoveredField == 0) return;
    PlainPointer(f);
    if (ShownForm) InvertFrame(f, HoveredField);
    HoveredField = 0;
}

void Hover(TMainForm& f, int field) {
    if (field == HoveredField || !PreviewIdle(f) || f.HoverGuard >= 1) return;
    Unhover(f);
    const TGuard guard(f.HoverGuard, 1);
    f.PrintPreview->PaperPreview()->SetCursor(crHandPoint);
    if (f.Label1->Visible()) f.Label1->Font()->SetColor(clRed);
    HoveredField = static_cast<uint16_t>(field);
    InvertFrame(f, field);
    Application->ProcessMessages();
}

void PointerMoved(TMainForm& f, int x, int y) {
    if (!PointerWorks(f)) return;
    const TSheetPoint p = SheetPointOf(f, x, y);
    if (f.Label1->Visible()) {
        auto mm = [](double tenths) {
            return FloatToStrF(tenths / 10, TFloatFormat::ffFixed, 6, 1, FormatSettings());
        };
        f.Label1->SetCaption("X=" + mm(p.X) + "    Y=" + mm(p.Y));
    }
    const int field = FieldUnder(f, p);
    if (field == kNoField)
        Unhover(f);
    else
        Hover(f, field);
}

// The field under the click itself, not the hovered one: after a page
// turned by the keyboard the hover may still name a field of the other page.
void PointerDown(TMainForm& f, int x, int y) {
    if (!PointerWorks(f)) return;
    f.BeginFieldEdit(FieldUnder(f, SheetPointOf(f, x, y)), true);
}

// A stored value that shows as empty without being empty: text left in an
// amount field after the user declined to correct it.
bool HidesItsValue(const TemFrm& form, int field) {
    const Variant v = form.GetValue(static_cast<uint16_t>(field));
    return !v.IsEmpty() && !v.IsNull() && form.GetValueText(static_cast<uint16_t>(field)).empty();
}

// Stores the open editor's value; false when the store was refused.  A
// value that reads as it did when the editor opened is not stored again
// (an empty amount or date, an amount over a loaded currency value would
// otherwise count as changed), unless the field hides what it holds.
bool WriteBack(TMainForm& f) {
    TWinControl* editor = OpenEditor.Editor;
    TemFrm* form = ShownForm;
    const uint16_t field = OpenEditor.Field;
    // Only into the form the editor was opened on.
    if (!editor || !form || form != opening.form) return true;
    const TGuard guard(f.EditorGuard, 1);
    if (auto* box = dynamic_cast<TEChBox*>(editor)) {
        if (box->Checked() == opening.checked) return true;
        return form->SetValue(field, Variant(box->Checked()));
    }
    const std::string text = editor->Text();
    if (text == opening.text && !HidesItsValue(*form, field)) return true;
    return form->SetValueAsText(field, text);
}

// The texts of the fields of the page shown, to tell after a store which
// of them changed: the field itself and the totals the recalculation moved.
struct TPageTexts {
    const TemFrm* form = nullptr;
    int page = 0, zoom = 0;
    std::vector<std::pair<int, std::string>> texts;
};

// Without a form (or when a text could not be read) the page is painted whole.
TPageTexts PageTexts(const TMainForm& f) noexcept {
    try {
        TPageTexts t{ShownForm, f.PrintPreview->CurrentPage(), f.PrintPreview->Zoom(), {}};
        for (int i = t.form ? t.form->FirstID + 1 : 0; t.form && i < t.form->LastID; ++i) {
            if (!TEFieldTable.Contains(i)) continue;
            if (TEFieldTable[i].Page > t.page) break;  // the fields are in page order
            if (TEFieldTable[i].Page == t.page)
                t.texts.emplace_back(i, t.form->GetValueText(static_cast<uint16_t>(i)));
        }
        return t;
    } catch (...) {
        return {};
    }
}

// Paints again the fields whose text differs from before, and where the
// hovered field's frame is (a paint of the page forgets the hover): the
// rest of the sheet shows what it showed.  Another page, form or zoom is
// painted whole.
void RepaintChangedFields(TMainForm& f, const TPageTexts& before) {
    TPrintPreview& p = *f.PrintPreview;
    const TemFrm* form = ShownForm;
    if (!form || form != before.form || p.CurrentPage() != before.page || p.Zoom() != before.zoom) {
        p.UpdatePreview();
        return;
    }
    try {
        TPaperPreview* sheet = p.PaperPreview();
        for (const auto& [field, text] : before.texts)
            if (form->GetValueText(static_cast<uint16_t>(field)) != text)
                sheet->InvalidatePageRect(FieldScreenRect(p, form->FormNo, before.page, field));
        if (HoveredField != 0)
            sheet->InvalidatePageRect(
                FieldScreenRect(p, form->FormNo, TEFieldTable[HoveredField].Page, HoveredField));
    } catch (const std::exception&) {
        p.UpdatePreview();
    }
}

// WriteBack; a refused value keeps its editor, focused.
bool Store(TMainForm& f) {
    if (WriteBack(f)) return true;
    if (OpenEditor.Editor && OpenEditor.Editor->CanFocus()) OpenEditor.Editor->SetFocus();
    Application->ProcessMessages();
    return false;
}

// The editor goes after its value was stored (or dropped): its focus
// goes to the sheet, and the fields whose text changed since before are
// painted again.
void CloseEditor(TMainForm& f, const TPageTexts& before) {
    {
        const TGuard guard(f.EditorGuard, 1);
        try {
            TWinControl* editor = OpenEditor.Editor;
            const bool focused = editor->Focused();
            OpenEditor = {};
            cl::Free(editor);
            Application->ProcessMessages();
            // The keys that were the editor's (arrows, pages) now scroll and turn the sheet.
            if (focused && f.PrintPreview->CanFocus()) f.PrintPreview->SetFocus();
            RepaintChangedFields(f, before);
            Application->ProcessMessages();
        } catch (const std::exception&) {
            // The value is stored and the editor gone; what failed is a
            // repaint or the focus, which the next paint or click mends.
        }
    }
    Application->ProcessMessages();
}

// The open amount editor stores its value and moves on to field, another
// amount of form on the page shown, as a new editor would open there:
// what EndFieldEdit and a new editor do, without a window destroyed and
// another made, and without the focus going through the sheet.  False
// when it is no such move (nothing done yet).
bool MoveAmountEditor(TMainForm& f, TemFrm& form, int field) {
    auto* editor = dynamic_cast<TEFloatEdit*>(OpenEditor.Editor);
    const TEField& def = TEFieldTable[field];
    if (!editor || def.EditType != ie_currency || f.EditorGuard >= 1) return false;
    const TPageTexts before = PageTexts(f);
    // Refused, or the sheet busy: the editor stays where it is.
    if (!Store(f) || !PreviewIdle(f)) return true;
    if (OpenEditor.Editor != editor) return false;
    // The store took the sheet elsewhere: the editor goes as EndFieldEdit has it go.
    if (ShownForm != &form || def.Page != f.PrintPreview->CurrentPage()) {
        CloseEditor(f, before);
        return false;
    }
    const TGuard guard(f.EditorGuard, 1);
    try {
        const TRect rect = FieldScreenRect(*f.PrintPreview, form.FormNo, def.Page, field, true);
        editor->Reopen(rect, form.GetValueText(static_cast<uint16_t>(field)),
                       static_cast<uint8_t>(def.NumPrecision));
        opening = {&form, editor->Text(), false};
        OpenEditor.Field = static_cast<uint16_t>(field);
        RepaintChangedFields(f, before);
        if (!editor->Focused() && editor->CanFocus()) editor->SetFocus();
    } catch (const std::exception&) {
        // As with a new editor: what failed is a repaint or the focus.
    }
    return true;
}

// A page turn by Tab or Enter: what the user is told and where it goes.
struct TPageTurn {
    const char* message;
    int page;
};

TPageTurn TurnFor(bool back, bool fieldLater, int current, int total) {
    if (!back) {
        if (fieldLater) return {"Przejście do następnej strony.", current + 1};
        return {"Przejście do pierwszej strony.", 1};
    }
    if (!fieldLater) return {"Przejście do poprzedniej strony.", current - 1};
    return {"Przejście do ostatniej strony.", total};
}

void MoveToField(TMainForm& f, bool back) {
    const TemFrm* form = ShownForm;
    if (!OpenEditor.Editor || !form) return;
    const int field = back ? PrevField(*form, OpenEditor.Field) : NextField(*form, OpenEditor.Field);
    if (field == 0) return;
    TPrintPreview& preview = *f.PrintPreview;
    const int page = TEFieldTable[field].Page, current = preview.CurrentPage();
    if (page != current) {
        const TPageTurn turn = TurnFor(back, page > current, current, preview.TotalPages());
        Application->MessageBox(turn.message, "Uwaga", MB_OK);
        if (ShownForm != form || !OpenEditor.Editor) return;
        try {
            // The page change commits the open editor first.
            preview.SetCurrentPage(turn.page);
        } catch (const EAbort&) {
            // The value was refused: the editor keeps its page and the focus.
            return;
        }
    }
    f.BeginFieldEdit(field, false);
}

// Enter on the sheet opens the first field typed on the page shown
// (Shift+Enter the last): without a mouse, the way to begin typing.
void EnterOnSheet(TMainForm& f, WORD key, TShiftState shift) {
    if (key != VK_RETURN || OpenEditor.Editor || !PointerWorks(f) || !f.PrintPreview->Focused()) return;
    const int field = FirstFieldOnPage(*ShownForm, f.PrintPreview->CurrentPage(), (shift & ssShift) != 0);
    if (field != 0) f.BeginFieldEdit(field, false);
}

}  // namespace

void AttachEditingHandlers(TMainForm& f) {
    f.PrintPreview->OnKeyDown = [&f](TObject*, WORD& key, TShiftState shift) { EnterOnSheet(f, key, shift); };
    f.PrintPreview->OnMouseMove = [&f](TObject*, TShiftState, int x, int y) { PointerMoved(f, x, y); };
    f.PrintPreview->OnMouseDown = [&f](TObject*, TMouseButton, TShiftState, int x, int y) {
        PointerDown(f, x, y);
    };
    f.XcPageControl1->OnChange = [&f](TObject*) {
        if (f.Label1->Visible()) f.Label1->SetCaption("");
    };
}

void ForgetHover(TMainForm& f) {
    if (HoveredField == 0) return;
    HoveredField = 0;
    PlainPointer(f);
}

void PlaceOpenEditor(TMainForm& f) {
    TWinControl* editor = OpenEditor.Editor;
    if (!editor || !ShownForm) return;
    const int field = OpenEditor.Field;
    PlaceEditor(*editor,
                FieldScreenRect(*f.PrintPreview, ShownForm->FormNo, TEFieldTable[field].Page, field, true));
}

void TMainForm::BeginFieldEdit(int Field, bool Toggle) {
    Application->ProcessMessages();
    TemFrm* form = ShownForm;
    if (!form || !PreviewIdle(*this) || EditorGuard >= 1 || Field <= form->FirstID || Field >= form->LastID ||
        Field == OpenEditor.Field)
        return;
    const TEField& def = TEFieldTable[Field];
    // Only over a field of the page on screen.
    if (!def.Enabled || def.Page != PrintPreview->CurrentPage()) return;
    if (MoveAmountEditor(*this, *form, Field)) {
        Application->ProcessMessages();
        return;
    }
    if (OpenEditor.Editor) EndFieldEdit(true);
    // A refused value keeps its editor: no second one opens beside it.
    if (!OpenEditor.Editor && ShownForm == form) {
        const TGuard guard(EditorGuard, 1);
        const TRect rect = FieldScreenRect(*PrintPreview, form->FormNo, def.Page, Field, true);
        const auto field = static_cast<uint16_t>(Field);
        const Variant value = form->GetValue(field);
        if (TWinControl* editor =
                MakeFieldEditor(PrintPreview, def, field, value, form->GetValueText(field), rect, Toggle)) {
            auto* box = dynamic_cast<TEChBox*>(editor);
            opening = {form, box ? std::string() : editor->Text(), box ? FieldTicked(value) : false};
            OpenEditor = {editor, static_cast<uint16_t>(Field)};
            if (editor->CanFocus()) editor->SetFocus();
        }
    }
    Application->ProcessMessages();
}

void TMainForm::EndFieldEdit(bool Commit) {
    Application->ProcessMessages();
    if (!OpenEditor.Editor || EditorGuard >= 1) return;
    const TPageTexts before = PageTexts(*this);
    if (Commit && !Store(*this)) return;
    if (!PreviewIdle(*this)) return;
    CloseEditor(*this, before);
}

void TMainForm::PrintPreviewKeyDown(TObject*, WORD& Key, TShiftState Shift) {
    switch (Key) {
        case VK_TAB:
        case VK_RETURN:
            MoveToField(*this, (Shift & ssShift) != 0);
            return;
        case VK_ESCAPE:
            if (PreviewIdle(*this))
                EndFieldEdit(false);
            else
                Application->ProcessMessages();
            return;
    }
}
