#pragma once
// TTimer: OnTimer every Interval milliseconds through a hidden window.
// TImage: a picture painted on its parent.

#include <windows.h>

#include <memory>

#include "classlib/Component.h"
#include "classlib/win/Controls.h"
#include "classlib/win/Graphics.h"

namespace cl {

class TTimer : public TComponent {
    CL_CLASS(TTimer, TComponent)
public:
    explicit TTimer(TComponent* owner);
    ~TTimer() override;

    // Runs while Enabled, Interval is not 0 and OnTimer is set (set
    // OnTimer through SetOnTimer so the timer starts).
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool value);
    unsigned Interval() const { return interval_; }
    void SetInterval(unsigned ms);
    const TNotifyEvent& OnTimer() const { return onTimer_; }
    void SetOnTimer(TNotifyEvent handler);

protected:
    // Fires OnTimer; exceptions go to the application's handler.
    virtual void Timer();

private:
    void UpdateTimer();

    bool enabled_ = true;
    unsigned interval_ = 1000;
    TNotifyEvent onTimer_;
    HWND window_ = nullptr;
};

// A windowless control showing a picture: at its own size from the top
// left corner, or stretched to the bounds, or scaled down to fit them with
// its proportions kept; Center puts what is drawn in the middle.  A click
// fires OnClick.
class TImage : public TGraphicControl {
    CL_CLASS(TImage, TGraphicControl)
public:
    explicit TImage(TComponent* owner);
    ~TImage() override;

    // Changing the picture or its graphic repaints (and with AutoSize resizes).
    TPicture* Picture() const { return picture_.get(); }
    void SetPicture(TPicture* value) { picture_->Assign(value); }
    // The bounds take the picture's size whenever it changes.
    bool AutoSize() const { return autoSize_; }
    void SetAutoSize(bool value);
    bool Center() const { return center_; }
    void SetCenter(bool value);
    // A picture larger than the bounds is scaled down to fit, keeping its
    // proportions; with Stretch a smaller one is scaled up too.
    bool Proportional() const { return proportional_; }
    void SetProportional(bool value);
    bool Stretch() const { return stretch_; }
    void SetStretch(bool value);
    // The graphic is drawn transparent (a bitmap leaves out its transparent
    // colour); a graphic loaded later takes the setting too.  Icons and
    // metafiles keep their own transparency.
    bool Transparent() const { return transparent_; }
    void SetTransparent(bool value);

    // Where the picture is drawn, in the control's coordinates.
    TRect DestRect() const;

protected:
    void Paint() override;

private:
    void PictureChanged();

    std::unique_ptr<TPicture> picture_;
    bool autoSize_ = false;
    bool center_ = false;
    bool proportional_ = false;
    bool stretch_ = false;
    bool transparent_ = false;
};

}  // namespace cl
