// The up-down: clicks on its arrows step the position by the increment,
// show it in the buddy edit, fire OnClick with the direction, and can be
// refused by OnChanging; the range stops or wraps the steps.
#include <gtest/gtest.h>
#include <windows.h>
// After windows.h, which it needs.
#include <commctrl.h>

#include "classlib/win/Forms.h"
#include "classlib/win/StdCtrls.h"
#include "classlib/win/UpDown.h"
#include "tests/win/FormsTestSupport.h"

namespace {

using namespace cl;
using namespace cltest;

struct UpDownForm {
    std::vector<TUDBtnType> clicks;
    Owned<TForm> form = Make<TForm>(nullptr);
    TEdit* edit = new TEdit(form.get());
    TUpDown* upDown = new TUpDown(form.get());

    UpDownForm() {
        edit->SetParent(form.get());
        edit->SetBounds(10, 10, 80, 21);
        upDown->SetParent(form.get());
        upDown->SetMin(0);
        upDown->SetMax(10);
        upDown->SetPosition(5);
        upDown->SetIncrement(2);
        upDown->SetAssociate(edit);
        upDown->OnClick = [this](TObject*, TUDBtnType button) { clicks.push_back(button); };
        form->Show();
        Pump();
    }
    // Clicks the upper (next) or lower (previous) arrow.
    void Step(bool up) {
        const TRect r = upDown->ClientRect();
        PostClick(upDown->Handle(), r.right / 2, up ? 3 : r.bottom - 3);
        Pump();
    }
};

TEST(UpDown, ArrowClicksStepByTheIncrementWithinTheRange) {
    struct Case {
        int position;
        bool wrap;
        std::vector<bool> steps;  // true: up
        int expected;
        std::vector<TUDBtnType> clicks;
    };
    const Case cases[] = {
        {5, false, {true}, 7, {btNext}},
        {5, false, {false, false}, 1, {btPrev, btPrev}},
        {9, false, {true}, 10, {btNext}},
        {10, false, {true}, 10, {}},
        // Wrapping keeps the overshoot beyond the end: 10 + 2 goes to 0 + 1.
        {10, true, {true}, 1, {btNext}},
        {0, true, {false}, 9, {btPrev}},
    };
    for (const Case& c : cases) {
        UpDownForm f;
        f.upDown->SetWrap(c.wrap);
        f.upDown->SetPosition(c.position);
        for (bool up : c.steps) f.Step(up);
        EXPECT_EQ(f.upDown->Position(), c.expected) << c.position << c.wrap;
        EXPECT_EQ(f.edit->Text(), std::to_string(c.expected)) << c.position << c.wrap;
        EXPECT_EQ(f.clicks, c.clicks) << c.position << c.wrap;
    }
}

TEST(UpDown, ChangingCanRefuseTheStep) {
    UpDownForm f;
    bool allow = false;
    int asked = 0;
    f.upDown->OnChanging = [&](TObject*, bool& allowChange) {
        ++asked;
        allowChange = allow;
    };
    f.Step(true);
    EXPECT_EQ(f.upDown->Position(), 5);
    EXPECT_TRUE(f.clicks.empty());
    allow = true;
    f.Step(true);
    EXPECT_EQ(f.upDown->Position(), 7);
    EXPECT_EQ(asked, 2);
}

TEST(UpDown, StandsBesideItsBuddyAndKeepsItAcrossRecreation) {
    UpDownForm f;
    EXPECT_EQ(reinterpret_cast<HWND>(SendMessageW(f.upDown->Handle(), UDM_GETBUDDY, 0, 0)), f.edit->Handle());
    // At the buddy's right edge, over its sunken border.
    EXPECT_LE(std::abs(f.upDown->Left() - (f.edit->Left() + f.edit->Width())), 2);
    f.upDown->SetOrientation(udHorizontal);
    EXPECT_TRUE(GetWindowLongW(f.upDown->Handle(), GWL_STYLE) & UDS_HORZ);
    EXPECT_EQ(reinterpret_cast<HWND>(SendMessageW(f.upDown->Handle(), UDM_GETBUDDY, 0, 0)), f.edit->Handle());
    EXPECT_EQ(f.upDown->Position(), 5);
    f.edit->Free();
    EXPECT_EQ(f.upDown->Associate(), nullptr);
}

}  // namespace
