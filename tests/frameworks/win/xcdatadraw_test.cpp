// Drawing items, and the image facets of items and lists.
#include <gtest/gtest.h>

#include "classlib/Streams.h"
#include "frameworks/data/XcExceptions.h"
#include "frameworks/data/win/XcDataItemImage.h"
#include "frameworks/data/win/XcDataItemsImages.h"
#include "frameworks/data/win/XcDataItemsRenderer.h"
#include "tests/frameworks/DataTestSupport.h"

namespace {

// Draws itself as a filled square of its own size.
class TSquare : public TXcDataItemAggregatedObject, public IXcDataItemRenderer {
    CL_CLASS(TSquare, TXcDataItemAggregatedObject)
    using TXcDataItemAggregatedObject::TXcDataItemAggregatedObject;
    void Draw(cl::TCanvas& canvas, const cl::TRect& rect, TXcItemDrawState) override {
        canvas.FillRect(rect);
    }
    SIZE Measure(cl::TCanvas&) override { return {7, 7}; }
    bool GetInterface(const TGUID& iid, void** obj) override {
        if (iid == IXcDataItemRenderer::IID) return Answer<IXcDataItemRenderer>(obj);
        return false;
    }
};
CL_CLASS_INFO(TSquare)

class DrawTest : public ::testing::Test {
protected:
    void SetUp() override {
        tree.Build(provider.Roots(), "a,b,c");
        renderer = Query<IXcDataItemsRenderer>(
            static_cast<IInterface*>(&CreateExtension<TXcCustomDataItemsTextRenderer>(provider.Roots())));
        bitmap.SetSize(200, 40);
        canvas().Brush()->SetColor(cl::clWhite);
        canvas().FillRect(cl::Rect(0, 0, 200, 40));
        provider.log.clear();
    }
    cl::TCanvas& canvas() { return *bitmap.Canvas(); }

    TFakeProvider provider;
    TTreeBuilder tree;
    TIntfPtr<IXcDataItemsRenderer> renderer;
    cl::TBitmap bitmap;
};

TEST_F(DrawTest, ItemsMeasureAsTheirCaptionOrTheNoteThatTheyLackOne) {
    provider.Roots().ItemAt(1).ClearIntfImpl();  // b has no text facet now
    CreateExtension<TSquare>(provider.Roots().ItemAt(2));
    const SIZE a = renderer->MeasureItemByIndex(canvas(), 0);
    const SIZE b = renderer->MeasureItemByIndex(canvas(), 1);
    EXPECT_EQ(a.cx, canvas().TextExtent("Caption of a").cx);
    EXPECT_EQ(b.cx, canvas().TextExtent("(item does not support the IXcDataItemText interface)").cx);
    EXPECT_EQ(renderer->MeasureItemByIndex(canvas(), 2).cx, 7);
    EXPECT_EQ(renderer->AverageItemSize(canvas()).cx, canvas().TextExtent("WyWyWyWyWyWyWyWyWyWy").cx);
    EXPECT_EQ(MessageOf<EXCLDataItems>([&] { renderer->MeasureItemByIndex(canvas(), 3); }),
              "List index out of bounds (3)");
}

TEST_F(DrawTest, TextIsDrawnOnlyInsideTheRectangle) {
    const cl::TRect rect = cl::Rect(20, 10, 60, 30);
    canvas().Font()->SetColor(cl::clBlack);
    renderer->DrawItemByIndex(canvas(), rect, 0, 0);
    int inside = 0, outside = 0;
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 200; ++x) {
            const bool in = x >= rect.left && x < rect.right && y >= rect.top && y < rect.bottom;
            if (canvas().Pixels(x, y) != cl::clWhite) (in ? inside : outside)++;
        }
    EXPECT_GT(inside, 0);
    EXPECT_EQ(outside, 0);
}

TEST_F(DrawTest, ImageSettersBroadcastOnlyChanges) {
    auto& facet = CreateExtension<TXcDataItemImageImpl>(provider.Roots().ItemAt(0));
    facet.SetImageIndex(0);
    facet.SetImageIndex(3);
    facet.SetSelectedIndex(3);
    facet.SetAlignment(cl::taCenter);
    EXPECT_EQ(provider.log, (std::vector<std::string>{"changing 2", "changed 2", "changing 2", "changed 2",
                                                      "changing 2", "changed 2"}));
}

TEST_F(DrawTest, AnImageListThatGoesIsNoLongerTheListsAndTheChangeIsBroadcast) {
    auto& images = CreateExtension<TXcCustomDataItemsImages>(provider.Roots());
    auto* list = new cl::TImageList(nullptr);
    images.SetImages(list);
    images.SetHotImages(list);
    provider.log.clear();
    delete list;
    EXPECT_EQ(images.GetImages(), nullptr);
    EXPECT_EQ(images.GetHotImages(), nullptr);
    EXPECT_EQ(provider.log, (std::vector<std::string>{"changing 3", "changed 3", "changing 3", "changed 3"}));
}

TEST_F(DrawTest, ImageFacetsStreamWithReferencesByName) {
    RegisterXcDataProviderClasses();
    cl::TComponent root(nullptr);
    auto* list = new cl::TImageList(&root);
    list->SetName("Icons");
    auto& images = CreateExtension<TXcCustomDataItemsImages>(provider.Roots());
    images.SetImages(list);
    auto& facet = CreateExtension<TXcDataItemImageImpl>(provider.Roots().ItemAt(0));
    facet.SetAlignment(cl::taRightJustify);
    facet.SetSelectedIndex(4);

    cl::TMemoryStream stream;
    cl::TWriter writer(stream);
    provider.Roots().WriteState(writer);
    stream.SetPosition(0);
    cl::TReader reader(stream);
    reader.SetRoot(&root);
    TIntfPtr<TXcDataItemsList> read = New<TXcDataItemsList>();
    read->ReadState(reader);

    EXPECT_EQ(Query<IXcDataItemsImages>(static_cast<IXcDataItems*>(read.get()))->GetImages(), list);
    auto readFacet = Query<IXcDataItemImage>(read->GetItem(0));
    EXPECT_EQ(readFacet->GetAlignment(), cl::taRightJustify);
    EXPECT_EQ(readFacet->GetSelectedIndex(), 4);
    EXPECT_NE(Query<IXcDataItemsRenderer>(static_cast<IXcDataItems*>(read.get())), nullptr);
}

}  // namespace
