// The developer tool on the main window in the test's own process: the
// dialog answered while it is shown, design mode and the cursor after OK,
// Cancel, a kind that writes nothing and a write that fails; the right
// button opening nothing of the band.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "app/UserFolders.h"
#include "app/win/FocFEdit1.h"
#include "engine/FormCatalogue.h"
#include "tests/app/win/FormShowing.h"
#include "tests/app/win/MainFormFixture.h"
#include "tests/support/TempFolder.h"

namespace {

using namespace cl;

// What runs inside the dialog's modal loop, once it shows.
std::function<void(TFocFEdit&)> g_answer;

void CALLBACK AnswerDialog(HWND, UINT, UINT_PTR timer, DWORD) {
    for (int i = 0; i < Screen->FormCount(); ++i)
        if (auto* dialog = dynamic_cast<TFocFEdit*>(Screen->Forms(i)); dialog && dialog->Visible()) {
            KillTimer(nullptr, timer);
            g_answer(*dialog);
        }
}

class DevToolTest : public maintest::MainFormTest {
protected:
    void SetUp() override {
        MainFormTest::SetUp();
        savedFolder_ = ProgramFolder;
        ProgramFolder = maintest::BuildProgramFolder();
        maintest::ShowForm(*form_, "bil");
        ProgramFolder = folder_.Name("");
    }
    void TearDown() override {
        ProgramFolder = savedFolder_;
        MainFormTest::TearDown();
    }
    // "New field" with the dialog answered by answer.
    void NewField(std::function<void(TFocFEdit&)> answer) {
        g_answer = std::move(answer);
        SetTimer(nullptr, 0, 20, AnswerDialog);
        form_->Newfield1->Execute();
    }
    static std::function<void(TFocFEdit&)> Choose(const std::string& kind, TModalResult result) {
        return [kind, result](TFocFEdit& d) {
            d.ComboBox1->SetItemIndex(d.ComboBox1->Items()->IndexOf(kind));
            d.XcSpinEdit1->SetValue(12);
            d.XcSpinEdit2->SetValue(3);
            d.SetModalResult(result);
        };
    }
    TCursor SheetCursor() { return form_->PrintPreview->PaperPreview()->Cursor(); }
    bool DesignMode() { return form_->PrintPreview->NoDragScroll(); }
    // The left button pressed, moved and released on the preview, as the
    // system queues it (so what the handlers raise reaches the application).
    void Drag(int x1, int y1, int x2, int y2) {
        HWND wnd = form_->PrintPreview->Handle();
        PostMessageW(wnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x1, y1));
        PostMessageW(wnd, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(x2, y2));
        PostMessageW(wnd, WM_LBUTTONUP, 0, MAKELPARAM(x2, y2));
        cltest::Pump();
    }
    // The right button pressed and moved (its release would open the pop-up menu).
    void RightPress(int x1, int y1, int x2, int y2) {
        HWND wnd = form_->PrintPreview->Handle();
        PostMessageW(wnd, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(x1, y1));
        PostMessageW(wnd, WM_MOUSEMOVE, MK_RBUTTON, MAKELPARAM(x2, y2));
        cltest::Pump();
    }

    cltest::TempFolder folder_;
    std::string savedFolder_;
};

TEST_F(DevToolTest, OKEntersDesignModeUntilTheDragAndEveryOtherEndLeavesIt) {
    const TCursor before = SheetCursor();
    const struct {
        const char* what;
        const char* kind;
        TModalResult result;
        bool designMode;
    } cases[] = {
        {"OK", "ie_currency", mrOk, true},
        {"Cancel", "ie_currency", mrCancel, false},
        {"a kind that writes nothing", "ie_date", mrOk, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        TCursor shown = crNone;
        std::string kept;
        NewField([&](TFocFEdit& d) {
            shown = SheetCursor();
            kept = d.ComboBox1->Text() + " " + d.XcSpinEdit1->Text() + " " + d.XcSpinEdit2->Text();
            Choose(c.kind, c.result)(d);
        });
        EXPECT_EQ(shown, crCross) << "while the dialog is up";
        if (c.result == mrCancel) {
            EXPECT_EQ(kept, "ie_currency 12 3") << "the settings keep the choices of the last OK";
        }
        EXPECT_EQ(DesignMode(), c.designMode);
        EXPECT_EQ(SheetCursor(), c.designMode ? crCross : before);
        RightPress(100, 100, 200, 120);
        EXPECT_EQ(DesignMode(), c.designMode) << "the right button draws no band";
        Drag(100, 100, 200, 120);
        EXPECT_FALSE(DesignMode());
        EXPECT_EQ(SheetCursor(), before);
    }
    const std::string text = cltest::ReadBytes(folder_.Name("FocFile.txt"));
    EXPECT_EQ(text.rfind("({pole12_3}\r\n", 0), 0u) << "one block, from OK" << text;
    EXPECT_EQ(text.find("({", 1), std::string::npos) << text;
}

TEST_F(DevToolTest, TheSettingsKeepTheEightChoicesInOrderThenAMaskTypedByHand) {
    for (const char* mask : {"9999;1;_", "99\\-9999;1;_"}) {
        NewField([mask](TFocFEdit& d) {
            d.ComboBox2->SetText(mask);
            d.SetModalResult(mrCancel);
        });
        std::string offered;
        NewField([&offered](TFocFEdit& d) {
            offered = d.ComboBox2->Text();
            d.SetModalResult(mrCancel);
        });
        EXPECT_EQ(offered, mask);
    }
    const std::string settings = cltest::ReadBytes(GetSettingsFileName());
    size_t at = settings.find("[TFocFEdit]");
    ASSERT_NE(at, std::string::npos) << settings;
    for (const char* key :
         {"\nXcSpinEdit1_Value=", "\nXcSpinEdit2_Value=", "\nComboBox1_ItemIndex=", "\nComboBox2_ItemIndex=",
          "\nComboBox3_ItemIndex=", "\nEdit1_Text=", "\nXcSpinEdit3_Value=", "\nXcSpinEdit4_Value=",
          "\nComboBox2_Text=99\\-9999;1;_\r\n"}) {
        at = settings.find(key, at);
        EXPECT_NE(at, std::string::npos) << key << " in order in\n" << settings;
    }
}

TEST_F(DevToolTest, InDesignModeAPressOnAFieldDrawsTheBandAndOpensNoEditor) {
    int field = ShownForm->FirstID + 1;
    while (!TEFieldTable[field].Enabled || TEFieldTable[field].Page != 1) ++field;
    const TRect r = form_->PrintPreview->PaperToScreenRect(
        Rect(10 * ScreenLeft(1, 1, field), 10 * ScreenTop(1, 1, field), 10 * ScreenRight(1, 1, field),
             10 * ScreenBottom(1, 1, field)),
        true);
    const int x = (r.left + r.right) / 2, y = (r.top + r.bottom) / 2;
    NewField(Choose("ie_text", mrOk));
    Drag(x, y, x + 40, y);
    EXPECT_EQ(OpenEditor.Editor, nullptr);
    EXPECT_FALSE(cltest::ReadBytes(folder_.Name("FocFile.txt")).empty());
    Drag(x, y, x, y);
    EXPECT_EQ(OpenEditor.Field, field) << "out of design mode the press edits the field";
    form_->EndFieldEdit(false);
}

TEST_F(DevToolTest, AFailedWriteIsReportedAndEndsDesignMode) {
    const TCursor before = SheetCursor();
    ProgramFolder = folder_.Name("missing\\");
    NewField(Choose("ie_int", mrOk));
    ASSERT_TRUE(DesignMode());
    Drag(100, 100, 200, 120);
    EXPECT_FALSE(DesignMode());
    EXPECT_EQ(SheetCursor(), before);
    cltest::Pump();
    ASSERT_EQ(answers_.boxes.size(), 1u);
    EXPECT_NE(answers_.boxes[0].text.find("FocFile.txt"), std::string::npos) << answers_.boxes[0].text;
}

}  // namespace
