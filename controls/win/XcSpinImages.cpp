#include "controls/win/XcSpinImages.h"

#include <cmath>
#include <memory>

#include "classlib/win/GdiHandles.h"
#include "controls/XcCountedCache.h"
#include "controls/win/XcThemeServices.h"
#include "controls/win/XcXCLUtils.h"

using namespace cl;

namespace {

// The theme's spin parts and their states.
constexpr int kSpinUp = 1, kSpinDown = 2;
constexpr int kStateNormal = 1, kStateHot = 2, kStatePressed = 3, kStateDisabled = 4;

// An arrow bitmap of the program, or an empty one when it has none.
std::unique_ptr<TBitmap> Arrow(const char* name, bool enabled) {
    auto bitmap = std::make_unique<TBitmap>();
    HINSTANCE instance = GetModuleHandleW(nullptr);
    if (!FindResourceA(instance, name, MAKEINTRESOURCEA(2))) return bitmap;  // RT_BITMAP
    bitmap->LoadFromResourceName(instance, name);
    if (enabled) return bitmap;
    return MakeDisabledBitmap(bitmap.get(), clBlack, clWhite, true, clBtnShadow, clBtnHighlight);
}

// The arrow centred on (cx, cy), rounded, white left out.
void DrawArrowAt(TCanvas& canvas, TBitmap& arrow, double cx, double cy) {
    if (arrow.Empty()) return;
    const int x = static_cast<int>(std::lround(cx - arrow.Width() / 2.0));
    const int y = static_cast<int>(std::lround(cy - arrow.Height() / 2.0));
    DrawBitmapTransparent(&canvas, x, y, &arrow, clWhite);
}

void Line(TCanvas& canvas, TColor color, int x1, int y1, int x2, int y2) {
    canvas.Pen()->SetColor(color);
    canvas.MoveTo(x1, y1);
    canvas.LineTo(x2, y2);
}

void DrawDiagonal(TCanvas& canvas, int w, int h, TSpinHalf pressed, bool enabled, bool arrows) {
    TRect r = Rect(0, 0, w, h);
    canvas.Brush()->SetColor(clBtnFace);
    canvas.FillRect(r);
    HDC dc = canvas.Handle();
    DrawEdge(dc, &r, pressed == shTop ? EDGE_SUNKEN : EDGE_RAISED, BF_SOFT | BF_LEFT | BF_TOP);
    DrawEdge(dc, &r, pressed == shBottom ? EDGE_SUNKEN : EDGE_RAISED, BF_SOFT | BF_RIGHT | BF_BOTTOM);
    // The diagonal, one pixel inside, as three lines.
    const int left = 1, top = 1, right = w - 1, bottom = h - 1;
    Line(canvas, pressed == shTop ? clBtnFace : clBtnShadow, left, bottom - 2, right - 1, top - 1);
    Line(canvas,
         pressed == shTop      ? clBtnHighlight
         : pressed == shBottom ? clBtnShadow
                               : cl3DDkShadow,
         right - 1, top, left, bottom - 1);
    Line(canvas, pressed == shBottom ? clWindowFrame : clBtnHighlight, left + 1, bottom - 1, right, top);
    if (!arrows) return;
    auto up = Arrow("XCSPINUP", enabled), down = Arrow("XCSPINDOWN", enabled);
    DrawArrowAt(canvas, *up, w / 4.0, h / 4.0);
    DrawArrowAt(canvas, *down, 3.0 * w / 4 - 1, 3.0 * h / 4 - 1);
}

void DrawClassic(TCanvas& canvas, int w, int h, TSpinHalf pressed, bool enabled, bool arrows) {
    canvas.Brush()->SetColor(clBtnFace);
    canvas.FillRect(Rect(0, 0, w, h));
    HDC dc = canvas.Handle();
    const int middle = h / 2;
    TRect top = Rect(0, 0, w, middle + (pressed == shTop ? 0 : 1));
    TRect bottom = Rect(0, middle, w, h);
    DrawEdge(dc, &top, pressed == shTop ? EDGE_SUNKEN : EDGE_RAISED, BF_SOFT | BF_ADJUST | BF_RECT);
    DrawEdge(dc, &bottom, pressed == shBottom ? EDGE_SUNKEN : EDGE_RAISED, BF_SOFT | BF_ADJUST | BF_RECT);
    if (!arrows) return;
    auto up = Arrow("XCSPINUPPOLE", enabled), down = Arrow("XCSPINDOWNPOLE", enabled);
    const struct {
        TBitmap* arrow;
        TRect half;
        bool pressed;
    } halves[] = {{up.get(), Rect(0, 0, w, middle), pressed == shTop},
                  {down.get(), Rect(0, middle, w, h), pressed == shBottom}};
    for (const auto& half : halves) {
        const TClipScope clip(canvas, half.half);
        DrawArrowAt(canvas, *half.arrow, (half.half.left + half.half.right) / 2.0,
                    (half.half.top + half.half.bottom) / 2.0 + (half.pressed ? 1 : 0));
    }
}

void DrawThemed(TCanvas& canvas, int w, int h, bool diagonal, int upState, int downState) {
    TXcThemeServices& themes = ThemeServicesOf();
    HDC dc = canvas.Handle();
    const TRect whole = Rect(0, 0, w, h);
    canvas.Brush()->SetColor(clBtnFace);
    canvas.FillRect(whole);
    if (!diagonal) {
        const TRect top = Rect(0, 0, w, h / 2), bottom = Rect(0, h / 2, w, h);
        themes.DrawElement(dc, themes.GetElementDetails(L"SPIN", kSpinUp, upState), top);
        themes.DrawElement(dc, themes.GetElementDetails(L"SPIN", kSpinDown, downState), bottom);
        return;
    }
    // Each part over its half, clipped to its triangle: over the whole
    // button both arrows would meet on the diagonal and neither show.
    const POINT upper[] = {{0, 0}, {w, 0}, {0, h}};
    const POINT lower[] = {{w, 0}, {w, h}, {0, h}};
    const struct {
        const POINT* corners;
        int part, state;
        TRect half;
    } parts[] = {{upper, kSpinUp, upState, Rect(0, 0, w, h / 2)},
                 {lower, kSpinDown, downState, Rect(0, h / 2, w, h)}};
    for (const auto& p : parts) {
        const OwnedRegion triangle(CreatePolygonRgn(p.corners, 3, WINDING));
        const int saved = SaveDC(dc);
        SelectClipRgn(dc, triangle.get());
        themes.DrawElement(dc, themes.GetElementDetails(L"SPIN", p.part, p.state), p.half);
        RestoreDC(dc, saved);
    }
}

using TCache = TXcCountedCache<TXcSpinImageKey, TXcSpinImageSet>;

std::unique_ptr<TCache>& Cache() {
    static std::unique_ptr<TCache> cache;
    return cache;
}

}  // namespace

void TXcSpinImageSet::DrawPicture(TBitmap& target, Picture picture, bool themed) {
    const int w = key_.width, h = key_.height;
    target.SetPixelFormat(pf24bit);
    target.SetSize(w, h);
    TCanvas& canvas = *target.Canvas();
    const bool diagonal = key_.style == sbsDefault;
    if (themed) {
        static constexpr int kStates[kPictures][2] = {
            {kStatePressed, kStateNormal},    {kStateNormal, kStatePressed}, {kStateNormal, kStateNormal},
            {kStateDisabled, kStateDisabled}, {kStateHot, kStateNormal},     {kStateNormal, kStateHot},
        };
        DrawThemed(canvas, w, h, diagonal, kStates[picture][0], kStates[picture][1]);
        return;
    }
    const TSpinHalf pressed = picture == kTopPressed ? shTop : picture == kBottomPressed ? shBottom : shNone;
    const bool enabled = picture != kDisabled;
    if (diagonal)
        DrawDiagonal(canvas, w, h, pressed, enabled, !key_.customGlyphs);
    else
        DrawClassic(canvas, w, h, pressed, enabled, !key_.customGlyphs);
}

void TXcSpinImageSet::Redraw(bool themed) {
    for (int i = 0; i < kPictures; ++i) {
        if (!pictures_[i]) pictures_[i] = std::make_unique<TBitmap>();
        DrawPicture(*pictures_[i], static_cast<Picture>(i), themed);
    }
    drawn_ = true;
    themed_ = themed;
}

void TXcSpinImageSet::Draw(TCanvas& canvas, int x, int y, TSpinHalf pressed, TSpinHalf hot, bool enabled) {
    if (key_.width <= 0 || key_.height <= 0) return;
    const bool themed = ThemeServicesOf().ThemesEnabled();
    if (!drawn_ || themed != themed_) Redraw(themed);
    Picture picture = kNormal;
    if (!enabled)
        picture = kDisabled;
    else if (pressed == shTop)
        picture = kTopPressed;
    else if (pressed == shBottom)
        picture = kBottomPressed;
    else if (themed && hot == shTop)
        picture = kTopHot;
    else if (themed && hot == shBottom)
        picture = kBottomHot;
    canvas.Draw(x, y, pictures_[picture].get());
}

TXcSpinImageSet* AcquireSpinImages(const TXcSpinImageKey& key) {
    auto& cache = Cache();
    if (!cache) cache = std::make_unique<TCache>();
    return cache->Acquire(key, [&key] { return std::make_unique<TXcSpinImageSet>(key); });
}

void ReleaseSpinImages(const TXcSpinImageKey& key) {
    auto& cache = Cache();
    if (!cache) return;
    cache->Release(key);
    if (cache->Count() == 0) cache.reset();
}

void InvalidateSpinImages() {
    if (auto& cache = Cache()) cache->ForEachValue([](TXcSpinImageSet& set) { set.Invalidate(); });
}

int SpinImageSetCount() {
    return Cache() ? Cache()->Count() : 0;
}
