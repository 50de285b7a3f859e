// The rich-text viewer over the older control (riched32.dll), as on a
// system without riched20.dll: its class, the help text loaded, lines
// inserted with its own line breaks and an insertion it cut short reported,
// the system font set after creation, and its paint.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "classlib/Exceptions.h"
#include "tests/controls/win/RichTextViewer.h"
#include "tests/support/Files.h"
#include "tests/support/TempFolder.h"

namespace {

using namespace cl;
using namespace cltest;

// Before the first rich edit of the process.
const bool kOlderLibrary = (UseOlderRichEditLibrary(), true);

using Viewer = RichTextViewer;

TEST(OlderRichEdit, IsVersionOneOfItsOwnClassAndLoadsTheHelpText) {
    ASSERT_TRUE(kOlderLibrary);
    EXPECT_EQ(XcRichEditVersion(), 1);
    Viewer v;
    wchar_t name[32] = {};
    GetClassNameW(v.edit->Handle(), name, 32);
    EXPECT_EQ(std::wstring(name).substr(0, 8), L"RICHEDIT");
    TempFolder folder;
    const std::string file = folder.Name("Print_help.rtf");
    WriteBytes(file, "{\\rtf1\\ansi\\ansicpg1250 Korekta margines\\'f3w\\par strony}");
    v.edit->Lines()->LoadFromFile(file);
    EXPECT_EQ(v.Held(), "Korekta marginesów\r\nstrony");
}

TEST(OlderRichEdit, LinesEndInCarriageReturnAndLineFeed) {
    const struct {
        const char* text;
        int index;
        const char* result;
    } cases[] = {
        {"", 0, "\r\nBilans"},
        {"Aktywa", 0, "Bilans\r\nAktywa"},
        {"Aktywa", 1, "Aktywa\r\nBilans"},
        {"Aktywa\r\nPasywa", 1, "Aktywa\r\nBilans\r\nPasywa"},
    };
    Viewer v;
    for (const auto& c : cases) {
        SetWindowTextW(v.edit->Handle(), ToWide(c.text).c_str());
        v.edit->Lines()->Insert(c.index, "Bilans");
        EXPECT_EQ(v.Held(), c.result) << c.text << " at " << c.index;
    }
}

TEST(OlderRichEdit, AnInsertionTheControlCutsShortIsReported) {
    // The control takes a line up to a NUL character: the rest and the
    // line break do not go in.
    Viewer v;
    v.edit->Lines()->Insert(0, "Aktywa");
    try {
        v.edit->Lines()->Insert(0, std::string("Pas\0ywa", 7));
        ADD_FAILURE() << "no error: " << v.Held();
    } catch (const EOutOfResources& e) {
        EXPECT_EQ(e.Message(), "RichEdit line insertion error");
    }
}

TEST(OlderRichEdit, ItsTextIsInTheSystemFontAfterCreation) {
    Viewer v;
    CHARFORMATW format{};
    format.cbSize = sizeof format;
    SendMessageW(v.edit->Handle(), EM_GETCHARFORMAT, SCF_DEFAULT, reinterpret_cast<LPARAM>(&format));
    EXPECT_EQ(std::wstring(format.szFaceName), L"System");
}

TEST(OlderRichEdit, APaintLeavesNothingToPaintAndDrawsTheText) {
    Viewer v;
    SetWindowTextW(v.edit->Handle(), L"MMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMM");
    InvalidateRect(v.edit->Handle(), nullptr, TRUE);
    Pump();
    EXPECT_FALSE(GetUpdateRect(v.edit->Handle(), nullptr, FALSE)) << "the right edge painted as well";
    int dark = 0;
    for (int x = 0; x < 200; ++x)
        if (GetRValue(PixelOf(v.edit, x, 8)) < 0x80) ++dark;
    EXPECT_GT(dark, 20) << "the text is drawn";
}

}  // namespace
