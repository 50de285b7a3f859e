#pragma once
// A page shown small is played several times larger and averaged down.  At
// a screen's few pixels per em the system draws text unsmoothed, snapped to
// whole pixels, narrower or wider than its layout, and below a pixel per em
// in a font of default size (the page turns black); at several times the
// size letters keep their shapes and spacing, and the average shows them,
// and the page's thin rules, smooth at every zoom.

#include <cstddef>
#include <cstdint>

// How many times larger a page of width x height pixels shown at zoom
// (percent) is played: enough to draw it as at 300 %, no more than makes
// 16 million pixels, at least once.
int SmoothingFactor(int zoom, int width, int height);

// Each factor x factor block of the 24-bit rows of src (width x factor
// pixels wide, height x factor rows) becomes the pixel of dst with the
// block's mean of each channel, rounded.  Strides are from a row to the
// next, in bytes (negative for rows stored bottom-up).
void AverageDown(const uint8_t* src, ptrdiff_t srcStride, int factor, uint8_t* dst, ptrdiff_t dstStride,
                 int width, int height);
