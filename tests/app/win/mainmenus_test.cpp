// The main window's owner-drawn menu bar, read back from the open
// drop-down's own window: the XP look (image column, caption and shortcut
// columns, separator, disabled item, the frame, the selection); the
// statement viewer's one menu per right click; the status bar's hint.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>

#include "classlib/win/ExtCtrls.h"
#include "classlib/win/GdiHandles.h"
#include "tests/app/win/MainFormFixture.h"

namespace {

using namespace cl;
using namespace cltest;
using namespace maintest;

COLORREF Rgb(TColor color) {
    return static_cast<COLORREF>(ColorToRGB(color));
}

// The drop-down window shown now, nullptr when none.
HWND OpenMenuWindow() {
    HWND wnd = FindWindowW(L"#32768", nullptr);
    return wnd && IsWindowVisible(wnd) ? wnd : nullptr;
}

// The menu window's pixels in its own coordinates, and its items' rectangles there.
struct MenuWindow {
    HWND wnd;
    HMENU menu;
    COLORREF Pixel(int x, int y) const {
        const WindowDC dc(wnd, GetWindowDC(wnd));
        return GetPixel(dc.get(), x, y);
    }
    RECT Item(int position) const {
        RECT item{}, window{};
        GetMenuItemRect(nullptr, menu, static_cast<UINT>(position), &item);
        GetWindowRect(wnd, &window);
        OffsetRect(&item, -window.left, -window.top);
        return item;
    }
    RECT Window() const {
        RECT r{};
        GetWindowRect(wnd, &r);
        OffsetRect(&r, -r.left, -r.top);
        return r;
    }
    // The columns from x on that hold a pixel other than the background in the item's rows.
    int FirstInk(const RECT& item, int from, COLORREF background) const {
        const WindowDC dc(wnd, GetWindowDC(wnd));
        for (int x = from; x < item.right; ++x)
            for (int y = item.top; y < item.bottom; ++y)
                if (GetPixel(dc.get(), x, y) != background) return x;
        return -1;
    }
    bool Holds(const RECT& item, COLORREF color) const {
        const WindowDC dc(wnd, GetWindowDC(wnd));
        for (int y = item.top; y < item.bottom; ++y)
            for (int x = item.left; x < item.right; ++x)
                if (GetPixel(dc.get(), x, y) == color) return true;
        return false;
    }
};

// Steps run inside the menu's loop, one per timer tick while a menu shows;
// the menu is ended after the last.
void WithMenuOpen(const std::vector<std::function<void(HWND)>>& steps, const std::function<void()>& open) {
    size_t next = 0;
    Owned<TTimer> timer(new TTimer(nullptr));
    timer->SetInterval(150);
    timer->SetOnTimer([&](TObject*) {
        HWND wnd = OpenMenuWindow();
        if (!wnd) return;
        if (next < steps.size()) steps[next++](wnd);
        if (next == steps.size()) {
            timer->SetEnabled(false);
            EndMenu();
        }
    });
    open();
    PumpUntil([&] { return next == steps.size() && !OpenMenuWindow(); }, 5000);
    EXPECT_EQ(next, steps.size()) << "the menu did not open";
}

TEST_F(MainFormTest, TheOpenMenuShowsTheXPLook) {
    int measured = 0;
    form_->WindowHooks().Add([&](TMessage& m, bool&) {
        if (m.Msg == WM_MEASUREITEM && reinterpret_cast<MEASUREITEMSTRUCT*>(m.LParam)->CtlType == ODT_MENU)
            ++measured;
    });
    TMenuItem* statements = form_->XcMainMenu1->Items()->Items(0);
    const MenuWindow probe{nullptr, statements->Handle()};
    // The widest caption and eight blanks before the shortcuts, in the menu font.
    const ScreenDC screen;
    TCanvas text(screen.get());
    text.Font()->Assign(Screen->MenuFont());
    int widest = 0;
    for (int i = 0; i < statements->Count(); ++i) {
        TRect r = Rect(0, 0, 0, 0);
        text.DrawText(statements->Items(i)->Caption(), r, DT_SINGLELINE | DT_EXPANDTABS | DT_CALCRECT);
        widest = std::max<int>(widest, r.right);
    }
    const int shortCuts = 7 + 2 + widest + text.TextWidth("        ");
    const COLORREF imageBack = RGB(0xD8, 0xD8, 0xD1), white = RGB(255, 255, 255);
    const COLORREF brush = RGB(0xB6, 0xBD, 0xD2), pen = RGB(0x0A, 0x24, 0x6A);
    // Opened by its access key, the drop-down selects its first item.
    auto selected = [&](const MenuWindow& m, const RECT& item) {
        const int middle = (item.top + item.bottom) / 2;
        EXPECT_EQ(m.Pixel(item.left + 3, middle), brush) << "the selection brush over the image column";
        EXPECT_EQ(m.Pixel(item.left + 20, item.top), pen) << "the selection pen";
        EXPECT_EQ(m.Pixel(item.left + 20, item.bottom - 1), white) << "a white row under it";
        EXPECT_EQ(m.Pixel(2, middle), pen) << "the frame's side";
        EXPECT_TRUE(m.Holds(item, Rgb(clMenuText))) << "the caption keeps the menu text colour";
    };
    auto unselected = [&](const MenuWindow& m, const RECT& item) {
        const int middle = (item.top + item.bottom) / 2;
        EXPECT_EQ(m.Pixel(item.left + 3, middle), imageBack) << "the 7-pixel image column";
        EXPECT_EQ(m.Pixel(item.left + 7, middle), white);
        EXPECT_EQ(m.Pixel(1, middle), imageBack) << "the column reaches the border";
        const int caption = m.FirstInk(item, item.left + 7, white);
        EXPECT_GE(caption, item.left + 9) << "the caption 2 pixels after the column";
        EXPECT_LE(caption, item.left + 10);
        const int shortCut = m.FirstInk(item, item.left + shortCuts - 4, white);
        EXPECT_GE(shortCut, item.left + shortCuts) << "the shortcut at the widest caption and 8 blanks";
        EXPECT_LE(shortCut, item.left + shortCuts + 1);
    };
    WithMenuOpen({[&](HWND wnd) {
                      const MenuWindow m{wnd, probe.menu};
                      selected(m, m.Item(0));
                      const RECT second = m.Item(1);
                      unselected(m, second);
                      EXPECT_EQ(second.bottom - second.top,
                                std::max<int>(GetSystemMetrics(SM_CYMENU), text.TextHeight("Wczytaj")) + 2);

                      const RECT line = m.Item(2);
                      EXPECT_EQ(line.bottom - line.top, 3);
                      EXPECT_EQ(m.Pixel(line.left + 30, line.top + 1), RGB(0xA6, 0xA6, 0xA6))
                          << "the separator";
                      EXPECT_EQ(m.Pixel(line.left + 3, line.top + 1), imageBack);

                      const RECT save = m.Item(3);
                      EXPECT_TRUE(m.Holds(save, Rgb(clBtnShadow))) << "disabled in the button shadow";
                      EXPECT_FALSE(m.Holds(save, Rgb(clMenuText)));

                      const RECT window = m.Window();
                      const COLORREF outline = RGB(102, 102, 102);
                      EXPECT_EQ(m.Pixel(0, window.bottom / 2), outline);
                      EXPECT_EQ(m.Pixel(window.right - 1, window.bottom / 2), outline);
                      EXPECT_EQ(m.Pixel(window.right / 2, 0), outline);
                      PostKey(wnd, VK_DOWN);
                  },
                  [&](HWND wnd) {
                      const MenuWindow m{wnd, probe.menu};
                      unselected(m, m.Item(0));
                      selected(m, m.Item(1));
                  }},
                 [&] { PostAltKey(form_->Handle(), 'S'); });
    EXPECT_GT(measured, 0) << "no WM_MEASUREITEM: the menu was not owner-drawn on this display";
}

TEST_F(MainFormTest, OneRightClickOnTheViewerOpensOneMenu) {
    HWND viewer = form_->XcRichEdit1->Handle();
    ASSERT_TRUE(IsWindowVisible(viewer));
    int opened = 0;
    bool open = false;
    Owned<TTimer> timer(new TTimer(nullptr));
    timer->SetInterval(50);
    timer->SetOnTimer([&](TObject*) {
        HWND wnd = OpenMenuWindow();
        if (wnd && !open) {
            ++opened;
            PostKey(wnd, VK_ESCAPE);
        }
        open = wnd != nullptr;
    });
    PostMessageW(viewer, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(20, 20));
    PostMessageW(viewer, WM_RBUTTONUP, 0, MAKELPARAM(20, 20));
    Pump(1000);
    EXPECT_EQ(opened, 1);
    EXPECT_FALSE(OpenMenuWindow());
}

TEST_F(MainFormTest, TheStatusBarShowsTheHintInOneBorderlessPart) {
    HWND bar = form_->XcStatusBar1->Handle();
    EXPECT_TRUE(SendMessageW(bar, SB_ISSIMPLE, 0, 0));
    THintAction hint(nullptr);
    hint.SetHint("Nowe sprawozdanie (Ctrl+N)");
    EXPECT_TRUE(form_->XcStatusBar1->ExecuteAction(&hint));
    EXPECT_FALSE(SendMessageW(bar, SB_ISSIMPLE, 0, 0));
    EXPECT_EQ(HIWORD(SendMessageW(bar, SB_GETTEXTLENGTHW, 0, 0)) & SBT_NOBORDERS, SBT_NOBORDERS);
    hint.SetHint("");
    form_->XcStatusBar1->ExecuteAction(&hint);
    EXPECT_TRUE(SendMessageW(bar, SB_ISSIMPLE, 0, 0));
}

}  // namespace
