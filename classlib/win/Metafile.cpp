// TMetafile (enhanced metafiles from files and streams, checked before use)
// and TMetafileCanvas, which records one.
#include <cstring>
#include <utility>

#include "classlib/win/GdiHandles.h"
#include "classlib/win/Graphics.h"
#include "classlib/win/WideText.h"

namespace cl {

namespace {

[[noreturn]] void InvalidMetafile() {
    throw EInvalidGraphic("Metafile is not valid");
}

void Require(bool ok) {
    if (!ok) InvalidMetafile();
}

uint32_t U32(const uint8_t* p) {
    return p[0] | p[1] << 8 | p[2] << 16 | static_cast<uint32_t>(p[3]) << 24;
}

// The fixed part of ENHMETAHEADER that every version has.
constexpr uint32_t kMinHeader = offsetof(ENHMETAHEADER, cbPixelFormat);
constexpr int64_t kMaxBytes = 256LL << 20;

struct DeviceSize {
    int horzRes, vertRes, horzSize, vertSize;  // pixels and millimetres
};

DeviceSize SizeOf(HDC dc) {
    return {GetDeviceCaps(dc, HORZRES), GetDeviceCaps(dc, VERTRES), GetDeviceCaps(dc, HORZSIZE),
            GetDeviceCaps(dc, VERTSIZE)};
}

// The screen, the reference device of the pixel sizes.
const DeviceSize& Screen() {
    static const DeviceSize size = [] {
        const WindowDC screen(nullptr);
        DeviceSize s = screen ? SizeOf(screen.get()) : DeviceSize{};
        if (s.horzRes <= 0 || s.vertRes <= 0 || s.horzSize <= 0 || s.vertSize <= 0) s = {1024, 768, 271, 203};
        return s;
    }();
    return size;
}

// Every record lies inside the image and the last one is EMR_EOF, so the
// system never reads past the buffer while playing.
void CheckRecords(const std::vector<uint8_t>& data) {
    const size_t size = data.size();
    size_t pos = 0;
    for (;;) {
        Require(pos + 8 <= size);
        const uint32_t type = U32(&data[pos]);
        const uint32_t length = U32(&data[pos + 4]);
        Require(length >= 8 && length % 4 == 0 && length <= size - pos);
        pos += length;
        if (type == EMR_EOF) break;
    }
    Require(pos == size);
}

}  // namespace

CL_CLASS_INFO(TMetafile, Prop("Height", &TMetafile::Height, &TMetafile::SetHeight),
              Prop("Width", &TMetafile::Width, &TMetafile::SetWidth))

TMetafile::TMetafile() = default;

TMetafile::~TMetafile() {
    if (emf_) DeleteEnhMetaFile(emf_);
}

void TMetafile::Assign(TPersistent* source) {
    if (!source) return Clear();
    auto* other = dynamic_cast<TMetafile*>(source);
    if (!other) return TGraphic::Assign(source);
    if (other == this) return;
    HENHMETAFILE copy = nullptr;
    if (other->emf_) {
        copy = CopyEnhMetaFileW(other->emf_, nullptr);
        if (!copy) throw EOutOfResources("Out of system resources");
    }
    if (emf_) DeleteEnhMetaFile(emf_);
    emf_ = copy;
    mmWidth_ = other->mmWidth_;
    mmHeight_ = other->mmHeight_;
    pixelWidth_ = other->pixelWidth_;
    pixelHeight_ = other->pixelHeight_;
    Changed();
}

std::unique_ptr<TGraphic> TMetafile::Clone() const {
    auto copy = std::make_unique<TMetafile>();
    copy->Assign(const_cast<TMetafile*>(this));
    return copy;
}

int TMetafile::Width() const {
    if (pixelWidth_) return pixelWidth_;
    return MulDiv(mmWidth_, Screen().horzRes, Screen().horzSize * 100);
}

int TMetafile::Height() const {
    if (pixelHeight_) return pixelHeight_;
    return MulDiv(mmHeight_, Screen().vertRes, Screen().vertSize * 100);
}

void TMetafile::SetWidth(int width) {
    pixelWidth_ = width;
    mmWidth_ = MulDiv(width, Screen().horzSize * 100, Screen().horzRes);
    Changed();
}

void TMetafile::SetHeight(int height) {
    pixelHeight_ = height;
    mmHeight_ = MulDiv(height, Screen().vertSize * 100, Screen().vertRes);
    Changed();
}

int TMetafile::MMWidth() const {
    return mmWidth_;
}
int TMetafile::MMHeight() const {
    return mmHeight_;
}

void TMetafile::SetMMWidth(int value) {
    mmWidth_ = value;
    pixelWidth_ = 0;
    Changed();
}

void TMetafile::SetMMHeight(int value) {
    mmHeight_ = value;
    pixelHeight_ = 0;
    Changed();
}

void TMetafile::SetHandle(HENHMETAFILE emf) {
    ENHMETAHEADER header{};
    if (emf && !GetEnhMetaFileHeader(emf, sizeof header, &header)) InvalidMetafile();
    if (emf_ && emf_ != emf) DeleteEnhMetaFile(emf_);
    emf_ = emf;
    pixelWidth_ = pixelHeight_ = 0;
    mmWidth_ = emf ? header.rclFrame.right - header.rclFrame.left : 0;
    mmHeight_ = emf ? header.rclFrame.bottom - header.rclFrame.top : 0;
    Changed();
}

HENHMETAFILE TMetafile::ReleaseHandle() {
    HENHMETAFILE emf = std::exchange(emf_, nullptr);
    Changed();
    return emf;
}

void TMetafile::Clear() {
    if (emf_) DeleteEnhMetaFile(std::exchange(emf_, nullptr));
    mmWidth_ = mmHeight_ = pixelWidth_ = pixelHeight_ = 0;
    Changed();
}

void TMetafile::Draw(TCanvas& canvas, const TRect& r) {
    if (!emf_) return;
    HDC dc = canvas.Handle();
    const int saved = SaveDC(dc);
    // Wine lets a record that removes the clip region (SelectClipRgn(NULL))
    // paint outside the caller's clip; as a meta region it stays in force.
    const OwnedRegion clip(CreateRectRgn(0, 0, 0, 0));
    if (clip && GetClipRgn(dc, clip.get()) == 1) SelectClipRgn(dc, clip.get());
    SetMetaRgn(dc);
    PlayEnhMetaFile(dc, emf_, &r);
    RestoreDC(dc, saved);
}

void TMetafile::LoadFromStream(TStream& stream) {
    const int64_t available = stream.Size() - stream.Position();
    Require(available >= kMinHeader);
    std::vector<uint8_t> data(kMinHeader);
    stream.ReadBuffer(data.data(), kMinHeader);
    const auto* h = reinterpret_cast<const ENHMETAHEADER*>(data.data());
    Require(h->iType == EMR_HEADER && h->dSignature == ENHMETA_SIGNATURE);
    Require(h->nSize >= kMinHeader && h->nSize % 4 == 0 && h->nBytes >= h->nSize && h->nBytes % 4 == 0);
    Require(h->nBytes <= available && h->nBytes <= kMaxBytes);
    // The description (UTF-16) lies inside the header record.
    Require(h->nDescription == 0 ||
            (h->offDescription >= kMinHeader &&
             h->offDescription + 2 * static_cast<int64_t>(h->nDescription) <= h->nSize));
    const uint32_t total = h->nBytes;
    data.resize(total);
    stream.ReadBuffer(data.data() + kMinHeader, static_cast<int32_t>(total - kMinHeader));
    CheckRecords(data);
    HENHMETAFILE emf = SetEnhMetaFileBits(total, data.data());
    if (!emf) InvalidMetafile();
    SetHandle(emf);
}

void TMetafile::SaveToStream(TStream& stream) {
    if (!emf_) return;
    const UINT size = GetEnhMetaFileBits(emf_, 0, nullptr);
    std::vector<uint8_t> data(size);
    if (!size || GetEnhMetaFileBits(emf_, size, data.data()) != size) InvalidMetafile();
    stream.WriteBuffer(data.data(), static_cast<int32_t>(size));
}

// ---- TMetafileCanvas -----------------------------------------------------

CL_CLASS_INFO(TMetafileCanvas)

TMetafileCanvas::TMetafileCanvas(TMetafile* metafile, HDC referenceDevice)
    : TMetafileCanvas(metafile, referenceDevice, "", "") {}

TMetafileCanvas::TMetafileCanvas(TMetafile* metafile, HDC referenceDevice, const std::string& creator,
                                 const std::string& description)
    : metafile_(metafile) {
    const WindowDC screen(nullptr, referenceDevice ? nullptr : GetDC(nullptr));
    HDC ref = referenceDevice ? referenceDevice : screen.get();
    if (!ref) return;
    // The frame in 0.01 mm: the metafile's size, else its pixel size on the
    // reference device, else the whole device.
    const DeviceSize dev = SizeOf(ref);
    auto frameSide = [](int mm, int pixels, int res, int size) {
        if (mm) return mm;
        return pixels ? MulDiv(pixels, size * 100, res) : size * 100;
    };
    const RECT frame{0, 0, frameSide(metafile->MMWidth(), metafile->Width(), dev.horzRes, dev.horzSize),
                     frameSide(metafile->MMHeight(), metafile->Height(), dev.vertRes, dev.vertSize)};
    // "creator\0description\0\0", or none.
    std::wstring text;
    if (!creator.empty() || !description.empty())
        text = ToWide(creator) + L'\0' + ToWide(description) + L'\0';
    HDC dc = CreateEnhMetaFileW(ref, nullptr, &frame, text.empty() ? nullptr : text.c_str());
    Font()->SetPixelsPerInch(GetDeviceCaps(ref, LOGPIXELSY));
    // No context leaves the canvas without a handle; the caller checks.
    if (dc) SetHandle(dc);
}

TMetafileCanvas::~TMetafileCanvas() {
    if (!HandleAllocated()) return;
    HDC dc = Handle();
    SetHandle(nullptr);
    HENHMETAFILE emf = CloseEnhMetaFile(dc);
    try {
        metafile_->SetHandle(emf);
    } catch (...) {
        // A destructor may not throw: a recording the metafile did not take
        // is dropped, and a failing change handler is ignored.
        if (emf && metafile_->Handle() != emf) DeleteEnhMetaFile(emf);
    }
}

}  // namespace cl
