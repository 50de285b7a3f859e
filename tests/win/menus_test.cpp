// Menus: the system menus built from the items, command dispatch from the
// menu bar and from pop-up menus, updates on opening, owner drawing with
// images and bitmaps, right-to-left entries, access keys of owner-drawn
// menus, help on pop-up items, and a pop-up shown at a point.
#include "classlib/win/Menus.h"

#include <gtest/gtest.h>

#include "classlib/Scope.h"
#include "classlib/win/ActnList.h"
#include "classlib/win/ExtCtrls.h"
#include "classlib/win/Forms.h"
#include "classlib/win/ImgList.h"
#include "classlib/win/WideText.h"
#include "tests/support/Streamed.h"
#include "tests/win/FormsTestSupport.h"
#include "tests/win/GraphicsSupport.h"

namespace {

using namespace cl;
using namespace cltest;

std::wstring EntryText(HMENU menu, UINT command) {
    wchar_t text[128] = {};
    GetMenuStringW(menu, command, text, 128, MF_BYCOMMAND);
    return text;
}

// The main window's menu: "&Sprawozdania" with new, a separator and exit.
struct MenuForm {
    Owned<TForm> form = Make<TForm>(nullptr);
    TMainMenu* menu = new TMainMenu(form.get());
    TMenuItem* reports = NewItem(form.get(), menu->Items(), "&Sprawozdania");
    TMenuItem* create = NewItem(form.get(), reports, "&Nowe sprawozdanie", ShortCut('N', ssCtrl));
    TMenuItem* line = NewItem(form.get(), reports, "-");
    TMenuItem* exit = NewItem(form.get(), reports, "&Koniec");
    TMenuItem* about = NewItem(form.get(), menu->Items(), "&O programie");

    MenuForm() {
        form->SetMenu(menu);
        form->Show();
    }
};

TEST(MenuBuild, SystemMenuShowsCaptionsShortcutsAndSeparators) {
    MenuForm f;
    HMENU bar = GetMenu(f.form->Handle());
    ASSERT_EQ(bar, f.menu->Handle());
    ASSERT_EQ(GetMenuItemCount(bar), 2);
    HMENU sub = GetSubMenu(bar, 0);
    EXPECT_EQ(sub, f.reports->Handle());
    EXPECT_EQ(GetMenuItemCount(sub), 3);
    EXPECT_EQ(EntryText(sub, f.create->Command()), L"&Nowe sprawozdanie\tCtrl+N");
    EXPECT_EQ(EntryType(sub, 1) & MFT_SEPARATOR, UINT(MFT_SEPARATOR));
    EXPECT_EQ(EntryText(bar, f.about->Command()), L"&O programie");
}

TEST(MenuBuild, StateChangesAndStructureReachTheSystemMenu) {
    MenuForm f;
    HMENU sub = f.reports->Handle();
    f.create->SetEnabled(false);
    f.exit->SetChecked(true);
    EXPECT_TRUE(GetMenuState(sub, f.create->Command(), MF_BYCOMMAND) & MF_GRAYED);
    EXPECT_TRUE(GetMenuState(sub, f.exit->Command(), MF_BYCOMMAND) & MF_CHECKED);
    f.create->SetCaption("&Nowe");
    EXPECT_EQ(EntryText(sub, f.create->Command()), L"&Nowe\tCtrl+N");
    f.line->SetVisible(false);
    EXPECT_EQ(GetMenuItemCount(sub), 2);
    NewItem(f.form.get(), f.reports, "&Zapisz");
    EXPECT_EQ(GetMenuItemCount(sub), 3);
    f.reports->Delete(0);
    EXPECT_EQ(GetMenuItemCount(sub), 2);
    EXPECT_EQ(f.reports->Count(), 3);
    // A leaf item that gains sub-items becomes a sub-menu in the bar.
    NewItem(f.form.get(), f.about, "&Licencja");
    EXPECT_EQ(GetSubMenu(f.menu->Handle(), 1), f.about->Handle());
}

TEST(MenuCommand, CommandReachesItsItem) {
    MenuForm f;
    std::vector<std::string> clicked;
    for (TMenuItem* item : {f.create, f.exit, f.about})
        item->OnClick = [&clicked](TObject* sender) {
            clicked.push_back(static_cast<TMenuItem*>(sender)->Caption());
        };
    SendMessageW(f.form->Handle(), WM_COMMAND, f.exit->Command(), 0);
    SendMessageW(f.form->Handle(), WM_COMMAND, f.about->Command(), 0);
    f.create->SetEnabled(false);
    SendMessageW(f.form->Handle(), WM_COMMAND, f.create->Command(), 0);
    EXPECT_EQ(clicked, (std::vector<std::string>{"&Koniec", "&O programie"}));
}

TEST(MenuCommand, OpeningSubMenuUpdatesActionsOfItsItems) {
    MenuForm f;
    auto* list = new TActionList(f.form.get());
    auto* action = new TAction(f.form.get());
    action->SetActionList(list);
    action->SetCaption("&Nowe sprawozdanie");
    bool allowed = true;
    action->OnUpdate = [&](TObject*) { action->SetEnabled(allowed); };
    f.create->SetAction(action);
    allowed = false;
    SendMessageW(f.form->Handle(), WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(f.reports->Handle()), 0);
    EXPECT_FALSE(f.create->Enabled());
    EXPECT_TRUE(GetMenuState(f.reports->Handle(), f.create->Command(), MF_BYCOMMAND) & MF_GRAYED);
}

TEST(MenuCommand, PopupMenuCommandsArriveThroughThePopupList) {
    Owned<TForm> form = Make<TForm>(nullptr);
    auto* popup = new TPopupMenu(form.get());
    auto* field = NewItem(form.get(), popup->Items(), "New field");
    NewItem(form.get(), popup->Items(), "-");
    auto* focFile = NewItem(form.get(), popup->Items(), "New FocFile");
    int fields = 0, files = 0;
    field->OnClick = [&](TObject*) { ++fields; };
    focFile->OnClick = [&](TObject*) { ++files; };
    SendMessageW(PopupListWindow(), WM_COMMAND, focFile->Command(), 0);
    EXPECT_EQ(fields, 0);
    EXPECT_EQ(files, 1);
    EXPECT_EQ(popup->WindowHandle(), PopupListWindow());
}

TEST(MenuCommand, PopupShowsMenuAtPointUntilDismissed) {
    Owned<TForm> form = Make<TForm>(nullptr);
    form->Show();
    auto* popup = new TPopupMenu(form.get());
    NewItem(form.get(), popup->Items(), "Pierwsza");
    int popups = 0;
    popup->OnPopup = [&](TObject*) { ++popups; };
    bool menuWindowSeen = false;
    Owned<TTimer> timer(new TTimer(nullptr));
    timer->SetInterval(50);
    timer->SetOnTimer([&](TObject*) {
        timer->SetEnabled(false);
        menuWindowSeen = FindWindowW(L"#32768", nullptr) != nullptr;
        EndMenu();
    });
    popup->Popup(200, 200);
    EXPECT_EQ(popups, 1);
    EXPECT_TRUE(menuWindowSeen);
    EXPECT_EQ(popup->PopupPoint().x, 200);
}

TEST(OwnerDraw, ItemsBecomeOwnerDrawnAndMeasureAndDrawThroughThem) {
    MenuForm f;
    f.menu->SetOwnerDraw(true);
    HMENU sub = f.reports->Handle();
    for (UINT i = 0; i < 3; ++i) EXPECT_TRUE(EntryType(sub, i) & MFT_OWNERDRAW) << i;
    f.create->OnMeasureItem = [](TObject*, TCanvas*, int& w, int& h) {
        w = 123;
        h = 17;
    };
    bool drawnSelected = false;
    f.create->OnDrawItem = [&](TObject*, TCanvas* canvas, TRect, bool selected) {
        drawnSelected = selected && canvas->HandleAllocated();
    };
    MEASUREITEMSTRUCT mis{};
    mis.CtlType = ODT_MENU;
    mis.itemID = f.create->Command();
    EXPECT_EQ(SendMessageW(f.form->Handle(), WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&mis)), TRUE);
    EXPECT_EQ(mis.itemWidth, 123u);
    EXPECT_EQ(mis.itemHeight, 17u);
    {
        const WindowDC dc(f.form->Handle());
        DRAWITEMSTRUCT dis{};
        dis.CtlType = ODT_MENU;
        dis.itemID = f.create->Command();
        dis.itemState = ODS_SELECTED;
        dis.hDC = dc.get();
        dis.rcItem = Rect(0, 0, 123, 17);
        EXPECT_EQ(SendMessageW(f.form->Handle(), WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&dis)), TRUE);
    }
    EXPECT_TRUE(drawnSelected);
    // Items without handlers measure their caption in the menu font.
    mis.itemID = f.exit->Command();
    mis.itemWidth = mis.itemHeight = 0;
    SendMessageW(f.form->Handle(), WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&mis));
    EXPECT_GT(mis.itemWidth, 20u);
    EXPECT_GE(mis.itemHeight, UINT(GetSystemMetrics(SM_CYMENU)));
}

TEST(OwnerDraw, AccessKeyPicksTheVisibleItemPosition) {
    MenuForm f;
    f.menu->SetOwnerDraw(true);
    f.line->SetVisible(false);
    struct Case {
        wchar_t key;
        LRESULT result;
    };
    const Case cases[] = {
        {L'k', MAKELRESULT(1, MNC_EXECUTE)},
        {L'N', MAKELRESULT(0, MNC_EXECUTE)},
        {L'x', 0},
    };
    for (const Case& c : cases) {
        const LRESULT r = SendMessageW(f.form->Handle(), WM_MENUCHAR, MAKEWPARAM(c.key, MF_POPUP),
                                       reinterpret_cast<LPARAM>(f.reports->Handle()));
        EXPECT_EQ(r, c.result) << char(c.key);
    }
}

// An item's bitmap reaches its system entry as a copy; an owner-drawn
// menu draws the image of its Images, else the bitmap, in the first
// column; right to left the entries are ordered from the right.
TEST(MenuPictures, BitmapsImagesAndRightToLeftEntries) {
    MenuForm f;
    HMENU sub = f.reports->Handle();
    TBitmap red;
    red.SetSize(12, 12);
    red.Canvas()->Brush()->SetColor(clRed);
    red.Canvas()->FillRect(Rect(0, 0, 12, 12));
    f.exit->SetBitmap(&red);
    MENUITEMINFOW mii{};
    mii.cbSize = sizeof mii;
    mii.fMask = MIIM_BITMAP;
    ASSERT_TRUE(GetMenuItemInfoW(sub, f.exit->Command(), FALSE, &mii));
    BITMAP shown{};
    ASSERT_TRUE(GetObjectW(mii.hbmpItem, sizeof shown, &shown));
    EXPECT_NE(mii.hbmpItem, red.Handle()) << "a copy";
    EXPECT_EQ(shown.bmWidth, 12);

    auto* images = new TImageList(f.form.get(), 20, 20);
    TBitmap green;
    green.SetSize(20, 20);
    green.Canvas()->Brush()->SetColor(clLime);
    green.Canvas()->FillRect(Rect(0, 0, 20, 20));
    images->Add(&green, nullptr);
    f.menu->SetImages(images);
    f.menu->SetOwnerDraw(true);
    f.create->SetImageIndex(0);
    auto drawn = [&](TMenuItem* item, int x, int y) {
        gfxtest::Surface s(200, 24);
        DRAWITEMSTRUCT dis{};
        dis.CtlType = ODT_MENU;
        dis.itemID = item->Command();
        dis.hDC = s.Canvas().Handle();
        dis.rcItem = Rect(0, 0, 200, 24);
        SendMessageW(f.form->Handle(), WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&dis));
        return s.At(x, y);
    };
    // The image column is 20 wide: the image fills it, the bitmap in its middle.
    EXPECT_EQ(drawn(f.create, 1, 12), clLime);
    EXPECT_EQ(drawn(f.exit, 10, 12), clRed);
    EXPECT_EQ(drawn(f.exit, 2, 12), ColorToRGB(clMenu));

    // Right to left: the bar's items from its right, the system's entries
    // read from the right; owner-drawn ones are mirrored by their drawing.
    HMENU bar = f.menu->Handle();
    f.menu->SetBiDiMode(bdRightToLeft);
    EXPECT_FALSE(f.menu->ParentBiDiMode());
    EXPECT_TRUE(EntryType(bar, 0) & MFT_RIGHTJUSTIFY);
    EXPECT_FALSE(EntryType(sub, 0) & (MFT_RIGHTORDER | MFT_RIGHTJUSTIFY));
    f.menu->SetOwnerDraw(false);
    for (UINT i = 0; i < 3; ++i) EXPECT_TRUE(EntryType(sub, i) & MFT_RIGHTORDER) << i;
    EXPECT_FALSE(EntryType(sub, 0) & MFT_RIGHTJUSTIFY);
    f.menu->SetBiDiMode(bdLeftToRight);
    EXPECT_FALSE(EntryType(bar, 0) & MFT_RIGHTJUSTIFY);
}

// F1 on an item of an open pop-up menu: its help context, as a pop-up
// when the active form has the help button in its caption.
TEST(PopupMenuHelp, F1ShowsTheItemsHelpContext) {
    Owned<TForm> form = Make<TForm>(nullptr);
    auto* popup = new TPopupMenu(form.get());
    TMenuItem* print = NewItem(form.get(), popup->Items(), "&Drukuj");
    TMenuItem* more = NewItem(form.get(), popup->Items(), "&Więcej");
    TMenuItem* page = NewItem(form.get(), more, "&Strona");
    print->SetHelpContext(42);
    page->SetHelpContext(7);
    std::string asked;
    Application->OnHelp = [&](UINT command, ULONG_PTR data, bool& callHelp) {
        asked += (command == HELP_CONTEXTPOPUP ? "popup "
                  : command == HELP_CONTEXT    ? "context "
                                               : "other ") +
                 std::to_string(data) + "; ";
        callHelp = false;
        return true;
    };
    const ScopeExit forget([] { Application->OnHelp = nullptr; });
    auto f1 = [&](TMenuItem* item, HMENU menu) {
        HELPINFO info{};
        info.cbSize = sizeof info;
        info.iContextType = HELPINFO_MENUITEM;
        info.iCtrlId = item->Command();
        info.hItemHandle = reinterpret_cast<HANDLE>(menu);
        return SendMessageW(PopupListWindow(), WM_HELP, 0, reinterpret_cast<LPARAM>(&info));
    };
    form->Show();
    ASSERT_TRUE(PumpUntil([&] { return Screen->ActiveForm() == form.get(); }));
    EXPECT_EQ(f1(print, popup->Items()->Handle()), TRUE);
    EXPECT_EQ(f1(page, more->Handle()), TRUE);
    EXPECT_EQ(asked, "context 42; context 7; ");
    asked.clear();
    Owned<TForm> dialog = Make<TForm>(nullptr);
    dialog->SetBorderStyle(bsDialog);
    dialog->SetBorderIcons(biSystemMenu | biHelp);
    dialog->Show();
    ASSERT_TRUE(PumpUntil([&] { return Screen->ActiveForm() == dialog.get(); }));
    f1(print, popup->Items()->Handle());
    HMENU foreign = CreatePopupMenu();
    f1(print, foreign);
    DestroyMenu(foreign);
    EXPECT_EQ(asked, "popup 42; ") << "a menu none of ours knows gets no help";
}

TEST(MenuStored, AutomaticHotKeysAndLineReductionAreStoredWhenManual) {
    TPopupMenu menu(nullptr);
    EXPECT_FALSE(cltest::Holds(cltest::Written(menu), "AutoHotkeys")) << "maAutomatic, the default";
    menu.SetAutoHotkeys(maManual);
    menu.SetAutoLineReduction(maParent);
    const std::string stored = cltest::Written(menu);
    TPopupMenu copy(nullptr);
    cltest::ReadInto(nullptr, copy, stored);
    EXPECT_EQ(copy.AutoHotkeys(), maManual);
    EXPECT_EQ(copy.AutoLineReduction(), maParent);
}

TEST(MenuText, StripHotkeyRemovesAccessMarkers) {
    const std::pair<const char*, const char*> cases[] = {
        {"&Nowe", "Nowe"}, {"Zapisz &jako...", "Zapisz jako..."}, {"A && B", "A & B"}, {"Koniec&", "Koniec"},
        {"", ""},
    };
    for (const auto& [in, out] : cases) EXPECT_EQ(StripHotkey(in), out) << in;
}

TEST(MenuFind, ItemsAreFoundByCommandHandleShortcutAndCaption) {
    MenuForm f;
    EXPECT_EQ(f.menu->FindItem(f.exit->Command(), fkCommand), f.exit);
    EXPECT_EQ(f.menu->FindItem(reinterpret_cast<UINT_PTR>(f.reports->Handle()), fkHandle), f.reports);
    EXPECT_EQ(f.menu->FindItem(ShortCut('N', ssCtrl), fkShortCut), f.create);
    EXPECT_EQ(f.menu->FindItem(ShortCut('Q', ssCtrl), fkShortCut), nullptr);
    EXPECT_EQ(f.reports->Find("koniec"), f.exit);
    EXPECT_EQ(f.exit->GetParentMenu(), f.menu);
    EXPECT_EQ(f.exit->MenuIndex(), 2);
}

TEST(MenuLifetime, FreedItemsLeaveTheirParentAndMenu) {
    MenuForm f;
    const WORD command = f.exit->Command();
    f.exit->Free();
    EXPECT_EQ(f.reports->Count(), 2);
    EXPECT_EQ(GetMenuItemCount(f.reports->Handle()), 2);
    EXPECT_EQ(f.menu->FindItem(command, fkCommand), nullptr);
    // Freeing the menu takes the bar off the form first.
    f.menu->Free();
    EXPECT_EQ(f.form->Menu(), nullptr);
    EXPECT_EQ(GetMenu(f.form->Handle()), nullptr);
}

}  // namespace
