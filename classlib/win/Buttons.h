#pragma once
// TBitBtn: an owner-drawn push button with a glyph beside its caption.

#include <memory>

#include "classlib/win/StdCtrls.h"

namespace cl {

// A kind sets the caption, the modal result and Default or Cancel as the
// class library's standard buttons have them.
enum TBitBtnKind {
    bkCustom,
    bkOK,
    bkCancel,
    bkHelp,
    bkYes,
    bkNo,
    bkClose,
    bkAbort,
    bkRetry,
    bkIgnore,
    bkAll
};
enum TButtonLayout { blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom };

class TBitBtn : public TButton {
    CL_CLASS(TBitBtn, TButton)
public:
    explicit TBitBtn(TComponent* owner);
    ~TBitBtn() override;

    // NumGlyphs images side by side: up, disabled, down; the colour of the
    // bottom-left pixel is transparent.  Without a disabled image the
    // glyph is shown embossed.
    TBitmap* Glyph() const { return glyph_.get(); }
    void SetGlyph(TBitmap* value);
    int NumGlyphs() const { return numGlyphs_; }
    void SetNumGlyphs(int value);
    TBitBtnKind Kind() const { return kind_; }
    void SetKind(TBitBtnKind value);
    TButtonLayout Layout() const { return layout_; }
    void SetLayout(TButtonLayout value);
    // Pixels from the edge to the glyph; -1 centres glyph and caption.
    int Margin() const { return margin_; }
    void SetMargin(int value);
    // Pixels between glyph and caption.
    int Spacing() const { return spacing_; }
    void SetSpacing(int value);

    // bkClose closes the parent form instead.
    void Click() override;
    void WndProc(TMessage& message) override;

protected:
    void CreateParams(TCreateParams& params) override;
    void SetButtonStyle(bool isDefault) override;
    virtual void DrawItem(const DRAWITEMSTRUCT& item);

private:
    std::unique_ptr<TBitmap> glyph_;
    int numGlyphs_ = 1;
    TBitBtnKind kind_ = bkCustom;
    TButtonLayout layout_ = blGlyphLeft;
    int margin_ = -1;
    int spacing_ = 4;
    bool isFocused_ = false;
};

}  // namespace cl
