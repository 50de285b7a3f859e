#include "frameworks/win/XcGIFImage.h"

#include <algorithm>
#include <cstring>

#include "classlib/win/GdiHandles.h"
#include "controls/win/XcXCLUtils.h"
#include "frameworks/ByteCursor.h"
#include "frameworks/GifLzw.h"
#include "frameworks/win/XcAni.h"
#include "frameworks/win/XcGraphicFormats.h"

using namespace cl;

namespace {

[[noreturn]] void NoData() {
    throw EInvalidGraphicOperation("No GIF Data to write");
}

// The rest of the stream.
std::vector<uint8_t> ReadRest(TStream& stream, int64_t count) {
    std::vector<uint8_t> bytes(static_cast<size_t>(std::max<int64_t>(count, 0)));
    for (size_t done = 0; done < bytes.size();) {
        const auto n = static_cast<int32_t>(std::min<size_t>(bytes.size() - done, 1 << 30));
        stream.ReadBuffer(bytes.data() + done, n);
        done += static_cast<size_t>(n);
    }
    return bytes;
}

// A locked global memory block for the scope.
class GlobalLock_ {
public:
    explicit GlobalLock_(HGLOBAL block) : block_(block), p_(static_cast<uint8_t*>(GlobalLock(block))) {}
    ~GlobalLock_() {
        if (p_) GlobalUnlock(block_);
    }
    GlobalLock_(const GlobalLock_&) = delete;
    GlobalLock_& operator=(const GlobalLock_&) = delete;
    uint8_t* get() const { return p_; }

private:
    HGLOBAL block_;
    uint8_t* p_;
};

}  // namespace

// ---- TXcGIFFrame ------------------------------------------------------------

CL_CLASS_INFO(TXcGIFFrame)

TXcGIFFrame::TXcGIFFrame(TXcGIFImage* owner) : owner_(owner) {}
TXcGIFFrame::~TXcGIFFrame() = default;

void TXcGIFFrame::Assign(TPersistent* source) {
    auto* other = dynamic_cast<TXcGIFFrame*>(source);
    if (!other) return TPersistent::Assign(source);
    if (other == this) return;
    frame_ = other->frame_;
    bitmap_.reset();
    if (other->bitmap_) {
        bitmap_ = std::make_unique<TBitmap>();
        bitmap_->Assign(other->bitmap_.get());
    }
}

int TXcGIFFrame::Width() const {
    return frame_.data ? frame_.data->width : bitmap_ ? bitmap_->Width() : 0;
}

int TXcGIFFrame::Height() const {
    return frame_.data ? frame_.data->height : bitmap_ ? bitmap_->Height() : 0;
}

TColor TXcGIFFrame::TransparentColor() const {
    return frame_.transparentColor == kGifNoColor ? clNone : static_cast<TColor>(frame_.transparentColor);
}

void TXcGIFFrame::SetTransparentColor(TColor value) {
    frame_.transparentColor =
        value == clNone ? kGifNoColor : static_cast<uint32_t>(ColorToRGB(value)) & 0xFFFFFF;
}

TBitmap* TXcGIFFrame::Bitmap() {
    if (!bitmap_) Decode();
    return bitmap_.get();
}

void TXcGIFFrame::Decode() {
    if (!frame_.data) return;
    const TGifFrameData& d = *frame_.data;
    TGifProgress progress;
    if (owner_ && owner_->OnProgress)
        progress = [owner = owner_](TGifProgressStage stage, int percent) {
            owner->OnProgress(owner, stage, percent);
        };
    const TGifRaster raster = DecodeGifFrame(d, frame_.interlaced, progress);
    if (raster.corrupted) frame_.corrupted = true;
    auto bitmap = std::make_unique<TBitmap>();
    if (d.width > 0 && d.height > 0) {
        // One value for the pixel mask, the palette and the depth.
        const int bits = std::clamp(d.bitsPerPixel, 1, 8);
        const int depth = bits == 1 ? 1 : bits <= 4 ? 4 : 8;
        struct {
            BITMAPINFOHEADER header;
            RGBQUAD colors[256];
        } info{};
        info.header = {
            sizeof info.header, d.width, d.height, 1, static_cast<WORD>(depth), BI_RGB, 0, 0, 0, 0, 0};
        info.header.biClrUsed = 1u << depth;
        for (int i = 0; i < (1 << depth); ++i) {
            info.colors[i] = i < static_cast<int>(d.table.size())
                                 ? RGBQUAD{d.table[i].blue, d.table[i].green, d.table[i].red, 0}
                                 : RGBQUAD{0x80, 0x80, 0x80, 0x80};
        }
        void* bits_ = nullptr;
        HBITMAP dib = CreateDIBSection(nullptr, reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS, &bits_,
                                       nullptr, 0);
        if (!dib) throw EOutOfResources("Out of system resources");
        const int64_t stride = DibRowBytes(d.width, depth);
        auto* rows = static_cast<uint8_t*>(bits_);
        for (int64_t y = 0; y < d.height; ++y) {
            uint8_t* row = rows + (d.height - 1 - y) * stride;
            const uint8_t* src = &raster.pixels[static_cast<size_t>(y * d.width)];
            for (int64_t x = 0; x < d.width; ++x) {
                if (depth == 8)
                    row[x] = src[x];
                else if (depth == 4)
                    row[x / 2] |= static_cast<uint8_t>(src[x] << (x % 2 ? 0 : 4));
                else
                    row[x / 8] |= static_cast<uint8_t>((src[x] & 1) << (7 - x % 8));
            }
        }
        bitmap->SetHandle(dib);
    }
    bitmap_ = std::move(bitmap);
}

void TXcGIFFrame::Encode() {
    if (!bitmap_ || bitmap_->Empty()) NoData();
    TBitmap* source = bitmap_.get();
    TBitmap reduced;
    TPixelFormat format = GetBitmapPixelFormat(source);
    if (format != pf1bit && format != pf4bit && format != pf8bit) {
        const TColorReduction method = frame_.grayscale ? rmGrayscale : TXcGIFImage::DefaultReduction;
        reduced.LoadFromStream(*BitmapToPixelFormatStream(source, pf8bit, method));
        if (method == rmGrayscale) frame_.grayscale = true;
        source = &reduced;
        format = GetBitmapPixelFormat(source);
    }
    // The bitmap's bit count gives the colour count, and that the frame's bits.
    int colors = 0;
    switch (format) {
        case pf1bit:
            colors = 2;
            break;
        case pf4bit:
            colors = 16;
            break;
        case pf8bit:
            colors = 256;
            break;
        default:
            throw EInvalidGraphicOperation("GIF image encoding error");
    }
    const int bits = GifBitsForColors(colors);
    const int width = source->Width(), height = source->Height();
    std::vector<uint8_t> pixels(static_cast<size_t>(width) * height);
    for (int y = 0; y < height; ++y) {
        const auto* row = static_cast<const uint8_t*>(source->ScanLine(y));
        for (int x = 0; x < width; ++x)
            pixels[static_cast<size_t>(y) * width + x] =
                bits == 8   ? row[x]
                : bits == 4 ? static_cast<uint8_t>(row[x / 2] >> (x % 2 ? 0 : 4) & 0xF)
                            : static_cast<uint8_t>(row[x / 8] >> (7 - x % 8) & 1);
    }
    // The palette fills the table; entries it lacks stay black.
    RGBQUAD quads[256];
    const UINT count = GetDIBColorTable(source->Canvas()->Handle(), 0, static_cast<UINT>(colors), quads);
    auto data = std::make_shared<TGifFrameData>();
    data->width = width;
    data->height = height;
    data->bitsPerPixel = bits;
    data->table.resize(static_cast<size_t>(colors));
    for (UINT i = 0; i < count; ++i) data->table[i] = {quads[i].rgbRed, quads[i].rgbGreen, quads[i].rgbBlue};
    data->raw = EncodeGifFrame(pixels.data(), data->width, data->height, bits);
    // The first table becomes the image's global table.
    if (owner_ && owner_->file_.header->globalTable.empty()) {
        auto header = std::make_shared<TGifHeader>(*owner_->file_.header);
        header->globalTable = data->table;
        header->bitsPerPixel = header->colorResolution = bits;
        owner_->file_.header = header;
        frame_.localTable = false;
    } else {
        frame_.localTable = true;
    }
    frame_.interlaced = false;
    frame_.transparentIndex = -1;
    frame_.data = std::move(data);
}

// ---- TXcGIFImage ------------------------------------------------------------

CL_CLASS_INFO(TXcGIFImage)

TColorReduction TXcGIFImage::DefaultReduction = rmPopularity;

TXcGIFImage::TXcGIFImage() = default;
TXcGIFImage::~TXcGIFImage() = default;

TXcGIFFrame* TXcGIFImage::Frames(int index) const {
    return index >= 0 && index < FrameCount() ? frames_[index].get() : nullptr;
}

int TXcGIFImage::Width() const {
    return frameIndex_ >= 0 ? frames_[frameIndex_]->Width() : 0;
}

int TXcGIFImage::Height() const {
    return frameIndex_ >= 0 ? frames_[frameIndex_]->Height() : 0;
}

void TXcGIFImage::SetWidth(int) {
    throw EInvalidGraphicOperation("Cannot change the Size of a GIF image");
}

void TXcGIFImage::SetHeight(int) {
    throw EInvalidGraphicOperation("Cannot change the Size of a GIF image");
}

bool TXcGIFImage::Transparent() const {
    return TGraphic::Transparent() && std::any_of(frames_.begin(), frames_.end(), [](const auto& f) {
               return f->frame_.transparentColor != kGifNoColor;
           });
}

void TXcGIFImage::Changed() {
    palette_.reset();
    TGraphic::Changed();
}

HPALETTE TXcGIFImage::Palette() {
    if (palette_ || frameIndex_ < 0) return palette_.get();
    const TXcGIFFrame& frame = *frames_[frameIndex_];
    TGifColorTable table;
    if (frame.frame_.data) {
        table = frame.frame_.data->table;
    } else if (frame.bitmap_ && !frame.bitmap_->Empty()) {
        RGBQUAD quads[256];
        const UINT n = GetDIBColorTable(frame.bitmap_->Canvas()->Handle(), 0, 256, quads);
        for (UINT i = 0; i < n; ++i) table.push_back({quads[i].rgbRed, quads[i].rgbGreen, quads[i].rgbBlue});
    }
    if (table.empty()) return nullptr;
    struct {
        WORD version, count;
        PALETTEENTRY entries[256];
    } logical{0x300, static_cast<WORD>(table.size()), {}};
    for (size_t i = 0; i < table.size(); ++i)
        logical.entries[i] = {table[i].red, table[i].green, table[i].blue, 0};
    palette_.reset(CreatePalette(reinterpret_cast<LOGPALETTE*>(&logical)));
    return palette_.get();
}

void TXcGIFImage::SetFrameIndex(int index) {
    if (index < 0 || index >= FrameCount() || index == frameIndex_) return;
    frameIndex_ = index;
    Changed();
}

void TXcGIFImage::SetComment(const std::vector<std::string>& lines) {
    auto header = std::make_shared<TGifHeader>(*file_.header);
    header->comment = lines;
    file_.header = header;
    Changed();
}

TColor TXcGIFImage::BackgroundColor() const {
    return file_.backgroundColor == kGifNoColor ? clNone : static_cast<TColor>(file_.backgroundColor);
}

void TXcGIFImage::SetBackgroundColor(TColor color) {
    file_.backgroundColor =
        color == clNone ? kGifNoColor : static_cast<uint32_t>(ColorToRGB(color)) & 0xFFFFFF;
}

void TXcGIFImage::Clear() {
    frames_.clear();
    file_ = TGifFile{};
    frameIndex_ = -1;
}

void TXcGIFImage::Take(const TGifFile& file) {
    file_ = file;
    file_.frames.clear();
    frames_.clear();
    for (const TGifFrame& f : file.frames) {
        frames_.push_back(std::make_unique<TXcGIFFrame>(this));
        frames_.back()->frame_ = f;
    }
    frameIndex_ = frames_.empty() ? -1 : 0;
}

void TXcGIFImage::ReadBytes(const uint8_t* data, size_t size, bool decodeFirst) {
    Clear();
    TGifFile file;
    try {
        ReadGif(data, size, file);
    } catch (...) {
        // What was read stays.
        Take(file);
        Changed();
        throw;
    }
    Take(file);
    if (decodeFirst && !frames_.empty()) {
        try {
            frames_[0]->Bitmap();
        } catch (...) {
            frames_.erase(frames_.begin());
            frameIndex_ = frames_.empty() ? -1 : 0;
            Changed();
            throw;
        }
    }
    Changed();
}

void TXcGIFImage::LoadFromStream(TStream& stream) {
    const std::vector<uint8_t> bytes = ReadRest(stream, stream.Size() - stream.Position());
    ReadBytes(bytes.data(), bytes.size(), true);
}

void TXcGIFImage::ReadData(TStream& stream) {
    const int64_t left = stream.Size() - stream.Position();
    if (left < 4) StreamReadError();
    const auto size = stream.ReadValue<uint32_t>();
    if (size > left - 4) StreamReadError();
    const std::vector<uint8_t> bytes = ReadRest(stream, size);
    ReadBytes(bytes.data(), bytes.size(), true);
}

TGifFile TXcGIFImage::FileForWrite() {
    if (frames_.empty()) NoData();
    for (auto& f : frames_)
        if (!f->frame_.data) f->Encode();
    TGifFile file = file_;
    for (auto& f : frames_) file.frames.push_back(f->frame_);
    PrepareGifForWrite(file);
    file_.version = file.version;
    for (size_t i = 0; i < frames_.size(); ++i) {
        frames_[i]->frame_.extensions = file.frames[i].extensions;
        frames_[i]->frame_.transparentIndex = file.frames[i].transparentIndex;
    }
    return file;
}

std::vector<uint8_t> TXcGIFImage::Bytes() {
    return WriteGif(FileForWrite());
}

void TXcGIFImage::SaveToStream(TStream& stream) {
    const std::vector<uint8_t> bytes = Bytes();
    stream.WriteBuffer(bytes.data(), static_cast<int32_t>(bytes.size()));
}

void TXcGIFImage::WriteData(TStream& stream) {
    const std::vector<uint8_t> bytes = Bytes();
    stream.WriteValue(static_cast<uint32_t>(bytes.size()));
    stream.WriteBuffer(bytes.data(), static_cast<int32_t>(bytes.size()));
}

void TXcGIFImage::Draw(TCanvas& canvas, const TRect& r) {
    if (frameIndex_ < 0) return;
    try {
        TXcGIFFrame* frame = frames_[frameIndex_].get();
        TBitmap* bitmap = frame->Bitmap();
        if (!bitmap || bitmap->Empty()) return;
        if (Transparent() && frame->TransparentColor() != clNone) {
            StretchBltTransparent(canvas.Handle(), r.left, r.top, r.right - r.left, r.bottom - r.top,
                                  bitmap->Canvas()->Handle(), Rect(0, 0, bitmap->Width(), bitmap->Height()),
                                  frame->TransparentColor(), nullptr);
        } else {
            canvas.StretchDraw(r, bitmap);
        }
    } catch (const std::exception&) {
        // Drawing runs inside WM_PAINT: a frame too large to decode, or a
        // device short of memory, leaves the rectangle as it was.
    }
}

int TXcGIFImage::AddFrame(TGraphic* graphic) {
    auto frame = std::make_unique<TXcGIFFrame>(this);
    frame->bitmap_ = std::make_unique<TBitmap>();
    frame->bitmap_->Assign(graphic);
    frames_.push_back(std::move(frame));
    frameIndex_ = FrameCount() - 1;
    if (file_.version == 0) file_.version = 1;
    if (FrameCount() > 1) file_.version = 2;
    Changed();
    return frameIndex_;
}

void TXcGIFImage::AssignAni(TXcAni& ani) {
    Clear();
    SetBackgroundColor(clWindow);
    for (int step = 0; step < ani.FrameCount(); ++step) {
        const auto frame = ani.GetFrame(step);
        if (!frame || frame->Icon()->Empty()) continue;
        TBitmap image;
        image.Assign(frame->Icon());
        AddFrame(&image);
        frames_.back()->SetDelay(AniIntervalMs(frame->Rate()));
    }
    Changed();
}

void TXcGIFImage::Assign(TPersistent* source) {
    if (!source) {
        Clear();
        Changed();
        return;
    }
    if (auto* gif = dynamic_cast<TXcGIFImage*>(source)) {
        if (gif == this) return;
        file_ = gif->file_;
        frames_.clear();
        for (const auto& f : gif->frames_) {
            frames_.push_back(std::make_unique<TXcGIFFrame>(this));
            frames_.back()->Assign(f.get());
        }
        frameIndex_ = gif->frameIndex_;
        Changed();
        return;
    }
    if (auto* frame = dynamic_cast<TXcGIFFrame*>(source)) {
        const std::shared_ptr<const TGifHeader> header =
            frame->Owner() ? frame->Owner()->file_.header : nullptr;
        auto copy = std::make_unique<TXcGIFFrame>(this);
        copy->Assign(frame);
        Clear();
        if (header) file_.header = header;
        frames_.push_back(std::move(copy));
        frameIndex_ = 0;
        file_.version = 1;
        Changed();
        return;
    }
    if (auto* ani = dynamic_cast<TXcAni*>(source)) return AssignAni(*ani);
    if (auto* bitmap = dynamic_cast<TBitmap*>(source)) {
        Clear();
        AddFrame(bitmap);
        return;
    }
    TGraphic::Assign(source);
}

void TXcGIFImage::AssignTo(TPersistent* dest) {
    if (auto* bitmap = dynamic_cast<TBitmap*>(dest)) {
        bitmap->Assign(frameIndex_ >= 0 ? frames_[frameIndex_]->Bitmap() : nullptr);
        return;
    }
    TGraphic::AssignTo(dest);
}

std::unique_ptr<TGraphic> TXcGIFImage::Clone() const {
    auto copy = std::make_unique<TXcGIFImage>();
    copy->Assign(const_cast<TXcGIFImage*>(this));
    return copy;
}

void TXcGIFImage::SaveToClipboardFormat(UINT& format, HANDLE& data, HPALETTE& palette) {
    if (frames_.empty()) NoData();
    const bool allData =
        std::all_of(frames_.begin(), frames_.end(), [](const auto& f) { return f->frame_.data; });
    if (allData) {
        const std::vector<uint8_t> bytes = Bytes();
        HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, bytes.size() + 4);
        if (!block) throw EOutOfResources("Out of system resources");
        {
            GlobalLock_ lock(block);
            const auto size = static_cast<uint32_t>(bytes.size());
            std::memcpy(lock.get(), &size, 4);
            std::memcpy(lock.get() + 4, bytes.data(), bytes.size());
        }
        if (!SetClipboardData(GifClipboardFormat(), block)) GlobalFree(block);
    }
    TBitmap copy;
    copy.Assign(frames_[0]->Bitmap());
    format = CF_BITMAP;
    data = copy.ReleaseHandle();
    palette = nullptr;
}

void TXcGIFImage::LoadFromClipboardFormat(UINT format, HANDLE data, HPALETTE) {
    HANDLE gif =
        IsClipboardFormatAvailable(GifClipboardFormat()) ? GetClipboardData(GifClipboardFormat()) : nullptr;
    if (gif) {
        const SIZE_T total = GlobalSize(gif);
        GlobalLock_ lock(gif);
        if (!lock.get() || total < 4) StreamReadError();
        const uint32_t size = Le32(lock.get());
        if (size > total - 4) StreamReadError();
        ReadBytes(lock.get() + 4, size, false);
        if (format == CF_BITMAP && data && !frames_.empty()) {
            auto image = std::make_unique<TBitmap>();
            image->SetHandle(static_cast<HBITMAP>(CopyImage(data, IMAGE_BITMAP, 0, 0, 0)));
            frames_[0]->bitmap_ = std::move(image);
        }
        return;
    }
    if (format != CF_BITMAP || !data) throw EInvalidGraphic("Unsupported clipboard format");
    TBitmap image;
    image.SetHandle(static_cast<HBITMAP>(CopyImage(data, IMAGE_BITMAP, 0, 0, 0)));
    Assign(&image);
}
