// The owner-drawn menus in a test window: what each style's painter
// measures, when a pop-up menu is owner-drawn, the order in which the main
// menu's changes are told, and an open XP pop-up menu with images read
// back from its window, disabled images among them.
#include "controls/win/XcMenus.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "classlib/win/ExtCtrls.h"
#include "classlib/win/Forms.h"
#include "classlib/win/GdiHandles.h"
#include "controls/win/XcXPMenuItemPainter.h"
#include "tests/win/FormsTestSupport.h"

namespace {

using namespace cl;
using namespace cltest;

// A bar item with a shortcut item, a separator and an item with a sub-menu.
struct MenuForm {
    Owned<TForm> form = Make<TForm>(nullptr);
    TXcMainMenu* menu = new TXcMainMenu(form.get());
    TMenuItem* file = NewItem(form.get(), menu->Items(), "&Sprawozdania");
    TMenuItem* create = NewItem(form.get(), file, "&Nowe sprawozdanie", ShortCut('N', ssCtrl));
    TMenuItem* line = NewItem(form.get(), file, "-");
    TMenuItem* exportTo = NewItem(form.get(), file, "&Eksport");
    TMenuItem* pdf = NewItem(form.get(), exportTo, "PDF");
    MenuForm() {
        form->SetMenu(menu);
        form->Show();
    }
    SIZE Measure(TMenuItem* item) {
        MEASUREITEMSTRUCT mis{};
        mis.CtlType = ODT_MENU;
        mis.itemID = item->Count() > 0 ? static_cast<UINT>(reinterpret_cast<UINT_PTR>(item->Handle()))
                                       : item->Command();
        EXPECT_EQ(SendMessageW(form->Handle(), WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&mis)), TRUE);
        return SIZE{static_cast<LONG>(mis.itemWidth), static_cast<LONG>(mis.itemHeight)};
    }
};

// Texts as the menus measure them: the menu font on the screen.
struct MenuText {
    const ScreenDC screen;
    TCanvas canvas{screen.get()};
    MenuText() { canvas.Font()->Assign(Screen->MenuFont()); }
    SIZE Caption(const std::string& text) {
        TRect r = Rect(0, 0, 0, 0);
        canvas.DrawText(text, r, DT_SINGLELINE | DT_EXPANDTABS | DT_CALCRECT);
        return SIZE{r.right - r.left, r.bottom - r.top};
    }
    int Width(const std::string& text) { return canvas.TextWidth(text); }
};

TEST(MenuMeasure, EachStyleMeasuresShortCutsSubMenusSeparatorsAndBarItems) {
    struct Case {
        TXcMenuStyle style;
        TXcMenuMargins add;  // the painter's additions to the margins
        int textMargin;
        int extraHeight;  // XP: 2
        int separator;    // 0: half of "-", at least 9
    };
    const Case cases[] = {
        {msStandard, {0, 0, 0, 0}, 2, 0, 0},  {msBtnLowered, {0, 1, 0, 1}, 0, 0, 0},
        {msBtnRaised, {0, 1, 0, 1}, 0, 0, 0}, {msOffice, {1, 2, 3, 2}, 3, 0, 0},
        {msXP, {3, 4, 4, 4}, 2, 2, 3},
    };
    MenuForm f;
    MenuText t;
    const int captions = std::max(t.Caption("&Nowe sprawozdanie").cx, t.Caption("&Eksport").cx);
    const int shortCutPart = t.Width(ShortCutToText(ShortCut('N', ssCtrl))) + t.Width("        ");
    const int menuBar = GetSystemMetrics(SM_CYMENU);
    for (const Case& c : cases) {
        f.menu->SetStyle(c.style);
        const int column = c.add.Left + c.add.Right;
        const int height =
            std::max({menuBar, static_cast<int>(t.Caption("&Nowe").cy), c.add.Top + c.add.Bottom}) +
            c.extraHeight;
        // The shortcut column serves every sibling, the sub-menu one too.
        const int width = column + c.textMargin + captions + shortCutPart;
        EXPECT_EQ(f.Measure(f.create).cx, width) << c.style;
        EXPECT_EQ(f.Measure(f.create).cy, height) << c.style;
        EXPECT_EQ(f.Measure(f.exportTo).cx, width) << c.style;
        EXPECT_EQ(f.Measure(f.line).cy,
                  c.separator ? c.separator : std::max(static_cast<int>(t.Caption("-").cy) / 2, 9))
            << c.style;
        EXPECT_EQ(f.Measure(f.file).cx, c.textMargin + t.Width("Sprawozdania")) << c.style;
        EXPECT_EQ(f.Measure(f.file).cy, std::max<int>(menuBar, t.Caption("&Sprawozdania").cy) + c.extraHeight)
            << c.style;
        // Without a shortcut among them, two blanks make room for the arrow.
        EXPECT_EQ(f.Measure(f.pdf).cx, column + c.textMargin + t.Caption("PDF").cx) << c.style;
    }
    f.menu->SetStyle(msOwnerDraw);
    f.menu->OnMeasureItem = [](TMenu*, TMenuItem*, int& w, int& h) {
        w = 77;
        h = 11;
    };
    EXPECT_EQ(f.Measure(f.create).cx, 77);
    EXPECT_EQ(f.Measure(f.create).cy, 11);
}

TEST(MenuMeasure, SubMenuArrowAndCheckedSiblings) {
    MenuForm f;
    MenuText t;
    f.create->SetShortCut(scNone);
    f.menu->SetStyle(msStandard);
    const int captions = std::max(t.Caption("&Nowe sprawozdanie").cx, t.Caption("&Eksport").cx);
    EXPECT_EQ(f.Measure(f.create).cx, 2 + captions + t.Width("  "));
    // The standard painter makes a checked sibling's image column a check mark wide.
    f.create->SetChecked(true);
    EXPECT_EQ(f.Measure(f.exportTo).cx, GetSystemMetrics(SM_CXMENUCHECK) + 2 + captions + t.Width("  "));
}

TEST(PopupOwnerDraw, FollowsStyleAndImages) {
    Owned<TForm> form = Make<TForm>(nullptr);
    auto* popup = new TXcPopupMenu(form.get());
    NewItem(form.get(), popup->Items(), "New field");
    auto* images = new TImageList(form.get());
    EXPECT_FALSE(popup->OwnerDraw()) << "msStandard without images: the system draws it";
    popup->SetImages(images);
    EXPECT_FALSE(popup->OwnerDraw()) << "an empty list";
    TBitmap bitmap;
    bitmap.SetSize(16, 16);
    images->AddMasked(&bitmap, clFuchsia);
    EXPECT_TRUE(popup->OwnerDraw()) << "the list's change";
    EXPECT_TRUE(EntryType(popup->Items()->Handle(), 0) & MFT_OWNERDRAW);
    images->Free();
    EXPECT_EQ(popup->Images(), nullptr);
    EXPECT_FALSE(popup->OwnerDraw());
    popup->SetStyle(msXP);
    EXPECT_TRUE(popup->OwnerDraw());
    EXPECT_TRUE(dynamic_cast<TXcXPMenuItemPainter*>(popup->ActivePainter()));
}

TEST(PopupAssign, CopiesTheSettingsAndLeavesThePainterComponentWithItsMenu) {
    Owned<TForm> form = Make<TForm>(nullptr);
    auto* bar = new TXcMainMenu(form.get());
    auto* painter = new TXcXPMenuItemPainter(form.get());
    bar->SetItemPainter(painter);
    bar->SetAutoHotkeys(maManual);
    bar->SetAutoLineReduction(maManual);
    bar->SetShowCheckMarks(true);
    bar->SetTag(7);
    auto* copy = new TXcPopupMenu(form.get());
    copy->Assign(bar);
    EXPECT_EQ(copy->Style(), msItemPainter);
    EXPECT_EQ(copy->ItemPainter(), nullptr);
    EXPECT_NE(copy->ActivePainter(), painter) << "its own style painter";
    EXPECT_EQ(painter->Menu(), &bar->Settings());
    EXPECT_EQ(copy->AutoHotkeys(), maManual);
    EXPECT_EQ(copy->AutoLineReduction(), maManual);
    EXPECT_TRUE(copy->ShowCheckMarks());
    EXPECT_EQ(copy->Tag(), 7);
}

TEST(MenuChange, LinksHearInRegistrationOrderBeforeTheClassLibraryAndNothingWhileLoading) {
    Owned<TForm> form = Make<TForm>(nullptr);
    std::vector<std::string> heard;
    TXcMenuChangeLink first, second;
    first.OnChange = [&](TMainMenu*, TMenuItem*, bool) { heard.push_back("first"); };
    second.OnChange = [&](TMainMenu*, TMenuItem*, bool) { heard.push_back("second"); };
    TXcMainMenu* menu = nullptr;
    LoadComponentTree(*form, [&] {
        menu = new TXcMainMenu(form.get());
        menu->RegisterChanges(&second);
        menu->RegisterChanges(&first);
        menu->OnChange = [&](TObject*, TMenuItem*, bool) { heard.push_back("menu"); };
        NewItem(form.get(), menu->Items(), "&Sprawozdania");
    });
    EXPECT_EQ(heard, (std::vector<std::string>{"second", "first", "menu"}))
        << "only the owner drawing at the end";
    heard.clear();
    NewItem(form.get(), menu->Items(), "&O programie");
    EXPECT_EQ(heard, (std::vector<std::string>{"second", "first", "menu"}));
    menu->UnRegisterChanges(&second);
    heard.clear();
    menu->Items()->Items(1)->SetCaption("&Pomoc");
    EXPECT_EQ(heard, (std::vector<std::string>{"first", "menu"}));
    menu->UnRegisterChanges(&first);
}

TEST(MenuCursor, AHighlightedItemShowsTheMenusCursorAndOthersTheDefault) {
    MenuForm f;
    f.menu->SetCursor(crHandPoint);
    auto select = [&](UINT id, UINT flags, HMENU menu) {
        SendMessageW(f.form->Handle(), WM_MENUSELECT, MAKEWPARAM(id, flags), reinterpret_cast<LPARAM>(menu));
        return GetCursor();
    };
    HMENU sub = f.file->Handle();
    EXPECT_EQ(select(f.create->Command(), MF_HILITE, sub), Screen->Cursors(crHandPoint));
    EXPECT_EQ(select(f.create->Command(), 0, sub), Screen->Cursors(crDefault));
    // The bar's item that opens a sub-menu keeps the default.
    EXPECT_EQ(select(0, MF_HILITE | MF_POPUP, f.menu->Handle()), Screen->Cursors(crDefault));
    // An item the menu does not know, or the menu closing, shows the default.
    select(f.create->Command(), MF_HILITE, sub);
    EXPECT_EQ(select(0xFFF0, MF_HILITE, sub), Screen->Cursors(crDefault));
    select(f.create->Command(), MF_HILITE, sub);
    EXPECT_EQ(select(0, 0xFFFF, nullptr), Screen->Cursors(crDefault));
    f.menu->SetCursor(crDefault);
    SetCursor(Screen->Cursors(crHourGlass));
    EXPECT_EQ(select(f.create->Command(), MF_HILITE, sub), Screen->Cursors(crHourGlass)) << "left alone";
}

// ---- An open pop-up menu with images -----------------------------------------------------
constexpr COLORREF kImageRed = RGB(200, 0, 0);

struct ImageMenu {
    Owned<TForm> form = Make<TForm>(nullptr);
    TXcPopupMenu* popup = new TXcPopupMenu(form.get());
    TImageList* images = new TImageList(form.get());
    TMenuItem* first = NewItem(form.get(), popup->Items(), "Pierwszy");
    TMenuItem* second = NewItem(form.get(), popup->Items(), "Drugi");
    TXcXPMenuItemPainter* painter = nullptr;
    ImageMenu() {
        // A red square on the mask colour, a pixel in from every edge.
        TBitmap bitmap;
        bitmap.SetSize(16, 16);
        bitmap.Canvas()->Brush()->SetColor(clFuchsia);
        bitmap.Canvas()->FillRect(Rect(0, 0, 16, 16));
        bitmap.Canvas()->Brush()->SetColor(static_cast<TColor>(kImageRed));
        bitmap.Canvas()->FillRect(Rect(1, 1, 15, 15));
        images->AddMasked(&bitmap, clFuchsia);
        popup->SetImages(images);
        popup->SetStyle(msXP);
        first->SetImageIndex(0);
        second->SetImageIndex(0);
        second->SetChecked(true);
        painter = static_cast<TXcXPMenuItemPainter*>(popup->ActivePainter());
        form->SetBounds(100, 100, 300, 200);
        form->Show();
    }
};

// Runs inside the menu's own loop: each step on a timer tick, the last ends the menu.
void WhileOpen(std::vector<std::function<void(HWND menuWindow)>> steps, const std::function<void()>& open) {
    size_t next = 0;
    Owned<TTimer> timer(new TTimer(nullptr));
    timer->SetInterval(150);
    timer->SetOnTimer([&](TObject*) {
        HWND wnd = FindWindowW(L"#32768", nullptr);
        if (!wnd || !IsWindowVisible(wnd)) return;
        if (next < steps.size()) steps[next++](wnd);
        if (next == steps.size()) {
            timer->SetEnabled(false);
            EndMenu();
        }
    });
    open();
    EXPECT_EQ(next, steps.size()) << "the menu did not open";
}

// A pixel of the menu window, at window coordinates.
COLORREF WindowPixel(HWND wnd, int x, int y) {
    const WindowDC dc(wnd, GetWindowDC(wnd));
    return GetPixel(dc.get(), x, y);
}

// The item's rectangle in the menu window's coordinates.
RECT ItemInWindow(HWND wnd, HMENU menu, int position) {
    RECT item{}, window{};
    GetMenuItemRect(nullptr, menu, static_cast<UINT>(position), &item);
    GetWindowRect(wnd, &window);
    OffsetRect(&item, -window.left, -window.top);
    return item;
}

TEST(XPPopupPixels, ImageShadowAndCheckedBackground) {
    ImageMenu m;
    HMENU menu = m.popup->Items()->Handle();
    // Image column: left margin 3 less 3, top margin 4.
    const COLORREF shadow = static_cast<COLORREF>(ColorToRGB(m.painter->ShadowColor()));
    const COLORREF checkedBack = static_cast<COLORREF>(ColorToRGB(m.painter->CheckedImageBackColor()));
    WhileOpen({[&](HWND wnd) {
                   const RECT first = ItemInWindow(wnd, menu, 0);
                   EXPECT_EQ(WindowPixel(wnd, first.left + 5, first.top + 8), kImageRed) << "the image";
                   EXPECT_EQ(WindowPixel(wnd, first.left + 0, first.top + 8), RGB(0xD8, 0xD8, 0xD1))
                       << "the image column";
                   const RECT second = ItemInWindow(wnd, menu, 1);
                   EXPECT_EQ(WindowPixel(wnd, second.left + 1, second.top + 3), checkedBack)
                       << "the checked item's background";
                   PostKey(wnd, VK_DOWN);
               },
               [&](HWND wnd) {
                   const RECT first = ItemInWindow(wnd, menu, 0);
                   // Selected: the image one pixel up and left, its shadow one down and right.
                   EXPECT_EQ(WindowPixel(wnd, first.left + 1 + 14, first.top + 4 + 14), shadow)
                       << "the shadow's bottom-right corner";
                   EXPECT_EQ(WindowPixel(wnd, first.left - 1 + 1, first.top + 4 - 1 + 1), kImageRed);
               }},
              [&] { m.popup->Popup(220, 220); });
}

// A disabled item's image: clBtnHighlight over the disabled text colour one
// pixel down and right.  OnGetItemParams can disable an item as well.
TEST(XPPopupPixels, DisabledImagesAreTheHighlightOverTheDisabledTextColour) {
    ImageMenu m;
    m.second->SetChecked(false);
    m.first->SetEnabled(false);
    m.popup->OnGetItemParams = [&m](TMenu*, TMenuItem* item, TOwnerDrawState& state, TFont*, TColor&,
                                    TGraphic*&, int&) {
        if (item == m.second) state |= odDisabled;
    };
    HMENU menu = m.popup->Items()->Handle();
    const auto top = static_cast<COLORREF>(ColorToRGB(clBtnHighlight));
    const auto under = static_cast<COLORREF>(ColorToRGB(clBtnShadow));
    WhileOpen({[&](HWND wnd) {
                  for (int position : {0, 1}) {
                      // The image's square from (1, 5) to (14, 18) in the item.
                      const RECT item = ItemInWindow(wnd, menu, position);
                      EXPECT_EQ(WindowPixel(wnd, item.left + 5, item.top + 8), top) << position;
                      EXPECT_EQ(WindowPixel(wnd, item.left + 15, item.top + 19), under) << position;
                  }
              }},
              [&] { m.popup->Popup(220, 220); });
}

// Right to left: the menu opens to the left of the point, the image column
// on the items' right; an item's bitmap is its glyph.
TEST(XPPopupPixels, RightToLeftAndAnItemsBitmap) {
    ImageMenu m;
    TBitmap glyph;
    glyph.SetSize(16, 16);
    glyph.Canvas()->Brush()->SetColor(clFuchsia);
    glyph.Canvas()->FillRect(Rect(0, 0, 16, 16));
    glyph.Canvas()->Brush()->SetColor(clBlue);
    glyph.Canvas()->FillRect(Rect(1, 1, 15, 15));
    m.second->SetImageIndex(-1);
    m.second->SetBitmap(&glyph);
    m.popup->SetBiDiMode(bdRightToLeft);
    HMENU menu = m.popup->Items()->Handle();
    WhileOpen({[&](HWND wnd) {
                  RECT window{};
                  GetWindowRect(wnd, &window);
                  EXPECT_EQ(window.right, 220) << "aligned to the point from the right";
                  // The 23-pixel image column at the right: the image 16 from the edge.
                  const RECT first = ItemInWindow(wnd, menu, 0);
                  EXPECT_EQ(WindowPixel(wnd, first.right - 5, first.top + 8), kImageRed) << "the image";
                  EXPECT_EQ(WindowPixel(wnd, first.right - 21, first.top + 8), RGB(0xD8, 0xD8, 0xD1))
                      << "the image column";
                  EXPECT_NE(WindowPixel(wnd, first.left + 5, first.top + 8), kImageRed);
                  const RECT second = ItemInWindow(wnd, menu, 1);
                  EXPECT_EQ(WindowPixel(wnd, second.right - 5, second.top + 8), RGB(0, 0, 255))
                      << "the glyph";
              }},
              [&] { m.popup->Popup(220, 220); });
}

}  // namespace
