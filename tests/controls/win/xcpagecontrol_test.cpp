// TXcPageControl in a test window: all tabs hidden with or without a window
// and after loading, the client border, Ctrl+Tab, right clicks, disabled
// pages' tabs, pages that lose their window, and the tab painters.
#include "controls/win/XcPageControl.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "classlib/win/Forms.h"
#include "tests/win/FormsTestSupport.h"
#include "tests/win/GraphicsSupport.h"

namespace {

using namespace cl;
using namespace cltest;

struct PagesWindow {
    explicit PagesWindow(int pages = 3) : form(Make<TForm>(nullptr)) {
        form->SetBounds(80, 80, 360, 260);
        control = new TXcPageControl(form.get());
        control->SetBounds(0, 0, 340, 220);
        for (int i = 0; i < pages; ++i) AddPage();
    }
    TTabSheet* AddPage() {
        auto* sheet = new TTabSheet(form.get());
        sheet->SetCaption("Strona " + std::to_string(sheets.size() + 1));
        sheet->SetPageControl(control);
        sheets.push_back(sheet);
        return sheet;
    }
    void Show() {
        control->SetParent(form.get());
        form->Show();
        Pump();
    }
    LRESULT Tabs() { return SendMessageW(control->Handle(), TCM_GETITEMCOUNT, 0, 0); }
    LPARAM TabCenter(int tab) {
        const TRect r = control->TabRect(tab);
        return MAKELPARAM((r.left + r.right) / 2, (r.top + r.bottom) / 2);
    }

    Owned<TForm> form;
    TXcPageControl* control;
    std::vector<TTabSheet*> sheets;
};

TEST(XcPageControl, HideAllTabsHidesEveryTabWithOrWithoutAWindow) {
    struct Case {
        const char* name;
        bool beforeWindow;
    } const cases[] = {{"before the window", true}, {"with a window", false}};
    for (const Case& c : cases) {
        PagesWindow w;
        if (c.beforeWindow) w.control->SetHideAllTabs(true);
        w.Show();
        w.control->SetActivePage(w.sheets[1]);
        if (!c.beforeWindow) w.control->SetHideAllTabs(true);
        EXPECT_EQ(w.Tabs(), 0) << c.name;
        EXPECT_EQ(w.control->ActivePage(), w.sheets[1]) << c.name;
        EXPECT_FALSE(w.control->TabStop()) << c.name;
        w.AddPage();
        EXPECT_EQ(w.Tabs(), 0) << c.name << ": a page joining later";
        const TRect page = w.sheets[1]->BoundsRect();
        EXPECT_EQ(page.top, 0) << c.name << ": the page fills the control";
        w.control->SetHideAllTabs(false);
        EXPECT_EQ(w.Tabs(), 0) << c.name << ": hidden tabs stay hidden";
    }
}

TEST(XcPageControl, LoadingAppliesHideAllTabsAgain) {
    auto form = Make<TForm>(nullptr);
    TXcPageControl* control = nullptr;
    LoadComponentTree(*form, [&] {
        control = new TXcPageControl(form.get());
        control->SetHideAllTabs(true);
        for (const char* caption : {"Ekspert", "Formularze"}) {
            auto* sheet = new TTabSheet(form.get());
            sheet->SetCaption(caption);
            sheet->SetTabVisible(true);
            sheet->SetPageControl(control);
        }
    });
    control->SetParent(form.get());
    form->Show();
    EXPECT_EQ(SendMessageW(control->Handle(), TCM_GETITEMCOUNT, 0, 0), 0);
    for (int i = 0; i < control->PageCount(); ++i) EXPECT_FALSE(control->Pages(i)->TabVisible());
}

TEST(XcPageControl, ClientBorderWidthMovesThePages) {
    PagesWindow standard, wide;
    wide.control->SetClientBorderWidth(10);
    standard.Show();
    wide.Show();
    const TRect a = standard.control->DisplayRect(), b = wide.control->DisplayRect();
    EXPECT_EQ(b.left - a.left, 6);
    EXPECT_EQ(a.bottom - b.bottom, 6);
}

TEST(XcPageControl, CtrlTabSwitchesPagesOnlyWhenAsked) {
    PagesWindow w;
    w.sheets[1]->SetEnabled(false);
    w.Show();
    int changes = 0;
    w.control->OnChange = [&changes](TObject*) { ++changes; };
    const HeldKeys ctrl({VK_CONTROL});
    w.control->Perform(CM_CHILDKEY, VK_TAB, reinterpret_cast<LPARAM>(w.control));
    EXPECT_EQ(w.control->ActivePage(), w.sheets[0]) << "HandleGlobalTab is off";
    w.control->SetHandleGlobalTab(true);
    EXPECT_EQ(w.control->Perform(CM_CHILDKEY, VK_TAB, reinterpret_cast<LPARAM>(w.control)), 1);
    EXPECT_EQ(w.control->ActivePage(), w.sheets[2]) << "past the disabled page";
    {
        const HeldKeys shift({VK_CONTROL, VK_SHIFT});
        w.control->Perform(CM_CHILDKEY, VK_TAB, reinterpret_cast<LPARAM>(w.control));
    }
    EXPECT_EQ(w.control->ActivePage(), w.sheets[0]);
    EXPECT_EQ(changes, 2);
}

TEST(XcPageControl, ClicksOnTabs) {
    PagesWindow w;
    w.sheets[1]->SetEnabled(false);
    w.Show();
    HWND wnd = w.control->Handle();
    PostClick(wnd, LOWORD(w.TabCenter(1)), HIWORD(w.TabCenter(1)));
    Pump();
    EXPECT_EQ(w.control->ActivePage(), w.sheets[0]) << "a disabled page's tab";
    PostMessageW(wnd, WM_RBUTTONDOWN, MK_RBUTTON, w.TabCenter(2));
    PostMessageW(wnd, WM_RBUTTONUP, 0, w.TabCenter(2));
    Pump();
    EXPECT_EQ(w.control->ActivePage(), w.sheets[0]) << "RightClickSelect is off";
    w.control->SetRightClickSelect(true);
    PostMessageW(wnd, WM_RBUTTONDOWN, MK_RBUTTON, w.TabCenter(2));
    PostMessageW(wnd, WM_RBUTTONUP, 0, w.TabCenter(2));
    Pump();
    EXPECT_EQ(w.control->ActivePage(), w.sheets[2]);
}

TEST(XcPageControl, ReduceMemoryUseReleasesTheWindowOfThePageLeft) {
    PagesWindow w;
    w.Show();
    w.control->SetReduceMemoryUse(true);
    ASSERT_TRUE(w.sheets[0]->HandleAllocated());
    w.control->SelectNextPage(true);
    EXPECT_EQ(w.control->ActivePage(), w.sheets[1]);
    EXPECT_FALSE(w.sheets[0]->HandleAllocated());
}

// Records each tab it is asked to draw.
class TRecordingPainter : public TXcTabControlPainter {
public:
    using TXcTabControlPainter::TXcTabControlPainter;
    void DrawTab(TWinControl*, TCanvas*, TCustomImageList*, int, const std::string& caption, const TRect&,
                 bool active, bool) override {
        drawn.push_back(caption + (active ? "*" : ""));
    }
    std::vector<std::string> drawn;
};

TEST(XcPageControl, APainterDrawsTheShownTabs) {
    PagesWindow w;
    w.sheets[1]->SetTabVisible(false);
    auto* painter = new TRecordingPainter(w.form.get());
    w.control->SetTabPainter(painter);
    EXPECT_EQ(painter->ControlCount(), 1);
    w.Show();
    w.control->Repaint();
    Pump();
    ASSERT_FALSE(painter->drawn.empty());
    for (const std::string& tab : painter->drawn) EXPECT_TRUE(tab == "Strona 1*" || tab == "Strona 3") << tab;
    painter->Free();
    EXPECT_EQ(w.control->TabPainter(), nullptr);
    w.control->Repaint();
}

TEST(XcPageControl, DefaultPainterFillsWithTheStatesGradient) {
    auto form = Make<TForm>(nullptr);
    TXcTabDefaultPainter painter(form.get());
    EXPECT_EQ(painter.ActiveFont()->Color(), clHighlight);
    EXPECT_EQ(painter.DisabledFont()->Color(), clGrayText);
    // The main window's painter.
    painter.SetActiveColorFrom(clNavy);
    painter.SetActiveColorTo(static_cast<TColor>(0x00FFF0F0));
    painter.SetActiveGradientDirection(fdLeftToRight);
    const TColor face = ColorToRGB(clBtnFace);
    struct Case {
        bool active, enabled;
        TPoint first, last;  // the gradient's two ends
        TColor from, to;
    } const cases[] = {
        {true, true, {0, 10}, {79, 10}, clNavy, static_cast<TColor>(0x00FFF0F0)},
        {false, true, {40, 0}, {40, 19}, static_cast<TColor>(0xD7D7D7), static_cast<TColor>(0xADADAD)},
        {false, false, {0, 0}, {79, 19}, face, face},
    };
    for (const Case& c : cases) {
        gfxtest::Surface s(80, 20);
        painter.DrawTab(nullptr, &s.Canvas(), nullptr, -1, "", Rect(0, 0, 80, 20), c.active, c.enabled);
        EXPECT_EQ(s.At(c.first.x, c.first.y), c.from) << c.active << c.enabled;
        EXPECT_EQ(s.At(c.last.x, c.last.y), c.to) << c.active << c.enabled;
    }
}

}  // namespace
