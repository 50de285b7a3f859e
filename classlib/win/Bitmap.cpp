// TBitmap: DIB sections and device bitmaps, pixel-format conversion and the
// BMP file reader and writer.
#include <algorithm>
#include <cstring>
#include <iterator>
#include <utility>

#include "classlib/win/GdiHandles.h"
#include "classlib/win/Graphics.h"
#include "classlib/win/WideText.h"

namespace cl {

namespace {

// BITMAPINFO with room for a full colour table (or the three colour masks).
struct BitmapInfo {
    BITMAPINFOHEADER header{};
    RGBQUAD colors[256]{};
    BITMAPINFO* get() { return reinterpret_cast<BITMAPINFO*>(this); }
};

struct Masks {
    DWORD red, green, blue;
};
constexpr Masks kMasks555{0x7C00, 0x03E0, 0x001F};
constexpr Masks kMasks565{0xF800, 0x07E0, 0x001F};
constexpr Masks kMasks888{0xFF0000, 0x00FF00, 0x0000FF};

int BitsOf(TPixelFormat format) {
    switch (format) {
        case pf1bit:
            return 1;
        case pf4bit:
            return 4;
        case pf8bit:
            return 8;
        case pf15bit:
        case pf16bit:
            return 16;
        case pf24bit:
            return 24;
        case pf32bit:
            return 32;
        default:
            return 0;
    }
}

int64_t StrideOf(int64_t width, int bits) {
    return (width * bits + 31) / 32 * 4;
}

bool SameMasks(const Masks& a, const Masks& b) {
    return a.red == b.red && a.green == b.green && a.blue == b.blue;
}

TPixelFormat FormatOf(int bits, bool bitfields, const Masks& m) {
    switch (bits) {
        case 1:
            return pf1bit;
        case 4:
            return pf4bit;
        case 8:
            return pf8bit;
        case 16:
            return !bitfields || SameMasks(m, kMasks555) ? pf15bit
                   : SameMasks(m, kMasks565)             ? pf16bit
                                                         : pfCustom;
        case 24:
            return pf24bit;
        case 32:
            return !bitfields || SameMasks(m, kMasks888) ? pf32bit : pfCustom;
        default:
            return pfCustom;
    }
}

// The colour table a new image of that depth starts with.
int DefaultColors(int bits, RGBQUAD* colors) {
    static constexpr COLORREF kVga[16] = {0x000000, 0x000080, 0x008000, 0x008080, 0x800000, 0x800080,
                                          0x808000, 0x808080, 0xC0C0C0, 0x0000FF, 0x00FF00, 0x00FFFF,
                                          0xFF0000, 0xFF00FF, 0xFFFF00, 0xFFFFFF};
    auto quad = [](int r, int g, int b) {
        return RGBQUAD{static_cast<BYTE>(b), static_cast<BYTE>(g), static_cast<BYTE>(r), 0};
    };
    switch (bits) {
        case 1:
            colors[0] = quad(0, 0, 0);
            colors[1] = quad(255, 255, 255);
            return 2;
        case 4:
            for (int i = 0; i < 16; ++i)
                colors[i] = quad(GetRValue(kVga[i]), GetGValue(kVga[i]), GetBValue(kVga[i]));
            return 16;
        case 8: {
            // A 6x6x6 colour cube, then the dark VGA colours and greys.  No two
            // entries share a colour at 5 bits a channel: Wine's nearest-colour
            // search works at that precision and could take a near miss.
            int n = 0;
            for (int r = 0; r < 6; ++r)
                for (int g = 0; g < 6; ++g)
                    for (int b = 0; b < 6; ++b) colors[n++] = quad(r * 51, g * 51, b * 51);
            for (COLORREF c :
                 {0x000080, 0x008000, 0x008080, 0x800000, 0x800080, 0x808000, 0x808080, 0xC0C0C0})
                colors[n++] = quad(GetRValue(c), GetGValue(c), GetBValue(c));
            // Greys in the 5-bit steps that cube and VGA colours leave free.
            static constexpr int kTaken[] = {0, 6, 12, 16, 19, 24, 25, 31};
            for (int step = 0; step < 32; ++step) {
                if (std::find(std::begin(kTaken), std::end(kTaken), step) == std::end(kTaken))
                    colors[n++] = quad(step * 8 + 4, step * 8 + 4, step * 8 + 4);
            }
            while (n < 256) colors[n++] = quad(255, 255, 255);
            return 256;
        }
        default:
            return 0;
    }
}

// A bottom-up DIB section; colours apply up to 8 bits, masks to 16 and 32.
HBITMAP CreateDib(int bits, int width, int height, const RGBQUAD* colors, int colorCount, const Masks* masks,
                  void** pixels) {
    BitmapInfo bi;
    bi.header.biSize = sizeof(BITMAPINFOHEADER);
    bi.header.biWidth = width;
    bi.header.biHeight = height;
    bi.header.biPlanes = 1;
    bi.header.biBitCount = static_cast<WORD>(bits);
    bi.header.biCompression = BI_RGB;
    if (bits <= 8) {
        bi.header.biClrUsed = colorCount;
        std::copy_n(colors, colorCount, bi.colors);
    } else if (masks) {
        bi.header.biCompression = BI_BITFIELDS;
        std::memcpy(bi.colors, masks, sizeof *masks);
    }
    void* bitsPtr = nullptr;
    HBITMAP bitmap = CreateDIBSection(nullptr, bi.get(), DIB_RGB_COLORS, &bitsPtr, nullptr, 0);
    if (!bitmap) throw EOutOfResources("Out of system resources");
    if (pixels) *pixels = bitsPtr;
    return bitmap;
}

[[noreturn]] void InvalidBitmap() {
    throw EInvalidGraphic("Bitmap image is not valid");
}

// ---- BMP files -----------------------------------------------------------

constexpr WORD kBmpSignature = 0x4D42;  // "BM"
constexpr int kMaxSide = 65535;
constexpr int64_t kMaxPixelBytes = 256LL << 20;

uint32_t U32(const uint8_t* p) {
    return p[0] | p[1] << 8 | p[2] << 16 | static_cast<uint32_t>(p[3]) << 24;
}
uint16_t U16(const uint8_t* p) {
    return static_cast<uint16_t>(p[0] | p[1] << 8);
}

void Require(bool ok) {
    if (!ok) InvalidBitmap();
}

bool ContiguousMask(DWORD mask) {
    if (mask == 0) return false;
    const DWORD low = mask & (~mask + 1);
    return ((mask + low) & mask) == 0;
}

// A BMP file checked field by field, as a bottom-up DIB in memory.
struct BmpData {
    int width = 0;
    int height = 0;
    int bits = 0;
    bool bitfields = false;
    Masks masks{};
    std::vector<RGBQUAD> colors;
    std::vector<uint8_t> pixels;
};

BmpData ReadBmp(TStream& stream) {
    const int64_t start = stream.Position();
    const int64_t available = stream.Size() - start;
    auto read = [&](void* buffer, int64_t count) {
        Require(count >= 0 && stream.Position() - start + count <= available);
        stream.ReadBuffer(buffer, static_cast<int32_t>(count));
    };

    uint8_t fileHeader[14];
    read(fileHeader, sizeof fileHeader);
    Require(U16(fileHeader) == kBmpSignature);
    const uint32_t offBits = U32(fileHeader + 10);

    uint8_t info[124] = {};
    read(info, 4);
    const uint32_t headerSize = U32(info);
    // Core (OS/2 1.x), info, the two extended info headers, V4 and V5.
    Require(headerSize == 12 || headerSize == 40 || headerSize == 52 || headerSize == 56 ||
            headerSize == 108 || headerSize == 124);
    read(info + 4, headerSize - 4);

    BmpData bmp;
    int64_t width, height;
    uint32_t planes, compression = BI_RGB, colorsUsed = 0;
    const bool core = headerSize == 12;
    if (core) {
        width = U16(info + 4);
        height = U16(info + 6);
        planes = U16(info + 8);
        bmp.bits = U16(info + 10);
    } else {
        width = static_cast<int32_t>(U32(info + 4));
        height = static_cast<int32_t>(U32(info + 8));
        planes = U16(info + 12);
        bmp.bits = U16(info + 14);
        compression = U32(info + 16);
        colorsUsed = U32(info + 32);
        // biSizeImage, the resolutions and biClrImportant are not needed:
        // the size follows from width, height and depth.
    }
    const bool topDown = height < 0;
    if (topDown) height = -height;
    Require(width >= 1 && width <= kMaxSide && height >= 1 && height <= kMaxSide);
    Require(planes == 1);
    const int b = bmp.bits;
    Require(b == 1 || b == 4 || b == 8 || b == 16 || b == 24 || b == 32);
    Require(!core || (b != 16 && b != 32));
    Require(compression == BI_RGB || (compression == BI_BITFIELDS && (b == 16 || b == 32)));
    bmp.width = static_cast<int>(width);
    bmp.height = static_cast<int>(height);

    bmp.bitfields = compression == BI_BITFIELDS;
    if (bmp.bitfields) {
        uint8_t m[12];
        if (headerSize == 40) {
            read(m, sizeof m);
        } else {
            std::memcpy(m, info + 40, sizeof m);
        }
        bmp.masks = {U32(m), U32(m + 4), U32(m + 8)};
        const DWORD limit = b == 32 ? 0xFFFFFFFF : 0xFFFF;
        for (DWORD mask : {bmp.masks.red, bmp.masks.green, bmp.masks.blue})
            Require(ContiguousMask(mask) && (mask & ~limit) == 0);
        Require((bmp.masks.red & bmp.masks.green) == 0 && (bmp.masks.red & bmp.masks.blue) == 0 &&
                (bmp.masks.green & bmp.masks.blue) == 0);
    }

    // The colour table: as many entries as used, at most the depth allows;
    // above 8 bits an optional table that is skipped.
    const uint32_t maxColors = b <= 8 ? 1u << b : 256u;
    if (b <= 8 && colorsUsed == 0) colorsUsed = maxColors;
    Require(colorsUsed <= maxColors);
    const int entrySize = core ? 3 : 4;
    std::vector<uint8_t> table(static_cast<size_t>(colorsUsed) * entrySize);
    read(table.data(), static_cast<int64_t>(table.size()));
    if (b <= 8) {
        for (uint32_t i = 0; i < colorsUsed; ++i) {
            const uint8_t* e = &table[static_cast<size_t>(i) * entrySize];
            bmp.colors.push_back(RGBQUAD{e[0], e[1], e[2], 0});
        }
    }

    // The pixels start at offBits, which may not point back into the headers.
    const int64_t headersEnd = stream.Position() - start;
    Require(offBits >= headersEnd);
    const int64_t stride = StrideOf(width, b);
    const int64_t size = stride * height;
    Require(size <= kMaxPixelBytes);
    Require(static_cast<int64_t>(offBits) + size <= available);
    stream.SetPosition(start + offBits);
    bmp.pixels.resize(static_cast<size_t>(size));
    read(bmp.pixels.data(), size);
    if (topDown) {
        for (int64_t y = 0; y < height / 2; ++y)
            std::swap_ranges(bmp.pixels.begin() + y * stride, bmp.pixels.begin() + (y + 1) * stride,
                             bmp.pixels.begin() + (height - 1 - y) * stride);
    }
    return bmp;
}

}  // namespace

// ---- TBitmapCanvas --------------------------------------------------------

// A canvas over a memory context that holds the bitmap's image.
class TBitmapCanvas : public TCanvas {
    CL_CLASS(TBitmapCanvas, TCanvas)
public:
    explicit TBitmapCanvas(TBitmap* bitmap) : bitmap_(bitmap) {}
    ~TBitmapCanvas() override { FreeDC(); }

    void FreeDC() noexcept {
        if (!memoryDC_) return;
        SetHandle(nullptr);
        SelectObject(memoryDC_, oldBitmap_);
        DeleteDC(memoryDC_);
        memoryDC_ = nullptr;
    }

protected:
    void CreateHandle() override {
        HDC dc = CreateCompatibleDC(nullptr);
        if (!dc) throw EOutOfResources("Out of system resources");
        oldBitmap_ = bitmap_->bitmap_ ? SelectObject(dc, bitmap_->bitmap_) : nullptr;
        memoryDC_ = dc;
        SetHandle(dc);
    }

private:
    TBitmap* bitmap_;
    HDC memoryDC_ = nullptr;
    HGDIOBJ oldBitmap_ = nullptr;
};

CL_CLASS_INFO(TBitmapCanvas)

// ---- TBitmap --------------------------------------------------------------

CL_CLASS_INFO(TBitmap, Prop("Height", &TBitmap::Height, &TBitmap::SetHeight),
              Prop("Width", &TBitmap::Width, &TBitmap::SetWidth))

TBitmap::TBitmap() = default;

TBitmap::~TBitmap() {
    canvas_.reset();
    if (bitmap_) DeleteObject(bitmap_);
}

void TBitmap::FreeCanvasDC() noexcept {
    if (canvas_) canvas_->FreeDC();
}

void TBitmap::Replace(HBITMAP bitmap, TPixelFormat format, bool monochrome) noexcept {
    FreeCanvasDC();
    if (bitmap_ && bitmap_ != bitmap) DeleteObject(bitmap_);
    bitmap_ = bitmap;
    format_ = format;
    monochrome_ = format == pf1bit || (format == pfDevice && monochrome);
    BITMAP bm{};
    if (bitmap && GetObjectW(bitmap, sizeof bm, &bm)) {
        width_ = bm.bmWidth;
        height_ = bm.bmHeight;
    } else {
        width_ = height_ = 0;
    }
}

HBITMAP TBitmap::MakeImage(TPixelFormat format, bool monochrome, int width, int height) {
    if (format == pfCustom) throw EInvalidGraphicOperation("Cannot change a bitmap with custom colour masks");
    const int bits = BitsOf(format);
    HBITMAP image;
    if (format == pfDevice) {
        if (monochrome) {
            image = CreateBitmap(width, height, 1, 1, nullptr);
        } else {
            ScreenDC screen;
            image = CreateCompatibleBitmap(screen.get(), width, height);
        }
        if (!image) throw EOutOfResources("Out of system resources");
    } else {
        BitmapInfo bi;
        int count = DefaultColors(bits, bi.colors);
        // The same depth keeps the old colour table.
        if (bits <= 8 && bitmap_ && format_ == format) {
            const UINT n = GetDIBColorTable(CanvasDC(), 0, 256, bi.colors);
            if (n > 0) count = static_cast<int>(n);
        }
        image = CreateDib(bits, width, height, bi.colors, count, format == pf16bit ? &kMasks565 : nullptr,
                          nullptr);
    }
    OwnedBitmap owned(image);
    MemoryDC target(image);
    PatBlt(target.get(), 0, 0, width, height, WHITENESS);
    if (bitmap_) {
        HDC source = CanvasDC();
        // Turning colour into monochrome: white stays white, the rest black.
        const COLORREF oldBk = SetBkColor(source, RGB(255, 255, 255));
        BitBlt(target.get(), 0, 0, std::min(width, width_), std::min(height, height_), source, 0, 0, SRCCOPY);
        SetBkColor(source, oldBk);
    }
    GdiFlush();
    return owned.release();
}

void TBitmap::SetSize(int width, int height) {
    width = std::max(width, 0);
    height = std::max(height, 0);
    if (width == width_ && height == height_) return;
    if (width == 0 || height == 0) {
        Replace(nullptr, format_, monochrome_);
        width_ = width;
        height_ = height;
    } else {
        Replace(MakeImage(format_, monochrome_, width, height), format_, monochrome_);
    }
    Changed();
}

void TBitmap::ConvertTo(TPixelFormat format, bool monochrome) {
    if (format == pfCustom) throw EInvalidGraphicOperation("Invalid pixel format");
    if (bitmap_) {
        Replace(MakeImage(format, monochrome, width_, height_), format, monochrome);
    } else {
        format_ = format;
        monochrome_ = format == pf1bit || (format == pfDevice && monochrome);
    }
    Changed();
}

void TBitmap::SetPixelFormat(TPixelFormat format) {
    if (format != format_) ConvertTo(format, format == pf1bit);
}

void TBitmap::SetHandleType(TBitmapHandleType type) {
    if (type == HandleType()) return;
    if (type == bmDDB) {
        ConvertTo(pfDevice, monochrome_);
    } else {
        ScreenDC screen;
        const int depth = GetDeviceCaps(screen.get(), BITSPIXEL);
        ConvertTo(monochrome_ ? pf1bit : depth >= 32 ? pf32bit : pf24bit, monochrome_);
    }
}

bool TBitmap::Monochrome() const {
    return monochrome_;
}

void TBitmap::SetMonochrome(bool value) {
    if (value == monochrome_) return;
    if (HandleType() == bmDDB) {
        ConvertTo(pfDevice, value);
    } else {
        ConvertTo(value ? pf1bit : pfDevice, false);
    }
}

TColor TBitmap::TransparentColor() {
    if (transparentColor_ != clDefault) return transparentColor_;
    if (monochrome_) return clWhite;
    if (Empty()) return clDefault;
    return Canvas()->Pixels(0, height_ - 1);
}

void TBitmap::SetTransparentColor(TColor color) {
    if (color == transparentColor_) return;
    transparentColor_ = color;
    Changed();
}

void TBitmap::SetHandle(HBITMAP bitmap) {
    if (!bitmap) {
        Replace(nullptr, format_, monochrome_);
        Changed();
        return;
    }
    DIBSECTION ds{};
    BITMAP bm{};
    TPixelFormat format = pfDevice;
    if (GetObjectW(bitmap, sizeof ds, &ds) == sizeof ds) {
        const Masks masks{ds.dsBitfields[0], ds.dsBitfields[1], ds.dsBitfields[2]};
        format = FormatOf(ds.dsBmih.biBitCount, ds.dsBmih.biCompression == BI_BITFIELDS, masks);
    } else if (!GetObjectW(bitmap, sizeof bm, &bm)) {
        throw EInvalidGraphic("Bitmap image is not valid");
    }
    Replace(bitmap, format, format == pfDevice && bm.bmBitsPixel == 1);
    Changed();
}

HBITMAP TBitmap::ReleaseHandle() {
    FreeCanvasDC();
    HBITMAP bitmap = std::exchange(bitmap_, nullptr);
    width_ = height_ = 0;
    Changed();
    return bitmap;
}

void TBitmap::LoadFromResourceName(HINSTANCE instance, const std::string& name) {
    const std::wstring w = ToWide(name);
    auto* bitmap =
        static_cast<HBITMAP>(LoadImageW(instance, w.c_str(), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    if (!bitmap) throw EInvalidGraphic("Resource " + name + " not found");
    SetHandle(bitmap);
}

void TBitmap::LoadFromResourceID(HINSTANCE instance, int id) {
    auto* bitmap = static_cast<HBITMAP>(
        LoadImageW(instance, MAKEINTRESOURCEW(id), IMAGE_BITMAP, 0, 0, instance ? LR_CREATEDIBSECTION : 0));
    if (!bitmap) throw EInvalidGraphic("Resource " + std::to_string(id) + " not found");
    SetHandle(bitmap);
}

TCanvas* TBitmap::Canvas() {
    if (!canvas_) canvas_ = std::make_unique<TBitmapCanvas>(this);
    return canvas_.get();
}

int TBitmap::RowBytes() const {
    return static_cast<int>(StrideOf(width_, BitsOf(format_)));
}

void* TBitmap::ScanLine(int y) {
    DIBSECTION ds{};
    if (!bitmap_ || GetObjectW(bitmap_, sizeof ds, &ds) != sizeof ds || !ds.dsBm.bmBits)
        throw EInvalidGraphic("Scan line is only available in a DIB");
    if (y < 0 || y >= height_) throw EInvalidGraphic("Scan line index out of range");
    GdiFlush();  // drawing through the canvas may still be batched
    const int row = ds.dsBmih.biHeight > 0 ? height_ - 1 - y : y;
    return static_cast<uint8_t*>(ds.dsBm.bmBits) + static_cast<ptrdiff_t>(row) * ds.dsBm.bmWidthBytes;
}

void TBitmap::Assign(TPersistent* source) {
    if (!source) {
        Replace(nullptr, format_, monochrome_);
        Changed();
        return;
    }
    if (auto* other = dynamic_cast<TBitmap*>(source)) {
        if (other == this) return;
        // Built from the other's image: same format, its colour table, its pixels.
        HBITMAP image = other->bitmap_ ? other->MakeImage(other->format_, other->monochrome_, other->width_,
                                                          other->height_)
                                       : nullptr;
        Replace(image, other->format_, other->monochrome_);
        transparentColor_ = other->transparentColor_;
        SetTransparent(other->Transparent());
        Changed();
        return;
    }
    if (auto* graphic = dynamic_cast<TGraphic*>(source)) {
        Replace(nullptr, format_, monochrome_);
        if (!graphic->Empty()) {
            Replace(MakeImage(format_, monochrome_, graphic->Width(), graphic->Height()), format_,
                    monochrome_);
            Canvas()->StretchDraw(Rect(0, 0, width_, height_), graphic);
        }
        Changed();
        return;
    }
    TGraphic::Assign(source);
}

std::unique_ptr<TGraphic> TBitmap::Clone() const {
    auto copy = std::make_unique<TBitmap>();
    copy->Assign(const_cast<TBitmap*>(this));
    return copy;
}

void TBitmap::Draw(TCanvas& canvas, const TRect& r) {
    if (Empty()) return;
    HDC target = canvas.Handle();
    HDC source = CanvasDC();
    const int w = r.right - r.left, h = r.bottom - r.top;
    if (Transparent()) {
        GdiTransparentBlt(target, r.left, r.top, w, h, source, 0, 0, width_, height_,
                          ColorToRGB(TransparentColor()));
        return;
    }
    // A monochrome image draws black and white whatever the target's colours.
    const COLORREF oldText = monochrome_ ? SetTextColor(target, RGB(0, 0, 0)) : 0;
    const COLORREF oldBk = monochrome_ ? SetBkColor(target, RGB(255, 255, 255)) : 0;
    const int oldMode = SetStretchBltMode(target, COLORONCOLOR);
    StretchBlt(target, r.left, r.top, w, h, source, 0, 0, width_, height_, canvas.CopyMode());
    SetStretchBltMode(target, oldMode);
    if (monochrome_) {
        SetTextColor(target, oldText);
        SetBkColor(target, oldBk);
    }
}

void TBitmap::LoadFromStream(TStream& stream) {
    BmpData bmp;
    try {
        bmp = ReadBmp(stream);
    } catch (const EStreamError&) {
        InvalidBitmap();
    }
    void* pixels = nullptr;
    HBITMAP image =
        CreateDib(bmp.bits, bmp.width, bmp.height, bmp.colors.data(), static_cast<int>(bmp.colors.size()),
                  bmp.bitfields ? &bmp.masks : nullptr, &pixels);
    std::memcpy(pixels, bmp.pixels.data(), bmp.pixels.size());
    Replace(image, FormatOf(bmp.bits, bmp.bitfields, bmp.masks), false);
    Changed();
}

void TBitmap::SaveToStream(TStream& stream) {
    if (Empty()) return;
    BitmapInfo bi;
    BITMAPINFOHEADER& h = bi.header;
    h.biSize = sizeof h;
    h.biWidth = width_;
    h.biHeight = height_;
    h.biPlanes = 1;
    h.biCompression = BI_RGB;
    int colorCount = 0;
    int maskBytes = 0;
    std::vector<uint8_t> pixels;
    if (bitmap_) GdiFlush();
    DIBSECTION ds{};
    if (bitmap_ && format_ != pfDevice && GetObjectW(bitmap_, sizeof ds, &ds) == sizeof ds) {
        h.biBitCount = ds.dsBmih.biBitCount;
        if (h.biBitCount <= 8) colorCount = static_cast<int>(GetDIBColorTable(CanvasDC(), 0, 256, bi.colors));
        const Masks masks{ds.dsBitfields[0], ds.dsBitfields[1], ds.dsBitfields[2]};
        const bool standard = SameMasks(masks, h.biBitCount == 16 ? kMasks555 : kMasks888);
        if (ds.dsBmih.biCompression == BI_BITFIELDS && !standard) {
            h.biCompression = BI_BITFIELDS;
            std::memcpy(bi.colors, ds.dsBitfields, 3 * sizeof(DWORD));
            maskBytes = 3 * sizeof(DWORD);
        }
        const size_t stride = static_cast<size_t>(ds.dsBm.bmWidthBytes);
        pixels.resize(stride * height_);
        const auto* bits = static_cast<const uint8_t*>(ds.dsBm.bmBits);
        for (int y = 0; y < height_; ++y) {
            // File rows run bottom-up.
            const int row = ds.dsBmih.biHeight > 0 ? y : height_ - 1 - y;
            std::memcpy(&pixels[y * stride], bits + row * stride, stride);
        }
    } else {
        h.biBitCount = monochrome_ ? 1 : 24;
        if (monochrome_) colorCount = DefaultColors(1, bi.colors);
        pixels.resize(static_cast<size_t>(StrideOf(width_, h.biBitCount)) * height_);
        if (bitmap_) {
            FreeCanvasDC();  // GetDIBits wants the bitmap deselected
            ScreenDC screen;
            BitmapInfo query = bi;
            if (!GetDIBits(screen.get(), bitmap_, 0, height_, pixels.data(), query.get(), DIB_RGB_COLORS))
                throw EInvalidGraphic("Bitmap image is not valid");
        }
    }
    h.biClrUsed = colorCount;
    h.biSizeImage = static_cast<DWORD>(pixels.size());
    const DWORD tableBytes = maskBytes + colorCount * sizeof(RGBQUAD);
    BITMAPFILEHEADER fh{};
    fh.bfType = kBmpSignature;
    fh.bfOffBits = sizeof fh + sizeof h + tableBytes;
    fh.bfSize = fh.bfOffBits + static_cast<DWORD>(pixels.size());
    stream.WriteBuffer(&fh, sizeof fh);
    stream.WriteBuffer(&h, sizeof h);
    stream.WriteBuffer(bi.colors, static_cast<int32_t>(tableBytes));
    stream.WriteBuffer(pixels.data(), static_cast<int32_t>(pixels.size()));
}

}  // namespace cl
