#include "frameworks/win/XcAni.h"

#include <algorithm>

#include "classlib/win/ImgList.h"
#include "controls/win/XcXCLUtils.h"
#include "frameworks/ByteCursor.h"

using namespace cl;

namespace {

constexpr unsigned kDefaultInterval = 100;
constexpr int64_t kMaxStripWidth = 32767;

}  // namespace

// ---- TXcIconFrame -----------------------------------------------------------

CL_CLASS_INFO(TXcIconFrame)

TXcIconFrame::TXcIconFrame() : icon_(std::make_unique<TIcon>()) {}

TXcIconFrame::TXcIconFrame(const TXcIconFrame& other) : TPersistent(), icon_(std::make_unique<TIcon>()) {
    Assign(const_cast<TXcIconFrame*>(&other));
}

TXcIconFrame::~TXcIconFrame() = default;

void TXcIconFrame::Assign(TPersistent* source) {
    auto* other = dynamic_cast<TXcIconFrame*>(source);
    if (!other) return TPersistent::Assign(source);
    if (other == this) return;
    icon_->Assign(other->icon_.get());
    isIcon_ = other->isIcon_;
    hotspot_ = other->hotspot_;
    rate_ = other->rate_;
}

// ---- TXcAni -----------------------------------------------------------------

CL_CLASS_INFO(TXcAni)

TXcAni::TXcAni() : timer_(new TTimer(nullptr)) {
    TGraphic::SetTransparent(true);
    timer_->SetEnabled(false);
    timer_->SetInterval(kDefaultInterval);
    timer_->SetOnTimer([this](TObject*) { Tick(); });
}

TXcAni::~TXcAni() = default;

void TXcAni::Clear() {
    const bool had = !icons_.empty();
    ani_ = TAniFile{};
    icons_.clear();
    currentStep_ = -1;
    if (had) Changed();
}

void TXcAni::LoadImages() {
    icons_.clear();
    size_t loaded = 0;
    for (; loaded < ani_.icons.size(); ++loaded) {
        const TAniIcon& source = ani_.icons[loaded];
        auto frame = std::make_unique<TXcIconFrame>();
        // Every image of the resource; the icon shows one of them.
        const std::vector<uint8_t> bytes = AniIconAsIconFile(source);
        TMemoryStream stream;
        stream.WriteBuffer(bytes.data(), static_cast<int32_t>(bytes.size()));
        stream.SetPosition(0);
        try {
            frame->Icon()->LoadFromStream(stream);
        } catch (const EInvalidGraphic&) {
            break;
        } catch (const EOutOfResources&) {
            break;
        }
        frame->SetIsIcon(source.isIcon);
        // A cursor's hotspot is that of the image shown.
        const TAniIconEntry& shown = source.entries[AniIconEntryFor(source, frame->Icon()->Width())];
        frame->SetHotspot(source.isIcon ? POINT{frame->Icon()->Width() / 2, frame->Icon()->Height() / 2}
                                        : POINT{shown.hotspotX, shown.hotspotY});
        frame->SetRate(ani_.header.rate);
        icons_.push_back(std::move(frame));
    }
    ani_.icons.resize(loaded);
    ani_.header.frames = static_cast<uint32_t>(loaded);
}

void TXcAni::LoadFromStream(TStream& stream) {
    const int64_t count = std::max<int64_t>(stream.Size() - stream.Position(), 0);
    std::vector<uint8_t> bytes(static_cast<size_t>(count));
    if (count > 0) stream.ReadBuffer(bytes.data(), static_cast<int32_t>(count));
    if (bytes.empty()) return;
    // Another kind of file leaves the animation as it is.
    if (!IsAniFile(bytes.data(), bytes.size())) StreamReadError();
    Clear();
    TAniFile file;
    try {
        ReadAni(bytes.data(), bytes.size(), file);
    } catch (...) {
        // The icons read so far stay, each a step of its own.
        file.sequence.clear();
        file.stepCount = static_cast<int64_t>(file.icons.size());
        ani_ = std::move(file);
        LoadImages();
        ani_.stepCount = static_cast<int64_t>(icons_.size());
        currentStep_ = icons_.empty() ? -1 : 0;
        if (!icons_.empty()) Changed();
        throw;
    }
    ani_ = std::move(file);
    LoadImages();
    if (icons_.empty()) StreamReadError();
    currentStep_ = FrameCount() > 0 ? 0 : -1;
    Changed();
}

void TXcAni::SaveToStream(TStream& stream) {
    const std::vector<uint8_t> bytes = WriteAni(ani_);
    stream.WriteBuffer(bytes.data(), static_cast<int32_t>(bytes.size()));
}

TIcon* TXcAni::GetIcon(int index) const {
    return index >= 0 && index < static_cast<int>(icons_.size()) ? icons_[index]->Icon() : nullptr;
}

std::optional<TXcIconFrame> TXcAni::GetFrame(int step) const {
    const auto at = AniStepAt(ani_, step);
    if (!at) return std::nullopt;
    std::optional<TXcIconFrame> frame(*icons_[at->icon]);
    frame->SetRate(at->rate);
    return frame;
}

void TXcAni::SetCurrentStep(int step) {
    if (step < 0 || step >= FrameCount() || step == currentStep_) return;
    currentStep_ = step;
    Changed();
}

int TXcAni::Width() const {
    const auto at = AniStepAt(ani_, currentStep_);
    return at ? icons_[at->icon]->Icon()->Width() : 0;
}

int TXcAni::Height() const {
    const auto at = AniStepAt(ani_, currentStep_);
    return at ? icons_[at->icon]->Icon()->Height() : 0;
}

void TXcAni::SetWidth(int) {
    throw EInvalidGraphicOperation("Cannot change the size of an icon");
}

void TXcAni::SetHeight(int) {
    throw EInvalidGraphicOperation("Cannot change the size of an icon");
}

void TXcAni::Draw(TCanvas& canvas, const TRect& r) {
    const auto at = AniStepAt(ani_, currentStep_);
    if (!at) return;
    TIcon* icon = icons_[at->icon]->Icon();
    if (icon->Empty()) return;
    // At its own size, whatever the rectangle.
    DrawIconEx(canvas.Handle(), r.left, r.top, icon->Handle(), 0, 0, 0, nullptr, DI_NORMAL);
}

void TXcAni::Tick() {
    timer_->SetEnabled(false);
    if (FrameCount() == 0 || currentStep_ < 0) return;
    currentStep_ = (currentStep_ + 1) % FrameCount();
    Changed();
    const auto at = AniStepAt(ani_, currentStep_);
    timer_->SetInterval(at ? AniIntervalMs(at->rate) : kDefaultInterval);
    timer_->SetEnabled(true);
}

void TXcAni::SaveToClipboardFormat(UINT&, HANDLE&, HPALETTE&) {
    throw EInvalidGraphicOperation("Clipboard does not support Icons");
}

void TXcAni::LoadFromClipboardFormat(UINT, HANDLE, HPALETTE) {
    throw EInvalidGraphicOperation("Clipboard does not support Icons");
}

void TXcAni::Assign(TPersistent* source) {
    if (!source) {
        Clear();
        return;
    }
    auto* other = dynamic_cast<TXcAni*>(source);
    if (!other) return TGraphic::Assign(source);
    if (other == this) return;
    ani_ = other->ani_;
    icons_.clear();
    for (const auto& frame : other->icons_) icons_.push_back(std::make_unique<TXcIconFrame>(*frame));
    currentStep_ = other->currentStep_;
    SetAnimated(other->Animated());
    Changed();
}

void TXcAni::AssignTo(TPersistent* dest) {
    if (auto* icon = dynamic_cast<TIcon*>(dest)) {
        const auto at = AniStepAt(ani_, currentStep_);
        if (at) icon->Assign(icons_[at->icon]->Icon());
        return;
    }
    if (auto* bitmap = dynamic_cast<TBitmap*>(dest)) {
        if (FrameCount() == 0 || icons_.empty()) {
            bitmap->Assign(nullptr);
            return;
        }
        const int w = icons_[0]->Icon()->Width(), h = icons_[0]->Icon()->Height();
        const int64_t width = int64_t{w} * FrameCount();
        if (width > kMaxStripWidth) throw EOutOfResources("Out of system resources");
        bitmap->SetSize(static_cast<int>(width), h);
        TCanvas* c = bitmap->Canvas();
        c->FillRect(Rect(0, 0, static_cast<int>(width), h));
        for (int step = 0; step < FrameCount(); ++step) {
            const auto at = AniStepAt(ani_, step);
            if (at)
                DrawIconEx(c->Handle(), step * w, 0, icons_[at->icon]->Icon()->Handle(), 0, 0, 0, nullptr,
                           DI_NORMAL);
        }
        // A true-colour image keeps its colours.
        if (!ani_.trueColor)
            bitmap->LoadFromStream(*BitmapStreamForColors(bitmap, std::max<int>(ani_.maxColors, 16)));
        return;
    }
    if (auto* list = dynamic_cast<TCustomImageList*>(dest)) {
        // The list's users hear of the copy once.
        list->BeginUpdate();
        try {
            list->Clear();
            for (int step = 0; step < FrameCount(); ++step) {
                const auto at = AniStepAt(ani_, step);
                if (at) list->AddIcon(icons_[at->icon]->Icon());
            }
        } catch (...) {
            list->EndUpdate();
            throw;
        }
        list->EndUpdate();
        return;
    }
    TGraphic::AssignTo(dest);
}

std::unique_ptr<TGraphic> TXcAni::Clone() const {
    auto copy = std::make_unique<TXcAni>();
    copy->Assign(const_cast<TXcAni*>(this));
    return copy;
}
