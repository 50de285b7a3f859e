// TIcon: icons from .ico files (checked before use) and from handles.
#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <utility>

#include "classlib/IconImage.h"
#include "classlib/win/GdiHandles.h"
#include "classlib/win/Graphics.h"

namespace cl {

namespace {

[[noreturn]] void InvalidIcon() {
    throw EInvalidGraphic("Icon image is not valid");
}

void Require(bool ok) {
    if (!ok) InvalidIcon();
}

uint32_t U32(const uint8_t* p) {
    return p[0] | p[1] << 8 | p[2] << 16 | static_cast<uint32_t>(p[3]) << 24;
}
uint16_t U16(const uint8_t* p) {
    return static_cast<uint16_t>(p[0] | p[1] << 8);
}

constexpr int kDirSize = 6;
constexpr int kEntrySize = 16;
constexpr int64_t kMaxFile = 16 << 20;

struct Entry {
    int width, height, bits;
    uint32_t bytes, offset;
};

}  // namespace

CL_CLASS_INFO(TIcon)

TIcon::TIcon() {
    SetTransparent(true);
}

TIcon::~TIcon() {
    if (icon_) DestroyIcon(icon_);
}

void TIcon::Reset(HICON icon, std::vector<uint8_t> file) noexcept {
    if (icon_ && icon_ != icon) DestroyIcon(icon_);
    icon_ = icon;
    file_ = std::move(file);
    width_ = height_ = 0;
    ICONINFO info{};
    if (icon && GetIconInfo(icon, &info)) {
        const OwnedBitmap colour(info.hbmColor), mask(info.hbmMask);
        BITMAP bm{};
        // A monochrome icon has only the mask: image and mask stacked.
        if (GetObjectW(info.hbmColor ? info.hbmColor : info.hbmMask, sizeof bm, &bm)) {
            width_ = bm.bmWidth;
            height_ = info.hbmColor ? bm.bmHeight : bm.bmHeight / 2;
        }
    }
}

void TIcon::Assign(TPersistent* source) {
    if (!source) {
        Reset(nullptr, {});
        Changed();
        return;
    }
    auto* other = dynamic_cast<TIcon*>(source);
    if (!other) return TGraphic::Assign(source);
    if (other == this) return;
    HICON copy = nullptr;
    if (other->icon_) {
        copy = CopyIcon(other->icon_);
        if (!copy) throw EOutOfResources("Out of system resources");
    }
    Reset(copy, other->file_);
    Changed();
}

std::unique_ptr<TGraphic> TIcon::Clone() const {
    auto copy = std::make_unique<TIcon>();
    copy->Assign(const_cast<TIcon*>(this));
    return copy;
}

void TIcon::SetWidth(int) {
    throw EInvalidGraphicOperation("Cannot change the size of an icon");
}
void TIcon::SetHeight(int) {
    throw EInvalidGraphicOperation("Cannot change the size of an icon");
}

void TIcon::SetHandle(HICON icon) {
    Reset(icon, {});
    Changed();
}

HICON TIcon::ReleaseHandle() {
    HICON icon = std::exchange(icon_, nullptr);
    Reset(nullptr, {});
    Changed();
    return icon;
}

void TIcon::Draw(TCanvas& canvas, const TRect& r) {
    if (!icon_) return;
    DrawIconEx(canvas.Handle(), r.left, r.top, icon_, r.right - r.left, r.bottom - r.top, 0, nullptr,
               DI_NORMAL);
}

void TIcon::LoadFromStream(TStream& stream) {
    const int64_t start = stream.Position();
    const int64_t available = stream.Size() - start;
    Require(available >= kDirSize);
    uint8_t dir[kDirSize];
    stream.ReadBuffer(dir, kDirSize);
    const int count = U16(dir + 4);
    Require(U16(dir) == 0 && U16(dir + 2) == 1 && count >= 1);
    const int64_t dirEnd = kDirSize + static_cast<int64_t>(count) * kEntrySize;
    Require(dirEnd <= available);

    std::vector<uint8_t> file(static_cast<size_t>(dirEnd));
    std::memcpy(file.data(), dir, kDirSize);
    stream.ReadBuffer(file.data() + kDirSize, static_cast<int32_t>(dirEnd - kDirSize));
    std::vector<Entry> entries;
    int64_t end = dirEnd;
    for (int i = 0; i < count; ++i) {
        const uint8_t* e = &file[kDirSize + i * kEntrySize];
        // A size byte of 0 means 256.
        Entry entry{e[0] ? e[0] : 256, e[1] ? e[1] : 256, U16(e + 6), U32(e + 8), U32(e + 12)};
        Require(entry.bytes > 0 && entry.offset >= dirEnd);
        Require(static_cast<int64_t>(entry.offset) + entry.bytes <= available);
        end = std::max<int64_t>(end, static_cast<int64_t>(entry.offset) + entry.bytes);
        entries.push_back(entry);
    }
    Require(end <= kMaxFile);
    std::vector<uint8_t> images(static_cast<size_t>(end - dirEnd));
    stream.ReadBuffer(images.data(), static_cast<int32_t>(images.size()));
    file.insert(file.end(), images.begin(), images.end());

    // The image nearest the system's icon size, the deepest on a tie.
    const int want = GetSystemMetrics(SM_CXICON);
    const Entry* best = &entries[0];
    for (const Entry& e : entries) {
        const int d = std::abs(e.width - want), bestD = std::abs(best->width - want);
        if (d < bestD || (d == bestD && e.bits > best->bits)) best = &e;
    }
    CheckIconImage(&file[best->offset], best->bytes);
    HICON icon =
        CreateIconFromResourceEx(&file[best->offset], best->bytes, TRUE, 0x00030000, 0, 0, LR_DEFAULTCOLOR);
    if (!icon) InvalidIcon();
    Reset(icon, std::move(file));
    Changed();
}

void TIcon::SaveToStream(TStream& stream) {
    if (file_.empty()) throw EInvalidGraphic("An icon made from a handle has no file image to save");
    stream.WriteBuffer(file_.data(), static_cast<int32_t>(file_.size()));
}

}  // namespace cl
