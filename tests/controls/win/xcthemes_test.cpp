// Themed backgrounds (each case pins the theme state through the theme
// services seam), the parent erasing into a child's context, painting into
// a caller's context, and the enhanced controls' shared behaviour.
#include "controls/win/XcThemes.h"

#include <gtest/gtest.h>

#include <vector>

#include "classlib/win/Forms.h"
#include "controls/win/XcCustomControl.h"
#include "tests/controls/win/PinnedThemes.h"
#include "tests/win/FormsTestSupport.h"
#include "tests/win/GraphicsSupport.h"

namespace {

using namespace cl;
using namespace cltest;

// The theme state pinned; the parent's themed background is recorded, not
// drawn.
class RecordingThemes : public PinnedThemes {
public:
    using PinnedThemes::PinnedThemes;
    void DrawParentBackground(HWND wnd, HDC, const TThemedElementDetails*, bool, const RECT*) override {
        parentBackgrounds.push_back(wnd);
    }
    std::vector<HWND> parentBackgrounds;
};

class TSwatch : public TGraphicControl {
public:
    using TGraphicControl::TGraphicControl;
};

// A parent that counts the backgrounds it is asked to erase.
struct ErasingParent {
    ErasingParent() : form(Make<TForm>(nullptr)) {
        form->SetColor(clBtnFace);
        form->SetBounds(50, 50, 200, 150);
        form->WindowHooks().Add([this](TMessage& m, bool&) {
            if (m.Msg == WM_ERASEBKGND) {
                HDC dc = reinterpret_cast<HDC>(m.WParam);
                GetWindowOrgEx(dc, &orgDuringErase);
                GetClipBox(dc, &clipDuringErase);
                ++erased;
            }
        });
    }
    Owned<TForm> form;
    int erased = 0;
    POINT orgDuringErase{};
    RECT clipDuringErase{};
};

enum class Path { Fill, ThemeParent, EraseByParent };

TEST(DrawThemedBackground, TakesTheParentsBackgroundOnlyWhenAllFiveConditionsHold) {
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    const struct {
        const char* name;
        bool themes;
        TColor color;
        bool parentBackground;  // csParentBackground
        bool needsParentBackground;
        bool doubleBuffered;
        bool graphic;
        Path path;
    } cases[] = {
        {"windowed, themes on", true, clBtnFace, true, true, false, false, Path::ThemeParent},
        {"windowed, themes off", false, clBtnFace, true, true, false, false, Path::Fill},
        {"colour equal as RGB", true, static_cast<TColor>(face), true, true, false, false, Path::ThemeParent},
        {"another colour", true, clRed, true, true, false, false, Path::Fill},
        {"no csParentBackground", true, clBtnFace, false, true, false, false, Path::Fill},
        {"parent background not needed", true, clBtnFace, false, false, false, false, Path::ThemeParent},
        {"double-buffered", true, clBtnFace, true, true, true, false, Path::EraseByParent},
        {"graphic control", true, clBtnFace, true, true, false, true, Path::EraseByParent},
        {"graphic control, themes off", false, clBtnFace, true, true, false, true, Path::Fill},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        RecordingThemes themes(c.themes);
        const ThemeServicesScope pinned(themes);
        ErasingParent parent;
        TControl* control;
        if (c.graphic) {
            control = new TSwatch(parent.form.get());
        } else {
            auto* win = new TXcCustomControl(parent.form.get());
            win->SetDoubleBuffered(c.doubleBuffered);
            control = win;
        }
        control->SetBounds(10, 20, 40, 30);
        control->SetParent(parent.form.get());
        if (c.parentBackground) IncludeThemeStyle(control, csParentBackground | csOpaque);
        EXPECT_EQ(ThemeStyle(control), c.parentBackground ? csParentBackground : 0u);

        gfxtest::Surface surface(40, 30);
        surface.Canvas().Brush()->SetColor(clWhite);
        DrawThemedBackgroundColor(control, surface.Canvas(), Rect(0, 0, 40, 30), c.needsParentBackground,
                                  c.color);

        EXPECT_EQ(themes.parentBackgrounds.size(), c.path == Path::ThemeParent ? 1u : 0u);
        EXPECT_EQ(parent.erased, c.path == Path::EraseByParent ? 1 : 0);
        if (c.path == Path::Fill) {
            EXPECT_EQ(surface.At(5, 5), ColorToRGB(c.color));
        }
        EXPECT_EQ(surface.Canvas().Brush()->Color(), clWhite) << "the brush colour is put back";
    }
}

TEST(DrawThemedBackground, BrushVariantDecidesByTheBrushColour) {
    RecordingThemes themes(true);
    const ThemeServicesScope pinned(themes);
    ErasingParent parent;
    auto* control = new TXcCustomControl(parent.form.get());
    control->SetBounds(10, 20, 40, 30);
    control->SetParent(parent.form.get());
    gfxtest::Surface surface(40, 30);
    const OwnedBrush face(CreateSolidBrush(GetSysColor(COLOR_BTNFACE)));
    const OwnedBrush red(CreateSolidBrush(RGB(255, 0, 0)));
    DrawThemedBackgroundBrush(control, surface.Canvas().Handle(), Rect(0, 0, 40, 30), false, face.get());
    EXPECT_EQ(themes.parentBackgrounds.size(), 1u);
    DrawThemedBackgroundBrush(control, surface.Canvas().Handle(), Rect(0, 0, 40, 30), false, red.get());
    EXPECT_EQ(themes.parentBackgrounds.size(), 1u);
    EXPECT_EQ(surface.At(5, 5), static_cast<TColor>(RGB(255, 0, 0)));
}

TEST(PerformEraseBackground, LeavesTheContextsOriginAndClipAsTheyWere) {
    ErasingParent parent;
    auto* control = new TSwatch(parent.form.get());
    control->SetBounds(10, 20, 40, 30);
    control->SetParent(parent.form.get());
    const struct {
        const char* name;
        bool clipped;  // the context has a clip region before
    } cases[] = {{"no clip region", false}, {"a clip region", true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        gfxtest::Surface surface(100, 100);
        HDC dc = surface.Canvas().Handle();
        SetWindowOrgEx(dc, 0, 0, nullptr);
        const OwnedRegion before(CreateRectRgn(0, 0, 90, 80));
        SelectClipRgn(dc, c.clipped ? before.get() : nullptr);
        const TRect clip = Rect(2, 3, 30, 25);

        PerformEraseBackground(control, dc, Point(10, 20), &clip);

        EXPECT_EQ(parent.erased, 1);
        parent.erased = 0;
        EXPECT_EQ(parent.orgDuringErase.x, 10);
        EXPECT_EQ(parent.orgDuringErase.y, 20);
        // The clip rectangle, seen in the moved coordinates.
        EXPECT_EQ(parent.clipDuringErase.left, 12);
        EXPECT_EQ(parent.clipDuringErase.bottom, 45);
        POINT org{-1, -1};
        GetWindowOrgEx(dc, &org);
        EXPECT_EQ(org.x, 0);
        EXPECT_EQ(org.y, 0);
        const OwnedRegion after(CreateRectRgn(0, 0, 0, 0));
        const int has = GetClipRgn(dc, after.get());
        EXPECT_EQ(has, c.clipped ? 1 : 0);
        if (c.clipped) {
            EXPECT_TRUE(EqualRgn(after.get(), before.get()));
        }
        SelectClipRgn(dc, nullptr);
    }
}

// Paints red on whatever context it gets, moving its origin and clipping it.
class TUntidyPainter : public TCustomControl {
public:
    using TCustomControl::TCustomControl;

protected:
    void Paint() override {
        HDC dc = Canvas()->Handle();
        Canvas()->Brush()->SetColor(clRed);
        Canvas()->FillRect(Rect(0, 0, Width(), Height()));
        SetWindowOrgEx(dc, 7, 7, nullptr);
        IntersectClipRect(dc, 0, 0, 3, 3);
    }
};

TEST(PrintClient, PaintsIntoTheCallersContextAndLeavesItsStateAlone) {
    Owned<TForm> form = Make<TForm>(nullptr);
    auto* painter = new TUntidyPainter(form.get());
    painter->SetBounds(0, 0, 30, 20);
    painter->SetParent(form.get());
    form->Show();
    gfxtest::Surface surface(40, 30);
    HDC dc = surface.Canvas().Handle();
    HGDIOBJ brush = GetCurrentObject(dc, OBJ_BRUSH);

    SendMessageW(painter->Handle(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);

    EXPECT_EQ(surface.At(10, 10), clRed);
    EXPECT_EQ(surface.At(35, 25), clWhite);
    POINT org{-1, -1};
    GetWindowOrgEx(dc, &org);
    EXPECT_EQ(org.x, 0);
    EXPECT_EQ(org.y, 0);
    const OwnedRegion clip(CreateRectRgn(0, 0, 0, 0));
    EXPECT_EQ(GetClipRgn(dc, clip.get()), 0);
    EXPECT_EQ(GetCurrentObject(dc, OBJ_BRUSH), brush);
}

TEST(DoubleBuffered, PaintsThroughItsBuffer) {
    Owned<TForm> form = Make<TForm>(nullptr);
    auto* painter = new TUntidyPainter(form.get());
    painter->SetBounds(0, 0, 30, 20);
    painter->SetDoubleBuffered(true);
    painter->SetParent(form.get());
    form->Show();
    painter->Repaint();
    EXPECT_EQ(PixelOf(painter, 15, 10), static_cast<COLORREF>(RGB(255, 0, 0)));
    EXPECT_EQ(PixelOf(painter, 29, 19), static_cast<COLORREF>(RGB(255, 0, 0)));
}

// ---- The enhanced controls' shared behaviour ---------------------------------------
class TFontWatcher : public TXcCustomControl {
public:
    using TXcCustomControl::TXcCustomControl;
    int fontChanges = 0;

protected:
    void FontChanged() override { ++fontChanges; }
};

TEST(EnhancedControl, MouseOverParentColourHintColourAndNotifications) {
    Owned<TForm> form = Make<TForm>(nullptr);
    auto* control = new TFontWatcher(form.get());
    control->SetParent(form.get());
    std::vector<std::string> log;
    control->OnMouseEnter = [&](TObject*) { log.push_back(control->MouseOver() ? "enter, over" : "enter"); };
    control->OnMouseLeave = [&](TObject*) { log.push_back(control->MouseOver() ? "leave, over" : "leave"); };
    control->OnParentColorChange = [&](TObject*) {
        log.push_back(control->Color() == clAqua ? "parent colour, adopted" : "parent colour");
    };

    control->fontChanges = 0;  // the parent's font was taken on joining
    control->Perform(CM_MOUSEENTER, 0, reinterpret_cast<LPARAM>(control));
    control->Perform(CM_MOUSELEAVE, 0, reinterpret_cast<LPARAM>(control));
    form->SetColor(clAqua);
    control->Font()->SetSize(14);
    EXPECT_EQ(log, (std::vector<std::string>{"enter, over", "leave", "parent colour, adopted"}));
    EXPECT_EQ(control->fontChanges, 1);

    THintInfo info;
    info.HintColor = clRed;
    EXPECT_EQ(control->HintColor(), clInfoBk);
    control->Perform(CM_HINTSHOW, 0, reinterpret_cast<LPARAM>(&info));
    EXPECT_EQ(info.HintColor, clInfoBk);
    EXPECT_EQ(GetPropInfo(*control, "HintColor")->GetOrd(*control), clInfoBk);
}

}  // namespace
