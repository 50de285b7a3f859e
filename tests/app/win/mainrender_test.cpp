// The shown form's pages: values painted over the page exactly where their
// fields lie (read back from a metafile the paint handler draws into), the
// pages and tabs a form's templates give, a rendering that fails, the shown
// form going with its node, page changes refused, and a fitted zoom kept.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "app/win/FieldPainter.h"
#include "classlib/FormatSettings.h"
#include "classlib/win/GdiHandles.h"
#include "classlib/win/WideText.h"
#include "engine/Recalc.h"
#include "engine/win/EngineHostWin.h"
#include "tests/app/win/DrawnTexts.h"
#include "tests/app/win/FormShowing.h"
#include "tests/app/win/MainFormFixture.h"
#include "tests/support/TempFolder.h"

namespace {

using namespace cl;
using maintest::Drawing;
using maintest::DrawnText;
using maintest::Read;

// The height of a line in the font on the screen.
int LineHeight(const LOGFONTW& lf) {
    const OwnedFont font(CreateFontIndirectW(&lf));
    const WindowDC dc(nullptr);
    const SelectedObject selected(dc.get(), font.get());
    TEXTMETRICW tm{};
    GetTextMetricsW(dc.get(), &tm);
    return tm.tmHeight;
}

// A field of one character per printed cell walks its mask: a cell per
// digit, a box as wide as each literal.
TEST(PaintField, ACellFieldPutsEachCharacterInTheNextCellAlongItsMask) {
    TEField field{};
    field.EditType = 8;
    field.Layout = ::tlBottom;
    field.EditMask = "99\\.99;1;_";
    TMetafile page;
    page.SetWidth(400);
    page.SetHeight(100);
    {
        TMetafileCanvas canvas(&page, nullptr);
        PaintField(canvas, field, "12.34", Rect(100, 10, 300, 40), 9, 20);
    }
    const std::vector<DrawnText> texts = Read(page.Handle()).texts;
    ASSERT_EQ(texts.size(), 5u);
    const int point = texts[2].width;
    const int cells[] = {100, 120, 140, 140 + point, 160 + point};
    for (int i = 0; i < 5; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(texts[i].text, std::wstring(1, L"12.34"[i]));
        // Centred in its cell, to the pixel DrawText rounds to.
        EXPECT_NEAR(texts[i].x + texts[i].width / 2.0, cells[i] + (i == 2 ? point : 20) / 2.0, 1);
    }
}

// A white 24-bit picture of the size, and its rows compared.
struct Picture {
    Picture(int w, int h) {
        bitmap.SetPixelFormat(pf24bit);
        bitmap.SetSize(w, h);
        bitmap.Canvas()->Brush()->SetColor(clWhite);
        bitmap.Canvas()->FillRect(Rect(0, 0, w, h));
    }
    bool operator==(Picture& other) {
        const size_t row = static_cast<size_t>(bitmap.Width()) * 3;
        for (int y = 0; y < bitmap.Height(); ++y)
            if (std::memcmp(bitmap.ScanLine(y), other.bitmap.ScanLine(y), row) != 0) return false;
        return true;
    }
    TBitmap bitmap;
};

// On the screen a fit is measured once per text and box: another text in
// the same box, or the same text in another box, gets its own.  Each is
// drawn as GDI draws it in the largest bold Arial (from 7 pt down) whose
// line is no wider than the box, found here one height after the other.
TEST(PaintField, OnTheScreenEachTextAndBoxSizeIsFittedOnItsOwn) {
    TEField field{};
    field.EditType = ie_currency;
    field.Alignment = ::taRightJustify;
    field.Layout = ::tlBottom;
    const UINT flags = DT_RIGHT | DT_BOTTOM | DT_SINGLELINE | DT_WORDBREAK | DT_NOPREFIX;
    const struct {
        const wchar_t* text;
        int width;
    } cases[] = {{L"-99 999 999 999,99", 70},
                 {L"1 234,50", 70},
                 {L"-99 999 999 999,99", 70},
                 {L"-99 999 999 999,99", 150},
                 {L"-99 999 999 999,99", 50}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.width);
        const TRect box = Rect(10, 5, 10 + c.width, 25);
        Picture painted(200, 30), expected(200, 30);
        PaintField(*painted.bitmap.Canvas(), field, FromWide(c.text), box, 7, 0);

        HDC dc = expected.bitmap.Canvas()->Handle();
        SetBkColor(dc, RGB(255, 255, 255));
        SetTextColor(dc, RGB(0, 0, 0));
        for (int height = 9; height >= 1; --height) {
            const OwnedFont font(
                CreateFontW(-height, 0, 0, 0, FW_BOLD, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, L"Arial"));
            const SelectedObject selected(dc, font.get());
            RECT need = {box.left, box.top, box.right, box.top};
            DrawTextW(dc, c.text, -1, &need, flags | DT_CALCRECT);
            if (need.right - need.left > c.width && height > 1) continue;
            RECT r = box;
            DrawTextW(dc, c.text, -1, &r, flags);
            break;
        }
        EXPECT_TRUE(painted == expected);
    }
}

// A text longer than any value the program keeps can only come from a
// damaged file: it is drawn as its first 30 000 characters are, and
// painting it ends.
TEST(PaintField, ATextLongerThanAnyValueIsDrawnAsItsLongestBeginning) {
    TEField field{};
    field.EditType = ie_text;
    field.Layout = ::tlCenter;
    std::string text;
    while (text.size() < (1u << 20)) text += "Przykładowa Spółka z o.o. ";
    Picture whole(400, 60), beginning(400, 60);
    PaintField(*whole.bitmap.Canvas(), field, text, Rect(0, 0, 400, 60), 7, 0);
    PaintField(*beginning.bitmap.Canvas(), field, text.substr(0, 30000), Rect(0, 0, 400, 60), 7, 0);
    EXPECT_TRUE(whole == beginning);
}

class RenderTest : public maintest::MainFormTest {
protected:
    void SetUp() override {
        MainFormTest::SetUp();
        savedSettings_ = FormatSettings();
        SetFormatSettings(TFormatSettings::Polish());
        SetEngineHost(&host_);
        ProgramFolder = maintest::BuildProgramFolder();
    }
    void TearDown() override {
        OpenEditor = {};
        MainFormTest::TearDown();
        SetEngineHost(nullptr);
        SetFormatSettings(savedSettings_);
    }

    TemFrm* Show(int zoom = 100) {
        TemFrm* form = maintest::ShowForm(*form_, "bil");
        form_->PrintPreview->SetZoom(zoom);
        return form;
    }

    // What the paint handler draws over the current page.
    Drawing Paint() {
        TPaperPreview* sheet = form_->PrintPreview->PaperPreview();
        TMetafile page;
        page.SetWidth(sheet->Width());
        page.SetHeight(sheet->Height());
        {
            TMetafileCanvas canvas(&page, nullptr);
            form_->PrintPreviewPaint(form_->PrintPreview, &canvas, sheet->GetPageRect());
        }
        return Read(page.Handle());
    }

    // Where a bil page 1 field lies on the sheet, on paper w x h (0.01 mm).
    TRect Expected(int field, int w = 21000, int h = 29700) {
        auto x = [w](int v) { return MulDiv(v, w, 2100); };
        auto y = [h](int v) { return MulDiv(v, h, 2970); };
        return form_->PrintPreview->PaperToScreenRect(
            Rect(x(ScreenLeft(1, 1, field)), y(ScreenTop(1, 1, field)), x(ScreenRight(1, 1, field)),
                 y(ScreenBottom(1, 1, field))));
    }

    // The texts whose line starts and ends inside a rectangle (a line's
    // leading may stand above a rectangle made for its baseline).
    static std::vector<DrawnText> In(const Drawing& d, const TRect& r) {
        std::vector<DrawnText> found;
        for (const DrawnText& t : d.texts) {
            const int bottom = t.y + LineHeight(t.font);
            if (t.x >= r.left && t.x < r.right && bottom > r.top && bottom <= r.bottom + 1)
                found.push_back(t);
        }
        return found;
    }

    // The selected forms go, without the tree's selection handler.
    void Unselect() {
        TEventPause quiet(form_->XcTreeView2->OnChange);
        form_->XcTreeView2->Items()->Clear();
    }

    TWindowEngineHost host_;
    TFormatSettings savedSettings_;
};

const wchar_t kAmount[] = L"1\u00a0234,50";

TEST_F(RenderTest, TypedAmountAndItsTotalsAppearOnceAtTheirRectanglesBottomRightInTheZoomedFont) {
    const struct {
        int zoom;
        LONG height;  // of 7 pt, MulDiv'ed by the zoom, at 96 pixels per inch
    } cases[] = {{100, -9}, {50, -5}, {150, -15}};
    TemFrm* form = Show();
    ASSERT_TRUE(form->SetValueAsText(10, "1 234,50"));
    for (const auto& c : cases) {
        SCOPED_TRACE(c.zoom);
        form_->PrintPreview->SetZoom(c.zoom);
        const Drawing d = Paint();
        EXPECT_EQ(d.texts.size(), 3u);
        for (int field : {10, 9, 8}) {
            SCOPED_TRACE(field);
            const TRect r = Expected(field);
            const std::vector<DrawnText> texts = In(d, r);
            ASSERT_EQ(texts.size(), 1u);
            const DrawnText& t = texts[0];
            EXPECT_EQ(t.text, kAmount);
            EXPECT_NEAR(t.x + t.width, r.right, 1);
            EXPECT_NEAR(t.y + LineHeight(t.font), r.bottom, 1);
            EXPECT_EQ(t.font.lfHeight, c.height);
            EXPECT_EQ(t.font.lfWeight, FW_BOLD);
            EXPECT_STREQ(t.font.lfFaceName, L"Arial");
        }
        EXPECT_EQ(d.boxes.size(), 3u);
    }
}

// Input or a page change must not run halfway through a paint.
TEST_F(RenderTest, PaintingHandlesNoMessages) {
    TemFrm* form = Show();
    ASSERT_TRUE(form->SetValueAsText(10, "1 234,50"));
    const UINT marker = WM_APP + 7;
    PostThreadMessageW(GetCurrentThreadId(), marker, 0, 0);
    EXPECT_EQ(Paint().texts.size(), 3u);
    MSG m;
    EXPECT_TRUE(PeekMessageW(&m, nullptr, marker, marker, PM_REMOVE));
}

TEST_F(RenderTest, EmptyNullAndSecondPageFieldsLeaveNothingOnPageOne) {
    TemFrm* form = Show();
    form->ValueOf(11)->Value = Variant::Null();
    int secondPage = 0;
    for (int n = form->FirstID + 1; n < form->LastID && !secondPage; ++n)
        if (TEFieldTable[n].Page == 2 && TEFieldTable[n].Enabled && TEFieldTable[n].DataType == kDataCurrency)
            secondPage = n;
    ASSERT_TRUE(form->SetValueAsText(static_cast<uint16_t>(secondPage), "7 777,77"));
    Recalculate(0);

    const Drawing first = Paint();
    EXPECT_TRUE(first.texts.empty());
    EXPECT_TRUE(first.boxes.empty());
    // A zero is a value.
    ASSERT_TRUE(form->SetValueAsText(12, "0"));
    const std::vector<DrawnText> zero = In(Paint(), Expected(12));
    ASSERT_EQ(zero.size(), 1u);
    EXPECT_EQ(zero[0].text, L"0,00");
    ASSERT_TRUE(form->SetValueAsText(12, ""));
    // The value is there to be drawn on its own page.
    form_->PrintPreview->SetCurrentPage(2);
    const Drawing second = Paint();
    EXPECT_TRUE(std::any_of(second.texts.begin(), second.texts.end(),
                            [](const DrawnText& t) { return t.text == L"7\u00a0777,77"; }));
}

TEST_F(RenderTest, TextFieldsPolishLettersArriveAsTheirCodePointsWithoutABox) {
    TemFrm* form = Show();
    ASSERT_TRUE(form->SetValueAsText(5, "Spółka Łódź ąćęłńóśźż & syn"));
    const Drawing d = Paint();
    ASSERT_EQ(d.texts.size(), 1u);
    EXPECT_EQ(d.texts[0].text, L"Spółka Łódź ąćęłńóśźż & syn");
    EXPECT_TRUE(d.boxes.empty());
}

// Arial needs about 20 mm for it at 7 pt; the column has 19.6 mm.
TEST_F(RenderTest, ALongNegativeAmountIsDrawnWholeInASmallerFont) {
    TemFrm* form = Show();
    ASSERT_TRUE(form->SetValueAsText(10, "-99 999 999 999,99"));
    const Drawing d = Paint();
    const TRect r = Expected(10);
    const std::vector<DrawnText> texts = In(d, r);
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ(texts[0].text, L"-99\u00a0999\u00a0999\u00a0999,99");
    EXPECT_GE(texts[0].x, r.left);
    EXPECT_NEAR(texts[0].x + texts[0].width, r.right, 1);
    EXPECT_GT(texts[0].font.lfHeight, -9);
    // A total that fits keeps the field's size.
    ASSERT_TRUE(form->SetValueAsText(10, "1 234,50"));
    EXPECT_EQ(In(Paint(), r)[0].font.lfHeight, -9);
}

TEST_F(RenderTest, OnA5AValueLandsInItsRectangleScaledToThePaper) {
    form_->PrintPreview->SetPaperType(pA5);
    TemFrm* form = Show();
    ASSERT_TRUE(form->SetValueAsText(10, "1 234,50"));
    const Drawing d = Paint();
    const TRect r = Expected(10, 14800, 21000);
    const std::vector<DrawnText> texts = In(d, r);
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_NEAR(texts[0].x + texts[0].width, r.right, 1);
    EXPECT_NEAR(texts[0].y + LineHeight(texts[0].font), r.bottom, 1);
    // A box's right and bottom are recorded inclusive.
    const bool boxed = std::any_of(d.boxes.begin(), d.boxes.end(), [&r](const RECT& b) {
        return b.left == r.left && b.top == r.top && b.right == r.right - 1 && b.bottom == r.bottom - 1;
    });
    EXPECT_TRUE(boxed);
}

// ---- Rendering ---------------------------------------------------------------------------
// A program folder of its own with some of bil's templates, copied or made up.
struct Templates {
    explicit Templates(std::initializer_list<std::pair<int, std::string>> pages) {
        std::filesystem::create_directories(cltest::PathOf(folder.Name("frm")));
        for (const auto& [page, bytes] : pages) {
            const std::string leaf = "frm\\bil_" + std::to_string(page) + ".emf";
            cltest::WriteBytes(
                folder.Name(leaf),
                bytes.empty() ? cltest::ReadBytes(maintest::BuildProgramFolder() + leaf) : bytes);
        }
        ProgramFolder = folder.Name("");
    }
    cltest::TempFolder folder;
};

TEST_F(RenderTest, EachTemplateFoundGivesAPageAndATab) {
    const struct {
        bool second;
        std::vector<std::string> tabs;
    } cases[] = {{true, {"1", "2"}}, {false, {"1"}}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.second);
        const Templates templates = c.second ? Templates{{1, ""}, {2, ""}} : Templates{{1, ""}};
        maintest::ShowForm(*form_, "bil");
        EXPECT_EQ(form_->PrintPreview->TotalPages(), static_cast<int>(c.tabs.size()));
        ASSERT_EQ(form_->PageNavigator->Tabs()->Count(), static_cast<int>(c.tabs.size()));
        for (size_t i = 0; i < c.tabs.size(); ++i)
            EXPECT_EQ(form_->PageNavigator->Tabs()->Get(static_cast<int>(i)), c.tabs[i]);
        EXPECT_EQ(form_->PageNavigator->TabIndex(), 0);
        EXPECT_EQ(form_->XcPanel3->Caption(), "BILANS DLA JEDNOSTEK PROWADZĄCYCH D.G.");
        Unselect();
    }
    EXPECT_TRUE(answers_.boxes.empty());
}

TEST_F(RenderTest, AFailureInsideRenderingLeavesThePreviewIdleAndSaysSo) {
    const Templates templates{{1, ""}, {2, "not a metafile"}};
    for (const bool modified : {false, true}) {
        SCOPED_TRACE(modified);
        answers_.boxes.clear();
        DataModified = modified;
        maintest::ShowForm(*form_, "bil");
        EXPECT_EQ(form_->PrintPreview->State(), psIdle);
        EXPECT_EQ(form_->PrintPreview->TotalPages(), 0);
        EXPECT_EQ(form_->PageNavigator->Tabs()->Count(), 0);
        EXPECT_FALSE(form_->Rendering);
        EXPECT_EQ(DataModified, modified);
        EXPECT_EQ(ShownForm, nullptr);
        EXPECT_TRUE(form_->FormComboBox->Enabled());
        EXPECT_EQ(form_->Caption().find("Tworzenie"), std::string::npos);
        ASSERT_EQ(answers_.boxes.size(), 1u);
        EXPECT_EQ(answers_.boxes[0].text,
                  "Wczytanie formularzy nie powiodło się, przyczyną może być nadmierne obciążenie pamięci "
                  "komputera.");
        Unselect();
    }
}

TEST_F(RenderTest, RemovingTheShownFormClearsShownFormAndItsValuesAndTheSheetStillPaints) {
    TemFrm* form = Show();
    ASSERT_TRUE(form->SetValueAsText(10, "1 234,50"));
    HoveredField = 10;
    EXPECT_EQ(form_->RemoveSelectedForm("Bil"), 0);  // names compare in any case
    EXPECT_EQ(form_->XcTreeView2->Items()->Count(), 0);
    EXPECT_FALSE(DataValues[10]) << "the form's values go with it";
    EXPECT_EQ(ShownForm, nullptr);
    EXPECT_EQ(HoveredField, 0);
    form_->PrintPreview->PaperPreview()->Repaint();
    EXPECT_TRUE(Paint().texts.empty());
}

TEST_F(RenderTest, WhilePagesAreRecordedTheCaptionSaysSoAndThePaperListWaits) {
    TPrintPreview& preview = *form_->PrintPreview;
    const TNotifyEvent own = preview.OnChange;
    std::vector<std::string> captions;
    bool paperListEnabled = true;
    preview.OnChange = [&](TObject* sender) {
        if (preview.State() == psRecording) {
            captions.push_back(form_->Caption());
            paperListEnabled = paperListEnabled && form_->FormComboBox->Enabled();
        }
        own(sender);
    };
    Show();
    preview.OnChange = own;
    ASSERT_FALSE(captions.empty());
    for (const std::string& caption : captions) EXPECT_EQ(caption, "Sprawozdawca - Tworzenie stron...");
    EXPECT_FALSE(paperListEnabled);
    EXPECT_NE(form_->Caption(), captions[0]);
    EXPECT_TRUE(form_->FormComboBox->Enabled());
}

TEST_F(RenderTest, ATabTurnsThePageUnlessTheOpenEditorKeepsIt) {
    Show();
    ErrorList.Add({"strona", 2});
    ErrorList.Add({"suma", 1});
    form_->PageNavigator->SetTabIndex(1);
    EXPECT_EQ(form_->PrintPreview->CurrentPage(), 2);
    // The page's errors go; the list box lists what is left.
    cltest::Pump();
    ASSERT_EQ(form_->ErrListBox->Items()->Count(), 1);
    EXPECT_EQ(form_->ErrListBox->Items()->Get(0), "suma");

    // An editor whose value the user chose to correct stays open.
    form_->BeginFieldEdit(157, false);
    ASSERT_NE(OpenEditor.Editor, nullptr);
    OpenEditor.Editor->SetText("3-5");
    answers_.answer = IDYES;
    form_->PageNavigator->SetTabIndex(0);
    EXPECT_EQ(form_->PrintPreview->CurrentPage(), 2);
    EXPECT_EQ(form_->PageNavigator->TabIndex(), 1);
    EXPECT_THROW(form_->PrintPreview->SetCurrentPage(1), EAbort);
    EXPECT_EQ(form_->PageNavigator->TabIndex(), 1);
}

TEST_F(RenderTest, APaperChangeShowsTheFormAgainAndEndsTheFirstRendering) {
    maintest::ShowForm(*form_, "bil");
    form_->PrintPreview->Clear();
    EXPECT_TRUE(form_->FirstRendering);
    form_->FormComboBox->OnChange(form_->FormComboBox);
    EXPECT_FALSE(form_->FirstRendering);
    EXPECT_EQ(form_->PrintPreview->TotalPages(), 2);
}

TEST_F(RenderTest, ThePapersThePreviewMakesComeAndGoInThePaperList) {
    form_->FormComboBox->Items()->Add("A4");
    form_->PrintPreview->OnAutoCustomForm(form_->PrintPreview, "150mm x 200mm", opInsert);
    ASSERT_EQ(form_->FormComboBox->Items()->Count(), 2);
    EXPECT_EQ(form_->FormComboBox->Items()->Get(1), "150mm x 200mm");
    form_->PrintPreview->OnAutoCustomForm(form_->PrintPreview, "150mm x 200mm", opRemove);
    EXPECT_EQ(form_->FormComboBox->Items()->Count(), 1);
}

TEST_F(RenderTest, AFitToWidthBecomesAZoomThatWideningTheWindowKeeps) {
    Show();
    form_->FitToWidth1->Execute();
    EXPECT_EQ(form_->PrintPreview->ZoomState(), zsZoomOther);
    const int zoom = form_->PrintPreview->Zoom();
    EXPECT_NE(zoom, 100);
    form_->SetWidth(form_->Width() + 200);
    cltest::Pump();
    EXPECT_EQ(form_->PrintPreview->Zoom(), zoom);
    EXPECT_EQ(form_->PrintPreview->ZoomState(), zsZoomOther);
}

}  // namespace
