#pragma once
// TXcImageList: the class library's image list with more ways to fill it:
// a picture cut into tiles of the list's width, a list of bitmap resources,
// or a collection of items, each with a transparency rule; and a colour
// depth of its own (PixelFormat; pfDevice takes the display's).
//
// imClassic keeps the images it is given, as the class library's list
// does; so does the default imPicture while its picture is empty.  A
// change of Mode, Picture, ResourceIds or TransparentMode (TransparentColor
// under tmColor) builds the images again from the source of the mode.
// Changes inside BeginUpdate/EndUpdate tell the list's clients once, at
// the end of the outermost update.

#include <memory>
#include <string>
#include <vector>

#include "classlib/Collection.h"
#include "classlib/StringList.h"
#include "classlib/win/Graphics.h"
#include "classlib/win/ImgList.h"
#include "frameworks/data/XcExceptions.h"

enum TXcImageListMode { imClassic, imPicture, imResourceIds, imItemList };
enum TXcImageListTransparentMode { tmNone, tmAuto, tmColor };
enum TXcImageListItemKind { ikResourceBitmap, ikMappedResourceBitmap, ikInlineBitmap };

// "The item kind %s is not supported so far."
class EXcImageListError : public EXCLException {
public:
    using EXCLException::EXCLException;
    const char* ClassName() const override { return "EXcImageListError"; }
};

class TXcImageList;
class TXcImageListItems;

// One image of an imItemList list: it lives in the list at the item's index.
class TXcImageListItem : public cl::TPersistent {
    CL_CLASS(TXcImageListItem, cl::TPersistent)
public:
    explicit TXcImageListItem(TXcImageListItems* owner);
    ~TXcImageListItem() override;
    // Another item's kind, colour, bitmap and resource name.
    void Assign(cl::TPersistent* source) override;

    TXcImageListItemKind Kind() const { return kind_; }
    // ikMappedResourceBitmap raises EXcImageListError.
    void SetKind(TXcImageListItemKind value);
    cl::TColor TransparentColor() const { return transparentColor_; }
    void SetTransparentColor(cl::TColor value);
    // The image of ikInlineBitmap (taken when it has the list's size).
    cl::TBitmap* Bitmap() const { return bitmap_.get(); }
    void SetBitmap(cl::TBitmap* value) { bitmap_->Assign(value); }
    // The program's bitmap resource of the resource kinds.
    const std::string& ResourceName() const { return resourceName_; }
    void SetResourceName(const std::string& value);
    int Index() const;
    // "Resource %s", "Mapped Resource %s" or "Bitmap %s" (the pixel format).
    std::string DisplayName() const;

private:
    void Changed();

    TXcImageListItems* owner_;
    TXcImageListItemKind kind_ = ikResourceBitmap;
    cl::TColor transparentColor_ = cl::clFuchsia;
    std::unique_ptr<cl::TBitmap> bitmap_;
    std::string resourceName_;
};

class TXcImageListItems : public cl::TCollection {
    CL_CLASS(TXcImageListItems, cl::TCollection)
public:
    explicit TXcImageListItems(TXcImageList* list) : list_(list) {}
    ~TXcImageListItems() override;
    // Copies of another collection's items.
    void Assign(cl::TPersistent* source) override;

    int Count() const override { return static_cast<int>(items_.size()); }
    TXcImageListItem* Items(int index) const override;  // EListError out of range
    // A new item with a blank image of the list's size at its index.
    TXcImageListItem* Add() override;
    void Delete(int index);
    void Move(int curIndex, int newIndex);
    void Clear() override;
    int IndexOf(const TXcImageListItem* item) const;

private:
    friend class TXcImageListItem;
    TXcImageList* list_;
    std::vector<std::unique_ptr<TXcImageListItem>> items_;
};

class TXcImageList : public cl::TCustomImageList {
    CL_CLASS(TXcImageList, cl::TCustomImageList)
public:
    explicit TXcImageList(cl::TComponent* owner);
    ~TXcImageList() override;
    // From another TXcImageList: its sources and settings, and its images
    // as the class library copies them, in its mode (the images are not
    // built again).  Anything else as the class library assigns.
    void Assign(cl::TPersistent* source) override;

    TXcImageListMode Mode() const { return mode_; }
    void SetMode(TXcImageListMode value);
    // pf1bit and pfCustom are refused; a change keeps the images.
    cl::TPixelFormat PixelFormat() const { return pixelFormat_; }
    void SetPixelFormat(cl::TPixelFormat value);
    TXcImageListTransparentMode TransparentMode() const { return transparentMode_; }
    void SetTransparentMode(TXcImageListTransparentMode value);
    cl::TColor TransparentColor() const { return transparentColor_; }
    void SetTransparentColor(cl::TColor value);
    // A picture file loaded into Picture when the name changes, except while
    // the list is loaded outside design time (a file that cannot be read
    // leaves Picture as it was).
    const std::string& FileName() const { return fileName_; }
    void SetFileName(const std::string& value);
    cl::TPicture* Picture() const { return picture_.get(); }
    void SetPicture(cl::TPicture* value) { picture_->Assign(value); }
    cl::TStrings* ResourceIds() const { return resourceIds_.get(); }
    void SetResourceIds(cl::TStrings* value) { resourceIds_->Assign(*value); }
    TXcImageListItems* Items() const { return items_.get(); }
    void SetItems(TXcImageListItems* value) { items_->Assign(value); }

    void BeginUpdate() { ++updateCount_; }
    void EndUpdate();

    // The images belong in a stored layout: they do not follow from the
    // picture, the resource names or the items.
    bool ImageDataStored() const;
    // In the format of older common controls unless PixelFormat is pf32bit.
    void WriteData(cl::TStream& stream) override;
    // The images as the stored property "Bitmap" when ImageDataStored; a
    // writer first has the picture of FileName loaded.
    void DefineProperties(cl::TFiler& filer) override;

protected:
    void Change() override;
    // The system list in the colour depth of PixelFormat.
    void CreateImageList() override;

private:
    friend class TXcImageListItem;
    friend class TXcImageListItems;
    class UpdateScope;
    void Rebuild();
    void BuildFromPicture();
    void BuildFromResources();
    void LoadFile();
    // The item's image at its index, made again from the item.
    void ReplaceItemImage(TXcImageListItem* item);
    void InsertBlankImage(int index);
    cl::TColor MaskColorAt(cl::TBitmap& bitmap, int x, int y) const;

    TXcImageListMode mode_ = imPicture;
    cl::TPixelFormat pixelFormat_ = cl::pfDevice;
    TXcImageListTransparentMode transparentMode_ = tmColor;
    cl::TColor transparentColor_ = cl::clFuchsia;
    std::string fileName_;
    std::unique_ptr<cl::TPicture> picture_;
    std::unique_ptr<cl::TStringList> resourceIds_;
    std::unique_ptr<TXcImageListItems> items_;
    int updateCount_ = 0;
    bool changed_ = false;
    bool assigning_ = false;
};

// The pixel format pfDevice stands for on this display.
cl::TPixelFormat DisplayPixelFormat();
