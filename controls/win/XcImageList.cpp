#include "controls/win/XcImageList.h"

#include <commctrl.h>

#include <algorithm>

#include "classlib/FileUtils.h"
#include "classlib/Filer.h"
#include "classlib/Scope.h"
#include "classlib/StrUtils.h"
#include "classlib/win/GdiHandles.h"
#include "controls/XcResources.h"
#include "controls/win/XcXCLUtils.h"

using namespace cl;

namespace {

constexpr const char* kPixelFormatNames[] = {"pfDevice", "pf1bit",  "pf4bit",  "pf8bit",  "pf15bit",
                                             "pf16bit",  "pf24bit", "pf32bit", "pfCustom"};
constexpr const char* kItemKindNames[] = {"ikResourceBitmap", "ikMappedResourceBitmap", "ikInlineBitmap"};

std::string Formatted(const char* pattern, const std::string& value) {
    std::string s = pattern;
    const size_t at = s.find("%s");
    return at == std::string::npos ? s : s.replace(at, 2, value);
}

UINT ColorFlags(TPixelFormat format) {
    switch (format) {
        case pf4bit:
            return ILC_COLOR4;
        case pf8bit:
            return ILC_COLOR8;
        case pf15bit:
        case pf16bit:
            return ILC_COLOR16;
        case pf24bit:
            return ILC_COLOR24;
        case pf32bit:
            return ILC_COLOR32;
        default:
            return ILC_COLORDDB;
    }
}

// A bitmap resource of the program, else its raw data read as a bitmap
// stream; false, with nothing loaded, when neither gives a bitmap.
bool LoadResourceBitmap(const std::string& name, TBitmap& bitmap) {
    HINSTANCE instance = GetModuleHandleW(nullptr);
    try {
        if (FindResourceA(instance, name.c_str(), MAKEINTRESOURCEA(2))) {  // RT_BITMAP
            bitmap.LoadFromResourceName(instance, name);
            return !bitmap.Empty();
        }
        HRSRC raw = FindResourceA(instance, name.c_str(), MAKEINTRESOURCEA(10));  // RT_RCDATA
        HGLOBAL data = raw ? LoadResource(instance, raw) : nullptr;
        const void* bytes = data ? LockResource(data) : nullptr;
        if (!bytes) return false;
        TMemoryStream stream;
        stream.WriteBuffer(bytes, static_cast<int32_t>(SizeofResource(instance, raw)));
        stream.SetPosition(0);
        bitmap.LoadFromStream(stream);
        return !bitmap.Empty();
    } catch (const Exception&) {
        return false;  // an unreadable resource is skipped, as a missing one
    }
}

}  // namespace

TPixelFormat DisplayPixelFormat() {
    static constexpr TPixelFormat kByClass[] = {pfDevice, pf1bit,  pf4bit,  pf8bit,
                                                pf15bit,  pf16bit, pf24bit, pf32bit};
    const int depthClass = GetDisplayColorDepthClass();
    return depthClass >= 0 && depthClass <= 7 ? kByClass[depthClass] : pfDevice;
}

// ---- Update brackets -----------------------------------------------------------
class TXcImageList::UpdateScope {
public:
    explicit UpdateScope(TXcImageList& list) : list_(list) { list_.BeginUpdate(); }
    ~UpdateScope() { list_.EndUpdate(); }
    UpdateScope(const UpdateScope&) = delete;
    UpdateScope& operator=(const UpdateScope&) = delete;

private:
    TXcImageList& list_;
};

// ---- TXcImageListItem ----------------------------------------------------------
CL_CLASS_INFO(TXcImageListItem,
              EnumProp("Kind", {"ikResourceBitmap", "ikMappedResourceBitmap", "ikInlineBitmap"},
                       &TXcImageListItem::Kind, &TXcImageListItem::SetKind),
              Prop("TransparentColor", &TXcImageListItem::TransparentColor,
                   &TXcImageListItem::SetTransparentColor),
              Prop("Bitmap", &TXcImageListItem::Bitmap, &TXcImageListItem::SetBitmap),
              Prop("ResourceName", &TXcImageListItem::ResourceName, &TXcImageListItem::SetResourceName))

TXcImageListItem::TXcImageListItem(TXcImageListItems* owner)
    : owner_(owner), bitmap_(std::make_unique<TBitmap>()) {
    bitmap_->OnChange = [this](TObject*) { Changed(); };
}

TXcImageListItem::~TXcImageListItem() = default;

void TXcImageListItem::Assign(TPersistent* source) {
    auto* other = dynamic_cast<TXcImageListItem*>(source);
    if (!other) {
        TPersistent::Assign(source);
        return;
    }
    kind_ = other->kind_;
    transparentColor_ = other->transparentColor_;
    resourceName_ = other->resourceName_;
    // The bitmap's change brings the item's image up to date.
    bitmap_->Assign(other->bitmap_.get());
    Changed();
}

void TXcImageListItem::SetKind(TXcImageListItemKind value) {
    if (value == ikMappedResourceBitmap)
        throw EXcImageListError(
            Formatted("The item kind %s is not supported so far.", kItemKindNames[value]));
    if (value == kind_) return;
    kind_ = value;
    Changed();
}

void TXcImageListItem::SetTransparentColor(TColor value) {
    if (value == transparentColor_) return;
    transparentColor_ = value;
    Changed();
}

void TXcImageListItem::SetResourceName(const std::string& value) {
    if (value == resourceName_) return;
    resourceName_ = value;
    Changed();
}

int TXcImageListItem::Index() const {
    return owner_->IndexOf(this);
}

std::string TXcImageListItem::DisplayName() const {
    switch (kind_) {
        case ikResourceBitmap:
            return Formatted(rsImageListResource, resourceName_);
        case ikMappedResourceBitmap:
            return Formatted(rsImageListMappedResource, resourceName_);
        case ikInlineBitmap:
            return Formatted(rsImageListBitmap, kPixelFormatNames[bitmap_->PixelFormat()]);
    }
    return {};
}

void TXcImageListItem::Changed() {
    if (Index() >= 0) owner_->list_->ReplaceItemImage(this);
}

// ---- TXcImageListItems ---------------------------------------------------------
CL_CLASS_INFO(TXcImageListItems)

TXcImageListItems::~TXcImageListItems() = default;

void TXcImageListItems::Assign(TPersistent* source) {
    auto* other = dynamic_cast<TXcImageListItems*>(source);
    if (!other) {
        TCollection::Assign(source);
        return;
    }
    if (other == this) return;
    Clear();
    for (const auto& item : other->items_) Add()->Assign(item.get());
}

TXcImageListItem* TXcImageListItems::Items(int index) const {
    if (index < 0 || index >= Count()) throw EListError("List index out of bounds (" + IntToStr(index) + ")");
    return items_[static_cast<size_t>(index)].get();
}

int TXcImageListItems::IndexOf(const TXcImageListItem* item) const {
    for (size_t i = 0; i < items_.size(); ++i)
        if (items_[i].get() == item) return static_cast<int>(i);
    return -1;
}

TXcImageListItem* TXcImageListItems::Add() {
    items_.push_back(std::make_unique<TXcImageListItem>(this));
    list_->InsertBlankImage(Count() - 1);
    return items_.back().get();
}

void TXcImageListItems::Delete(int index) {
    Items(index);
    items_.erase(items_.begin() + index);
    if (index < list_->Count()) list_->Delete(index);
}

void TXcImageListItems::Move(int curIndex, int newIndex) {
    Items(curIndex);
    Items(newIndex);
    auto item = std::move(items_[static_cast<size_t>(curIndex)]);
    items_.erase(items_.begin() + curIndex);
    items_.insert(items_.begin() + newIndex, std::move(item));
    if (std::max(curIndex, newIndex) < list_->Count()) list_->Move(curIndex, newIndex);
}

void TXcImageListItems::Clear() {
    while (!items_.empty()) Delete(Count() - 1);
}

// ---- TXcImageList -----------------------------------------------------------------
CL_CLASS_INFO(TXcImageList,
              EnumProp("Mode", {"imClassic", "imPicture", "imResourceIds", "imItemList"}, &TXcImageList::Mode,
                       &TXcImageList::SetMode),
              EnumProp("PixelFormat",
                       {kPixelFormatNames[0], kPixelFormatNames[1], kPixelFormatNames[2],
                        kPixelFormatNames[3], kPixelFormatNames[4], kPixelFormatNames[5],
                        kPixelFormatNames[6], kPixelFormatNames[7], kPixelFormatNames[8]},
                       &TXcImageList::PixelFormat, &TXcImageList::SetPixelFormat),
              EnumProp("TransparentMode", {"tmNone", "tmAuto", "tmColor"}, &TXcImageList::TransparentMode,
                       &TXcImageList::SetTransparentMode),
              Prop("TransparentColor", &TXcImageList::TransparentColor, &TXcImageList::SetTransparentColor),
              Prop("FileName", &TXcImageList::FileName, &TXcImageList::SetFileName),
              Prop("Picture", &TXcImageList::Picture, &TXcImageList::SetPicture),
              Prop("ResourceIds", &TXcImageList::ResourceIds, &TXcImageList::SetResourceIds),
              Prop("Items", &TXcImageList::Items, &TXcImageList::SetItems))

TXcImageList::TXcImageList(TComponent* owner)
    : TCustomImageList(owner),
      picture_(std::make_unique<TPicture>()),
      resourceIds_(std::make_unique<TStringList>()),
      items_(std::make_unique<TXcImageListItems>(this)) {
    picture_->OnChange = [this](TObject*) { Rebuild(); };
    resourceIds_->OnChange = [this](TStringList&) { Rebuild(); };
}

TXcImageList::~TXcImageList() {
    picture_->OnChange = nullptr;
    resourceIds_->OnChange = nullptr;
}

void TXcImageList::EndUpdate() {
    if (updateCount_ == 0 || --updateCount_ > 0 || !changed_) return;
    changed_ = false;
    TCustomImageList::Change();
}

void TXcImageList::Change() {
    if (updateCount_ > 0) {
        changed_ = true;
        return;
    }
    TCustomImageList::Change();
}

void TXcImageList::CreateImageList() {
    CreateListHandle(ColorFlags(pixelFormat_ == pfDevice ? DisplayPixelFormat() : pixelFormat_));
}

void TXcImageList::Assign(TPersistent* source) {
    auto* other = dynamic_cast<TXcImageList*>(source);
    if (!other || other == this) {
        TCustomImageList::Assign(source);
        return;
    }
    const UpdateScope update(*this);
    const FlagScope assigning(assigning_);
    Clear();
    mode_ = imClassic;
    TGraphic* graphic = other->picture_->Graphic();
    picture_->Assign(graphic && !graphic->Empty() ? other->picture_.get() : nullptr);
    resourceIds_->Assign(*other->resourceIds_);
    transparentMode_ = other->transparentMode_;
    transparentColor_ = other->transparentColor_;
    pixelFormat_ = other->pixelFormat_;
    TCustomImageList::Assign(other);
    // The source's mode is taken as it is: building the images again from
    // an empty picture would wipe the images just copied.
    mode_ = other->mode_;
}

void TXcImageList::SetMode(TXcImageListMode value) {
    if (value == mode_) return;
    mode_ = value;
    Rebuild();
}

void TXcImageList::SetPixelFormat(TPixelFormat value) {
    if (value == pixelFormat_ || value == pf1bit || value == pfCustom) return;
    if (!HandleAllocated()) {
        pixelFormat_ = value;
        return;
    }
    const UpdateScope update(*this);
    TXcImageList keep(nullptr);
    keep.SetWidth(Width());
    keep.SetHeight(Height());
    keep.SetMasked(Masked());
    keep.pixelFormat_ = pixelFormat_;
    keep.AddImages(this);
    pixelFormat_ = value;
    FreeHandle();
    HandleNeeded();
    AddImages(&keep);
    Change();
}

void TXcImageList::SetTransparentMode(TXcImageListTransparentMode value) {
    if (value == transparentMode_) return;
    transparentMode_ = value;
    Rebuild();
}

void TXcImageList::SetTransparentColor(TColor value) {
    if (value == transparentColor_) return;
    transparentColor_ = value;
    if (transparentMode_ == tmColor) Rebuild();
}

void TXcImageList::SetFileName(const std::string& value) {
    if (value == fileName_) return;
    fileName_ = value;
    // A stored layout brings its picture along: the file is not read then.
    if ((ComponentState() & csLoading) && !(ComponentState() & csDesigning)) return;
    LoadFile();
}

void TXcImageList::LoadFile() {
    if (fileName_.empty() || !FileExists(fileName_)) return;
    TPicture loaded;
    try {
        loaded.LoadFromFile(fileName_);
    } catch (const Exception&) {
        return;  // a file that is no readable picture leaves Picture as it was
    }
    picture_->Assign(&loaded);
}

bool TXcImageList::ImageDataStored() const {
    switch (mode_) {
        case imPicture:
            return !picture_->Graphic() || picture_->Graphic()->Empty();
        case imResourceIds:
            return resourceIds_->Count() == 0;
        case imItemList:
            return items_->Count() == 0;
        case imClassic:
            break;
    }
    return true;
}

void TXcImageList::DefineProperties(TFiler& filer) {
    // What is written is the picture the file holds now.
    if (dynamic_cast<TWriter*>(&filer)) LoadFile();
    filer.DefineBinaryProperty(
        "Bitmap", [this](TStream& stream) { ReadData(stream); },
        [this](TStream& stream) { WriteData(stream); }, ImageDataStored() && Count() > 0);
}

void TXcImageList::WriteData(TStream& stream) {
    using WriteEx = HRESULT(WINAPI*)(HIMAGELIST, DWORD, IStream*);
    const auto writeEx = pixelFormat_ == pf32bit
                             ? nullptr
                             : reinterpret_cast<WriteEx>(reinterpret_cast<void*>(
                                   GetProcAddress(GetModuleHandleW(L"comctl32.dll"), "ImageList_WriteEx")));
    if (!writeEx) {
        TCustomImageList::WriteData(stream);
        return;
    }
    TStreamAdapter adapter(stream);
    if (FAILED(writeEx(Handle(), ILP_DOWNLEVEL, &adapter)))
        throw EWriteError("Failed to write ImageList data to stream");
}

// ---- Building the images ---------------------------------------------------------
void TXcImageList::Rebuild() {
    if (assigning_) return;
    switch (mode_) {
        case imPicture:
            BuildFromPicture();
            break;
        case imResourceIds:
            BuildFromResources();
            break;
        case imClassic:
        case imItemList:
            break;
    }
}

TColor TXcImageList::MaskColorAt(TBitmap& bitmap, int x, int y) const {
    switch (transparentMode_) {
        case tmNone:
            return clNone;
        case tmAuto:
            return bitmap.Canvas()->Pixels(x, y);
        case tmColor:
            break;
    }
    return transparentColor_;
}

void TXcImageList::BuildFromPicture() {
    const UpdateScope update(*this);
    Clear();
    TGraphic* graphic = picture_->Graphic();
    if (!graphic || graphic->Empty()) return;
    TBitmap source;
    if (auto* bitmap = dynamic_cast<TBitmap*>(graphic)) {
        source.Assign(bitmap);
    } else {
        source.SetPixelFormat(pf24bit);
        source.SetSize(graphic->Width(), graphic->Height());
        source.Canvas()->Brush()->SetColor(transparentColor_);
        source.Canvas()->FillRect(Rect(0, 0, source.Width(), source.Height()));
        source.Canvas()->Draw(0, 0, graphic);
    }
    const int w = Width(), h = Height();
    int tiles = w > 0 ? source.Width() / w : 0;
    if (tiles == 0) tiles = 1;
    // The tile's bottom-left pixel, on the bitmap's own bottom row when it
    // is shorter than the list.
    const int maskRow = std::min(h, source.Height()) - 1;
    for (int i = 0; i < tiles; ++i) {
        const TColor mask = MaskColorAt(source, std::min(i * w, source.Width() - 1), maskRow);
        TBitmap tile;
        tile.SetPixelFormat(pf24bit);
        tile.SetSize(w, h);
        tile.Canvas()->Brush()->SetColor(mask == clNone ? transparentColor_ : mask);
        tile.Canvas()->FillRect(Rect(0, 0, w, h));
        BitBlt(tile.Canvas()->Handle(), 0, 0, w, h, source.Canvas()->Handle(), i * w, 0, SRCCOPY);
        AddMasked(&tile, mask);
    }
}

void TXcImageList::BuildFromResources() {
    const UpdateScope update(*this);
    Clear();
    for (int i = 0; i < resourceIds_->Count(); ++i) {
        const std::string name = Trim(resourceIds_->Get(i));
        TBitmap bitmap;
        if (name.empty() || !LoadResourceBitmap(name, bitmap) || bitmap.Width() <= 0 || bitmap.Height() <= 0)
            continue;
        AddMasked(&bitmap, MaskColorAt(bitmap, 0, bitmap.Height() - 1));
    }
}

void TXcImageList::InsertBlankImage(int index) {
    TBitmap blank;
    blank.SetPixelFormat(pf24bit);
    blank.SetSize(Width(), Height());
    blank.Canvas()->Brush()->SetColor(clFuchsia);
    blank.Canvas()->FillRect(Rect(0, 0, Width(), Height()));
    const int added = AddMasked(&blank, clFuchsia);
    if (added >= 0 && added != index) Move(added, index);
}

void TXcImageList::ReplaceItemImage(TXcImageListItem* item) {
    const int index = item->Index();
    if (index < 0 || index >= Count()) return;
    TBitmap bitmap;
    bool loaded = false;
    if (item->Kind() == ikInlineBitmap) {
        TBitmap* inline_ = item->Bitmap();
        loaded = inline_->Width() == Width() && inline_->Height() == Height();
        if (loaded) bitmap.Assign(inline_);
    } else {
        loaded = LoadResourceBitmap(item->ResourceName(), bitmap);
    }
    if (loaded) ReplaceMasked(index, &bitmap, item->TransparentColor());
}
