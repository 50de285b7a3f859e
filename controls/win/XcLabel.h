#pragma once
// TXcCustomLabel / TXcLabel: a windowless label with a hot-track font, a
// frame (square or with cut corners), a text shadow, rotation, an image
// from an image list, margins, text ellipsis, a focus rectangle for its
// focus control and a URL opened on a click.  Its text is Caption unless
// its data consumer is connected to a provider, whose selected item then
// gives the text (or draws itself).
//
// AutoSize measures the text on the screen when something that changes the
// size changes (a "needs measuring" flag that SetBounds keeps: set when the
// bounds moved, cleared when they did not).  Under visual themes the label
// is always transparent.

#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>

#include "classlib/win/ImgList.h"
#include "classlib/win/StdCtrls.h"
#include "controls/win/XcGraphicControl.h"
#include "controls/win/XcXCLUtils.h"
#include "frameworks/data/XcDataConsumer.h"

enum TShadowPosition : uint8_t { spLeftTop, spLeftBottom, spRightBottom, spRightTop };
enum TXcTextEllipsis : uint8_t { teNone, teWordEllipsis, tePathEllipsis, teEndEllipsis };

class TXcCustomLabel : public TXcGraphicControl {
    CL_CLASS(TXcCustomLabel, TXcGraphicControl)
public:
    explicit TXcCustomLabel(cl::TComponent* owner);
    ~TXcCustomLabel() override;

    cl::TAlignment Alignment() const { return alignment_; }
    void SetAlignment(cl::TAlignment value);
    bool AutoSize() const { return autoSize_; }
    virtual void SetAutoSize(bool value);
    cl::TTextLayout Layout() const { return layout_; }
    void SetLayout(cl::TTextLayout value);
    bool WordWrap() const { return wordWrap_; }
    void SetWordWrap(bool value);
    bool ShowAccelChar() const { return showAccelChar_; }
    void SetShowAccelChar(bool value);
    // No background fill; always so under visual themes.
    bool Transparent() const { return !(ControlStyle() & cl::csOpaque); }
    void SetTransparent(bool value);
    cl::TWinControl* FocusControl() const { return focusControl_; }
    void SetFocusControl(cl::TWinControl* value);
    // A focus rectangle around the text while FocusControl has the focus.
    bool ShowFocus() const { return showFocus_; }
    void SetShowFocus(bool value);

    cl::TColor ShadowColor() const { return shadowColor_; }
    void SetShadowColor(cl::TColor value);
    uint8_t ShadowSize() const { return shadowSize_; }
    void SetShadowSize(uint8_t value);
    TShadowPosition ShadowPos() const { return shadowPos_; }
    void SetShadowPos(TShadowPosition value);

    // -360..360 degrees, kept as 0..359 (-90 is 270); others are ignored.
    // Only TrueType fonts rotate.
    int Angle() const { return angle_; }
    void SetAngle(int value);

    // An image is shown when Images is set and ImageIndex >= 0.
    cl::TCustomImageList* Images() const { return images_; }
    void SetImages(cl::TCustomImageList* value);
    int ImageIndex() const { return imageIndex_; }
    void SetImageIndex(int value);
    // Between the image and the text.
    int Spacing() const { return spacing_; }
    void SetSpacing(int value);

    bool HotTrack() const { return hotTrack_; }
    void SetHotTrack(bool value) { hotTrack_ = value; }
    cl::TFont* HotTrackFont() const { return hotTrackFont_.get(); }
    void SetHotTrackFont(cl::TFont* value) { hotTrackFont_->Assign(value); }
    TXcTrackFontOptions HotTrackFontOptions() const { return hotTrackFontOptions_; }
    void SetHotTrackFontOptions(TXcTrackFontOptions value);

    // A click opens URL when AutoOpenURL is set.
    bool AutoOpenURL() const { return autoOpenURL_; }
    void SetAutoOpenURL(bool value) { autoOpenURL_ = value; }
    const std::string& URL() const { return url_; }
    void SetURL(const std::string& value) { url_ = value; }

    TXcTextEllipsis TextEllipsis() const { return textEllipsis_; }
    void SetTextEllipsis(TXcTextEllipsis value);
    // clNone: no frame.
    cl::TColor FrameColor() const { return frameColor_; }
    void SetFrameColor(cl::TColor value);
    // The corners cut by that many pixels; only 0 <= value < Height div 2.
    int RoundedFrame() const { return roundedFrame_; }
    void SetRoundedFrame(int value);
    // Reads the left margin, sets all four (a negative value gives 0).
    int Margin() const { return marginLeft_; }
    void SetMargin(int value);

    // The data consumer (attribute 2), owned by the label.
    TXcDataConsumer* Provider() const { return consumer_.get(); }

    void SetBounds(int left, int top, int width, int height) override;
    void Click() override;

protected:
    void Loaded() override;
    void Notification(cl::TComponent* component, cl::TOperation operation) override;
    void Paint() override;
    bool WantKey(WORD charCode, LPARAM keyData) override;
    void MouseDown(cl::TMouseButton button, cl::TShiftState shift, int x, int y) override;
    void MouseUp(cl::TMouseButton button, cl::TShiftState shift, int x, int y) override;
    void MouseEnter(cl::TControl* control) override;
    void MouseLeave(cl::TControl* control) override;
    void FocusChanged(cl::TWinControl* focused) override;
    void TextChanged() override;
    void FontChanged() override;
    void EnabledChanged() override;
    void VisibleChanged() override;

    // Each takes the text rectangle (measured with DT_CALCRECT) and
    // DrawText flags.  DrawLabelText draws through the provider's item when
    // the consumer is connected, else DoDrawText.
    virtual void DoDrawText(cl::TRect& rect, UINT flags);
    virtual void DoProviderDraw(cl::TRect& rect, UINT flags);
    virtual void DrawLabelText(cl::TRect& rect, UINT flags);
    // With AutoSize, fits the bounds to the text (not while loading, and
    // only when something asked for measuring).
    virtual void AdjustBounds();
    virtual cl::TColor GetDefaultFontColor() { return Font()->Color(); }
    // The provider's selected item's caption, else Caption.
    virtual std::string GetLabelText();
    // 0 when the consumer is connected or no image is shown.
    virtual int GetImageWidth();
    virtual int GetImageHeight();

private:
    bool ImageShown() const { return images_ && imageIndex_ >= 0; }
    bool Connected() const { return consumer_->Provider() != nullptr; }
    // Something that changes the size changed.
    void Remeasure();
    void Disconnect();
    // Fires enter or leave when the pointer's being over the label changed.
    void UpdateTracking();
    // The text and its shadow, straight or rotated; returns the height.
    int DrawShadowed(const std::string& text, cl::TRect& rect, UINT flags, cl::TColor textColor,
                     TShadowPosition pos, int size, cl::TColor shadowColor);
    int DrawRotated(const std::string& text, cl::TRect& rect, UINT flags, cl::TColor textColor,
                    TShadowPosition pos, int size, cl::TColor shadowColor);
    void DrawCutCornerFrame(const cl::TRect& rect);

    // Counted: the label holds one reference from its construction to its
    // destruction, so a query taken and dropped never frees the consumer.
    TIntfPtr<TXcDataConsumer> consumer_;
    std::unique_ptr<cl::TChangeLink> imageChangeLink_;
    std::unique_ptr<cl::TFont> hotTrackFont_;
    std::unique_ptr<cl::TFont> savedFont_;
    cl::TWinControl* focusControl_ = nullptr;
    cl::TCustomImageList* images_ = nullptr;
    cl::TAlignment alignment_ = cl::taLeftJustify;
    cl::TTextLayout layout_ = cl::tlTop;
    cl::TColor shadowColor_ = cl::clBtnHighlight;
    cl::TColor frameColor_ = cl::clNone;
    std::string url_;
    int imageIndex_ = -1;
    int angle_ = 0;
    int spacing_ = 4;
    int roundedFrame_ = 0;
    int marginLeft_ = 0, marginTop_ = 0, marginRight_ = 0, marginBottom_ = 0;
    TXcTrackFontOptions hotTrackFontOptions_ = hoFollowFont | hoPreserveColor | hoPreserveStyle;
    TShadowPosition shadowPos_ = spRightBottom;
    TXcTextEllipsis textEllipsis_ = teNone;
    uint8_t shadowSize_ = 0;
    bool autoSize_ = true;
    bool wordWrap_ = false;
    bool showAccelChar_ = true;
    bool showFocus_ = false;
    bool focused_ = false;
    bool hotTrack_ = false;
    bool autoOpenURL_ = false;
    bool needsMeasuring_ = false;
};

class TXcLabel : public TXcCustomLabel {
    CL_CLASS(TXcLabel, TXcCustomLabel)
public:
    using TXcCustomLabel::TXcCustomLabel;
};
