#include "frameworks/data/win/XcDataItemsRenderer.h"

std::string TXcDP_ProviderTextOnlyRender::Text() {
    if (auto text = Query<IXcDataItemText>(item_)) return text->GetCaption();
    return "(item does not support the IXcDataItemText interface)";
}

void TXcDP_ProviderTextOnlyRender::Draw() {
    canvas_.TextRect(rect_, rect_.left, rect_.top, Text());
}

SIZE TXcDP_ProviderTextOnlyRender::Measure() {
    return canvas_.TextExtent(Text());
}

CL_CLASS_INFO(TXcBaseDataItemsRenderer)

void TXcBaseDataItemsRenderer::DrawItemByIndex(cl::TCanvas& canvas, const cl::TRect& rect, int index,
                                               TXcItemDrawState state) {
    DrawItem(canvas, rect, Items().GetItem(index).get(), state);
}

SIZE TXcBaseDataItemsRenderer::MeasureItemByIndex(cl::TCanvas& canvas, int index) {
    return MeasureItem(canvas, Items().GetItem(index).get());
}

void TXcBaseDataItemsRenderer::DrawItem(cl::TCanvas& canvas, const cl::TRect& rect, IXcDataItem* item,
                                        TXcItemDrawState state) {
    if (auto self = Query<IXcDataItemRenderer>(item))
        self->Draw(canvas, rect, state);
    else
        DoDrawItem(canvas, rect, item, state);
}

SIZE TXcBaseDataItemsRenderer::MeasureItem(cl::TCanvas& canvas, IXcDataItem* item) {
    if (auto self = Query<IXcDataItemRenderer>(item)) return self->Measure(canvas);
    return DoMeasureItem(canvas, item);
}

bool TXcBaseDataItemsRenderer::GetInterface(const TGUID& iid, void** obj) {
    if (iid == IXcDataItemsRenderer::IID) return Answer<IXcDataItemsRenderer>(obj);
    return TXcDataItemsAggregatedObject::GetInterface(iid, obj);
}

CL_CLASS_INFO(TXcCustomDataItemsTextRenderer)

SIZE TXcCustomDataItemsTextRenderer::AverageItemSize(cl::TCanvas& canvas) {
    return canvas.TextExtent("WyWyWyWyWyWyWyWyWyWy");
}

void TXcCustomDataItemsTextRenderer::DoDrawItem(cl::TCanvas& canvas, const cl::TRect& rect, IXcDataItem* item,
                                                TXcItemDrawState state) {
    TXcDP_ProviderTextOnlyRender(canvas, rect, item, state).Draw();
}

SIZE TXcCustomDataItemsTextRenderer::DoMeasureItem(cl::TCanvas& canvas, IXcDataItem* item) {
    return TXcDP_ProviderTextOnlyRender(canvas, {}, item, 0).Measure();
}
