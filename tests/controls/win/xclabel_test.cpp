// The enhanced label in a test window with the theme state pinned off
// (Wine's themes would make every label transparent): its auto size for an
// empty caption, a lone "&", word wrap and margins (each counted once), its
// painting (right to left too), the kept angle and the refused corner cut;
// the data consumer it owns through one counted reference, connected to a
// small provider; its hot-track font; and the shared destruction test.
#include "controls/win/XcLabel.h"

#include <gtest/gtest.h>

#include <string>

#include "classlib/win/Forms.h"
#include "classlib/win/WideText.h"
#include "controls/win/XcThemeServices.h"
#include "frameworks/data/XcDataItemSelect.h"
#include "tests/controls/win/PinnedThemes.h"
#include "tests/frameworks/DataTestSupport.h"
#include "tests/support/ControlDestruction.h"
#include "tests/win/FormsTestSupport.h"
#include "tests/win/GraphicsSupport.h"

namespace {

using namespace cl;
using namespace cltest;

// The text's DrawText measure in the label's font on the screen.
SIZE Measured(TXcLabel* label, const std::string& text, UINT flags = 0, int width = 0) {
    const ScreenDC screen;
    const SelectedObject font(screen.get(), label->Font()->Handle());
    const std::wstring wide = ToWide(text);
    RECT r{0, 0, width, 0};
    DrawTextW(screen.get(), wide.c_str(), static_cast<int>(wide.size()), &r,
              flags | DT_CALCRECT | DT_EXPANDTABS);
    return {r.right, r.bottom};
}

class LabelTest : public ::testing::Test {
protected:
    LabelTest() : form(Make<TForm>(nullptr)) {
        form->SetBounds(60, 60, 400, 240);
        label = new TXcLabel(form.get());
        label->SetParent(form.get());
        label->SetLeft(100);
        label->SetTop(20);
    }
    void Show() {
        form->Show();
        Pump();
    }
    // The label painted on a surface of its size.
    void PaintInto(gfxtest::Surface& surface) {
        label->Perform(WM_PAINT, reinterpret_cast<WPARAM>(surface.Canvas().Handle()), 0);
    }

    PinnedThemes themes{false};
    ThemeServicesScope pinned{themes};
    Owned<TForm> form;
    TXcLabel* label;
};

TEST_F(LabelTest, SizeFollowsTheTextWithEachMarginCountedOnce) {
    const struct {
        const char* name;
        const char* caption;
        bool showAccel;
        int margin;
        const char* measuredAs;
        UINT flags;
    } cases[] = {
        {"empty: one blank", "", true, 0, " ", 0},
        {"lone ampersand: one blank after it", "&", true, 0, "& ", 0},
        {"ampersand shown as it is", "&", false, 0, "&", DT_NOPREFIX},
        {"accelerator", "&Licencja", true, 0, "&Licencja", 0},
        {"margins", "Wersja 3.0.0.7", true, 5, "Wersja 3.0.0.7", 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        label->SetShowAccelChar(c.showAccel);
        label->SetMargin(c.margin);
        label->SetCaption("x");
        label->SetCaption(c.caption);
        const SIZE text = Measured(label, c.measuredAs, c.flags);
        EXPECT_EQ(label->Width(), text.cx + 2 * c.margin + 2);
        EXPECT_EQ(label->Height(), text.cy + 2 * c.margin);
        EXPECT_EQ(label->Left(), 100);
    }
}

TEST_F(LabelTest, WordWrapKeepsTheWidthAndGrowsDown) {
    const std::string text =
        "Na podstawie udzielonych odpowiedzi nie jest możliwe dobranie żadnego formularza.";
    label->SetAutoSize(false);
    label->SetWordWrap(true);
    label->SetWidth(162);
    label->SetCaption(text);
    label->SetAutoSize(true);
    const SIZE wrapped = Measured(label, text, DT_WORDBREAK, 160);
    EXPECT_GT(wrapped.cy, Measured(label, "x").cy * 2) << "three lines or more";
    EXPECT_EQ(label->Width(), wrapped.cx + 2);
    EXPECT_EQ(label->Height(), wrapped.cy);
}

TEST_F(LabelTest, RightAlignedKeepsItsRightEdgeAndItsText) {
    label->SetAlignment(taRightJustify);
    label->SetMargin(6);
    label->SetCaption("Licencja");
    const int right = label->Left() + label->Width();
    label->SetCaption("Umowa licencyjna");
    EXPECT_EQ(label->Left() + label->Width(), right);
    label->SetColor(clWhite);
    label->Font()->SetColor(clBlack);
    gfxtest::Surface surface(label->Width(), label->Height());
    PaintInto(surface);
    const int w = label->Width(), h = label->Height();
    EXPECT_EQ(surface.Ink(Rect(0, 0, 6, h)), 0) << "nothing in the left margin";
    EXPECT_EQ(surface.Ink(Rect(w - 6, 0, w, h)), 0) << "nothing in the right margin";
    EXPECT_GT(surface.Ink(Rect(w - 10, 0, w - 6, h)), 0) << "the text reaches the right margin";
}

TEST_F(LabelTest, RightToLeftAlignedTextSitsOnTheRightAndKeepsThatEdge) {
    const struct {
        TBiDiMode mode;
        bool onTheRight;
    } cases[] = {
        {bdLeftToRight, false},
        {bdRightToLeft, true},
        {bdRightToLeftNoAlign, false},
        {bdRightToLeftReadingOnly, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.mode));
        form->SetBiDiMode(c.mode);  // the label follows its parent
        ASSERT_EQ(label->BiDiMode(), c.mode);
        label->SetAutoSize(true);
        label->SetBounds(100, 20, 10, 10);
        label->SetCaption("Licencja");
        const int right = label->Left() + label->Width();
        label->SetCaption("Umowa licencyjna");
        if (c.onTheRight)
            EXPECT_EQ(label->Left() + label->Width(), right) << "grows to the left";
        else
            EXPECT_EQ(label->Left(), 100) << "grows to the right";
        label->SetAutoSize(false);
        label->SetBounds(100, 20, 200, label->Height());
        label->SetColor(clWhite);
        label->Font()->SetColor(clBlack);
        gfxtest::Surface surface(200, label->Height());
        PaintInto(surface);
        const int h = label->Height();
        EXPECT_EQ(surface.Ink(Rect(c.onTheRight ? 0 : 120, 0, c.onTheRight ? 80 : 200, h)), 0);
        EXPECT_GT(surface.Ink(Rect(c.onTheRight ? 120 : 0, 0, c.onTheRight ? 200 : 80, h)), 0);
    }
}

TEST_F(LabelTest, DisabledTextIsGreyWithALightShadowBelowRight) {
    label->SetColor(clBtnFace);
    label->SetCaption("Wersja");
    label->SetEnabled(false);
    gfxtest::Surface surface(label->Width(), label->Height());
    PaintInto(surface);
    int grey = 0, light = 0;
    for (TColor pixel : surface.All()) {
        grey += pixel == ColorToRGB(clGrayText);
        light += pixel == ColorToRGB(clBtnHighlight);
    }
    EXPECT_GT(grey, 10);
    EXPECT_GT(light, 10);
}

TEST_F(LabelTest, AngleAndCornerCutKeepOnlyWhatTheyAccept) {
    const struct {
        int set;
        int kept;
    } angles[] = {{-90, 270}, {90, 90}, {400, 90}, {360, 0}, {-360, 0}};
    for (const auto& a : angles) {
        label->SetAngle(a.set);
        EXPECT_EQ(label->Angle(), a.kept) << a.set;
    }
    label->SetAutoSize(false);
    label->SetHeight(20);
    label->SetRoundedFrame(9);
    EXPECT_EQ(label->RoundedFrame(), 9);
    label->SetRoundedFrame(10);
    EXPECT_EQ(label->RoundedFrame(), 9) << "half the height is refused";
}

TEST_F(LabelTest, HotTrackSwapsTheFontWhileThePointerIsOver) {
    label->SetCaption("www");
    label->SetHotTrack(true);
    label->HotTrackFont()->SetStyle(fsUnderline);
    Show();
    ASSERT_TRUE(IsThreadWindowActive());
    label->Perform(CM_MOUSEENTER, 0, reinterpret_cast<LPARAM>(label));
    EXPECT_EQ(label->Font()->Style(), fsUnderline);
    EXPECT_TRUE(label->MouseOver());
    label->Perform(CM_MOUSELEAVE, 0, reinterpret_cast<LPARAM>(label));
    EXPECT_EQ(label->Font()->Style(), 0);
    EXPECT_FALSE(label->MouseOver());
}

// ---- The data consumer -------------------------------------------------------------------
// An item that handles clicks.
class TClickItem : public TXcBaseDataItem, public IXcDataItemAction {
    CL_CLASS(TClickItem, TXcBaseDataItem)
public:
    using TXcBaseDataItem::TXcBaseDataItem;
    bool Execute() override {
        ++clicks;
        return true;
    }
    bool GetInterface(const TGUID& iid, void** obj) override {
        if (iid == IXcDataItemAction::IID) return Answer<IXcDataItemAction>(obj);
        return TXcBaseDataItem::GetInterface(iid, obj);
    }
    int clicks = 0;
};
CL_CLASS_INFO(TClickItem)

TEST_F(LabelTest, OwnsItsConsumerByOneReferenceThroughProviderTraffic) {
    TFakeProvider provider;
    provider.extensionClasses = {ExtensionClass<TXcDataConsumerItemSelect>()};
    TXcBaseDataItem& item = AddItem(provider.Roots(), "A1");
    label->SetCaption("Własny");
    const TIntfPtr<TXcDataConsumer> consumer(label->Provider());
    EXPECT_EQ(consumer->RefCount(), 2) << "the label's and ours";

    consumer->SetProvider(&provider);
    Query<IXcDataConsumerItemSelect>(static_cast<IXcDataConsumer*>(consumer.get()))->SetItem(&item);
    provider.Broadcast(xcrItemUpdated, static_cast<IXcDataItem*>(&item));
    EXPECT_EQ(label->Width(), Measured(label, "Caption of A1").cx + 2) << "measured through the provider";
    for (int i = 0; i < 3; ++i) label->SetMargin(i);  // each measures through a dropped query
    EXPECT_EQ(consumer->RefCount(), 3) << "ours, the label's and the provider's registration";
    EXPECT_EQ(provider.consumerDepth, 0) << "every enter left";

    label->SetCaption("Nowy");
    EXPECT_EQ(consumer->Provider(), nullptr) << "a new caption disconnects";
    EXPECT_EQ(provider.ClientCount(), 0);
    EXPECT_EQ(consumer->RefCount(), 2);
    EXPECT_EQ(label->Width(), Measured(label, "Nowy").cx + 2 * 2 + 2) << "margin 2";

    cl::Free(label);
    EXPECT_EQ(consumer->RefCount(), 1) << "the label let go of its one reference";
}

TEST_F(LabelTest, AProviderGoingGivesTheCaptionBack) {
    label->SetCaption("Własny");
    {
        TFakeProvider provider;
        provider.extensionClasses = {ExtensionClass<TXcDataConsumerItemSelect>()};
        TXcBaseDataItem& item = AddItem(provider.Roots(), "A1");
        label->Provider()->SetProvider(&provider);
        Query<IXcDataConsumerItemSelect>(static_cast<IXcDataConsumer*>(label->Provider()))->SetItem(&item);
        provider.Broadcast(xcrItemUpdated, static_cast<IXcDataItem*>(&item));
        EXPECT_EQ(label->Width(), Measured(label, "Caption of A1").cx + 2);
    }
    EXPECT_EQ(label->Provider()->Provider(), nullptr);
    EXPECT_EQ(label->Width(), Measured(label, "Własny").cx + 2);
}

TEST_F(LabelTest, WithoutAProviderOnlyTheProvidersOwnChangeMeasuresAgain) {
    EXPECT_EQ(GetObjectProp(*label, "Provider"), label->Provider()) << "published";
    label->SetCaption("Licencja");
    const int fitted = label->Width();
    label->SetBounds(100, 20, 300, 40);  // set by hand: due for measuring
    for (TXcConsumerChangeReason reason : {xccData, xccView, xccContext}) {
        label->Provider()->Changed(reason);
        EXPECT_EQ(label->Width(), 300) << static_cast<int>(reason);
    }
    label->Provider()->Changed(xccProvider);
    EXPECT_EQ(label->Width(), fitted);
}

TEST_F(LabelTest, AClickGoesToTheItemsActionElseToOnClick) {
    int clicks = 0;
    label->OnClick = [&](TObject*) { ++clicks; };
    label->SetAutoOpenURL(false);
    label->SetURL("http://www.example.invalid/");
    label->Click();
    EXPECT_EQ(clicks, 1);

    TFakeProvider provider;
    provider.extensionClasses = {ExtensionClass<TXcDataConsumerItemSelect>()};
    TIntfPtr<TClickItem> item = New<TClickItem>(static_cast<IXcDataItems*>(&provider.Roots()));
    provider.Roots().InternalAdd(*item);
    label->Provider()->SetProvider(&provider);
    Query<IXcDataConsumerItemSelect>(static_cast<IXcDataConsumer*>(label->Provider()))->SetItem(item.get());
    label->Click();
    EXPECT_EQ(item->clicks, 1);
    EXPECT_EQ(clicks, 1) << "handled by the item";
    label->Provider()->SetProvider(nullptr);
}

}  // namespace

namespace cltest {
INSTANTIATE_TEST_SUITE_P(Label, ControlDestruction, ::testing::Values(ControlOf<TXcLabel>("TXcLabel")),
                         ControlName);
}  // namespace cltest
