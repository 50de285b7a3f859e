#pragma once
// Image lists: equally sized images (with masks) in a system image list
// (HIMAGELIST), drawn by index.  Controls and menus that show the images
// register a change link and hear of every change.

#include <windows.h>
// After windows.h, which it needs.
#include <commctrl.h>

#include <vector>

#include "classlib/Component.h"
#include "classlib/Streams.h"
#include "classlib/win/Graphics.h"

namespace cl {

class TCustomImageList;

// An IStream over a TStream for the system's stream calls (image-list data).
// It lives on its creator's stack and never frees itself.
class TStreamAdapter : public IStream {
public:
    explicit TStreamAdapter(TStream& stream);
    TStreamAdapter(const TStreamAdapter&) = delete;
    TStreamAdapter& operator=(const TStreamAdapter&) = delete;
    virtual ~TStreamAdapter() = default;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;
    HRESULT STDMETHODCALLTYPE Read(void* buffer, ULONG count, ULONG* read) override;
    HRESULT STDMETHODCALLTYPE Write(const void* buffer, ULONG count, ULONG* written) override;
    HRESULT STDMETHODCALLTYPE Seek(LARGE_INTEGER move, DWORD origin, ULARGE_INTEGER* newPos) override;
    HRESULT STDMETHODCALLTYPE SetSize(ULARGE_INTEGER size) override;
    HRESULT STDMETHODCALLTYPE CopyTo(IStream* target, ULARGE_INTEGER count, ULARGE_INTEGER* read,
                                     ULARGE_INTEGER* written) override;
    HRESULT STDMETHODCALLTYPE Commit(DWORD flags) override;
    HRESULT STDMETHODCALLTYPE Revert() override;
    HRESULT STDMETHODCALLTYPE LockRegion(ULARGE_INTEGER offset, ULARGE_INTEGER count, DWORD type) override;
    HRESULT STDMETHODCALLTYPE UnlockRegion(ULARGE_INTEGER offset, ULARGE_INTEGER count, DWORD type) override;
    HRESULT STDMETHODCALLTYPE Stat(STATSTG* stat, DWORD flags) override;
    HRESULT STDMETHODCALLTYPE Clone(IStream** stream) override;

private:
    TStream& stream_;
    ULONG refs_ = 1;
};

enum TDrawingStyle { dsFocus, dsSelected, dsNormal, dsTransparent };
enum TImageType { itImage, itMask };

// A client's link to an image list: Change fires OnChange; the list tells
// every registered link when its images change.  A link unregisters itself
// when destroyed, and the list forgets its links when it goes first.
class TChangeLink : public TObject {
    CL_CLASS(TChangeLink, TObject)
public:
    TChangeLink() = default;
    ~TChangeLink() override;

    TCustomImageList* Sender() const { return sender_; }
    void SetSender(TCustomImageList* value) { sender_ = value; }
    virtual void Change();

    TNotifyEvent OnChange;

private:
    TCustomImageList* sender_ = nullptr;
};

class TCustomImageList : public TComponent {
    CL_CLASS(TCustomImageList, TComponent)
public:
    explicit TCustomImageList(TComponent* owner);
    // The class library's CreateSize.
    TCustomImageList(TComponent* owner, int width, int height);
    ~TCustomImageList() override;
    void BeforeDestruction() override;
    // Another image list: its size, settings and a copy of its images.
    void Assign(TPersistent* source) override;

    // The system image list, made by CreateImageList when there is none.
    HIMAGELIST Handle();
    // Takes the list over (its size becomes this list's); the old one is
    // destroyed unless ShareImages.
    void SetHandle(HIMAGELIST value);
    bool HandleAllocated() const { return handle_ != nullptr; }
    virtual void HandleNeeded();
    // A shared list belongs to someone else and is never destroyed here.
    bool ShareImages() const { return shareImages_; }
    void SetShareImages(bool value) { shareImages_ = value; }

    // Changing the size or Masked empties the list.
    int Width() const { return width_; }
    void SetWidth(int value);
    int Height() const { return height_; }
    void SetHeight(int value);
    int AllocBy() const { return allocBy_; }
    void SetAllocBy(int value) { allocBy_ = value; }
    bool Masked() const { return masked_; }
    void SetMasked(bool value);
    // The colour behind masked images (clNone: transparent).
    TColor BkColor() const { return bkColor_; }
    void SetBkColor(TColor value);
    // Blended over dsFocus and dsSelected images (clNone: the highlight colour).
    TColor BlendColor() const { return blendColor_; }
    void SetBlendColor(TColor value);
    TDrawingStyle DrawingStyle() const { return drawingStyle_; }
    void SetDrawingStyle(TDrawingStyle value);
    TImageType ImageType() const { return imageType_; }
    void SetImageType(TImageType value);

    int Count();
    // Each returns the index of the new image, -1 for an empty bitmap or when
    // the system list refuses.  A bitmap wider than the list holds several
    // images, added in turn; mask nullptr makes the image opaque.
    int Add(TBitmap* image, TBitmap* mask);
    // The pixels of maskColor become transparent.
    int AddMasked(TBitmap* image, TColor maskColor);
    int AddIcon(TIcon* image);
    // Appends every image of the other list.
    void AddImages(TCustomImageList* value);
    void Insert(int index, TBitmap* image, TBitmap* mask);
    void Replace(int index, TBitmap* image, TBitmap* mask);
    void ReplaceMasked(int index, TBitmap* image, TColor maskColor);
    void Delete(int index);
    void Move(int curIndex, int newIndex);
    void Clear();

    // With the list's DrawingStyle, ImageType, BkColor and BlendColor; a
    // disabled image is drawn as an embossed silhouette.
    void Draw(TCanvas* canvas, int x, int y, int index, bool enabled = true);
    // The image on a bitmap of the list's size.
    void GetBitmap(int index, TBitmap* image);
    void GetIcon(int index, TIcon* image);

    // The images in the system's stored image-list format.
    virtual void ReadData(TStream& stream);
    virtual void WriteData(TStream& stream);
    // The images as the stored property "Bitmap", when there are any.
    void DefineProperties(TFiler& filer) override;

    void RegisterChanges(TChangeLink* link);
    void UnRegisterChanges(TChangeLink* link);

    // Changes between these are told once, at the end of the outermost
    // bracket, when there were any.
    void BeginUpdate() { ++updateCount_; }
    void EndUpdate();

    TNotifyEvent OnChange;

protected:
    // Tells the change links and fires OnChange.
    virtual void Change();
    // Makes the system list; override to choose another colour depth and
    // call CreateListHandle with it.
    virtual void CreateImageList();
    // Creates the system list of the colour depth (ILC_COLORxx) with the
    // mask flag when Masked, Width x Height, AllocBy; EInvalidOperation
    // "Invalid ImageList" when the system refuses.  BkColor is applied.
    void CreateListHandle(UINT colorFlags);
    // Destroys the system list (unless shared); the next Handle() makes a new one.
    void FreeHandle() noexcept;
    // Draws one image with ImageList_DrawEx style flags.
    virtual void DoDraw(int index, TCanvas* canvas, int x, int y, UINT style, bool enabled);

private:
    void CheckIndex(int index);
    int AddChecked(int result);
    void ForgetLinks() noexcept;

    HIMAGELIST handle_ = nullptr;
    bool shareImages_ = false;
    int width_ = 16;
    int height_ = 16;
    int allocBy_ = 4;
    bool masked_ = true;
    TColor bkColor_ = clNone;
    TColor blendColor_ = clNone;
    TDrawingStyle drawingStyle_ = dsNormal;
    TImageType imageType_ = itImage;
    std::vector<TChangeLink*> links_;
    int updateCount_ = 0;
    bool changedInUpdate_ = false;
};

class TImageList : public TCustomImageList {
    CL_CLASS(TImageList, TCustomImageList)
public:
    using TCustomImageList::TCustomImageList;
};

// A control's image list property: field becomes value, and the change link
// and the owner's free notification move from the old list to the new.
// False, with nothing done, when field is value already.
bool ReplaceImageList(TComponent* owner, TCustomImageList*& field, TCustomImageList* value,
                      TChangeLink& link);

}  // namespace cl
