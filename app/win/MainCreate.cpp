// The main window's components, built as its stored layout would build them:
// every component with its name, owner, parent, bounds and settings.  The
// controls aligned along the same edge are placed in the order their
// positions give.
#include <algorithm>
#include <functional>
#include <map>
#include <memory>
#include <type_traits>
#include <utility>
#include <vector>

#include "app/UpdateCheck.h"
#include "app/WizardPages.h"
#include "app/win/Main.h"

using namespace cl;

namespace {

// The yellow bar above the preview.
constexpr TColor kTitleBarColor = static_cast<TColor>(0x0080FFFF);
// Image lists: the glyph strips' mask colour.
constexpr TColor kMaskColor = clFuchsia;

// A component of the window; a control also gets its parent.  The caption
// is cleared after naming, because a control whose text was its old name
// takes the new name as its caption.
template <class T>
T* Make(TComponent* owner, const char* name, TWinControl* parent = nullptr) {
    T* c = new T(owner);
    c->SetName(name);
    if constexpr (std::is_base_of_v<TControl, T>) {
        c->SetCaption("");
        if (parent) c->SetParent(parent);
    }
    return c;
}

// An image strip from the program's resources; nothing when it is missing
// (a test program links the window without them).
void AddImages(TCustomImageList* list, const char* resource) {
    HINSTANCE instance = GetModuleHandleW(nullptr);
    if (!FindResourceA(instance, resource, MAKEINTRESOURCEA(2))) return;  // RT_BITMAP
    TBitmap strip;
    strip.LoadFromResourceName(instance, resource);
    list->AddMasked(&strip, kMaskColor);
}

// The answer pages' content joins each page the first time it shows, or
// before, while the shown window is idle: a window costs Wine a millisecond
// or two, and the start waits for every window the form has.  The hidden
// parts' own windows wait likewise.  Shared by the pages' window hooks,
// which outlive the building.
class DeferredContent : public std::enable_shared_from_this<DeferredContent> {
public:
    // The page's window and the content placed on it wait for its first
    // showing; then filled runs.
    void Defer(TWinControl* page, std::function<void()> filled = nullptr) {
        page->SetHandleWhenShown(true);
        pending_[page];
        if (filled) filled_[page] = std::move(filled);
        order_.push_back(page);
        page->WindowHooks().Add(
            [self = shared_from_this(), page](TMessage& m, bool&) {
                if (m.Msg == CM_VISIBLECHANGED && m.WParam) self->Fill(page);
            },
            hpAfter);
    }
    // Puts control on parent now, or, when parent is a deferred page or
    // deferred content, when that page first shows (after parent).  The
    // content, and what it holds, finishes loading once it is in place, so
    // its after-load step sees its windows.
    void Place(TControl* control, TWinControl* parent) {
        for (auto& [page, content] : pending_) {
            const bool waiting =
                parent == page || std::any_of(content.begin(), content.end(),
                                              [parent](const auto& c) { return c.first == parent; });
            if (waiting) {
                content.emplace_back(control, parent);
                DeferLoaded(*control);
                return;
            }
        }
        control->SetParent(parent);
    }

    // A hidden control whose window waits for its showing, or for the
    // idle moments after the pages.
    void MakeWhenIdle(TWinControl* control) {
        control->SetHandleWhenShown(true);
        windows_.push_back(control);
    }

    // Fills the first page still waiting, or else makes the next waiting
    // window, hidden as it is, so that its first showing costs what a later
    // one does; false when nothing waits.
    bool FillNext() {
        if (!order_.empty()) {
            Fill(order_.front());
            return true;
        }
        if (windows_.empty()) return false;
        TWinControl* const control = windows_.front();
        windows_.erase(windows_.begin());
        control->HandleNeeded();
        return true;
    }

private:
    void Fill(TWinControl* page) {
        const auto pending = pending_.find(page);
        if (pending == pending_.end()) return;
        const auto content = std::move(pending->second);
        pending_.erase(pending);
        std::erase(order_, page);
        // Its content's windows come with it, and their after-load steps see them.
        page->HandleNeeded();
        std::vector<TWinControl*> parents;
        for (const auto& [control, parent] : content) {
            control->SetParent(parent);
            if (std::find(parents.begin(), parents.end(), parent) == parents.end()) parents.push_back(parent);
        }
        for (TWinControl* parent : parents) TabInPlaceOrder(parent);
        for (const auto& placed : content) FinishLoading(*placed.first);
        if (const auto filled = filled_.extract(page)) filled.mapped()();
    }
    // Late arrivals would come last in the tab order: the order is the
    // page's, top to bottom, as the layout lists them.
    static void TabInPlaceOrder(TWinControl* parent) {
        std::vector<TWinControl*> children;
        for (int i = 0; i < parent->ControlCount(); ++i)
            if (auto* c = dynamic_cast<TWinControl*>(parent->Controls(i))) children.push_back(c);
        std::stable_sort(children.begin(), children.end(), [](TWinControl* a, TWinControl* b) {
            return a->Top() != b->Top() ? a->Top() < b->Top() : a->Left() < b->Left();
        });
        for (size_t i = 0; i < children.size(); ++i) children[i]->SetTabOrder(static_cast<int>(i));
    }

    std::map<TWinControl*, std::vector<std::pair<TControl*, TWinControl*>>> pending_;
    std::map<TWinControl*, std::function<void()>> filled_;
    std::vector<TWinControl*> order_;    // the pages waiting, in the wizard's order
    std::vector<TWinControl*> windows_;  // then these
};

// Once the window is shown and has been idle once (the start ends there),
// each idle moment fills one waiting page; the moments go on meanwhile,
// input in between handled first.
void FillPagesWhenIdle(TMainForm& f, const std::shared_ptr<DeferredContent>& content) {
    Application->OnIdle = [&f, weak = std::weak_ptr<DeferredContent>(content), started = false](
                              TObject*, bool& done) mutable {
        // Gone with the window's pages.
        const auto pages = weak.lock();
        if (!pages || !f.Showing() || !f.Enabled()) return;
        if (std::exchange(started, true) && pages->FillNext()) done = false;
    };
}

std::string HintOf(const TCustomAction* action) {
    std::string hint = StripHotkey(action->Caption());
    if (action->ShortCut() != scNone) hint += " (" + ShortCutToText(action->ShortCut()) + ")";
    return hint;
}

void BuildActions(TMainForm& f) {
    f.XcImageList1 = Make<TXcImageList>(&f, "XcImageList1");
    AddImages(f.XcImageList1, "TREEGLYPHS");
    f.XcImageList2 = Make<TXcImageList>(&f, "XcImageList2");
    AddImages(f.XcImageList2, "TOOLGLYPHS");

    f.ActionList1 = Make<TActionList>(&f, "ActionList1");
    const struct {
        TAction* TMainForm::*field;
        const char* name;
        const char* caption;
        TShortCut shortCut;
        int image;  // in XcImageList2 (resources/app/make_images.py)
    } actions[] = {
        {&TMainForm::FileExit1, "FileExit1", "&Koniec", scNone, 0},
        {&TMainForm::Nowerozliczenie1, "Nowerozliczenie1", "&Nowe sprawozdanie", scCtrl | 'N', 1},
        {&TMainForm::Wczytajrozliczenie1, "Wczytajrozliczenie1", "&Wczytaj sprawozdanie", scCtrl | 'W', 2},
        {&TMainForm::Zapisacrozliczenie1, "Zapisacrozliczenie1", "&Zapisz sprawozdanie", scCtrl | 'S', 3},
        {&TMainForm::Zapiszjako1, "Zapiszjako1", "Zapisz sprawozdanie &jako...", scNone, -1},
        {&TMainForm::Wydruk1, "Wydruk1", "&Drukuj", scCtrl | 'D', 4},
        {&TMainForm::Twojeformularze1, "Twojeformularze1", "&Twoje formularze", scNone, -1},
        {&TMainForm::Doborformularzy1, "Doborformularzy1", "&Dobór formularzy", scNone, -1},
        {&TMainForm::Oprogramie1, "Oprogramie1", "&O programie", scNone, -1},
        {&TMainForm::FitToWidth1, "FitToWidth1", "Dopasowanie do &szerokości", scNone, 5},
        {&TMainForm::Fittoheight1, "Fittoheight1", "Dopasowanie do &wysokości", scNone, 6},
        {&TMainForm::Jedendojeden1, "Jedendojeden1", "Wielkość &naturalna", scNone, 7},
        {&TMainForm::Powiekszenie1, "Powiekszenie1", "&Powiększenie", scNone, 8},
        {&TMainForm::Pomniejszenie1, "Pomniejszenie1", "Po&mniejszenie", scNone, 9},
        {&TMainForm::Newfield1, "Newfield1", "New field", scNone, -1},
        {&TMainForm::Newfocfile1, "Newfocfile1", "New FocFile", scNone, -1},
    };
    for (const auto& a : actions) {
        TAction* action = Make<TAction>(&f, a.name);
        action->SetCaption(a.caption);
        action->SetShortCut(a.shortCut);
        action->SetImageIndex(a.image);
        action->SetHint(HintOf(action));
        f.ActionList1->AddAction(action);
        f.*a.field = action;
    }
    f.URL_upgrade = Make<TBrowseURL>(&f, "URL_upgrade");
    f.URL_upgrade->SetCaption("Strona programu");
    f.URL_upgrade->SetURL(ProductPageUrl());
    f.ActionList1->AddAction(f.URL_upgrade);
}

void BuildMenus(TMainForm& f) {
    f.XcMainMenu1 = Make<TXcMainMenu>(&f, "XcMainMenu1");
    f.XcMainMenu1->SetStyle(msXP);
    auto item = [&f](TMenuItem* parent, const char* name, TAction* action) {
        auto* i = Make<TMenuItem>(&f, name);
        if (action)
            i->SetAction(action);
        else
            i->SetCaption("-");
        parent->Add(i);
        return i;
    };
    TMenuItem* statements = Make<TMenuItem>(&f, "Sprawozdania1");
    statements->SetCaption("&Sprawozdania");
    f.XcMainMenu1->Items()->Add(statements);
    item(statements, "Nowesprawozdanie1", f.Nowerozliczenie1);
    item(statements, "Wczytajsprawozdanie1", f.Wczytajrozliczenie1);
    item(statements, "N1", nullptr);
    item(statements, "Zapiszsprawozdanie1", f.Zapisacrozliczenie1);
    item(statements, "Zapiszsprawozdaniejako1", f.Zapiszjako1);
    item(statements, "N2", nullptr);
    item(statements, "Drukuj1", f.Wydruk1);
    item(statements, "N3", nullptr);
    item(statements, "Koniec1", f.FileExit1);
    item(f.XcMainMenu1->Items(), "Oprogramie2", f.Oprogramie1);
    f.SetMenu(f.XcMainMenu1);

    f.XcPopupMenu1 = Make<TXcPopupMenu>(&f, "XcPopupMenu1");
    item(f.XcPopupMenu1->Items(), "Newfield2", f.Newfield1);
    item(f.XcPopupMenu1->Items(), "N4", nullptr);
    item(f.XcPopupMenu1->Items(), "Newfocfile2", f.Newfocfile1);

    f.XcToolBar1 = Make<TXcToolBar>(&f, "XcToolBar1", &f);
    f.XcToolBar1->SetAlign(alTop);
    f.XcToolBar1->SetFlat(true);
    f.XcToolBar1->SetEdgeBorders(ebTop | ebBottom);
    f.XcToolBar1->SetImages(f.XcImageList2);
    f.XcToolBar1->SetAutoSize(true);
    f.XcStatusBar1 = Make<TXcStatusBar>(&f, "XcStatusBar1", &f);
    f.XcStatusBar1->SetAlign(alBottom);
    f.XcStatusBar1->SetAutoHint(true);
}

void BuildLeftPane(TMainForm& f) {
    f.XcPanel2 = Make<TXcPanel>(&f, "XcPanel2", &f);
    f.XcPanel2->SetBounds(0, 30, 240, 600);
    f.XcPanel2->SetAlign(alLeft);
    f.XcPanel2->SetBevelOuter(bvNone);

    // The trees' lines show the colours of the layout: red by the steps,
    // green by the forms.
    f.XcTreeView1 = Make<TXcTreeView>(&f, "XcTreeView1", f.XcPanel2);
    f.XcTreeView1->SetBounds(0, 0, 240, 250);
    f.XcTreeView1->SetAlign(alTop);
    f.XcTreeView1->SetReadOnly(true);
    f.XcTreeView1->SetHotTrack(true);
    f.XcTreeView1->SetSortType(stBoth);
    f.XcTreeView1->SetLineColor(clRed);
    f.XcTreeView1->SetHideSelection(false);
    f.XcTreeView1->SetImages(f.XcImageList1);
    f.XcTreeView1->SetColor(kActiveTreeColor);
    // A splitter is made aligned to the left: its edge first, then its place.
    f.XcxSplitter2 = Make<TXcxSplitter>(&f, "XcxSplitter2", f.XcPanel2);
    f.XcxSplitter2->SetBounds(0, 250, 240, 3);
    f.XcxSplitter2->SetAlign(alTop);
    f.XcxSplitter2->SetControlFirst(f.XcTreeView1);
    f.XcStaticText1 = Make<TXcStaticText>(&f, "XcStaticText1", f.XcPanel2);
    f.XcStaticText1->SetAutoSize(false);
    f.XcStaticText1->SetBounds(0, 254, 240, 22);
    f.XcStaticText1->SetAlign(alTop);
    f.XcStaticText1->SetAlignment(cl::taCenter);
    f.XcStaticText1->SetLayout(cl::tlCenter);
    f.XcStaticText1->SetBorderStyle(sbsSunken);
    f.XcStaticText1->SetParentFont(false);
    f.XcStaticText1->Font()->SetStyle(fsBold);
    f.XcStaticText1->Font()->SetColor(clWhite);
    f.XcStaticText1->SetCaption("Dobór nie dokończony!");
    f.XcStaticText1->SetColor(clRed);
    f.XcPanel6 = Make<TXcPanel>(&f, "XcPanel6", f.XcPanel2);
    f.XcPanel6->SetAlign(alClient);
    f.XcPanel6->SetBevelOuter(bvNone);
    f.XcTreeView2 = Make<TXcTreeView>(&f, "XcTreeView2", f.XcPanel6);
    f.XcTreeView2->SetAlign(alClient);
    f.XcTreeView2->SetReadOnly(true);
    f.XcTreeView2->SetHotTrack(true);
    f.XcTreeView2->SetSortType(stBoth);
    f.XcTreeView2->SetLineColor(clGreen);
    f.XcTreeView2->SetShowButtons(false);
    f.XcTreeView2->SetHideSelection(false);
    f.XcTreeView2->SetImages(f.XcImageList1);
    f.XcTreeView2->SetColor(clBtnFace);
    f.XcTreeView2->SetEnabled(false);  // the idle handler enables it once it has forms

    f.XcxSplitter3 = Make<TXcxSplitter>(&f, "XcxSplitter3", &f);
    f.XcxSplitter3->SetBounds(240, 30, 3, 600);
    f.XcxSplitter3->SetAlign(alLeft);
    f.XcxSplitter3->SetControlFirst(f.XcPanel2);
    f.XcxSplitter3->SetTopLeftLimit(100);
    f.XcxSplitter3->SetBottomRightLimit(50);
    f.XcPanel1 = Make<TXcPanel>(&f, "XcPanel1", &f);
    f.XcPanel1->SetAlign(alClient);
    f.XcPanel1->SetBevelOuter(bvNone);
    // Its painter never shows: every tab is hidden.
    f.XcTabDefaultPainter1 = Make<TXcTabDefaultPainter>(&f, "XcTabDefaultPainter1");
    f.XcTabDefaultPainter1->SetActiveColorFrom(clNavy);
    f.XcTabDefaultPainter1->SetActiveColorTo(static_cast<TColor>(0x00FFF0F0));
    f.XcTabDefaultPainter1->SetActiveGradientDirection(fdLeftToRight);
    f.XcPageControl1 = Make<TXcPageControl>(&f, "XcPageControl1", f.XcPanel1);
    f.XcPageControl1->SetAlign(alClient);
    f.XcPageControl1->SetHideAllTabs(true);
    f.XcPageControl1->SetTabPainter(f.XcTabDefaultPainter1);
    auto sheet = [&f](const char* name, const char* caption) {
        auto* s = Make<TTabSheet>(&f, name);
        s->SetPageControl(f.XcPageControl1);
        s->SetCaption(caption);
        return s;
    };
    f.TabSheet1 = sheet("TabSheet1", "Ekspert");
    f.TabSheet2 = sheet("TabSheet2", "Formularze");
}

void BuildWizard(TMainForm& f) {
    const auto deferred = std::make_shared<DeferredContent>();
    f.XcWizard1 = Make<TXcWizard>(&f, "XcWizard1", f.TabSheet1);
    const std::pair<TXcWizardButtonKind, const char*> captions[] = {
        {bkStart, "To P&ierwsza str."},
        {bkLast, "To &Ostatnia str."},
        {bkBack, "< &Wstecz"},
        {bkNext, "&Dalej >"},
        {bkFinish, "&Formularze"},
        {TXcWizardButtonKind::bkCancel, "Przerwij"},
        {TXcWizardButtonKind::bkHelp, "&Pomoc"},
    };
    for (const auto& [kind, caption] : captions) f.XcWizard1->NavigateButton(kind)->SetCaption(caption);
    // A page with its header title, a blank subtitle and its buttons.  The
    // answer pages are filled the first time they show: a window costs
    // Wine a millisecond or two, and the start waits for every window the
    // form has.
    auto page = [&f, deferred](const char* name, TXcWizardButtonSet buttons, bool fillNow,
                               std::function<void()> filled = nullptr) {
        auto* p = Make<TXcWizardInteriorPage>(&f, name);
        p->SetWizard(f.XcWizard1);
        p->Header()->Title()->SetText(
            std::string(WizardPages[static_cast<size_t>(WizardPageIndex(name))].Title));
        p->Header()->Subtitle()->SetText(" ");
        p->SetVisibleButtons(buttons);
        if (!fillNow) deferred->Defer(p, std::move(filled));
        return p;
    };
    const TXcWizardButtonSet backNext{bkBack, bkNext};
    // A rich-text viewer of 265 x 137 on a body that keeps it off the
    // page's edges; its other properties are the viewer's defaults.
    auto viewer = [&f](const char* name, TWinControl* parent) {
        auto* body = Make<TPanel>(&f, (parent->Name() + "Body").c_str(), parent);
        body->SetAlign(alClient);
        body->SetBevelOuter(bvNone);
        body->SetBorderWidth(12);
        body->SetColor(clBtnFace);
        auto* v = Make<TXcRichEdit>(&f, name, body);
        v->SetBounds(12, 12, 265, 137);
        v->SetColor(clBtnFace);
        v->SetReadOnly(true);
        return v;
    };
    auto box = [&f, deferred](const char* name, TWinControl* parent) {
        auto* b = Make<TXcScrollBox>(&f, name);
        b->SetAlign(alClient);
        b->SetBorderStyle(bsNone);
        deferred->Place(b, parent);
        return b;
    };
    auto heading = [&f](const char* name, TXcScrollBox* parent, const char* text) {
        auto* h = Make<TXcStaticText>(&f, name, parent);
        h->SetBounds(24, 20, 560, 18);
        h->SetParentFont(false);
        h->Font()->SetStyle(fsBold);
        h->SetCaption(text);
        return h;
    };
    // A radio group measures its caption on its own window as soon as it has
    // a parent, and that would make the windows of everything around it: it
    // joins its scroll box once the box has its window.
    auto group = [&f, deferred](const char* name, TXcScrollBox* parent, int left, int top, int width,
                                std::initializer_list<const char*> items) {
        auto* g = Make<TXcRadioGroup>(&f, name);
        g->SetEdgeBorders(0);
        g->SetBounds(left, top, width, 24 + 22 * static_cast<int>(items.size()));
        for (const char* i : items) g->Items()->Add(i);
        deferred->Place(g, parent);
        return g;
    };
    auto check = [&f](const char* name, TXcScrollBox* parent, int top, int left, const char* text) {
        auto* c = Make<TXcCheckBox>(&f, name, parent);
        c->SetBounds(left, top, 500, 20);
        c->SetCaption(text);
        return c;
    };
    const char* kChooseDocuments =
        "Zaznacz dokumenty, z których składa się sprawozdanie finansowe jednostki:";

    f.Wiz0_1 = page("Wiz0_1", {bkNext}, true);
    f.XcRichEdit1 = viewer("XcRichEdit1", f.Wiz0_1);

    f.Wiz0_2 = page("Wiz0_2", backNext, false);
    f.XcScrollBox1 = box("XcScrollBox1", f.Wiz0_2);
    heading("XcStaticText2", f.XcScrollBox1, "Sprawozdanie finansowe sporządza się dla jednostki:");
    f.rb0_2_1 = group("rb0_2_1", f.XcScrollBox1, 24, 48, 600,
                      {"&prowadzącej działalność gospodarczą (innej niż bank lub zakład ubezpieczeń)",
                       "&nieprowadzącej działalności gospodarczej"});

    f.Wiz1_0 = page("Wiz1_0", backNext, false);
    f.XcScrollBox2 = box("XcScrollBox2", f.Wiz1_0);
    heading("XcStaticText3", f.XcScrollBox2, "Roczne sprawozdanie finansowe jednostki:");
    f.cb1_0_1 = Make<TXcRadioButton>(&f, "cb1_0_1", f.XcScrollBox2);
    f.cb1_0_1->SetWordWrap(true);
    f.cb1_0_1->SetBounds(32, 52, 600, 20);
    f.cb1_0_1->SetCaption(
        "&podlega badaniu przez biegłego rewidenta (art. 64 ust. 1 ustawy o rachunkowości)");
    f.cb1_0_2 = Make<TXcRadioButton>(&f, "cb1_0_2", f.XcScrollBox2);
    f.cb1_0_2->SetWordWrap(true);
    f.cb1_0_2->SetBounds(32, 80, 600, 20);
    f.cb1_0_2->SetCaption("&nie podlega badaniu przez biegłego rewidenta");

    f.Wiz1_1 = page("Wiz1_1", backNext, false);
    f.XcScrollBox3 = box("XcScrollBox3", f.Wiz1_1);
    heading("XcStaticText4", f.XcScrollBox3, kChooseDocuments);
    f.cb1_1_1 = check("cb1_1_1", f.XcScrollBox3, 52, 32, "Bilans");
    f.cb1_1_2 = check("cb1_1_2", f.XcScrollBox3, 80, 32, "Rachunek zysków i strat");
    f.rb1_1_2 =
        group("rb1_1_2", f.XcScrollBox3, 56, 102, 300, {"wariant kalkulacyjny", "wariant porównawczy"});
    f.cb1_1_3 = check("cb1_1_3", f.XcScrollBox3, 180, 32, "Rachunek przepływów pieniężnych");
    f.rb1_1_3 = group("rb1_1_3", f.XcScrollBox3, 56, 202, 300, {"metoda bezpośrednia", "metoda pośrednia"});
    f.cb1_1_4 = check("cb1_1_4", f.XcScrollBox3, 280, 32, "Zestawienie zmian w kapitale (funduszu) własnym");

    f.Wiz1_2 = page("Wiz1_2", backNext, false);
    f.XcScrollBox4 = box("XcScrollBox4", f.Wiz1_2);
    heading("XcStaticText5", f.XcScrollBox4, kChooseDocuments);
    f.cb1_2_1 = check("cb1_2_1", f.XcScrollBox4, 52, 32, "Bilans");
    f.cb1_2_2 = check("cb1_2_2", f.XcScrollBox4, 80, 32, "Rachunek zysków i strat");
    f.rb1_2_2 =
        group("rb1_2_2", f.XcScrollBox4, 56, 102, 300, {"wariant kalkulacyjny", "wariant porównawczy"});

    f.Wiz2_1 = page("Wiz2_1", backNext, false);
    f.XcScrollBox5 = box("XcScrollBox5", f.Wiz2_1);
    heading("XcStaticText6", f.XcScrollBox5, kChooseDocuments);
    f.cb2_1_1 = check("cb2_1_1", f.XcScrollBox5, 52, 32, "Bilans");
    f.cb2_1_2 = check("cb2_1_2", f.XcScrollBox5, 80, 32, "Rachunek wyników");

    // The last page's text is read when its viewer's window comes.
    f.Wiz100_1 = page("Wiz100_1", {bkBack, bkFinish}, false, [&f] { LoadSelectionEndText(f); });
    f.XcRichEdit2 = viewer("XcRichEdit2", f.Wiz100_1);
    // The buttons the first page hides and the forms sheet wait too.
    for (int kind = 0; kind < kXcWizardButtonKinds; ++kind)
        deferred->MakeWhenIdle(f.XcWizard1->ButtonControl(static_cast<TXcWizardButtonKind>(kind)));
    deferred->MakeWhenIdle(f.TabSheet2);
    FillPagesWhenIdle(f, deferred);
}

void BuildFormsSheet(TMainForm& f) {
    // The zoom buttons, and after them on the same bar the paper list and
    // the yellow bar with the form's title.  The bar sits on the sheet,
    // which paints the flat bar's background.
    f.XcToolBar2 = Make<TXcToolBar>(&f, "XcToolBar2", f.TabSheet2);
    f.XcToolBar2->SetBounds(0, 0, 700, 28);
    f.XcToolBar2->SetAlign(alTop);
    f.XcToolBar2->SetFlat(true);
    f.XcToolBar2->SetEdgeBorders(ebBottom);
    f.XcToolBar2->SetImages(f.XcImageList2);
    f.XcToolBar2->SetIndent(4);
    f.XcToolBar2->SetWrapable(false);
    f.XcPanel5 = Make<TXcPanel>(&f, "XcPanel5", f.XcToolBar2);
    f.XcPanel5->SetBounds(128, 0, 250, 26);
    f.XcPanel5->SetBevelOuter(bvNone);
    f.Label4 = Make<TLabel>(&f, "Label4", f.XcPanel5);
    f.Label4->SetBounds(8, 6, 40, 14);
    f.Label4->SetCaption("&Papier:");
    f.FormComboBox = Make<TComboBox>(&f, "FormComboBox", f.XcPanel5);
    f.FormComboBox->SetBounds(52, 2, 190, 21);
    f.FormComboBox->SetStyle(csDropDownList);
    f.Label4->SetFocusControl(f.FormComboBox);
    f.XcPanel3 = Make<TXcPanel>(&f, "XcPanel3", f.XcToolBar2);
    f.XcPanel3->SetBounds(382, 1, 314, 24);
    f.XcPanel3->SetBevelOuter(bvLowered);
    f.XcPanel3->SetColor(kTitleBarColor);
    f.XcPanel3->SetHotColor(kTitleBarColor);
    f.XcPanel3->SetParentFont(false);
    f.XcPanel3->Font()->SetStyle(fsBold);
    f.Label1 = Make<TLabel>(&f, "Label1", f.XcPanel3);
    f.Label1->SetBounds(170, 5, 140, 14);
    f.Label1->SetAlign(alRight);
    f.Label1->SetVisible(false);
    // The yellow bar reaches the bar's right end.
    f.XcToolBar2->OnResize = [&f](TObject*) {
        f.XcPanel3->SetWidth(std::max(40, f.XcToolBar2->ClientWidth() - f.XcPanel3->Left() - 4));
    };

    f.XcPanel4 = Make<TXcPanel>(&f, "XcPanel4", f.TabSheet2);
    f.XcPanel4->SetBounds(0, 540, 700, 56);
    f.XcPanel4->SetAlign(alBottom);
    f.XcPanel4->SetBevelOuter(bvLowered);
    f.ErrListBox = Make<TXcTextListBox>(&f, "ErrListBox", f.XcPanel4);
    f.ErrListBox->SetAlign(alClient);
    f.ErrListBox->SetBorderStyle(bsNone);
    f.ErrListBox->SetParentFont(false);
    f.ErrListBox->Font()->SetColor(clRed);
    f.ErrListBox->Font()->SetStyle(fsBold);
    f.PageNavigator = Make<TTabSet>(&f, "PageNavigator", f.TabSheet2);
    f.PageNavigator->SetBounds(0, 518, 700, 22);
    f.PageNavigator->SetAlign(alBottom);

    f.PrintPreview = Make<TPrintPreview>(&f, "PrintPreview", f.TabSheet2);
    f.PrintPreview->SetAlign(alClient);
    f.PrintPreview->SetPopupMenu(f.XcPopupMenu1);

    // The tool bars: exit, new, load, save, print in groups; the zoom commands.
    const std::pair<TToolBar*, TAction*> buttons[] = {
        {f.XcToolBar1, f.FileExit1},
        {f.XcToolBar1, nullptr},
        {f.XcToolBar1, f.Nowerozliczenie1},
        {f.XcToolBar1, f.Wczytajrozliczenie1},
        {f.XcToolBar1, f.Zapisacrozliczenie1},
        {f.XcToolBar1, nullptr},
        {f.XcToolBar1, f.Wydruk1},
        {f.XcToolBar2, f.FitToWidth1},
        {f.XcToolBar2, f.Fittoheight1},
        {f.XcToolBar2, f.Jedendojeden1},
        {f.XcToolBar2, f.Powiekszenie1},
        {f.XcToolBar2, f.Pomniejszenie1},
    };
    int n = 0;
    for (const auto& [bar, action] : buttons) {
        auto* b = Make<TToolButton>(&f, ("ToolButton" + std::to_string(++n)).c_str(), bar);
        if (action)
            b->SetAction(action);
        else
            b->SetStyle(tbsSeparator);
    }
}

void BuildHiddenComponents(TMainForm& f) {
    f.Chb_aktualiz = Make<TXcCheckBox>(&f, "Chb_aktualiz", &f);
    f.Chb_aktualiz->SetVisible(false);
    f.Chb_aktualiz->SetBounds(0, 0, 200, 17);
    f.Chb_aktualiz->SetCaption("Sprawdzaj aktualizacje przy uruchomieniu");
    f.Chb_aktualiz->SetChecked(true);
    f.Chb_aktualiz->SetHandleWhenShown(true);  // never shown: a setting
    // Statement files; saving over one asks first.
    const char* statements = "Pliki sprawozdań finans. (*.spr)|*.spr|Wszystkie pliki (*.*)|*.*";
    f.OpenDialog1 = Make<TOpenDialog>(&f, "OpenDialog1");
    f.OpenDialog1->SetDefaultExt("spr");
    f.OpenDialog1->SetFilter(statements);
    f.OpenDialog1->SetOptions(ofHideReadOnly | ofPathMustExist | ofFileMustExist | ofEnableSizing);
    f.SaveDialog1 = Make<TSaveDialog>(&f, "SaveDialog1");
    f.SaveDialog1->SetDefaultExt("spr");
    f.SaveDialog1->SetFilter(statements);
    f.SaveDialog1->SetOptions(ofHideReadOnly | ofEnableSizing | ofOverwritePrompt);
    f.PingMachine = Make<TPingMachine>(&f, "PingMachine");
    f.StrHolder1 = Make<TStrHolder>(&f, "StrHolder1");
    f.StrHolder1->SetCapacity(28);
}

}  // namespace

CL_CLASS_INFO(TMainForm)

TMainForm::TMainForm(TComponent* owner) : TForm(owner) {
    SetName("MainForm");
    SetBounds(0, 0, 980, 700);
    SetPosition(poDefault);
    SetWindowState(wsMaximized);
    SetShowHint(true);
    // When the build ends, the wizard's after-load step shows its first page
    // through the page change, so that its step exists before the window's
    // creation handler.
    LoadComponentTree(*this, [this] {
        BuildActions(*this);
        BuildMenus(*this);
        BuildLeftPane(*this);
        BuildWizard(*this);
        BuildFormsSheet(*this);
        BuildHiddenComponents(*this);
        AttachShellHandlers(*this);
        AttachRenderHandlers(*this);
        AttachWizardHandlers(*this);
        AttachSelectionHandlers(*this);
        AttachEditingHandlers(*this);
        AttachDevToolHandlers(*this);
        AttachFileHandlers(*this);
        AttachPrintHandlers(*this);
        // Last: it takes over the OnShow, OnCloseQuery and OnDestroy set above and calls them.
        FormStorage1 = AddFormStorage(*this, "FormStorage1",
                                      {"XcPanel2.Width", "XcTreeView1.Height", "Chb_aktualiz.Checked",
                                       "OpenDialog1.InitialDir", "SaveDialog1.InitialDir"});
    });
}

TMainForm::~TMainForm() = default;
