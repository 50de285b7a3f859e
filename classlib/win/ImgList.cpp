// Image lists over the system's HIMAGELIST.  Bitmaps are copied before they
// reach the system list: a TBitmap keeps its image selected in its canvas,
// and a bitmap selected into a device context cannot be selected into the
// list's own (it silently adds nothing).
#include "classlib/win/ImgList.h"

#include <algorithm>
#include <utility>

#include "classlib/Filer.h"
#include "classlib/win/GdiHandles.h"

namespace cl {

namespace {

OwnedBitmap NewColorBitmap(int width, int height, int bits) {
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = width;
    bi.bmiHeader.biHeight = height;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = static_cast<WORD>(bits);
    bi.bmiHeader.biCompression = BI_RGB;
    void* bits_ = nullptr;
    HBITMAP bitmap = CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits_, nullptr, 0);
    if (!bitmap) throw EOutOfResources("Out of system resources");
    return OwnedBitmap(bitmap);
}

OwnedBitmap NewMonoBitmap(int width, int height) {
    HBITMAP bitmap = CreateBitmap(width, height, 1, 1, nullptr);
    if (!bitmap) throw EOutOfResources("Out of system resources");
    return OwnedBitmap(bitmap);
}

// A copy of the image the system list may select (32 bits keep an alpha
// channel of a 32-bit source, 24 bits for every other).
OwnedBitmap CopyImage(TBitmap* image) {
    const int w = image->Width(), h = image->Height();
    OwnedBitmap copy = NewColorBitmap(w, h, image->PixelFormat() == pf32bit ? 32 : 24);
    MemoryDC dc(copy.get());
    BitBlt(dc.get(), 0, 0, w, h, image->Canvas()->Handle(), 0, 0, SRCCOPY);
    return copy;
}

// A monochrome mask: white (1) where the mask bitmap is white, i.e. transparent.
OwnedBitmap CopyMask(TBitmap* mask) {
    const int w = mask->Width(), h = mask->Height();
    OwnedBitmap copy = NewMonoBitmap(w, h);
    MemoryDC dc(copy.get());
    HDC src = mask->Canvas()->Handle();
    const COLORREF oldBk = SetBkColor(src, RGB(255, 255, 255));
    BitBlt(dc.get(), 0, 0, w, h, src, 0, 0, SRCCOPY);
    SetBkColor(src, oldBk);
    return copy;
}

// The mask of the pixels of colour maskColor; those pixels of the image turn
// black, as the system list draws transparent images by AND then OR.
OwnedBitmap MaskFromColor(HBITMAP image, int w, int h, COLORREF maskColor) {
    OwnedBitmap mask = NewMonoBitmap(w, h);
    MemoryDC imageDC(image);
    MemoryDC maskDC(mask.get());
    SetBkColor(imageDC.get(), maskColor);  // colour -> mono: the background colour becomes 1
    BitBlt(maskDC.get(), 0, 0, w, h, imageDC.get(), 0, 0, SRCCOPY);
    SetTextColor(imageDC.get(), RGB(255, 255, 255));  // mono -> colour: 0 text, 1 background
    SetBkColor(imageDC.get(), RGB(0, 0, 0));
    BitBlt(imageDC.get(), 0, 0, w, h, maskDC.get(), 0, 0, SRCAND);
    return mask;
}

COLORREF ListColor(TColor color) {
    if (color == clNone) return CLR_NONE;
    if (color == clDefault) return CLR_DEFAULT;
    return static_cast<COLORREF>(ColorToRGB(color));
}

// ---- IStream over TStream ----------------------------------------------------
}  // namespace

TStreamAdapter::TStreamAdapter(TStream& stream) : stream_(stream) {}

HRESULT STDMETHODCALLTYPE TStreamAdapter::QueryInterface(REFIID riid, void** object) {
    if (!object) return E_POINTER;
    if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_ISequentialStream) ||
        IsEqualIID(riid, IID_IStream)) {
        *object = static_cast<IStream*>(this);
        AddRef();
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

// The adapter lives on its creator's stack; counting only keeps COM's rules.
ULONG STDMETHODCALLTYPE TStreamAdapter::AddRef() {
    return ++refs_;
}
ULONG STDMETHODCALLTYPE TStreamAdapter::Release() {
    return --refs_;
}

HRESULT STDMETHODCALLTYPE TStreamAdapter::Read(void* buffer, ULONG count, ULONG* read) {
    const int32_t n = stream_.Read(buffer, static_cast<int32_t>(count));
    if (read) *read = static_cast<ULONG>(std::max<int32_t>(n, 0));
    return n == static_cast<int32_t>(count) ? S_OK : S_FALSE;
}

HRESULT STDMETHODCALLTYPE TStreamAdapter::Write(const void* buffer, ULONG count, ULONG* written) {
    const int32_t n = stream_.Write(buffer, static_cast<int32_t>(count));
    if (written) *written = static_cast<ULONG>(std::max<int32_t>(n, 0));
    return n == static_cast<int32_t>(count) ? S_OK : STG_E_CANTSAVE;
}

HRESULT STDMETHODCALLTYPE TStreamAdapter::Seek(LARGE_INTEGER move, DWORD origin, ULARGE_INTEGER* newPos) {
    static constexpr TSeekOrigin kOrigins[] = {soBeginning, soCurrent, soEnd};
    if (origin > STREAM_SEEK_END) return STG_E_INVALIDFUNCTION;
    try {
        const int64_t pos = stream_.Seek(move.QuadPart, kOrigins[origin]);
        if (newPos) newPos->QuadPart = static_cast<ULONGLONG>(pos);
        return S_OK;
    } catch (...) {
        // A seek before the start raises; COM wants an error code instead.
        return STG_E_INVALIDFUNCTION;
    }
}

HRESULT STDMETHODCALLTYPE TStreamAdapter::SetSize(ULARGE_INTEGER size) {
    try {
        stream_.SetSize(static_cast<int64_t>(size.QuadPart));
        return S_OK;
    } catch (...) {
        return E_FAIL;  // reported to the caller as the COM error
    }
}

HRESULT STDMETHODCALLTYPE TStreamAdapter::CopyTo(IStream*, ULARGE_INTEGER, ULARGE_INTEGER*, ULARGE_INTEGER*) {
    return E_NOTIMPL;
}
HRESULT STDMETHODCALLTYPE TStreamAdapter::Commit(DWORD) {
    return S_OK;
}
HRESULT STDMETHODCALLTYPE TStreamAdapter::Revert() {
    return STG_E_REVERTED;
}
HRESULT STDMETHODCALLTYPE TStreamAdapter::LockRegion(ULARGE_INTEGER, ULARGE_INTEGER, DWORD) {
    return STG_E_INVALIDFUNCTION;
}
HRESULT STDMETHODCALLTYPE TStreamAdapter::UnlockRegion(ULARGE_INTEGER, ULARGE_INTEGER, DWORD) {
    return STG_E_INVALIDFUNCTION;
}

HRESULT STDMETHODCALLTYPE TStreamAdapter::Stat(STATSTG* stat, DWORD) {
    if (!stat) return STG_E_INVALIDPOINTER;
    *stat = STATSTG{};
    stat->type = STGTY_STREAM;
    try {
        stat->cbSize.QuadPart = static_cast<ULONGLONG>(stream_.Size());
    } catch (...) {
        return E_FAIL;  // a stream that cannot tell its size
    }
    return S_OK;
}

HRESULT STDMETHODCALLTYPE TStreamAdapter::Clone(IStream** stream) {
    if (stream) *stream = nullptr;
    return E_NOTIMPL;
}

// ---- TChangeLink ---------------------------------------------------------------
CL_CLASS_INFO(TChangeLink)

TChangeLink::~TChangeLink() {
    if (sender_) sender_->UnRegisterChanges(this);
}

void TChangeLink::Change() {
    if (OnChange) OnChange(sender_);
}

// ---- TCustomImageList ---------------------------------------------------------
CL_CLASS_INFO(TCustomImageList, Prop("AllocBy", &TCustomImageList::AllocBy, &TCustomImageList::SetAllocBy),
              Prop("BkColor", &TCustomImageList::BkColor, &TCustomImageList::SetBkColor),
              Prop("BlendColor", &TCustomImageList::BlendColor, &TCustomImageList::SetBlendColor),
              EnumProp("DrawingStyle", {"dsFocus", "dsSelected", "dsNormal", "dsTransparent"},
                       &TCustomImageList::DrawingStyle, &TCustomImageList::SetDrawingStyle),
              Prop("Height", &TCustomImageList::Height, &TCustomImageList::SetHeight),
              EnumProp("ImageType", {"itImage", "itMask"}, &TCustomImageList::ImageType,
                       &TCustomImageList::SetImageType),
              Prop("Masked", &TCustomImageList::Masked, &TCustomImageList::SetMasked),
              Prop("ShareImages", &TCustomImageList::ShareImages, &TCustomImageList::SetShareImages),
              Prop("Width", &TCustomImageList::Width, &TCustomImageList::SetWidth))
CL_CLASS_INFO(TImageList)

TCustomImageList::TCustomImageList(TComponent* owner) : TComponent(owner) {}

TCustomImageList::TCustomImageList(TComponent* owner, int width, int height)
    : TComponent(owner), width_(width), height_(height) {}

TCustomImageList::~TCustomImageList() {
    ForgetLinks();
    FreeHandle();
}

void TCustomImageList::BeforeDestruction() {
    ForgetLinks();
    TComponent::BeforeDestruction();
}

void TCustomImageList::ForgetLinks() noexcept {
    for (TChangeLink* link : links_) link->SetSender(nullptr);
    links_.clear();
}

void TCustomImageList::Assign(TPersistent* source) {
    auto* other = dynamic_cast<TCustomImageList*>(source);
    if (!other) {
        TComponent::Assign(source);
        return;
    }
    if (other == this) return;
    FreeHandle();
    width_ = other->width_;
    height_ = other->height_;
    allocBy_ = other->allocBy_;
    masked_ = other->masked_;
    bkColor_ = other->bkColor_;
    blendColor_ = other->blendColor_;
    drawingStyle_ = other->drawingStyle_;
    imageType_ = other->imageType_;
    AddImages(other);
    Change();
}

HIMAGELIST TCustomImageList::Handle() {
    HandleNeeded();
    return handle_;
}

void TCustomImageList::HandleNeeded() {
    if (!handle_) CreateImageList();
}

void TCustomImageList::CreateImageList() {
    CreateListHandle(ILC_COLORDDB);
}

void TCustomImageList::CreateListHandle(UINT colorFlags) {
    FreeHandle();
    HIMAGELIST list =
        ImageList_Create(width_, height_, colorFlags | (masked_ ? ILC_MASK : 0), allocBy_, allocBy_);
    if (!list) throw EInvalidOperation("Invalid ImageList");
    handle_ = list;
    if (bkColor_ != clNone) ImageList_SetBkColor(handle_, ListColor(bkColor_));
}

void TCustomImageList::SetHandle(HIMAGELIST value) {
    if (value == handle_) return;
    FreeHandle();
    handle_ = value;
    if (value) {
        int cx = 0, cy = 0;
        ImageList_GetIconSize(value, &cx, &cy);
        width_ = cx;
        height_ = cy;
    }
    Change();
}

void TCustomImageList::FreeHandle() noexcept {
    if (handle_ && !shareImages_) ImageList_Destroy(handle_);
    handle_ = nullptr;
}

void TCustomImageList::SetWidth(int value) {
    if (value == width_) return;
    width_ = value;
    FreeHandle();
    Change();
}

void TCustomImageList::SetHeight(int value) {
    if (value == height_) return;
    height_ = value;
    FreeHandle();
    Change();
}

void TCustomImageList::SetMasked(bool value) {
    if (value == masked_) return;
    masked_ = value;
    FreeHandle();
    Change();
}

void TCustomImageList::SetBkColor(TColor value) {
    bkColor_ = value;
    if (handle_) ImageList_SetBkColor(handle_, ListColor(value));
    Change();
}

void TCustomImageList::SetBlendColor(TColor value) {
    blendColor_ = value;
    Change();
}

void TCustomImageList::SetDrawingStyle(TDrawingStyle value) {
    if (value == drawingStyle_) return;
    drawingStyle_ = value;
    Change();
}

void TCustomImageList::SetImageType(TImageType value) {
    if (value == imageType_) return;
    imageType_ = value;
    Change();
}

int TCustomImageList::Count() {
    return handle_ ? ImageList_GetImageCount(handle_) : 0;
}

void TCustomImageList::CheckIndex(int index) {
    if (index < 0 || index >= Count()) throw EInvalidOperation("Invalid ImageList Index");
}

int TCustomImageList::AddChecked(int result) {
    if (result >= 0) Change();
    return result;
}

int TCustomImageList::Add(TBitmap* image, TBitmap* mask) {
    if (!image || image->Empty()) return -1;
    HandleNeeded();
    OwnedBitmap colour = CopyImage(image);
    OwnedBitmap monoMask = mask && !mask->Empty() ? CopyMask(mask) : OwnedBitmap();
    return AddChecked(ImageList_Add(handle_, colour.get(), monoMask.get()));
}

int TCustomImageList::AddMasked(TBitmap* image, TColor maskColor) {
    if (maskColor == clNone) return Add(image, nullptr);
    if (!image || image->Empty()) return -1;
    HandleNeeded();
    OwnedBitmap colour = CopyImage(image);
    OwnedBitmap mask = MaskFromColor(colour.get(), image->Width(), image->Height(), ListColor(maskColor));
    return AddChecked(ImageList_Add(handle_, colour.get(), mask.get()));
}

int TCustomImageList::AddIcon(TIcon* image) {
    if (!image || image->Empty()) return -1;
    HandleNeeded();
    return AddChecked(ImageList_ReplaceIcon(handle_, -1, image->Handle()));
}

void TCustomImageList::AddImages(TCustomImageList* value) {
    if (!value || value == this) return;
    const int n = value->Count();
    if (n == 0) return;
    HandleNeeded();
    // An icon carries the image with its mask from one list to the other.
    for (int i = 0; i < n; ++i) {
        OwnedIcon icon(ImageList_GetIcon(value->handle_, i, ILD_NORMAL));
        if (!icon || ImageList_ReplaceIcon(handle_, -1, icon.get()) < 0)
            throw EInvalidOperation("Invalid ImageList");
    }
    Change();
}

void TCustomImageList::Insert(int index, TBitmap* image, TBitmap* mask) {
    if (index < 0 || index > Count()) throw EInvalidOperation("Invalid ImageList Index");
    const int added = Add(image, mask);
    if (added >= 0 && added != index) Move(added, index);
}

void TCustomImageList::Replace(int index, TBitmap* image, TBitmap* mask) {
    CheckIndex(index);
    if (!image || image->Empty()) throw EInvalidOperation("Unable to Replace Image");
    OwnedBitmap colour = CopyImage(image);
    OwnedBitmap monoMask = mask && !mask->Empty() ? CopyMask(mask) : OwnedBitmap();
    if (!ImageList_Replace(handle_, index, colour.get(), monoMask.get()))
        throw EInvalidOperation("Unable to Replace Image");
    Change();
}

void TCustomImageList::ReplaceMasked(int index, TBitmap* image, TColor maskColor) {
    if (maskColor == clNone) {
        Replace(index, image, nullptr);
        return;
    }
    CheckIndex(index);
    if (!image || image->Empty()) throw EInvalidOperation("Unable to Replace Image");
    OwnedBitmap colour = CopyImage(image);
    OwnedBitmap mask = MaskFromColor(colour.get(), image->Width(), image->Height(), ListColor(maskColor));
    if (!ImageList_Replace(handle_, index, colour.get(), mask.get()))
        throw EInvalidOperation("Unable to Replace Image");
    Change();
}

void TCustomImageList::Delete(int index) {
    CheckIndex(index);
    ImageList_Remove(handle_, index);
    Change();
}

void TCustomImageList::Move(int curIndex, int newIndex) {
    if (curIndex == newIndex) return;
    CheckIndex(curIndex);
    CheckIndex(newIndex);
    // Wine's ILCF_SWAP blackens the images it swaps, so the images between
    // the two places travel as icons (image and mask) and are put back shifted.
    const int first = std::min(curIndex, newIndex), last = std::max(curIndex, newIndex);
    std::vector<OwnedIcon> icons;
    for (int i = first; i <= last; ++i) icons.emplace_back(ImageList_GetIcon(handle_, i, ILD_NORMAL));
    if (curIndex < newIndex)
        std::rotate(icons.begin(), icons.begin() + 1, icons.end());
    else
        std::rotate(icons.rbegin(), icons.rbegin() + 1, icons.rend());
    bool ok = true;
    for (int i = first; i <= last; ++i) {
        HICON icon = icons[static_cast<size_t>(i - first)].get();
        ok = ok && icon && ImageList_ReplaceIcon(handle_, i, icon) == i;
    }
    if (!ok) throw EInvalidOperation("Invalid ImageList");
    Change();
}

void TCustomImageList::Clear() {
    if (!handle_) return;
    ImageList_Remove(handle_, -1);
    Change();
}

void TCustomImageList::Draw(TCanvas* canvas, int x, int y, int index, bool enabled) {
    if (!canvas || !handle_ || index < 0 || index >= Count()) return;
    static constexpr UINT kStyles[] = {ILD_FOCUS, ILD_SELECTED, ILD_NORMAL, ILD_TRANSPARENT};
    UINT style = kStyles[drawingStyle_];
    if (imageType_ == itMask) style |= ILD_MASK;
    DoDraw(index, canvas, x, y, style, enabled);
}

void TCustomImageList::DoDraw(int index, TCanvas* canvas, int x, int y, UINT style, bool enabled) {
    HDC dc = canvas->Handle();
    if (enabled) {
        ImageList_DrawEx(handle_, index, dc, x, y, 0, 0, ListColor(bkColor_), ListColor(blendColor_), style);
        return;
    }
    // Disabled: the image's silhouette in the highlight colour one pixel down
    // and right, then in the shadow colour.  The mask comes from an icon of
    // the image: ILD_MASK into a monochrome context came out all black under Wine.
    OwnedIcon icon(ImageList_GetIcon(handle_, index, ILD_NORMAL));
    ICONINFO info{};
    if (!icon || !GetIconInfo(icon.get(), &info)) return;
    OwnedBitmap mono(info.hbmMask);
    OwnedBitmap colourCopy(info.hbmColor);
    const MemoryDC monoDC(mono.get());
    DrawEmbossedMask(dc, x, y, width_, height_, monoDC.get());
}

void TCustomImageList::GetBitmap(int index, TBitmap* image) {
    if (!image) return;
    CheckIndex(index);
    image->SetSize(width_, height_);
    ImageList_DrawEx(handle_, index, image->Canvas()->Handle(), 0, 0, 0, 0, ListColor(bkColor_), CLR_NONE,
                     ILD_NORMAL);
}

void TCustomImageList::GetIcon(int index, TIcon* image) {
    if (!image) return;
    CheckIndex(index);
    HICON icon = ImageList_GetIcon(handle_, index, ILD_NORMAL);
    if (!icon) throw EInvalidOperation("Invalid ImageList");
    image->SetHandle(icon);
}

void TCustomImageList::DefineProperties(TFiler& filer) {
    filer.DefineBinaryProperty(
        "Bitmap", [this](TStream& stream) { ReadData(stream); },
        [this](TStream& stream) { WriteData(stream); }, Count() > 0);
}

void TCustomImageList::ReadData(TStream& stream) {
    TStreamAdapter adapter(stream);
    HIMAGELIST list = ImageList_Read(&adapter);
    if (!list) throw EReadError("Failed to read ImageList data from stream");
    SetHandle(list);
}

void TCustomImageList::WriteData(TStream& stream) {
    TStreamAdapter adapter(stream);
    if (!ImageList_Write(Handle(), &adapter)) throw EWriteError("Failed to write ImageList data to stream");
}

void TCustomImageList::RegisterChanges(TChangeLink* link) {
    if (!link) return;
    if (std::find(links_.begin(), links_.end(), link) == links_.end()) links_.push_back(link);
    link->SetSender(this);
}

void TCustomImageList::UnRegisterChanges(TChangeLink* link) {
    std::erase(links_, link);
    if (link && link->Sender() == this) link->SetSender(nullptr);
}

bool ReplaceImageList(TComponent* owner, TCustomImageList*& field, TCustomImageList* value,
                      TChangeLink& link) {
    if (value == field) return false;
    if (field) {
        field->UnRegisterChanges(&link);
        field->RemoveFreeNotification(owner);
    }
    field = value;
    if (value) {
        value->RegisterChanges(&link);
        value->FreeNotification(owner);
    }
    return true;
}

void TCustomImageList::EndUpdate() {
    if (updateCount_ == 0 || --updateCount_ > 0 || !changedInUpdate_) return;
    changedInUpdate_ = false;
    Change();
}

void TCustomImageList::Change() {
    if (updateCount_ > 0) {
        changedInUpdate_ = true;
        return;
    }
    // A link may unregister itself while it is told.
    const std::vector<TChangeLink*> links = links_;
    for (TChangeLink* link : links) {
        if (std::find(links_.begin(), links_.end(), link) != links_.end()) link->Change();
    }
    if (OnChange) OnChange(this);
}

}  // namespace cl
