#pragma once
// TXcAni: a picture format for animated cursors, with the current step, a
// drawing of it and an animation timer of its own.  The file work is the
// portable animated-cursor codec; the images load as icons.

#include <windows.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "classlib/win/ExtCtrls.h"
#include "classlib/win/Graphics.h"
#include "frameworks/AniFile.h"

// One image of the animation, with how it was stored and its timing.
class TXcIconFrame : public cl::TPersistent {
    CL_CLASS(TXcIconFrame, cl::TPersistent)
public:
    TXcIconFrame();
    TXcIconFrame(const TXcIconFrame& other);
    ~TXcIconFrame() override;
    // Another frame: a copy of its image and its fields.
    void Assign(cl::TPersistent* source) override;

    cl::TIcon* Icon() const { return icon_.get(); }
    bool IsIcon() const { return isIcon_; }
    void SetIsIcon(bool value) { isIcon_ = value; }
    POINT Hotspot() const { return hotspot_; }
    void SetHotspot(POINT value) { hotspot_ = value; }
    uint32_t Rate() const { return rate_; }  // jiffies of 1/60 s
    void SetRate(uint32_t value) { rate_ = value; }

private:
    std::unique_ptr<cl::TIcon> icon_;
    bool isIcon_ = true;
    POINT hotspot_{0, 0};
    uint32_t rate_ = 0;
};

class TXcAni : public cl::TGraphic {
    CL_CLASS(TXcAni, cl::TGraphic)
public:
    TXcAni();
    ~TXcAni() override;
    void Assign(cl::TPersistent* source) override;
    // A TIcon gets the current step's image; a TBitmap all steps side by
    // side; an image list every step's image.  Public, since the class
    // library's bitmap draws any other graphic itself when assigned.
    void AssignTo(cl::TPersistent* dest) override;
    std::unique_ptr<cl::TGraphic> Clone() const override;

    int FrameCount() const { return static_cast<int>(ani_.stepCount); }
    // The icon's image; nullptr outside the icons.
    cl::TIcon* GetIcon(int index) const;
    // The step's image, how it was stored and its rate; nothing outside
    // the steps or for a sequence entry naming no icon.
    std::optional<TXcIconFrame> GetFrame(int step) const;
    int CurrentStep() const { return currentStep_; }
    void SetCurrentStep(int step);
    bool Animated() const { return timer_->Enabled(); }
    void SetAnimated(bool value) { timer_->SetEnabled(value); }
    const std::string& Title() const { return ani_.title; }
    void SetTitle(const std::string& value) { ani_.title = value; }
    const std::string& Author() const { return ani_.author; }
    void SetAuthor(const std::string& value) { ani_.author = value; }
    const TAniFile& File() const { return ani_; }

    int Width() const override;
    int Height() const override;
    // An animated cursor's size is its images': EInvalidGraphicOperation.
    void SetWidth(int width) override;
    void SetHeight(int height) override;
    bool Empty() const override { return FrameCount() == 0; }
    // Always transparent.
    void SetTransparent(bool) override {}

    // The current step's image at r's top-left corner in its own size.
    void Draw(cl::TCanvas& canvas, const cl::TRect& r) override;
    // The rest of the stream.  Bytes that are no animated cursor raise
    // EReadError "Stream read error" and leave the animation as it was;
    // a format error further on raises it and keeps the icons read.
    void LoadFromStream(cl::TStream& stream) override;
    void SaveToStream(cl::TStream& stream) override;
    // Icons have no clipboard format: EInvalidGraphicOperation.
    void SaveToClipboardFormat(UINT& format, HANDLE& data, HPALETTE& palette) override;
    void LoadFromClipboardFormat(UINT format, HANDLE data, HPALETTE palette) override;

protected:
    // Each tick shows the next step for that step's time.
    cl::TTimer& AnimationTimer() const { return *timer_; }

private:
    void Clear();
    // Loads the images of ani_; an image the system refuses ends the list.
    void LoadImages();
    void Tick();

    // The timer has no owner: freed as components are, through Free.
    struct TimerFree {
        void operator()(cl::TTimer* timer) const noexcept { cl::Free(timer); }
    };

    TAniFile ani_;
    std::vector<std::unique_ptr<TXcIconFrame>> icons_;
    int currentStep_ = -1;
    std::unique_ptr<cl::TTimer, TimerFree> timer_;
};
