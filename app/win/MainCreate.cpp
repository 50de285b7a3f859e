// The main window's components, built as its stored layout would build them:
// every component with its name, owner, parent, bounds and settings.  The
// controls aligned along the same edge are placed in the order their
// positions give.
#include <algorithm>
#include <type_traits>
#include <utility>

#include "app/UpdateCheck.h"
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
void AddImages(TImageList* list, const char* resource) {
    HINSTANCE instance = GetModuleHandleW(nullptr);
    if (!FindResourceA(instance, resource, MAKEINTRESOURCEA(2))) return;  // RT_BITMAP
    TBitmap strip;
    strip.LoadFromResourceName(instance, resource);
    list->AddMasked(&strip, kMaskColor);
}

std::string HintOf(const TCustomAction* action) {
    std::string hint = StripHotkey(action->Caption());
    if (action->ShortCut() != scNone) hint += " (" + ShortCutToText(action->ShortCut()) + ")";
    return hint;
}

}  // namespace

CL_CLASS_INFO(TMainForm)

TMainForm::TMainForm(TComponent* owner) : TForm(owner) {
    SetName("MainForm");
    SetBounds(0, 0, 980, 700);
    SetPosition(poScreenCenter);
    SetShowHint(true);
    BuildActions();
    BuildMenus();
    BuildLeftPane();
    BuildWizard();
    BuildFormsSheet();
    BuildHiddenComponents();
    AttachHandlers();
}

TMainForm::~TMainForm() = default;

void TMainForm::BuildActions() {
    XcImageList1 = Make<TImageList>(this, "XcImageList1");
    AddImages(XcImageList1, "TREEGLYPHS");
    XcImageList2 = Make<TImageList>(this, "XcImageList2");
    AddImages(XcImageList2, "TOOLGLYPHS");

    ActionList1 = Make<TActionList>(this, "ActionList1");
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
        TAction* action = Make<TAction>(this, a.name);
        action->SetCaption(a.caption);
        action->SetShortCut(a.shortCut);
        action->SetImageIndex(a.image);
        action->SetHint(HintOf(action));
        ActionList1->AddAction(action);
        this->*a.field = action;
    }
    URL_upgrade = Make<TBrowseURL>(this, "URL_upgrade");
    URL_upgrade->SetCaption("Strona programu");
    URL_upgrade->SetURL(ProductPageUrl());
    ActionList1->AddAction(URL_upgrade);
}

void TMainForm::BuildMenus() {
    XcMainMenu1 = Make<TMainMenu>(this, "XcMainMenu1");
    auto item = [this](TMenuItem* parent, const char* name, TAction* action) {
        auto* i = Make<TMenuItem>(this, name);
        if (action)
            i->SetAction(action);
        else
            i->SetCaption("-");
        parent->Add(i);
        return i;
    };
    TMenuItem* statements = Make<TMenuItem>(this, "Sprawozdania1");
    statements->SetCaption("&Sprawozdania");
    XcMainMenu1->Items()->Add(statements);
    item(statements, "Nowesprawozdanie1", Nowerozliczenie1);
    item(statements, "Wczytajsprawozdanie1", Wczytajrozliczenie1);
    item(statements, "N1", nullptr);
    item(statements, "Zapiszsprawozdanie1", Zapisacrozliczenie1);
    item(statements, "Zapiszsprawozdaniejako1", Zapiszjako1);
    item(statements, "N2", nullptr);
    item(statements, "Drukuj1", Wydruk1);
    item(statements, "N3", nullptr);
    item(statements, "Koniec1", FileExit1);
    item(XcMainMenu1->Items(), "Oprogramie2", Oprogramie1);
    SetMenu(XcMainMenu1);

    XcPopupMenu1 = Make<TPopupMenu>(this, "XcPopupMenu1");
    item(XcPopupMenu1->Items(), "Newfield2", Newfield1);
    item(XcPopupMenu1->Items(), "N4", nullptr);
    item(XcPopupMenu1->Items(), "Newfocfile2", Newfocfile1);

    XcToolBar1 = Make<TToolBar>(this, "XcToolBar1", this);
    XcToolBar1->SetAlign(alTop);
    XcToolBar1->SetFlat(true);
    XcToolBar1->SetEdgeBorders(ebTop | ebBottom);
    XcToolBar1->SetImages(XcImageList2);
    XcToolBar1->SetAutoSize(true);
    XcStatusBar1 = Make<TStatusBar>(this, "XcStatusBar1", this);
    XcStatusBar1->SetAlign(alBottom);
    XcStatusBar1->SetSimplePanel(true);
    XcStatusBar1->SetAutoHint(true);
}

void TMainForm::BuildLeftPane() {
    XcPanel2 = Make<TPanel>(this, "XcPanel2", this);
    XcPanel2->SetBounds(0, 30, 240, 600);
    XcPanel2->SetAlign(alLeft);
    XcPanel2->SetBevelOuter(bvNone);

    XcTreeView1 = Make<TTreeView>(this, "XcTreeView1", XcPanel2);
    XcTreeView1->SetBounds(0, 0, 240, 250);
    XcTreeView1->SetAlign(alTop);
    XcTreeView1->SetReadOnly(true);
    XcTreeView1->SetShowRoot(false);
    XcTreeView1->SetHideSelection(false);
    XcTreeView1->SetImages(XcImageList1);
    XcTreeView1->SetColor(kActiveTreeColor);
    // A splitter is made aligned to the left: its edge first, then its place.
    XcxSplitter2 = Make<TSplitter>(this, "XcxSplitter2", XcPanel2);
    XcxSplitter2->SetAlign(alTop);
    XcxSplitter2->SetBounds(0, 250, 240, 4);
    XcStaticText1 = Make<TStaticText>(this, "XcStaticText1", XcPanel2);
    XcStaticText1->SetAutoSize(false);
    XcStaticText1->SetBounds(0, 254, 240, 22);
    XcStaticText1->SetAlign(alTop);
    XcStaticText1->SetAlignment(cl::taCenter);
    XcStaticText1->SetBorderStyle(sbsSunken);
    XcStaticText1->SetParentFont(false);
    XcStaticText1->Font()->SetStyle(fsBold);
    XcStaticText1->Font()->SetColor(clWhite);
    XcStaticText1->SetCaption("Dobór nie dokończony!");
    XcStaticText1->SetColor(clRed);
    XcPanel6 = Make<TPanel>(this, "XcPanel6", XcPanel2);
    XcPanel6->SetAlign(alClient);
    XcPanel6->SetBevelOuter(bvNone);
    XcTreeView2 = Make<TTreeView>(this, "XcTreeView2", XcPanel6);
    XcTreeView2->SetAlign(alClient);
    XcTreeView2->SetReadOnly(true);
    XcTreeView2->SetShowButtons(false);
    XcTreeView2->SetShowRoot(false);
    XcTreeView2->SetHideSelection(false);
    XcTreeView2->SetImages(XcImageList1);
    XcTreeView2->SetColor(clBtnFace);
    XcTreeView2->SetEnabled(false);  // the idle handler enables it once it has forms

    XcxSplitter1 = Make<TSplitter>(this, "XcxSplitter1", this);
    XcxSplitter1->SetBounds(240, 30, 4, 600);
    XcPanel1 = Make<TPanel>(this, "XcPanel1", this);
    XcPanel1->SetAlign(alClient);
    XcPanel1->SetBevelOuter(bvNone);
    XcPageControl1 = Make<TPageControl>(this, "XcPageControl1", XcPanel1);
    XcPageControl1->SetAlign(alClient);
    auto sheet = [this](const char* name, const char* caption) {
        auto* s = Make<TTabSheet>(this, name);
        s->SetPageControl(XcPageControl1);
        s->SetCaption(caption);
        s->SetTabVisible(false);
        return s;
    };
    TabSheet1 = sheet("TabSheet1", "Ekspert");
    TabSheet2 = sheet("TabSheet2", "Formularze");
}

void TMainForm::BuildWizard() {
    XcWizard1 = Make<TPageControl>(this, "XcWizard1", TabSheet1);
    XcWizard1->SetAlign(alClient);
    // A page: its header (title on white, a line under it) and its body.
    // The answer pages are filled the first time they show (FillWhenShown):
    // a window costs Wine a millisecond or two, and the start waits for
    // every window the form has.
    auto page = [this](const char* name, const char* title, bool fillNow) {
        auto* p = Make<TTabSheet>(this, name);
        p->SetPageControl(XcWizard1);
        p->SetCaption(title);
        p->SetTabVisible(false);
        if (!fillNow) FillWhenShown(p);
        const std::string stem = name;
        auto* header = Make<TPanel>(this, (stem + "Header").c_str());
        header->SetBounds(0, 0, 600, 52);
        header->SetAlign(alTop);
        header->SetBevelOuter(bvNone);
        header->SetColor(clWhite);
        auto* caption = Make<TLabel>(this, (stem + "Title").c_str(), header);
        caption->SetParentFont(false);
        caption->Font()->SetHeight(-16);
        caption->Font()->SetStyle(fsBold);
        caption->SetBounds(16, 16, 560, 20);
        caption->SetCaption(title);
        auto* line = Make<TBevel>(this, (stem + "Line").c_str());
        line->SetBounds(0, 52, 600, 2);
        line->SetAlign(alTop);
        line->SetShape(bsTopLine);
        AddToPage(p, header);
        AddToPage(p, line);
        return p;
    };
    // A rich-text viewer on a white body that keeps the text off the page's edges.
    auto viewer = [this](const char* name, TTabSheet* parent) {
        auto* body = Make<TPanel>(this, (parent->Name() + "Body").c_str(), parent);
        body->SetAlign(alClient);
        body->SetBevelOuter(bvNone);
        body->SetBorderWidth(12);
        body->SetColor(clWhite);
        auto* v = Make<TRichEdit>(this, name, body);
        v->SetAlign(alClient);
        v->SetReadOnly(true);
        v->SetBorderStyle(bsNone);
        v->SetScrollBars(ssVertical);
        return v;
    };
    auto box = [this](const char* name, TTabSheet* parent) {
        auto* b = Make<TScrollBox>(this, name);
        b->SetAlign(alClient);
        b->SetBorderStyle(bsNone);
        AddToPage(parent, b);
        return b;
    };
    auto heading = [this](const char* name, TScrollBox* parent, const char* text) {
        auto* h = Make<TStaticText>(this, name, parent);
        h->SetBounds(24, 20, 560, 18);
        h->SetParentFont(false);
        h->Font()->SetStyle(fsBold);
        h->SetCaption(text);
        return h;
    };
    // A radio group measures its caption on its own window as soon as it has
    // a parent, and that would make the windows of everything around it: it
    // joins its scroll box once the box has its window.
    auto group = [this](const char* name, TScrollBox* parent, int left, int top, int width,
                        std::initializer_list<const char*> items) {
        auto* g = Make<TRadioGroup>(this, name);
        g->SetBounds(left, top, width, 24 + 22 * static_cast<int>(items.size()));
        for (const char* i : items) g->Items()->Add(i);
        pendingGroups_.emplace_back(g, parent);
        return g;
    };
    auto check = [this](const char* name, TScrollBox* parent, int top, int left, const char* text) {
        auto* c = Make<TCheckBox>(this, name, parent);
        c->SetBounds(left, top, 500, 20);
        c->SetCaption(text);
        return c;
    };
    const char* kBusinessDocuments = "Wybór dokumentów dla jedn. prowadzących dział. gosp.";
    const char* kChooseDocuments =
        "Zaznacz dokumenty, z których składa się sprawozdanie finansowe jednostki:";

    Wiz0_1 = page("Wiz0_1", "Informacje wstępne", true);
    XcRichEdit1 = viewer("XcRichEdit1", Wiz0_1);

    Wiz0_2 = page("Wiz0_2", "Sposób rozliczenia", false);
    XcScrollBox1 = box("XcScrollBox1", Wiz0_2);
    heading("XcStaticText2", XcScrollBox1, "Sprawozdanie finansowe sporządza się dla jednostki:");
    rb0_2_1 = group("rb0_2_1", XcScrollBox1, 24, 48, 600,
                    {"&prowadzącej działalność gospodarczą (innej niż bank lub zakład ubezpieczeń)",
                     "&nieprowadzącej działalności gospodarczej"});

    Wiz1_0 = page("Wiz1_0", kBusinessDocuments, false);
    XcScrollBox2 = box("XcScrollBox2", Wiz1_0);
    heading("XcStaticText3", XcScrollBox2, "Roczne sprawozdanie finansowe jednostki:");
    cb1_0_1 = Make<TRadioButton>(this, "cb1_0_1", XcScrollBox2);
    cb1_0_1->SetBounds(32, 52, 600, 20);
    cb1_0_1->SetCaption("&podlega badaniu przez biegłego rewidenta (art. 64 ust. 1 ustawy o rachunkowości)");
    cb1_0_2 = Make<TRadioButton>(this, "cb1_0_2", XcScrollBox2);
    cb1_0_2->SetBounds(32, 80, 600, 20);
    cb1_0_2->SetCaption("&nie podlega badaniu przez biegłego rewidenta");

    Wiz1_1 = page("Wiz1_1", kBusinessDocuments, false);
    XcScrollBox3 = box("XcScrollBox3", Wiz1_1);
    heading("XcStaticText4", XcScrollBox3, kChooseDocuments);
    cb1_1_1 = check("cb1_1_1", XcScrollBox3, 52, 32, "Bilans");
    cb1_1_2 = check("cb1_1_2", XcScrollBox3, 80, 32, "Rachunek zysków i strat");
    rb1_1_2 = group("rb1_1_2", XcScrollBox3, 56, 102, 300, {"wariant kalkulacyjny", "wariant porównawczy"});
    cb1_1_3 = check("cb1_1_3", XcScrollBox3, 180, 32, "Rachunek przepływów pieniężnych");
    rb1_1_3 = group("rb1_1_3", XcScrollBox3, 56, 202, 300, {"metoda bezpośrednia", "metoda pośrednia"});
    cb1_1_4 = check("cb1_1_4", XcScrollBox3, 280, 32, "Zestawienie zmian w kapitale (funduszu) własnym");

    Wiz1_2 = page("Wiz1_2", kBusinessDocuments, false);
    XcScrollBox4 = box("XcScrollBox4", Wiz1_2);
    heading("XcStaticText5", XcScrollBox4, kChooseDocuments);
    cb1_2_1 = check("cb1_2_1", XcScrollBox4, 52, 32, "Bilans");
    cb1_2_2 = check("cb1_2_2", XcScrollBox4, 80, 32, "Rachunek zysków i strat");
    rb1_2_2 = group("rb1_2_2", XcScrollBox4, 56, 102, 300, {"wariant kalkulacyjny", "wariant porównawczy"});

    Wiz2_1 = page("Wiz2_1", "Wybór dokumentów dla jedn. nieprowadzących dział. gosp.", false);
    XcScrollBox5 = box("XcScrollBox5", Wiz2_1);
    heading("XcStaticText6", XcScrollBox5, kChooseDocuments);
    cb2_1_1 = check("cb2_1_1", XcScrollBox5, 52, 32, "Bilans");
    cb2_1_2 = check("cb2_1_2", XcScrollBox5, 80, 32, "Rachunek wyników");

    Wiz100_1 = page("Wiz100_1", "Dobór formularzy zakończony", true);
    XcRichEdit2 = viewer("XcRichEdit2", Wiz100_1);
    XcWizard1->SetActivePage(Wiz0_1);
}

void TMainForm::BuildFormsSheet() {
    // The zoom buttons, and after them on the same bar the paper list and
    // the yellow bar with the form's title.  The bar sits on the sheet,
    // which paints the flat bar's background.
    XcToolBar2 = Make<TToolBar>(this, "XcToolBar2", TabSheet2);
    XcToolBar2->SetBounds(0, 0, 700, 28);
    XcToolBar2->SetAlign(alTop);
    XcToolBar2->SetFlat(true);
    XcToolBar2->SetEdgeBorders(ebBottom);
    XcToolBar2->SetImages(XcImageList2);
    XcToolBar2->SetIndent(4);
    XcToolBar2->SetWrapable(false);
    XcPanel5 = Make<TPanel>(this, "XcPanel5", XcToolBar2);
    XcPanel5->SetBounds(128, 0, 250, 26);
    XcPanel5->SetBevelOuter(bvNone);
    Label4 = Make<TLabel>(this, "Label4", XcPanel5);
    Label4->SetBounds(8, 6, 40, 14);
    Label4->SetCaption("&Papier:");
    FormComboBox = Make<TComboBox>(this, "FormComboBox", XcPanel5);
    FormComboBox->SetBounds(52, 2, 190, 21);
    FormComboBox->SetStyle(csDropDownList);
    Label4->SetFocusControl(FormComboBox);
    XcPanel3 = Make<TPanel>(this, "XcPanel3", XcToolBar2);
    XcPanel3->SetBounds(382, 1, 314, 24);
    XcPanel3->SetBevelOuter(bvLowered);
    XcPanel3->SetColor(kTitleBarColor);
    XcPanel3->SetParentFont(false);
    XcPanel3->Font()->SetStyle(fsBold);
    Label1 = Make<TLabel>(this, "Label1", XcPanel3);
    Label1->SetBounds(170, 5, 140, 14);
    Label1->SetAlign(alRight);
    Label1->SetVisible(false);
    // The yellow bar reaches the bar's right end.
    XcToolBar2->OnResize = [this](TObject*) {
        XcPanel3->SetWidth(std::max(40, XcToolBar2->ClientWidth() - XcPanel3->Left() - 4));
    };

    XcPanel7 = Make<TPanel>(this, "XcPanel7", TabSheet2);
    XcPanel7->SetBounds(0, 540, 700, 56);
    XcPanel7->SetAlign(alBottom);
    XcPanel7->SetBevelOuter(bvLowered);
    ErrListBox = Make<TListBox>(this, "ErrListBox", XcPanel7);
    ErrListBox->SetAlign(alClient);
    ErrListBox->SetBorderStyle(bsNone);
    ErrListBox->SetParentFont(false);
    ErrListBox->Font()->SetColor(clRed);
    ErrListBox->Font()->SetStyle(fsBold);
    PageNavigator = Make<TTabSet>(this, "PageNavigator", TabSheet2);
    PageNavigator->SetBounds(0, 518, 700, 22);
    PageNavigator->SetAlign(alBottom);

    PrintPreview = Make<TPrintPreview>(this, "PrintPreview", TabSheet2);
    PrintPreview->SetAlign(alClient);
    PrintPreview->SetPopupMenu(XcPopupMenu1);

    // The tool bars: exit, new, load, save, print in groups; the zoom commands.
    const std::pair<TToolBar*, TAction*> buttons[] = {
        {XcToolBar1, FileExit1},
        {XcToolBar1, nullptr},
        {XcToolBar1, Nowerozliczenie1},
        {XcToolBar1, Wczytajrozliczenie1},
        {XcToolBar1, Zapisacrozliczenie1},
        {XcToolBar1, nullptr},
        {XcToolBar1, Wydruk1},
        {XcToolBar2, FitToWidth1},
        {XcToolBar2, Fittoheight1},
        {XcToolBar2, Jedendojeden1},
        {XcToolBar2, Powiekszenie1},
        {XcToolBar2, Pomniejszenie1},
    };
    int n = 0;
    for (const auto& [bar, action] : buttons) {
        auto* b = Make<TToolButton>(this, ("ToolButton" + std::to_string(++n)).c_str(), bar);
        if (action)
            b->SetAction(action);
        else
            b->SetStyle(tbsSeparator);
    }
}

void TMainForm::FillWhenShown(TTabSheet* page) {
    pendingContent_[page];
    auto previous = page->WindowProc;
    page->WindowProc = [this, page, previous](TMessage& m) {
        previous(m);
        if (m.Msg == CM_VISIBLECHANGED && m.WParam) FillPage(page);
    };
}

void TMainForm::AddToPage(TTabSheet* page, TControl* control) {
    const auto pending = pendingContent_.find(page);
    if (pending != pendingContent_.end())
        pending->second.push_back(control);
    else
        control->SetParent(page);
}

void TMainForm::FillPage(TTabSheet* page) {
    const auto pending = pendingContent_.find(page);
    if (pending == pendingContent_.end()) return;
    const std::vector<TControl*> content = std::move(pending->second);
    pendingContent_.erase(pending);
    for (TControl* c : content) c->SetParent(page);
    std::erase_if(pendingGroups_, [page](const auto& entry) {
        if (entry.second->Parent() != page) return false;
        entry.first->SetParent(entry.second);
        return true;
    });
}

void TMainForm::BuildHiddenComponents() {
    Chb_aktualiz = Make<TCheckBox>(this, "Chb_aktualiz", this);
    Chb_aktualiz->SetVisible(false);
    Chb_aktualiz->SetBounds(0, 0, 200, 17);
    Chb_aktualiz->SetCaption("Sprawdzaj aktualizacje przy uruchomieniu");
    Chb_aktualiz->SetChecked(true);
    OpenDialog1 = Make<TOpenDialog>(this, "OpenDialog1");
    SaveDialog1 = Make<TSaveDialog>(this, "SaveDialog1");
    PingMachine = Make<TPingMachine>(this, "PingMachine");
    StrHolder1 = Make<TStrHolder>(this, "StrHolder1");
    StrHolder1->SetCapacity(28);
}
