#pragma once
// The catalogue of the eight statement forms with their page calibrations,
// and a field's rectangle on the screen page and on the printed page, in
// 0.1 mm of the page.

#include <cstdint>
#include <string_view>

#include "engine/calc1_d.h"

struct TCalibration {
    double ScaleX;
    double ScaleY;
    int32_t OffX;
    int32_t OffY;
};

struct TFrmFeature {
    std::string_view Name;
    std::string_view Title;  // Windows-1250
    std::string_view TemplateName;
    int32_t PageCount;
    int32_t Index;     // own row number, 1..8
    uint16_t FirstID;  // start sentinel row
    uint16_t LastID;   // end sentinel row
    // Entry p (1..4) is the screen calibration of page p, entry p + 4 the
    // additional print correction of page p.
    TCalibration Calib[8];

    const TCalibration& CalibEntry(int p) const { return Calib[p - 1]; }
};

extern const IndexedTable<TFrmFeature, 1, 8> FormCatalogue;

// A field's source rectangle in template units, and a placed rectangle.
struct TSourceRect {
    int32_t x, y, w, h;
};
struct TPlacedRect {
    int32_t Left, Top, Right, Bottom;
};

// The arithmetic behind the functions below: products in extended precision
// in the order written, rounded half to even, width and height on their own.
TPlacedRect ScreenRectOf(const TCalibration& C, TSourceRect s);
TPlacedRect PrintRectOf(const TCalibration& C, const TCalibration& P, TSourceRect s);
// x and w from BalancePositionTable for the bil rows, else from TEFieldTable.
TSourceRect SourceRectOf(int Field);

int32_t ScreenLeft(int FormNo, int Page, int Field);
int32_t ScreenRight(int FormNo, int Page, int Field);
int32_t ScreenTop(int FormNo, int Page, int Field);
int32_t ScreenBottom(int FormNo, int Page, int Field);
double PageScaleX(int FormNo, int Page);

int32_t PrintLeft(int FormNo, int Page, int Field);
int32_t PrintRight(int FormNo, int Page, int Field);
int32_t PrintTop(int FormNo, int Page, int Field);
int32_t PrintBottom(int FormNo, int Page, int Field);
double PrintScaleX(int FormNo, int Page);
