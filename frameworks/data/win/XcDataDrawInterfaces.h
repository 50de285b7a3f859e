#pragma once
// The drawing capabilities of items and item lists: renderers, the image
// facet of an item and the image lists of a list.

#include <cstdint>

#include "classlib/win/Controls.h"
#include "classlib/win/Graphics.h"
#include "classlib/win/ImgList.h"
#include "frameworks/data/XcDataInterfaces.h"

// How an item is drawn.
enum TXcItemDrawStateFlag : uint32_t { xdsDisabled = 1, xdsSelected = 2, xdsFocused = 4, xdsHot = 8 };
using TXcItemDrawState = uint32_t;

class IXcDataItemsRenderer : public virtual IInterface {
public:
    static constexpr TGUID IID = {
        0x4EA490F4, 0x7CCF, 0x44A1, {0xAA, 0x26, 0x53, 0x20, 0xCD, 0xE9, 0xFA, 0xFC}};

    // EXCLDataItems "List index out of bounds (%d)" outside the list.
    virtual void DrawItemByIndex(cl::TCanvas& canvas, const cl::TRect& rect, int index,
                                 TXcItemDrawState state) = 0;
    virtual SIZE MeasureItemByIndex(cl::TCanvas& canvas, int index) = 0;
    virtual void DrawItem(cl::TCanvas& canvas, const cl::TRect& rect, IXcDataItem* item,
                          TXcItemDrawState state) = 0;
    virtual SIZE MeasureItem(cl::TCanvas& canvas, IXcDataItem* item) = 0;
    virtual SIZE AverageItemSize(cl::TCanvas& canvas) = 0;
};

// An item that answers this draws and measures itself.
class IXcDataItemRenderer : public virtual IInterface {
public:
    static constexpr TGUID IID = {
        0x9E877A0D, 0x01C2, 0x4204, {0xAA, 0x84, 0x84, 0xD6, 0x51, 0x6B, 0xBE, 0xB9}};

    virtual void Draw(cl::TCanvas& canvas, const cl::TRect& rect, TXcItemDrawState state) = 0;
    virtual SIZE Measure(cl::TCanvas& canvas) = 0;
};

class IXcDataItemImage : public virtual IInterface {
public:
    static constexpr TGUID IID = {
        0x6425D73A, 0x90CF, 0x42ED, {0x9A, 0xB2, 0x63, 0x12, 0x5A, 0x4C, 0x07, 0x74}};

    virtual cl::TAlignment GetAlignment() = 0;
    virtual void SetAlignment(cl::TAlignment value) = 0;
    virtual int GetImageIndex() = 0;
    virtual void SetImageIndex(int value) = 0;
    virtual int GetSelectedIndex() = 0;
    virtual void SetSelectedIndex(int value) = 0;
};

class IXcDataItemsImages : public virtual IInterface {
public:
    static constexpr TGUID IID = {
        0x735755A6, 0xAD11, 0x460C, {0xB9, 0x85, 0x46, 0x46, 0x4D, 0x73, 0xED, 0xBC}};

    virtual cl::TCustomImageList* GetDisabledImages() = 0;
    virtual void SetDisabledImages(cl::TCustomImageList* value) = 0;
    virtual cl::TCustomImageList* GetHotImages() = 0;
    virtual void SetHotImages(cl::TCustomImageList* value) = 0;
    virtual cl::TCustomImageList* GetImages() = 0;
    virtual void SetImages(cl::TCustomImageList* value) = 0;
};
