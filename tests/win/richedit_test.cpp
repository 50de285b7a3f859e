// Rich edit: a Polish RTF file (\ansicpg1250) gives back its exact
// Windows-1250 text; damaged RTF, plain text in either mode, lines as a
// view of the control, formatting kept across window recreation, change
// and selection events, and the pop-up menu of a right click.
#include "classlib/win/RichEdit.h"

#include <gtest/gtest.h>

#include "classlib/FileStream.h"
#include "classlib/win/Menus.h"
#include "tests/support/Files.h"
#include "tests/support/Lines.h"
#include "tests/win/FormsTestSupport.h"
#include "tests/win/GraphicsSupport.h"

namespace {

using namespace cl;
using namespace cltest;

// The file's last \par is the control's closing paragraph mark, which the
// text does not show.
const std::string kPolishText =
    "Zażółć gęślą jaźń.\r\nSprawozdanie finansowe ŚWIADECTWO\r\nPogrubione i zwykłe";

std::unique_ptr<TMemoryStream> StreamOf(const std::string& bytes) {
    auto s = std::make_unique<TMemoryStream>();
    if (!bytes.empty()) s->WriteBuffer(bytes.data(), static_cast<int32_t>(bytes.size()));
    s->SetPosition(0);
    return s;
}

struct EditForm {
    Owned<TForm> form = Make<TForm>(nullptr);
    TRichEdit* edit = new TRichEdit(form.get());
    EditForm() {
        form->SetClientWidth(400);
        form->SetClientHeight(200);
        edit->SetName("XcRichEdit1");
        edit->SetParent(form.get());
        edit->SetBounds(0, 0, 400, 200);
        edit->SetScrollBars(ssBoth);
    }
};

TEST(RichEdit, LoadsRiched20AndCreatesItsClass) {
    EditForm f;
    EXPECT_EQ(2, RichEditVersion());
    wchar_t name[64] = {};
    GetClassNameW(f.edit->Handle(), name, 64);
    EXPECT_STREQ(L"RichEdit20W", name);
}

TEST(RichEdit, PolishRtfFileGivesBackExactWindows1250Text) {
    EditForm f;
    f.edit->SetReadOnly(true);
    f.edit->Lines()->LoadFromFile(cltest::TestDataFile("polish-1250.rtf"));
    EXPECT_EQ(kPolishText, f.edit->Text());
    EXPECT_EQ((std::vector<std::string>{"Zażółć gęślą jaźń.", "Sprawozdanie finansowe ŚWIADECTWO",
                                        "Pogrubione i zwykłe"}),
              LinesOf(*f.edit->Lines()));
}

TEST(RichEdit, StreamsInByContentAndMode) {
    const std::string rtf = ReadBytes(TestDataFile("polish-1250.rtf"));
    const std::string noLastBrace = rtf.substr(0, rtf.rfind('}'));
    const std::string plain = "Bilans jednostki\r\nRachunek zysków i strat";
    struct Case {
        const char* name;
        std::string bytes;
        bool plainText;
        std::string expected;
    };
    const Case cases[] = {
        {"complete RTF", rtf, false, kPolishText},
        // Wine reports an error for it but has read the text, as Windows does.
        {"RTF without its last brace", noLastBrace, false, kPolishText},
        // Rejected as RTF, read again as plain text.
        {"plain text in rich mode", plain, false, plain},
        {"plain text in plain mode", plain, true, plain},
        {"RTF in plain mode shows its source", rtf, true, rtf},
    };
    for (const Case& c : cases) {
        EditForm f;
        f.edit->SetPlainText(c.plainText);
        auto s = StreamOf(c.bytes);
        EXPECT_NO_THROW(f.edit->Lines()->LoadFromStream(*s)) << c.name;
        EXPECT_EQ(c.expected, f.edit->Text()) << c.name;
        EXPECT_EQ(0, f.edit->SelStart()) << c.name;
    }
}

// A stream whose reading fails after its first bytes.
class FailingStream : public TMemoryStream {
public:
    int32_t Read(void* buffer, int32_t count) override {
        if (Position() > 0) throw EReadError("Stream read error");
        return TMemoryStream::Read(buffer, std::min<int32_t>(count, 160));
    }
};

TEST(RichEdit, AStreamThatFailsPartWayIsAFailure) {
    EditForm f;
    FailingStream s;
    const std::string rtf = ReadBytes(TestDataFile("polish-1250.rtf"));
    s.WriteBuffer(rtf.data(), static_cast<int32_t>(rtf.size()));
    s.SetPosition(0);
    EXPECT_THROW(f.edit->Lines()->LoadFromStream(s), EOutOfResources);
}

TEST(RichEdit, MissingFileRaisesAndKeepsTheText) {
    EditForm f;
    f.edit->SetText("bez zmian");
    EXPECT_THROW(f.edit->Lines()->LoadFromFile(cltest::TestDataFile("no-such-file.rtf")), EFOpenError);
    EXPECT_EQ("bez zmian", f.edit->Text());
}

TEST(RichEdit, SavedRtfLoadsBackWithItsFormatting) {
    EditForm source;
    source.edit->Lines()->LoadFromFile(cltest::TestDataFile("polish-1250.rtf"));
    TMemoryStream saved;
    source.edit->Lines()->SaveToStream(saved);
    saved.SetPosition(0);
    EditForm copy;
    copy.edit->Lines()->LoadFromStream(saved);
    EXPECT_EQ(kPolishText, copy.edit->Text());

    TMemoryStream plain;
    source.edit->SetPlainText(true);
    source.edit->Lines()->SaveToStream(plain);
    const std::string bytes(static_cast<const char*>(plain.Memory()), static_cast<size_t>(plain.Size()));
    EXPECT_EQ(0u, bytes.find("Zażółć gęślą jaźń.\r\n"));
}

bool IsBold(TRichEdit* edit, int start, int length) {
    CHARRANGE r{start, start + length};
    SendMessageW(edit->Handle(), EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&r));
    CHARFORMAT2W cf{};
    cf.cbSize = sizeof cf;
    SendMessageW(edit->Handle(), EM_GETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&cf));
    return (cf.dwMask & CFM_BOLD) && (cf.dwEffects & CFE_BOLD);
}

TEST(RichEdit, RecreatedWindowKeepsTextAndFormatting) {
    EditForm f;
    f.edit->Lines()->LoadFromFile(cltest::TestDataFile("polish-1250.rtf"));
    // Line breaks count one character in the control.
    const int boldStart = static_cast<int>(kPolishText.find("Pogrubione")) - 2;
    ASSERT_TRUE(IsBold(f.edit, boldStart, 10));
    ASSERT_FALSE(IsBold(f.edit, 0, 5));
    f.edit->SetWordWrap(false);  // recreates the window
    EXPECT_EQ(kPolishText, f.edit->Text());
    EXPECT_TRUE(IsBold(f.edit, boldStart, 10));
    EXPECT_FALSE(IsBold(f.edit, 0, 5));
}

TEST(RichEdit, LinesEditTheControl) {
    struct Case {
        const char* name;
        std::function<void(TStrings*)> act;
        std::vector<std::string> expected;
    };
    const Case cases[] = {
        {"put", [](TStrings* l) { l->Put(1, "Pasywa"); }, {"Aktywa", "Pasywa", "Razem"}},
        {"insert before",
         [](TStrings* l) { l->Insert(0, "Bilans"); },
         {"Bilans", "Aktywa", "Środki", "Razem"}},
        {"insert inside",
         [](TStrings* l) { l->Insert(2, "Zapasy"); },
         {"Aktywa", "Środki", "Zapasy", "Razem"}},
        {"add", [](TStrings* l) { l->Add("Koniec"); }, {"Aktywa", "Środki", "Razem", "Koniec"}},
        {"delete middle", [](TStrings* l) { l->Delete(1); }, {"Aktywa", "Razem"}},
        {"delete last", [](TStrings* l) { l->Delete(2); }, {"Aktywa", "Środki"}},
        {"clear", [](TStrings* l) { l->Clear(); }, {}},
    };
    for (const Case& c : cases) {
        EditForm f;
        f.edit->Lines()->SetText("Aktywa\r\nŚrodki\r\nRazem");
        ASSERT_EQ(3, f.edit->Lines()->Count()) << c.name;
        c.act(f.edit->Lines());
        EXPECT_EQ(c.expected, LinesOf(*f.edit->Lines())) << c.name;
    }
    EditForm f;
    EXPECT_THROW(f.edit->Lines()->Strings(0), EStringListError);
}

TEST(RichEdit, ChangeAndSelectionEventsAndSelection) {
    EditForm f;
    int changes = 0, selections = 0;
    f.edit->OnChange = [&](TObject*) { ++changes; };
    f.edit->OnSelectionChange = [&](TObject*) { ++selections; };
    f.form->Show();
    f.edit->SetText("Zysk netto: 100 zł");
    EXPECT_GT(changes, 0);
    const int before = selections;
    f.edit->SetSelStart(12);
    f.edit->SetSelLength(3);
    EXPECT_GT(selections, before);
    EXPECT_EQ("100", f.edit->SelText());
    f.edit->SetSelStart(16);
    f.edit->SetSelLength(2);
    EXPECT_EQ("zł", f.edit->SelText());
}

TEST(RichEdit, RightClickShowsThePopupMenuOnce) {
    EditForm f;
    auto* menu = new TRecordingPopup(f.form.get());
    f.edit->SetPopupMenu(menu);
    f.edit->SetText("Tekst");
    f.form->Show();
    PostMessageW(f.edit->Handle(), WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(20, 10));
    PostMessageW(f.edit->Handle(), WM_RBUTTONUP, 0, MAKELPARAM(20, 10));
    Pump(100);
    ASSERT_EQ(1u, menu->shownAt.size());
    POINT expected{20, 10};
    ClientToScreen(f.edit->Handle(), &expected);
    EXPECT_EQ(expected.x, menu->shownAt[0].x);
    EXPECT_EQ(expected.y, menu->shownAt[0].y);
}

TEST(RichEdit, ReadOnlyRefusesTyping) {
    EditForm f;
    f.edit->SetText("stały");
    f.edit->SetReadOnly(true);
    f.form->Show();
    f.edit->SetFocus();
    PostMessageW(f.edit->Handle(), WM_CHAR, 'x', 1);
    Pump();
    EXPECT_EQ("stały", f.edit->Text());
    f.edit->SetReadOnly(false);
    PostMessageW(f.edit->Handle(), WM_CHAR, 'x', 1);
    Pump();
    EXPECT_EQ("xstały", f.edit->Text());
}

}  // namespace
