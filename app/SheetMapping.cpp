#include "app/SheetMapping.h"

#include <cstdint>

namespace {

// v * num / den rounded to nearest, halves away from zero.
int32_t Scale(int32_t v, int32_t num, int32_t den) {
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
