// Tool bar: buttons from actions (mirrored properties, a posted click runs
// the action, the enabled state follows OnUpdate at idle), drop-down menus,
// check-button groups, the buttons' places, and hints of the buttons.
#include <gtest/gtest.h>

#include "classlib/win/ComCtrls.h"
#include "classlib/win/ExtCtrls.h"
#include "classlib/win/WideText.h"
#include "tests/win/FormsTestSupport.h"

namespace {

using namespace cl;
using namespace cltest;

class TCountingToolBar : public TToolBar {
public:
    using TToolBar::TToolBar;
    int closed = 0;
    void WndProc(TMessage& m) override {
        if (m.Msg == CN_DROPDOWNCLOSED) ++closed;
        TToolBar::WndProc(m);
    }
};

std::unique_ptr<TBitmap> Tile(TColor colour) {
    auto b = std::make_unique<TBitmap>();
    b->SetPixelFormat(pf24bit);
    b->SetSize(16, 16);
    b->Canvas()->Brush()->SetColor(colour);
    b->Canvas()->FillRect(Rect(0, 0, 16, 16));
    return b;
}

struct BarForm {
    Owned<TForm> form = Make<TForm>(nullptr);
    TCountingToolBar* bar = new TCountingToolBar(form.get());
    TImageList* images = new TImageList(form.get());
    TActionList* actions = new TActionList(form.get());

    BarForm() {
        form->SetClientWidth(400);
        form->SetClientHeight(200);
        bar->SetName("XcToolBar1");
        bar->SetParent(form.get());
        for (TColor c : {clRed, clLime, clBlue}) images->Add(Tile(c).get(), nullptr);
        bar->SetImages(images);
    }
    TToolButton* Button(TToolButtonStyle style = tbsButton) {
        auto* b = new TToolButton(form.get());
        b->SetStyle(style);
        b->SetParent(bar);
        return b;
    }
    TAction* Action(const std::string& caption, int* executed) {
        auto* a = new TAction(form.get());
        a->SetActionList(actions);
        a->SetCaption(caption);
        a->OnExecute = [executed](TObject*) { ++*executed; };
        return a;
    }
    RECT ItemRect(TToolButton* b) {
        RECT r{};
        SendMessageW(bar->Handle(), TB_GETITEMRECT, static_cast<WPARAM>(b->Index()),
                     reinterpret_cast<LPARAM>(&r));
        return r;
    }
    void Click(TToolButton* b, int dxFromRight = -1) {
        const RECT r = ItemRect(b);
        const int x = dxFromRight < 0 ? (r.left + r.right) / 2 : r.right - dxFromRight;
        PostClick(bar->Handle(), x, (r.top + r.bottom) / 2);
        Pump();
    }
    TBBUTTON SystemButton(TToolButton* b) {
        TBBUTTON tb{};
        SendMessageW(bar->Handle(), TB_GETBUTTON, static_cast<WPARAM>(b->Index()),
                     reinterpret_cast<LPARAM>(&tb));
        return tb;
    }
};

// Idles until the condition holds; a timer ends each idle wait.
bool IdleUntil(const std::function<bool()>& done) {
    Owned<TTimer> wake(new TTimer(nullptr));
    wake->SetInterval(5);
    wake->SetOnTimer([](TObject*) {});
    for (int i = 0; i < 40 && !done(); ++i) Application->HandleMessage();
    return done();
}

TEST(ToolBar, ButtonMirrorsItsActionAndAPostedClickRunsIt) {
    BarForm f;
    int executed = 0;
    TAction* action = f.Action("&Nowe sprawozdanie", &executed);
    action->SetHint("Nowe|Nowe sprawozdanie");
    action->SetImageIndex(1);
    f.bar->SetShowCaptions(true);
    TToolButton* b = f.Button();
    b->SetAction(action);
    f.form->Show();

    EXPECT_EQ("&Nowe sprawozdanie", b->Caption());
    EXPECT_EQ("Nowe|Nowe sprawozdanie", b->Hint());
    EXPECT_EQ(1, b->ImageIndex());
    const TBBUTTON tb = f.SystemButton(b);
    EXPECT_EQ(1, tb.iBitmap);
    EXPECT_EQ(reinterpret_cast<DWORD_PTR>(b), tb.dwData);
    wchar_t text[64] = {};
    SendMessageW(f.bar->Handle(), TB_GETBUTTONTEXTW, static_cast<WPARAM>(tb.idCommand),
                 reinterpret_cast<LPARAM>(text));
    EXPECT_EQ("&Nowe sprawozdanie", FromWide(text));

    f.Click(b);
    EXPECT_EQ(1, executed);

    // Later changes of the action follow it to the system button.
    action->SetImageIndex(2);
    EXPECT_EQ(2, f.SystemButton(b).iBitmap);
    action->SetVisible(false);
    EXPECT_TRUE(f.SystemButton(b).fsState & TBSTATE_HIDDEN);
}

TEST(ToolBar, DisabledActionDisablesItsButtonAtIdle) {
    BarForm f;
    int executed = 0;
    bool allowed = true;
    TAction* action = f.Action("&Zapisz", &executed);
    action->OnUpdate = [&](TObject* sender) { static_cast<TAction*>(sender)->SetEnabled(allowed); };
    TToolButton* b = f.Button();
    b->SetAction(action);
    f.form->Show();
    auto enabled = [&] { return SendMessageW(f.bar->Handle(), TB_ISBUTTONENABLED, b->Index(), 0) != 0; };
    EXPECT_TRUE(enabled());

    allowed = false;
    EXPECT_TRUE(IdleUntil([&] { return !enabled(); }));
    EXPECT_FALSE(b->Enabled());
    f.Click(b);
    EXPECT_EQ(0, executed);

    allowed = true;
    EXPECT_TRUE(IdleUntil(enabled));
    f.Click(b);
    EXPECT_EQ(1, executed);
}

TEST(ToolBar, DropDownMenuShowsUnderTheButton) {
    struct Case {
        const char* name;
        TToolButtonStyle style;
        int dxFromRight;  // -1: the middle of the button
        size_t popups;
        int executed;
    };
    const Case cases[] = {
        {"arrow of a drop-down button", tbsDropDown, 4, 1, 0},
        {"body of a drop-down button", tbsDropDown, 20, 0, 1},
        {"plain button with a menu", tbsButton, -1, 1, 0},
    };
    for (const Case& c : cases) {
        BarForm f;
        int executed = 0;
        auto* menu = new TRecordingPopup(f.form.get());
        f.Button();  // one button before, so the place is not the bar's corner
        TToolButton* b = f.Button(c.style);
        b->SetAction(f.Action("Drukuj", &executed));
        b->SetDropdownMenu(menu);
        f.form->Show();
        f.Click(b, c.dxFromRight);
        ASSERT_EQ(c.popups, menu->shownAt.size()) << c.name;
        EXPECT_EQ(c.executed, executed) << c.name;
        if (c.popups) {
            const RECT r = f.ItemRect(b);
            POINT expected{r.left, r.bottom};
            ClientToScreen(f.bar->Handle(), &expected);
            EXPECT_EQ(expected.x, menu->shownAt[0].x) << c.name;
            EXPECT_EQ(expected.y, menu->shownAt[0].y) << c.name;
            EXPECT_EQ(b, menu->PopupComponent()) << c.name;
            EXPECT_TRUE(PumpUntil([&] { return f.bar->closed == 1; })) << c.name;
        }
    }
}

TEST(ToolBar, FreedDropDownMenuIsForgotten) {
    BarForm f;
    auto* menu = new TRecordingPopup(f.form.get());
    TToolButton* b = f.Button(tbsDropDown);
    b->SetDropdownMenu(menu);
    menu->Free();
    EXPECT_EQ(nullptr, b->DropdownMenu());
    EXPECT_FALSE(b->CheckMenuDropdown());
}

TEST(ToolBar, CheckButtonsFollowGroupRules) {
    struct Case {
        const char* name;
        bool grouped;
        bool allowAllUp;
        std::vector<int> clicks;
        std::vector<bool> down;
    };
    const Case cases[] = {
        {"ungrouped toggle", false, false, {0, 1, 0}, {false, true, false}},
        {"group keeps one down", true, false, {0, 1, 1}, {false, true, false}},
        {"group may go all up", true, true, {2, 2}, {false, false, false}},
        {"group moves the choice", true, false, {2, 0}, {true, false, false}},
    };
    for (const Case& c : cases) {
        BarForm f;
        std::vector<TToolButton*> buttons;
        for (int i = 0; i < 3; ++i) {
            TToolButton* b = f.Button(tbsCheck);
            b->SetGrouped(c.grouped);
            b->SetAllowAllUp(c.allowAllUp);
            buttons.push_back(b);
        }
        f.form->Show();
        for (int i : c.clicks) f.Click(buttons[static_cast<size_t>(i)]);
        for (size_t i = 0; i < 3; ++i) {
            EXPECT_EQ(c.down[i], buttons[i]->Down()) << c.name << " button " << i;
            const bool checked =
                SendMessageW(f.bar->Handle(), TB_ISBUTTONCHECKED, buttons[i]->Index(), 0) != 0;
            EXPECT_EQ(c.down[i], checked) << c.name << " system button " << i;
        }
    }
}

TEST(ToolBar, ButtonsTakeTheirPlacesFromTheBar) {
    BarForm f;
    f.bar->SetAutoSize(true);
    TToolButton* first = f.Button();
    TToolButton* sep = f.Button(tbsSeparator);
    TToolButton* second = f.Button();
    TToolButton* third = f.Button();
    f.form->Show();
    for (TToolButton* b : {first, sep, second, third}) {
        const RECT r = f.ItemRect(b);
        EXPECT_EQ(r.left, b->Left());
        EXPECT_EQ(r.top, b->Top());
        EXPECT_EQ(r.right - r.left, b->Width());
    }
    EXPECT_EQ(first->Left() + first->Width(), sep->Left());
    EXPECT_EQ(sep->Left() + sep->Width(), second->Left());
    EXPECT_EQ(8, sep->Width());
    EXPECT_EQ(23, first->Width());
    const int oneRow = f.bar->Height();

    // A wrapped button ends its row; the bar grows by a row.
    second->SetWrap(true);
    EXPECT_EQ(first->Top(), second->Top());
    EXPECT_GT(third->Top(), second->Top());
    EXPECT_EQ(0, third->Left());
    EXPECT_GT(f.bar->Height(), oneRow);

    // A removed button gives its place to the next.
    second->SetWrap(false);
    sep->Free();
    Pump();
    EXPECT_EQ(first->Left() + first->Width(), second->Left());
    EXPECT_EQ(1, second->Index());
    EXPECT_EQ(3, f.bar->ButtonCount());
}

TEST(ToolBar, WrapableBarStartsARowForAButtonThatDoesNotFit) {
    struct Case {
        bool wrapable;
        int barWidth;
        std::vector<int> rows;  // the row of each of four 23-pixel buttons
    };
    const Case cases[] = {
        {true, 400, {0, 0, 0, 0}},
        {true, 60, {0, 0, 1, 1}},
        {true, 30, {0, 1, 2, 3}},
        {false, 60, {0, 0, 0, 0}},
    };
    for (const Case& c : cases) {
        BarForm f;
        f.bar->SetAlign(alNone);
        f.bar->SetEdgeBorders(0);
        f.bar->SetAutoSize(true);
        f.bar->SetWrapable(c.wrapable);
        f.bar->SetWidth(c.barWidth);
        std::vector<TToolButton*> buttons;
        for (int i = 0; i < 4; ++i) buttons.push_back(f.Button());
        f.form->Show();
        for (size_t i = 0; i < 4; ++i) {
            const int row = (buttons[i]->Top() - buttons[0]->Top()) / buttons[0]->Height();
            EXPECT_EQ(c.rows[i], row) << c.barWidth << " button " << i;
        }
        EXPECT_EQ(buttons[3]->Top() + buttons[3]->Height(), f.bar->Height()) << c.barWidth;
    }
}

TEST(ToolBar, EdgeBordersTakeNonClientRoom) {
    struct Case {
        TEdgeBorders edges;
        int dx, dy;  // width and height lost to the edges
    };
    const Case cases[] = {{0, 0, 0}, {ebTop, 0, 2}, {ebLeft | ebTop | ebRight | ebBottom, 4, 4}};
    for (const Case& c : cases) {
        BarForm f;
        f.bar->SetEdgeBorders(c.edges);
        f.form->Show();
        EXPECT_EQ(f.bar->Width() - c.dx, f.bar->ClientWidth()) << int(c.edges);
        EXPECT_EQ(f.bar->Height() - c.dy, f.bar->ClientHeight()) << int(c.edges);
    }
}

TEST(ToolBar, PointerOverAButtonShowsItsHintInTheStatusBar) {
    BarForm f;
    auto* status = new TStatusBar(f.form.get());
    status->SetParent(f.form.get());
    status->SetAutoHint(true);
    int executed = 0;
    TAction* action = f.Action("Drukuj", &executed);
    action->SetHint("Drukuj|Drukuje sprawozdanie");
    f.Button();
    TToolButton* b = f.Button();
    b->SetAction(action);
    f.form->Show();
    const RECT r = f.ItemRect(b);
    POINT p{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    ClientToScreen(f.bar->Handle(), &p);
    SetCursorPos(p.x, p.y);
    EXPECT_TRUE(IdleUntil([&] { return status->SimpleText() == "Drukuje sprawozdanie"; }))
        << status->SimpleText();
    SetCursorPos(0, 0);
    Application->OnHint = nullptr;
}

TEST(ToolBar, MenuBuildsOneButtonPerTopLevelItem) {
    BarForm f;
    auto* menu = new TMainMenu(f.form.get());
    int clicked = 0;
    for (const char* caption : {"&Sprawozdania", "&O programie"}) {
        auto* top = new TMenuItem(menu);
        top->SetCaption(caption);
        menu->Items()->Add(top);
        auto* sub = new TMenuItem(menu);
        sub->SetCaption("Pozycja");
        sub->OnClick = [&](TObject*) { ++clicked; };
        top->Add(sub);
    }
    f.Button();
    f.bar->SetMenu(menu);
    f.form->Show();
    ASSERT_EQ(2, f.bar->ButtonCount());
    EXPECT_EQ("&O programie", f.bar->Buttons(1)->Caption());
    EXPECT_EQ(menu->Items()->Items(1), f.bar->Buttons(1)->MenuItem());
    EXPECT_TRUE(f.bar->ShowCaptions());
    f.bar->SetMenu(nullptr);
    EXPECT_EQ(0, f.bar->ButtonCount());
}

}  // namespace
