// The rich-text viewer in a test window: files of every kind loaded as the
// viewer's conversions choose, a missing file's error with the old text
// kept, long lines whole, the text across a new window, the shared edit
// menu, the version, and the viewer's destruction.
#include "controls/win/XcRichEdit.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "classlib/Exceptions.h"
#include "classlib/win/Forms.h"
#include "classlib/win/GdiHandles.h"
#include "controls/win/XcEditPopupMenu.h"
#include "tests/support/ControlDestruction.h"
#include "tests/support/TempFolder.h"
#include "tests/win/FormsTestSupport.h"

namespace {

using namespace cl;
using namespace cltest;

struct Viewer {
    Owned<TForm> form = Make<TForm>(nullptr);
    TXcRichEdit* edit = new TXcRichEdit(form.get());
    Viewer() {
        form->SetBounds(100, 100, 400, 300);
        edit->SetParent(form.get());
        edit->SetAlign(alClient);
        edit->SetReadOnly(true);
        form->Show();
    }
    std::vector<std::string> Lines() const {
        std::vector<std::string> lines;
        for (int i = 0; i < edit->Lines()->Count(); ++i) lines.push_back(edit->Lines()->Get(i));
        return lines;
    }
};

using Lines = std::vector<std::string>;

TEST(RichTextLoad, EachKindOfFileReadsAsItsConversionSays) {
    const std::string longC(5000, 'c');
    struct Case {
        const char* name;
        std::string bytes;
        Lines lines;
    };
    const Case cases[] = {
        {"rtf", "{\\rtf1\\ansi\\ansicpg1250 Aktywa trwa\\'b3e\\par Pasywa}", {"Aktywa trwałe", "Pasywa"}},
        // Rejected as rich text before anything went in: read again as plain text.
        {"rtf", "Aktywa\r\nPasywa\r\n", {"Aktywa", "Pasywa"}},
        {"txt", "{\\rtf1 Aktywa}", {"{\\rtf1 Aktywa}"}},
        {"html", "{\\rtf1 Aktywa\\par}", {"Aktywa"}},
        // Read, then an error for the missing brace: the text stays, not its source.
        {"rtf", "{\\rtf1\\ansi Aktywa\\par Pasywa", {"Aktywa", "Pasywa"}},
        // Lone carriage returns that end the control's blocks (2048, 4096),
        // and a line longer than any buffer.
        {"txt",
         std::string(2047, 'a') + "\r" + std::string(2047, 'b') + "\r" + longC,
         {std::string(2047, 'a'), std::string(2047, 'b'), longC}},
    };
    TempFolder folder;
    Viewer v;
    // Lines as the text has them, not as the window wraps them.
    v.edit->SetWordWrap(false);
    int n = 0;
    for (const Case& c : cases) {
        const std::string name = folder.Name("plik" + std::to_string(++n) + "." + c.name);
        WriteBytes(name, c.bytes);
        v.edit->Lines()->LoadFromFile(name);
        EXPECT_EQ(v.Lines(), c.lines) << n;
    }
}

TEST(RichTextLoad, AMissingFileRaisesTheFileErrorAndKeepsTheText) {
    TempFolder folder;
    Viewer v;
    WriteBytes(folder.Name("k_s01.rtf"), "{\\rtf1\\ansi\\ansicpg1250 Informacje wst\\'eapne}");
    v.edit->Lines()->LoadFromFile(folder.Name("k_s01.rtf"));
    for (const char* missing : {"brak.rtf", "brak.txt"})
        EXPECT_THROW(v.edit->Lines()->LoadFromFile(folder.Name(missing)), EFOpenError) << missing;
    EXPECT_EQ(v.Lines(), Lines{"Informacje wstępne"});
}

// A converter that opens or not, and whose reading fails after it gave
// the control its first block of text.
class BrokenConversion : public TXcConversion {
public:
    BrokenConversion(bool opens, std::string firstBlock)
        : opens_(opens), firstBlock_(std::move(firstBlock)) {}
    bool AcceptsExtension(const std::string&, TXcConversionDirection) const override { return false; }
    bool OpenFile(const std::string&, TXcConversionDirection) override { return opens_; }
    bool Retry() override { return true; }
    int32_t Read(void* buffer, int32_t count) override {
        if (firstBlock_.empty() || static_cast<int32_t>(firstBlock_.size()) > count) return -1;
        const auto n = static_cast<int32_t>(firstBlock_.size());
        firstBlock_.copy(static_cast<char*>(buffer), firstBlock_.size());
        firstBlock_.clear();
        return n;
    }

private:
    bool opens_;
    std::string firstBlock_;
};

TEST(RichTextLoad, AConversionThatFailsLeavesTheOldText) {
    TempFolder folder;
    Viewer v;
    v.edit->SetText("Bilans");
    struct Case {
        const char* name;
        bool opens;
        std::string firstBlock;
    };
    const Case cases[] = {
        {"does not open", false, ""},
        {"fails at once", true, ""},
        // The help text cut short by a read error is not shown as if whole.
        {"fails after the first block", true, "{\\rtf1\\ansi Aktywa trwałe\\par Pasywa\\par Kapitał "},
    };
    for (const Case& c : cases) {
        BrokenConversion broken(c.opens, c.firstBlock);
        v.edit->SetDefaultConverter(&broken);
        try {
            v.edit->Lines()->LoadFromFile(folder.Name("plik.dat"));
            ADD_FAILURE() << "loaded: " << c.name << " " << v.edit->Text();
        } catch (const EOutOfResources& e) {
            EXPECT_EQ(e.Message(), "Failed to Load Stream") << c.name;
        }
        EXPECT_EQ(v.Lines(), Lines{"Bilans"}) << c.name;
    }
    v.edit->SetDefaultConverter(nullptr);
}

TEST(RichTextViewer, KeepsItsTextAcrossANewWindow) {
    Viewer v;
    TMemoryStream rtf;
    const std::string text = "{\\rtf1 {\\b Bilans}\\par Aktywa}";
    rtf.WriteBuffer(text.data(), static_cast<int32_t>(text.size()));
    rtf.SetPosition(0);
    v.edit->Lines()->LoadFromStream(rtf);
    v.edit->RecreateWnd();
    EXPECT_EQ(v.Lines(), (Lines{"Bilans", "Aktywa"}));
}

TEST(RichTextViewer, OffersTheSharedEditMenuUnlessItHasItsOwn) {
    Viewer v;
    TPopupMenu* shared = v.edit->GetPopupMenu();
    ASSERT_TRUE(shared);
    EXPECT_EQ(SharedEditPopupMenuControl(), v.edit);
    EXPECT_FALSE(shared->Items()->Items(emiCut)->Enabled()) << "read-only";
    auto* own = new TPopupMenu(v.form.get());
    v.edit->SetPopupMenu(own);
    EXPECT_EQ(v.edit->GetPopupMenu(), own);
    v.edit->SetPopupMenu(nullptr);
    v.edit->SetUseFixedPopup(false);
    EXPECT_EQ(v.edit->GetPopupMenu(), nullptr);
}

TEST(RichTextViewer, KeepsItsBoundsWithTheSelectionBar) {
    Owned<TForm> form = Make<TForm>(nullptr);
    form->SetBounds(100, 100, 400, 300);
    auto* edit = new TXcRichEdit(form.get());
    edit->SetParent(form.get());
    edit->SetBounds(8, 8, 120, 60);
    form->Show();
    RECT r{};
    GetWindowRect(edit->Handle(), &r);
    EXPECT_EQ(r.right - r.left, 120);
    EXPECT_EQ(Bounds(edit), "8,8,120,60");
    EXPECT_TRUE(SendMessageW(edit->Handle(), EM_GETOPTIONS, 0, 0) & ECO_SELECTIONBAR);
}

TEST(RichTextViewer, VersionFromTheLibrarysFileVersion) {
    // Wine's riched20.dll is 5.30.
    EXPECT_EQ(XcRichEditVersion(), 3);
    Viewer v;
    EXPECT_EQ(v.edit->Zoom(), 100);
    EXPECT_TRUE(v.edit->WordSelection());
    EXPECT_TRUE(v.edit->AutoURLDetect());
}

}  // namespace

namespace cltest {
INSTANTIATE_TEST_SUITE_P(RichText, ControlDestruction,
                         ::testing::Values(ControlOf<TXcRichEdit>("TXcRichEdit")), ControlName);
}  // namespace cltest
