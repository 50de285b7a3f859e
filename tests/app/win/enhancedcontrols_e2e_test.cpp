// The main window's enhanced trees, page control and image lists in the
// real program: the page control shows no tab and ignores the keys and
// clicks that would switch its sheets, the trees draw their lines in the
// layout's colours and track the mouse, and the screen shows the tool bar's
// glyphs without their key colour and red dots by the first step.  The
// desktop is saved as screenshots\MainWindow.bmp for a person to look at.
#include <gtest/gtest.h>

#include <cstring>
#include <optional>
#include <string>

#include "tests/app/win/InstalledProgramTest.h"
#include "tests/driver/RemoteBuffer.h"
#include "tests/support/Input.h"
#include "tests/support/TinyHttpServer.h"

namespace {

using namespace e2e;

class EnhancedControlsTest : public InstalledProgramTest {
protected:
    void SetUp() override {
        copy_.Remove("pi\\intro.html");
        Start();
    }
    // A rectangle the other process fills in (the first bytes go in as given).
    static RECT Remote(HWND wnd, UINT message, WPARAM wParam, const RECT& in) {
        const TRemoteBuffer buffer(wnd, sizeof(RECT));
        RECT r = in;
        if (!buffer.Write(0, &r, sizeof r) || !Ask(wnd, message, wParam, buffer.Param()) ||
            !buffer.Read(0, &r, sizeof r))
            return RECT{};
        return r;
    }

    cltest::ClosedPort updateServer_{SPRAW_E2E_PORT, 60000};
};

TEST_F(EnhancedControlsTest, PageControlShowsNoTabAndKeepsItsSheet) {
    HWND pages = Named("XcPageControl1");
    EXPECT_EQ(Ask(pages, TCM_GETITEMCOUNT), 0);
    HWND sheet = Named("TabSheet1");
    RECT pagesRect{}, sheetRect{};
    GetClientRect(pages, &pagesRect);
    GetWindowRect(sheet, &sheetRect);
    EXPECT_EQ(sheetRect.right - sheetRect.left, pagesRect.right) << "the sheet fills the control";
    EXPECT_EQ(sheetRect.bottom - sheetRect.top, pagesRect.bottom);
    cltest::PostKey(pages, VK_RIGHT);
    cltest::PostKey(pages, VK_LEFT);
    program_->PostShortcut(pages, VK_TAB, {VK_CONTROL});
    cltest::PostClick(pages, 40, 4);
    ASSERT_TRUE(program_->WaitForIdle());
    EXPECT_TRUE(IsWindowVisible(sheet));
    EXPECT_FALSE(IsWindowVisible(Named("TabSheet2")));
}

TEST_F(EnhancedControlsTest, TreesDrawTheirLinesInTheLayoutsColours) {
    HWND steps = Named("XcTreeView1"), forms = Named("XcTreeView2");
    EXPECT_EQ(Ask(steps, TVM_GETLINECOLOR), 0x0000FF);
    EXPECT_EQ(Ask(forms, TVM_GETLINECOLOR), 0x008000);
    for (HWND tree : {steps, forms}) {
        const LONG style = GetWindowLongW(tree, GWL_STYLE);
        EXPECT_TRUE(style & TVS_TRACKSELECT);
        EXPECT_TRUE(style & TVS_LINESATROOT);
    }
    EXPECT_FALSE(GetWindowLongW(forms, GWL_STYLE) & TVS_HASBUTTONS);
}

TEST_F(EnhancedControlsTest, ScreenShowsTheGlyphsAndTheRedDots) {
    HWND bar = Named("XcToolBar1"), steps = Named("XcTreeView1");
    ASSERT_TRUE(WaitUntil([&] { return Ask(steps, TVM_GETCOUNT) > 0; }, 5000));
    RedrawWindow(main_, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    ASSERT_TRUE(program_->WaitForIdle());
    cltest::SaveScreenBitmap(cltest::ExeFolder() + "screenshots\\MainWindow.bmp");
    HDC screen = GetDC(nullptr);

    // Every button's glyph, none of its key colour.
    const int buttons = static_cast<int>(Ask(bar, TB_BUTTONCOUNT));
    int glyphs = 0, fuchsia = 0;
    for (int i = 0; i < buttons; ++i) {
        RECT r = Remote(bar, TB_GETITEMRECT, static_cast<WPARAM>(i), RECT{});
        if (r.right - r.left < 16) continue;  // a separator
        MapWindowPoints(bar, nullptr, reinterpret_cast<POINT*>(&r), 2);
        const COLORREF ground = GetPixel(screen, r.left + 1, r.top + 1);
        int ink = 0;
        for (int y = r.top; y < r.bottom; ++y) {
            for (int x = r.left; x < r.right; ++x) {
                const COLORREF c = GetPixel(screen, x, y);
                fuchsia += c == RGB(255, 0, 255);
                ink += c != ground;
            }
        }
        glyphs += ink > 20;
    }
    EXPECT_EQ(glyphs, 5) << "exit, new, load, save, print";
    EXPECT_EQ(fuchsia, 0);

    // The dotted line beside the first step.
    RECT item{};
    const HTREEITEM first = reinterpret_cast<HTREEITEM>(Ask(steps, TVM_GETNEXTITEM, TVGN_ROOT));
    std::memcpy(&item, &first, sizeof first);
    item = Remote(steps, TVM_GETITEMRECT, TRUE, item);
    ASSERT_GT(item.right, 0);
    int red = 0;
    for (int y = item.top; y < item.bottom; ++y) {
        for (int x = 0; x < item.left; ++x) {
            POINT p{x, y};
            ClientToScreen(steps, &p);
            red += GetPixel(screen, p.x, p.y) == RGB(255, 0, 0);
        }
    }
    ReleaseDC(nullptr, screen);
    EXPECT_GT(red, 2);
}

}  // namespace
