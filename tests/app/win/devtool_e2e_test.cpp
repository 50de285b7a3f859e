// The developer field-definition tool of Sprawozdawca.exe driven from the
// preview's pop-up menu: "New FocFile", "New field" with a currency field
// chosen in its dialog, and a drag on the page; "FocFile.txt" then holds
// the field's eight lines and an empty line.  A kind that writes nothing
// and a cancelled dialog leave the page as it was.
#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <regex>
#include <string>
#include <vector>

#include "app/FocFieldDefinition.h"
#include "tests/app/win/InstalledProgramTest.h"
#include "tests/support/Files.h"
#include "tests/support/TinyHttpServer.h"

namespace {

using namespace e2e;

// The pop-up menu's entries: "New field", a separator, "New FocFile".
constexpr int kNewField = 1, kNewFocFile = 3;

class DevToolE2eTest : public InstalledProgramTest {
protected:
    void SetUp() override {
        copy_.Remove("pi\\intro.html");
        ASSERT_TRUE(port_.Held());
        Start();
        // The balance sheet of an audited business on the screen.
        Press("&Dalej >");
        Choose("rb0_2_1", 0);
        Press("&Dalej >");
        Choose("cb1_0_1");
        Press("&Dalej >");
        Choose("cb1_1_1");
        Press("&Dalej >");
        Press("&Formularze");
        preview_ = Named("PrintPreview");
        ASSERT_TRUE(preview_);
        ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(preview_) != 0; }, 5000));
        ASSERT_TRUE(program_->WaitForIdle());
    }

    // The preview's pop-up menu opened by the menu key and its entry taken
    // by the arrow keys and Enter, as a user takes it.
    void MenuEntry(int entry) {
        PostMessageW(preview_, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(preview_), MAKELPARAM(-1, -1));
        HWND menu = nullptr;
        ASSERT_TRUE(WaitUntil(
            [&] {
                for (HWND wnd : program_->TopWindows())
                    if (IsWindowVisible(wnd) && ClassName(wnd) == "#32768") menu = wnd;
                return menu != nullptr;
            },
            5000))
            << program_->Describe();
        for (int i = 0; i < entry; ++i) PostKey(menu, VK_DOWN);
        PostKey(menu, VK_RETURN);
        ASSERT_TRUE(program_->WaitForIdle());
    }
    // "New field" with the dialog's choices; true when the dialog showed.
    void NewField(const std::string& kind, int main, int secondary, bool ok = true) {
        MenuEntry(kNewField);
        HWND dialog = program_->WaitForName("FocFEdit", 5000);
        ASSERT_TRUE(dialog) << program_->Describe();
        EXPECT_EQ(WindowText(dialog), "FocFEdit");
        const auto kindIndex =
            std::find(kFocFieldKinds.begin(), kFocFieldKinds.end(), kind) - kFocFieldKinds.begin();
        Ask(Named("ComboBox1"), CB_SETCURSEL, static_cast<WPARAM>(kindIndex));
        SetText(Named("XcSpinEdit1"), std::to_string(main));
        SetText(Named("XcSpinEdit2"), std::to_string(secondary));
        Press(ok ? "OK" : "Anuluj");
        ASSERT_TRUE(WaitUntil([&] { return !program_->FindByName("FocFEdit"); }, 5000));
    }
    static void SetText(HWND edit, const std::string& text) {
        const std::wstring wide(text.begin(), text.end());
        SendMessageW(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(wide.c_str()));
    }
    // A left-button drag on the page, in the preview's client pixels.
    void Drag(POINT from, POINT to) {
        PostMessageW(preview_, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(from.x, from.y));
        PostMessageW(preview_, WM_MOUSEMOVE, MK_LBUTTON,
                     MAKELPARAM((from.x + to.x) / 2, (from.y + to.y) / 2));
        PostMessageW(preview_, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(to.x, to.y));
        PostMessageW(preview_, WM_LBUTTONUP, 0, MAKELPARAM(to.x, to.y));
        ASSERT_TRUE(program_->WaitForIdle());
    }
    std::string FocFile() const { return cltest::ReadBytes(copy_.Folder() + "FocFile.txt"); }

    cltest::ClosedPort port_{SPRAW_E2E_PORT, 60000};
    HWND preview_ = nullptr;
};

// The block of one currency field whose line 6 ends with the placement.
std::string CurrencyBlock(const std::string& name, const std::string& placement) {
    return "({" + name +
           "}\r\n"
           "Page: 1; Enabled: True; Hint: ''; ShowHint: True; HelpContext: 0; \r\n"
           "DataType: varCurrency; EditType: ie_currency; FontColor: clBlack; FontSize: 9; \r\n"
           "ComboStyle: csDropDown; ComboItemsID: Nil; Min: 0; Max: 0; Increment: 0; \r\n"
           "EditMask: ''; NumPrecision: 2; Alignment: taRightJustify; WordWrap: False; \r\n"
           "CharDist: 0; Layout: tlBottom; " +
           placement +
           "\r\n"
           "OnChange: Kwota2_ValChange; OnChanged : Nil; OnDataPaint: Nil; SharedIdx: 0; \r\n"
           "DataIdx: " +
           name + "),\r\n\r\n";
}

TEST_F(DevToolE2eTest, ADraggedCurrencyFieldGoesToFocFileAsEightLinesAndAnEmptyOne) {
    MenuEntry(kNewFocFile);
    EXPECT_EQ(FocFile(), "") << "created empty";

    NewField("ie_currency", 12, 3);
    Drag({200, 300}, {400, 320});
    const std::string first = FocFile();
    std::smatch m;
    const std::regex placement("Left: (\\d+); Top: (\\d+); Width: (-?\\d+); Height: 35; ");
    ASSERT_TRUE(std::regex_search(first, m, placement)) << first;
    const int left = std::stoi(m[1]), top = std::stoi(m[2]), width = std::stoi(m[3]);
    EXPECT_EQ(first, CurrencyBlock("pole12_3", m[0]));
    EXPECT_GT(left, 0);
    EXPECT_GT(top, 0);
    // 200 pixels of the A4 sheet (2100 tenths of a millimetre wide) on the screen.
    HWND sheet = GetWindow(preview_, GW_CHILD);
    ASSERT_EQ(ClassName(sheet), "TPaperPreview");
    RECT r{};
    GetClientRect(sheet, &r);
    EXPECT_NEAR(width, 200 * 2100 / r.right, 4) << r.right;

    // The same drag the other way, released 40 pixels lower: as wide, to
    // the left, its top taken from the release; each field needs "New
    // field" again.
    Drag({200, 300}, {400, 320});
    EXPECT_EQ(FocFile(), first) << "no design mode after the field";
    NewField("ie_currency", 12, 0);
    Drag({400, 300}, {200, 360});
    const std::string both = FocFile();
    ASSERT_EQ(both.rfind(first, 0), 0u) << both;
    const std::string second = both.substr(first.size());
    ASSERT_TRUE(std::regex_search(second, m, placement)) << second;
    EXPECT_EQ(second, CurrencyBlock("pole12", m[0]));
    EXPECT_EQ(std::stoi(m[1]), left + width);
    EXPECT_EQ(std::stoi(m[3]), -width);
    EXPECT_NEAR(std::stoi(m[2]) - top, 40 * 2100 / r.right, 4) << r.right;
}

TEST_F(DevToolE2eTest, ASilentKindOrCancelWritesNothingAndLeavesNoDesignMode) {
    MenuEntry(kNewFocFile);
    NewField("ie_date", 5, 0);
    Drag({200, 300}, {400, 320});
    NewField("ie_text", 5, 0, false);
    Drag({200, 300}, {400, 320});
    EXPECT_EQ(FocFile(), "");
    EXPECT_TRUE(program_->Running());
    EXPECT_FALSE(program_->FindMessageBox());
}

TEST_F(DevToolE2eTest, NewFieldWithoutNewFocFileAppendsToTheFile) {
    cltest::WriteBytes(copy_.Folder() + "FocFile.txt", "earlier\r\n");
    NewField("ie_memo", 7, 0);
    Drag({200, 300}, {300, 320});
    const std::string text = FocFile();
    EXPECT_EQ(text.rfind("earlier\r\n({pole7}\r\n", 0), 0u) << text;
    EXPECT_TRUE(text.ends_with("DataIdx: pole7),\r\n\r\n")) << text;
}

}  // namespace
