#include "app/SheetMapping.h"

#include <cmath>
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

TSheetArea PrintedTemplateOnA4(int formNo, int page) {
    const TFrmFeature& form = FormCatalogue[formNo];
    const TCalibration &c = form.CalibEntry(page), &p = form.CalibEntry(page + 4);
    auto x = [&](double s) { return p.ScaleX * (s - c.OffX) + c.OffX + p.OffX; };
    auto y = [&](double s) { return p.ScaleY * (s - c.OffY) + c.OffY + p.OffY; };
    return {x(0), y(0), x(kSheetWidth), y(kSheetHeight)};
}

TPlacedRect A4OnPaper(const TPlacedRect& paper, int a4Width, int a4Height) {
    const TGraphicPlace a4 = PlaceGraphic(paper.Left, paper.Top, paper.Right - paper.Left,
                                          paper.Bottom - paper.Top, a4Width, a4Height, true, false, true);
    return {a4.Left, a4.Top, a4.Left + a4.Width, a4.Top + a4.Height};
}

TPlacedRect AreaOnPaper(const TSheetArea& area, const TPlacedRect& a4) {
    const double w = a4.Right - a4.Left, h = a4.Bottom - a4.Top;
    auto x = [&](double v) { return a4.Left + static_cast<int32_t>(std::lround(v * w / kSheetWidth)); };
    auto y = [&](double v) { return a4.Top + static_cast<int32_t>(std::lround(v * h / kSheetHeight)); };
    return {x(area.Left), y(area.Top), x(area.Right), y(area.Bottom)};
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

double TTemplateFollower::Ratio() const {
    const int onA4 = OnA4.Bottom - OnA4.Top;
    return onA4 == 0 ? 1.0 : static_cast<double>(Drawn.Bottom - Drawn.Top) / onA4;
}
