// The rich-text viewer in a test window: files of every kind loaded as the
// viewer's conversions choose, a missing file's error with the old text
// kept, long lines whole, saving in every format and mode, the text, mode
// and modified flag across a new window, change notices, character and
// paragraph attributes, protected text, finding and replacing, printing,
// the shared edit menu, lines inserted, the stored object settings, the
// window class, the version, and the viewer's destruction.
#include "controls/win/XcRichEdit.h"

#include <dlgs.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "classlib/Exceptions.h"
#include "classlib/Scope.h"
#include "classlib/win/Forms.h"
#include "classlib/win/GdiHandles.h"
#include "classlib/win/Printers.h"
#include "classlib/win/WideText.h"
#include "controls/win/XcEditPopupMenu.h"
#include "controls/win/XcThemes.h"
#include "tests/controls/win/RichTextViewer.h"
#include "tests/support/ControlDestruction.h"
#include "tests/support/Files.h"
#include "tests/support/PrinterOutput.h"
#include "tests/support/Streamed.h"
#include "tests/support/TempFolder.h"
#include "tests/win/FormsTestSupport.h"

namespace {

using namespace cl;
using namespace cltest;

// Read-only, as the program's viewers are.
struct Viewer : RichTextViewer {
    Viewer() : RichTextViewer(true) {}
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

// ---- Saving -------------------------------------------------------------------------------
std::string Saved(TXcRichEdit& edit, const std::string& fileName) {
    TempFolder folder;
    const std::string name = folder.Name(fileName);
    edit.Lines()->SaveToFile(name);
    return ReadBytes(name);
}

TEST(RichTextSave, GoesThroughTheConversionsWithTheStreamModes) {
    Viewer v;
    const std::string rtf = "{\\rtf1\\ansi\\ansicpg1250 Aktywa trwa\\'b3e\\par Pasywa}";
    TMemoryStream in;
    in.WriteBuffer(rtf.data(), static_cast<int32_t>(rtf.size()));
    in.SetPosition(0);
    v.edit->Lines()->LoadFromStream(in);
    struct Case {
        const char* name;
        TRichStreamFormat format;
        TRichStreamModes modes;
        bool selectPasywa;
        std::string bytes;  // empty: rich text
    };
    const std::wstring utf16 = L"Aktywa trwałe\r\nPasywa";
    const Case cases[] = {
        {"a.rtf", sfDefault, 0, false, ""},
        {"a.txt", sfDefault, 0, false, "Aktywa trwałe\r\nPasywa"},
        {"a.rtf", sfPlainText, 0, false, "Aktywa trwałe\r\nPasywa"},
        {"a.txt", sfDefault, smSelection, true, "Pasywa"},
        {"a.txt", sfDefault, smUnicode, false,
         std::string(reinterpret_cast<const char*>(utf16.data()), utf16.size() * 2)},
        {"a.doc", sfDefault, smSelection | smNoObjects, true, ""},
    };
    for (const Case& c : cases) {
        v.edit->SetStreamFormat(c.format);
        v.edit->SetStreamMode(c.modes);
        SendMessageW(v.edit->Handle(), EM_SETSEL, c.selectPasywa ? 14 : 0, c.selectPasywa ? 20 : 0);
        const std::string bytes = Saved(*v.edit, c.name);
        if (c.bytes.empty()) {
            EXPECT_EQ(bytes.rfind("{\\rtf", 0), 0u) << c.name;
            EXPECT_EQ(bytes.find("Aktywa") == std::string::npos, c.selectPasywa) << c.name;
            EXPECT_NE(bytes.find("Pasywa"), std::string::npos) << c.name;
        } else {
            EXPECT_EQ(bytes, c.bytes) << c.name << " " << int(c.modes);
        }
    }
    // A stream that takes nothing.
    class Full : public TMemoryStream {
    public:
        int32_t Write(const void*, int32_t) override { return 0; }
    } full;
    v.edit->SetStreamMode(0);
    try {
        v.edit->Lines()->SaveToStream(full);
        ADD_FAILURE() << "saved";
    } catch (const EOutOfResources& e) {
        EXPECT_EQ(e.Message(), "Failed to Save Stream");
    }
}

// ---- The window and its text ------------------------------------------------------------
TEST(RichTextViewer, ANewWindowKeepsTheModeTheModifiedFlagAndTheText) {
    Viewer v;
    EXPECT_EQ(ThemeStyle(v.edit), csNeedsBorderPaint);
    v.edit->SetText("Bilans");
    for (bool modified : {true, false}) {
        SendMessageW(v.edit->Handle(), EM_SETMODIFY, modified, 0);
        v.edit->RecreateWnd();
        EXPECT_EQ(SendMessageW(v.edit->Handle(), EM_GETMODIFY, 0, 0) != 0, modified);
    }
    // Plain text set before the window: the window is made in plain-text mode.
    Owned<TForm> form = Make<TForm>(nullptr);
    auto* plain = new TXcRichEdit(form.get());
    plain->SetPlainText(true);
    plain->SetParent(form.get());
    plain->SetText("Rachunek");
    EXPECT_TRUE(SendMessageW(plain->Handle(), EM_GETTEXTMODE, 0, 0) & TM_PLAINTEXT);
    plain->RecreateWnd();
    EXPECT_TRUE(SendMessageW(plain->Handle(), EM_GETTEXTMODE, 0, 0) & TM_PLAINTEXT);
    EXPECT_EQ(plain->Text(), "Rachunek");
}

TEST(RichTextViewer, UpdatesAndAssignmentsTellOfTheChangeOnce) {
    Viewer v;
    int changes = 0, notices = 0;
    v.edit->OnChange = [&](TObject*) { ++changes; };
    const THookToken hook = v.edit->WindowHooks().Add(
        [&](TMessage& m, bool&) {
            if (m.Msg == CM_TEXTCHANGED) ++notices;
        },
        hpBefore);
    v.edit->Lines()->SetText("Aktywa\r\nPasywa");
    EXPECT_EQ(changes, 0) << "no change notification while assigning";
    EXPECT_EQ(notices, 1);
    v.edit->Lines()->BeginUpdate();
    v.edit->Lines()->Add("Kapitał");
    v.edit->Lines()->Add("Zobowiązania");
    EXPECT_EQ(notices, 1);
    v.edit->Lines()->EndUpdate();
    EXPECT_EQ(notices, 2) << "one notice at the end of the update";
    v.edit->WindowHooks().Remove(hook);

    // The lines' changes can be undone while ForceUndo is on.
    for (bool force : {true, false}) {
        v.edit->SetForceUndo(force);
        SendMessageW(v.edit->Handle(), EM_EMPTYUNDOBUFFER, 0, 0);
        v.edit->Lines()->Put(0, "Aktywa razem");
        EXPECT_EQ(SendMessageW(v.edit->Handle(), EM_CANUNDO, 0, 0) != 0, force);
    }

    TRect asked{};
    v.edit->OnResizeRequest = [&](TObject*, const TRect& r) { asked = r; };
    SendMessageW(v.edit->Handle(), EM_REQUESTRESIZE, 0, 0);
    EXPECT_GT(asked.bottom, asked.top);
    const TRect remembered = v.edit->ResizeRect();
    EXPECT_TRUE(EqualRect(&asked, &remembered)) << "remembered";
}

// ---- Attributes ---------------------------------------------------------------------------
TEST(RichTextAttributes, CharactersAndParagraphsReachTheControl) {
    Viewer v;
    v.edit->SetReadOnly(false);
    v.edit->SetText("Aktywa trwałe\rPasywa");
    HWND wnd = v.edit->Handle();
    SendMessageW(wnd, EM_SETSEL, 0, 6);
    TXcTextAttributes* sel = v.edit->SelAttributes();
    sel->SetStyle(fsBold | fsItalic);
    sel->SetSize(14);
    sel->SetColor(clRed);
    sel->SetName("Arial");
    CHARFORMAT2W cf{};
    cf.cbSize = sizeof cf;
    SendMessageW(wnd, EM_GETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&cf));
    EXPECT_EQ(cf.dwEffects & (CFE_BOLD | CFE_ITALIC | CFE_UNDERLINE), DWORD(CFE_BOLD | CFE_ITALIC));
    EXPECT_EQ(cf.yHeight, 14 * 20) << "points in twips";
    EXPECT_EQ(cf.crTextColor, RGB(255, 0, 0));
    EXPECT_STREQ(cf.szFaceName, L"Arial");
    EXPECT_EQ(sel->Height(), MulDiv(14, v.edit->ScreenLogPixels(), 72));
    EXPECT_EQ(sel->ConsistentAttributes() & (caBold | caSize), caBold | caSize);
    // To and from a font.
    TFont font;
    font.Assign(sel);
    EXPECT_EQ(font.Name(), "Arial");
    EXPECT_EQ(font.Size(), 14);
    EXPECT_EQ(font.Style(), fsBold | fsItalic);
    font.SetStyle(fsUnderline);
    SendMessageW(wnd, EM_SETSEL, 8, 8);
    v.edit->WordAttributes()->Assign(&font);
    SendMessageW(wnd, EM_SETSEL, 7, 13);
    EXPECT_EQ(sel->Style(), fsUnderline) << "the word at the caret";

    TXcParaAttributes* para = v.edit->Paragraph();
    para->SetFirstIndent(18);
    para->SetLeftIndent(9);
    para->SetRightIndent(36);
    para->SetNumbering(nsBullet);
    para->SetTabCount(2);
    para->SetTab(1, 72);
    PARAFORMAT2 pf{};
    pf.cbSize = sizeof pf;
    SendMessageW(wnd, EM_GETPARAFORMAT, 0, reinterpret_cast<LPARAM>(&pf));
    EXPECT_EQ(pf.dxStartIndent, 360);
    EXPECT_EQ(pf.dxOffset, 180);
    EXPECT_EQ(pf.dxRightIndent, 720);
    EXPECT_EQ(pf.wNumbering, PFN_BULLET);
    EXPECT_EQ(pf.cTabCount, 2);
    EXPECT_EQ(pf.rgxTabs[1], 1440);
    // Justified: the advanced line breaking with it (version 3), which is
    // then not stored.
    const TPropInfo* typography = GetPropInfo(*v.edit, "AdvancedTypography");
    ASSERT_TRUE(typography);
    EXPECT_FALSE(typography->StoredFn(*v.edit));
    para->SetAlignment(paJustify);
    EXPECT_EQ(para->Alignment(), paJustify);
    EXPECT_TRUE(v.edit->AdvancedTypography());
    v.edit->SetAutoAdvancedTypography(false);
    EXPECT_TRUE(typography->StoredFn(*v.edit));
}

// Wine's rich edit sends neither notification: they are sent as the
// control would send them to its parent.
TEST(RichTextViewer, ProtectedTextAndTheClipboardAskTheirEvents) {
    Viewer v;
    HWND wnd = v.edit->Handle();
    auto notify = [&](NMHDR& header, UINT code) {
        header.hwndFrom = wnd;
        header.idFrom = static_cast<UINT_PTR>(GetDlgCtrlID(wnd));
        header.code = code;
        return SendMessageW(v.form->Handle(), WM_NOTIFY, header.idFrom, reinterpret_cast<LPARAM>(&header));
    };
    ENPROTECTED p{};
    p.msg = WM_CHAR;
    p.wParam = 'X';
    p.chrg = {0, 6};
    EXPECT_EQ(notify(p.nmhdr, EN_PROTECTED), 1) << "without handlers protected text stays";
    std::string asked;
    bool allow = false;
    v.edit->OnProtectChange = [&](TObject*, int start, int end, bool& allowChange) {
        asked += std::to_string(start) + "-" + std::to_string(end) + " ";
        allowChange = allow;
    };
    v.edit->OnProtectChangeEx = [&](TObject*, const TMessage& m, int, int, bool& allowChange) {
        asked += m.Msg == WM_CHAR ? "char; " : "other; ";
        allowChange = allowChange || m.WParam == 'Y';
    };
    EXPECT_EQ(notify(p.nmhdr, EN_PROTECTED), 1);
    allow = true;
    EXPECT_EQ(notify(p.nmhdr, EN_PROTECTED), 0);
    allow = false;
    p.wParam = 'Y';
    EXPECT_EQ(notify(p.nmhdr, EN_PROTECTED), 0);
    EXPECT_EQ(asked, "0-6 char; 0-6 char; 0-6 char; ");

    ENSAVECLIPBOARD c{};
    c.cObjectCount = 0;
    c.cch = 12;
    EXPECT_EQ(notify(c.nmhdr, EN_SAVECLIPBOARD), 0) << "kept by default";
    int chars = 0;
    v.edit->OnSaveClipboard = [&](TObject*, int, int numChars, bool& save) {
        chars = numChars;
        save = false;
    };
    EXPECT_EQ(notify(c.nmhdr, EN_SAVECLIPBOARD), 1);
    EXPECT_EQ(chars, 12);
}

// ---- Finding, replacing and printing ----------------------------------------------------
TEST(RichTextFind, FindsByTheOptions) {
    Viewer v;
    v.edit->SetText("Aktywa, aktywa trwałe, AKTYWA");
    struct Case {
        const char* text;
        int start, length;
        TRichSearchTypes options;
        int at;
    };
    const Case cases[] = {
        {"aktywa", 0, 29, 0, 0},           {"aktywa", 1, 28, 0, 8},
        {"aktywa", 1, 28, stMatchCase, 8}, {"AKTYWA", 0, 29, stMatchCase, 23},
        {"aktyw", 0, 29, stWholeWord, -1}, {"aktywa", 0, 22, stBackward, 8},
        {"pasywa", 0, 29, 0, -1},
    };
    for (const Case& c : cases)
        EXPECT_EQ(v.edit->FindText(c.text, c.start, c.length, c.options), c.at)
            << c.text << " " << c.start << " " << int(c.options);
}

TEST(RichTextFind, TheDialogsFindReplaceAndTellWhatTheyDidNotFind) {
    Viewer v;
    v.edit->SetReadOnly(false);
    v.edit->SetText("Aktywa i pasywa, aktywa");
    HWND wnd = v.edit->Handle();
    std::string events;
    v.edit->OnTextNotFound = [&](TObject*, const std::string& text) { events += "not found " + text + "; "; };
    v.edit->OnCloseFindDialog = [&](TObject*) { events += "closed; "; };
    auto selection = [wnd] {
        CHARRANGE r{};
        SendMessageW(wnd, EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&r));
        return std::to_string(r.cpMin) + "-" + std::to_string(r.cpMax);
    };
    v.edit->FindDialog("aktywa");
    HWND dialog = v.edit->FindDialogWindow();
    ASSERT_TRUE(dialog);
    SendMessageW(dialog, WM_COMMAND, IDOK, 0);
    EXPECT_EQ(selection(), "0-6");
    SendMessageW(dialog, WM_COMMAND, IDOK, 0);
    EXPECT_EQ(selection(), "17-23");
    SendMessageW(dialog, WM_COMMAND, IDOK, 0);
    EXPECT_EQ(events, "not found aktywa; ");
    SendMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
    Pump();
    EXPECT_EQ(events, "not found aktywa; closed; ");
    EXPECT_EQ(v.edit->FindDialogWindow(), nullptr);

    events.clear();
    SendMessageW(wnd, EM_SETSEL, 0, 0);
    v.edit->ReplaceDialog("aktywa", "Aktywa razem");
    dialog = v.edit->FindDialogWindow();
    ASSERT_TRUE(dialog);
    SendMessageW(dialog, WM_COMMAND, IDOK, 0);  // find
    SendMessageW(dialog, WM_COMMAND, psh1, 0);  // replace it, find the next
    EXPECT_EQ(v.edit->Text(), "Aktywa razem i pasywa, aktywa");
    EXPECT_EQ(selection(), "23-29");
    SetDlgItemTextW(dialog, edt1, L"pasywa");
    SetDlgItemTextW(dialog, edt2, L"zobowiązania");
    SendMessageW(dialog, WM_COMMAND, psh2, 0);  // all
    EXPECT_EQ(v.edit->Text(), "Aktywa razem i zobowiązania, aktywa");
    SendMessageW(dialog, WM_COMMAND, psh2, 0);
    EXPECT_EQ(events, "not found pasywa; ");
    v.edit->CloseFindDialog();
    EXPECT_EQ(events, "not found pasywa; closed; ");
    EXPECT_FALSE(IsWindow(dialog));
}

// Wine's rich edit formats no text for the printer: its answer is given
// here, 60 characters a page, and the ranges it is asked for are noted.
TEST(RichTextPrint, OneJobPageByPageUnderItsTitle) {
    TempFolder folder;
    Viewer v;
    v.edit->SetText(std::string(150, 'x'));
    HWND wnd = v.edit->Handle();
    std::string asked;
    const THookToken hook = v.edit->WindowHooks().Add(
        [&](TMessage& m, bool& handled) {
            if (m.Msg != EM_FORMATRANGE) return;
            handled = true;
            const auto* range = reinterpret_cast<const FORMATRANGE*>(m.LParam);
            if (!range) {
                asked += "clear; ";
                return;
            }
            asked += std::to_string(range->chrg.cpMin) + " in " + std::to_string(range->rc.right) + "x" +
                     std::to_string(range->rc.bottom) + "; ";
            m.Result = range->chrg.cpMin + 60;
        },
        hpBefore);
    TPrinter* printer = Printer();
    const ScopeExit restore([&] {
        printer->SetOutputFile("");
        v.edit->WindowHooks().Remove(hook);
    });
    // The printable page in twips: 2329 x 3358 pixels at 300 per inch.
    const int width = MulDiv(printer->PageWidth(), 1440, 300),
              height = MulDiv(printer->PageHeight(), 1440, 300);
    struct Case {
        std::string caption;
        TRect page;
        const char* title;
        std::string ranges;
    };
    const Case cases[] = {
        {"Pomoc do wydruku", Rect(0, 0, 0, 0), "Pomoc do wydruku",
         "clear; 0 in 11179x16118; 60 in 11179x16118; 120 in 11179x16118; clear; "},
        // No caption: the viewer's Title; the text on a rectangle of the page.
        {"", Rect(0, 0, 300, 600), "Tytul",
         "clear; 0 in 1440x2880; 60 in 1440x2880; 120 in 1440x2880; clear; "},
    };
    EXPECT_EQ(width, 11179);
    EXPECT_EQ(height, 16118);
    for (const Case& c : cases) {
        const std::string file = folder.Name("wydruk.ps");
        printer->SetOutputFile(file);
        v.edit->SetTitle("Tytul");
        v.edit->SetPageRect(c.page);
        asked.clear();
        v.edit->Print(c.caption);
        EXPECT_EQ(asked, c.ranges) << c.title;
        const std::string ps = ReadBytes(file);
        const size_t title = ps.find("%%Title: ");
        ASSERT_NE(title, std::string::npos);
        EXPECT_NE(ps.substr(title, ps.find('\n', title) - title).find(c.title), std::string::npos) << c.title;
        EXPECT_NE(ps.find("%%Pages: 3"), std::string::npos) << "150 characters, 60 a page";
    }
    EXPECT_EQ(SendMessageW(wnd, WM_GETTEXTLENGTH, 0, 0), 150);
}

TEST(RichTextViewer, ALayoutNamingTheObjectSettingsIsReadAndWrittenBackTheSame) {
    Viewer v;
    v.edit->SetAutoVerbMenu(false);
    v.edit->SetAllowObjects(false);
    v.edit->SetAllowInPlace(false);
    const std::string stored = Written(*v.edit);
    auto* copy = new TXcRichEdit(v.form.get());
    LoadComponentTree(*copy, [&] { ReadInto(v.form.get(), *copy, stored); });
    EXPECT_FALSE(copy->AutoVerbMenu());
    EXPECT_FALSE(copy->AllowObjects());
    EXPECT_FALSE(copy->AllowInPlace());
    const std::string again = Written(*copy);
    for (const std::string name : {"AutoVerbMenu", "AllowObjects", "AllowInPlace"}) {
        // The name, then False.
        const std::string entry = static_cast<char>(name.size()) + name + '\x08';
        EXPECT_NE(stored.find(entry), std::string::npos) << name;
        EXPECT_NE(again.find(entry), std::string::npos) << name;
    }
}

TEST(RichTextViewer, ItsWindowClassRedrawsOnlyWhatASizeChangeUncovers) {
    Viewer v;
    EXPECT_EQ(GetClassLongW(v.edit->Handle(), GCL_STYLE) & (CS_HREDRAW | CS_VREDRAW), 0u);
    v.edit->Lines()->SetText("Aktywa");
    EXPECT_EQ(v.Lines(), Lines{"Aktywa"}) << "still the rich edit";
}

TEST(RichTextLines, InsertingAfterTheLastLineStartsWithALineBreak) {
    const struct {
        const char* text;
        int index;
        const char* result;  // each of the control's line breaks read as CR LF
    } cases[] = {
        {"", 0, "\r\nBilans"},
        {"Aktywa", 0, "Bilans\r\nAktywa"},
        {"Aktywa", 1, "Aktywa\r\nBilans"},
        {"Aktywa\r", 1, "Aktywa\r\nBilans\r\n"},
        {"Aktywa\rPasywa", 1, "Aktywa\r\nBilans\r\nPasywa"},
    };
    Viewer v;
    for (const auto& c : cases) {
        SetWindowTextW(v.edit->Handle(), ToWide(c.text).c_str());
        v.edit->Lines()->Insert(c.index, "Bilans");
        EXPECT_EQ(v.Held(), c.result) << c.text << " at " << c.index;
    }
    EXPECT_THROW(v.edit->Lines()->Insert(5, "Bilans"), EStringListError);
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
