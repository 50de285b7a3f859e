#pragma once
// TXcCustomStaticText / TXcStaticText: an owner-drawn STATIC window
// (SS_NOTIFY | SS_OWNERDRAW) painted on the reflected WM_DRAWITEM: a
// background in Color (or the parent's themed one), an optional sunken or
// single edge, and the caption placed by Alignment and Layout with
// TextMargins; AutoSize fits the caption, HotTrack swaps in HotTrackFont
// while the pointer is over it, and the caption's accelerator with Alt
// focuses FocusControl.

#include <windows.h>

#include <cstdint>
#include <functional>
#include <memory>

#include "classlib/win/StdCtrls.h"
#include "controls/win/XcWinControl.h"
#include "controls/win/XcXCLUtils.h"

// The caption's distance from the edges it is aligned to; a change repaints.
class TXcTextMargins : public cl::TPersistent {
    CL_CLASS(TXcTextMargins, cl::TPersistent)
public:
    int16_t X() const { return x_; }
    void SetX(int16_t value);
    int16_t Y() const { return y_; }
    void SetY(int16_t value);
    void Assign(cl::TPersistent* source) override;

    std::function<void()> OnChange;

private:
    int16_t x_ = 0;
    int16_t y_ = 0;
};

class TXcCustomStaticText : public TXcWinControl {
    CL_CLASS(TXcCustomStaticText, TXcWinControl)
public:
    explicit TXcCustomStaticText(cl::TComponent* owner);
    ~TXcCustomStaticText() override;

    cl::TAlignment Alignment() const { return alignment_; }
    void SetAlignment(cl::TAlignment value);
    cl::TTextLayout Layout() const { return layout_; }
    void SetLayout(cl::TTextLayout value);
    bool AutoSize() const { return autoSize_; }
    virtual void SetAutoSize(bool value);
    cl::TStaticBorderStyle BorderStyle() const { return borderStyle_; }
    void SetBorderStyle(cl::TStaticBorderStyle value);
    cl::TWinControl* FocusControl() const { return focusControl_; }
    void SetFocusControl(cl::TWinControl* value);
    bool ShowAccelChar() const { return showAccelChar_; }
    void SetShowAccelChar(bool value);
    bool WordWrap() const { return wordWrap_; }
    void SetWordWrap(bool value);
    TXcTextMargins* TextMargins() const { return textMargins_.get(); }
    void SetTextMargins(TXcTextMargins* value) { textMargins_->Assign(value); }
    bool HotTrack() const { return hotTrack_; }
    void SetHotTrack(bool value) { hotTrack_ = value; }
    cl::TFont* HotTrackFont() const { return hotTrackFont_.get(); }
    void SetHotTrackFont(cl::TFont* value) { hotTrackFont_->Assign(value); }
    TXcTrackFontOptions HotTrackFontOptions() const { return hotTrackFontOptions_; }
    void SetHotTrackFontOptions(TXcTrackFontOptions value);

    // The DrawText flags of the caption (without DT_CALCRECT).
    UINT TextFlags() const;

    void WndProc(cl::TMessage& message) override;

protected:
    void CreateParams(cl::TCreateParams& params) override;
    void Loaded() override;
    void Notification(cl::TComponent* component, cl::TOperation operation) override;
    bool WantKey(WORD charCode, LPARAM keyData) override;
    bool DoEraseBackground(HDC dc) override;
    void MouseEnter(cl::TControl* control) override;
    void MouseLeave(cl::TControl* control) override;
    void FontChanged() override;
    void TextChanged() override;
    virtual void DrawItem(const DRAWITEMSTRUCT& item);
    // With AutoSize the size fits the caption (not while loading, nor
    // before the window exists).
    virtual void AdjustBounds();

private:
    std::unique_ptr<cl::TFont> savedFont_;
    bool hotTrack_ = false;
    std::unique_ptr<cl::TFont> hotTrackFont_;
    cl::TTextLayout layout_ = cl::tlTop;
    cl::TAlignment alignment_ = cl::taLeftJustify;
    bool autoSize_ = true;
    cl::TStaticBorderStyle borderStyle_ = cl::sbsNone;
    cl::TWinControl* focusControl_ = nullptr;
    bool showAccelChar_ = true;
    std::unique_ptr<TXcTextMargins> textMargins_;
    bool wordWrap_ = false;
    TXcTrackFontOptions hotTrackFontOptions_ = hoFollowFont | hoPreserveColor | hoPreserveStyle;
};

class TXcStaticText : public TXcCustomStaticText {
    CL_CLASS(TXcStaticText, TXcCustomStaticText)
public:
    using TXcCustomStaticText::TXcCustomStaticText;
};
