// Mask edits: the date mask of the field editors first ("99\.99\.9999;1;_"),
// its empty and filled texts, typed digits and refused letters, Backspace
// and Delete, other masks, and validation of required positions.
#include <gtest/gtest.h>

#include "classlib/win/Forms.h"
#include "classlib/win/Mask.h"
#include "tests/win/FormsTestSupport.h"

namespace {

using namespace cl;
using namespace cltest;

const std::string kDateMask = "99\\.99\\.9999;1;_";

struct MaskForm {
    Owned<TForm> form = Make<TForm>(nullptr);
    TMaskEdit* edit = new TMaskEdit(form.get());
    TEdit* other = new TEdit(form.get());

    explicit MaskForm(const std::string& mask, const std::string& text = "") {
        edit->SetParent(form.get());
        other->SetParent(form.get());
        other->SetTop(40);
        edit->SetText(text);
        edit->SetEditMask(mask);
        form->Show();
        edit->SetFocus();
        Pump();
    }
};

// Characters as WM_CHAR, keys (in braces: {BS}, {DEL}, {HOME}, {LEFT}) as
// WM_KEYDOWN, through the message loop.
void Type(HWND wnd, const std::string& input) {
    for (size_t i = 0; i < input.size(); ++i) {
        if (input[i] == '{') {
            const size_t end = input.find('}', i);
            const std::string name = input.substr(i + 1, end - i - 1);
            const WORD vk = name == "BS"     ? VK_BACK
                            : name == "DEL"  ? VK_DELETE
                            : name == "HOME" ? VK_HOME
                            : name == "END"  ? VK_END
                            : name == "LEFT" ? VK_LEFT
                                             : VK_RIGHT;
            PostKey(wnd, vk);
            i = end;
        } else {
            PostMessageW(wnd, WM_CHAR, static_cast<unsigned char>(input[i]), 1);
        }
    }
    Pump();
}

TEST(MaskEdit, DateMaskTextsFromTheTextSetBeforeTheMask) {
    // The field editors set the text first, then the mask.
    struct Case {
        const char* before;
        const char* editText;
        const char* text;
    };
    const Case cases[] = {
        {"", "__.__.____", "  .  .    "},
        {"12.05.2008", "12.05.2008", "12.05.2008"},
        {"1", "1_.__.____", "1 .  .    "},
        {"1x.05", "1_.05.____", "1 .05.    "},
    };
    for (const Case& c : cases) {
        MaskForm f(kDateMask, c.before);
        EXPECT_TRUE(f.edit->IsMasked());
        EXPECT_EQ(f.edit->EditText(), c.editText) << c.before;
        EXPECT_EQ(f.edit->Text(), c.text) << c.before;
    }
}

TEST(MaskEdit, TypingFillsPositionsSkipsLiteralsAndRefusesLetters) {
    struct Case {
        const char* typed;
        const char* editText;
        const char* text;
    };
    const Case cases[] = {
        {"12052008", "12.05.2008", "12.05.2008"},
        {"1a2", "12.__.____", "12.  .    "},
        {"x", "__.__.____", "  .  .    "},
        {"12052008999", "12.05.2008", "12.05.2008"},
        {"1205{BS}", "12.0_.____", "12.0 .    "},
        {"1205{BS}{BS}", "12.__.____", "12.  .    "},
        {"1205{BS}{BS}{BS}", "1_.__.____", "1 .  .    "},
        {"1205{HOME}{DEL}", "_2.05.____", " 2.05.    "},
        {"1205{HOME}9", "92.05.____", "92.05.    "},
        {"1205{LEFT}{LEFT}7", "12.75.____", "12.75.    "},
    };
    for (const Case& c : cases) {
        MaskForm f(kDateMask);
        Type(f.edit->Handle(), c.typed);
        EXPECT_EQ(f.edit->EditText(), c.editText) << c.typed;
        EXPECT_EQ(f.edit->Text(), c.text) << c.typed;
    }
}

TEST(MaskEdit, RefusedLetterChangesNothing) {
    int changes = 0;
    MaskForm f(kDateMask, "12.05.2008");
    f.edit->OnChange = [&](TObject*) { ++changes; };
    f.edit->SetSelStart(3);
    Type(f.edit->Handle(), "q");
    EXPECT_EQ(f.edit->EditText(), "12.05.2008");
    EXPECT_EQ(changes, 0);
    EXPECT_FALSE(f.edit->Modified());
    Type(f.edit->Handle(), "1");
    EXPECT_EQ(f.edit->EditText(), "12.15.2008");
    EXPECT_EQ(changes, 1);
    EXPECT_TRUE(f.edit->Modified());
}

TEST(MaskEdit, KeyPressHandlerSeesTheCharacterFirst) {
    MaskForm f(kDateMask);
    f.edit->OnKeyPress = [](TObject*, char& key) {
        if (key == 'o') key = '0';
    };
    Type(f.edit->Handle(), "o1o2");
    EXPECT_EQ(f.edit->EditText(), "01.02.____");
}

TEST(MaskEdit, OtherMasks) {
    struct Case {
        const char* mask;
        const char* typed;
        const char* editText;
        const char* text;
    };
    const Case cases[] = {
        {"999\\-999\\-99\\-99;1;_", "1234567890", "123-456-78-90", "123-456-78-90"},
        {"9999;1;_", "20a8", "208_", "208 "},
        {"99\\.99;0;_", "1234", "12.34", "1234"},
        {"99\\.99;0;*", "12", "12.**", "12  "},
        {">LL<ll;1;_", "abcd", "ABcd", "ABcd"},
        {">LL-ll;1;_", "abcd", "AB-CD", "AB-CD"},
        {"<LL;1;_", "AB", "ab", "ab"},
        {"AA;1;_", "a1", "a1", "a1"},
        {"#99;1;_", "-12", "-12", "-12"},
    };
    for (const Case& c : cases) {
        MaskForm f(c.mask);
        Type(f.edit->Handle(), c.typed);
        EXPECT_EQ(f.edit->EditText(), c.editText) << c.mask;
        EXPECT_EQ(f.edit->Text(), c.text) << c.mask;
    }
}

TEST(MaskEdit, TextFromCodeGoesThroughTheMask) {
    struct Case {
        const char* mask;
        const char* text;
        const char* editText;
    };
    const Case cases[] = {
        {"99\\.99\\.9999;1;_", "31.02.2008", "31.02.2008"},
        {"99\\.99\\.9999;1;_", "", "__.__.____"},
        {"99\\.99;0;_", "1234", "12.34"},
        {"99\\.99;0;_", "12", "12.__"},
    };
    for (const Case& c : cases) {
        MaskForm f(c.mask);
        f.edit->SetText(c.text);
        EXPECT_EQ(f.edit->EditText(), c.editText) << c.mask << " " << c.text;
    }
}

TEST(MaskEdit, ValidationWantsEveryRequiredPosition) {
    struct Case {
        const char* mask;
        const char* editText;
        bool valid;
        int pos;
    };
    const Case cases[] = {
        {kDateMask.c_str(), "__.__.____", true, 0}, {kDateMask.c_str(), "1_.0_.2___", true, 0},
        {"00\\.00;1;_", "12.34", true, 0},          {"00\\.00;1;_", "12.3_", false, 4},
        {"00\\.00;1;_", "_2.34", false, 0},         {"LL;1;_", "a ", false, 1},
    };
    for (const Case& c : cases) {
        MaskForm f(c.mask);
        int pos = -1;
        EXPECT_EQ(f.edit->Validate(c.editText, pos), c.valid) << c.mask << " " << c.editText;
        EXPECT_EQ(pos, c.pos) << c.mask << " " << c.editText;
    }
}

TEST(MaskEdit, ValidateEditRaisesOnlyForAModifiedIncompleteText) {
    MaskForm f("00\\.00;1;_");
    EXPECT_NO_THROW(f.edit->ValidateEdit());
    Type(f.edit->Handle(), "1");
    try {
        f.edit->ValidateEdit();
        ADD_FAILURE() << "no error";
    } catch (const EDBEditError& e) {
        EXPECT_EQ(e.Message(), "Invalid input value.  Use escape key to abandon changes");
    }
    Type(f.edit->Handle(), "234");
    EXPECT_NO_THROW(f.edit->ValidateEdit());
}

TEST(MaskEdit, LeavingAnIncompleteRequiredTextReportsAndStays) {
    std::vector<std::string> reported;
    MaskForm f("00\\.00;1;_");
    Application->OnException = [&](TObject*, Exception& e) { reported.push_back(e.Message()); };
    struct Restore {
        ~Restore() { Application->OnException = nullptr; }
    } restore;
    Type(f.edit->Handle(), "12");
    f.other->SetFocus();
    Pump();
    EXPECT_EQ(reported, std::vector<std::string>{"Invalid input value.  Use escape key to abandon changes"});
    EXPECT_TRUE(f.edit->Focused());
    // The caret waits at the first position to fill.
    EXPECT_EQ(f.edit->SelStart(), 3);
    // A date mask has no required position: leaving is always allowed.
    MaskForm date(kDateMask);
    Type(date.edit->Handle(), "1");
    date.other->SetFocus();
    Pump();
    EXPECT_TRUE(date.other->Focused());
    EXPECT_EQ(reported.size(), 1u);
}

TEST(MaskEdit, EscapeBringsBackTheTextOfEntry) {
    MaskForm f(kDateMask, "01.01.2000");
    // Typed over a whole selection the text would start blank; here it is overwritten.
    f.edit->SetSelStart(0);
    Type(f.edit->Handle(), "3112");
    EXPECT_EQ(f.edit->EditText(), "31.12.2000");
    Type(f.edit->Handle(), "\x1B");
    EXPECT_EQ(f.edit->EditText(), "01.01.2000");
    EXPECT_FALSE(f.edit->Modified());
}

TEST(MaskEdit, PasteFillsInputPositionsAndStopsAtARefusedCharacter) {
    struct Case {
        const wchar_t* pasted;
        const char* editText;
    };
    const Case cases[] = {
        {L"12.05.2008", "12.05.2008"},
        {L"12052008", "12.05.2008"},
        {L"1205x008", "12.05.____"},
        {L"ab", "__.__.____"},
    };
    for (const Case& c : cases) {
        MaskForm f(kDateMask);
        ASSERT_TRUE(SetClipboardText(f.edit->Handle(), c.pasted));
        f.edit->PasteFromClipboard();
        EXPECT_EQ(f.edit->EditText(), c.editText);
    }
}

TEST(MaskEdit, RemovingTheMaskKeepsTheText) {
    MaskForm f(kDateMask, "12.05.2008");
    f.edit->SetEditMask("");
    EXPECT_FALSE(f.edit->IsMasked());
    EXPECT_EQ(f.edit->Text(), "12.05.2008");
    Type(f.edit->Handle(), "{END}x");
    EXPECT_EQ(f.edit->Text(), "12.05.2008x");
}

}  // namespace
