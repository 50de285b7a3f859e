#include "engine/FormCatalogue.h"

#include <cmath>

namespace {

constexpr TCalibration I{1, 1, 0, 0};

}  // namespace

// Screen entries 1..4, then print corrections 1..4.
const IndexedTable<TFrmFeature, 1, 8> FormCatalogue{{
    {"bil",
     "BILANS DLA JEDNOSTEK PROWADZĄCYCH D.G.",
     "bil",
     2,
     1,
     4,
     264,
     {I, I, I, I, {1, 0.94, 0, 90}, {1, 0.94, 0, 87}, I, I}},
    {"rachzsk",
     "RACHUNEK ZYSKÓW I STRAT - WARIANT KALKULACYJNY",
     "rachzsk",
     1,
     2,
     265,
     357,
     {{0.96, 1.021, 40, -16}, I, I, I, {0.999, 0.943, 0, 85}, I, I, I}},
    {"rachzsp",
     "RACHUNEK ZYSKÓW I STRAT - WARIANT PORÓWNAWCZY",
     "rachzsp",
     1,
     3,
     358,
     460,
     {{0.96, 1.022, 40, -72}, I, I, I, {0.999, 0.945, 5, 85}, I, I, I}},
    {"rachppp",
     "RACHUNEK PRZEPŁYWÓW PIENIĘŻNYCH - METODA POŚREDNIA",
     "rachppp",
     1,
     4,
     461,
     581,
     {{0.922, 0.955, 65, 66}, {0.99, 1, 20, 0}, I, I, {0.96, 0.942, 60, 80}, I, I, I}},
    {"rachppb",
     "RACHUNEK PRZEPŁYWÓW PIENIĘŻNYCH - METODA BEZPOŚREDNIA",
     "rachppb",
     1,
     5,
     582,
     696,
     {{0.92, 0.975, 86, 10}, {0.99, 0.973, 59, 18}, I, I, {0.997, 0.943, 7, 82}, I, I, I}},
    {"zestzf",
     "ZESTAWIENIE ZMIAN W KAPITALE (FUNDUSZU) WŁASNYM",
     "zestzf",
     2,
     6,
     697,
     993,
     {{1, 1.021, 0, -11}, {0.945, 1.025, 65, -11}, I, I, {1, 0.944, 0, 83}, {1, 0.944, 0, 83}, I, I}},
    {"bilm",
     "BILANS DLA JEDNOSTEK NIEPROWADZĄCYCH D.G.",
     "bilm",
     1,
     7,
     994,
     1062,
     {{0.944, 0.957, 70, 76}, I, I, I, {1, 0.936, 0, 87}, I, I, I}},
    {"rachw",
     "RACHUNEK WYNIKÓW",
     "rachw",
     1,
     8,
     1063,
     1115,
     {{0.947, 0.957, 65, 65}, I, I, I, {1, 0.939, 0, 83}, I, {1, 1, 0, 100}, {1, 1, 0, 100}}},
}};

namespace {

// Round half to even in the default rounding mode, on an extended value.
int32_t Round(long double v) {
    return static_cast<int32_t>(std::nearbyint(v));
}

long double Ext(double v) {
    return static_cast<long double>(v);
}

const TCalibration& Screen(int formNo, int page) {
    return FormCatalogue[formNo].CalibEntry(page);
}
const TCalibration& Print(int formNo, int page) {
    return FormCatalogue[formNo].CalibEntry(page + 4);
}

TPlacedRect ScreenRect(int formNo, int page, int field) {
    return ScreenRectOf(Screen(formNo, page), SourceRectOf(field));
}

TPlacedRect PrintRect(int formNo, int page, int field) {
    return PrintRectOf(Screen(formNo, page), Print(formNo, page), SourceRectOf(field));
}

}  // namespace

TSourceRect SourceRectOf(int Field) {
    const TEField& f = TEFieldTable[Field];
    if (BalancePositionTable.Contains(Field)) {
        const TBalancePosition& b = BalancePositionTable[Field];
        return {b.Left, b.Bottom - f.Height, b.Width, f.Height};
    }
    return {f.Left, f.Top, f.Width, f.Height};
}

TPlacedRect ScreenRectOf(const TCalibration& C, TSourceRect s) {
    TPlacedRect r;
    r.Left = Round(s.x * Ext(C.ScaleX)) + C.OffX;
    r.Right = r.Left + Round(s.w * Ext(C.ScaleX));
    r.Top = Round(s.y * Ext(C.ScaleY)) + C.OffY;
    r.Bottom = r.Top + Round(s.h * Ext(C.ScaleY));
    return r;
}

TPlacedRect PrintRectOf(const TCalibration& C, const TCalibration& P, TSourceRect s) {
    const long double sx = Ext(C.ScaleX) * Ext(P.ScaleX);
    const long double sy = Ext(C.ScaleY) * Ext(P.ScaleY);
    TPlacedRect r;
    r.Left = Round(sx * s.x) + C.OffX + P.OffX;
    r.Right = r.Left + Round(sx * s.w);
    r.Top = Round(sy * s.y) + C.OffY + P.OffY;
    r.Bottom = r.Top + Round(sy * s.h);
    return r;
}

int32_t ScreenLeft(int FormNo, int Page, int Field) {
    return ScreenRect(FormNo, Page, Field).Left;
}
int32_t ScreenRight(int FormNo, int Page, int Field) {
    return ScreenRect(FormNo, Page, Field).Right;
}
int32_t ScreenTop(int FormNo, int Page, int Field) {
    return ScreenRect(FormNo, Page, Field).Top;
}
int32_t ScreenBottom(int FormNo, int Page, int Field) {
    return ScreenRect(FormNo, Page, Field).Bottom;
}
double PageScaleX(int FormNo, int Page) {
    return Screen(FormNo, Page).ScaleX;
}

int32_t PrintLeft(int FormNo, int Page, int Field) {
    return PrintRect(FormNo, Page, Field).Left;
}
int32_t PrintRight(int FormNo, int Page, int Field) {
    return PrintRect(FormNo, Page, Field).Right;
}
int32_t PrintTop(int FormNo, int Page, int Field) {
    return PrintRect(FormNo, Page, Field).Top;
}
int32_t PrintBottom(int FormNo, int Page, int Field) {
    return PrintRect(FormNo, Page, Field).Bottom;
}
double PrintScaleX(int FormNo, int Page) {
    return Screen(FormNo, Page).ScaleX * Print(FormNo, Page).ScaleX;
}
