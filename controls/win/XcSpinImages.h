#pragma once
// The pictures of spin buttons, drawn once per size, style and glyph kind
// and shared by every spin button of that kind: top pressed, bottom
// pressed, normal, disabled, and with themes the top or bottom half hot.
// Themes on: the theme's spin parts (clipped to their triangles in the
// diagonal layout); off: the button's own edges and the arrow bitmaps
// "XCSPINUP" / "XCSPINDOWN" (diagonal) or "XCSPINUPPOLE" /
// "XCSPINDOWNPOLE" (classic), white being transparent.

#include <memory>
#include <tuple>

#include "classlib/win/Graphics.h"
#include "controls/XcSpinValue.h"

enum TXcSpinButtonStyle { sbsDefault, sbsClassic };

struct TXcSpinImageKey {
    int width;
    int height;
    TXcSpinButtonStyle style;
    bool customGlyphs;  // the button draws its own glyphs: no arrows
    auto Tie() const { return std::tie(width, height, style, customGlyphs); }
    bool operator<(const TXcSpinImageKey& other) const { return Tie() < other.Tie(); }
    bool operator!=(const TXcSpinImageKey& other) const { return Tie() != other.Tie(); }
};

class TXcSpinImageSet {
public:
    explicit TXcSpinImageSet(const TXcSpinImageKey& key) : key_(key) {}
    // The picture of a state at (x, y) of the canvas: pressed wins, then
    // (themes on) the hot half, else normal; disabled when not enabled.
    void Draw(cl::TCanvas& canvas, int x, int y, TSpinHalf pressed, TSpinHalf hot, bool enabled);
    // The system colours changed: drawn again at the next use.
    void Invalidate() { drawn_ = false; }

private:
    enum Picture { kTopPressed, kBottomPressed, kNormal, kDisabled, kTopHot, kBottomHot, kPictures };
    void Redraw(bool themed);
    void DrawPicture(cl::TBitmap& target, Picture picture, bool themed);

    TXcSpinImageKey key_;
    std::unique_ptr<cl::TBitmap> pictures_[kPictures];
    bool drawn_ = false;
    bool themed_ = false;
};

// The shared set of a key, with one more user (the cache is made by its
// first user and freed with its last).
TXcSpinImageSet* AcquireSpinImages(const TXcSpinImageKey& key);
void ReleaseSpinImages(const TXcSpinImageKey& key);
// Every set is drawn again at its next use.
void InvalidateSpinImages();
// Sets held now (0 once no button is left).
int SpinImageSetCount();
