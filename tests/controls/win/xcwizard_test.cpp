// The wizard control in a test window: the page switch step by step (as
// the pages' and the wizard's events report it), page search, the button
// bar to the pixel, button clicks and help, classes, the published
// properties, the header's and panel's geometry, the wizard in a designer,
// its tree as the component writer writes it, and the faults the control
// mends.
#include "controls/win/XcWizard.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "classlib/Filer.h"
#include "classlib/win/Forms.h"
#include "tests/support/Streamed.h"
#include "tests/win/FormsTestSupport.h"
#include "tests/win/GraphicsSupport.h"

namespace {

using namespace cl;
using namespace cltest;
using Kind = TXcWizardButtonKind;
using Log = std::vector<std::string>;

std::string NameOf(TXcWizardCustomPage* page) {
    return page ? page->Caption() : "-";
}

// A form with a wizard of pages "A", "B", ... whose events are logged.
struct WizardWindow {
    explicit WizardWindow(int pageCount, bool show = true) : form(Make<TForm>(nullptr)) {
        form->SetBounds(100, 100, 300, 200);
        form->SetClientWidth(500);
        form->SetClientHeight(400);
        wizard = new TXcWizard(form.get());
        wizard->SetParent(form.get());
        for (int i = 0; i < pageCount; ++i) {
            auto* page = new TXcWizardInteriorPage(form.get());
            page->SetCaption(std::string(1, static_cast<char>('A' + i)));
            page->SetWizard(wizard);
            // Something on the page to take the focus.
            auto* edit = new TTestEdit(form.get());
            edit->SetParent(page);
            page->OnEnterPage = [this, page](TObject*, TXcWizardCustomPage* from) {
                log.push_back(NameOf(page) + " enter from " + NameOf(from) + ", active " +
                              NameOf(wizard->ActivePage()));
            };
            page->OnExitPage = [this, page](TObject*, TXcWizardCustomPage* to) {
                log.push_back(NameOf(page) + " exit to " + NameOf(to));
            };
            page->OnPage = [this, page](TObject*) { log.push_back(NameOf(page) + " page"); };
            pages.push_back(page);
        }
        wizard->OnActivePageChanging = [this](TObject*, TXcWizardCustomPage*& to) {
            log.push_back("changing to " + NameOf(to));
            if (redirect) to = *redirect;
        };
        wizard->OnActivePageChanged = [this](TObject*) {
            log.push_back("changed, " + NameOf(wizard->ActivePage()));
        };
        if (show) {
            form->Show();
            Pump();
        }
        wizard->SelectFirstPage();
        log.clear();
    }
    TXcWizardButtonControl* Button(Kind kind) { return wizard->ButtonControl(kind); }

    Owned<TForm> form;
    TXcWizard* wizard;
    std::vector<TXcWizardCustomPage*> pages;
    Log log;
    // The page the changing handler answers instead of the requested one.
    std::optional<TXcWizardCustomPage*> redirect;
};

TEST(WizardSwitch, NextAndBackRunTheEventsInOrder) {
    WizardWindow w(3);
    ASSERT_EQ(w.wizard->ActivePage(), w.pages[0]);
    w.wizard->SelectNextPage();
    EXPECT_EQ(w.log,
              (Log{"changing to B", "A exit to B", "B enter from A, active A", "B page", "changed, B"}));
    w.log.clear();
    w.wizard->SelectPriorPage();
    EXPECT_EQ(w.log,
              (Log{"changing to A", "B exit to A", "A enter from B, active B", "A page", "changed, A"}));
    EXPECT_TRUE(w.pages[0]->Visible());
    EXPECT_FALSE(w.pages[1]->Visible());
    EXPECT_TRUE(w.pages[0]->ContainsControl(w.form->ActiveControl()));
}

TEST(WizardSwitch, HandlerAnswers) {
    struct Case {
        const char* name;
        int disabled;  // page made disabled first, -1: none
        int from;      // active page before
        bool next;     // Next, else Back
        int redirect;  // page the handler answers, -1: nothing
        Log log;
        int active;  // -1: no page
    };
    const Case cases[] = {
        {"the old page stops the switch", -1, 0, true, 0, {"changing to B"}, 0},
        {"a disabled page forwards",
         2,
         1,
         true,
         2,
         {"changing to D", "B exit to C", "D enter from B, active B", "D page", "changed, D"},
         3},
        {"a disabled page backwards",
         2,
         3,
         false,
         2,
         {"changing to B", "D exit to C", "B enter from D, active D", "B page", "changed, B"},
         1},
        // D lies after C: the search goes on forwards from C and finds nothing.
        {"a disabled page with none beyond",
         3,
         2,
         false,
         3,
         {"changing to B", "C exit to D", "changed, -"},
         -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        WizardWindow w(4);
        if (c.disabled >= 0) w.pages[static_cast<size_t>(c.disabled)]->SetEnabled(false);
        w.wizard->SetActivePage(w.pages[static_cast<size_t>(c.from)]);
        w.log.clear();
        if (c.redirect >= 0) w.redirect = w.pages[static_cast<size_t>(c.redirect)];
        if (c.next)
            w.wizard->SelectNextPage();
        else
            w.wizard->SelectPriorPage();
        EXPECT_EQ(w.log, c.log);
        EXPECT_EQ(w.wizard->ActivePage(), c.active < 0 ? nullptr : w.pages[static_cast<size_t>(c.active)]);
    }
}

TEST(WizardSwitch, HiddenFormGetsNoOnPage) {
    WizardWindow w(2, false);
    w.wizard->SelectNextPage();
    EXPECT_EQ(w.log, (Log{"changing to B", "A exit to B", "B enter from A, active A", "changed, B"}));
}

TEST(WizardSwitch, ForeignAndDisabledPagesAreIgnored) {
    WizardWindow w(3);
    WizardWindow other(1);
    w.wizard->SetActivePage(other.pages[0]);
    w.pages[2]->SetEnabled(false);
    w.wizard->SetActivePage(w.pages[2]);
    EXPECT_TRUE(w.log.empty());
    // Another wizard's page from the handler keeps this wizard still.
    w.redirect = other.pages[0];
    w.wizard->SelectNextPage();
    EXPECT_EQ(w.log, (Log{"changing to B"}));
    EXPECT_EQ(w.wizard->ActivePage(), w.pages[0]);
    EXPECT_TRUE(w.pages[0]->Visible());
    EXPECT_EQ(other.wizard->ActivePage(), other.pages[0]);
}

TEST(WizardSwitch, ThePageShownIsSizedToThePlaceOfTheOldOneBeforeItShows) {
    WizardWindow w(2);
    std::vector<bool> shownWhenSized;
    w.pages[1]->OnResize = [&](TObject*) {
        shownWhenSized.push_back(IsWindowVisible(w.pages[1]->Handle()) != FALSE);
    };
    w.wizard->SelectNextPage();
    EXPECT_EQ(shownWhenSized, std::vector<bool>{false});
    const TRect shown = w.pages[1]->BoundsRect(), old = w.pages[0]->BoundsRect();
    EXPECT_TRUE(EqualRect(&shown, &old));
}

TEST(WizardSwitch, ShowingAPageOrAControlOnItMakesThePageActive) {
    WizardWindow w(3);
    w.pages[1]->Show();
    EXPECT_EQ(w.log,
              (Log{"changing to B", "A exit to B", "B enter from A, active A", "B page", "changed, B"}));
    w.log.clear();
    w.pages[2]->Controls(0)->Show();  // the edit on C
    EXPECT_EQ(w.wizard->ActivePage(), w.pages[2]);
    EXPECT_FALSE(w.pages[1]->Visible());
    w.log.clear();
    w.pages[2]->Show();  // already active
    EXPECT_TRUE(w.log.empty());
}

TEST(WizardSearch, JumpsOverPagesOnceAndStopsAtTheEnds) {
    WizardWindow w(4);
    w.pages[1]->SetEnableJumpToPage(false);
    w.wizard->SelectNextPage();
    EXPECT_EQ(w.wizard->ActivePage(), w.pages[2]);
    w.wizard->SelectPriorPage();
    EXPECT_EQ(w.wizard->ActivePage(), w.pages[0]);
    w.pages[2]->SetEnableJumpToPage(false);  // two in a row: the second shows
    w.wizard->SelectNextPage();
    EXPECT_EQ(w.wizard->ActivePage(), w.pages[2]);
    w.wizard->SelectLastPage();
    w.wizard->SelectNextPage();
    EXPECT_EQ(w.wizard->ActivePage(), w.pages[3]);
    w.wizard->RemovePage(w.pages[3]);  // the active last page: none follows
    EXPECT_EQ(w.wizard->ActivePage(), nullptr);
    EXPECT_EQ(w.wizard->PageCount(), 3);
}

TEST(WizardSearch, LoadingIgnoresActivePageAndStartsOnTheFirstEnabledPage) {
    Owned<TForm> form = Make<TForm>(nullptr);
    std::vector<TXcWizardCustomPage*> pages;
    TXcWizard* wizard = nullptr;
    LoadComponentTree(*form, [&] {
        wizard = new TXcWizard(form.get());
        wizard->SetParent(form.get());
        for (int i = 0; i < 3; ++i) {
            pages.push_back(new TXcWizardInteriorPage(form.get()));
            pages.back()->SetParent(wizard);  // a wizard as parent makes a page of it
        }
        pages[0]->SetEnabled(false);
        wizard->SetActivePage(pages[2]);
        EXPECT_EQ(wizard->ActivePage(), nullptr);
    });
    EXPECT_EQ(wizard->PageCount(), 3);
    EXPECT_EQ(wizard->ActivePage(), pages[1]);
    EXPECT_FALSE(pages[2]->Visible());
}

// ---- Button bar -------------------------------------------------------------------------
TEST(WizardButtons, BarLayoutToThePixel) {
    const struct {
        const char* name;
        TXcWizardButtonSet visible;
        std::vector<std::pair<Kind, const char*>> bounds;
        int defaultButton;  // -1: none
    } cases[] = {
        {"Back, Next", {bkBack, bkNext}, {{bkBack, "340,368,75,25"}, {bkNext, "417,368,75,25"}}, bkNext},
        {"Back, Finish",
         {bkBack, bkFinish},
         {{bkBack, "341,368,75,25"}, {bkFinish, "417,368,75,25"}},
         bkFinish},
        {"Back, Next, Cancel",
         {bkBack, bkNext, Kind::bkCancel},
         {{bkBack, "255,368,75,25"}, {bkNext, "332,368,75,25"}, {Kind::bkCancel, "417,368,75,25"}},
         bkNext},
        {"all but Start, Last and Help",
         {bkBack, bkNext, bkFinish, Kind::bkCancel},
         {{bkBack, "179,368,75,25"},
          {bkNext, "256,368,75,25"},
          {bkFinish, "341,368,75,25"},
          {Kind::bkCancel, "417,368,75,25"}},
         bkNext},
        {"Help, Start and Last on the left",
         {Kind::bkHelp, bkStart, bkLast},
         {{Kind::bkHelp, "8,368,75,25"}, {bkStart, "93,368,85,25"}, {bkLast, "179,368,85,25"}},
         -1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        WizardWindow w(2);
        w.wizard->SetActivePage(w.pages[1]);
        w.pages[1]->SetVisibleButtons(c.visible);
        for (const auto& [kind, bounds] : c.bounds) {
            EXPECT_TRUE(w.Button(kind)->Visible()) << kind;
            EXPECT_EQ(Bounds(w.Button(kind)), bounds) << kind;
        }
        // Enter presses one button at most.
        for (int k = 0; k < kXcWizardButtonKinds; ++k) {
            const auto kind = static_cast<Kind>(k);
            EXPECT_EQ(w.Button(kind)->Visible(), c.visible.Contains(kind)) << k;
            EXPECT_EQ(w.Button(kind)->Default(), k == c.defaultButton) << k;
        }
    }
}

TEST(WizardButtons, ButtonsFollowEverySwitch) {
    for (bool autoHide : {true, false}) {
        SCOPED_TRACE(autoHide ? "bar hides itself" : "bar stays");
        WizardWindow w(3);
        w.wizard->SetAutoHideButtonBar(autoHide);
        w.pages[1]->SetVisibleButtons({bkBack, bkFinish});
        w.pages[1]->SetEnabledButtons({bkBack, bkFinish});
        w.pages[2]->SetVisibleButtons({});
        w.wizard->SelectNextPage();
        EXPECT_TRUE(w.Button(bkFinish)->Visible());
        EXPECT_TRUE(w.Button(bkFinish)->Default());
        EXPECT_FALSE(w.Button(bkNext)->Visible());
        EXPECT_FALSE(w.Button(bkNext)->Default());
        EXPECT_TRUE(w.Button(bkBack)->Enabled());
        w.wizard->SetActivePage(w.pages[2]);
        EXPECT_FALSE(w.Button(bkBack)->Visible());
        EXPECT_EQ(w.wizard->ButtonBarHeight(), autoHide ? 0 : 42);
        EXPECT_EQ(w.pages[2]->Height(), autoHide ? 400 : 358);
        w.wizard->SetActivePage(w.pages[0]);
        EXPECT_TRUE(w.Button(bkNext)->Visible());
        EXPECT_TRUE(w.Button(bkNext)->Default());
        EXPECT_FALSE(w.Button(bkFinish)->Default());
    }
}

TEST(WizardButtons, BackIsOffOnTheFirstPageWithoutChangingThePage) {
    WizardWindow w(3);
    w.pages[0]->SetEnabled(false);
    w.wizard->SetActivePage(w.pages[1]);
    EXPECT_FALSE(w.Button(bkBack)->Enabled()) << "B is the first enabled page";
    EXPECT_TRUE(w.pages[1]->EnabledButtons().Contains(bkBack));
    w.pages[0]->SetEnabled(true);
    w.wizard->SelectNextPage();
    w.wizard->SelectPriorPage();
    EXPECT_EQ(w.wizard->ActivePage(), w.pages[1]);
    EXPECT_TRUE(w.Button(bkBack)->Enabled()) << "A comes before B again";
}

TEST(WizardButtons, ClickRunsPageEventThenModalResultAndWizardEventThenNavigation) {
    WizardWindow w(2);
    bool stop = false;
    w.pages[0]->OnNextButtonClick = [&](TObject* sender, bool& s) {
        w.log.push_back("page event from " + NameOf(static_cast<TXcWizardCustomPage*>(sender)));
        s = stop;
    };
    w.pages[0]->OnCancelButtonClick = [&](TObject*, bool&) { w.log.push_back("page cancel"); };
    w.wizard->SetOnButtonClick(bkNext, [&](TObject*) { w.log.push_back("wizard event"); });
    w.wizard->SetOnButtonClick(Kind::bkCancel, [&](TObject*) {
        w.log.push_back("wizard cancel, modal result " + std::to_string(w.form->ModalResult()));
    });

    stop = true;
    w.Button(bkNext)->Click();
    EXPECT_EQ(w.log, (Log{"page event from A"}));
    w.Button(Kind::bkCancel)->Click();
    EXPECT_EQ(w.wizard->ActivePage(), w.pages[0]) << "Cancel does not navigate";
    w.form->SetModalResult(mrNone);
    stop = false;
    w.log.clear();
    PostClick(w.Button(bkNext)->Handle(), 5, 5);
    Pump();
    EXPECT_EQ(w.log, (Log{"page event from A", "wizard event", "changing to B", "A exit to B",
                          "B enter from A, active A", "B page", "changed, B"}));
    EXPECT_EQ(w.wizard->OnButtonClick(bkStart), nullptr);
}

TEST(WizardButtons, CancelGivesTheFormItsModalResult) {
    WizardWindow w(2);
    w.wizard->SetOnButtonClick(Kind::bkCancel, [&](TObject*) {
        w.log.push_back("wizard cancel, modal result " + std::to_string(w.form->ModalResult()));
    });
    w.Button(Kind::bkCancel)->Click();
    EXPECT_EQ(w.log, (Log{"wizard cancel, modal result 2"}));
    EXPECT_EQ(w.wizard->ActivePage(), w.pages[0]);
}

TEST(WizardButtons, HelpGoesToThePagesHandlerOrOpensThePagesOrTheFormsHelp) {
    const struct {
        const char* name;
        int pages;
        bool pageHandler;
        int pageContext, formContext;
        bool designing;
        Log log;
    } cases[] = {
        {"the page's handler", 1, true, 7, 9, false, {"page help", "wizard help"}},
        {"the page's context", 1, false, 7, 9, false, {"help 7"}},
        {"a page without one: none", 1, false, 0, 9, false, {}},
        {"no page: the form's", 0, false, 0, 9, false, {"help 9"}},
        {"in a designer nothing", 1, true, 7, 9, true, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        WizardWindow w(c.pages);
        w.form->SetHelpContext(c.formContext);
        if (c.pages > 0) {
            w.pages[0]->SetHelpContext(c.pageContext);
            if (c.pageHandler)
                w.pages[0]->OnHelpButtonClick = [&](TObject*, bool&) { w.log.push_back("page help"); };
        }
        w.wizard->SetOnButtonClick(Kind::bkHelp, [&](TObject*) { w.log.push_back("wizard help"); });
        Application->OnHelp = [&](UINT command, ULONG_PTR data, bool& callHelp) {
            if (command == HELP_CONTEXT) w.log.push_back("help " + std::to_string(data));
            callHelp = false;
            return true;
        };
        w.form->SetDesigning(c.designing);
        w.Button(Kind::bkHelp)->Click();
        Application->OnHelp = nullptr;
        EXPECT_EQ(w.log, c.log);
    }
}

// A help button of its own, and the class the wizard gives a kind it does not know.
class TOwnHelpButton : public TXcWizardHelpButton {
    CL_CLASS(TOwnHelpButton, TXcWizardHelpButton)
public:
    using TXcWizardHelpButton::TXcWizardHelpButton;
};
CL_CLASS_INFO(TOwnHelpButton)

class TOwnButtonsWizard : public TXcWizard {
    CL_CLASS(TOwnButtonsWizard, TXcWizard)
public:
    using TXcWizard::TXcWizard;
    std::string UnknownKindClass() { return GetButtonClass(static_cast<Kind>(7)).Info->ClassName(); }

protected:
    TPersistentClass GetButtonClass(Kind kind) override {
        if (kind != Kind::bkHelp) return TXcWizard::GetButtonClass(kind);
        return {&TOwnHelpButton::StaticClassInfo(), [](TPersistent* owner) -> TPersistent* {
                    return new TOwnHelpButton(dynamic_cast<TComponent*>(owner));
                }};
    }
};
CL_CLASS_INFO(TOwnButtonsWizard)

TEST(WizardButtons, EachKindIsMadeOfTheClassTheWizardNamesForIt) {
    Owned<TForm> form = Make<TForm>(nullptr);
    auto* wizard = new TOwnButtonsWizard(form.get());
    wizard->SetParent(form.get());
    const std::pair<Kind, const char*> classes[] = {
        {bkStart, "TXcWizardStartButton"},   {bkLast, "TXcWizardLastButton"},
        {bkBack, "TXcWizardBackButton"},     {bkNext, "TXcWizardNextButton"},
        {bkFinish, "TXcWizardFinishButton"}, {Kind::bkCancel, "TXcWizardCancelButton"},
        {Kind::bkHelp, "TOwnHelpButton"},
    };
    for (const auto& [kind, name] : classes) {
        TXcWizardButtonControl* button = wizard->ButtonControl(kind);
        ASSERT_NE(button, nullptr) << name;
        EXPECT_EQ(button->ClassName(), name);
        EXPECT_EQ(button->Wizard(), wizard) << name;
        EXPECT_EQ(button->Parent(), wizard) << name;
        EXPECT_EQ(button->Height(), 25) << name;
    }
    EXPECT_EQ(wizard->NavigateButton(Kind::bkHelp)->Caption(), "&Help");
    EXPECT_EQ(wizard->UnknownKindClass(), "TXcWizardButtonControl");
}

// ---- In a designer ------------------------------------------------------------------------
TEST(WizardDesign, SearchGoesRoundAndShowsDisabledPagesWithoutEvents) {
    WizardWindow w(3);
    w.wizard->OnSelectNextPage = [&](TObject*, TXcWizardCustomPage*, TXcWizardCustomPage*&) {
        w.log.push_back("select next");
    };
    w.pages[1]->SetEnabled(false);
    w.form->SetDesigning(true);
    w.wizard->SelectNextPage();
    EXPECT_EQ(w.log, (Log{"changing to B", "changed, B"}));
    EXPECT_EQ(w.wizard->ActivePage(), w.pages[1]);
    w.wizard->SetActivePage(w.pages[2]);
    w.wizard->SelectNextPage();
    EXPECT_EQ(w.wizard->ActivePage(), w.pages[0]) << "past the last page: the first";
    w.wizard->SelectPriorPage();
    EXPECT_EQ(w.wizard->ActivePage(), w.pages[2]) << "before the first page: the last";
    w.wizard->RemovePage(w.pages[2]);
    EXPECT_EQ(w.wizard->ActivePage(), w.pages[0]) << "the active last page hands over round";
}

TEST(WizardDesign, BackAndNextShowAndTheButtonsNavigateWithoutEvents) {
    WizardWindow w(2);
    w.pages[0]->SetVisibleButtons({bkFinish, Kind::bkCancel});
    w.pages[0]->SetEnabledButtons({Kind::bkCancel});
    w.pages[0]->OnNextButtonClick = [&](TObject*, bool& stop) {
        w.log.push_back("page next");
        stop = true;
    };
    w.wizard->SetOnButtonClick(bkNext, [&](TObject*) { w.log.push_back("wizard next"); });
    w.form->SetDesigning(true);
    w.wizard->SetActivePage(w.pages[1]);
    w.wizard->SetActivePage(w.pages[0]);
    for (const Kind kind : {bkBack, bkNext}) {
        EXPECT_TRUE(w.Button(kind)->Visible()) << kind;
        EXPECT_TRUE(w.Button(kind)->Enabled()) << kind << ": also Back on the first page";
    }
    EXPECT_FALSE(w.Button(bkFinish)->Visible());
    EXPECT_EQ(Bounds(w.Button(bkNext)), "332,368,75,25") << "laid out with Back and Cancel";
    w.log.clear();
    w.Button(bkNext)->Click();
    EXPECT_EQ(w.log, (Log{"changing to B", "changed, B"}));
}

TEST(WizardDesign, PagesShowTheirCaptionAndTheOutlinesOfTheirTitles) {
    WizardWindow w(1);
    TXcWizardCustomPage* page = w.pages[0];
    page->SetCaption("Strona");
    int painted = 0;
    page->OnPaintPage = [&](TObject*, TCanvas*, TRect&) { ++painted; };
    // The dotted outline inverts the header's colour with $00FFD8CE.
    const TColor outline = static_cast<TColor>(ColorToRGB(clWindow) ^ 0x00FFD8CE);
    for (const bool designing : {false, true}) {
        SCOPED_TRACE(designing ? "in a designer" : "running");
        w.form->SetDesigning(designing);
        painted = 0;
        gfxtest::Surface surface(page->Width(), page->Height());
        SendMessageW(page->Handle(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(surface.Canvas().Handle()),
                     PRF_CLIENT);
        EXPECT_EQ(painted, designing ? 0 : 1) << "OnPaintPage paints only a running page";
        int outlined = 0;
        for (int x = 300; x < 490; ++x) outlined += surface.At(x, 4) == outline;  // the title's top
        EXPECT_EQ(outlined > 50, designing);
        const int middle = page->Height() / 2;
        int caption = 0;
        for (int y = middle - 8; y < middle + 8; ++y)
            for (int x = page->Width() / 2 - 30; x < page->Width() / 2 + 30; ++x)
                caption += surface.At(x, y) == clBlack;
        EXPECT_EQ(caption > 0, designing);
    }
}

// ---- Published properties ----------------------------------------------------------------
TEST(WizardProperties, AreFoundByNameWithTheirDefaults) {
    WizardWindow w(1);
    TXcWizardCustomPage* page = w.pages[0];
    TXcWizardPageHeader* header = page->Header();
    const struct {
        const char* what;
        TObject* object;
        const char* name;
        std::string value;  // an ordinal in decimal, an identifier, text, or "object"
    } cases[] = {
        {"wizard", w.wizard, "Pages", "object"},
        {"wizard", w.wizard, "ShowRouteMap", "False"},
        {"wizard", w.wizard, "ButtonStart", "object"},
        {"wizard", w.wizard, "ButtonLast", "object"},
        {"wizard", w.wizard, "ButtonBack", "object"},
        {"wizard", w.wizard, "ButtonNext", "object"},
        {"wizard", w.wizard, "ButtonFinish", "object"},
        {"wizard", w.wizard, "ButtonCancel", "object"},
        {"wizard", w.wizard, "ButtonHelp", "object"},
        {"page", page, "EnabledButtons", "127"},  // all seven kinds
        {"page", page, "VisibleButtons", "44"},   // bkBack, bkNext, bkCancel
        {"title", header->Title(), "Anchors", "7"},
        {"title", header->Title(), "Alignment", "taLeftJustify"},
        {"subtitle", header->Subtitle(), "Anchors", "15"},
        {"image", page->Image(), "Picture", "object"},
        {"image", page->Image(), "Alignment", "iaStretch"},
        {"image", page->Image(), "Layout", "ilStretch"},
        {"Next", w.wizard->ButtonNext(), "Caption", "&Next >"},
        {"Next", w.wizard->ButtonNext(), "Glyph", "object"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.what) + "." + c.name);
        const TPropInfo* prop = GetPropInfo(*c.object, c.name);
        ASSERT_NE(prop, nullptr);
        switch (prop->Kind) {
            case tkClass:
                EXPECT_EQ(c.value, "object");
                EXPECT_NE(GetObjectProp(*c.object, c.name), nullptr);
                break;
            case tkEnumeration:
                EXPECT_EQ(GetEnumProp(*c.object, c.name), c.value);
                break;
            case tkString:
                EXPECT_EQ(GetStrProp(*c.object, c.name), c.value);
                break;
            default:
                EXPECT_EQ(std::to_string(GetOrdProp(*c.object, c.name)), c.value);
        }
    }
    EXPECT_EQ(GetObjectProp(*w.wizard, "Pages"), w.wizard->Pages());
    EXPECT_EQ(GetObjectProp(*w.wizard, "ButtonNext"), w.wizard->NavigateButton(bkNext));
    // Written by name through the setters.
    SetOrdProp(*page, "VisibleButtons", 0x18);  // bkNext, bkFinish
    EXPECT_TRUE(w.Button(bkFinish)->Visible());
    EXPECT_FALSE(w.Button(bkBack)->Visible());
    SetEnumProp(*page->Image(), "Layout", "ilTile");
    EXPECT_EQ(page->Image()->Layout(), ilTile);
    SetEnumProp(*header->Title(), "Alignment", "taCenter");
    EXPECT_EQ(header->Title()->Alignment(), taCenter);
    SetEnumProp(*w.wizard, "ShowRouteMap", "True");
    EXPECT_EQ(GetEnumProp(*w.wizard, "ShowRouteMap"), "False") << "there is no route map";
}

// ---- Header and panel geometry -------------------------------------------------------------
TEST(WizardHeader, TextRectanglesFollowAnchorsPlacementAndIndent) {
    WizardWindow w(1);
    TXcWizardPageTitle* title = w.pages[0]->Header()->Subtitle();
    title->SetText("Zakres");
    gfxtest::Surface surface(10, 10);
    TCanvas& canvas = surface.Canvas();
    TRect unused;
    title->GetTextRect(canvas, Rect(0, 0, 1, 1), unused);  // takes the title's font
    SIZE ex{};
    GetTextExtentPoint32W(canvas.Handle(), L"Zakres", 6, &ex);
    ASSERT_GT(ex.cx, 20);
    const TRect area = Rect(10, 20, 210, 90);
    const struct {
        const char* name;
        TAnchors anchors;
        int placement, indent;
        TRect area, expected;
    } cases[] = {
        {"none: the text at the corner", 0, 4, 0, area, Rect(10, 20, 10 + ex.cx, 20 + ex.cy)},
        {"left and top move in", akLeft | akTop, 4, 0, area, Rect(14, 24, 14 + ex.cx, 24 + ex.cy)},
        {"right stretches", akLeft | akTop | akRight, 4, 0, area, Rect(14, 24, 206, 24 + ex.cy)},
        {"all four", akLeft | akTop | akRight | akBottom, 4, 0, area, Rect(14, 24, 206, 86)},
        {"right and bottom only", akRight | akBottom, 6, 0, area, Rect(10, 20, 204, 84)},
        {"indent on both sides", akLeft | akTop | akRight, 4, 5, area, Rect(19, 24, 201, 24 + ex.cy)},
        {"clipped right and below", akLeft | akTop, 4, 0, Rect(10, 20, 25, 30), Rect(14, 24, 25, 30)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        title->SetAnchors(c.anchors);
        title->SetAnchorPlacement(c.placement);
        title->SetIndent(c.indent);
        TRect r;
        title->GetTextRect(canvas, c.area, r);
        EXPECT_TRUE(EqualRect(&r, &c.expected))
            << r.left << "," << r.top << "," << r.right << "," << r.bottom;
    }
}

TEST(WizardHeader, TheImageSitsOnItsSideAndTheTextAreaGivesWay) {
    WizardWindow w(1);
    TXcWizardPageHeader* header = w.pages[0]->Header();
    TImageList images(nullptr);
    images.SetWidth(16);
    images.SetHeight(16);
    const struct {
        const char* name;
        TXcWizardImageLeftRight side;
        int offset;
        TRect area, image, text;
    } cases[] = {
        // Centred in 70 rows: (70 - 16) / 2 = 27 down; on the right 4 in.
        {"right", iaRight, 0, Rect(0, 0, 400, 70), Rect(380, 27, 396, 43), Rect(0, 0, 380, 70)},
        {"right, offset 10", iaRight, 10, Rect(0, 0, 400, 70), Rect(370, 27, 386, 43), Rect(0, 0, 370, 70)},
        {"left", iaLeft, 0, Rect(0, 0, 400, 70), Rect(0, 27, 16, 43), Rect(16, 0, 400, 70)},
        {"left, offset 6", iaLeft, 6, Rect(0, 0, 400, 70), Rect(6, 27, 22, 43), Rect(22, 0, 400, 70)},
        {"right in a moved area", iaRight, 0, Rect(5, 10, 405, 80), Rect(385, 37, 401, 53),
         Rect(5, 10, 385, 80)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        header->SetImageAlignment(c.side);
        header->SetImageOffset(c.offset);
        TRect text = c.area, image;
        header->GetImageRect(&images, text, image);
        EXPECT_TRUE(EqualRect(&image, &c.image))
            << image.left << "," << image.top << "," << image.right << "," << image.bottom;
        EXPECT_TRUE(EqualRect(&text, &c.text)) << text.left << "," << text.right;
    }
}

TEST(WizardPanel, AnEtchedFrameBorderWidthInsideThenItsColour) {
    TXcWizardPagePanel panel(nullptr);
    panel.SetVisible(true);
    panel.SetColor(clRed);
    gfxtest::Surface surface(100, 80);
    TRect r = Rect(0, 0, 100, 80);
    panel.Paint(surface.Canvas(), r);
    const TColor shadow = ColorToRGB(clBtnShadow), highlight = ColorToRGB(clBtnHighlight);
    // Border 7: the shadow line on the frame's edge, the highlight one
    // inside it (outside it on the right and bottom), 2 pixels of frame,
    // then 2 more before the colour.
    const struct {
        int x, y;
        TColor color;
    } pixels[] = {
        {6, 40, clWhite},  {7, 40, shadow}, {8, 40, highlight}, {9, 40, clWhite},  {10, 40, clWhite},
        {11, 40, clRed},   {88, 40, clRed}, {89, 40, clWhite},  {91, 40, shadow},  {92, 40, highlight},
        {93, 40, clWhite}, {40, 7, shadow}, {40, 8, highlight}, {40, 71, shadow},  {40, 72, highlight},
        {40, 73, clWhite}, {40, 11, clRed}, {40, 68, clRed},    {40, 69, clWhite},
    };
    for (const auto& p : pixels) EXPECT_EQ(surface.At(p.x, p.y), p.color) << p.x << "," << p.y;

    panel.SetBorderWidth(0);
    gfxtest::Surface none(100, 80);
    panel.Paint(none.Canvas(), r);
    EXPECT_EQ(none.Ink(Rect(0, 0, 100, 80)), 0) << "no border, no frame";
}

// ---- The wizard's tree ----------------------------------------------------------------------
TEST(WizardTree, PagesAreWrittenFirstInTheirListOrderThenTheRootsOtherChildren) {
    Owned<TForm> form = Make<TForm>(nullptr);
    auto* wizard = new TXcWizard(form.get());
    wizard->SetParent(form.get());
    std::vector<TXcWizardCustomPage*> pages;
    for (const char* name : {"A", "B", "C"}) {
        pages.push_back(new TXcWizardInteriorPage(form.get()));
        pages.back()->SetName(name);
        pages.back()->SetWizard(wizard);
    }
    auto* edit = new TTestEdit(form.get());
    edit->SetName("Extra");
    edit->SetParent(wizard);
    // A leaves the list and joins it again at its end: the list reads B, C, A.
    wizard->RemovePage(pages[0]);
    wizard->InsertPage(pages[0]);

    const std::string written = Streamed([&](TWriter& writer) {
        writer.SetRoot(form.get());
        writer.WriteComponent(*wizard);
    });
    // The buttons are the wizard's own: not written.
    const std::string expected = Streamed([&](TWriter& writer) {
        const auto record = [&](TComponent& c) {
            writer.WritePropName(c.ClassName());
            writer.WriteProperties(c);
            writer.WriteListEnd();
        };
        record(*wizard);
        for (TComponent* child : {static_cast<TComponent*>(pages[1]), static_cast<TComponent*>(pages[2]),
                                  static_cast<TComponent*>(pages[0]), static_cast<TComponent*>(edit)}) {
            record(*child);
            writer.WriteListEnd();
        }
        writer.WriteListEnd();
    });
    EXPECT_EQ(written, expected);
}

// ---- Painting ------------------------------------------------------------------------------
TEST(WizardImage, TilesAndPaintsNothingForAPictureWithoutArea) {
    TXcWizardImage image;
    image.SetLayout(ilTile);
    TBitmap tile;
    tile.SetPixelFormat(pf24bit);
    tile.SetSize(3, 2);
    tile.Canvas()->Brush()->SetColor(clRed);
    tile.Canvas()->FillRect(Rect(0, 0, 3, 2));
    image.Picture()->SetGraphic(&tile);
    gfxtest::Surface surface(20, 10);
    image.PaintIn(surface.Canvas(), Rect(2, 2, 12, 9));
    EXPECT_EQ(surface.At(11, 8), clRed);
    EXPECT_EQ(surface.At(12, 9), clWhite);

    tile.SetSize(0, 2);
    image.Picture()->SetGraphic(&tile);
    gfxtest::Surface blank(20, 10);
    EXPECT_NO_THROW(image.PaintIn(blank.Canvas(), Rect(0, 0, 20, 10)));
    EXPECT_EQ(blank.Ink(Rect(0, 0, 20, 10)), 0);
}

TEST(WizardPaint, HeaderAndDividerLines) {
    WizardWindow w(1);
    w.wizard->Repaint();
    w.pages[0]->Repaint();
    Pump();
    const COLORREF shadow = GetSysColor(COLOR_BTNSHADOW), highlight = GetSysColor(COLOR_BTNHIGHLIGHT);
    // The bar's etched line: shadow on its top row, highlight under it.
    EXPECT_EQ(PixelOf(w.wizard, 100, 358), shadow);
    EXPECT_EQ(PixelOf(w.wizard, 100, 359), highlight);
    // The header: window colour, its divider at the bottom of its 70 rows.
    EXPECT_EQ(PixelOf(w.pages[0], 100, 30), GetSysColor(COLOR_WINDOW));
    EXPECT_EQ(PixelOf(w.pages[0], 100, 68), shadow);
    EXPECT_EQ(PixelOf(w.pages[0], 100, 69), highlight);
    EXPECT_EQ(PixelOf(w.pages[0], 100, 200), GetSysColor(COLOR_BTNFACE));
}

}  // namespace
