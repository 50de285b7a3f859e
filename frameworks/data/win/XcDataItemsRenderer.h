#pragma once
// Drawing and measuring the items of a list: an item that can draws itself,
// the others by a drawing job of the renderer's kind.

#include <string>

#include "frameworks/data/XcDataItems.h"
#include "frameworks/data/win/XcDataDrawInterfaces.h"

// One drawing or measuring job for one item.
class TXcDP_ProviderBaseRender : public cl::TObject {
public:
    TXcDP_ProviderBaseRender(cl::TCanvas& canvas, const cl::TRect& rect, IXcDataItem* item,
                             TXcItemDrawState state)
        : canvas_(canvas), rect_(rect), item_(item), state_(state) {}

    virtual void Draw() = 0;
    virtual SIZE Measure() = 0;

protected:
    cl::TCanvas& canvas_;
    cl::TRect rect_;
    TIntfPtr<IXcDataItem> item_;
    TXcItemDrawState state_;
};

// The item's caption, or a note that it has none.
class TXcDP_ProviderTextOnlyRender : public TXcDP_ProviderBaseRender {
public:
    using TXcDP_ProviderBaseRender::TXcDP_ProviderBaseRender;

    std::string Text();
    // TextRect into the rectangle.
    void Draw() override;
    SIZE Measure() override;
};

class TXcBaseDataItemsRenderer : public TXcDataItemsAggregatedObject, public IXcDataItemsRenderer {
    CL_CLASS(TXcBaseDataItemsRenderer, TXcDataItemsAggregatedObject)

    using TXcDataItemsAggregatedObject::TXcDataItemsAggregatedObject;

    void DrawItemByIndex(cl::TCanvas& canvas, const cl::TRect& rect, int index,
                         TXcItemDrawState state) override;
    SIZE MeasureItemByIndex(cl::TCanvas& canvas, int index) override;
    void DrawItem(cl::TCanvas& canvas, const cl::TRect& rect, IXcDataItem* item,
                  TXcItemDrawState state) override;
    SIZE MeasureItem(cl::TCanvas& canvas, IXcDataItem* item) override;

    bool GetInterface(const TGUID& iid, void** obj) override;

protected:
    // For items that do not draw themselves.
    virtual void DoDrawItem(cl::TCanvas& canvas, const cl::TRect& rect, IXcDataItem* item,
                            TXcItemDrawState state) = 0;
    virtual SIZE DoMeasureItem(cl::TCanvas& canvas, IXcDataItem* item) = 0;
};

class TXcCustomDataItemsTextRenderer : public TXcBaseDataItemsRenderer {
    CL_CLASS(TXcCustomDataItemsTextRenderer, TXcBaseDataItemsRenderer)

    using TXcBaseDataItemsRenderer::TXcBaseDataItemsRenderer;

    // The extent of "WyWyWyWyWyWyWyWyWyWy".
    SIZE AverageItemSize(cl::TCanvas& canvas) override;

protected:
    void DoDrawItem(cl::TCanvas& canvas, const cl::TRect& rect, IXcDataItem* item,
                    TXcItemDrawState state) override;
    SIZE DoMeasureItem(cl::TCanvas& canvas, IXcDataItem* item) override;
};
