// Status bar: the simple text and the panels as the system bar holds them
// (read back with SB_GETTEXTW / SB_GETPARTS), owner-drawn panels, and the
// application's hints with AutoHint.
#include <gtest/gtest.h>

#include "classlib/win/ComCtrls.h"
#include "classlib/win/WideText.h"
#include "tests/win/FormsTestSupport.h"

namespace {

using namespace cl;
using namespace cltest;

std::string PartText(TStatusBar* bar, int part) {
    HWND wnd = bar->Handle();
    const LRESULT info = SendMessageW(wnd, SB_GETTEXTLENGTHW, static_cast<WPARAM>(part), 0);
    std::wstring text(LOWORD(info) + 1, L'\0');
    SendMessageW(wnd, SB_GETTEXTW, static_cast<WPARAM>(part), reinterpret_cast<LPARAM>(text.data()));
    text.resize(LOWORD(info));
    return FromWide(text);
}

// In simple mode Wine's bar answers part 0 with the simple text (and
// SB_SIMPLEID with nothing).
std::string SimpleText(TStatusBar* bar) {
    return PartText(bar, 0);
}

WORD PartFlags(TStatusBar* bar, int part) {
    return HIWORD(SendMessageW(bar->Handle(), SB_GETTEXTLENGTHW, static_cast<WPARAM>(part), 0));
}

std::vector<int> PartEdges(TStatusBar* bar) {
    std::vector<int> edges(16);
    const LRESULT n =
        SendMessageW(bar->Handle(), SB_GETPARTS, edges.size(), reinterpret_cast<LPARAM>(edges.data()));
    edges.resize(static_cast<size_t>(n));
    return edges;
}

struct BarForm {
    Owned<TForm> form = Make<TForm>(nullptr);
    TStatusBar* bar = new TStatusBar(form.get());
    BarForm() {
        form->SetClientWidth(400);
        form->SetClientHeight(200);
        bar->SetName("StatusBar1");
        bar->SetParent(form.get());
    }
};

TEST(StatusBar, AlignsToTheBottomWithSizeGrip) {
    BarForm f;
    f.form->Show();
    EXPECT_EQ(alBottom, f.bar->Align());
    EXPECT_EQ(200 - f.bar->Height(), f.bar->Top());
    EXPECT_EQ(400, f.bar->Width());
    EXPECT_TRUE(GetWindowLongW(f.bar->Handle(), GWL_STYLE) & SBARS_SIZEGRIP);
    f.bar->SetSizeGrip(false);
    EXPECT_FALSE(GetWindowLongW(f.bar->Handle(), GWL_STYLE) & SBARS_SIZEGRIP);
}

TEST(StatusBar, SimpleTextReachesTheSimplePart) {
    struct Case {
        bool simplePanel;
        int panels;
    };
    // Without panels the bar shows its simple text as with SimplePanel.
    const Case cases[] = {{true, 0}, {true, 2}, {false, 0}};
    for (const Case& c : cases) {
        BarForm f;
        for (int i = 0; i < c.panels; ++i) f.bar->Panels()->Add()->SetText("panel");
        f.bar->SetSimplePanel(c.simplePanel);
        f.bar->SetSimpleText("Dobór zakończony");
        f.form->Show();
        EXPECT_TRUE(SendMessageW(f.bar->Handle(), SB_ISSIMPLE, 0, 0)) << c.panels;
        EXPECT_EQ("Dobór zakończony", SimpleText(f.bar)) << c.panels;
        f.bar->SetSimpleText("Gotowe");
        EXPECT_EQ("Gotowe", SimpleText(f.bar)) << c.panels;
    }
}

TEST(StatusBar, PanelsBecomePartsWithTextAlignmentAndBevel) {
    struct Case {
        const char* text;
        int width;
        TAlignment alignment;
        TStatusPanelBevel bevel;
        const char* shown;  // what the part holds: tabs place the text
        WORD flags;
    };
    const Case cases[] = {
        {"Zapisano", 80, taLeftJustify, pbLowered, "Zapisano", 0},
        {"Strona 1", 60, taCenter, pbRaised, "\tStrona 1", SBT_POPOUT},
        {"ąćęłńóśźż", 100, taRightJustify, pbNone, "\t\tąćęłńóśźż", SBT_NOBORDERS},
    };
    BarForm f;
    for (const Case& c : cases) {
        TStatusPanel* p = f.bar->Panels()->Add();
        p->SetText(c.text);
        p->SetWidth(c.width);
        p->SetAlignment(c.alignment);
        p->SetBevel(c.bevel);
    }
    f.form->Show();
    EXPECT_FALSE(SendMessageW(f.bar->Handle(), SB_ISSIMPLE, 0, 0));
    EXPECT_EQ((std::vector<int>{80, 140, -1}), PartEdges(f.bar));
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(cases[i].shown, PartText(f.bar, i)) << i;
        EXPECT_EQ(cases[i].flags, PartFlags(f.bar, i)) << i;
    }
    // Changes after creation reach the window; the window keeps them across recreation.
    f.bar->Panels()->Items(0)->SetText("Wczytano");
    f.bar->Panels()->Items(1)->SetWidth(30);
    f.bar->RecreateWnd();
    EXPECT_EQ("Wczytano", PartText(f.bar, 0));
    EXPECT_EQ((std::vector<int>{80, 110, -1}), PartEdges(f.bar));
    f.bar->Panels()->Delete(0);
    EXPECT_EQ((std::vector<int>{30, -1}), PartEdges(f.bar));
    EXPECT_THROW(f.bar->Panels()->Items(2), EListError);
}

TEST(StatusBar, OwnerDrawnPanelIsDrawnByOnDrawPanel) {
    BarForm f;
    f.bar->Panels()->Add()->SetWidth(100);
    TStatusPanel* drawn = f.bar->Panels()->Add();
    drawn->SetStyle(psOwnerDraw);
    std::vector<TStatusPanel*> calls;
    f.bar->OnDrawPanel = [&](TCustomStatusBar* bar, TStatusPanel* panel, const TRect& r) {
        calls.push_back(panel);
        bar->Canvas()->Brush()->SetColor(clRed);
        bar->Canvas()->FillRect(r);
    };
    f.form->Show();
    f.form->Repaint();
    Pump();
    ASSERT_FALSE(calls.empty());
    EXPECT_EQ(drawn, calls.back());
    EXPECT_EQ(SBT_OWNERDRAW, PartFlags(f.bar, 1) & SBT_OWNERDRAW);
    EXPECT_EQ(RGB(255, 0, 0), PixelOf(f.bar, 150, f.bar->ClientHeight() / 2));
}

TEST(StatusBar, AutoHintShowsTheApplicationHint) {
    struct Case {
        int panels;
        bool ownHandler;
        const char* expectedSimple;
        const char* expectedFirstPanel;
    };
    const Case cases[] = {
        {0, false, "Nowe sprawozdanie", ""},
        {2, false, "", "Nowe sprawozdanie"},
        {0, true, "", ""},  // the bar's OnHint takes the hint instead
    };
    for (const Case& c : cases) {
        BarForm f;
        for (int i = 0; i < c.panels; ++i) f.bar->Panels()->Add();
        int heard = 0;
        if (c.ownHandler) f.bar->OnHint = [&](TObject*) { ++heard; };
        f.bar->SetAutoHint(true);
        f.form->Show();
        Application->SetHint("Nowe sprawozdanie");
        EXPECT_EQ(c.expectedSimple, f.bar->SimpleText()) << c.panels;
        if (c.panels) {
            EXPECT_EQ(c.expectedFirstPanel, f.bar->Panels()->Items(0)->Text());
        }
        EXPECT_EQ(c.ownHandler ? 1 : 0, heard);
        if (!c.ownHandler && c.panels == 0) {
            EXPECT_EQ("Nowe sprawozdanie", SimpleText(f.bar));
        }
        Application->SetHint("");
    }
}

TEST(StatusBar, AutoHintLeavesAnApplicationOnHintAlone) {
    int appHints = 0;
    Application->OnHint = [&](TObject*) { ++appHints; };
    BarForm f;
    f.bar->SetAutoHint(true);
    f.form->Show();
    Application->SetHint("Drukuj");
    EXPECT_EQ(1, appHints);
    EXPECT_EQ("", f.bar->SimpleText());
    Application->OnHint = nullptr;
    Application->SetHint("");
}

}  // namespace
