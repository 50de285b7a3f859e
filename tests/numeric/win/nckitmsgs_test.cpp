// The numeric edits' error display: a modal error box with one OK button,
// the normal cursor while it is open, the caller's cursor afterwards.
#include "controls/numeric/win/NcKitMsgs.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "classlib/win/Dialogs.h"
#include "classlib/win/Forms.h"

namespace {

using namespace cl;

struct Shown {
    std::string text, caption;
    UINT flags;
    TCursor cursor;
};

class NcShowErrorMessageTest : public ::testing::Test {
protected:
    void SetUp() override {
        SetMessageBoxHook([this](HWND, const std::string& text, const std::string& caption, UINT flags) {
            shown.push_back({text, caption, flags, Screen->Cursor()});
            if (fail) throw std::runtime_error("box failed");
            return IDOK;
        });
    }
    void TearDown() override {
        SetMessageBoxHook(nullptr);
        Screen->SetCursor(crDefault);
    }
    std::vector<Shown> shown;
    bool fail = false;
};

TEST_F(NcShowErrorMessageTest, ShowsAnErrorBoxWithTheArrowAndRestoresTheCursor) {
    Screen->SetCursor(crHourGlass);
    const std::string text = std::string(rsBelowLimit) + "0";
    NcShowErrorMessage(text);

    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].text, "Your entered Value is below the acceptable limit of 0");
    EXPECT_EQ(shown[0].caption, "Błąd");
    EXPECT_EQ(shown[0].flags, UINT(MB_OK | MB_ICONERROR));
    EXPECT_EQ(shown[0].cursor, crDefault);
    EXPECT_EQ(Screen->Cursor(), crHourGlass);
}

TEST_F(NcShowErrorMessageTest, RestoresTheCursorWhenTheBoxFails) {
    Screen->SetCursor(crHourGlass);
    fail = true;
    EXPECT_THROW(NcShowErrorMessage(rsNotAcceptable), std::runtime_error);
    EXPECT_EQ(Screen->Cursor(), crHourGlass);
}

}  // namespace
