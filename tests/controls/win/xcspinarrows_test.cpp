// The diagonal spin button of the print dialog drawn with the theme: each
// half shows its arrow inside its own triangle, away from the diagonal.
#include <gtest/gtest.h>

#include "classlib/win/Forms.h"
#include "controls/win/XcSpinButton.h"
#include "tests/controls/win/PinnedThemes.h"
#include "tests/win/FormsTestSupport.h"

namespace {

using namespace cl;
using namespace cltest;

// Pixels clearly darker than the button's face within two rows and three
// columns of (cx, cy): an arrow there, not a frame.
int ArrowPixels(HWND wnd, int x0, int y0, int cx, int cy) {
    int count = 0;
    for (int y = cy - 2; y <= cy + 2; ++y)
        for (int x = cx - 3; x <= cx + 3; ++x) {
            const COLORREF c = PixelOf(wnd, x0 + x, y0 + y);
            if (GetRValue(c) + GetGValue(c) + GetBValue(c) < 3 * 200) ++count;
        }
    return count;
}

TEST(XcSpinButton, ThemedDiagonalHalvesShowTheirArrows) {
    PinnedThemes themed(true);
    const ThemeServicesScope scope(themed);
    Owned<TForm> form = Make<TForm>(nullptr);
    form->SetBounds(120, 120, 200, 150);
    auto* button = new TXcSpinButton(form.get());
    button->SetButtonStyle(sbsDefault);
    const int w = 15, h = 21;
    button->SetBounds(10, 10, w, h);
    button->SetParent(form.get());
    form->Show();
    Pump();
    form->Repaint();
    HWND wnd = form->Handle();
    // The middles of the halves, inside their triangles.
    EXPECT_GE(ArrowPixels(wnd, 10, 10, w / 2, h / 4), 3) << "the up arrow";
    EXPECT_GE(ArrowPixels(wnd, 10, 10, w / 2, 3 * h / 4), 3) << "the down arrow";
}

}  // namespace
