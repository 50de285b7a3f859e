#pragma once
// The print corrections in tenths of a millimetre: the margins move the page
// templates on the paper, the text corrections move the values over them
// (a positive vertical one moves them up).  The print dialog sets them when
// it is confirmed; 0 at start.

#include <cstdint>

extern int32_t LeftCorrection, TopCorrection, TextXCorrection, TextYCorrection;
