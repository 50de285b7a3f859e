// Typing on the balance sheet of Sprawozdawca.exe as a user does: bil
// chosen through the wizard, the natural size, a click on an amount, typed
// digits and Tab, the totals drawn, Esc leaving the stored value, and
// Enter on the last amount of page 1 turning to page 2 with its notice.
#include <gtest/gtest.h>

#include <string>

#include "classlib/win/GdiHandles.h"
#include "tests/app/win/InstalledProgramTest.h"
#include "tests/app/win/SheetFields.h"
#include "tests/support/TinyHttpServer.h"

namespace {

using namespace e2e;

class EditingE2eTest : public InstalledProgramTest {
protected:
    void SetUp() override {
        ASSERT_TRUE(updateServer_.Held());
        Start();
    }

    // The wizard's way to the balance sheet alone: a business, not audited,
    // "Bilans"; then its pages.
    void SelectBalanceSheet() {
        ClickToForms({{"cb1_2_1", -1}});
        preview_ = Named("PrintPreview");
        sheet_ = SheetOf(preview_);
        ASSERT_TRUE(sheet_) << program_->Describe();
    }
    // "Wielkość naturalna", the third button of the forms sheet's tool bar.
    void NaturalSize() {
        ASSERT_TRUE(ClickNaturalSize(Named("XcToolBar2")));
        Idle();
    }

    // A field of bil (form 1) on the sheet at zoom 100.
    static RECT FieldOnSheet(int field) { return e2e::FieldOnSheet(1, field); }
    void ClickField(int field) {
        e2e::ClickField(sheet_, 1, field);
        Idle();
    }
    // The focused window is the editor, and it lies over the field.
    HWND EditorOver(int field) {
        HWND editor = FocusOf(main_);
        EXPECT_TRUE(editor && GetParent(editor) == preview_) << program_->Describe();
        if (!editor) return nullptr;
        RECT on{};
        GetWindowRect(editor, &on);
        MapWindowPoints(nullptr, sheet_, reinterpret_cast<POINT*>(&on), 2);
        const RECT r = FieldOnSheet(field);
        EXPECT_NEAR(on.left, r.left, 1) << field;
        EXPECT_NEAR(on.top, r.top, 1) << field;
        EXPECT_NEAR(on.right - on.left, r.right - r.left + 1, 1) << field;
        return editor;
    }
    // Whether the screen shows ink inside the field (its rectangle inset by 2 px).
    bool Inked(int field) const {
        RECT r = FieldOnSheet(field);
        MapWindowPoints(sheet_, nullptr, reinterpret_cast<POINT*>(&r), 2);
        for (int y = r.top + 2; y < r.bottom - 2; ++y)
            for (int x = r.left + 2; x < r.right - 2; ++x) {
                const COLORREF c = GetPixel(screen_.get(), x, y);
                if (c != CLR_INVALID && GetRValue(c) + GetGValue(c) + GetBValue(c) < 3 * 128) return true;
            }
        return false;
    }

    cltest::ClosedPort updateServer_{SPRAW_E2E_PORT, 60000};
    cl::WindowDC screen_{nullptr};
    HWND preview_ = nullptr;
    HWND sheet_ = nullptr;
};

TEST_F(EditingE2eTest, TypingAnAmountFillsItsTotalsEscKeepsItAndEnterTurnsThePage) {
    SelectBalanceSheet();
    NaturalSize();
    for (int total : {8, 9}) EXPECT_FALSE(Inked(total)) << total;

    ClickField(10);
    HWND editor = EditorOver(10);
    ASSERT_TRUE(editor);
    PostText(editor, "1234,5");
    PostKey(editor, VK_TAB);
    Idle();
    EditorOver(11);
    for (int total : {8, 9}) EXPECT_TRUE(Inked(total)) << total;

    ClickField(10);
    editor = EditorOver(10);
    ASSERT_TRUE(editor);
    EXPECT_EQ(WindowText(editor), "1234,50");
    PostText(editor, "99");
    PostKey(editor, VK_ESCAPE);
    Idle();
    EXPECT_EQ(FocusOf(main_), preview_);
    ClickField(10);
    editor = EditorOver(10);
    ASSERT_TRUE(editor);
    EXPECT_EQ(WindowText(editor), "1234,50");

    // The last amount of page 1, at the bottom of the sheet.
    PostKey(editor, VK_ESCAPE);
    Idle();
    program_->PostShortcut(preview_, VK_END, {VK_CONTROL});
    Idle();
    ClickField(154);
    editor = EditorOver(154);
    ASSERT_TRUE(editor);
    PostKey(editor, VK_RETURN);
    HWND box = program_->WaitForMessageBox(5000);
    ASSERT_TRUE(box) << program_->Describe();
    const TMessageBoxView notice = ReadMessageBox(box);
    EXPECT_EQ(notice.Caption, "Uwaga");
    EXPECT_EQ(notice.Text, "Przejście do następnej strony.");
    e2e::PressButton(box, IDOK);
    Idle();
    EditorOver(157);
}

}  // namespace
