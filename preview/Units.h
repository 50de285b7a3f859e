#pragma once
// The seven units the print preview measures paper and drawings in, and
// the conversion between them at a device's resolution.

// mmPixel: device pixels; mmLoMetric 0.1 mm; mmHiMetric 0.01 mm;
// mmLoEnglish 0.01 in; mmHiEnglish 0.001 in; mmTWIPS 1/1440 in; mmPoints 1/72 in.
enum TUnits { mmPixel, mmLoMetric, mmHiMetric, mmLoEnglish, mmHiEnglish, mmTWIPS, mmPoints };

// a x b / c with a 64-bit product, rounded to nearest with halves away from
// zero; a zero divisor or a result outside int gives -1 (as the system's MulDiv).
int MulDiv64(int a, int b, int c);

// value from one unit to another; pixels are at dpi, except that pixel to
// pixel rescales from the screen's resolution screenDpi to dpi.  A unit
// outside the seven returns the value unchanged.  Results beyond int are
// clamped to its range.
int ConvertUnit(int value, int dpi, TUnits from, TUnits to, int screenDpi);
