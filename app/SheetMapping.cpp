#include "app/SheetMapping.h"

#include <cstdint>

#include "preview/ZoomLayout.h"

namespace {

// v * num / den rounded to nearest, halves away from zero; v itself when
// there is nothing to scale from.
int32_t Scale(int32_t v, int32_t num, int32_t den) {
    if (den == 0) return v;
    const int64_t p = int64_t{v} * num;
    const int64_t half = den / 2;
    return static_cast<int32_t>(p >= 0 ? (p + half) / den : -((-p + half) / den));
}

}  // namespace

TPlacedRect SheetRectOnPaper(const TPlacedRect& r, int paperWidth, int paperHeight) {
    return {Scale(r.Left, paperWidth, kSheetWidth), Scale(r.Top, paperHeight, kSheetHeight),
            Scale(r.Right, paperWidth, kSheetWidth), Scale(r.Bottom, paperHeight, kSheetHeight)};
}

TSheetPoint PaperPointOnSheet(int x, int y, int paperWidth, int paperHeight) {
    return {static_cast<double>(x) * kSheetWidth / paperWidth,
            static_cast<double>(y) * kSheetHeight / paperHeight};
}

TTemplateFollower TTemplateFollower::For(const TPlacedRect& drawn, int a4Width, int a4Height) {
    // The template's place on A4 from its proportions, as the preview places it.
    const int w = drawn.Right - drawn.Left, h = drawn.Bottom - drawn.Top;
    const TGraphicPlace a4 = PlaceGraphic(0, 0, a4Width, a4Height, w, h, true, false, true);
    return {{a4.Left, a4.Top, a4.Left + a4.Width, a4.Top + a4.Height}, drawn};
}

int TTemplateFollower::X(int x) const {
    return Drawn.Left + Width(x - OnA4.Left);
}

int TTemplateFollower::Y(int y) const {
    return Drawn.Top + Scale(y - OnA4.Top, Drawn.Bottom - Drawn.Top, OnA4.Bottom - OnA4.Top);
}

int TTemplateFollower::Width(int w) const {
    return Scale(w, Drawn.Right - Drawn.Left, OnA4.Right - OnA4.Left);
}
